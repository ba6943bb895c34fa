#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavolex::ui {

// " Tavolex - Protocollo Posta": the year menu. "Apri" points the protocol card at the
// year's archive; closing returns to the main menu (tag "avvio") or shows the card
// (tag "protocollo").
class TfrmMenuProtocollo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMenuProtocollo(QWidget* parent = nullptr);

    QString callerTag() const;

    void btnApriPreventiviClick();
    void imgGuidaClick();
    void imgEsciClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* m_year;
    QPushButton* m_open;
    QLabel* m_memory;
};

} // namespace tavolex::ui
