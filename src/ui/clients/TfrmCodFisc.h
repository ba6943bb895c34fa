#pragma once

#include "ui/common/checkdialog.h"

namespace tavolex::ui {

// Tells whether a personal tax code is well formed by recomputing its check letter.
// Opened modally by the cards' tax-code buttons; it stays open only on a wrong length.
class TfrmCodFisc : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
