#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <functional>

// Helpers for driving real screens in tests under the offscreen platform.
namespace tavolex::test {

// What a modal message box showed before the test answered it.
struct SeenBox {
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QStringList buttons; // button texts without '&'
};

// Runs `action` (which opens a modal message box) and answers the box by clicking
// the button whose text (without '&') is `answer`; an empty answer clicks the first
// button. The real box is shown and answered from inside its own event loop.
SeenBox answerNextBox(const std::function<void()>& action, const QString& answer = {});
// The same for several boxes, one after another, answered with `answers` in order.
QList<SeenBox> answerBoxes(const std::function<void()>& action, const QStringList& answers);

// Finds a direct or indirect child by objectName; fails the current test if absent.
// Screens build their widgets when first polished, as showing them does.
template <typename T> T* child(QWidget* parent, const QString& name) {
    parent->ensurePolished();
    T* found = parent->findChild<T*>(name);
    if (!found) throw std::runtime_error("no child " + name.toStdString());
    return found;
}

// The top-level widget with this objectName (the visible one first).
QWidget* topLevel(const QString& name);

// A fresh, writable program folder with the shipped files copied in.
QString makeProgramFolder();

// Calls `body` for the next modal dialog other than a message box (those are answered
// through the messages service) that opens during `action`, then returns.
void withNextModal(const std::function<void()>& action, const std::function<void(QWidget*)>& body);

// Puts a file's modification time an hour back, as an archive saved long before a list is
// read from it (a list does not go by the times of an archive written moments before).
bool ageFile(const QString& path);

// The ways text reaches a field without being typed key by key.
enum class PasteWay {
    Menu,        // "Incolla" from the field's context menu
    CtrlV,       // the paste shortcut
    ShiftInsert, // its other shortcut
    InputMethod, // committed by an input method
};
inline constexpr PasteWay kPasteWays[] = {PasteWay::Menu, PasteWay::CtrlV, PasteWay::ShiftInsert,
                                          PasteWay::InputMethod};
const char* pasteWayName(PasteWay way);

// Text pasted through the clipboard, or committed by an input method, over the whole text of
// a line edit or an editable drop-down that held `before`; the text the field then holds.
QString pastedInto(QWidget* field, const QString& before, const QString& text, PasteWay way);

// One row of a paste table: what a field held, what was pasted, what it holds after.
struct PasteCase {
    const char16_t* field;
    QString before, pasted, after;
};

} // namespace tavolex::test
