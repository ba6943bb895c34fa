#pragma once

#include "ui/common/yearmenu.h"

class QLabel;

namespace tavolex::ui {

// " Tavolex - Pagamenti Insoluti": three year boxes, each opening its list of unpaid
// payments (income, expenses, both) over the menu, which stays.
class TfrmMenuInsoluti : public YearMenu {
    Q_OBJECT
public:
    explicit TfrmMenuInsoluti(QWidget* parent = nullptr);

private:
    void openList(int box, const QString& yearText);

    QLabel* m_file;
};

} // namespace tavolex::ui
