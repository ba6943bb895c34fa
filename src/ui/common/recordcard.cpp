#include "recordcard.h"

#include "dates/datetext.h"
#include "money/normalise.h"
#include "places/provinces.h"
#include "programfolder.h"
#include "settings/inifile.h"

#include "artwork.h"
#include "fieldforms.h"
#include "messages.h"
#include "records/recordfile.h"
#include "text/casing.h"
#include "ui/common/attachments/TfrmAllegaCartella.h"
#include "ui/common/calendario.h"
#include "ui/common/clock.h"
#include "ui/common/guida.h"
#include "ui/common/report/reportdocument.h"
#include "ui/common/report/reportservice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// An archive opened for one card operation and closed when the operation ends.
class Session {
public:
    Session(QWidget* owner, const QString& path, int size) : m_owner(owner), m_file(path, size) {}
    bool open() { return m_file.open() || fail(); }
    bool finish() { return m_file.close() || fail(); }
    bool fail() {
        const QString cause = m_file.path() + u": "_s + m_file.errorString();
        m_file.close();
        msg::archiveAccessError(m_owner, cause);
        return false;
    }
    records::RecordFile& file() { return m_file; }

private:
    QWidget* m_owner;
    records::RecordFile m_file;
};

constexpr auto kNoRecord = u"L'archivio non contiene nessuna scheda.";

const QString kAttachmentLabels[] = {u"lblFile01"_s, u"lblFile02"_s, u"lblFile03"_s,
                                     u"lblDesc01"_s, u"lblDesc02"_s, u"lblDesc03"_s};

// A control's value through its user property (QLineEdit::text, QComboBox::currentText,
// QAbstractButton::checked), as stored: a checked state is the flag "Sì" or "No". A label,
// which has no user property, binds its text.
QString boundText(const QWidget* control) {
    if (!control) return {};
    const QMetaProperty user = control->metaObject()->userProperty();
    const QVariant value = user.isValid() ? user.read(control) : control->property("text");
    if (value.typeId() == QMetaType::Bool)
        return QString::fromUtf16(value.toBool() ? records::kYes : records::kNo);
    return value.toString();
}

// Writes a stored value back. A flag other than "Sì" or "No" leaves a check as it was; a
// line shows every loaded text from its first character.
void setBoundText(QWidget* control, const QString& value) {
    if (!control) return;
    const QMetaProperty user = control->metaObject()->userProperty();
    if (user.isValid() && user.typeId() == QMetaType::Bool) {
        if (const auto flag = records::flagValue(value)) user.write(control, *flag);
        return;
    }
    setControlText(control, value);
}

void checkCaption(QButtonGroup* group, const QString& caption) {
    // A stored text that is none of the captions leaves the buttons as they were.
    for (QAbstractButton* button : group->buttons()) {
        if (button->text() == caption) {
            button->setChecked(true);
            return;
        }
    }
}

// An amount field rewrites its text in the program's form when the focus leaves it.
class AmountNormaliser : public QObject {
public:
    AmountNormaliser(QLineEdit* edit, int places) : QObject(edit), m_places(places) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            auto* edit = static_cast<QLineEdit*>(watched);
            setControlText(edit, m_places == 4 ? money::normalisedDeadlineAmount(edit->text())
                                               : money::normalisedMovementAmount(edit->text()));
        }
        return false;
    }

private:
    int m_places;
};

void normaliseOnLeaving(QLineEdit* edit, int places) {
    new AmountNormaliser(edit, places);
}

// txtX and chkX bind field X unless the declaration names another.
void bindByName(RecordCard::Config& config) {
    for (CardField& field : config.fields) {
        const bool named = field.control.startsWith(u"txt"_s) || field.control.startsWith(u"chk"_s);
        const bool editable = field.kind != FieldKind::Hidden && field.kind != FieldKind::Choice &&
                              field.kind != FieldKind::Picture && field.kind != FieldKind::Push;
        if (field.field.isEmpty() && named && editable) field.field = field.control.mid(3);
    }
}

} // namespace

QStringList RecordCard::declarationFaults(Config config) {
    bindByName(config);
    QStringList faults;
    QSet<QString> controls;
    auto needField = [&](const QString& control, const QString& field) {
        if (!field.isEmpty() && (!config.layout || config.layout->indexOf(field) < 0))
            faults << control + u": the record has no field "_s + field;
    };
    for (const CardField& field : config.fields) {
        controls.insert(field.control);
        needField(field.control, field.field);
        for (const ChoiceOption& option : field.options) {
            controls.insert(option.control);
            needField(option.control, option.field);
        }
        if (field.kind != FieldKind::Hidden && field.at.section >= config.sections.size())
            faults << field.control + u": no section "_s + QString::number(field.at.section);
    }
    if (!config.attachmentTag.isEmpty()) {
        for (const QString& name : kAttachmentLabels) {
            controls.insert(name);
            needField(name, name.mid(3));
        }
    }
    if (!config.firstFocus.isEmpty() && !controls.contains(config.firstFocus))
        faults << u"first focus "_s + config.firstFocus + u" is not a control of the card"_s;
    for (const RequiredField& required : config.required)
        if (!controls.contains(required.control))
            faults << u"required "_s + required.control + u" is not a control of the card"_s;
    static const QRegularExpression placeholder(u"\\{(\\w+)\\}"_s);
    for (const ReportRow& row : config.report) {
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(row.value))
            if (!controls.contains(m.captured(1)))
                faults << u"report row "_s + row.caption + u" names no control "_s + m.captured(1);
    }
    return faults;
}

RecordCard::RecordCard(Config config, QWidget* parent)
    : QWidget(parent), m_config(std::move(config)), m_behaviour(new ScreenBehaviour(this)) {
    bindByName(m_config);
    if (const QStringList faults = declarationFaults(m_config); !faults.isEmpty())
        qFatal("The card %s is declared wrongly: %s", qPrintable(m_config.objectName),
               qPrintable(faults.join(u"; "_s)));
    setObjectName(m_config.objectName);
    setWindowTitle(m_config.caption);
    setProperty("tavolexMaximised", true);
    if (!m_config.attachmentTag.isEmpty())
        for (const QString& name : kAttachmentLabels)
            m_config.fields.append(
                {.control = name, .field = name.mid(3), .kind = FieldKind::Hidden});
}

void RecordCard::ensureBuilt() const {
    if (m_built) return;
    auto* self = const_cast<RecordCard*>(this);
    self->m_built = true;
    self->buildLayout();
    self->built();
}

bool RecordCard::event(QEvent* event) {
    if (event->type() == QEvent::Polish) ensureBuilt();
    return QWidget::event(event);
}

void RecordCard::buildLayout() {
    QWidget* host = this;
    if (!m_config.panelName.isEmpty()) {
        auto* screen = new QVBoxLayout(this);
        screen->setContentsMargins(0, 0, 0, 0);
        m_panel = new QWidget(this);
        m_panel->setObjectName(m_config.panelName);
        screen->addWidget(m_panel);
        m_behaviour->addHintClearingArea(m_panel);
        host = m_panel;
    }
    m_behaviour->setHintsOnlyOverControls(m_config.hintsOnlyOverControls);
    auto* outer = new QVBoxLayout(host);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    outer->addLayout(body, 1);
    m_behaviour->addHintClearingArea(this);

    auto* sectionsColumn = new QVBoxLayout;
    sectionsColumn->setSpacing(6);
    body->addLayout(sectionsColumn, 1);
    for (const CardSection& section : std::as_const(m_config.sections)) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setObjectName(u"section"_s);
        m_behaviour->addHintClearingArea(frame);
        auto* row = new QHBoxLayout(frame);
        auto* picture = new QLabel(frame);
        picture->setPixmap(tilePixmap(section.glyph, toneColour(section.tone), QSize(56, 56)));
        picture->setAlignment(Qt::AlignTop);
        picture->setToolTip(section.title);
        row->addWidget(picture);
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(1);
        row->addLayout(grid, 1);
        for (int column = 0; column < 6; ++column)
            grid->setColumnStretch(column, 1);
        m_sectionGrids << grid;
        sectionsColumn->addWidget(frame);
    }
    sectionsColumn->addStretch();

    QWidget* previous = nullptr;
    for (const CardField& field : std::as_const(m_config.fields)) {
        QGridLayout* grid =
            field.kind == FieldKind::Hidden ? nullptr : m_sectionGrids.value(field.at.section);
        // Words after the control share its cell: both go in a strip of their own, which
        // leaves room around the control for its focus rectangle.
        QWidget* cell = nullptr;
        if (grid && !field.after.isEmpty()) {
            cell = new QWidget(grid->parentWidget());
            auto* strip = new QHBoxLayout(cell);
            strip->setContentsMargins(4, 4, 4, 4);
        }
        QWidget* control = buildControl(field, cell ? cell : grid ? grid->parentWidget() : this);
        if (cell) {
            auto* strip = static_cast<QHBoxLayout*>(cell->layout());
            strip->addWidget(control, 1);
            strip->addWidget(new QLabel(field.after, cell));
        }
        if (grid) {
            const int row = field.at.row * 2;
            const bool captioned = !field.label.isEmpty() && field.kind != FieldKind::Check &&
                                   field.kind != FieldKind::Push;
            if (captioned) {
                auto* caption = new QLabel(field.label, grid->parentWidget());
                caption->setObjectName(u"lbl"_s + field.control.mid(3));
                caption->setBuddy(control);
                grid->addWidget(caption, row, field.at.column, 1, field.at.span);
            }
            grid->addWidget(cell ? cell : control, row + 1, field.at.column, 1, field.at.span);
        }
        if (field.kind == FieldKind::Hidden) continue;
        // Tab follows the declaration order (the buttons of a choice in theirs).
        const QList<QWidget*> tabbed =
            field.kind == FieldKind::Choice
                ? QList<QWidget*>(m_choices.value(field.control)->buttons().cbegin(),
                                  m_choices.value(field.control)->buttons().cend())
                : QList<QWidget*>{control};
        for (QWidget* w : tabbed) {
            if (previous) setTabOrder(previous, w);
            previous = w;
        }
    }
    for (const CardField& field : std::as_const(m_config.fields)) {
        auto* line = qobject_cast<QLineEdit*>(control(field.enabledBy));
        if (field.enabledBy.isEmpty() || !line) continue;
        QWidget* button = control(field.control);
        button->setEnabled(false);
        connect(line, &QLineEdit::textChanged, button, [button](const QString& value) {
            button->setEnabled(!text::trimmed(value).isEmpty());
        });
    }
    // Enter moves through the fields in declaration order, from the last back to the first;
    // in a date field it opens the calendar instead.
    for (int i = 0; i < m_enterOrder.size(); ++i)
        if (!isDateField(m_enterOrder[i]))
            m_behaviour->setEnterNext(m_enterOrder[i],
                                      m_enterStops.contains(m_enterOrder[i])
                                          ? nullptr
                                          : m_enterOrder[(i + 1) % m_enterOrder.size()]);

    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    body->addLayout(right);
    buildCommands(right);
    right->addStretch();
    auto* nav = new QHBoxLayout;
    right->addLayout(nav);
    const Command moves[] = {
        {u"cmdPrimo"_s,
         {},
         u"|\u25C0"_s,
         Tone::Service,
         u"Visualizza la prima scheda in archivio."_s,
         [this] { cmdPrimoClick(); }},
        {u"cmdIndietro"_s,
         {},
         u"\u25C0"_s,
         Tone::Service,
         u"Visualizza la scheda precedente in archivio."_s,
         [this] { cmdIndietroClick(); }},
        {u"cmdAvanti"_s,
         {},
         u"\u25B6"_s,
         Tone::Service,
         u"Visualizza la scheda successiva in archivio."_s,
         [this] { cmdAvantiClick(); }},
        {u"cmdUltimo"_s,
         {},
         u"\u25B6|"_s,
         Tone::Service,
         u"Visualizza l'ultima scheda in archivio."_s,
         [this] { cmdUltimoClick(); }},
    };
    for (const Command& move : moves) {
        if (move.control == u"cmdAvanti"_s) {
            m_position = new QLabel(this);
            m_position->setObjectName(u"lblPosizione"_s);
            m_position->setMinimumWidth(56);
            m_position->setAlignment(Qt::AlignCenter);
            m_behaviour->addHintClearingArea(m_position);
            nav->addWidget(m_position);
        }
        nav->addWidget(makeCommandButton(this, m_behaviour, move));
    }

    m_hintBar = makeHintBar(this, m_behaviour, m_config.initialHint);
    outer->addWidget(m_hintBar);
}

QWidget* RecordCard::buildControl(const CardField& field, QWidget* parentWidget) {
    const int index = m_config.layout->indexOf(field.field);
    const int capacity = index < 0 ? 255 : m_config.layout->field(index).capacity;
    QWidget* control = nullptr;
    bool entered = true; // takes part in the Enter order and has a focus highlight
    switch (field.kind) {
    case FieldKind::Line:
    case FieldKind::Date:
    case FieldKind::Amount: {
        auto* edit = new QLineEdit(parentWidget);
        edit->setMaxLength(field.maxLength > 0 ? qMin(field.maxLength, capacity) : capacity);
        edit->setAlignment(field.align);
        edit->setReadOnly(field.readOnly);
        if (field.kind == FieldKind::Date) installDateField(edit, field.tag);
        if (field.kind == FieldKind::Amount) {
            normaliseOnLeaving(edit, field.places);
            // The normalised form (15 digits, the comma and the decimals) is never cut in the
            // field; one longer than the record field is refused at Save instead.
            if (field.maxLength == 0) edit->setMaxLength(qMax(capacity, 16 + field.places));
            // Wide enough for the longest normalised amount (15 digits and the decimals).
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(19, u'9')) + 24);
        }
        control = edit;
        break;
    }
    case FieldKind::List:
    case FieldKind::Pick:
    case FieldKind::Province: {
        auto* combo = new QComboBox(parentWidget);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(field.kind == FieldKind::Province ? places::provinceCodes() : field.items);
        combo->lineEdit()->setMaxLength(capacity);
        combo->setCurrentIndex(-1);
        combo->setMaxVisibleItems(20);
        control = combo;
        break;
    }
    case FieldKind::Label: {
        auto* label = new QLabel(parentWidget);
        label->setAlignment(field.align);
        control = label;
        entered = false;
        break;
    }
    case FieldKind::Check:
        control = new QCheckBox(field.label, parentWidget);
        entered = false;
        break;
    case FieldKind::Choice: {
        auto* box = new QWidget(parentWidget);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        auto* group = new QButtonGroup(box);
        for (const ChoiceOption& option : field.options) {
            auto* radio = new QRadioButton(option.caption, box);
            radio->setObjectName(option.control);
            group->addButton(radio);
            row->addWidget(radio);
            m_controls.insert(option.control, radio);
            if (!option.hint.isEmpty()) m_behaviour->setHint(radio, option.hint);
        }
        row->addStretch();
        m_choices.insert(field.control, group);
        control = box;
        entered = false;
        break;
    }
    case FieldKind::Hidden: {
        auto* label = new QLabel(this);
        label->hide();
        control = label;
        entered = false;
        break;
    }
    case FieldKind::Picture: {
        QToolButton* button = makePictureButton(parentWidget, field.control, {}, field.glyph,
                                                toneColour(Tone::Service));
        button->setIconSize(QSize(20, 20));
        button->setFocusPolicy(Qt::TabFocus);
        control = button;
        entered = false;
        break;
    }
    case FieldKind::Push:
        control = new QPushButton(field.label, parentWidget);
        entered = false;
        break;
    }
    control->setObjectName(field.control);
    m_controls.insert(field.control, control);
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && field.action)
        connect(button, &QAbstractButton::clicked, this, field.action);
    if (entered) {
        m_behaviour->addHighlight(control, field.control.mid(3));
        m_enterOrder << control;
        if (!field.enter) m_enterStops.insert(control);
    }
    // A drop-down is registered even without rules: its selection is reset when it takes the
    // focus.
    const unsigned rules = field.rules | (field.kind == FieldKind::Pick ? PickOnly : NoRule) |
                           (field.kind == FieldKind::Amount ? AmountKeys : NoRule);
    if (rules != NoRule || qobject_cast<QComboBox*>(control))
        m_behaviour->setTypingRules(control, rules);
    if (!field.hint.isEmpty()) m_behaviour->setHint(control, field.hint);
    return control;
}

void RecordCard::buildCommands(QVBoxLayout* column) {
    for (const Command& declared : std::as_const(m_config.commands)) {
        Command command = completed(declared);
        if (!command.action) command.action = standardAction(command.control);
        QToolButton* button = makeCommandButton(this, m_behaviour, command);
        button->setMinimumWidth(150);
        column->addWidget(button);
    }
}

std::function<void()> RecordCard::standardAction(const QString& control) {
    const std::pair<QStringView, void (RecordCard::*)()> actions[] = {
        {u"cmdNuovo", &RecordCard::cmdNuovoClick},
        {u"cmdDuplica", &RecordCard::cmdDuplicaClick},
        {u"cmdSalva", &RecordCard::cmdSalvaClick},
        {u"cmdGuida", &RecordCard::cmdGuidaClick},
        {u"cmdEsci", &RecordCard::cmdEsciClick},
        {u"cmdAnteprima", &RecordCard::cmdAnteprimaClick},
        {u"cmdStampa", &RecordCard::cmdStampaClick},
        {u"cmdPDF", &RecordCard::cmdPDFClick},
        {u"cmdFile", &RecordCard::editAttachments},
        {u"cmdAllega", &RecordCard::editAttachments},
    };
    for (const auto& [name, slot] : actions)
        if (control == name) return [this, slot = slot] { (this->*slot)(); };
    Q_ASSERT_X(false, "RecordCard", "a command without an action");
    return {};
}

QWidget* RecordCard::firstField() const {
    ensureBuilt();
    if (!m_config.firstFocus.isEmpty()) return control(m_config.firstFocus);
    return m_enterOrder.value(0);
}

void RecordCard::focusField(QWidget* field) {
    if (field) field->setFocus(Qt::OtherFocusReason);
}

void RecordCard::focusControl(const QString& name) {
    if (QButtonGroup* group = m_choices.value(name))
        focusField(group->buttons().value(0));
    else
        focusField(control(name));
}

QString RecordCard::archivePath() const {
    if (!m_config.archiveFile.isEmpty()) return programPath(m_config.archiveFile);
    return text::trimmed(text(u"lblFile"_s));
}

QWidget* RecordCard::control(const QString& name) const {
    ensureBuilt();
    return m_controls.value(name);
}

QString RecordCard::text(const QString& name) const {
    ensureBuilt();
    if (QButtonGroup* group = m_choices.value(name))
        return group->checkedButton() ? group->checkedButton()->text() : QString();
    QWidget* c = control(name);
    return c ? boundText(c) : QString();
}

void RecordCard::setText(const QString& name, const QString& value) {
    ensureBuilt();
    if (QButtonGroup* group = m_choices.value(name)) {
        checkCaption(group, value);
        return;
    }
    if (QWidget* c = control(name)) setBoundText(c, value);
}

QString RecordCard::position() const {
    ensureBuilt();
    return text::trimmed(m_position->text());
}
void RecordCard::setPosition(const QString& value) {
    ensureBuilt();
    m_position->setText(value);
}

void RecordCard::storeInto(records::Record& record) const {
    for (const CardField& field : m_config.fields) {
        if (field.kind == FieldKind::Choice) {
            for (const ChoiceOption& option : field.options)
                if (!option.field.isEmpty())
                    record.setText(option.field, boundText(control(option.control)));
        }
        if (!field.field.isEmpty()) record.setText(field.field, text(field.control));
    }
}

void RecordCard::loadFrom(const records::Record& record) {
    for (const CardField& field : m_config.fields) {
        if (field.kind == FieldKind::Choice && !field.options.value(0).field.isEmpty()) {
            // Each flag checks or unchecks its button ("No" on every flag leaves none checked);
            // a damaged flag leaves its button as it was.
            QButtonGroup* group = m_choices.value(field.control);
            group->setExclusive(false);
            for (const ChoiceOption& option : field.options)
                setBoundText(control(option.control), record.text(option.field));
            group->setExclusive(true);
        }
        if (!field.field.isEmpty()) setText(field.control, record.text(field.field));
    }
}

void RecordCard::loadFromRecord(const QByteArray& bytes, qint64 position) {
    loadFrom(records::Record(*m_config.layout, bytes));
    setPosition(QString::number(position));
}

void RecordCard::copyFields(
    const records::Record& from,
    std::initializer_list<std::pair<const char16_t*, const char16_t*>> pairs) {
    for (const auto& [field, name] : pairs)
        setText(QString::fromUtf16(name), text::trimmed(from.text(QStringView(field))));
}

void RecordCard::clearCard() {
    ensureBuilt();
    // Controls bound to a field; unbound hidden labels hold the card's own state.
    for (const CardField& field : std::as_const(m_config.fields)) {
        if (field.kept) continue;
        if (QButtonGroup* group = m_choices.value(field.control)) {
            // An exclusive group never lets its last checked button go.
            group->setExclusive(false);
            for (QAbstractButton* button : group->buttons())
                button->setChecked(false);
            group->setExclusive(true);
        } else if (auto* combo = qobject_cast<QComboBox*>(control(field.control))) {
            combo->setCurrentIndex(-1);
            setControlText(combo, field.initial);
        } else if (auto* check = qobject_cast<QCheckBox*>(control(field.control))) {
            check->setChecked(false);
        } else if (!field.field.isEmpty()) {
            setBoundText(control(field.control), field.initial);
        }
        if (!field.initial.isEmpty()) setText(field.control, field.initial);
    }
    setPosition({});
}

bool RecordCard::validateForSave() {
    for (const RequiredField& required : m_config.required) {
        if (text::trimmed(text(required.control)).size() < required.minLength) {
            msg::warning(this, required.message);
            focusControl(required.control);
            return false;
        }
    }
    return true;
}

report::CardReport RecordCard::cardReport() const {
    static const QRegularExpression placeholder(u"\\{(\\w+)\\}"_s);
    report::CardReport card;
    card.title = m_config.reportTitle;
    card.footer = report::cardFooter(Clock::now());
    for (const ReportRow& row : m_config.report) {
        QString value = row.value;
        // Replaced from the end, so earlier matches keep their place.
        QList<QRegularExpressionMatch> matches;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(row.value))
            matches.prepend(m);
        for (const QRegularExpressionMatch& m : std::as_const(matches))
            value.replace(m.capturedStart(), m.capturedLength(),
                          text::trimmed(text(m.captured(1))));
        card.rows.append({row.caption, value});
    }
    return card;
}

void RecordCard::cmdAnteprimaClick() {
    report::preview(this, report::ReportDocument::card(cardReport()));
}

void RecordCard::cmdStampaClick() {
    report::print(this, report::ReportDocument::card(cardReport()));
}

void RecordCard::cmdPDFClick() {
    report::exportPdf(this, report::ReportDocument::card(cardReport()), m_config.pdfFileName);
}

void RecordCard::editAttachments() {
    AttachmentValues current;
    QString* values[] = {&current.file01, &current.desc01, &current.file02,
                         &current.desc02, &current.file03, &current.desc03};
    const QString order[] = {u"lblFile01"_s, u"lblDesc01"_s, u"lblFile02"_s,
                             u"lblDesc02"_s, u"lblFile03"_s, u"lblDesc03"_s};
    for (int i = 0; i < 6; ++i)
        *values[i] = text::trimmed(text(order[i]));
    const std::optional<AttachmentValues> edited =
        TfrmAllegaCartella::edit(this, m_config.attachmentTag, current);
    if (!edited) return;
    const QString chosen[] = {edited->file01, edited->desc01, edited->file02,
                              edited->desc02, edited->file03, edited->desc03};
    for (int i = 0; i < 6; ++i)
        setText(order[i], chosen[i]);
}

void RecordCard::clearOnDuplicate() {}

void RecordCard::cmdNuovoClick() {
    clearCard();
    fillToday(false);
    prepareNewCard();
    focusField(firstField());
}

// The forms the typing rules promise, checked before the card's own checks normalise them.
bool RecordCard::typedFormsHold() {
    for (const CardField& field : std::as_const(m_config.fields)) {
        const int index = m_config.layout->indexOf(field.field);
        const int capacity = index < 0 ? 255 : m_config.layout->field(index).capacity;
        const QString fault = field.kind == FieldKind::Amount
                                  ? amountFormFault(text(field.control), capacity)
                              : (field.rules & CountDigits) == CountDigits
                                  ? digitsFormFault(text(field.control), field.label)
                                  : QString();
        if (fault.isEmpty()) continue;
        msg::warning(this, fault);
        focusControl(field.control);
        return false;
    }
    return true;
}

void RecordCard::cmdSalvaClick() {
    if (!typedFormsHold() || !validateForSave()) return;
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    records::Record record(*m_config.layout);
    const QString pos = position();
    if (!pos.isEmpty()) {
        bool ok = false;
        const qint64 k = pos.toLongLong(&ok);
        // A position past the end (the file changed behind the card) is an access error.
        if (!ok || k < 1 || k > session.file().count()) {
            session.fail();
            return;
        }
        storeInto(record);
        if (!session.file().write(k, record.bytes())) {
            session.fail();
            return;
        }
        setPosition(QString::number(k));
        if (!session.finish()) return;
        msg::information(this, m_config.savedExistingMessage);
        return;
    }
    storeInto(record);
    const qint64 k = session.file().append(record.bytes());
    if (k == 0) {
        session.fail();
        return;
    }
    setPosition(QString::number(k));
    if (!session.finish()) return;
    msg::information(this, m_config.savedNewMessage);
}

void RecordCard::cmdDuplicaClick() {
    if (position().isEmpty()) {
        msg::warning(
            this, u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che "
                  u"questa \u00E8 stata inserita in archivio."_s);
        return;
    }
    for (const QString& name : kAttachmentLabels)
        setText(name, {});
    clearOnDuplicate();
    setPosition({});
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    focusField(firstField());
    if (!session.finish()) return;
    msg::information(
        this, u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
              u"Al termine premere Salva per inserire la scheda in archivio."_s);
}

void RecordCard::cmdPrimoClick() {
    browse(Move::First);
}
void RecordCard::cmdIndietroClick() {
    browse(Move::Previous);
}
void RecordCard::cmdAvantiClick() {
    browse(Move::Next);
}
void RecordCard::cmdUltimoClick() {
    browse(Move::Last);
}

void RecordCard::browse(Move move) {
    Session session(this, archivePath(), m_config.layout->recordSize());
    if (!session.open()) return;
    const QString pos = position();
    const qint64 p = pos.toLongLong(); // an empty position counts as 0
    // Previous on the first record does nothing, not even on an emptied archive.
    if (move == Move::Previous && pos == u"1"_s) {
        session.finish();
        return;
    }
    const qint64 count = session.file().count();
    if (count == 0) {
        if (move == Move::Next) setPosition({});
        if (session.finish()) msg::information(this, QString::fromUtf16(kNoRecord));
        return;
    }
    qint64 k = 0; // 0: stay where we are
    switch (move) {
    case Move::First:
        k = 1;
        break;
    case Move::Last:
        k = count;
        break;
    case Move::Next:
        k = p < count ? p + 1 : 0;
        break;
    case Move::Previous:
        k = p <= 2 ? 1 : p - 1;
        break;
    }
    QByteArray bytes;
    if (k > 0) {
        if (!session.file().read(k, bytes)) {
            session.fail();
            return;
        }
        loadFromRecord(bytes, k);
    }
    session.finish();
}

void RecordCard::cmdEsciClick() {
    close();
}

void RecordCard::cmdGuidaClick() {
    showHelp(this, m_config.help.title, m_config.help.text);
}

void RecordCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return; // the window brought back by the desktop, not shown by the program
    prepareShownCard();
    m_hintBar->setText(m_config.initialHint);
}

void RecordCard::prepareShownCard() {
    if (m_config.settingsFile) {
        const settings::IniFile ini(m_config.settingsFile());
        for (const CardField& field : std::as_const(m_config.fields))
            if (field.kept)
                setText(field.control, ini.readString(m_config.settingsSection, field.field));
    }
    clearCard();
    fillToday(true);
    focusField(firstField());
}

void RecordCard::fillToday(bool onShow) {
    for (const CardField& field : std::as_const(m_config.fields))
        if (field.today == FillToday::OnShowAndNew || (!onShow && field.today == FillToday::OnNew))
            setText(field.control, dates::formatDate(Clock::today()));
}

// Every remembered field is written, even after one write fails, so one bad value does not
// cost the others; a failure is reported once, with its cause.
void RecordCard::rememberFields() {
    if (!m_config.settingsFile) return;
    settings::IniFile ini(m_config.settingsFile());
    std::optional<files::WriteResult> failed;
    for (const CardField& field : std::as_const(m_config.fields)) {
        if (!field.kept) continue;
        const files::WriteResult written = ini.writeString(m_config.settingsSection, field.field,
                                                           text::trimmed(text(field.control)));
        if (!written && !failed) failed = written;
    }
    if (failed) msg::archiveAccessError(this, failed->cause());
}

void RecordCard::closeEvent(QCloseEvent* event) {
    rememberFields();
    event->accept();
    hide();
    Q_EMIT finished();
}

void showHelp(QWidget* parent, const QString& title, const QString& text) {
    TfrmGuida guida(parent);
    guida.setHelp(title, text);
    guida.exec();
}

} // namespace tavolex::ui
