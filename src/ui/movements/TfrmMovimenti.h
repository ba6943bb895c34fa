#pragma once

#include "ui/common/recordcard.h"

namespace tavolex::ui {

// The movement card over the yearly archive chosen in the year menu (hidden label lblFile).
// Shown by the year menu; closing it returns to the main menu.
class TfrmMovimenti : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmMovimenti(QWidget* parent = nullptr);

    void sndEmailClick();
    void cmdTrovaClick();
    void cmdScadenzeClick();

protected:
    // The caption names the year.
    void yearOpened(const QString& yearText) override;
    void built() override;
    // A duplicate is not settled, dated today and has no due date.
    void clearOnDuplicate() override;

private:
    // The amount label follows the movement type: black for income, red for an expense.
    void showMovementType();
};

} // namespace tavolex::ui
