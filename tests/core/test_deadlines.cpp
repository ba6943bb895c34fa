// Month names, order key, imminence window and the selections, lines, sorting and scans of
// the yearly deadline archives.
#include "deadlines/archive.h"
#include "deadlines/lines.h"
#include "deadlines/rules.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/archiveat.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/recordfixtures.h"

using tavolex::testing::archiveAt;
using namespace tavolex;
using namespace tavolex::deadlines;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kYes = u"S\u00EC"_s;

records::Record deadline(test::FieldValues values) {
    return test::makeRecord(records::deadlineLayout(), values);
}

// A deadline as the card stores it: date fields consistent with one another.
records::Record deadlineOn(const QString& date, const QString& time, const QString& notice,
                           const QString& reason = u"Causale"_s) {
    const int month = date.mid(3, 2).toInt();
    return deadline({{u"Giorno", date.left(2)},
                     {u"Mese", monthName(month)},
                     {u"Anno", date.mid(6)},
                     {u"DataSca", date},
                     {u"Ore", time.left(2)},
                     {u"Minuti", time.mid(3)},
                     {u"Ora", time},
                     {u"Preavviso", notice},
                     {u"Causale", reason},
                     {u"DaConfermare", u"No"_s},
                     {u"Effettuato", u"No"_s}});
}

const char* bytesOf(const records::Record& r) {
    return r.bytes().constData();
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList numbersOf(const QList<DeadlineRow>& rows) {
    QStringList numbers;
    for (const DeadlineRow& row : rows)
        numbers << row.cell(0);
    return numbers;
}

QStringList reasonsOf(const QStringList& lines) {
    QStringList reasons;
    for (const QString& line : lines)
        reasons << line.left(30).trimmed();
    return reasons;
}

} // namespace

TEST(DeadlineMonths, NamesNumbersAndDueDates) {
    const QStringList names = {u"Gennaio"_s,   u"Febbraio"_s, u"Marzo"_s,    u"Aprile"_s,
                               u"Maggio"_s,    u"Giugno"_s,   u"Luglio"_s,   u"Agosto"_s,
                               u"Settembre"_s, u"Ottobre"_s,  u"Novembre"_s, u"Dicembre"_s};
    EXPECT_EQ(monthNames(), names);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(monthName(m), names[m - 1]);
        EXPECT_EQ(lowerMonthName(m), names[m - 1].toLower());
        EXPECT_EQ(monthNumber(names[m - 1]), m);
    }
    EXPECT_EQ(monthName(0), QString());
    EXPECT_EQ(lowerMonthName(13), QString());

    const std::pair<QString, std::optional<int>> typed[] = {
        {u"marzo"_s, 3},
        {u"MARZO"_s, 3},
        {u"  mArZo "_s, 3},
        {u"Mar"_s, std::nullopt},
        {u"marzo."_s, std::nullopt},
        {u"M\u00C0RZO"_s, std::nullopt},
        {u""_s, std::nullopt},
        {u"13"_s, std::nullopt},
        {u"03"_s, std::nullopt},
    };
    for (const auto& [name, number] : typed)
        EXPECT_EQ(monthNumber(name), number) << name.toStdString();

    struct DueCase {
        QString day, month, year, expected;
    };
    const DueCase dues[] = {
        {u"05"_s, u"Marzo"_s, u"2024"_s, u"05/03/2024"_s},
        {u" 31 "_s, u"dicembre"_s, u"2025"_s, u"31/12/2025"_s},
        {u"29"_s, u"Febbraio"_s, u"2023"_s, u"29/02/2023"_s}, // built; parseDate refuses it
        {u"05"_s, u"Marz"_s, u"2024"_s, QString()},
    };
    for (const DueCase& c : dues)
        EXPECT_EQ(dueDateText(c.day, c.month, c.year), c.expected) << c.day.toStdString();
}

TEST(DeadlineOrderKey, TableOfDatesAndTimes) {
    struct Case {
        QString date, day, hours, minutes, key;
    };
    const Case cases[] = {
        {u"05/03/2024"_s, u"05"_s, u"09"_s, u"30"_s, u"03050930"_s},
        {u"31/12/2024"_s, u"31"_s, u"23"_s, u"59"_s, u"12312359"_s},
        {u"01/01/2024"_s, u"01"_s, u"00"_s, u"00"_s, u"01010000"_s},
        {u" 29/02/2024 "_s, u" 29 "_s, u" 18"_s, u"05 "_s, u"02291805"_s},
        // Damaged fields give what they hold: the month is always characters 4 and 5.
        {u"5/3/2024"_s, u"5"_s, u"9"_s, u"0"_s, u"/2590"_s},
        {u""_s, u""_s, u""_s, u""_s, u""_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orderKey(c.date, c.day, c.hours, c.minutes), c.key) << c.date.toStdString();
        const records::Record r = deadline(
            {{u"DataSca", c.date}, {u"Giorno", c.day}, {u"Ore", c.hours}, {u"Minuti", c.minutes}});
        EXPECT_EQ(orderKey(bytesOf(r)), c.key) << c.date.toStdString();
    }
    // Keys of one archive sort by date and time.
    const QStringList sorted = {orderKey(u"31/01/2024"_s, u"31"_s, u"23"_s, u"59"_s),
                                orderKey(u"01/02/2024"_s, u"01"_s, u"00"_s, u"00"_s),
                                orderKey(u"01/02/2024"_s, u"01"_s, u"00"_s, u"01"_s),
                                orderKey(u"10/02/2024"_s, u"10"_s, u"08"_s, u"00"_s)};
    for (qsizetype i = 1; i < sorted.size(); ++i)
        EXPECT_LT(compareIgnoringCase(sorted[i - 1], sorted[i]), 0) << sorted[i].toStdString();
}

TEST(DeadlineImminence, WindowBothEndsIncluded) {
    struct Case {
        const char* what;
        QDate due;
        int notice;
        QDate today;
        bool imminent;
    };
    const QDate today(2024, 3, 7);
    const Case cases[] = {
        {"due today, 0 days", today, 0, today, true},
        {"due yesterday", today.addDays(-1), 10, today, false},
        {"due in 3 days, 3 days", QDate(2024, 3, 10), 3, today, true},
        {"due in 3 days, 2 days", QDate(2024, 3, 10), 2, today, false},
        {"due in 3 days, 4 days", QDate(2024, 3, 10), 4, today, true},
        {"due tomorrow, 0 days", today.addDays(1), 0, today, false},
        {"across 29 February", QDate(2024, 3, 1), 1, QDate(2024, 2, 29), true},
        {"across 29 February, one day short", QDate(2024, 3, 1), 1, QDate(2024, 2, 28), false},
        {"across the year end", QDate(2025, 1, 2), 5, QDate(2024, 12, 30), true},
        {"999 days", QDate(2024, 12, 31), 999, QDate(2024, 1, 1), true},
        {"negative notice", QDate(2024, 3, 10), -1, QDate(2024, 3, 10), false},
        {"invalid due date", QDate(), 3, today, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isImminent(c.due, c.notice, c.today), c.imminent) << c.what;
}

TEST(DeadlineImminence, StoredDateAndNoticeDays) {
    struct Case {
        QString dataSca, preavviso;
        std::optional<bool> imminent;
    };
    const QDate today(2024, 3, 7);
    const Case cases[] = {
        {u"10/03/2024"_s, u"3"_s, true},
        {u" 10/03/2024 "_s, u" 3 "_s, true},
        {u"10/3/2024"_s, u"003"_s, true},
        {u"10/03/2024"_s, u"2"_s, false},
        {u"06/03/2024"_s, u"999"_s, false},
        // Damaged: no date, no notice days.
        {u"31/02/2024"_s, u"3"_s, std::nullopt},
        {u"10-03-2024"_s, u"3"_s, std::nullopt},
        {u""_s, u"3"_s, std::nullopt},
        {u"10/03/2024"_s, u""_s, std::nullopt},
        {u"10/03/2024"_s, u"-1"_s, std::nullopt},
        {u"10/03/2024"_s, u"+3"_s, std::nullopt},
        {u"10/03/2024"_s, u"1,5"_s, std::nullopt},
        {u"10/03/2024"_s, u"tre"_s, std::nullopt},
    };
    for (const Case& c : cases) {
        const records::Record r = deadline({{u"DataSca", c.dataSca}, {u"Preavviso", c.preavviso}});
        EXPECT_EQ(imminenceOf(bytesOf(r), today), c.imminent)
            << c.dataSca.toStdString() << " / " << c.preavviso.toStdString();
    }
    // The flags play no part: a paid deadline, or one awaiting confirmation, is imminent.
    records::Record paid = deadlineOn(u"07/03/2024"_s, u"00:00"_s, u"0"_s);
    paid.setText(u"Effettuato", kYes);
    paid.setText(u"DaConfermare", kYes);
    EXPECT_EQ(imminenceOf(bytesOf(paid), today), true);
}

TEST(DeadlineSelections, DailyAndMonthly) {
    struct Case {
        const char* what;
        QString dataSca, mese, anno;
        bool daily, monthly;
    };
    // The calendar shows 05/03/2024.
    const QDate day(2024, 3, 5);
    const Case cases[] = {
        {"same day", u"05/03/2024"_s, u"Marzo"_s, u"2024"_s, true, true},
        {"blanks around", u" 05/03/2024 "_s, u" marzo "_s, u" 2024 "_s, true, true},
        {"other day, same month", u"06/03/2024"_s, u"MARZO"_s, u"2024"_s, false, true},
        {"date without leading zeros is other text", u"5/3/2024"_s, u"Marzo"_s, u"2024"_s, false,
         true},
        {"same month, other year", u"05/03/2023"_s, u"Marzo"_s, u"2023"_s, false, false},
        {"month by name only, not by date", u"05/04/2024"_s, u"Marzo"_s, u"2024"_s, false, true},
        {"month name with an accent", u"05/03/2024"_s, u"M\u00C0rzo"_s, u"2024"_s, true, false},
        {"short month name", u"05/03/2024"_s, u"Mar"_s, u"2024"_s, true, false},
        {"two-digit year", u"05/03/2024"_s, u"Marzo"_s, u"24"_s, true, false},
    };
    const DueSelection daily(DueList::Daily, day);
    const DueSelection monthly(DueList::Monthly, day);
    for (const Case& c : cases) {
        const records::Record r =
            deadline({{u"DataSca", c.dataSca}, {u"Mese", c.mese}, {u"Anno", c.anno}});
        EXPECT_EQ(isDueOn(bytesOf(r), day), c.daily) << c.what;
        EXPECT_EQ(daily.selects(bytesOf(r)), c.daily) << c.what;
        EXPECT_EQ(isDueInMonth(bytesOf(r), day), c.monthly) << c.what;
        EXPECT_EQ(monthly.selects(bytesOf(r)), c.monthly) << c.what;
    }
    // Every month's name is found from the calendar date.
    for (int m = 1; m <= 12; ++m) {
        const records::Record r = deadline({{u"Mese", monthName(m)}, {u"Anno", u"2024"_s}});
        EXPECT_TRUE(isDueInMonth(bytesOf(r), QDate(2024, m, 28))) << m;
        EXPECT_FALSE(isDueInMonth(bytesOf(r), QDate(2024, m % 12 + 1, 1))) << m;
    }
    EXPECT_FALSE(DueSelection(DueList::Daily, QDate()).selects(bytesOf(deadline({}))));
}

TEST(DeadlineSelections, ArchiveOfEachList) {
    const QDate calendar(2023, 11, 20), today(2024, 3, 7);
    EXPECT_EQ(archiveYearOf(DueList::Imminent, calendar, today), 2024);
    EXPECT_EQ(archiveYearOf(DueList::Daily, calendar, today), 2023);
    EXPECT_EQ(archiveYearOf(DueList::Monthly, calendar, today), 2023);
    QTemporaryDir dir;
    setProgramFolder(dir.path() + u'/');
    EXPECT_EQ(records::programArchive(records::ArchiveKind::Deadlines, 2024)->name(),
              dir.path() + u"/2024.sca"_s);
    EXPECT_EQ(records::programArchive(records::ArchiveKind::Deadlines, 999)->name(),
              dir.path() + u"/0999.sca"_s);
}

TEST(DeadlineLists, ConfirmationFlags) {
    struct Case {
        QString daConfermare, effettuato;
        bool toMake, made, toConfirm;
    };
    const Case cases[] = {
        {u"No"_s, u"No"_s, true, false, false},
        {kYes, u"No"_s, true, false, true},
        {u"No"_s, kYes, false, true, false},
        {kYes, kYes, false, true, true},
        {u" "_s + kYes + u" "_s, u" No "_s, true, false, true},
        // Anything but "Sì" and "No" is in none of the lists.
        {u"Si"_s, u"no"_s, false, false, false},
        {u"s\u00EC"_s, u"NO"_s, false, false, false},
        {u""_s, u""_s, false, false, false},
    };
    for (const Case& c : cases) {
        const records::Record r =
            deadline({{u"DaConfermare", c.daConfermare}, {u"Effettuato", c.effettuato}});
        const std::string what = QString(c.daConfermare + u" / "_s + c.effettuato).toStdString();
        EXPECT_EQ(isInList(bytesOf(r), ConfirmationList::PaymentsToMake), c.toMake) << what;
        EXPECT_EQ(isInList(bytesOf(r), ConfirmationList::PaymentsMade), c.made) << what;
        EXPECT_EQ(isInList(bytesOf(r), ConfirmationList::AppointmentsToConfirm), c.toConfirm)
            << what;
    }
}

TEST(DeadlineLines, SummaryLineColumns) {
    const records::Record r =
        deadline({{u"Causale", u"Versamento saldo IMU seconda rata annuale"_s},
                  {u"DataSca", u"16/12/2024"_s},
                  {u"Ora", u"09:30"_s},
                  {u"Cliente", u"Rossi Mario Giuseppe Alessandro Maria"_s},
                  {u"Oggetto", u"Successione"_s},
                  {u"Importo", u" 1250,50 "_s}});
    EXPECT_EQ(summaryLine(bytesOf(r)), u"Versamento saldo IMU seconda r  Data: 16/12/2024  Ora: "
                                       u"09:30  Cliente: Rossi Mario Giuseppe Alessan  "
                                       u"Successione                     \u20AC 1250,50"_s);
    const records::Record empty(records::deadlineLayout());
    EXPECT_EQ(summaryLine(bytesOf(empty)), QString(30, u' ') + u"  Data: "_s + QString(10, u' ') +
                                               u"  Ora: "_s + QString(5, u' ') + u"  Cliente: "_s +
                                               QString(28, u' ') + u"  "_s + QString(30, u' ') +
                                               u"  \u20AC "_s);

    // Case is ignored for A-Z only; equal lines keep their order.
    QStringList lines = {u"Bollo"_s, u"affitto b"_s, u"Affitto a"_s, u"\u00E0 conto"_s,
                         u"zeta"_s,  u"BOLLO"_s,     u"bollo"_s};
    sortSummaryLines(lines);
    EXPECT_EQ(lines, (QStringList{u"Affitto a"_s, u"affitto b"_s, u"Bollo"_s, u"BOLLO"_s,
                                  u"bollo"_s, u"zeta"_s, u"\u00E0 conto"_s}));
}

TEST(DeadlineArchive, DamagedRecordIsSkippedNotTheEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.sca"_s);
    const QDate today(2024, 3, 7);
    records::Record damagedDate = deadlineOn(u"08/03/2024"_s, u"10:00"_s, u"5"_s, u"Rotto"_s);
    damagedDate.setText(u"DataSca", u"3l/02/2024"_s);
    ASSERT_TRUE(test::writeRecords(
        path, {deadlineOn(u"20/03/2024"_s, u"10:00"_s, u"1"_s, u"Lontana"_s), damagedDate,
               deadlineOn(u"09/03/2024"_s, u"11:00"_s, u"x"_s, u"Preavviso rotto"_s),
               deadlineOn(u"10/03/2024"_s, u"08:15"_s, u"3"_s, u"Imminente"_s),
               deadlineOn(u"07/03/2024"_s, u"17:00"_s, u"0"_s, u"Oggi"_s)}));
    // The damage sits where the fixture put it: record 2's DataSca, record 3's Preavviso.
    const QByteArray bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 5 * 1328);
    EXPECT_EQ(bytes.mid(1328 + 19, 11), QByteArray("\x0A"
                                                   "3l/02/2024"));
    EXPECT_EQ(bytes.mid(2 * 1328 + 42, 2), QByteArray("\x01x"));

    qint64 count = -1;
    ASSERT_TRUE(countImminent(archiveAt(path), today, &count));
    EXPECT_EQ(count, 2);

    QList<DeadlineRow> rows;
    ASSERT_TRUE(dueListRows(archiveAt(path), DueSelection(DueList::Imminent, today), &rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].cell(13), u"Oggi"_s);
    EXPECT_EQ(rows[0].cell(0), u"2"_s);
    EXPECT_EQ(rows[1].cell(13), u"Imminente"_s);
    EXPECT_EQ(rows[1].cell(0), u"1"_s);

    // A length byte beyond the capacity reads as the capacity: record 4's due date still
    // reads 10/03/2024, not the date followed by the bytes of the next fields.
    QByteArray wild = bytes;
    wild[3 * 1328 + 19] = char(0xFF);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(wild), wild.size());
    file.close();
    ASSERT_TRUE(countImminent(archiveAt(path), today, &count));
    EXPECT_EQ(count, 2);
}

TEST(DeadlineArchive, DueListRowsSortedByKeyKeepTheirNumbers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.sca"_s);
    records::Record full = deadlineOn(u"05/03/2024"_s, u"15:00"_s, u"0"_s, u"  Primo  "_s);
    full.setText(u"Cliente", u"Rossi Mario"_s);
    full.setText(u"CodFisc", u"RSSMRA80A01H501U"_s);
    full.setText(u"Importo", u"12,50"_s);
    full.setText(u"Note", u"nota"_s);
    full.setText(u"Effettuato", kYes);
    ASSERT_TRUE(test::writeRecords(
        path, {full, deadlineOn(u"05/04/2024"_s, u"08:00"_s, u"0"_s, u"Aprile"_s),
               deadlineOn(u"05/03/2024"_s, u"09:30"_s, u"0"_s, u"Secondo"_s),
               deadlineOn(u"04/03/2024"_s, u"18:00"_s, u"0"_s, u"Terzo"_s),
               deadlineOn(u"31/03/2024"_s, u"00:00"_s, u"0"_s, u"Quarto"_s)}));

    QList<DeadlineRow> rows;
    ASSERT_TRUE(
        dueListRows(archiveAt(path), DueSelection(DueList::Monthly, QDate(2024, 3, 20)), &rows));
    EXPECT_EQ(numbersOf(rows), (QStringList{u"3"_s, u"2"_s, u"1"_s, u"4"_s}));
    QStringList keys;
    for (const DeadlineRow& row : rows)
        keys << row.cell(20);
    EXPECT_EQ(keys, (QStringList{u"03041800"_s, u"03050930"_s, u"03051500"_s, u"03310000"_s}));
    const DeadlineRow& first = rows[2];
    EXPECT_EQ(first.cell(1), u"05/03/2024"_s);
    EXPECT_EQ(first.cell(2), u"15:00"_s);
    EXPECT_EQ(first.cell(3), u"Rossi Mario"_s);
    EXPECT_EQ(first.cell(4), u"RSSMRA80A01H501U"_s);
    EXPECT_EQ(first.cell(13), u"Primo"_s);
    EXPECT_EQ(first.cell(15), u"12,50"_s);
    EXPECT_EQ(first.cell(17), u"No"_s);
    EXPECT_EQ(first.cell(18), kYes);
    EXPECT_EQ(first.cell(19), u"nota"_s);
    EXPECT_EQ(first.cell(21), QString());

    ASSERT_TRUE(
        dueListRows(archiveAt(path), DueSelection(DueList::Daily, QDate(2024, 3, 5)), &rows));
    EXPECT_EQ(numbersOf(rows), (QStringList{u"2"_s, u"1"_s}));
    ASSERT_TRUE(
        dueListRows(archiveAt(path), DueSelection(DueList::Daily, QDate(2024, 3, 6)), &rows));
    EXPECT_TRUE(rows.isEmpty());

    // A missing archive lists nothing and is not created by reading.
    const QString missing = dir.filePath(u"2031.sca"_s);
    ASSERT_TRUE(
        dueListRows(archiveAt(missing), DueSelection(DueList::Daily, QDate(2031, 1, 1)), &rows));
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
    // An archive that exists but cannot be read is a failure.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"2032.sca"_s));
    EXPECT_FALSE(dueListRows(archiveAt(dir.filePath(u"2032.sca"_s)),
                             DueSelection(DueList::Daily, QDate(2032, 1, 1)), &rows));
    qint64 count = 0;
    EXPECT_FALSE(countImminent(archiveAt(dir.filePath(u"2032.sca"_s)), QDate(2032, 1, 1), &count));
}

TEST(DeadlineArchive, ConfirmationListsAndLineLookup) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.sca"_s);
    records::Record bollo = deadlineOn(u"05/03/2024"_s, u"09:00"_s, u"0"_s, u"Bollo"_s);
    records::Record affitto = deadlineOn(u"01/04/2024"_s, u"09:00"_s, u"0"_s, u"affitto"_s);
    affitto.setText(u"DaConfermare", kYes);
    records::Record paid = deadlineOn(u"01/02/2024"_s, u"09:00"_s, u"0"_s, u"Canone"_s);
    paid.setText(u"Effettuato", kYes);
    records::Record odd = deadlineOn(u"01/02/2024"_s, u"09:00"_s, u"0"_s, u"Strano"_s);
    odd.setText(u"Effettuato", u"Forse"_s);
    ASSERT_TRUE(test::writeRecords(path, {bollo, affitto, paid, odd, bollo}));
    // The flag is stored as the card writes it: "Sì" is 02 53 EC.
    const QByteArray bytes = readAll(path);
    EXPECT_EQ(bytes.mid(2 * 1328 + 1325, 3), QByteArray("\x02S\xEC"));

    lists::ListedLines lines;
    ASSERT_TRUE(confirmationLines(archiveAt(path), ConfirmationList::PaymentsToMake, &lines));
    EXPECT_EQ(reasonsOf(lines.lines), (QStringList{u"affitto"_s, u"Bollo"_s, u"Bollo"_s}));
    // Sorted, each line keeps its record; both twins lead to the later one.
    EXPECT_EQ(lines.positions, (QList<qint64>{2, 5, 5}));
    ASSERT_TRUE(confirmationLines(archiveAt(path), ConfirmationList::PaymentsMade, &lines));
    EXPECT_EQ(reasonsOf(lines.lines), QStringList{u"Canone"_s});
    EXPECT_EQ(lines.positions, QList<qint64>{3});
    ASSERT_TRUE(
        confirmationLines(archiveAt(path), ConfirmationList::AppointmentsToConfirm, &lines));
    EXPECT_EQ(reasonsOf(lines.lines), QStringList{u"affitto"_s});
    EXPECT_EQ(lines.positions, QList<qint64>{2});

    // Whatever its flags, a record is found behind its line; of twins, the later one.
    std::optional<lists::ChosenRecord> found;
    ASSERT_TRUE(findByLine(archiveAt(path), u" "_s + summaryLine(bytesOf(odd)) + u" "_s, &found));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->position, 4);
    ASSERT_TRUE(findByLine(archiveAt(path), summaryLine(bytesOf(bollo)), &found));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->position, 5);
    EXPECT_EQ(found->bytes, bollo.bytes());
}

TEST(DeadlineSearch, TenFiltersOverTheirOwnFields) {
    EXPECT_EQ(searchFields(),
              (QStringList{u"DataSca"_s, u"Ora"_s, u"Cliente"_s, u"CodFisc"_s, u"Oggetto"_s,
                           u"Protocollo"_s, u"Stato"_s, u"Consulente"_s, u"Causale"_s, u"Note"_s}));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.sca"_s);
    auto make = [](const QString& date, const QString& time, const QString& client,
                   const QString& reason, const QString& note) {
        records::Record r = deadlineOn(date, time, u"0"_s, reason);
        r.setText(u"Cliente", client);
        r.setText(u"Note", note);
        r.setText(u"Stato", u"Aperta"_s);
        return r;
    };
    ASSERT_TRUE(test::writeRecords(
        path, {make(u"15/03/2024"_s, u"09:45"_s, u"Rossi Mario"_s, u"Saldo IMU"_s, u"CITT\u00C0"_s),
               make(u"20/03/2024"_s, u"10:00"_s, u"ROSSINI ANNA"_s, u"Acconto imu"_s, u""_s),
               make(u"03/04/2024"_s, u"09:00"_s, u"Rossi Mario"_s, u"Affitto"_s, u"citt\u00E0"_s),
               make(u"30/03/2024"_s, u"15:09"_s, u"Bianchi"_s, u"Bollo"_s, u"x"_s)}));
    auto reasons = [&](const QStringList& filters) {
        lists::ListedLines listed;
        EXPECT_TRUE(searchArchive(archiveAt(path), filters, &listed));
        return reasonsOf(listed.lines);
    };
    const QString none;
    // No filter (or only blanks): every record, sorted by line.
    const QStringList all = {u"Acconto imu"_s, u"Affitto"_s, u"Bollo"_s, u"Saldo IMU"_s};
    EXPECT_EQ(reasons({}), all);
    EXPECT_EQ(reasons({u"  "_s, u" "_s}), all);
    EXPECT_EQ(reasons({u"03/2024"_s}), (QStringList{u"Acconto imu"_s, u"Bollo"_s, u"Saldo IMU"_s}));
    EXPECT_EQ(reasons({none, u"09:"_s}), (QStringList{u"Affitto"_s, u"Saldo IMU"_s}));
    EXPECT_EQ(reasons({none, none, u"ross"_s}),
              (QStringList{u"Acconto imu"_s, u"Affitto"_s, u"Saldo IMU"_s}));
    EXPECT_EQ(reasons({none, none, u"ROSSI"_s, none, none, none, none, none, u"imu"_s}),
              (QStringList{u"Acconto imu"_s, u"Saldo IMU"_s}));
    EXPECT_EQ(reasons({none, none, u"rossi "_s}), (QStringList{u"Affitto"_s, u"Saldo IMU"_s}));
    EXPECT_EQ(reasons({none, none, none, none, none, none, u"aperta"_s, none, none, u"x"_s}),
              QStringList{u"Bollo"_s});
    // Accented letters are compared as they are.
    EXPECT_EQ(reasons({none, none, none, none, none, none, none, none, none, u"citt\u00E0"_s}),
              QStringList{u"Affitto"_s});
    EXPECT_EQ(reasons({none, none, u"verdi"_s}), QStringList());
    EXPECT_EQ(foundCountText(0), u"Il presente elenco contiene 0 schede."_s);
    EXPECT_EQ(foundCountText(12), u"Il presente elenco contiene 12 schede."_s);
}

TEST(DeadlineExport, EveryRecordInFileOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.sca"_s);
    QList<records::Record> recs;
    for (int i = 12; i >= 1; --i)
        recs << deadlineOn(u"%1/01/2024"_s.arg(i, 2, 10, QChar(u'0')), u"08:00"_s, u"0"_s);
    ASSERT_TRUE(test::writeRecords(path, recs));
    QList<DeadlineRow> rows;
    ASSERT_TRUE(archiveRows(archiveAt(path), &rows));
    ASSERT_EQ(rows.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(rows[i].cell(0), QString::number(i + 1));
        EXPECT_EQ(rows[i].cell(1), u"%1/01/2024"_s.arg(12 - i, 2, 10, QChar(u'0')));
    }

    // The grid columns after "N.": the 19 fields, then the order key on the due-date lists.
    const QList<exporting::FieldColumn> due = columns() + QList{orderKeyColumn()};
    ASSERT_EQ(due.size(), 20);
    EXPECT_EQ(due[19].header, u"Codice univoco"_s);
    EXPECT_EQ(due[19].source, exporting::CellSource::SortKey);
    EXPECT_EQ(due[13].header, u"Modalit\u00E0 di pagamento"_s);
    for (int c = 0; c < 20; ++c)
        EXPECT_EQ(due[c].editable, (c >= 13 && c <= 17) || c == 19) << c;
    const QList<exporting::SheetColumn> dueSheet = dueListSheetColumns();
    const QList<exporting::SheetColumn> archiveSheet = archiveSheetColumns();
    ASSERT_EQ(dueSheet.size(), 20);
    ASSERT_EQ(archiveSheet.size(), 19);
    const int widths[] = {150, 150, 250, 200, 250, 300, 250, 250, 150, 150,
                          250, 250, 300, 300, 200, 250, 250, 250, 300, 150};
    for (int c = 0; c < 20; ++c) {
        EXPECT_EQ(dueSheet[c].width, widths[c]) << c;
        EXPECT_EQ(dueSheet[c].heading, due[c].header);
    }
    EXPECT_EQ(archiveSheet.last().heading, u"Note"_s);
    EXPECT_EQ(dueListTexts(DueList::Monthly).caption, u" Scadenze del mese"_s);
    EXPECT_EQ(QString::fromUtf16(dueListTexts(DueList::Imminent).target.fileName),
              u"Scadenze_Imminenti.xls"_s);
    EXPECT_EQ(confirmationListTexts(ConfirmationList::PaymentsToMake).caption,
              u" Riepilogo pagamenti da effettuare"_s);
}
