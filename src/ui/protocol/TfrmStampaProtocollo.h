#pragma once

#include "ui/common/printrecord.h"

namespace tavolex::ui {

// " Stampa scheda": prints the card report its caller hands it (the protocol card as it
// is shown on screen).
class TfrmStampaProtocollo : public PrintRecordScreen {
    Q_OBJECT
public:
    explicit TfrmStampaProtocollo(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
