#pragma once

#include "behaviour.h"
#include "chosenrecord.h"
#include "commands.h"
#include "help/helptexts.h"
#include "records/archives.h"
#include "records/layout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

class QWidget;

namespace tavolex::ui {

// What a card control is.
enum class FieldKind {
    Line,     // a line edit as long as its record field
    List,     // an editable drop-down (`items`); its selection is reset when it takes the focus
    Province, // the province drop-down
    Check,    // a check box bound to a yes/no flag
    Choice,   // exclusive radio buttons (`options`), bound to one field or to a flag each
    Date,     // a read-only date filled from the calendar (`tag`)
    Amount,   // a line edit normalised to `places` decimals when it is left
    Pick,     // a drop-down of `items` that takes no typing (see PickOnly)
    Label,    // a label showing a stored value, not editable
    Hidden,   // a hidden label: attachments, document lists, state of the card
    Picture,  // a small picture button (`glyph`) with an `action`
    Push,     // a push button captioned `label` with an `action`
};

// When a field receives today's date (dd/mm/yyyy) by itself.
enum class FillToday { Never, OnNew, OnShowAndNew };

// Where a control sits: a section of the card, a row of that section, a column of its six
// and how many columns it spans.
struct Place {
    int section = 0;
    int row = 0;
    int column = 0;
    int span = 1;
};

// One radio button of a Choice: its control and caption, and the yes/no flag it stands for
// when the group is stored as flags (empty when the group's field holds the caption).
struct ChoiceOption {
    QString control;
    QString caption;
    QString field;
    QString hint;
};

// One control of a card, declared with designated initializers, e.g.
//   {.control = u"txtCliente"_s, .label = u"Cliente:"_s, .at = {0, 0, 0, 3}}
// Declaration order is the Tab and Enter order of the card.
struct CardField {
    QString control;
    // The record field bound to the control. An edit field, list or check box named txtX or
    // chkX binds field X unless it names another; hidden labels and buttons bind only what
    // they name.
    QString field;
    QString label; // caption above the control (check box: its text)
    QString after; // words right of the control, as in "Avvisa n." [3] "giorni prima …"
    FieldKind kind = FieldKind::Line;
    Place at;
    unsigned rules = NoRule;
    Qt::Alignment align = Qt::AlignLeft;
    QString hint;
    QStringList items;           // List
    QList<ChoiceOption> options; // Choice
    QString tag;                 // Date: the caller tag given to the calendar
    int places = 2;              // Amount: decimals kept
    // Amount: the program's form of the typed text, written back when the field is left.
    QString (*normalise)(const QString& typed) = nullptr;
    QString glyph;     // Picture
    QString enabledBy; // a button enabled only while this line holds more than blanks
    std::function<void()> action;
    bool readOnly = false;
    int maxLength = 0; // what may be typed: 0 for the record field's capacity
    // What a cleared card shows (New and every showing); for a Choice, the caption checked.
    QString initial;
    bool enter = true; // false: Enter in this field goes nowhere (it is still reached)
    // Kept when the card is cleared; with card settings, read from them when the card is
    // shown and written back (trimmed) when it is closed, under the field's name as key.
    bool kept = false;
    FillToday today = FillToday::Never;
};

struct CardSection {
    QString title;
    QString glyph;
    Tone tone;
};

// The card's texts as Save reads them: a control's text by its name (RecordCard::text).
using CardTexts = std::function<QString(const QString& control)>;

// What a failed check of Save tells the user.
struct SaveFault {
    QString message;
    bool plain = false; // a plain message rather than a warning
};

// One step of Save, in declaration order; the first failure gives its message and puts the
// focus on `control` (for a Choice: on its first button), and Save stops there.
//   {u"txtCliente"_s, u"Attenzione: ..."_s}         the trimmed text may not be empty
//   {u"txtGiorno"_s, u"Attenzione: ..."_s, 2}       nor shorter than two characters
//   {.control = u"txtMese"_s, .rule = ...}          a rule over the card's texts
//   {.control = u"txtImporto"_s, .normalise = ...}  the control rewritten, never a failure
struct SaveCheck {
    QString control;
    QString message;   // the warning of a length check
    int minLength = 1; // a length check fails when the trimmed text is shorter
    // Instead of the length: the fault the card's texts give, none when they pass. A rule
    // shared with the core is called from here, so the card keeps no copy of it.
    std::function<std::optional<SaveFault>(const CardTexts& texts)> rule;
    // Instead of a check: the control's text in the program's form, written back when it
    // differs and kept whether Save then succeeds or not.
    QString (*normalise)(const QString& text) = nullptr;
};

// A control Save writes from the others once every check has passed, just before the record
// is stored (the signed amount of a movement, the due date built from day and month).
struct DerivedField {
    QString control;
    std::function<QString(const CardTexts& texts)> value;
};

// A record of another archive copied into the card: the button `command` (a field or a
// command of the card) opens `search`, and the record chosen there overwrites each paired
// control with its trimmed field. A search closed without a choice changes nothing.
struct CardImport {
    QString command;
    // Opens the search modally over the card; the chosen record, or none.
    std::function<std::optional<ChosenRecord>(QWidget* card)> search;
    const records::RecordLayout* layout = nullptr; // the layout of the chosen record
    QList<std::pair<QString, QString>> fields;     // record field, card control
};

// A row of the printed card: its caption and its value, where every {control} is replaced
// by that control's trimmed text ("N. {txtPartitaIva}").
struct ReportRow {
    QString caption;
    QString value;
};

// A record card as a screen declares it.
struct RecordCardDecl {
    QString objectName;
    QString caption;
    // The archive the card shows; its layout comes from the catalogue. A card of yearly
    // archives shows the year openYear names.
    records::ArchiveKind archive = records::ArchiveKind::Clients;
    const records::RecordLayout* layout = nullptr; // when not set, the catalogue's
    QList<CardSection> sections;
    QList<CardField> fields;
    // The field that New, Duplicate and every showing put the focus on; empty: the first
    // field in Enter order.
    QString firstFocus;
    // The command column, top to bottom; standard names need no more than the name.
    QList<Command> commands;
    QList<SaveCheck> saveChecks;
    QList<DerivedField> derived;
    QList<CardImport> imports;
    // Not empty: the card keeps three attached files (hidden labels lblFile01..03 and
    // lblDesc01..03) and its cmdFile or cmdAllega opens the attachment screen with this tag.
    QString attachmentTag;
    QString reportTitle;
    QList<ReportRow> report;
    QString pdfFileName; // what cmdPDF writes
    // Not empty: the card lives in a panel of that name, so that a screen can put other
    // panels beside it.
    QString panelName;
    // The hint bar is emptied whenever the pointer is over no control with a hint.
    bool hintsOnlyOverControls = false;
    // The settings file and section of the kept fields.
    QString (*settingsFile)() = nullptr;
    QString settingsSection;
    QString initialHint = QStringLiteral("Pronto per archiviare una nuova scheda...");
    help::HelpText help;
    QString savedNewMessage =
        QStringLiteral(u"La scheda corrente \u00E8 stata inserita in archivio.");
    QString savedExistingMessage = QStringLiteral(
        "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
};

// The six hidden labels of a card with attachments, bound to File01..File03, Desc01..Desc03.
const QStringList& attachmentLabels();

// Declaration faults: a bound field its layout lacks, a save check, derived field, import,
// report row or first focus naming no declared control, an import pairing a field its
// layout lacks. Empty when the declaration is sound.
QStringList declarationFaults(RecordCardDecl decl);

// The declaration as the card works with it: txtX and chkX bound to field X where no other
// field is named, and the attachment labels added when the card keeps attachments.
RecordCardDecl completedDecl(RecordCardDecl decl);

// What a control's record field holds: its capacity, or 255 for a control bound to none.
int boundCapacity(const RecordCardDecl& decl, const CardField& field);

} // namespace tavolex::ui
