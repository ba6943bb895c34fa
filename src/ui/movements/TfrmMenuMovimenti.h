#pragma once

#include "ui/common/yearmenu.h"

namespace tavolex::ui {

// " Tavolex - Entrate e Uscite": the year menu. "Apri" hands the year to the movement card;
// closing returns to the main menu (tag "avvio") or shows the card (tag "movimenti").
class TfrmMenuMovimenti : public YearMenu {
    Q_OBJECT
public:
    explicit TfrmMenuMovimenti(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
