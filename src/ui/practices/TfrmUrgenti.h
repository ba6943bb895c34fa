#pragma once

#include "ui/common/flaggedlist.h"

namespace tavolex::ui {

// " Riepilogo pratiche urgenti": every practice whose "Pratica urgente" box is ticked; a
// double-click hands the practice back for the practice card.
class TfrmUrgenti : public FlaggedListScreen {
    Q_OBJECT
public:
    explicit TfrmUrgenti(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
