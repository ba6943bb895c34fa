#pragma once

#include "ui/common/report/reportdata.h"

#include <QDialog>
#include <QPointer>

namespace tavolex::ui {

// " Stampa scheda": prints the protocol card as it is shown on screen.
class TfrmStampaProtocollo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStampaProtocollo(QWidget* parent = nullptr);

    // The card whose fields are printed; by default the protocol card.
    void setSource(QWidget* card);

    // The card report ("SCHEDA PROTOCOLLO DOCUMENTO") filled from the card's fields.
    report::CardReport cardReport() const;

    void btnStampaClick();
    void btnAnnullaClick();

private:
    QWidget* source() const;

    QPointer<QWidget> m_source;
};

} // namespace tavolex::ui
