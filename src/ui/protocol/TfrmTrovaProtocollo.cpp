#include "TfrmTrovaProtocollo.h"

#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// In the order of protocol::searchFields().
constexpr SearchFilter kFilters[] = {
    {u"txtNumero", u"N. protocollo:"},
    {u"txtTipologia", u"Tipologia posta (in entrata, in uscita, interna):"},
    {u"txtDataReg", u"Data registrazione (gg/mm/aaaa):"},
    {u"txtOperatore", u"Operatore:"},
    {u"txtCategoria", u"Categoria:"},
    {u"txtOggetto", u"Oggetto:"},
    {u"txtMittente", u"Mittente:"},
    {u"txtDestinatario", u"Destinatario:"},
    {u"txtRiferimenti", u"Riferimenti:"},
    {u"txtNote", u"Note:"},
};

SearchScreenDecl declaration() {
    return SearchScreenDecl::twoPanels(u"TfrmTrovaProtocollo"_s, u" Trova documenti protocollati"_s,
                                       u"Protocollo documenti"_s, kFilters);
}

} // namespace

TfrmTrovaProtocollo::TfrmTrovaProtocollo(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<lists::ChosenRecord> TfrmTrovaProtocollo::pick(QWidget* parent,
                                                             const records::ArchiveId& archive) {
    TfrmTrovaProtocollo search(parent);
    search.setCallerTag(u"protocollo"_s);
    search.setArchive(archive);
    search.exec();
    return search.callerTag() == u"protocollo"_s ? search.chosen() : std::nullopt;
}

bool TfrmTrovaProtocollo::runSearch(const QStringList& filterTexts, lists::ListedLines* lines) {
    // Opened as every action opens the archive: a missing year is created empty.
    const std::unique_ptr<records::Archive> archive = this->archive();
    return archive->prepare() && protocol::searchArchive(*archive, filterTexts, lines);
}

std::optional<ChosenRecord> TfrmTrovaProtocollo::findEntry(const QString& line,
                                                           const lists::ListedRecord& listed) {
    std::optional<ChosenRecord> found;
    protocol::findByLine(*archive(), line, &found, listed);
    return found;
}

} // namespace tavolex::ui
