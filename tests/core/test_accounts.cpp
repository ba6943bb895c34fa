// Cash book and balance, unpaid payments and the sums of the statistics charts, all read from a
// yearly movement archive. Sums are exact: no binary floating point, also not in the checks.
#include "accounts/cashbook.h"
#include "accounts/statistics.h"
#include "accounts/unpaid.h"
#include "money/normalise.h"
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
using namespace tavolex::accounts;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSi = u"S\u00EC"_s;

records::Record movement(test::FieldValues values) {
    return test::makeRecord(records::movementLayout(), values);
}

// A movement as the card stores it: kind flags, Importo and the signed Totale.
records::Record stored(bool income, const QString& data, const QString& importo,
                       const QString& causale = u"x"_s) {
    return movement({{u"Entrata", income ? kSi : u"No"_s},
                     {u"Uscita", income ? u"No"_s : kSi},
                     {u"Data", data},
                     {u"Causale", causale},
                     {u"Importo", importo},
                     {u"Totale", (income ? u"+"_s : u"-"_s) + importo},
                     {u"Saldato", u"No"_s}});
}

QString text(const money::Amount& a) {
    return money::totalText(a);
}

// The reason column of cash book lines (after the nine characters of the kind).
QStringList reasons(const QStringList& lines) {
    QStringList out;
    for (const QString& line : lines)
        out << line.mid(9, 40).trimmed();
    return out;
}

class ArchiveTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(u"2024.eur"_s); }
    void write(const QList<records::Record>& records) {
        ASSERT_TRUE(test::writeRecords(path(), records));
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

// ---------------------------------------------------------------- period checks

TEST(CashBookPeriod, ChecksInOrder) {
    struct Case {
        const char* what;
        PeriodInput input;
        PeriodField focus;
        bool warning;
        QString startText, endText;
    };
    const QString none;
    const Case cases[] = {
        {"year of three digits",
         {u"202"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s},
         PeriodField::Anno,
         true,
         none,
         none},
        {"year comes first",
         {u"20245"_s, none, none, none, none},
         PeriodField::Anno,
         true,
         none,
         none},
        {"start day",
         {u"2025"_s, u" "_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s},
         PeriodField::GiornoInizio,
         true,
         none,
         none},
        {"start month",
         {u"2025"_s, u"01"_s, none, none, none},
         PeriodField::MeseInizio,
         true,
         none,
         none},
        {"end day",
         {u"2025"_s, u"01"_s, u"Gennaio"_s, none, u"Marzo"_s},
         PeriodField::GiornoFine,
         true,
         none,
         none},
        {"end month",
         {u"2025"_s, u"01"_s, u"Gennaio"_s, u"31"_s, none},
         PeriodField::MeseFine,
         true,
         none,
         none},
        {"31 April",
         {u"2025"_s, u"31"_s, u"Aprile"_s, u"31"_s, u"Dicembre"_s},
         PeriodField::GiornoInizio,
         false,
         u"31/04/2025"_s,
         none},
        {"29 February of a common year",
         {u"2025"_s, u"01"_s, u"Gennaio"_s, u"29"_s, u"Febbraio"_s},
         PeriodField::GiornoFine,
         false,
         u"01/01/2025"_s,
         u"29/02/2025"_s},
        {"not a month",
         {u"2025"_s, u"01"_s, u"Gen"_s, u"31"_s, u"Dicembre"_s},
         PeriodField::GiornoInizio,
         false,
         u"01//2025"_s,
         none},
        {"end before start",
         {u"2025"_s, u"02"_s, u"Marzo"_s, u"01"_s, u"Marzo"_s},
         PeriodField::None,
         false,
         u"02/03/2025"_s,
         u"01/03/2025"_s},
    };
    for (const Case& c : cases) {
        const PeriodVerdict v = checkPeriod(c.input);
        EXPECT_FALSE(v.ok) << c.what;
        EXPECT_EQ(v.focus, c.focus) << c.what;
        EXPECT_EQ(v.warning, c.warning) << c.what;
        EXPECT_EQ(v.startText, c.startText) << c.what;
        EXPECT_EQ(v.endText, c.endText) << c.what;
        EXPECT_FALSE(v.message.isEmpty()) << c.what;
    }

    // Month names are read trimmed and in any case; the year is trimmed into the dates.
    const PeriodVerdict leap =
        checkPeriod({u"2024"_s, u"29"_s, u" FEBBRAIO "_s, u"29"_s, u"febbraio"_s});
    ASSERT_TRUE(leap.ok) << leap.message.toStdString();
    EXPECT_EQ(leap.startText, u"29/02/2024"_s);
    EXPECT_EQ(leap.start, QDate(2024, 2, 29));
    EXPECT_EQ(leap.end, QDate(2024, 2, 29));
    const PeriodVerdict year =
        checkPeriod({u"2025"_s, u"01"_s, u"Gennaio"_s, u"31"_s, u"Dicembre"_s});
    ASSERT_TRUE(year.ok);
    EXPECT_EQ(year.endText, u"31/12/2025"_s);
}

TEST(CashBookPeriod, Messages) {
    const QString none;
    EXPECT_EQ(checkPeriod({u"25"_s, none, none, none, none}).message,
              u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_s);
    EXPECT_EQ(checkPeriod({u"2025"_s, none, none, none, none}).message,
              u"Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a "
              u"cascata."_s);
    EXPECT_EQ(checkPeriod({u"2025"_s, u"01"_s, u"Marzo"_s, u"01"_s, none}).message,
              u"Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
              u"cascata."_s);
    EXPECT_EQ(checkPeriod({u"2025"_s, u"31"_s, u"Aprile"_s, u"01"_s, u"Maggio"_s}).message,
              u"Attenzione: la data 31/04/2025 di inizio intervallo non esiste.\n\r\n\rPer poter "
              u"visualizzare il riepilogo \u00E8 necessario indicare una data valida."_s);
    EXPECT_EQ(checkPeriod({u"2025"_s, u"02"_s, u"Marzo"_s, u"01"_s, u"Marzo"_s}).message,
              u"Attenzione: la data di fine intervallo (01/03/2025) non pu\u00F2 essere anteriore "
              u"a quella di inizio intervallo (02/03/2025).\n\r\n\rPer poter visualizzare il "
              u"riepilogo \u00E8 necessario indicare un intervallo di tempo valido."_s);
}

TEST(CashBookPeriod, DayAndMonthFieldsKeepOnlyListValues) {
    const std::pair<QString, QString> days[] = {
        {u"01"_s, u"01"_s}, {u"31"_s, u"31"_s}, {u"00"_s, u""_s}, {u"32"_s, u""_s},
        {u"1"_s, u""_s},    {u" 1"_s, u""_s},   {u"ab"_s, u""_s}, {u""_s, u""_s},
    };
    for (const auto& [typed, kept] : days)
        EXPECT_EQ(keptDay(typed), kept) << typed.toStdString();
    EXPECT_EQ(keptMonth(u"dicembre"_s), u"dicembre"_s);
    EXPECT_EQ(keptMonth(u"Dic"_s), QString());
    EXPECT_EQ(monthNumber(u" sEtTeMbRe "_s), 9);
    EXPECT_EQ(monthNumber(u"Gennaio"_s), 1);
    EXPECT_EQ(monthNumber(u""_s), 0);
    ASSERT_EQ(monthNames().size(), 12);
    EXPECT_EQ(monthNames()[11], u"Dicembre"_s);
}

// ---------------------------------------------------------------- the cash book

using CashBookTest = ArchiveTest;

TEST_F(CashBookTest, SelectsByIntervalAndReasonWhateverThePaidFlag) {
    records::Record settled = stored(true, u"01/03/2024"_s, u"1000,00"_s, u"Affitto ufficio"_s);
    settled.setText(u"Saldato", kSi);
    write({stored(false, u"29/02/2024"_s, u"1,00"_s, u"prima"_s), settled,
           stored(false, u"15/03/2024"_s, u"250,50"_s, u"Luce"_s),
           stored(false, u"31/03/2024"_s, u"0,00"_s, u"AFFITTO magazzino"_s),
           stored(true, u"01/04/2024"_s, u"9,00"_s, u"dopo"_s)});
    const QDate start(2024, 3, 1), end(2024, 3, 31);

    CashBook all = readCashBook(archiveAt(path()), start, end, u""_s);
    ASSERT_TRUE(all.readable);
    EXPECT_EQ(reasons(all.lines),
              (QStringList{u"Affitto ufficio"_s, u"Luce"_s, u"AFFITTO magazzino"_s}));
    EXPECT_EQ(totalLabel(all.totals.income()), u"1000,00 \u20AC"_s);
    EXPECT_EQ(totalLabel(all.totals.expenses()), u"-250,50 \u20AC"_s);
    EXPECT_EQ(totalLabel(all.totals.balance()), u"749,50 \u20AC"_s);

    // A filter of blanks is no filter; "aff" finds either case.
    EXPECT_EQ(readCashBook(archiveAt(path()), start, end, u"   "_s).lines, all.lines);
    const CashBook rent = readCashBook(archiveAt(path()), start, end, u"aff"_s);
    EXPECT_EQ(reasons(rent.lines), (QStringList{u"Affitto ufficio"_s, u"AFFITTO magazzino"_s}));
    EXPECT_EQ(totalLabel(rent.totals.expenses()), u"0,00 \u20AC"_s);
    EXPECT_EQ(totalLabel(rent.totals.balance()), u"1000,00 \u20AC"_s);

    // One day.
    EXPECT_EQ(
        reasons(readCashBook(archiveAt(path()), QDate(2024, 3, 31), QDate(2024, 3, 31), {}).lines),
        QStringList{u"AFFITTO magazzino"_s});
}

TEST_F(CashBookTest, LineColumns) {
    records::Record r = stored(false, u"05/03/2024"_s, u"250,50"_s,
                               u"Bolletta della luce del primo bimestre dell'anno"_s);
    r.setText(u"Pagatore", u"Studio Bianchi & Associati di Milano"_s);
    r.setText(u"Beneficiario", u"Enel"_s);
    EXPECT_EQ(cashBookLine(r.bytes().constData()),
              u"USCITA   Bolletta della luce del primo bimestre d  Data: 05/03/2024"
              u"  Da: Studio Bianchi & Associati d"
              u"  A: Enel"_s +
                  QString(24, u' ') + u"  Importo: -250,50"_s);
    r.setText(u"Totale", u"+7,00"_s);
    EXPECT_TRUE(cashBookLine(r.bytes().constData()).startsWith(u"ENTRATA  Bolletta"_s));
    // Neither sign: nine blanks for the kind, the movement is still shown.
    r.setText(u"Totale", u"7,00"_s);
    EXPECT_TRUE(cashBookLine(r.bytes().constData()).startsWith(u"         Bolletta"_s));
}

TEST_F(CashBookTest, CentsAddUpExactly) {
    write({stored(true, u"01/03/2024"_s, u"0,10"_s), stored(true, u"02/03/2024"_s, u"0,20"_s),
           stored(false, u"03/03/2024"_s, u"0,30"_s)});
    const CashBook book =
        readCashBook(archiveAt(path()), QDate(2024, 1, 1), QDate(2024, 12, 31), {});
    ASSERT_TRUE(book.readable);
    EXPECT_TRUE(book.totals.balance().isZero());
    EXPECT_EQ(totalLabel(book.totals.balance()), u"0,00 \u20AC"_s);
    EXPECT_EQ(totalLabel(book.totals.income()), u"0,30 \u20AC"_s);
    EXPECT_EQ(totalLabel(book.totals.expenses()), u"-0,30 \u20AC"_s);
}

TEST_F(CashBookTest, AnAmountWithNeitherSignEntersTheBalanceOnly) {
    records::Record odd = stored(true, u"01/03/2024"_s, u"5,00"_s);
    odd.setText(u"Totale", u"5,00"_s);
    write({stored(true, u"01/03/2024"_s, u"10,00"_s), odd});
    const CashBook book = readCashBook(archiveAt(path()), QDate(2024, 3, 1), QDate(2024, 3, 1), {});
    ASSERT_TRUE(book.readable);
    EXPECT_EQ(book.lines.size(), 2);
    EXPECT_EQ(text(book.totals.income()), u"10,00"_s);
    EXPECT_EQ(text(book.totals.expenses()), u"0,00"_s);
    EXPECT_EQ(text(book.totals.balance()), u"15,00"_s);
}

TEST_F(CashBookTest, AListedRecordThatCannotBeReadEndsTheOperation) {
    const QDate start(2024, 3, 1), end(2024, 3, 31);
    records::Record badDate = stored(true, u"31/02/2024"_s, u"1,00"_s, u"Affitto"_s);
    records::Record badAmount = stored(true, u"10/03/2024"_s, u"1,00"_s, u"Affitto"_s);
    badAmount.setText(u"Totale", u"+1,2,3"_s);
    records::Record badAmountElsewhere = badAmount;
    badAmountElsewhere.setText(u"Data", u"10/04/2024"_s);
    const records::Record good = stored(true, u"10/03/2024"_s, u"1,00"_s, u"Luce"_s);

    struct Case {
        const char* what;
        QList<records::Record> records;
        QString filter;
        bool readable;
        qint64 badRecord;
    };
    const Case cases[] = {
        {"date that does not exist", {good, badDate, good}, {}, false, 2},
        {"amount that is not a number", {good, good, badAmount}, {}, false, 3},
        {"bad date left out by the filter", {good, badDate}, u"luce"_s, true, 0},
        {"bad amount outside the interval", {good, badAmountElsewhere}, {}, true, 0},
    };
    for (const Case& c : cases) {
        write(c.records);
        const CashBook book = readCashBook(archiveAt(path()), start, end, c.filter);
        EXPECT_EQ(book.readable, c.readable) << c.what;
        EXPECT_EQ(book.badRecord, c.badRecord) << c.what;
    }
}

TEST_F(CashBookTest, AnArchiveThatCannotBeReadIsAnError) {
    // A folder where the archive should be: it exists but holds no records to read.
    ASSERT_TRUE(QDir().mkpath(path()));
    const CashBook book =
        readCashBook(archiveAt(path()), QDate(2024, 1, 1), QDate(2024, 12, 31), {});
    EXPECT_FALSE(book.readable);
    EXPECT_EQ(book.badRecord, 0);
    // The other passes leave their result as it was.
    QList<QStringList> rows{{u"kept"_s}};
    EXPECT_FALSE(unpaidRows(archiveAt(path()), UnpaidList::Both, QDate(2024, 6, 1), &rows));
    EXPECT_EQ(rows, QList<QStringList>{{u"kept"_s}});
}

TEST_F(CashBookTest, MissingArchiveIsAnEmptyCashBook) {
    const CashBook book =
        readCashBook(archiveAt(path()), QDate(2024, 1, 1), QDate(2024, 12, 31), {});
    EXPECT_TRUE(book.readable);
    EXPECT_TRUE(book.lines.isEmpty());
    EXPECT_EQ(totalLabel(book.totals.balance()), u"0,00 \u20AC"_s);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST(CashBookTexts, HeadingIntervalAndPrintedMemo) {
    EXPECT_EQ(filterTitle(u"  "_s), u"- - -"_s);
    EXPECT_EQ(filterTitle(u" affitto "_s), u"affitto"_s);
    EXPECT_EQ(printTitle(u""_s), u"PRIMANOTA E BILANCIO - Causale :  - - -"_s);
    const QString interval = intervalText(u"01/01/2025"_s, u"31/12/2025"_s);
    EXPECT_EQ(interval, u"Dal   01/01/2025   al   31/12/2025"_s);

    money::Totals totals;
    ASSERT_TRUE(totals.add(u"+1500"_s));
    ASSERT_TRUE(totals.add(u"-12,5"_s));
    EXPECT_EQ(printLines({u"riga 1"_s, u"riga 2"_s}, interval, totals),
              (QStringList{u"riga 1"_s, u"riga 2"_s, u"- - - - - - - - - - - - - - - -"_s,
                           u"INTERVALLO SELEZIONATO :      Dal   01/01/2025   al   31/12/2025"_s,
                           u"TOTALE ENTRATE :              1500,00 \u20AC"_s,
                           u"TOTALE USCITE :               -12,50 \u20AC"_s,
                           u"BILANCIO ENTRATE E USCITE :   1487,50 \u20AC"_s}));
}

// ---------------------------------------------------------------- unpaid payments

using UnpaidTest = ArchiveTest;

TEST_F(UnpaidTest, DueNotSettledAndOfTheListsKind) {
    const QDate today(2024, 6, 10);
    struct Case {
        const char* what;
        bool income;
        QString dataSca, preavviso, saldato;
        bool inIncome, inExpense, inBoth;
    };
    const Case cases[] = {
        {"income due today", true, u"10/06/2024"_s, u"0"_s, u"No"_s, true, false, true},
        {"income overdue", true, u"01/01/2024"_s, u"0"_s, u"No"_s, true, false, true},
        {"expense overdue", false, u"09/06/2024"_s, u"0"_s, u"No"_s, false, true, true},
        {"due tomorrow, notice days ignored", true, u"11/06/2024"_s, u"30"_s, u"No"_s, false, false,
         false},
        {"settled and overdue", false, u"01/01/2024"_s, u"0"_s, kSi, false, false, false},
        {"paid flag damaged", false, u"01/01/2024"_s, u"0"_s, u"Si"_s, false, false, false},
        {"due date not a date", true, u"ieri"_s, u"0"_s, u"No"_s, false, false, false},
    };
    for (const Case& c : cases) {
        records::Record r = stored(c.income, u"01/01/2024"_s, u"250,00"_s);
        r.setText(u"DataSca", c.dataSca);
        r.setText(u"Preavviso", c.preavviso);
        r.setText(u"Saldato", c.saldato);
        const char* bytes = r.bytes().constData();
        EXPECT_EQ(isUnpaid(bytes, UnpaidList::Income, today), c.inIncome) << c.what;
        EXPECT_EQ(isUnpaid(bytes, UnpaidList::Expense, today), c.inExpense) << c.what;
        EXPECT_EQ(isUnpaid(bytes, UnpaidList::Both, today), c.inBoth) << c.what;
    }
    // Both kind flags on (a damaged record): in each list; neither: only in the combined one.
    records::Record both = stored(true, u"01/01/2024"_s, u"1,00"_s);
    both.setText(u"Uscita", kSi);
    both.setText(u"DataSca", u"01/06/2024"_s);
    EXPECT_TRUE(isUnpaid(both.bytes().constData(), UnpaidList::Expense, today));
    EXPECT_TRUE(isUnpaid(both.bytes().constData(), UnpaidList::Income, today));
    both.setText(u"Entrata", u"No"_s);
    both.setText(u"Uscita", u"No"_s);
    EXPECT_FALSE(isUnpaid(both.bytes().constData(), UnpaidList::Income, today));
    EXPECT_FALSE(isUnpaid(both.bytes().constData(), UnpaidList::Expense, today));
    EXPECT_TRUE(isUnpaid(both.bytes().constData(), UnpaidList::Both, today));
}

TEST_F(UnpaidTest, RowsInFileOrderSkippingDamagedRecords) {
    auto due = [](bool income, const QString& causale, const QString& dataSca) {
        records::Record r = stored(income, u"02/01/2024"_s, u"250,00"_s, causale);
        r.setText(u"DataSca", dataSca);
        return r;
    };
    records::Record badAmount = due(true, u"importo rotto"_s, u"01/02/2024"_s);
    badAmount.setText(u"Totale", u"+abc"_s);
    write({due(true, u"primo"_s, u"01/02/2024"_s), due(true, u"data rotta"_s, u"31/02/2024"_s),
           badAmount, due(false, u"uscita"_s, u"01/03/2024"_s),
           due(true, u"futuro"_s, u"01/12/2024"_s), due(true, u"ultimo"_s, u"10/06/2024"_s)});
    const QDate today(2024, 6, 10);
    auto causali = [&](UnpaidList list) {
        QList<QStringList> rows;
        EXPECT_TRUE(unpaidRows(archiveAt(path()), list, today, &rows));
        QStringList out;
        for (qsizetype i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].size(), 21);
            EXPECT_EQ(rows[i][0], QString::number(i + 1)); // numbered without gaps
            out << rows[i][3];
        }
        return out;
    };
    EXPECT_EQ(causali(UnpaidList::Income), (QStringList{u"primo"_s, u"ultimo"_s}));
    EXPECT_EQ(causali(UnpaidList::Expense), QStringList{u"uscita"_s});
    EXPECT_EQ(causali(UnpaidList::Both), (QStringList{u"primo"_s, u"uscita"_s, u"ultimo"_s}));

    QList<QStringList> rows;
    ASSERT_TRUE(unpaidRows(archiveAt(path()), UnpaidList::Expense, today, &rows));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][1], u"Uscita"_s);
    EXPECT_EQ(rows[0][7], u"-250,00"_s);
    EXPECT_EQ(rows[0][20], u"No"_s);

    // A missing archive has no rows and is not created here.
    const QString missing = path().replace(u"2024"_s, u"2023"_s);
    rows = {{u"left over"_s}};
    ASSERT_TRUE(unpaidRows(archiveAt(missing), UnpaidList::Both, today, &rows));
    EXPECT_TRUE(rows.isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(UnpaidTexts, ExportFilesAndCaptions) {
    EXPECT_EQ(QString::fromUtf16(exportTarget(UnpaidList::Income).fileName),
              u"Pagamenti_in_Entrata_Insoluti.xls"_s);
    EXPECT_EQ(QString::fromUtf16(exportTarget(UnpaidList::Expense).worksheetName),
              u"Pagamenti in uscita insoluti"_s);
    EXPECT_EQ(QString::fromUtf16(exportTarget(UnpaidList::Both).fileName),
              u"Pagamenti_Insoluti.xls"_s);
    EXPECT_EQ(listCaption(UnpaidList::Both), u" Pagamenti insoluti in entrata e in uscita"_s);
}

// ---------------------------------------------------------------- statistics

TEST(StatisticsRounding, WholeEuroIsTheIntegerPartOfValuePlusAHalf) {
    const std::pair<QString, QString> cases[] = {
        {u"0"_s, u"0"_s},         {u"0,49"_s, u"0"_s},
        {u"0,50"_s, u"1"_s},      {u"100,80"_s, u"101"_s},
        {u"100,499"_s, u"100"_s}, {u"7"_s, u"7"_s},
        {u"1234,5"_s, u"1235"_s}, {u"0,4999999"_s, u"0"_s},
        {u"-4,7"_s, u"-4"_s},     {u"-0,5"_s, u"0"_s},
        {u"-3"_s, u"-2"_s},       {u"999999999999999999,50"_s, u"1000000000000000000"_s},
    };
    for (const auto& [value, whole] : cases) {
        const money::Amount rounded = wholeEuro(money::parseAmount(value).value());
        EXPECT_EQ(rounded.toText(), whole) << value.toStdString();
        EXPECT_EQ(rounded.places(), 0) << value.toStdString();
    }
}

TEST(StatisticsMonths, WhichMonthAMovementCountsIn) {
    struct Case {
        const char* what;
        QString entrata, uscita, data;
        int income, expense;
    };
    const Case cases[] = {
        {"income of March", kSi, u"No"_s, u"05/03/2024"_s, 3, 0},
        {"expense of December", u"No"_s, kSi, u"31/12/2024"_s, 0, 12},
        {"previous year", kSi, u"No"_s, u"31/12/2023"_s, 0, 0},
        {"blanks around the date", kSi, u"No"_s, u"  05/03/2024 "_s, 3, 0},
        {"month 13", kSi, u"No"_s, u"05/13/2024"_s, 0, 0},
        {"month 00", kSi, u"No"_s, u"05/00/2024"_s, 0, 0},
        {"day and month of one digit", kSi, u"No"_s, u"5/3/2024"_s, 0, 0},
        {"no date", kSi, u"No"_s, QString(), 0, 0},
        {"damaged flags", u"Si"_s, u"S"_s, u"05/03/2024"_s, 0, 0},
    };
    for (const Case& c : cases) {
        const records::Record r =
            movement({{u"Entrata", c.entrata}, {u"Uscita", c.uscita}, {u"Data", c.data}});
        const char* bytes = r.bytes().constData();
        EXPECT_EQ(countedMonth(bytes, MovementKind::Income, u" 2024 "_s), c.income) << c.what;
        EXPECT_EQ(countedMonth(bytes, MovementKind::Expense, u"2024"_s), c.expense) << c.what;
    }
}

using StatisticsTest = ArchiveTest;

TEST_F(StatisticsTest, MonthSumsAndYearBalance) {
    records::Record settled = stored(true, u"20/03/2024"_s, u"0,40"_s);
    settled.setText(u"Saldato", kSi);
    records::Record unreadable = stored(true, u"01/03/2024"_s, u"abc"_s);
    write({stored(true, u"01/03/2024"_s, u"100,40"_s), unreadable, settled,
           stored(true, u"15/12/2023"_s, u"50,00"_s), // stored in this archive, dated last year
           stored(false, u"02/03/2024"_s, u"7,00"_s), stored(true, u"01/05/2024"_s, u"0,10"_s),
           stored(true, u"02/05/2024"_s, u"0,35"_s), stored(true, u"03/05/2024"_s, u"0,05"_s),
           stored(false, u"09/01/2024"_s, u"0,49"_s)});

    MonthSums income;
    ASSERT_TRUE(monthSums(archiveAt(path()), MovementKind::Income, u"2024"_s, &income));
    EXPECT_EQ(text(income[2]), u"100,80"_s); // March: the unreadable amount is skipped
    EXPECT_EQ(wholeEuro(income[2]).toText(), u"101"_s);
    EXPECT_EQ(text(income[4]), u"0,50"_s); // exactly half a euro
    EXPECT_EQ(wholeEuro(income[4]).toText(), u"1"_s);
    EXPECT_EQ(text(income[11]), u"0,00"_s); // December 2023 is not December 2024
    EXPECT_EQ(text(income[0]), u"0,00"_s);  // January holds only an expense

    MonthSums expenses;
    ASSERT_TRUE(monthSums(archiveAt(path()), MovementKind::Expense, u"2024"_s, &expenses));
    EXPECT_EQ(text(expenses[0]), u"0,49"_s);
    EXPECT_EQ(wholeEuro(expenses[0]).toText(), u"0"_s);
    EXPECT_EQ(text(expenses[2]), u"7,00"_s);

    YearBalance balance;
    ASSERT_TRUE(yearBalance(archiveAt(path()), &balance));
    EXPECT_EQ(text(balance.income), u"151,30"_s); // every record of the file, any year
    EXPECT_EQ(text(balance.expenses), u"7,49"_s);
}

TEST_F(StatisticsTest, MissingArchiveGivesZeros) {
    MonthSums sums;
    sums[3] = money::parseAmount(u"5"_s).value();
    ASSERT_TRUE(monthSums(archiveAt(path()), MovementKind::Income, u"2024"_s, &sums));
    for (const money::Amount& s : sums)
        EXPECT_TRUE(s.isZero());
    YearBalance balance{money::parseAmount(u"1"_s).value(), money::parseAmount(u"2"_s).value()};
    ASSERT_TRUE(yearBalance(archiveAt(path()), &balance));
    EXPECT_TRUE(balance.income.isZero());
    EXPECT_TRUE(balance.expenses.isZero());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST(StatisticsChart, PointsInCalendarOrderWithTheirColours) {
    const auto& months = monthPoints();
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(QString::fromUtf16(months[i].label), monthNames()[i]);
    EXPECT_EQ(months[0].argb, 0xFFFF0000u);
    EXPECT_EQ(months[2].argb, 0xFFFFE4C4u);
    EXPECT_EQ(months[8].argb, 0xFFF0FBFFu);
    EXPECT_EQ(months[11].argb, 0xFF008000u);
    EXPECT_EQ(QString::fromUtf16(balancePoints()[0].label), u"Entrate"_s);
    EXPECT_EQ(balancePoints()[0].argb, 0xFF008000u);
    EXPECT_EQ(balancePoints()[1].argb, 0xFFFF0000u);
    EXPECT_EQ(QString::fromUtf16(kExpenseChart.title), u"Statistiche uscite mensili"_s);
}
