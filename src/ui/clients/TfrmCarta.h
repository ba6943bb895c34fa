#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Tells whether a payment-card number passes the Luhn test and names its network.
// Opened modally by the client card's card button; it only reports, never writes back.
class TfrmCarta : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);

    // The caller's (trimmed) card number, put into txtNumero before exec().
    void setInput(const QString& number);
    QString input() const;

    // Shows the verdict; closes the screen (accepted) unless the input is empty.
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
