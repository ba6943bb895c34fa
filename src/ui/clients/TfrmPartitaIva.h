#pragma once

#include "ui/common/checkdialog.h"

namespace tavolex::ui {

// Tells whether an Italian VAT number is well formed and which tax office issued it.
// Opened modally by the VAT and tax-code buttons; it stays open only on a wrong format.
class TfrmPartitaIva : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
