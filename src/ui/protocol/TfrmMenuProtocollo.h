#pragma once

#include "ui/common/yearmenu.h"

namespace tavolex::ui {

// " Tavolex - Protocollo Posta": the year menu. "Apri" hands the year to the protocol
// card; closing returns to the main menu (tag "avvio") or shows the card (tag
// "protocollo").
class TfrmMenuProtocollo : public YearMenu {
    Q_OBJECT
public:
    explicit TfrmMenuProtocollo(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
