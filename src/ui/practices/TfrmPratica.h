#pragma once

#include "ui/common/recordcard.h"

namespace tavolex::ui {

// The practice card over Pratiche.pro, one file for all years.
class TfrmPratica : public RecordCard {
    Q_OBJECT
public:
    explicit TfrmPratica(QWidget* parent = nullptr);

    void btnElencoClick();
    void cmdTrovaClick();
    void cmdCartellaClick();
    void cmdUrgenteClick();
};

} // namespace tavolex::ui
