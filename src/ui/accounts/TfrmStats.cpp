#include "TfrmStats.h"

#include "movements/movementrecord.h"
#include "records/store.h"
#include "statschart.h"
#include "ui/common/wait.h"

#include <limits>

namespace tavolex::ui {

using namespace Qt::Literals::StringLiterals;

namespace {

// A chart value: the whole euro of a sum, as a number to draw (the sums of any real archive
// are far inside the range).
qlonglong chartValue(const money::Amount& sum) {
    const money::Amount::Units euro = accounts::wholeEuro(sum).units();
    constexpr auto most = std::numeric_limits<qlonglong>::max();
    if (euro > most) return most;
    if (euro < -most) return -most;
    return qlonglong(euro);
}

const QStringList kMonthMemos = {u"memGennaio"_s, u"memFebbraio"_s, u"memMarzo"_s,
                                 u"memAprile"_s,  u"memMaggio"_s,   u"memGiugno"_s,
                                 u"memLuglio"_s,  u"memAgosto"_s,   u"memSettembre"_s,
                                 u"memOttobre"_s, u"memNovembre"_s, u"memDicembre"_s};

} // namespace

MonthlyStatsScreen::MonthlyStatsScreen(const StatsScreenDecl& decl, accounts::MovementKind kind,
                                       QWidget* parent)
    : StatsScreen(decl, parent), m_kind(kind), m_memos(this, kMonthMemos, u"0"_s) {}

void MonthlyStatsScreen::fillSeries() {
    // The archive is created empty when missing: twelve zero points. It is read away from
    // the screen, which keeps painting; a read that fails part-way shows what was summed
    // before it.
    m_sums = runWaiting<accounts::MonthSums>(
        nullptr, [archive = archiveId(), kind = m_kind, year = yearText()] {
            accounts::MonthSums summed;
            const std::unique_ptr<records::Archive> movements = records::programArchive(archive);
            movements->prepare();
            accounts::monthSums(*movements, kind, year, &summed);
            return summed;
        });
    const auto& points = accounts::monthPoints();
    for (size_t m = 0; m < points.size(); ++m) {
        m_memos.show(qsizetype(m), m_sums[m].toText());
        chart()->series()->addPoint(QString::fromUtf16(points[m].label), chartValue(m_sums[m]),
                                    QColor::fromRgba(points[m].argb));
    }
}

TfrmStatsEntrate::TfrmStatsEntrate(QWidget* parent)
    : MonthlyStatsScreen(
          {.objectName = u"TfrmStatsEntrate"_s,
           .caption = u" Tavolex - Statistiche entrate mensili"_s,
           .description = u"Il presente grafico statistico mostra le entrate relative a ciascun "
                          u"mese dell'anno in base ai movimenti registrati."_s,
           .initialHint = u"Grafico statistico delle entrate mensili."_s,
           .barsHint = u"Visualizza le statistiche delle entrate mensili sotto forma di grafico "
                       u"a barre tridimensionali."_s,
           .pieHint = u"Visualizza le statistiche delle entrate mensili sotto forma di grafico "
                      u"a torta tridimensionale."_s,
           .texts = accounts::kIncomeChart},
          accounts::MovementKind::Income, parent) {}

TfrmStatsUscite::TfrmStatsUscite(QWidget* parent)
    : MonthlyStatsScreen(
          {.objectName = u"TfrmStatsUscite"_s,
           .caption = u" Tavolex - Statistiche uscite mensili"_s,
           .description = u"Il presente grafico statistico mostra le uscite relative a ciascun "
                          u"mese dell'anno in base ai movimenti registrati."_s,
           .initialHint = u"Grafico statistico delle uscite mensili."_s,
           .barsHint = u"Visualizza le statistiche delle uscite mensili sotto forma di grafico a "
                       u"barre tridimensionali."_s,
           .pieHint = u"Visualizza le statistiche delle uscite mensili sotto forma di grafico a "
                      u"torta tridimensionale."_s,
           .texts = accounts::kExpenseChart},
          accounts::MovementKind::Expense, parent) {}

TfrmStatsBilancio::TfrmStatsBilancio(QWidget* parent)
    : StatsScreen({.objectName = u"TfrmStatsBilancio"_s,
                   .caption = u" Tavolex - Statistiche bilancio annuale"_s,
                   .description = u"Il presente grafico statistico mostra il bilancio annuale "
                                  u"delle entrate e uscite in base ai movimenti registrati."_s,
                   .initialHint = u"Grafico statistico del bilancio annuale."_s,
                   .barsHint = u"Visualizza il bilancio annuale sotto forma di grafico a barre "
                               u"tridimensionali."_s,
                   .pieHint = u"Visualizza il bilancio annuale sotto forma di grafico a torta "
                              u"tridimensionale."_s,
                   .texts = accounts::kBalanceChart},
                  parent),
      m_memos(this, {u"memGuadagni"_s, u"memSpese"_s}, u"0"_s) {}

void TfrmStatsBilancio::fillSeries() {
    // Any failure ends the sums without a message: the chart shows what was added so far.
    // The archive is read away from the screen, which keeps painting.
    m_balance = runWaiting<accounts::YearBalance>(nullptr, [archive = archiveId()] {
        accounts::YearBalance summed;
        accounts::yearBalance(*records::programArchive(archive), &summed);
        return summed;
    });
    const money::Amount sums[] = {m_balance.income, m_balance.expenses};
    const auto& points = accounts::balancePoints();
    for (size_t i = 0; i < 2; ++i) {
        m_memos.show(qsizetype(i), sums[i].toText());
        chart()->series()->addPoint(QString::fromUtf16(points[i].label), chartValue(sums[i]),
                                    QColor::fromRgba(points[i].argb));
    }
}

} // namespace tavolex::ui
