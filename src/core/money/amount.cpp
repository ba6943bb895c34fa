#include "amount.h"

#include "text/casing.h"

#include <algorithm>

namespace tavolex::money {

namespace {

using Units = Amount::Units;
using Magnitude = unsigned __int128;

// Digits that count before the comma; with kMaxPlaces after it, a parsed amount stays below
// 10^36, well inside the 128-bit range.
constexpr qsizetype kMaxWholeDigits = 18;

// 10^n for 0 ≤ n ≤ 38 (10^38 is the largest power of ten a signed 128-bit integer holds).
constexpr Units powerOfTen(int n) {
    Units p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// Brings units from one scale to a finer one; nullopt when that leaves the range.
std::optional<Units> scaledUp(Units units, int fromPlaces, int toPlaces) {
    Units scaled = 0;
    if (__builtin_mul_overflow(units, powerOfTen(toPlaces - fromPlaces), &scaled))
        return std::nullopt;
    return scaled;
}

int digitCount(Units units) {
    int count = 0;
    for (; units != 0; units /= 10)
        ++count;
    return count;
}

// Half away from zero: the dropped part rounds up when it is at least half the divisor
// (compared without doubling, which could leave the range).
Units dividedRounded(Units units, Units divisor) {
    Units kept = units / divisor;          // truncated towards zero
    const Units dropped = units % divisor; // same sign as the units
    const Units droppedSize = dropped < 0 ? -dropped : dropped;
    if (droppedSize >= divisor - droppedSize) kept += units < 0 ? -1 : 1;
    return kept;
}

bool isAsciiDigits(QStringView s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

std::optional<Amount> Amount::fromUnits(Units units, int places) {
    if (places < 0 || places > kMaxPlaces) return std::nullopt;
    return Amount(units, places);
}

Amount Amount::roundedTo(int places) const {
    places = std::max(places, 0);
    if (places >= m_places) return *this;
    return Amount(dividedRounded(m_units, powerOfTen(m_places - places)), places);
}

std::optional<Amount> Amount::roundedToSignificant(int digits) const {
    const int excess = digitCount(m_units) - std::max(digits, 1);
    if (excess <= 0) return *this;
    if (excess <= m_places) return roundedTo(m_places - excess);
    // Whole digits go too: round them off in one step (two steps could round twice) and
    // give back the zeros in their place.
    const Units kept = dividedRounded(m_units, powerOfTen(excess));
    const std::optional<Units> units = scaledUp(kept, 0, excess - m_places);
    if (!units) return std::nullopt;
    return Amount(*units, 0);
}

std::optional<Amount> Amount::plus(const Amount& other) const {
    const int places = std::max(m_places, other.m_places);
    const std::optional<Units> a = scaledUp(m_units, m_places, places);
    const std::optional<Units> b = scaledUp(other.m_units, other.m_places, places);
    Units sum = 0;
    if (!a || !b || __builtin_add_overflow(*a, *b, &sum)) return std::nullopt;
    return Amount(sum, places);
}

bool operator==(const Amount& a, const Amount& b) {
    const int places = std::max(a.m_places, b.m_places);
    // A value that cannot be scaled is larger than any that can, so the two differ.
    const std::optional<Units> x = scaledUp(a.m_units, a.m_places, places);
    const std::optional<Units> y = scaledUp(b.m_units, b.m_places, places);
    return x && y && *x == *y;
}

QString Amount::toText(int minDecimals) const {
    minDecimals = std::max(minDecimals, 0);
    // Through the unsigned magnitude, so even the most negative value has a size.
    Magnitude size = m_units < 0 ? Magnitude(0) - Magnitude(m_units) : Magnitude(m_units);
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(size % 10)));
        size /= 10;
    } while (size != 0);
    if (digits.size() <= m_places) digits = QString(m_places + 1 - digits.size(), u'0') + digits;

    const qsizetype wholeLength = digits.size() - m_places;
    QString decimals = digits.mid(wholeLength);
    while (decimals.size() > minDecimals && decimals.endsWith(u'0'))
        decimals.chop(1);
    if (decimals.size() < minDecimals) decimals += QString(minDecimals - decimals.size(), u'0');

    QString out = m_units < 0 ? QString(u'-') : QString();
    out += QStringView(digits).left(wholeLength);
    if (!decimals.isEmpty()) out += u',' + decimals;
    return out;
}

std::optional<Amount> parseAmount(const QString& text) {
    const QString trimmed = text::trimmed(text);
    QStringView rest(trimmed);
    const bool negative = rest.startsWith(u'-');
    if (negative || rest.startsWith(u'+')) rest = rest.mid(1);

    const qsizetype comma = rest.indexOf(u',');
    QStringView whole = comma < 0 ? rest : rest.left(comma);
    QStringView decimals = comma < 0 ? QStringView() : rest.mid(comma + 1);
    // A second comma lands in the decimals and fails the digit test.
    if (whole.isEmpty() && decimals.isEmpty()) return std::nullopt;
    if (!isAsciiDigits(whole) || !isAsciiDigits(decimals)) return std::nullopt;

    while (whole.startsWith(u'0'))
        whole = whole.mid(1);
    while (decimals.endsWith(u'0'))
        decimals.chop(1);
    if (whole.size() > kMaxWholeDigits || decimals.size() > Amount::kMaxPlaces) return std::nullopt;

    Units units = 0;
    for (QStringView part : {whole, decimals})
        for (QChar c : part)
            units = units * 10 + (c.unicode() - u'0');
    return Amount::fromUnits(negative ? -units : units, int(decimals.size()));
}

} // namespace tavolex::money
