#pragma once

#include "ui/common/yearmenu.h"

class QLabel;

namespace tavolex::ui {

// " Tavolex - Grafici statistici": three year boxes, each opening its chart (monthly income,
// monthly expenses, yearly balance) over the menu, which stays.
class TfrmMenuStats : public YearMenu {
    Q_OBJECT
public:
    explicit TfrmMenuStats(QWidget* parent = nullptr);

private:
    void openChart(int box, const QString& yearText);

    QLabel* m_file;
};

} // namespace tavolex::ui
