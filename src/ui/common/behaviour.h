#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace tavolex::ui {

// How a field rewrites its text while the user types.
enum TypingRule : unsigned {
    NoRule = 0,
    UpperEachKey = 1 << 0,   // A-Z upper-cased after every keystroke
    TrimEachKey = 1 << 1,    // trimmed after every keystroke
    UpperOnRelease = 1 << 2, // A-Z upper-cased after every key release
    TrimOnLeave = 1 << 3,    // trimmed when the field loses the focus
    UpperOnLeave = 1 << 4,   // upper-cased when the field loses the focus
    DigitsOnly = 1 << 5,     // keys that do not yield a digit are discarded
    TrimOnRelease = 1 << 6,  // trimmed after every key release
    AmountKeys = 1 << 7,     // only digits and "," (and the editing keys) get through
    DigitsAndComma = AmountKeys,
    // A drop-down that takes no typing: Backspace or Delete empty it, other keys are
    // discarded, and a text that is not one of its entries is erased when it is left.
    PickOnly = 1 << 8,
    // Digits only, and checked again at Save: a count other screens compute with (notice days).
    CountDigits = DigitsOnly | 1 << 9,
    // A drop-down whose value is only ever picked from its list: every key is discarded but
    // Enter, Tab and those that open the list (F4, Alt+Down, Alt+Up); Backspace too.
    PickFromList = PickOnly | 1 << 10,
};

// Whether a text as a whole keeps the character rules of a field: only digits (DigitsOnly),
// digits and "," (AmountKeys), empty or one of `entries` (PickOnly). Pasted, dropped and
// input-method text that breaks them is refused, as its keys would have been.
bool keepsCharacterRules(const QString& text, unsigned rules, const QStringList& entries = {});

// The small behaviours every screen shares: the yellow focus highlight, Enter moving
// to the next field and pressing a focused button, typing rules and the hint bar. One instance per
// screen, as an event filter on the widgets it is given.
class ScreenBehaviour : public QObject {
    Q_OBJECT
public:
    explicit ScreenBehaviour(QWidget* screen);

    // A yellow rectangle "eff" + stem behind the field, 4 points larger on every side,
    // shown while the field has the focus.
    QFrame* addHighlight(QWidget* field, const QString& stem);
    // Enter (key 13) in `field` moves the focus to `next`.
    void setEnterNext(QWidget* field, QWidget* next);
    // The screen's fields and buttons in their order: Tab goes through them in it, and Enter
    // in each field (not in a button, which Enter presses) moves to the next one.
    void setFieldOrder(const QList<QWidget*>& order);
    void setTypingRules(QWidget* field, unsigned rules);

    // The hint bar: a control with a hint writes it into the bar while the mouse is
    // over it; moving over a clearing area (background, panels) empties the bar; other
    // controls (fields, labels, pictures without a hint) leave it as it was.
    void setHintBar(QLabel* bar);
    void setHint(QWidget* control, const QString& hint);
    void addHintClearingArea(QWidget* area);
    // For screens whose bar is emptied whenever the pointer is over no control with a hint.
    void setHintsOnlyOverControls(bool only) { m_hintsOnlyOverControls = only; }

    static QString applyRules(const QString& text, unsigned rules, unsigned which);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressFocusedButton(QEvent* event);
    void pointerMoved(QWidget* watched, const QPoint& position);
    void watch(QWidget* widget);
    void applyToField(QWidget* field, unsigned which);
    void editedWithoutKeys(QWidget* field, QLineEdit* edit);
    QWidget* fieldFor(QObject* watched) const;

    QHash<QWidget*, QFrame*> m_highlights;
    QHash<QWidget*, QPointer<QWidget>> m_next;
    QHash<QWidget*, unsigned> m_rules;
    QHash<QWidget*, QString> m_hints;
    QHash<QWidget*, QString> m_lastText; // each ruled field's text before its latest change
    QPointer<QWidget> m_keyField;        // the field a key press is being typed into
    QHash<QWidget*, bool> m_clearing;
    QPointer<QLabel> m_hintBar;
    QWidget* m_screen;
    bool m_hintsOnlyOverControls = false;
};

// Text of an edit-like control (line edit, editable combo box, label); empty otherwise.
QString controlText(const QWidget* control);
void setControlText(QWidget* control, const QString& text);

} // namespace tavolex::ui
