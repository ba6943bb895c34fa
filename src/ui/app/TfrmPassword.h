#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

class ScreenBehaviour;

// The first screen of the program: only the correct password leads to the main menu.
class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    // Called when the change-password screen closes: back to an empty password screen.
    void resetAndFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateOk();

    QLineEdit* m_password;
    QPushButton* m_ok;
    QLabel* m_memory;
};

} // namespace tavolex::ui
