#pragma once

#include "money/amount.h"
#include "records/store.h"

#include <QString>
#include <array>

namespace tavolex::accounts {

// The sums behind the three charts, exact to the cent: Importo (the unsigned amount) of each
// counted movement, settled or not.

enum class MovementKind { Income, Expense };

// The month (1 … 12) in which a movement counts on the monthly chart of `kind` for the year
// typed on the menu, or 0 when it does not count. It counts when its kind flag (Entrata for
// income, Uscita for expenses) is "Sì" and its Data, trimmed and padded with blanks, holds the
// trimmed year at characters 7–10 and "01" … "12" at characters 4–5. Only the stored
// dd/mm/yyyy form is read so: a movement of another year stored in this archive is left out.
int countedMonth(const char* record, MovementKind kind, const QString& yearText);

using MonthSums = std::array<money::Amount, 12>; // January first

// The twelve month sums of one kind over a yearly archive. A counted movement whose Importo
// cannot be read is skipped, and the records after it still count. False when the archive
// exists but cannot be read to its end: `sums` then holds what was added before the failure.
// A missing archive gives twelve zeros.
bool monthSums(const records::Archive& archive, MovementKind kind, const QString& yearText,
               MonthSums* sums);

// The yearly balance: Importo of every record whose trimmed Entrata is "Sì" goes to income
// and, independently, of every record whose trimmed Uscita is "Sì" to expenses. The date is
// not looked at: every record of the file counts. Unreadable amounts and failures as above.
struct YearBalance {
    money::Amount income;
    money::Amount expenses;
};
bool yearBalance(const records::Archive& archive, YearBalance* balance);

// A chart value: the whole euro the sum rounds to, the integer part of value + 0,5
// (100,80 → 101, 0,49 → 0, 0,50 → 1), with no decimals.
money::Amount wholeEuro(const money::Amount& value);

// ---------------------------------------------------------------- chart data

// A chart point's label and its fixed colour (ARGB).
struct ChartPoint {
    const char16_t* label;
    quint32 argb;
};
// The twelve monthly points in calendar order: "Gennaio" red … "Dicembre" green.
const std::array<ChartPoint, 12>& monthPoints();
// The balance points: "Entrate" green, "Uscite" red.
const std::array<ChartPoint, 2>& balancePoints();

// Fixed texts of each chart.
struct ChartTexts {
    const char16_t* title;
    const char16_t* legend;
    const char16_t* foot;
};
inline constexpr char16_t kChartFoot[] = u"Tutti gli importi sono arrotondati all'euro";
inline constexpr ChartTexts kIncomeChart{u"Statistiche entrate mensili", u"Entrate mensili:",
                                         kChartFoot};
inline constexpr ChartTexts kExpenseChart{u"Statistiche uscite mensili", u"Uscite mensili:",
                                          kChartFoot};
inline constexpr ChartTexts kBalanceChart{u"Bilancio entrate e uscite annuali",
                                          u"Bilancio annuale:", kChartFoot};
inline constexpr quint32 kChartTitleArgb = 0xFFD04498; // bold Verdana, pink-violet
inline constexpr quint32 kChartFootArgb = 0xFF7294F9;  // bold Verdana, light blue

} // namespace tavolex::accounts
