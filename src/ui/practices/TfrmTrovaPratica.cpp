#include "TfrmTrovaPratica.h"

#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/recordfile.h"

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
    SearchScreenDecl decl;
    decl.objectName = u"TfrmTrovaPratica"_s;
    decl.caption = u" Trova pratiche in archivio"_s;
    decl.reportTitle = u"Riepilogo Pratiche"_s;
    decl.size = QSize(1000, 600);
    decl.filters = kFilters;
    decl.filterPanelName = u"panAvvio"_s;
    decl.resultPanelName = u"panContainer"_s;
    decl.countPlace = SearchScreenDecl::CountPlace::BesideButtons;
    decl.plainFilterPanel = true;
    decl.closeBeforeSearch = true;
    return decl;
}

QString archive() {
    return programPath(records::practiceLayout().archiveName());
}

} // namespace

TfrmTrovaPratica::TfrmTrovaPratica(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<ChosenRecord> TfrmTrovaPratica::pick(QWidget* parent, const QString& tag) {
    TfrmTrovaPratica search(parent);
    search.setCallerTag(tag);
    search.exec();
    return search.chosen();
}

bool TfrmTrovaPratica::isKnownCallerTag(const QString& tag) {
    return tag == u"pratica"_s || tag == u"scadenzario"_s;
}

bool TfrmTrovaPratica::runSearch(const QStringList& filterTexts, QStringList* lines) {
    // Opened as every action opens the archive: a missing one is created empty.
    return records::RecordFile::touch(archive(), records::practiceLayout().recordSize()) &&
           practices::searchArchive(archive(), filterTexts, lines);
}

void TfrmTrovaPratica::loadEntry(const QString& line) {
    m_chosen.reset();
    if (!isKnownCallerTag(callerTag())) return;
    // Any failure just closes the screen.
    std::optional<ChosenRecord> found;
    if (practices::findByLine(archive(), line, practices::Among::All, &found))
        m_chosen = std::move(found);
}

} // namespace tavolex::ui
