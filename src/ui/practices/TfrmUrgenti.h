#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/listscreen.h"

#include <optional>

namespace tavolex::ui {

// " Riepilogo pratiche urgenti": every practice whose "Pratica urgente" box is ticked; a
// double-click hands the practice back for the practice card.
class TfrmUrgenti : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmUrgenti(QWidget* parent = nullptr);

    // Fills the list from Pratiche.pro; runs each time the screen is shown.
    void FormShow();

protected:
    std::optional<ChosenRecord> findEntry(const QString& line, qint64 listedAt) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace tavolex::ui
