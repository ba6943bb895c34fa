#pragma once

#include "ui/common/report/reportdata.h"

#include <QDialog>

namespace tavolex::ui {

// " Stampa scheda corrente": prints the card report its caller hands it (the movement card
// as it is shown, saved or not).
class TfrmStampaMovimento : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaMovimento(QWidget* parent = nullptr);

    void setCardReport(report::CardReport report);
    const report::CardReport& cardReport() const { return m_report; }

    void btnStampaClick();
    void btnAnnullaClick();

private:
    report::CardReport m_report;
};

} // namespace tavolex::ui
