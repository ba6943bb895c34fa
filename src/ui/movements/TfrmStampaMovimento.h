#pragma once

#include "ui/common/printrecord.h"

namespace tavolex::ui {

// " Stampa scheda corrente": prints the card report its caller hands it (the movement card
// as it is shown, saved or not).
class TfrmStampaMovimento : public PrintRecordScreen {
    Q_OBJECT
public:
    explicit TfrmStampaMovimento(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
