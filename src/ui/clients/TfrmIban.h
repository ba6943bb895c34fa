#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Tells whether an IBAN is well formed by its modulo-97 check digits.
// Opened modally by the client card's IBAN button; it only reports, never writes back.
class TfrmIban : public QDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);

    // The caller's (trimmed) IBAN, put into txtIban before exec().
    void setInput(const QString& iban);
    QString input() const;

    // Shows the verdict; closes the screen (accepted) unless the input format is wrong.
    void btnControllaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTypingRule();

    QLabel* m_title;
    QFrame* m_highlight;
    QLineEdit* m_field;
    QPushButton* m_check;
    QPushButton* m_close;
};

} // namespace tavolex::ui
