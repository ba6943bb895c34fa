#pragma once

#include "money/totals.h"
#include "records/store.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tavolex::accounts {

// ---------------------------------------------------------------- the period

// The period screen's fields as the user left them (not yet trimmed).
struct PeriodInput {
    QString anno;
    QString giornoInizio;
    QString meseInizio;
    QString giornoFine;
    QString meseFine;
};

// The field that gets the focus after a failed check (None: the focus stays).
enum class PeriodField { None, Anno, GiornoInizio, MeseInizio, GiornoFine, MeseFine };

struct PeriodVerdict {
    bool ok = true;
    PeriodField focus = PeriodField::None;
    QString message;      // empty when ok
    bool warning = false; // the first five checks warn; the date checks are plain messages
    // lblDataInizio and lblDataFine: each set once its date has been built, also when a later
    // check fails; empty when the checks stopped before it.
    QString startText;
    QString endText;
    QDate start, end; // set when ok
};

// The checks of "Visualizza riepilogo", in order; the first failure wins:
//  1. the year exactly four characters as typed (protocol::isAcceptableYear);
//  2.–5. start day, start month, end day, end month not empty once trimmed;
//  6. start date = trimmed day + "/" + month number + "/" + trimmed year, a real date;
//  7. the end date the same way; 8. the start not later than the end (dates::checkInterval).
// A month name that is not one of the twelve gives a date that does not exist.
PeriodVerdict checkPeriod(const PeriodInput& input);

inline constexpr char16_t kYearWarning[] =
    u"Attenzione: indicare l'anno solare utilizzando quattro cifre.";

// The twelve month names of the month lists and of the charts, "Gennaio" … "Dicembre".
const QStringList& monthNames();
// 1 … 12 for a month name compared trimmed and in lower case (A–Z only); 0 for any other text.
int monthNumber(const QString& name);
// What a day or month field keeps when it is left: a day "01" … "31" and a month name as
// monthNumber() reads it stay as they are; any other text is cleared.
QString keptDay(const QString& text);
QString keptMonth(const QString& text);

// ---------------------------------------------------------------- the cash book

// The rule of one movement: Causale contains the filter (as typed, A–Z case ignored; a filter
// of blanks is no filter) and Data lies between start and end, both days included.
// Only Data, Causale, Totale, Pagatore and Beneficiario are read: the paid flag and the kind
// flags are not consulted, the kind is the sign of Totale.

// List line: "ENTRATA  " (Totale begins with "+") or "USCITA   " ("-") + Causale (40) +
// "  Data: " + Data (10) + "  Da: " + Pagatore (28) + "  A: " + Beneficiario (28) +
// "  Importo: " + trimmed Totale. A damaged Totale with neither sign gets nine blanks in
// place of the kind, so the movement whose amount enters the balance is still shown.
QString cashBookLine(const char* record);

struct CashBook {
    QStringList lines;    // in file order
    money::Totals totals; // income, expenses (negative) and balance, exact
    // When the cash book could not be made, the screen shows kArchiveNotAccessible and the
    // operation ends: `readable` is false and `lines` and `totals` are to be ignored.
    bool readable = true;
    qint64 badRecord = 0; // the 1-based record whose Data or Totale could not be read; 0 when
                          // the archive itself could not be read
};

// The cash book of an archive over [start, end]. A listed movement whose Data or Totale cannot
// be read makes the whole cash book unreadable (a total that leaves out an amount would be a
// wrong total shown as right); a record the filter leaves out is not looked at further.
// A missing archive gives an empty cash book (the screen first prepares it, as
// every screen that opens an archive does).
CashBook readCashBook(const records::Archive& archive, const QDate& start, const QDate& end,
                      const QString& reasonFilter);

inline constexpr char16_t kArchiveNotAccessible[] =
    u"Attenzione: il file di archivio non risulta accessibile.";

// ---------------------------------------------------------------- texts of the screen

// titTipologia: the trimmed filter, or "- - -" when there is none.
QString filterTitle(const QString& reasonFilter);
// lblIntervallo: "Dal   " + start + "   al   " + end.
QString intervalText(const QString& startText, const QString& endText);
// A total as shown: the exact sum with at least two decimals, nothing rounded, + " €"
// ("1500,00 €", "-12,50 €", "0,00 €").
QString totalLabel(const money::Amount& total);

// The printed cash book: txtTitolo, and the lines of txtRiepilogo (every list line, a dashed
// line, then the interval and the three totals, their labels padded to 30 characters).
QString printTitle(const QString& reasonFilter);
QStringList printLines(const QStringList& lines, const QString& intervalLabel,
                       const money::Totals& totals);
inline constexpr char16_t kNothingToPrint[] =
    u"Operazione di stampa non applicabile: la primanota non contiene nessun movimento in "
    u"entrata o in uscita.";
inline constexpr char16_t kAskPrint[] = u"Si vuole stampare la presente primanota?";

} // namespace tavolex::accounts
