#pragma once

#include "ui/common/exportgrid.h"

namespace tavolex::ui {

// " Esporta Archivio Pratiche in Microsoft Excel": every practice in a grid, exported to
// "Pratiche.xls".
class TfrmExpPratiche : public GridScreen {
    Q_OBJECT
public:
    explicit TfrmExpPratiche(QWidget* parent = nullptr);

protected:
    void prepare() override;
};

} // namespace tavolex::ui
