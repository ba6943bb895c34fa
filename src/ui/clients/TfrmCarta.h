#pragma once

#include "ui/common/checkdialog.h"

namespace tavolex::ui {

// Tells whether a payment-card number passes the Luhn test and names its network.
// Opened modally by the client card's card button; it stays open only on an empty input.
class TfrmCarta : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
