#pragma once

#include "ui/common/exportgrid.h"
#include "ui/common/yearlyarchive.h"

namespace tavolex::ui {

// " Esporta protocollo posta in Microsoft Excel": the whole yearly archive in a grid,
// exported to "Protocollo.xls" (worksheet "Protocollo Posta").
class TfrmExpProtocollo : public GridScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmExpProtocollo(QWidget* parent = nullptr);

protected:
    void prepare() override;
};

} // namespace tavolex::ui
