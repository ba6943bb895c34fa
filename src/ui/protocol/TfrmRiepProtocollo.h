#pragma once

#include "ui/common/exportgrid.h"
#include "ui/common/yearlyarchive.h"

class QLineEdit;

namespace tavolex::ui {

// " Riepilogo protocollo per intervallo di tempo": the documents registered between
// two dates, both included, and their export to "Protocollo.xls".
class TfrmRiepProtocollo : public GridScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmRiepProtocollo(QWidget* parent = nullptr);

    void cmdTrovaClick();

protected:
    void prepare() override;

private:
    QLineEdit* m_start;
    QLineEdit* m_end;
};

} // namespace tavolex::ui
