#include "behaviour.h"

#include "text/casing.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

ScreenBehaviour::ScreenBehaviour(QWidget* screen) : QObject(screen), m_screen(screen) {
    // Keys a focused button leaves unhandled (Enter) come up to the screen.
    screen->installEventFilter(this);
}

void ScreenBehaviour::watch(QWidget* widget) {
    widget->removeEventFilter(this);
    widget->installEventFilter(this);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
        combo->lineEdit()->removeEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
}

QWidget* ScreenBehaviour::fieldFor(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return nullptr;
    // Events of an editable combo box's inner line edit belong to the combo box.
    if (auto* combo = qobject_cast<QComboBox*>(widget->parentWidget());
        combo && combo->lineEdit() == widget)
        return combo;
    return widget;
}

QFrame* ScreenBehaviour::addHighlight(QWidget* field, const QString& stem) {
    auto* frame = new QFrame(field->parentWidget());
    frame->setObjectName(u"eff"_s + stem);
    frame->setProperty("tavolexHighlight", true);
    frame->hide();
    m_highlights.insert(field, frame);
    watch(field);
    return frame;
}

void ScreenBehaviour::setEnterNext(QWidget* field, QWidget* next) {
    m_next.insert(field, next);
    watch(field);
}

void ScreenBehaviour::setFieldOrder(const QList<QWidget*>& order) {
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
        if (!qobject_cast<QAbstractButton*>(order[i - 1])) setEnterNext(order[i - 1], order[i]);
    }
}

void ScreenBehaviour::setTypingRules(QWidget* field, unsigned rules) {
    m_rules.insert(field, rules);
    watch(field);
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) edit = combo->lineEdit();
    if (edit && (rules & (UpperEachKey | TrimEachKey)))
        connect(edit, &QLineEdit::textEdited, this,
                [this, field] { applyToField(field, UpperEachKey | TrimEachKey); });
    if (!edit || rules == NoRule) return;
    // Text that comes without keys (pasted with the mouse or the context menu, dropped, from
    // an input method) meets the same rules as typed text.
    m_lastText.insert(field, edit->text());
    connect(edit, &QLineEdit::textChanged, this,
            [this, field, edit] { m_lastText.insert(field, edit->text()); });
    connect(edit, &QLineEdit::textEdited, this,
            [this, field, edit] { editedWithoutKeys(field, edit); });
}

bool keepsCharacterRules(const QString& text, unsigned rules, const QStringList& entries) {
    if (rules & PickOnly) return text.isEmpty() || entries.contains(text);
    if (!(rules & (DigitsOnly | AmountKeys))) return true;
    const bool comma = rules & AmountKeys;
    return std::all_of(text.begin(), text.end(), [comma](QChar c) {
        return (c >= u'0' && c <= u'9') || (comma && c == u',');
    });
}

void ScreenBehaviour::editedWithoutKeys(QWidget* field, QLineEdit* edit) {
    if (m_keyField == field) return; // typed: the key rules have already been applied
    const unsigned rules = m_rules.value(field);
    QStringList entries;
    if (auto* combo = qobject_cast<QComboBox*>(field))
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
    if (!keepsCharacterRules(edit->text(), rules, entries)) {
        const QString before = m_lastText.value(field);
        edit->setText(before);
        edit->setCursorPosition(int(before.size()));
        return;
    }
    // Typed key by key, a field trimmed at every key can hold no blank at all.
    if (rules & TrimEachKey) {
        QString compact = edit->text();
        compact.removeIf([](QChar c) { return c.unicode() <= 32; });
        if (compact != edit->text()) edit->setText(compact);
    }
    applyToField(field, UpperEachKey | TrimEachKey | UpperOnRelease | TrimOnRelease);
}

void ScreenBehaviour::setHintBar(QLabel* bar) {
    m_hintBar = bar;
    addHintClearingArea(bar);
}

void ScreenBehaviour::setHint(QWidget* control, const QString& hint) {
    m_hints.insert(control, hint);
    watch(control);
}

void ScreenBehaviour::addHintClearingArea(QWidget* area) {
    m_clearing.insert(area, true);
    area->setMouseTracking(true);
    watch(area);
}

QString ScreenBehaviour::applyRules(const QString& text, unsigned rules, unsigned which) {
    const unsigned active = rules & which;
    QString out = text;
    if (active & (TrimEachKey | TrimOnLeave)) out = text::trimmed(out);
    if (active & (UpperEachKey | UpperOnRelease | UpperOnLeave)) out = text::upperAZ(out);
    return out;
}

void ScreenBehaviour::applyToField(QWidget* field, unsigned which) {
    const unsigned rules = m_rules.value(field);
    QLineEdit* edit = qobject_cast<QLineEdit*>(field);
    if (auto* combo = qobject_cast<QComboBox*>(field)) edit = combo->lineEdit();
    if (!edit || !(rules & which)) return;
    const QString before = edit->text();
    const QString after = applyRules(before, rules, which);
    if (after == before) return;
    // Only blanks dropped in front of the cursor move it; casing keeps every length.
    const int cursor = edit->cursorPosition();
    int droppedInFront = 0;
    if (rules & which & (TrimEachKey | TrimOnLeave | TrimOnRelease))
        while (droppedInFront < cursor && before[droppedInFront].unicode() <= 32)
            ++droppedInFront;
    edit->setText(after);
    edit->setCursorPosition(qBound(0, cursor - droppedInFront, int(after.size())));
}

namespace {
// Whether a key reaches a pick-only drop-down: Enter and Tab always; the arrows on a card's
// drop-down, only the keys that open the list on one picked from its list alone.
bool isPickListKey(const QKeyEvent* key, bool listOnly) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    case Qt::Key_F4:
        return listOnly;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return !listOnly || (key->modifiers() & Qt::AltModifier);
    case Qt::Key_Left:
    case Qt::Key_Right:
        return !listOnly;
    default:
        return false;
    }
}

bool isDigitKeyAllowed(const QKeyEvent* key, bool comma) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    const QString t = key->text();
    return t.size() == 1 && ((t[0] >= u'0' && t[0] <= u'9') || (comma && t[0] == u','));
}
} // namespace

// Enter on a focused button presses it, as Space does: Enter moves the focus from field
// to field, so it must also act once it lands on a button.
bool ScreenBehaviour::pressFocusedButton(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    QWidget* focus = m_screen->focusWidget();
    auto* button = qobject_cast<QAbstractButton*>(focus);
    if (!button || !(qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)) ||
        !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

// The pointer moved over `watched` (or over a child of it that does not follow the mouse):
// a control with a hint shows it, the bare background clears the bar, anything else
// (fields, labels, pictures without a hint) leaves the bar as it was.
void ScreenBehaviour::pointerMoved(QWidget* watched, const QPoint& position) {
    if (!m_hintBar) return;
    QWidget* under = watched->childAt(position);
    for (QWidget* w = under; w && w != watched; w = w->parentWidget()) {
        if (const auto hint = m_hints.constFind(w); hint != m_hints.cend()) {
            m_hintBar->setText(*hint);
            return;
        }
    }
    QWidget* target = under ? under : watched;
    if (const auto hint = m_hints.constFind(target); hint != m_hints.cend())
        m_hintBar->setText(*hint);
    else if (m_clearing.contains(target) || m_hintsOnlyOverControls)
        m_hintBar->clear();
}

bool ScreenBehaviour::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_screen && pressFocusedButton(event)) return true;
    QWidget* widget = fieldFor(watched);
    if (!widget) return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (QFrame* frame = m_highlights.value(widget)) {
            frame->setGeometry(widget->geometry().adjusted(-4, -4, 4, 4));
            frame->show();
            frame->stackUnder(widget);
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget);
            combo && combo->isEditable() && m_rules.contains(widget) && watched == widget) {
            // The list selection is reset before the field takes the focus; the text stays.
            const QString text = combo->currentText();
            combo->setCurrentIndex(-1);
            combo->setEditText(text);
        }
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // Layouts place fields after they take the focus: keep the rectangle behind the field.
        if (QFrame* frame = m_highlights.value(widget); frame && watched == widget)
            frame->setGeometry(widget->geometry().adjusted(-4, -4, 4, 4));
        break;
    case QEvent::FocusOut:
        if (QFrame* frame = m_highlights.value(widget)) frame->hide();
        applyToField(widget, TrimOnLeave | UpperOnLeave);
        if (auto* combo = qobject_cast<QComboBox*>(widget);
            combo && (m_rules.value(widget) & PickOnly) && watched == widget &&
            combo->findText(text::trimmed(combo->currentText()), Qt::MatchExactly) < 0)
            combo->setEditText({});
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const unsigned rules = m_rules.value(widget);
        if (key->matches(QKeySequence::Paste)) {
            // Ctrl+V and Shift+Insert bring text as "Incolla" does: it meets the field's rules
            // as a whole once it is in (editedWithoutKeys), not key by key.
            m_keyField = nullptr;
            break;
        }
        m_keyField = widget;
        if ((rules & AmountKeys) && (key->text() == u"."_s || key->key() == Qt::Key_Period)) {
            // An amount's decimals always follow a comma: the point (also the keypad's) types it.
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->isReadOnly())
                edit->insert(u","_s);
            return true;
        }
        if ((rules & (DigitsOnly | DigitsAndComma)) &&
            !isDigitKeyAllowed(key, rules & DigitsAndComma))
            return true;
        if ((rules & PickOnly) && !isPickListKey(key, (rules & PickFromList) == PickFromList)) {
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
                if ((rules & PickFromList) != PickFromList) setControlText(widget, {});
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            m_next.contains(widget)) {
            if (QWidget* next = m_next.value(widget)) next->setFocus(Qt::OtherFocusReason);
            return true;
        }
        break;
    }
    case QEvent::KeyRelease:
        m_keyField = nullptr;
        applyToField(widget, UpperOnRelease | TrimOnRelease);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::InputMethod:
        m_keyField = nullptr;
        break;
    case QEvent::Enter:
        // Only a control's own hint: a window opening under a still pointer "enters" its
        // background too, and must keep its first hint until the pointer moves.
        if (m_hintBar && m_hints.contains(widget)) m_hintBar->setText(m_hints.value(widget));
        break;
    case QEvent::MouseMove:
        if (watched == widget)
            pointerMoved(widget, static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    default:
        break;
    }
    return false;
}

QString controlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(control)) return plain->toPlainText();
    return {};
}

void setControlText(QWidget* control, const QString& text) {
    // A long value is shown from its first character, not scrolled to its end.
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->setEditText(text);
        if (combo->lineEdit()) combo->lineEdit()->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
}

} // namespace tavolex::ui
