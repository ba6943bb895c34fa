#pragma once

#include "ui/common/chosenrecord.h"
#include "ui/common/listscreen.h"

#include <optional>

namespace tavolex::ui {

// The clients to re-contact: every client whose "Da ricontattare" box is ticked, with
// its pending questions; a double-click hands the client back for the clients card.
class TfrmRicontatta : public ListScreen {
    Q_OBJECT
public:
    explicit TfrmRicontatta(QWidget* parent = nullptr);

    // Fills the list from Clienti.pro; runs each time the screen is shown.
    void FormShow();

protected:
    std::optional<ChosenRecord> findEntry(const QString& line, qint64 listedAt) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace tavolex::ui
