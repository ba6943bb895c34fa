#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/listscreen.h"
#include "ui/common/yearlyarchive.h"

#include <optional>

namespace tavolex::ui {

// " Riepilogo pagamenti in scadenza o scaduti": every movement of the open year that is not
// settled and whose notice period has begun; a double-click hands it back for the card.
class TfrmSospesiMov : public ListScreen, public YearlyArchive {
    Q_OBJECT
public:
    explicit TfrmSospesiMov(QWidget* parent = nullptr);

    // Fills the list; runs each time the screen is shown.
    void FormShow();

protected:
    std::optional<ChosenRecord> findEntry(const QString& line,
                                          const lists::ListedRecord& listed) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace tavolex::ui
