#include "TfrmTrovaProtocollo.h"

#include "protocolgrid.h"
#include "records/layouts.h"
#include "records/recordfile.h"

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
    SearchScreenDecl decl;
    decl.objectName = u"TfrmTrovaProtocollo"_s;
    decl.caption = u" Trova documenti protocollati"_s;
    decl.reportTitle = u"Protocollo documenti"_s;
    decl.size = QSize(1000, 600);
    decl.filters = kFilters;
    decl.filterPanelName = u"panAvvio"_s;
    decl.resultPanelName = u"panContainer"_s;
    decl.countPlace = SearchScreenDecl::CountPlace::BesideButtons;
    decl.plainFilterPanel = true;
    decl.closeBeforeSearch = true;
    return decl;
}

} // namespace

TfrmTrovaProtocollo::TfrmTrovaProtocollo(QWidget* parent) : SearchScreen(declaration(), parent) {}

std::optional<lists::ChosenRecord> TfrmTrovaProtocollo::pick(QWidget* parent,
                                                             const QString& archivePath) {
    TfrmTrovaProtocollo search(parent);
    search.setCallerTag(u"protocollo"_s);
    search.setArchivePath(archivePath);
    search.exec();
    return search.callerTag() == u"protocollo"_s ? search.chosen() : std::nullopt;
}

void TfrmTrovaProtocollo::setArchivePath(const QString& path) {
    m_archive = path;
}

QString TfrmTrovaProtocollo::archivePath() const {
    return m_archive;
}

bool TfrmTrovaProtocollo::runSearch(const QStringList& filterTexts, QStringList* lines) {
    // Opened as every action opens the archive: a missing year is created empty.
    return records::RecordFile::touch(archivePath(), records::protocolLayout().recordSize()) &&
           protocol::searchArchive(archivePath(), filterTexts, lines);
}

void TfrmTrovaProtocollo::loadEntry(const QString& line) {
    // Any failure just closes the screen.
    std::optional<lists::ChosenRecord> found;
    if (protocol::findByLine(archivePath(), line, &found)) m_chosen = std::move(found);
}

} // namespace tavolex::ui
