#include "TfrmTrovaMovimenti.h"

#include "movements/archive.h"
#include "movements/movementlines.h"
#include "movements/movementrecord.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// In the order of movements::searchFields().
constexpr SearchFilter kFilters[] = {
    {u"txtData", u"Data operazione (gg/mm/aaaa):"},
    {u"txtDataSca", u"Data scadenza (gg/mm/aaaa):"},
    {u"txtCausale", u"Causale:"},
    {u"txtPromemoria", u"Promemoria:"},
    {u"txtPagatore", u"Pagatore:"},
    {u"txtCategoria", u"Categoria:"},
    {u"txtBeneficiario", u"Beneficiario:"},
    {u"txtRicevuta", u"CRO / Ricevuta n."},
    {u"txtTariffa", u"Tariffa applicata:"},
    {u"txtNote", u"Note:"},
};

constexpr auto kCallerTag = u"movimenti";

SearchScreenDecl declaration() {
    SearchScreenDecl decl =
        SearchScreenDecl::twoPanels(u"TfrmTrovaMovimenti"_s, u" Trova movimenti in archivio"_s,
                                    QString::fromUtf16(movements::kSearchListTitle), kFilters);
    decl.callerTags = {QString::fromUtf16(kCallerTag)};
    return decl;
}

} // namespace

TfrmTrovaMovimenti::TfrmTrovaMovimenti(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<ChosenRecord> TfrmTrovaMovimenti::pick(QWidget* parent,
                                                     const records::ArchiveId& archive) {
    TfrmTrovaMovimenti search(parent);
    search.setCallerTag(QString::fromUtf16(kCallerTag));
    search.setArchive(archive);
    search.exec();
    return search.chosen();
}

bool TfrmTrovaMovimenti::runSearch(const QStringList& filterTexts, lists::ListedLines* lines) {
    // Opened as every action opens the archive: a missing year is created empty.
    const std::unique_ptr<records::Archive> archive = this->archive();
    return archive->prepare() && movements::searchArchive(*archive, filterTexts, lines);
}

std::optional<ChosenRecord> TfrmTrovaMovimenti::findEntry(const QString& line,
                                                          const lists::ListedRecord& listed) {
    std::optional<ChosenRecord> found;
    movements::findByLine(*archive(), line, &found, listed);
    return found;
}

} // namespace tavolex::ui
