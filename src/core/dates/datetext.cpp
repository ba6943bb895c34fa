#include "datetext.h"

#include "text/casing.h"

namespace tavolex::dates {

namespace {

// The number written with minDigits to maxDigits ASCII digits; -1 for anything else.
int number(QStringView digits, qsizetype minDigits, qsizetype maxDigits) {
    if (digits.size() < minDigits || digits.size() > maxDigits) return -1;
    int value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

bool dateExists(int year, int month, int day) {
    return year >= 1 && year <= 9999 && QDate::isValid(year, month, day);
}

std::optional<QDate> parseDate(const QString& text) {
    const QString trimmed = text::trimmed(text);
    const qsizetype firstSlash = trimmed.indexOf(u'/');
    const qsizetype secondSlash = trimmed.indexOf(u'/', firstSlash + 1);
    if (firstSlash < 0 || secondSlash < 0) return std::nullopt;
    const QStringView view(trimmed);
    const int day = number(view.left(firstSlash), 1, 2);
    const int month = number(view.mid(firstSlash + 1, secondSlash - firstSlash - 1), 1, 2);
    const int year = number(view.mid(secondSlash + 1), 4, 4); // a third slash fails here
    if (!dateExists(year, month, day)) return std::nullopt;
    return QDate(year, month, day);
}

QString formatDate(const QDate& date) {
    using namespace Qt::Literals::StringLiterals;
    return date.isValid() ? date.toString(u"dd/MM/yyyy"_s) : QString();
}

} // namespace tavolex::dates
