#pragma once

#include "ui/common/exportgrid.h"
#include "ui/common/yearlyarchive.h"

namespace tavolex::ui {

// " Esporta archivio movimenti in Microsoft Excel": every movement of the open year in a
// grid, exported to "Movimenti.xls".
class TfrmExpMovimenti : public GridScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmExpMovimenti(QWidget* parent = nullptr);

protected:
    void prepare() override;
};

} // namespace tavolex::ui
