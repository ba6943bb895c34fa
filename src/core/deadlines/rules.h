#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace tavolex::deadlines {

// Rules of the yearly deadline archives (yyyy.sca, 1328-byte records). The functions taking
// `const char* record` read the raw bytes of one record and decode nothing they can compare
// as stored.

// --- Month names ---------------------------------------------------------------------------

// "Gennaio" … "Dicembre", as the card's month list offers them; empty outside 1..12.
QString monthName(int month);
// The twelve entries of the card's month list, in calendar order.
const QStringList& monthNames();
// "gennaio" … "dicembre": the month name the monthly list compares with; empty outside 1..12.
QString lowerMonthName(int month);
// The month number of a typed or stored month name: trimmed, A-Z lower-cased, it must be
// exactly one of "gennaio" … "dicembre" ("MARZO", " marzo " → 3; "Mar", "marzo." → none).
std::optional<int> monthNumber(const QString& name);
// The due date the card builds from its day, month name and archive year, all trimmed:
// day + "/" + two-digit month number + "/" + year ("05", "Marzo", "2024" → "05/03/2024").
// Empty when the month name is not one of the twelve. Whether that day exists is
// dates::parseDate's answer.
QString dueDateText(const QString& day, const QString& month, const QString& year);

// --- Imminence -------------------------------------------------------------------------------

// A deadline is imminent on `today` when due − noticeDays ≤ today ≤ due, both days included:
// with 0 notice days on its due day only, with 3 notice days from 07/03 to 10/03 for a
// deadline due on 10/03. A negative notice count or an invalid date is never imminent.
bool isImminent(const QDate& due, int noticeDays, const QDate& today);

// Notice days as stored: trimmed, one to three digits 0-9 (" 5" → 5, "007" → 7);
// none for an empty field, a sign, a decimal or any other character.
std::optional<int> noticeDays(const QString& text);

// The imminence of a stored record on `today`: DataSca read as "dd/mm/yyyy"
// (dates::parseDate), Preavviso as noticeDays(). None when either cannot be read: such a
// damaged record is skipped by every scan, and the records after it are still read.
// The flags, the amount and the appointment time play no part.
std::optional<bool> imminenceOf(const char* record, const QDate& today);

// --- Selections of the due-date lists -------------------------------------------------------

enum class DueList {
    Imminent, // in the imminence window on today
    Daily,    // due on the calendar day
    Monthly,  // due in the calendar day's month
};

// Trimmed DataSca equals `day` written "dd/mm/yyyy"; the time plays no part.
bool isDueOn(const char* record, const QDate& day);
// Trimmed Mese, A-Z lower-cased, equals the Italian name of `day`'s month ("marzo") and
// trimmed Anno equals `day`'s four-digit year.
bool isDueInMonth(const char* record, const QDate& day);

// The selection rule of one due-date list, prepared once for a whole scan. `day` is today
// for the imminent list and the calendar's date for the other two. A record whose due date
// or notice days cannot be read is not imminent.
class DueSelection {
public:
    DueSelection(DueList list, const QDate& day);

    DueList list() const { return m_list; }
    const QDate& day() const { return m_day; }
    bool selects(const char* record) const;

private:
    DueList m_list;
    QDate m_day;
    QByteArray m_date;  // Daily: "dd/mm/yyyy"
    QByteArray m_month; // Monthly: "marzo"
    QByteArray m_year;  // Monthly: "2024"
};

// The year whose archive a due-date list reads: today's for the imminent list, whatever
// year the card has open; the calendar date's for the daily and monthly lists.
int archiveYearOf(DueList list, const QDate& calendarDate, const QDate& today);

// --- Confirmation lists ---------------------------------------------------------------------

enum class ConfirmationList {
    PaymentsToMake,        // Effettuato is "No"
    PaymentsMade,          // Effettuato is "Sì"
    AppointmentsToConfirm, // DaConfermare is "Sì"
};
// The flag compared exactly, once trimmed; a flag holding anything else is in none of the
// lists. No other field is looked at.
bool isInList(const char* record, ConfirmationList list);

// --- Order key -------------------------------------------------------------------------------

// The order key mmddhhmi: characters 4 and 5 of the trimmed due date (its month), then the
// trimmed day, hours and minutes, joined with no separator ("05/03/2024", "05", "09", "30"
// → "03050930"). Damaged fields give what they hold, so the key may be shorter.
QString orderKey(const QString& dueDate, const QString& day, const QString& hours,
                 const QString& minutes);
QString orderKey(const char* record);

// Texts compared as the lists sort them: letters A-Z without regard to case, everything else
// by its UTF-16 code ("affitto" < "Bollo"; "à" after "z"). Negative, zero or positive.
int compareIgnoringCase(QStringView a, QStringView b);

} // namespace tavolex::deadlines
