#pragma once

#include "ui/common/exportgrid.h"

namespace tavolex::ui {

// The whole client archive in a read-only grid (grdRecords), exported to "Clienti.xls".
class TfrmExpClienti : public GridScreen {
    Q_OBJECT
public:
    explicit TfrmExpClienti(QWidget* parent = nullptr);

    static constexpr int kColumnCount = 26;

    // Fills the grid from Clienti.pro; runs each time the screen is shown.
    void FormShow();

protected:
    void prepare() override { FormShow(); }
};

} // namespace tavolex::ui
