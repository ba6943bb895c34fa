#pragma once

#include "ui/common/recordcard.h"

namespace tavolex::ui {

// The protocol card over the yearly archive chosen in the year menu (hidden label
// lblFile). Shown by the year menu; closing it returns to the main menu.
class TfrmProtocollo : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmProtocollo(QWidget* parent = nullptr);

    void cmdNuovoClick() override;

protected:
    // The caption names the year.
    void yearOpened(const QString& yearText) override;
};

} // namespace tavolex::ui
