#pragma once

#include "ui/common/recordcard.h"

namespace tavolex::ui {

// The protocol card over the yearly archive chosen in the year menu (hidden label
// lblFile). Shown by the year menu; closing it returns to the main menu.
class TfrmProtocollo : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmProtocollo(QWidget* parent = nullptr);

    // Points the card at the archive of a year (as typed in the year menu) and names the
    // year in the caption.
    void openYear(const QString& yearText);

    void cmdNuovoClick() override;
};

} // namespace tavolex::ui
