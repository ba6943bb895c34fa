#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Changes the stored password; shown in place of the password screen.
class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

    void cmdOKClick();
    void cmdEsciClick();

Q_SIGNALS:
    // The screen closed: the shell goes back to the password screen.
    void finished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateOk();

    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    QPushButton* m_ok;
    QLabel* m_memory;
};

} // namespace tavolex::ui
