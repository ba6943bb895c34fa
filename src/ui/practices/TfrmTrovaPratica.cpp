#include "TfrmTrovaPratica.h"

#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/store.h"

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// In the order of practices::searchFields().
constexpr SearchFilter kFilters[] = {
    {u"txtOggetto", u"Oggetto pratica:"},          {u"txtTipologia", u"Tipologia:"},
    {u"txtProtocollo", u"Protocollo n."},          {u"txtApertura", u"Data apertura (gg/mm/aaaa):"},
    {u"txtStato", u"Stato avanzamento:"},          {u"txtDocumenti", u"Documenti principali:"},
    {u"txtCliente", u"Cognome e nome Cliente:"},   {u"txtCodFisc", u"Codice fiscale Cliente:"},
    {u"txtConsulente", u"Consulente o curatore:"}, {u"txtNote", u"Note:"},
};

SearchScreenDecl declaration() {
    SearchScreenDecl decl = SearchScreenDecl::twoPanels(
        u"TfrmTrovaPratica"_s, u" Trova pratiche in archivio"_s, u"Riepilogo Pratiche"_s, kFilters);
    decl.callerTags = {u"pratica"_s, u"scadenzario"_s};
    return decl;
}

std::unique_ptr<records::Archive> archive() {
    return records::programArchive(records::ArchiveKind::Practices);
}

} // namespace

TfrmTrovaPratica::TfrmTrovaPratica(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<ChosenRecord> TfrmTrovaPratica::pick(QWidget* parent, const QString& tag) {
    return pickFrom<TfrmTrovaPratica>(parent, tag);
}

bool TfrmTrovaPratica::runSearch(const QStringList& filterTexts, lists::ListedLines* lines) {
    // Opened as every action opens the archive: a missing one is created empty.
    const std::unique_ptr<records::Archive> practices = archive();
    return practices->prepare() && practices::searchArchive(*practices, filterTexts, lines);
}

std::optional<ChosenRecord> TfrmTrovaPratica::findEntry(const QString& line,
                                                        const lists::ListedRecord& listed) {
    std::optional<ChosenRecord> found;
    practices::findByLine(*archive(), line, practices::Among::All, &found, listed);
    return found;
}

} // namespace tavolex::ui
