#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Tells whether a personal tax code is well formed by recomputing its check letter.
// Opened modally by the cards' tax-code buttons; it only reports, never writes back.
class TfrmCodFisc : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);

    // The caller's (trimmed) tax code, put into txtCodFisc before exec().
    void setInput(const QString& code);
    QString input() const;

    // Shows the verdict; closes the screen (accepted) unless the length is wrong.
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
