#pragma once

#include <QString>
#include <optional>

namespace tavolex::money {

// An exact decimal amount: units × 10^-places. Amounts are never held in binary floating
// point, so 0,10 + 0,20 - 0,30 is exactly zero and 1,005 rounds to 1,01.
//
// The units are 128-bit: a movement amount has at most 15 digits (10^17 cents), so even
// millions of them add up far below the limit (about 1,7 × 10^38 units); sums that would
// pass it are refused rather than wrapped.
class Amount {
public:
    using Units = __int128;
    static constexpr int kMaxPlaces = 18; // finer than any amount the program writes

    Amount() = default; // zero

    // nullopt when places is outside 0..kMaxPlaces.
    static std::optional<Amount> fromUnits(Units units, int places);

    Units units() const { return m_units; }
    int places() const { return m_places; }
    bool isZero() const { return m_units == 0; }
    bool isNegative() const { return m_units < 0; }

    // Half away from zero on the exact value: 1,005 → 1,01 and -1,005 → -1,01 at two places.
    // An amount that already has no more than `places` decimals comes back unchanged.
    Amount roundedTo(int places) const;

    // Half away from zero to at most `digits` significant digits; whole digits that go become
    // zeros: 1234567,891 → 1234570 at 6 digits. nullopt only if the carry leaves the range.
    std::optional<Amount> roundedToSignificant(int digits) const;

    // The exact sum, at the finer of the two scales; nullopt if it leaves the 128-bit range.
    std::optional<Amount> plus(const Amount& other) const;

    // Shortest exact form with "," and at least minDecimals decimals, never an exponent and
    // no thousands separator: 12,5 gives "12,5" (0), "12,50" (2); 1500 gives "1500,00" (2).
    // Zero has no sign.
    QString toText(int minDecimals = 0) const;

    // Same value, whatever the scale: 1,5 == 1,50.
    friend bool operator==(const Amount& a, const Amount& b);

private:
    Amount(Units units, int places) : m_units(units), m_places(places) {}

    Units m_units = 0;
    int m_places = 0;
};

// What a user can type or paste, with "," as the decimal separator: blanks around, an optional
// "+" or "-", then digits with at most one ",", and at least one digit ("5", ",5" and "5," are
// numbers; ",", "1,2,3", "1.5", "1 000" and letters are not). No exponent is accepted: the
// program never writes one, and an amount field lets only digits and "," through.
// At most 18 digits before the comma and 18 after it count (leading zeros of the whole part
// and trailing zeros of the decimals aside); a longer text is not an amount.
std::optional<Amount> parseAmount(const QString& text);

} // namespace tavolex::money
