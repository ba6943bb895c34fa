// Exact amounts: reading typed text, rounding, the amount fields of the movement and deadline
// cards, and the cash book totals. No binary floating point anywhere, also not in the checks.
#include "money/amount.h"
#include "money/normalise.h"
#include "money/totals.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using namespace tavolex::money;
using namespace Qt::Literals::StringLiterals;

namespace {

using Units = Amount::Units;

// 2^127 - 1 and -2^127, the ends of the 128-bit range.
const Units kMaxUnits = (((Units(1) << 126) - 1) << 1) + 1;
const Units kMinUnits = -kMaxUnits - 1;

Amount amount(Units units, int places) {
    return Amount::fromUnits(units, places).value();
}

Amount parsed(const QString& text) {
    const std::optional<Amount> a = parseAmount(text);
    EXPECT_TRUE(a.has_value()) << text.toStdString();
    return a.value_or(Amount());
}

} // namespace

// ---------------------------------------------------------------- reading

TEST(AmountParse, NumbersAsTypedOrStored) {
    struct Case {
        QString text;
        QString value; // toText() of the result
    };
    const Case cases[] = {
        {u"5"_s, u"5"_s},
        {u" 5 "_s, u"5"_s},
        {u"\t12,3\r\n"_s, u"12,3"_s},
        {u"+5"_s, u"5"_s},
        {u"-5"_s, u"-5"_s},
        {u"+12,50"_s, u"12,5"_s},
        {u"-1234,00"_s, u"-1234"_s},
        {u",5"_s, u"0,5"_s},
        {u"5,"_s, u"5"_s},
        {u"-,5"_s, u"-0,5"_s},
        {u"0,125"_s, u"0,125"_s},
        {u"007,10"_s, u"7,1"_s},
        {u"-0"_s, u"0"_s},
        {u"0,000000000000000001"_s, u"0,000000000000000001"_s},
        {u"999999999999999999"_s, u"999999999999999999"_s},
        {u"999999999999999999,999999999999999999"_s, u"999999999999999999,999999999999999999"_s},
        // Leading zeros of the whole part and trailing zeros of the decimals do not count.
        {u"0000000000000000000000001"_s, u"1"_s},
        {u"1,5000000000000000000000000"_s, u"1,5"_s},
    };
    for (const Case& c : cases) {
        const std::optional<Amount> a = parseAmount(c.text);
        ASSERT_TRUE(a.has_value()) << c.text.toStdString();
        EXPECT_EQ(a->toText(), c.value) << c.text.toStdString();
    }
}

TEST(AmountParse, TextsThatAreNotAmounts) {
    const QString cases[] = {
        u""_s,
        u"   "_s,
        u","_s,
        u"+"_s,
        u"-"_s,
        u"+,"_s,
        u"1,2,3"_s,
        u"1,,2"_s,
        u"1.5"_s,     // "," is the only decimal separator
        u"1.000,5"_s, // and there is no thousands separator
        u"1 000"_s,
        u"- 5"_s,
        u"+-5"_s,
        u"--5"_s,
        u"5-"_s,
        u"1e3"_s, // no exponent
        u"1,5E2"_s,
        u"abc"_s,
        u"12a"_s,
        u"\u0661\u0662"_s,          // digits of another script
        u"\u00A05"_s,               // a no-break space is not a blank
        u"1234567890123456789"_s,   // 19 whole digits
        u"0,1234567890123456789"_s, // 19 decimals
    };
    for (const QString& text : cases)
        EXPECT_FALSE(parseAmount(text).has_value()) << text.toStdString();
}

TEST(AmountUnits, ScaleMustBeInRange) {
    EXPECT_TRUE(Amount::fromUnits(1, 0).has_value());
    EXPECT_TRUE(Amount::fromUnits(1, Amount::kMaxPlaces).has_value());
    EXPECT_FALSE(Amount::fromUnits(1, -1).has_value());
    EXPECT_FALSE(Amount::fromUnits(1, Amount::kMaxPlaces + 1).has_value());
    const Amount cents = amount(-12345, 2);
    EXPECT_TRUE(cents.units() == -12345);
    EXPECT_EQ(cents.places(), 2);
    EXPECT_TRUE(cents.isNegative());
    EXPECT_FALSE(cents.isZero());
    EXPECT_TRUE(Amount().isZero());
}

// ---------------------------------------------------------------- writing

TEST(AmountText, ShortestExactFormPaddedToTheAskedDecimals) {
    struct Case {
        Amount value;
        int minDecimals;
        QString text;
    };
    const Case cases[] = {
        {amount(150000, 2), 2, u"1500,00"_s},
        {amount(150000, 2), 0, u"1500"_s},
        {amount(-1250, 3), 2, u"-1,25"_s},
        {amount(5, 3), 2, u"0,005"_s},
        {amount(-5, 3), 0, u"-0,005"_s},
        {amount(0, 4), 2, u"0,00"_s},
        {amount(7, 0), 4, u"7,0000"_s},
        {amount(1, 18), 0, u"0,000000000000000001"_s},
        {amount(kMaxUnits, 0), 0, u"170141183460469231731687303715884105727"_s},
        {amount(kMinUnits, 0), 0, u"-170141183460469231731687303715884105728"_s},
        {amount(kMinUnits, 18), 0, u"-170141183460469231731,687303715884105728"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.toText(c.minDecimals), c.text);
}

TEST(AmountEquality, SameValueWhateverTheScale) {
    EXPECT_TRUE(amount(15, 1) == amount(1500, 3));
    EXPECT_TRUE(amount(0, 0) == amount(0, 18));
    EXPECT_FALSE(amount(15, 1) == amount(105, 2));
    EXPECT_FALSE(amount(15, 1) == amount(-15, 1));
    // The largest value cannot be brought to 18 places; it is still not equal to a small one.
    EXPECT_FALSE(amount(kMaxUnits, 0) == amount(1, 18));
    EXPECT_FALSE(amount(1, 18) == amount(kMaxUnits, 0));
}

// ---------------------------------------------------------------- rounding

TEST(AmountRounding, HalfAwayFromZeroOnTheExactValue) {
    struct Case {
        QString text;
        int places;
        QString rounded; // toText(places)
    };
    // Values like 1,005 lie just below the half in binary floating point, where
    // "× 100 + 0,5, cut" gives 1,00, 1,01, 0,14 and 2,67.
    const Case cases[] = {
        {u"1,005"_s, 2, u"1,01"_s},
        {u"1,015"_s, 2, u"1,02"_s},
        {u"0,145"_s, 2, u"0,15"_s},
        {u"2,675"_s, 2, u"2,68"_s},
        {u"1,0049999"_s, 2, u"1,00"_s},
        {u"9,995"_s, 2, u"10,00"_s},
        {u"0,5"_s, 0, u"1"_s},
        {u"0,49"_s, 0, u"0"_s},
        {u"1,45"_s, 1, u"1,5"_s},
        {u"7,12345"_s, 4, u"7,1235"_s},
        {u"1,00005"_s, 4, u"1,0001"_s},
        // Negative amounts mirror the positive ones.
        {u"-1,005"_s, 2, u"-1,01"_s},
        {u"-9,995"_s, 2, u"-10,00"_s},
        {u"-0,5"_s, 0, u"-1"_s},
        {u"-1,0049"_s, 2, u"-1,00"_s},
        // Rounded to zero, the sign goes.
        {u"-0,004"_s, 2, u"0,00"_s},
        // Fewer decimals than asked: unchanged.
        {u"1,2"_s, 4, u"1,2000"_s},
    };
    for (const Case& c : cases) {
        const Amount r = parsed(c.text).roundedTo(c.places);
        EXPECT_EQ(r.toText(c.places), c.rounded) << c.text.toStdString() << " at " << c.places;
        EXPECT_LE(r.places(), c.places);
    }
}

TEST(AmountRounding, SignificantDigits) {
    struct Case {
        QString text;
        int digits;
        QString rounded; // toText()
    };
    const Case cases[] = {
        {u"1234567,891"_s, 6, u"1234570"_s},
        {u"123,456"_s, 4, u"123,5"_s},
        {u"-99,95"_s, 3, u"-100"_s},
        {u"0,000123456"_s, 3, u"0,000123"_s},
        {u"12345"_s, 15, u"12345"_s},
        {u"0"_s, 1, u"0"_s},
        // Whole digits dropped in one step: rounding first to units would give ...460.
        {u"1234567890123454,5"_s, 15, u"1234567890123450"_s},
        {u"1234567890123455"_s, 15, u"1234567890123460"_s},
    };
    for (const Case& c : cases) {
        const std::optional<Amount> r = parsed(c.text).roundedToSignificant(c.digits);
        ASSERT_TRUE(r.has_value()) << c.text.toStdString();
        EXPECT_EQ(r->toText(), c.rounded) << c.text.toStdString() << " to " << c.digits;
    }
    // 1,7 × 10^38 to one digit would be 2 × 10^38, past the 128-bit range.
    EXPECT_FALSE(amount(kMaxUnits, 0).roundedToSignificant(1).has_value());
    EXPECT_EQ(amount(kMaxUnits, 0).roundedToSignificant(2).value().toText(),
              u"170000000000000000000000000000000000000"_s);
}

// ---------------------------------------------------------------- sums

TEST(AmountSum, ExactAtTheFinerScaleAndNeverWrapped) {
    const Amount zero =
        parsed(u"0,10"_s).plus(parsed(u"0,20"_s)).value().plus(parsed(u"-0,30"_s)).value();
    EXPECT_TRUE(zero.isZero());
    EXPECT_EQ(totalText(zero), u"0,00"_s);
    EXPECT_EQ(parsed(u"1,5"_s).plus(parsed(u"0,005"_s)).value().toText(), u"1,505"_s);
    EXPECT_EQ(amount(kMaxUnits - 1, 0).plus(amount(1, 0)).value().toText(),
              u"170141183460469231731687303715884105727"_s);
    EXPECT_FALSE(amount(kMaxUnits, 0).plus(amount(1, 0)).has_value());
    EXPECT_FALSE(amount(kMinUnits, 0).plus(amount(-1, 0)).has_value());
    // Bringing the coarser amount to 18 places would leave the range.
    EXPECT_FALSE(amount(kMaxUnits / 10, 0).plus(amount(1, 18)).has_value());
}

// ---------------------------------------------------------------- amount fields

TEST(MovementAmount, AlwaysACommaAndTwoDecimals) {
    struct Case {
        QString typed;
        QString normalised;
    };
    const Case cases[] = {
        {u""_s, u"0,00"_s},
        {u"   "_s, u"0,00"_s},
        {u"5"_s, u"5,00"_s},
        {u" 7 "_s, u"7,00"_s},
        {u"5,5"_s, u"5,50"_s},
        {u"0,125"_s, u"0,13"_s},
        {u","_s, u"0,00"_s},
        {u",5"_s, u"0,50"_s},
        {u"5,"_s, u"5,00"_s},
        {u"1,2,3"_s, u"0,00"_s},
        {u"abc"_s, u"0,00"_s},
        {u"1e3"_s, u"0,00"_s},
        {u"1234,5"_s, u"1234,50"_s},
        {u"1234"_s, u"1234,00"_s},
        {u"0,00"_s, u"0,00"_s},
        {u"007,10"_s, u"7,10"_s},
        {u"1,005"_s, u"1,01"_s},
        {u"1,015"_s, u"1,02"_s},
        {u"0,145"_s, u"0,15"_s},
        {u"2,675"_s, u"2,68"_s},
        {u"0,004"_s, u"0,00"_s},
        {u"9,999"_s, u"10,00"_s},
        {u"-0,125"_s, u"-0,13"_s},
        // Up to 15 significant digits are kept as they are ...
        {u"999999999999999"_s, u"999999999999999,00"_s},
        {u"123456789012,45"_s, u"123456789012,45"_s},
        {u"1234567890123,45"_s, u"1234567890123,45"_s},
        // ... beyond that the program writes 15, rounded, and never an exponent.
        {u"12345678901234,56"_s, u"12345678901234,60"_s},
        {u"1234567890123456"_s, u"1234567890123460,00"_s},
        {u"999999999999999,9"_s, u"1000000000000000,00"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalisedMovementAmount(c.typed), c.normalised) << c.typed.toStdString();
}

TEST(DeadlineAmount, FourDecimalsAtMostTwoAtLeast) {
    struct Case {
        QString typed;
        QString normalised;
    };
    const Case cases[] = {
        {u""_s, u"0,00"_s},
        {u" "_s, u"0,00"_s},
        {u"12"_s, u"12,00"_s},
        {u"12,5"_s, u"12,50"_s},
        {u"0,123"_s, u"0,123"_s},
        {u"7,12345"_s, u"7,1235"_s},
        {u"1,2,3"_s, u"0,00"_s},
        {u","_s, u"0,00"_s},
        {u",5"_s, u"0,50"_s},
        {u"5,"_s, u"5,00"_s},
        {u"12,3400"_s, u"12,34"_s},
        {u"1,00005"_s, u"1,0001"_s},
        {u"0,00005"_s, u"0,0001"_s},
        {u"0,00004"_s, u"0,00"_s},
        {u"3,99995"_s, u"4,00"_s},
        {u"1,00049999"_s, u"1,0005"_s},
        // An exact half rounds up (binary floating point would give 0,0001 and 12,3456).
        {u"0,00015"_s, u"0,0002"_s},
        {u"12,34565"_s, u"12,3457"_s},
        {u"5,123456"_s, u"5,1235"_s},
        {u",,"_s, u"0,00"_s},
        {u"12345678901,23456"_s, u"12345678901,2346"_s},
        {u"123456789012,34567"_s, u"123456789012,346"_s}, // 15 significant digits
    };
    for (const Case& c : cases)
        EXPECT_EQ(normalisedDeadlineAmount(c.typed), c.normalised) << c.typed.toStdString();
}

TEST(TotalText, NoRoundingAndAtLeastTwoDecimals) {
    EXPECT_EQ(totalText(parsed(u"1500"_s)), u"1500,00"_s);
    EXPECT_EQ(totalText(parsed(u"-12,5"_s)), u"-12,50"_s);
    EXPECT_EQ(totalText(Amount()), u"0,00"_s);
    EXPECT_EQ(totalText(parsed(u"0,005"_s)), u"0,005"_s);
    EXPECT_EQ(totalText(parsed(u"123456789012345678,9"_s)), u"123456789012345678,90"_s);
}

// ---------------------------------------------------------------- cash book

TEST(MovementKind, FromTheFirstCharacter) {
    struct Case {
        QString stored;
        Kind kind;
    };
    const Case cases[] = {
        {u"+12,50"_s, Kind::Income}, {u" +1"_s, Kind::Income},    {u"-1234,00"_s, Kind::Expense},
        {u"-"_s, Kind::Expense},     {u"12,50"_s, Kind::Neither}, {u""_s, Kind::Neither},
        {u"x-1"_s, Kind::Neither},   {u"1+"_s, Kind::Neither},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kindOf(c.stored), c.kind) << c.stored.toStdString();
}

TEST(CashBookTotals, IncomeExpensesAndBalance) {
    Totals t;
    EXPECT_EQ(totalText(t.income()), u"0,00"_s);
    ASSERT_TRUE(t.add(u"+1000,00"_s));
    ASSERT_TRUE(t.add(u"-250,50"_s));
    EXPECT_EQ(totalText(t.income()), u"1000,00"_s);
    EXPECT_EQ(totalText(t.expenses()), u"-250,50"_s);
    EXPECT_EQ(totalText(t.balance()), u"749,50"_s);
    // An amount with neither sign enters the balance only.
    ASSERT_TRUE(t.add(u"0,50"_s));
    EXPECT_EQ(totalText(t.income()), u"1000,00"_s);
    EXPECT_EQ(totalText(t.expenses()), u"-250,50"_s);
    EXPECT_EQ(totalText(t.balance()), u"750,00"_s);
    // A text that is not an amount is refused and changes nothing.
    EXPECT_FALSE(t.add(u"+1,2,3"_s));
    EXPECT_FALSE(t.add(u""_s));
    EXPECT_EQ(totalText(t.income()), u"1000,00"_s);
    EXPECT_EQ(totalText(t.balance()), u"750,00"_s);
}

TEST(CashBookTotals, CentsAddUpExactly) {
    Totals t;
    for (const QString& s : {u"+0,10"_s, u"+0,20"_s, u"-0,30"_s})
        ASSERT_TRUE(t.add(s));
    EXPECT_TRUE(t.balance().isZero());
    EXPECT_EQ(totalText(t.balance()), u"0,00"_s);
    EXPECT_EQ(totalText(t.income()), u"0,30"_s);
    EXPECT_EQ(totalText(t.expenses()), u"-0,30"_s);

    // A hundred thousand cents: a binary sum drifts away from 1000.
    Totals cents;
    for (int i = 0; i < 100000; ++i)
        ASSERT_TRUE(cents.add(u"+0,01"_s));
    EXPECT_EQ(totalText(cents.income()), u"1000,00"_s);
}

TEST(CashBookTotals, LargeSumsStayExact) {
    // 10^5 of the largest movement amount: about 10^22 cents, past any 64-bit integer.
    Totals t;
    for (int i = 0; i < 100000; ++i) {
        ASSERT_TRUE(t.add(u"+999999999999999,99"_s));
        ASSERT_TRUE(t.add(u"-999999999999999,99"_s));
    }
    EXPECT_EQ(totalText(t.income()), u"99999999999999999000,00"_s);
    EXPECT_EQ(totalText(t.expenses()), u"-99999999999999999000,00"_s);
    EXPECT_EQ(totalText(t.balance()), u"0,00"_s);
}

TEST(CashBookTotals, ASumThatWouldOverflowIsRefused) {
    // Each amount is about 10^36 units at 18 places; a few hundred pass the 128-bit range.
    const QString huge = u"+999999999999999999,999999999999999999"_s;
    Totals t;
    int added = 0;
    while (added < 1000 && t.add(huge))
        ++added;
    ASSERT_GT(added, 100);
    ASSERT_LT(added, 1000);
    const QString before = totalText(t.balance());
    EXPECT_FALSE(t.add(huge));
    EXPECT_EQ(totalText(t.balance()), before);
    EXPECT_FALSE(t.balance().isNegative());
    EXPECT_TRUE(t.balance() == t.income());
    // Smaller amounts of the other sign still fit, and the sums stay consistent.
    EXPECT_TRUE(t.add(u"-1"_s));
    EXPECT_EQ(totalText(t.expenses()), u"-1,00"_s);
}
