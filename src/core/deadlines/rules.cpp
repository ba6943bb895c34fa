#include "rules.h"

#include "dates/datetext.h"
#include "fields.h"
#include "records/record.h"
#include "text/casing.h"

#include <QByteArrayView>
#include <algorithm>
#include <array>

namespace tavolex::deadlines {

using namespace Qt::Literals::StringLiterals;

namespace {

const std::array<QString, 12>& names() {
    static const std::array<QString, 12> n = {
        u"Gennaio"_s, u"Febbraio"_s, u"Marzo"_s,     u"Aprile"_s,  u"Maggio"_s,   u"Giugno"_s,
        u"Luglio"_s,  u"Agosto"_s,   u"Settembre"_s, u"Ottobre"_s, u"Novembre"_s, u"Dicembre"_s};
    return n;
}

inline char lower8(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? char(ch + 32) : ch;
}

inline char16_t lower16(char16_t ch) {
    return (ch >= u'A' && ch <= u'Z') ? char16_t(ch + 32) : ch;
}

bool equalsLowered(QByteArrayView stored, QByteArrayView lowered) {
    if (stored.size() != lowered.size()) return false;
    for (qsizetype i = 0; i < stored.size(); ++i)
        if (lower8(stored[i]) != lowered[i]) return false;
    return true;
}

QByteArray ascii(const QString& s) {
    return s.toLatin1(); // dates, years and month names are plain ASCII
}

} // namespace

QString monthName(int month) {
    return month >= 1 && month <= 12 ? names()[month - 1] : QString();
}

const QStringList& monthNames() {
    static const QStringList list(names().begin(), names().end());
    return list;
}

QString lowerMonthName(int month) {
    return text::lowerAZ(monthName(month));
}

std::optional<int> monthNumber(const QString& name) {
    const QString wanted = text::lowerAZ(text::trimmed(name));
    for (int m = 1; m <= 12; ++m)
        if (wanted == lowerMonthName(m)) return m;
    return std::nullopt;
}

QString dueDateText(const QString& day, const QString& month, const QString& year) {
    const std::optional<int> m = monthNumber(month);
    if (!m) return {};
    return text::trimmed(day) + u'/' + u"%1"_s.arg(*m, 2, 10, QChar(u'0')) + u'/' +
           text::trimmed(year);
}

bool isImminent(const QDate& due, int noticeDays, const QDate& today) {
    if (!due.isValid() || !today.isValid() || noticeDays < 0) return false;
    return due.addDays(-noticeDays) <= today && today <= due;
}

std::optional<int> noticeDays(const QString& text) {
    const QString t = text::trimmed(text);
    if (t.size() > 3 || !text::isDigitsOnly(t)) return std::nullopt;
    return t.toInt();
}

std::optional<bool> imminenceOf(const char* record, const QDate& today) {
    const DeadlineFields& f = fields();
    const std::optional<QDate> due = dates::parseDate(records::readField(record, f.dataSca));
    if (!due) return std::nullopt;
    const std::optional<int> notice = noticeDays(records::readField(record, f.preavviso));
    if (!notice) return std::nullopt;
    return isImminent(*due, *notice, today);
}

bool isDueOn(const char* record, const QDate& day) {
    return DueSelection(DueList::Daily, day).selects(record);
}

bool isDueInMonth(const char* record, const QDate& day) {
    return DueSelection(DueList::Monthly, day).selects(record);
}

DueSelection::DueSelection(DueList list, const QDate& day) : m_list(list), m_day(day) {
    const QString date = dates::formatDate(day); // empty for an invalid day: selects nothing
    if (date.isEmpty()) return;
    m_date = ascii(date);
    // The month's name comes from characters 4 and 5 of the "dd/mm/yyyy" form.
    m_month = ascii(lowerMonthName(QStringView(date).mid(3, 2).toInt()));
    m_year = ascii(date.mid(6));
}

bool DueSelection::selects(const char* record) const {
    if (m_date.isEmpty()) return false;
    const DeadlineFields& f = fields();
    switch (m_list) {
    case DueList::Imminent:
        return imminenceOf(record, m_day).value_or(false);
    case DueList::Daily:
        return storedTrimmed(record, f.dataSca) == QByteArrayView(m_date);
    case DueList::Monthly:
        return equalsLowered(storedTrimmed(record, f.mese), m_month) &&
               storedTrimmed(record, f.anno) == QByteArrayView(m_year);
    }
    return false;
}

int archiveYearOf(DueList list, const QDate& calendarDate, const QDate& today) {
    return list == DueList::Imminent ? today.year() : calendarDate.year();
}

bool isInList(const char* record, ConfirmationList list) {
    static const QByteArrayView yes("S\xEC"); // "Sì" in Windows-1252
    static const QByteArrayView no("No");
    const DeadlineFields& f = fields();
    switch (list) {
    case ConfirmationList::PaymentsToMake:
        return storedTrimmed(record, f.effettuato) == no;
    case ConfirmationList::PaymentsMade:
        return storedTrimmed(record, f.effettuato) == yes;
    case ConfirmationList::AppointmentsToConfirm:
        return storedTrimmed(record, f.daConfermare) == yes;
    }
    return false;
}

QString orderKey(const QString& dueDate, const QString& day, const QString& hours,
                 const QString& minutes) {
    return text::trimmed(dueDate).mid(3, 2) + text::trimmed(day) + text::trimmed(hours) +
           text::trimmed(minutes);
}

QString orderKey(const char* record) {
    const DeadlineFields& f = fields();
    return orderKey(records::readField(record, f.dataSca), records::readField(record, f.giorno),
                    records::readField(record, f.ore), records::readField(record, f.minuti));
}

int compareIgnoringCase(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = lower16(a[i].unicode());
        const char16_t y = lower16(b[i].unicode());
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace tavolex::deadlines
