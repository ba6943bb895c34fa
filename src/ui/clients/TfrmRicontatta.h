#pragma once

#include "ui/common/flaggedlist.h"

namespace tavolex::ui {

// " Riepilogo Clienti da ricontattare": every client whose "Da ricontattare" box is ticked,
// with its pending questions; a double-click hands the client back for the clients card.
class TfrmRicontatta : public FlaggedListScreen {
    Q_OBJECT
public:
    explicit TfrmRicontatta(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
