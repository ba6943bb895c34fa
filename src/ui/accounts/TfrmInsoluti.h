#pragma once

#include "accounts/unpaid.h"
#include "ui/common/exportgrid.h"
#include "ui/common/yearlyarchive.h"

namespace tavolex::ui {

// The three lists of unpaid payments of a year, one design: a grid of the movements due and
// not settled (income, expenses or both), exported to the list's own file.
class UnpaidListScreen : public GridScreen, public YearlyArchive {
    Q_OBJECT
protected:
    UnpaidListScreen(accounts::UnpaidList list, const QString& objectName, QWidget* parent);
    void prepare() override;

private:
    accounts::UnpaidList m_list;
};

// " Pagamenti insoluti in entrata": income still to be collected.
class TfrmInsolutiEnt : public UnpaidListScreen {
    Q_OBJECT
public:
    explicit TfrmInsolutiEnt(QWidget* parent = nullptr);
};

// " Pagamenti insoluti in uscita": expenses still to be paid.
class TfrmInsolutiUsc : public UnpaidListScreen {
    Q_OBJECT
public:
    explicit TfrmInsolutiUsc(QWidget* parent = nullptr);
};

// " Pagamenti insoluti in entrata e in uscita": both.
class TfrmInsolutiAll : public UnpaidListScreen {
    Q_OBJECT
public:
    explicit TfrmInsolutiAll(QWidget* parent = nullptr);
};

} // namespace tavolex::ui
