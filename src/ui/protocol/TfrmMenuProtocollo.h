#pragma once

#include "ui/common/yearmenu.h"

namespace tavolex::ui {

// " Tavolex - Protocollo Posta": the year menu. "Apri" points the protocol card at the
// year's archive; closing returns to the main menu (tag "avvio") or shows the card
// (tag "protocollo").
class TfrmMenuProtocollo : public YearMenu {
    Q_OBJECT
public:
    explicit TfrmMenuProtocollo(QWidget* parent = nullptr);

protected:
    void openYear(const QString& yearText) override;
};

} // namespace tavolex::ui
