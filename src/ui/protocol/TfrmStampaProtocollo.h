#pragma once

#include "ui/common/report/reportdata.h"

#include <QDialog>

namespace tavolex::ui {

// " Stampa scheda": prints the card report its caller hands it (the protocol card as it
// is shown on screen).
class TfrmStampaProtocollo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaProtocollo(QWidget* parent = nullptr);

    void setCardReport(report::CardReport report);
    const report::CardReport& cardReport() const { return m_report; }

    void btnStampaClick();
    void btnAnnullaClick();

private:
    report::CardReport m_report;
};

} // namespace tavolex::ui
