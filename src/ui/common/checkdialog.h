#pragma once

#include "behaviour.h"
#include "core/checks/checkresult.h"

#include <QDialog>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Codes typed in capitals: trimmed and upper-cased after every keystroke and key release.
inline constexpr unsigned kCodeTyping = UpperEachKey | TrimEachKey | UpperOnRelease | TrimOnRelease;

// The one input field of a check dialog.
struct CheckField {
    QString name;       // objectName of the line edit ("txtCodFisc")
    QString stem;       // its yellow highlight is "eff" + stem
    int limit = 0;      // characters the user can type
    unsigned rules = 0; // ScreenBehaviour typing rules (TypingRule flags)
};

// What tells one check dialog from another.
struct CheckDialogDecl {
    QString name;    // the screen's objectName: its class name
    QString caption; // window title, with its leading blank
    QString title;   // lblTitolo
    CheckField field;
    // Judges the input; its message is shown as a warning or an information box.
    std::function<checks::CheckResult(const QString&)> check;
};

// A small fixed-size dialog that checks one identifier typed or passed in by a caller:
// "Controlla" shows the verdict and closes, unless the input itself is unusable, in which
// case it stays open on the field; "Chiudi" closes without a word. It only reports, never
// writes back. Enter in the field moves on to "Controlla".
class CheckDialog : public QDialog {
    Q_OBJECT
public:
    // The caller's (trimmed) value, put into the field before exec(). It is shown whole
    // even when longer than the typing limit, so the check judges what the caller holds.
    void setInput(const QString& value);
    QString input() const;

    // Shows the verdict; closes the screen (accepted) unless the verdict keeps it open.
    void btnControllaClick();
    void btnChiudiClick();

protected:
    CheckDialog(CheckDialogDecl decl, QWidget* parent);

    void showEvent(QShowEvent* event) override;

private:
    void relaxLimit();

    std::function<checks::CheckResult(const QString&)> m_check;
    int m_limit;
    QLineEdit* m_field;
};

} // namespace tavolex::ui
