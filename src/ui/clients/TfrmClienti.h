#pragma once

#include "ui/common/recordcard.h"

namespace tavolex::ui {

// The clients card over Clienti.pro.
class TfrmClienti : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);

    void btnEmailClick();
    void cmdTrovaClick();
    void cmdRicontattaClick();
};

} // namespace tavolex::ui
