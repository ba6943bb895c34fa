#pragma once

#include "ui/common/checkdialog.h"

namespace tavolex::ui {

// Tells whether an IBAN is well formed by its modulo-97 check digits.
// Opened modally by the client card's IBAN button; it stays open only on a wrong format.
class TfrmIban : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
