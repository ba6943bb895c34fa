#include "cardform.h"

#include "artwork.h"
#include "behaviour.h"
#include "calendario.h"
#include "places/provinces.h"
#include "text/casing.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// An amount field rewrites its text in the program's form when the focus leaves it.
class AmountNormaliser : public QObject {
public:
    using Rule = QString (*)(const QString&);
    AmountNormaliser(QLineEdit* edit, Rule normalise) : QObject(edit), m_normalise(normalise) {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            auto* edit = static_cast<QLineEdit*>(watched);
            setControlText(edit, m_normalise(edit->text()));
        }
        return false;
    }

private:
    Rule m_normalise;
};

QLineEdit* makeLine(const CardField& field, int capacity, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(field.maxLength > 0 ? qMin(field.maxLength, capacity) : capacity);
    edit->setAlignment(field.align);
    edit->setReadOnly(field.readOnly);
    if (field.kind == FieldKind::Date) installDateField(edit, field.tag);
    if (field.kind == FieldKind::Amount) {
        if (field.normalise) new AmountNormaliser(edit, field.normalise);
        // The normalised form (15 digits, the comma and the decimals) is never cut in the
        // field; one longer than the record field is refused at Save instead.
        if (field.maxLength == 0) edit->setMaxLength(qMax(capacity, 16 + field.places));
        // Wide enough for the longest normalised amount (15 digits and the decimals).
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(19, u'9')) + 24);
    }
    return edit;
}

QComboBox* makeDropDown(const CardField& field, int capacity, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(field.kind == FieldKind::Province ? places::provinceCodes() : field.items);
    combo->lineEdit()->setMaxLength(capacity);
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(20);
    return combo;
}

QToolButton* makePicture(const CardField& field, QWidget* parent) {
    QToolButton* button =
        makePictureButton(parent, field.control, {}, field.glyph, toneColour(Tone::Service));
    button->setIconSize(QSize(20, 20));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Line, date, amount and drop-down fields take part in the Enter order and have a focus
// highlight; labels, check boxes, choices and buttons do not.
bool isEntered(FieldKind kind) {
    switch (kind) {
    case FieldKind::Line:
    case FieldKind::Date:
    case FieldKind::Amount:
    case FieldKind::List:
    case FieldKind::Pick:
    case FieldKind::Province:
        return true;
    default:
        return false;
    }
}

} // namespace

CardForm::CardForm(const RecordCardDecl& decl, ScreenBehaviour* behaviour)
    : m_decl(decl), m_behaviour(behaviour) {}

void CardForm::build(QWidget* owner, const ActionFor& actionFor) {
    m_actionFor = actionFor;
    QWidget* host = owner;
    if (!m_decl.panelName.isEmpty()) {
        auto* screen = new QVBoxLayout(owner);
        screen->setContentsMargins(0, 0, 0, 0);
        m_panel = new QWidget(owner);
        m_panel->setObjectName(m_decl.panelName);
        screen->addWidget(m_panel);
        m_behaviour->addHintClearingArea(m_panel);
        host = m_panel;
    }
    m_behaviour->setHintsOnlyOverControls(m_decl.hintsOnlyOverControls);
    auto* outer = new QVBoxLayout(host);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    outer->addLayout(body, 1);
    m_behaviour->addHintClearingArea(owner);

    auto* sectionsColumn = new QVBoxLayout;
    sectionsColumn->setSpacing(6);
    body->addLayout(sectionsColumn, 1);
    buildFields(owner, sectionsColumn);

    auto* commandColumn = new QVBoxLayout;
    commandColumn->setSpacing(2);
    body->addLayout(commandColumn);
    buildCommandColumn(owner, commandColumn, actionFor);

    m_hintBar = makeHintBar(owner, m_behaviour, m_decl.initialHint);
    outer->addWidget(m_hintBar);
}

void CardForm::buildFields(QWidget* owner, QBoxLayout* column) {
    for (const CardSection& section : m_decl.sections)
        m_sectionGrids << addSection(owner, section, column);
    column->addStretch();
    for (const CardField& field : m_decl.fields)
        placeField(owner, field);
    setTabOrder(owner);
    connectEnabledBy();
    setEnterOrder();
}

QGridLayout* CardForm::addSection(QWidget* owner, const CardSection& section, QBoxLayout* column) {
    auto* frame = new QFrame(owner);
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
    for (int c = 0; c < 6; ++c)
        grid->setColumnStretch(c, 1);
    column->addWidget(frame);
    return grid;
}

// A control and its caption in two rows of its section's grid; words after the control
// share its cell in a strip of their own, which leaves room around the control for its focus
// rectangle.
QWidget* CardForm::placeField(QWidget* owner, const CardField& field) {
    QGridLayout* grid =
        field.kind == FieldKind::Hidden ? nullptr : m_sectionGrids.value(field.at.section);
    QWidget* cell = nullptr;
    if (grid && !field.after.isEmpty()) {
        cell = new QWidget(grid->parentWidget());
        auto* strip = new QHBoxLayout(cell);
        strip->setContentsMargins(4, 4, 4, 4);
    }
    QWidget* control = buildControl(owner, field,
                                    cell   ? cell
                                    : grid ? grid->parentWidget()
                                           : owner);
    if (cell) {
        auto* strip = static_cast<QHBoxLayout*>(cell->layout());
        strip->addWidget(control, 1);
        strip->addWidget(new QLabel(field.after, cell));
    }
    if (!grid) return control;
    const int row = field.at.row * 2;
    const bool captioned =
        !field.label.isEmpty() && field.kind != FieldKind::Check && field.kind != FieldKind::Push;
    if (captioned) {
        auto* caption = new QLabel(field.label, grid->parentWidget());
        caption->setObjectName(u"lbl"_s + field.control.mid(3));
        caption->setBuddy(control);
        grid->addWidget(caption, row, field.at.column, 1, field.at.span);
    }
    grid->addWidget(cell ? cell : control, row + 1, field.at.column, 1, field.at.span);
    return control;
}

QWidget* CardForm::buildControl(QWidget* owner, const CardField& field, QWidget* parentWidget) {
    const int capacity = boundCapacity(m_decl, field);
    QWidget* control = nullptr;
    switch (field.kind) {
    case FieldKind::Line:
    case FieldKind::Date:
    case FieldKind::Amount:
        control = makeLine(field, capacity, parentWidget);
        break;
    case FieldKind::List:
    case FieldKind::Pick:
    case FieldKind::Province:
        control = makeDropDown(field, capacity, parentWidget);
        break;
    case FieldKind::Label:
        control = new QLabel(parentWidget);
        static_cast<QLabel*>(control)->setAlignment(field.align);
        break;
    case FieldKind::Check:
        control = new QCheckBox(field.label, parentWidget);
        break;
    case FieldKind::Choice:
        control = buildChoice(field, parentWidget);
        break;
    case FieldKind::Hidden:
        control = new QLabel(owner);
        control->hide();
        break;
    case FieldKind::Picture:
        control = makePicture(field, parentWidget);
        break;
    case FieldKind::Push:
        control = new QPushButton(field.label, parentWidget);
        break;
    }
    control->setObjectName(field.control);
    m_controls.insert(field.control, control);
    std::function<void()> action = field.action;
    const bool pressed = field.kind == FieldKind::Picture || field.kind == FieldKind::Push;
    if (!action && pressed && m_actionFor) action = m_actionFor(field.control);
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && action)
        QObject::connect(button, &QAbstractButton::clicked, owner, action);
    if (isEntered(field.kind)) {
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

QWidget* CardForm::buildChoice(const CardField& field, QWidget* parentWidget) {
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
    return box;
}

// Tab follows the declaration order (the buttons of a choice in theirs).
void CardForm::setTabOrder(QWidget* owner) {
    QWidget* previous = nullptr;
    for (const CardField& field : m_decl.fields) {
        if (field.kind == FieldKind::Hidden) continue;
        QList<QWidget*> tabbed{m_controls.value(field.control)};
        if (const QButtonGroup* group = m_choices.value(field.control))
            tabbed = QList<QWidget*>(group->buttons().cbegin(), group->buttons().cend());
        for (QWidget* w : std::as_const(tabbed)) {
            if (previous) owner->setTabOrder(previous, w);
            previous = w;
        }
    }
}

void CardForm::connectEnabledBy() {
    for (const CardField& field : m_decl.fields) {
        auto* line = qobject_cast<QLineEdit*>(control(field.enabledBy));
        if (field.enabledBy.isEmpty() || !line) continue;
        QWidget* button = control(field.control);
        button->setEnabled(false);
        QObject::connect(line, &QLineEdit::textChanged, button, [button](const QString& value) {
            button->setEnabled(!text::trimmed(value).isEmpty());
        });
    }
}

// Enter moves through the fields in declaration order, from the last back to the first; in
// a date field it opens the calendar instead.
void CardForm::setEnterOrder() {
    for (int i = 0; i < m_enterOrder.size(); ++i)
        if (!isDateField(m_enterOrder[i]))
            m_behaviour->setEnterNext(m_enterOrder[i],
                                      m_enterStops.contains(m_enterOrder[i])
                                          ? nullptr
                                          : m_enterOrder[(i + 1) % m_enterOrder.size()]);
}

void CardForm::buildCommandColumn(QWidget* owner, QBoxLayout* column, const ActionFor& actionFor) {
    for (const Command& declared : m_decl.commands) {
        Command command = completed(declared);
        if (!command.action) command.action = actionFor(command.control);
        QToolButton* button = makeCommandButton(owner, m_behaviour, command);
        button->setMinimumWidth(150);
        column->addWidget(button);
    }
    column->addStretch();
    auto* nav = new QHBoxLayout;
    column->addLayout(nav);
    const Command moves[] = {
        {u"cmdPrimo"_s,
         {},
         u"|\u25C0"_s,
         Tone::Service,
         u"Visualizza la prima scheda in archivio."_s,
         actionFor(u"cmdPrimo"_s)},
        {u"cmdIndietro"_s,
         {},
         u"\u25C0"_s,
         Tone::Service,
         u"Visualizza la scheda precedente in archivio."_s,
         actionFor(u"cmdIndietro"_s)},
        {u"cmdAvanti"_s,
         {},
         u"\u25B6"_s,
         Tone::Service,
         u"Visualizza la scheda successiva in archivio."_s,
         actionFor(u"cmdAvanti"_s)},
        {u"cmdUltimo"_s,
         {},
         u"\u25B6|"_s,
         Tone::Service,
         u"Visualizza l'ultima scheda in archivio."_s,
         actionFor(u"cmdUltimo"_s)},
    };
    for (const Command& move : moves) {
        if (move.control == u"cmdAvanti"_s) {
            m_positionLabel = new QLabel(owner);
            m_positionLabel->setObjectName(u"lblPosizione"_s);
            m_positionLabel->setMinimumWidth(56);
            m_positionLabel->setAlignment(Qt::AlignCenter);
            m_behaviour->addHintClearingArea(m_positionLabel);
            nav->addWidget(m_positionLabel);
        }
        nav->addWidget(makeCommandButton(owner, m_behaviour, move));
    }
}

} // namespace tavolex::ui
