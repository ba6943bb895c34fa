// Dates as the program types, stores and compares them, the interval checks of the period
// summaries and the replaceable clock.
#include "dates/clock.h"
#include "dates/datetext.h"
#include "dates/interval.h"
#include "protocol/protocollines.h"
#include "support/printers.h"

#include <gtest/gtest.h>

using namespace tavolex;
using namespace tavolex::dates;
using namespace Qt::Literals::StringLiterals;

TEST(DateExists, CalendarRules) {
    struct Case {
        int year, month, day;
        bool exists;
    };
    const Case cases[] = {
        {2024, 2, 29, true},  {2025, 2, 29, false}, {2000, 2, 29, true},  {1900, 2, 29, false},
        {2025, 2, 28, true},  {2024, 2, 30, false}, {2025, 2, 31, false}, {2025, 4, 30, true},
        {2025, 4, 31, false}, {2025, 6, 31, false}, {2025, 9, 31, false}, {2025, 11, 31, false},
        {2025, 1, 31, true},  {2025, 12, 31, true}, {2025, 13, 1, false}, {2025, 0, 1, false},
        {2025, 1, 0, false},  {2025, 1, 32, false}, {1, 1, 1, true},      {9999, 12, 31, true},
        {0, 1, 1, false},     {10000, 1, 1, false}, {-1, 1, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateExists(c.year, c.month, c.day), c.exists)
            << c.day << "/" << c.month << "/" << c.year;
}

TEST(DateText, ReadsDayMonthYear) {
    struct Case {
        QString text;
        QDate date; // invalid: not a date
    };
    const Case cases[] = {
        {u"05/03/2024"_s, QDate(2024, 3, 5)},
        {u"5/3/2024"_s, QDate(2024, 3, 5)},
        {u"05/3/2024"_s, QDate(2024, 3, 5)},
        {u" 05/03/2024 "_s, QDate(2024, 3, 5)},
        {u"\t5/03/2024\r\n"_s, QDate(2024, 3, 5)},
        {u"29/02/2024"_s, QDate(2024, 2, 29)},
        {u"31/12/9999"_s, QDate(9999, 12, 31)},
        {u"01/01/0001"_s, QDate(1, 1, 1)},
        {u"29/02/2025"_s, QDate()},
        {u"31/04/2025"_s, QDate()},
        {u"31/02/2024"_s, QDate()},
        {u"00/01/2025"_s, QDate()},
        {u"01/00/2025"_s, QDate()},
        {u"32/01/2025"_s, QDate()},
        {u"01/13/2025"_s, QDate()},
        {u"01/01/0000"_s, QDate()},
        {u"005/03/2024"_s, QDate()},
        {u"05/003/2024"_s, QDate()},
        {u"05/03/24"_s, QDate()},
        {u"05/03/02024"_s, QDate()},
        {u"05-03-2024"_s, QDate()},
        {u"05.03.2024"_s, QDate()},
        {u"05/03/2024/"_s, QDate()},
        {u"05/03/20/24"_s, QDate()},
        {u"/03/2024"_s, QDate()},
        {u"05//2024"_s, QDate()},
        {u"05/03/"_s, QDate()},
        {u"0503 2024"_s, QDate()},
        {u" 5 /03/2024"_s, QDate()},
        {u"+5/03/2024"_s, QDate()},
        {u"a5/03/2024"_s, QDate()},
        {u"05/03/2024x"_s, QDate()},
        {u"\u0660\u0665/\u0660\u0663/\u0662\u0660\u0662\u0664"_s, QDate()},
        {u""_s, QDate()},
        {u"   "_s, QDate()},
        {u"ieri"_s, QDate()},
    };
    for (const Case& c : cases) {
        const std::optional<QDate> read = parseDate(c.text);
        EXPECT_EQ(read.value_or(QDate()), c.date) << c.text.toStdString();
        EXPECT_EQ(read.has_value(), c.date.isValid()) << c.text.toStdString();
        // The protocol register reads its dates with the same rule.
        EXPECT_EQ(protocol::parseDate(c.text), read) << c.text.toStdString();
    }
}

TEST(DateText, WritesTwoDigitDayAndMonthAndReadsItBack) {
    EXPECT_EQ(formatDate(QDate(2024, 3, 5)), u"05/03/2024"_s);
    EXPECT_EQ(formatDate(QDate(2025, 12, 31)), u"31/12/2025"_s);
    EXPECT_EQ(formatDate(QDate(999, 1, 1)), u"01/01/0999"_s);
    EXPECT_EQ(formatDate(QDate()), QString());
    // Every day of a leap year and of a common year survives the round trip.
    for (QDate d(2024, 1, 1); d <= QDate(2025, 12, 31); d = d.addDays(1)) {
        const QString text = formatDate(d);
        ASSERT_EQ(text.size(), 10) << text.toStdString();
        ASSERT_EQ(parseDate(text), d) << text.toStdString();
    }
}

TEST(Interval, ChecksInOrder) {
    const QString valid = u"Per poter visualizzare il riepilogo \u00E8 necessario indicare una "
                          u"data valida."_s;
    struct Case {
        const char* what;
        QString start, end;
        IntervalCheck check;
        bool warning;
        QString message;
    };
    const Case cases[] = {
        {"both valid", u"01/02/2025"_s, u"28/02/2025"_s, IntervalCheck::Ok, false, QString()},
        {"one day", u"1/2/2025"_s, u" 01/02/2025 "_s, IntervalCheck::Ok, false, QString()},
        {"start missing", u" \t"_s, u"x"_s, IntervalCheck::StartMissing, true,
         u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di "
         u"inizio intervallo."_s},
        {"end missing", u"x"_s, u""_s, IntervalCheck::EndMissing, true,
         u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di "
         u"fine intervallo."_s},
        {"start does not exist, quoted trimmed", u" 31/04/2025 "_s, u"x"_s,
         IntervalCheck::StartInvalid, false,
         u"Attenzione: la data 31/04/2025 di inizio intervallo non esiste.\n\r\n\r"_s + valid},
        {"end does not exist", u"01/02/2025"_s, u"29/02/2025 "_s, IntervalCheck::EndInvalid, false,
         u"Attenzione: la data 29/02/2025 di fine intervallo non esiste.\n\r\n\r"_s + valid},
        {"end before start", u" 02/03/2025"_s, u"1/3/2025"_s, IntervalCheck::Reversed, false,
         u"Attenzione: la data di fine intervallo (1/3/2025) non pu\u00F2 essere anteriore a "
         u"quella di inizio intervallo (02/03/2025).\n\r\n\rPer poter visualizzare il "
         u"riepilogo \u00E8 necessario indicare un intervallo di tempo valido."_s},
    };
    for (const Case& c : cases) {
        const IntervalVerdict v = checkInterval(c.start, c.end);
        EXPECT_EQ(v.check, c.check) << c.what;
        EXPECT_EQ(v.warning, c.warning) << c.what;
        EXPECT_EQ(v.message, c.message) << c.what;
        EXPECT_EQ(v.start.isValid(), c.check == IntervalCheck::Ok) << c.what;
    }
}

TEST(Interval, ContainsBothEndsAndNothingWhenRefused) {
    const IntervalVerdict march = checkInterval(u"01/03/2024"_s, u"31/03/2024"_s);
    ASSERT_EQ(march.check, IntervalCheck::Ok);
    EXPECT_EQ(march.start, QDate(2024, 3, 1));
    EXPECT_EQ(march.end, QDate(2024, 3, 31));
    struct Case {
        QDate date;
        bool inside;
    };
    const Case cases[] = {
        {QDate(2024, 2, 29), false},
        {QDate(2024, 3, 1), true},
        {QDate(2024, 3, 15), true},
        {QDate(2024, 3, 31), true},
        {QDate(2024, 4, 1), false},
        {QDate(2023, 3, 15), false},
        {QDate(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(march.contains(c.date), c.inside) << c.date.toString().toStdString();

    const IntervalVerdict reversed = checkInterval(u"31/03/2024"_s, u"01/03/2024"_s);
    EXPECT_FALSE(reversed.contains(QDate(2024, 3, 15)));
}

class ClockTest : public ::testing::Test {
protected:
    void TearDown() override { Clock::setNow({}); }
};

TEST_F(ClockTest, TestsFixTheDayAndRestoreTheSystemClock) {
    const QDateTime fixed(QDate(2024, 2, 29), QTime(23, 59, 30));
    Clock::setNow([&] { return fixed; });
    EXPECT_EQ(Clock::now(), fixed);
    EXPECT_EQ(Clock::today(), QDate(2024, 2, 29));

    Clock::setNow({});
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = Clock::now();
    const QDateTime after = QDateTime::currentDateTime();
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}
