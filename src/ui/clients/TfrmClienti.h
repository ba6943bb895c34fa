#pragma once

#include "ui/common/recordcard.h"
#include "ui/common/report/reportdocument.h"

namespace tavolex::ui {

// The clients card over Clienti.pro.
class TfrmClienti : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);
    QString archivePath() const override;

    void btnEmailClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();
    void btnIbanClick();
    void btnCartaClick();
    void cmdFileClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdPDFClick();
    void cmdRicontattaClick();
    void cmdEsportaClick();

    // The card report of the shown client.
    report::ReportDocument cardReport() const;

private:
    void addSmallButton(const QString& name, const QString& glyph, const QString& hint, int section,
                        int row, int column, void (TfrmClienti::*slot)());
};

} // namespace tavolex::ui
