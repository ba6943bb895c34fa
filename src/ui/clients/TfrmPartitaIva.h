#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// Tells whether an Italian VAT number is well formed and which tax office issued it.
// Opened modally by the VAT and tax-code buttons; it only reports, never writes back.
class TfrmPartitaIva : public QDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);

    // The caller's (trimmed) VAT number, put into txtPartitaIva before exec().
    void setInput(const QString& number);
    QString input() const;

    // Shows the verdict; closes the screen (accepted) unless the input format is wrong.
    void btnControllaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_title;
    QFrame* m_highlight;
    QLineEdit* m_field;
    QPushButton* m_check;
    QPushButton* m_close;
};

} // namespace tavolex::ui
