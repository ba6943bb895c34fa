#pragma once

#include "accounts/statistics.h"
#include "records/store.h"
#include "statsscreen.h"
#include "ui/common/hiddenlabels.h"

namespace tavolex::ui {

// The twelve month sums of one kind of movement.
class MonthlyStatsScreen : public StatsScreen {
    Q_OBJECT
public:
    // The sums the chart and the labels mem… show: zero until the screen is first shown.
    const accounts::MonthSums& sums() const { return m_sums; }

protected:
    MonthlyStatsScreen(const StatsScreenDecl& decl, accounts::MovementKind kind, QWidget* parent);
    void fillSeries() override;

private:
    accounts::MovementKind m_kind;
    accounts::MonthSums m_sums;
    HiddenLabels m_memos; // the exact sums as text ("100,8"; "0" until summed)
};

// " Tavolex - Statistiche entrate mensili".
class TfrmStatsEntrate : public MonthlyStatsScreen {
    Q_OBJECT
public:
    explicit TfrmStatsEntrate(QWidget* parent = nullptr);
};

// " Tavolex - Statistiche uscite mensili".
class TfrmStatsUscite : public MonthlyStatsScreen {
    Q_OBJECT
public:
    explicit TfrmStatsUscite(QWidget* parent = nullptr);
};

// " Tavolex - Statistiche bilancio annuale": the year's income against its expenses.
class TfrmStatsBilancio : public StatsScreen {
    Q_OBJECT
public:
    explicit TfrmStatsBilancio(QWidget* parent = nullptr);

    // The sums the chart and the labels memGuadagni and memSpese show: zero until first shown.
    const accounts::YearBalance& balance() const { return m_balance; }

protected:
    void fillSeries() override;

private:
    accounts::YearBalance m_balance;
    HiddenLabels m_memos; // the exact sums as text ("100,8"; "0" until summed)
};

} // namespace tavolex::ui
