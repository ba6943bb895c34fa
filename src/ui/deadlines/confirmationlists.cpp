#include "confirmationlists.h"

#include "deadlines/archive.h"
#include "deadlines/lines.h"
#include "records/layouts.h"

#include <QLineEdit>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kSize(862, 560);

std::optional<ChosenRecord> lastWithLine(const records::Archive& archive, const QString& line,
                                         const lists::ListedRecord& listed) {
    std::optional<ChosenRecord> found;
    deadlines::findByLine(archive, line, &found, listed);
    return found;
}

// In the order of deadlines::searchFields().
constexpr SearchFilter kFilters[] = {
    {u"txtData", u"Data scadenza (gg/mm/aaaa):"}, {u"txtOra", u"Ora appuntamento (HH:MM):"},
    {u"txtCliente", u"Cognome e nome Cliente:"},  {u"txtCodFisc", u"Codice fiscale Cliente:"},
    {u"txtOggetto", u"Oggetto pratica:"},         {u"txtProtocollo", u"Protocollo n."},
    {u"txtStato", u"Stato avanzamento:"},         {u"txtConsulente", u"Consulente o curatore:"},
    {u"txtDettagli", u"Causale scadenza:"},       {u"txtNote", u"Note:"},
};

SearchScreenDecl searchDeclaration() {
    SearchScreenDecl decl = SearchScreenDecl::twoPanels(
        u"TfrmTrovaScadenzario"_s, QString::fromUtf16(deadlines::kSearchCaption),
        QString::fromUtf16(deadlines::kSearchPrintedTitle), kFilters);
    decl.size = kSize;
    decl.highlightFilters = true;
    decl.callerTags = {QString::fromUtf16(deadlines::kSearchCardMode)};
    decl.countText = u"Il presente elenco contiene %1 schede."_s;
    return decl;
}

} // namespace

ConfirmationListScreen::ConfirmationListScreen(deadlines::ConfirmationList list,
                                               const QString& objectName, QWidget* parent)
    : ListScreen(objectName, deadlines::confirmationListTexts(list).caption, parent), m_list(list) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    addPrintButton(deadlines::confirmationListTexts(list).printedTitle);
    setFixedSize(kSize);
}

void ConfirmationListScreen::showEvent(QShowEvent* event) {
    ListScreen::showEvent(event);
    centreOnScreen(this);
    FormShow();
}

void ConfirmationListScreen::FormShow() {
    resetFind();
    lists::ListedLines lines;
    // A failing read keeps the lines read so far, without a message.
    const std::unique_ptr<records::Archive> archive = this->archive();
    if (archive->prepare()) deadlines::confirmationLines(*archive, m_list, &lines);
    const bool any = lines.size() > 0;
    setLines(std::move(lines));
    if (any) selectRow(0);
    findField()->setFocus(Qt::OtherFocusReason);
}

std::optional<ChosenRecord> ConfirmationListScreen::findEntry(const QString& line,
                                                              const lists::ListedRecord& listed) {
    return lastWithLine(*archive(), line, listed);
}

TfrmConfermati::TfrmConfermati(QWidget* parent)
    : ConfirmationListScreen(deadlines::ConfirmationList::PaymentsToMake, u"TfrmConfermati"_s,
                             parent) {}
TfrmNonConfermati::TfrmNonConfermati(QWidget* parent)
    : ConfirmationListScreen(deadlines::ConfirmationList::PaymentsMade, u"TfrmNonConfermati"_s,
                             parent) {}
TfrmDaConfermare::TfrmDaConfermare(QWidget* parent)
    : ConfirmationListScreen(deadlines::ConfirmationList::AppointmentsToConfirm,
                             u"TfrmDaConfermare"_s, parent) {}

TfrmTrovaScadenzario::TfrmTrovaScadenzario(QWidget* parent)
    : SearchScreen(searchDeclaration(), parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

bool TfrmTrovaScadenzario::runSearch(const QStringList& filterTexts, lists::ListedLines* lines) {
    const std::unique_ptr<records::Archive> archive = this->archive();
    return archive->prepare() && deadlines::searchArchive(*archive, filterTexts, lines);
}

std::optional<ChosenRecord> TfrmTrovaScadenzario::findEntry(const QString& line,
                                                            const lists::ListedRecord& listed) {
    return lastWithLine(*archive(), line, listed);
}

} // namespace tavolex::ui
