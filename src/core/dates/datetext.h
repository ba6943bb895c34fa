#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace tavolex::dates {

// A calendar date in the proleptic Gregorian calendar, years 1 to 9999: 31/02 never exists
// and 29/02 only in leap years (2024, 2000; not 2025 or 1900).
bool dateExists(int year, int month, int day);

// "dd/mm/yyyy" as typed or stored: blanks around are ignored, day and month have one or two
// digits ("5/3/2024" is 5 March 2024), the year exactly four; nullopt when the text has
// another form or names a day that does not exist.
std::optional<QDate> parseDate(const QString& text);

// "dd/MM/yyyy", the form the program writes everywhere ("05/03/2024"); empty for an invalid
// date. Meant for years 1 to 9999, the ones parseDate reads back.
QString formatDate(const QDate& date);

} // namespace tavolex::dates
