// Movements: the list line, the payments-due rule and list, the search, the export grid and the
// checks of "Salva" on the movement card.
#include "money/normalise.h"
#include "movements/archive.h"
#include "movements/movementlines.h"
#include "movements/saving.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/archiveat.h"
#include "support/printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/recordfixtures.h"

using tavolex::testing::archiveAt;
using namespace tavolex;
using namespace tavolex::movements;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSi = u"S\u00EC"_s;

records::Record movement(test::FieldValues values) {
    return test::makeRecord(records::movementLayout(), values);
}

// An unsettled movement due on `dataSca` with `preavviso` notice days.
records::Record unsettled(const QString& causale, const QString& dataSca,
                          const QString& preavviso = u"0"_s) {
    return movement({{u"Entrata", kSi},
                     {u"Uscita", u"No"_s},
                     {u"Causale", causale},
                     {u"DataSca", dataSca},
                     {u"Preavviso", preavviso},
                     {u"Importo", u"10,00"_s},
                     {u"Totale", u"+10,00"_s},
                     {u"Saldato", u"No"_s}});
}

// The first 40 characters of each line: the reason column.
QStringList reasons(const QStringList& lines) {
    QStringList out;
    for (const QString& line : lines)
        out << line.left(40).trimmed();
    return out;
}

} // namespace

// ---------------------------------------------------------------- list line

TEST(MovementLines, FixedColumnsAndSignedAmount) {
    const records::Record r =
        movement({{u"Causale", u"Affitto ufficio di via Roma, primo trimestre 2024 e conguaglio"_s},
                  {u"DataSca", u"05/03/2024"_s},
                  {u"Pagatore", u"Studio Bianchi & Associati, sede legale di Milano"_s},
                  {u"Beneficiario", u"Immobiliare Rossi"_s},
                  {u"Importo", u"1234,50"_s},
                  {u"Totale", u" -1234,50 "_s}});
    EXPECT_EQ(listLine(r.bytes().constData()), u"Affitto ufficio di via Roma, primo trime"
                                               u"  Scad. 05/03/2024"
                                               u"  Da: Studio Bianchi & Associati, se"
                                               u"  A: Immobiliare Rossi"_s +
                                                   QString(13, u' ') + u"  Importo: -1234,50"_s);
    const records::Record empty(records::movementLayout());
    EXPECT_EQ(listLine(empty.bytes().constData()),
              QString(40, u' ') + u"  Scad. "_s + QString(10, u' ') + u"  Da: "_s +
                  QString(30, u' ') + u"  A: "_s + QString(30, u' ') + u"  Importo: "_s);
}

// ---------------------------------------------------------------- payments due

TEST(MovementDue, NoticePeriodSettledFlagAndDamagedFields) {
    const QDate today(2024, 6, 10);
    struct Case {
        const char* what;
        QString dataSca, preavviso, saldato;
        bool due;
    };
    const Case cases[] = {
        {"due in 10 days, 10 notice days", u"20/06/2024"_s, u"10"_s, u"No"_s, true},
        {"due in 10 days, 9 notice days", u"20/06/2024"_s, u"9"_s, u"No"_s, false},
        {"due yesterday, no notice", u"09/06/2024"_s, u"0"_s, u"No"_s, true},
        {"due today, no notice", u"10/06/2024"_s, u"0"_s, u"No"_s, true},
        {"due tomorrow, no notice", u"11/06/2024"_s, u"0"_s, u"No"_s, false},
        {"notice across a year", u"05/01/2025"_s, u"209"_s, u"No"_s, true},
        {"notice across a year, one day short", u"05/01/2025"_s, u"208"_s, u"No"_s, false},
        {"settled and overdue", u"01/01/2024"_s, u"0"_s, kSi, false},
        {"settled, notice begun", u"20/06/2024"_s, u"30"_s, kSi, false},
        {"flag neither Si nor No", u"01/01/2024"_s, u"0"_s, u"no"_s, false},
        {"flag empty", u"01/01/2024"_s, u"0"_s, QString(), false},
        {"due date empty", QString(), u"0"_s, u"No"_s, false},
        {"due date does not exist", u"31/04/2024"_s, u"0"_s, u"No"_s, false},
        {"notice days empty", u"01/01/2024"_s, QString(), u"No"_s, false},
        {"notice days not a number", u"01/01/2024"_s, u"1a"_s, u"No"_s, false},
    };
    for (const Case& c : cases) {
        records::Record r = unsettled(u"x"_s, c.dataSca, c.preavviso);
        r.setText(u"Saldato", c.saldato);
        EXPECT_EQ(isDue(r.bytes().constData(), today), c.due) << c.what;
    }
}

TEST(MovementDue, ReadsTheStoredBytes) {
    // A record laid out byte by byte: flags and lengths at their offsets, junk after each
    // length (bytes there are not significant) and blanks around the stored texts.
    QByteArray bytes(3414, '\x7F');
    auto put = [&bytes](int offset, const QByteArray& text) {
        bytes[offset] = char(text.size());
        bytes.replace(offset + 1, text.size(), text);
    };
    put(0, "S\xEC");               // Entrata
    put(3, "No");                  // Uscita
    put(519, "10/06/2024");        // DataSca
    put(530, "3");                 // Preavviso
    put(550, "+7,00");             // Totale
    put(1905, QByteArray(" No ")); // Saldato, length 4 over a capacity of 2: read as " N"
    EXPECT_FALSE(isDue(bytes.constData(), QDate(2024, 6, 10)));
    put(1905, "No");
    EXPECT_TRUE(isDue(bytes.constData(), QDate(2024, 6, 7)));
    EXPECT_FALSE(isDue(bytes.constData(), QDate(2024, 6, 6)));
    put(1905, "S\xEC");
    EXPECT_FALSE(isDue(bytes.constData(), QDate(2024, 6, 10)));
}

TEST(MovementDue, DamagedRecordIsSkippedNotTheEndOfTheList) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    records::Record settled = unsettled(u"saldato"_s, u"01/06/2024"_s);
    settled.setText(u"Saldato", kSi);
    ASSERT_TRUE(test::writeRecords(path, {unsettled(u"primo"_s, u"01/06/2024"_s),
                                          unsettled(u"rotto"_s, u"ieri"_s),
                                          unsettled(u"preavviso rotto"_s, u"01/06/2024"_s, u"x"_s),
                                          settled, unsettled(u"futuro"_s, u"30/06/2024"_s, u"5"_s),
                                          unsettled(u"ultimo"_s, u"15/06/2024"_s, u"5"_s)}));
    lists::ListedLines lines{{u"left over"_s}, {7}};
    ASSERT_TRUE(dueLines(archiveAt(path), QDate(2024, 6, 10), &lines));
    EXPECT_EQ(reasons(lines.lines), (QStringList{u"primo"_s, u"ultimo"_s}));
    EXPECT_EQ(lines.positions, (QList<qint64>{1, 6}));

    // A missing archive lists nothing and is not created.
    ASSERT_TRUE(dueLines(archiveAt(dir.filePath(u"2023.eur"_s)), QDate(2024, 6, 10), &lines));
    EXPECT_TRUE(lines.lines.isEmpty());
    EXPECT_TRUE(lines.positions.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(u"2023.eur"_s)));
}

// ---------------------------------------------------------------- search

TEST(MovementSearch, FiltersOnTheirOwnFields) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    ASSERT_TRUE(test::writeRecords(path, {movement({{u"Causale", u"AFFITTO ufficio"_s},
                                                    {u"Data", u"05/05/2024"_s},
                                                    {u"Pagatore", u"Rossi"_s},
                                                    {u"Note", u"pagato in ritardo"_s}}),
                                          movement({{u"Causale", u"Affitto magazzino"_s},
                                                    {u"Data", u"10/06/2024"_s},
                                                    {u"Pagatore", u"Bianchi"_s},
                                                    {u"Beneficiario", u"Rossi"_s}}),
                                          movement({{u"Causale", u"Luce"_s},
                                                    {u"Data", u"20/05/2024"_s},
                                                    {u"DataSca", u"affitto"_s},
                                                    {u"Pagatore", u"Rossi"_s}})}));
    auto found = [&](const QStringList& filters) {
        lists::ListedLines listed;
        EXPECT_TRUE(searchArchive(archiveAt(path), filters, &listed));
        return reasons(listed.lines);
    };
    const QString none;
    const QStringList all{u"AFFITTO ufficio"_s, u"Affitto magazzino"_s, u"Luce"_s};
    EXPECT_EQ(found({}), all);
    EXPECT_EQ(found({none, none, none, none, none, none, none, none, none, none}), all);
    // Reason, in any case; the due date "affitto" of the third does not count as a reason.
    EXPECT_EQ(found({none, none, u"affitto"_s}),
              (QStringList{u"AFFITTO ufficio"_s, u"Affitto magazzino"_s}));
    // Every active filter must be found: reason and payer.
    EXPECT_EQ(found({none, none, u"affitto"_s, none, u"rossi"_s}),
              QStringList{u"AFFITTO ufficio"_s});
    // Dates are matched as text: part of a date finds every movement of May.
    EXPECT_EQ(found({u"05/2024"_s}), (QStringList{u"AFFITTO ufficio"_s, u"Luce"_s}));
    // Beneficiary, then notes (the last filter).
    EXPECT_EQ(found({none, none, none, none, none, none, u"ross"_s}),
              QStringList{u"Affitto magazzino"_s});
    EXPECT_EQ(found({none, none, none, none, none, none, none, none, none, u"RITARDO"_s}),
              QStringList{u"AFFITTO ufficio"_s});
    // Blanks alone are no filter; an active filter is matched as typed, blanks included.
    EXPECT_EQ(found({none, none, u"   "_s}), all);
    EXPECT_EQ(found({none, none, u"affitto "_s}),
              (QStringList{u"AFFITTO ufficio"_s, u"Affitto magazzino"_s}));
    EXPECT_EQ(found({none, none, u" affitto"_s}), QStringList());

    EXPECT_EQ(foundCountText(2), u"Il presente riepilogo contiene 2 schede."_s);
}

TEST(MovementSearch, DoubleClickFindsTheLaterOfTwinRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    records::Record first = unsettled(u"Affitto"_s, u"01/06/2024"_s);
    first.setText(u"Note", u"prima"_s);
    records::Record twin = first;
    twin.setText(u"Note", u"seconda"_s); // not in the line
    ASSERT_TRUE(test::writeRecords(path, {first, unsettled(u"Luce"_s, u"01/06/2024"_s), twin}));
    std::optional<lists::ChosenRecord> found;
    ASSERT_TRUE(
        findByLine(archiveAt(path), u" "_s + listLine(first.bytes().constData()) + u" "_s, &found));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->position, 3);
    EXPECT_EQ(found->bytes, twin.bytes());
}

// ---------------------------------------------------------------- export grid

TEST(MovementGrid, ColumnsAndRowCells) {
    const QList<exporting::FieldColumn>& shown = columns();
    ASSERT_EQ(shown.size(), 20);
    EXPECT_EQ(shown[6].header, u"Importo in euro"_s);
    EXPECT_EQ(shown[12].screenWidth, 200);
    EXPECT_EQ(shown[12].fileWidth, 250);
    const QList<exporting::SheetColumn> exported = sheetColumns();
    ASSERT_EQ(exported.size(), 20);
    EXPECT_EQ(exported[0].heading, u"Tipo movimento"_s);
    EXPECT_EQ(exported[1].width, 180);
    EXPECT_EQ(exported[13].heading, u"Modalit\u00E0 pagamento"_s);
    EXPECT_EQ(exported[19].heading, u"Saldato"_s);
    EXPECT_EQ(exported[19].width, 120);

    const records::Record r = movement({{u"Entrata", u"No"_s},       {u"Uscita", kSi},
                                        {u"Data", u"01/02/2024"_s},  {u"Causale", u"c"_s},
                                        {u"Promemoria", u"p"_s},     {u"DataSca", u"03/04/2024"_s},
                                        {u"Preavviso", u"5"_s},      {u"Importo", u"250,00"_s},
                                        {u"Totale", u"-250,00"_s},   {u"Pagatore", u"pag"_s},
                                        {u"RecapitoPag", u"rp"_s},   {u"CodFisc", u"CF"_s},
                                        {u"PartitaIva", u"123"_s},   {u"Categoria", u"cat"_s},
                                        {u"Email", u"e@x.it"_s},     {u"Pagamento", u"bonifico"_s},
                                        {u"Beneficiario", u"ben"_s}, {u"RecapitoBen", u"rb"_s},
                                        {u"Ricevuta", u"cro"_s},     {u"Note", u"n"_s},
                                        {u"Tariffa", u"t"_s},        {u"Saldato", u"No"_s},
                                        {u"File01", u"file.pdf"_s}});
    EXPECT_EQ(
        gridRow(r.bytes().constData(), 7),
        (QStringList{u"7"_s,   u"Uscita"_s,  u"01/02/2024"_s, u"c"_s,   u"p"_s,  u"03/04/2024"_s,
                     u"5"_s,   u"-250,00"_s, u"pag"_s,        u"rp"_s,  u"CF"_s, u"123"_s,
                     u"cat"_s, u"e@x.it"_s,  u"bonifico"_s,   u"ben"_s, u"rb"_s, u"cro"_s,
                     u"n"_s,   u"t"_s,       u"No"_s}));
    // The kind column follows Entrata alone.
    EXPECT_EQ(kindText(movement({{u"Entrata", kSi}}).bytes().constData()), u"Entrata"_s);
    EXPECT_EQ(kindText(movement({{u"Entrata", u"Si"_s}}).bytes().constData()), QString());

    QTemporaryDir dir;
    const QString path = dir.filePath(u"2024.eur"_s);
    ASSERT_TRUE(test::writeRecords(path, {r, r}));
    QList<QStringList> rows;
    ASSERT_TRUE(exportRows(archiveAt(path), &rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0], u"2"_s);
    ASSERT_TRUE(exportRows(archiveAt(dir.filePath(u"2020.eur"_s)), &rows));
    EXPECT_TRUE(rows.isEmpty());
}

// The by-field declaration of the same columns shows what gridRow() shows, with the same
// headings and widths: the kind through its words, every other column its field.
TEST(MovementGrid, FieldColumnsShowWhatTheRowShows) {
    const QList<exporting::FieldColumn>& byField = columns();
    ASSERT_EQ(byField.size(), 20);
    const QList<exporting::SheetColumn> sheet = exporting::sheetColumns(byField);
    const QList<exporting::SheetColumn> exported = sheetColumns();
    ASSERT_EQ(sheet.size(), exported.size());
    for (qsizetype i = 0; i < byField.size(); ++i) {
        EXPECT_EQ(sheet[i].heading, exported[i].heading);
        EXPECT_EQ(sheet[i].width, exported[i].width);
    }
    const records::RecordLayout& layout = records::movementLayout();
    for (const QString& entrata : {kSi, u"No"_s, u"??"_s}) {
        records::Record r = movement({{u"Entrata", entrata}});
        for (qsizetype i = 0; i < byField.size(); ++i)
            r.setText(byField[i].field, u"v%1"_s.arg(i));
        r.setText(u"Entrata"_s, entrata);
        const QStringList row = gridRow(r.bytes().constData(), 1);
        for (qsizetype i = 0; i < byField.size(); ++i) {
            const QString stored = r.text(byField[i].field);
            QString shown = stored;
            if (!byField[i].shownAs.isEmpty()) {
                shown.clear();
                for (const auto& [from, to] : byField[i].shownAs)
                    if (from == stored) shown = to;
            }
            EXPECT_GE(layout.indexOf(byField[i].field), 0) << byField[i].field.toStdString();
            EXPECT_EQ(shown, row[i + 1]) << byField[i].field.toStdString();
        }
    }
}

// ---------------------------------------------------------------- the yearly archive

TEST(MovementArchive, NameAndCaption) {
    QTemporaryDir dir;
    setProgramFolder(dir.path() + u'/');
    const records::ArchiveId year =
        records::archiveOfYear(records::ArchiveKind::Movements, u"2024"_s);
    EXPECT_EQ(year.fileName(), u"2024.eur"_s);
    EXPECT_EQ(records::programArchive(year)->name(), dir.path() + u"/2024.eur"_s);
    EXPECT_EQ(cardCaption(u"2024"_s), u" Tavolex - Entrate e uscite anno 2024"_s);
}

// ---------------------------------------------------------------- save checks

TEST(MovementSave, ChecksInOrderWithFocusAndMessage) {
    const SaveInput good{u"05/03/2024"_s, u"Affitto"_s, u"31/03/2024"_s, u"0"_s,
                         u"1234,5"_s,     u"Rossi"_s,   u"Bianchi"_s};
    const SaveVerdict ok = checkSave(good);
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.focus, SaveField::None);
    EXPECT_TRUE(ok.message.isEmpty());
    EXPECT_EQ(ok.importo, u"1234,50"_s);

    struct Case {
        const char* what;
        SaveInput card;
        SaveField focus;
        bool plain;
    };
    auto with = [&good](auto change) {
        SaveInput card = good;
        change(card);
        return card;
    };
    const Case cases[] = {
        {"reason blank", with([](SaveInput& c) { c.causale = u"  "_s; }), SaveField::Causale,
         false},
        {"reason before date", with([](SaveInput& c) { c.causale.clear(), c.data.clear(); }),
         SaveField::Causale, false},
        {"date empty", with([](SaveInput& c) { c.data.clear(); }), SaveField::Data, false},
        {"date 31/04", with([](SaveInput& c) { c.data = u"31/04/2024"_s; }), SaveField::Data, true},
        {"date before due date", with([](SaveInput& c) { c.data = u"x"_s, c.dataSca.clear(); }),
         SaveField::Data, true},
        {"due date empty, even for a settled income",
         with([](SaveInput& c) { c.dataSca = u" "_s; }), SaveField::DataSca, false},
        {"due date 29/02 of a common year", with([](SaveInput& c) { c.dataSca = u"29/02/2023"_s; }),
         SaveField::DataSca, true},
        {"notice days empty", with([](SaveInput& c) { c.preavviso.clear(); }), SaveField::Preavviso,
         false},
        {"amount too large", with([](SaveInput& c) { c.importo = u"123456789012,5"_s; }),
         SaveField::Importo, false},
        {"payer empty", with([](SaveInput& c) { c.pagatore.clear(); }), SaveField::Pagatore, false},
        {"amount before payer",
         with([](SaveInput& c) { c.importo = u"999999999999"_s, c.pagatore.clear(); }),
         SaveField::Importo, false},
        {"beneficiary empty", with([](SaveInput& c) { c.beneficiario = u"\t"_s; }),
         SaveField::Beneficiario, false},
    };
    for (const Case& c : cases) {
        const SaveVerdict v = checkSave(c.card);
        EXPECT_FALSE(v.ok) << c.what;
        EXPECT_EQ(v.focus, c.focus) << c.what;
        EXPECT_EQ(v.plain, c.plain) << c.what;
        EXPECT_FALSE(v.message.isEmpty()) << c.what;
    }

    // The amount may be empty or zero: it is normalised first, also when a check fails.
    const SaveVerdict zero = checkSave(with([](SaveInput& c) { c.importo = u" "_s; }));
    EXPECT_TRUE(zero.ok);
    EXPECT_EQ(zero.importo, u"0,00"_s);
    const SaveVerdict noPayer = checkSave(with([](SaveInput& c) {
        c.importo = u"0,125"_s;
        c.pagatore.clear();
    }));
    EXPECT_EQ(noPayer.importo, u"0,13"_s);
    EXPECT_TRUE(checkSave(with([](SaveInput& c) { c.preavviso = u"0"_s; })).ok);
}

TEST(MovementSave, Messages) {
    SaveInput card{u" 31/04/2024 "_s, u"Affitto"_s, u"31/03/2024"_s, u"0"_s, u"1"_s,
                   u"Rossi"_s,        u"Bianchi"_s};
    EXPECT_EQ(checkSave(card).message,
              u"Attenzione: la data 31/04/2024 non esiste.\n\r\n\rPer poter salvare la scheda "
              u"\u00E8 necessario indicare una data valida nel formato gg/mm/aaaa."_s);
    card.data = u"01/01/2024"_s;
    card.causale.clear();
    EXPECT_EQ(checkSave(card).message, u"Attenzione: per salvare la scheda \u00E8 necessario "
                                       u"indicare la causale del pagamento."_s);
    card.causale = u"x"_s;
    card.beneficiario.clear();
    EXPECT_EQ(checkSave(card).message, u"Attenzione: per salvare la scheda \u00E8 necessario "
                                       u"indicare il nome del Beneficiario."_s);
    card.importo = u"123456789012,5"_s;
    EXPECT_EQ(checkSave(card).message, u"Attenzione: l'importo indicato \u00E8 troppo grande per "
                                       u"essere salvato in archivio."_s);
}

TEST(MovementSave, AmountMustFitTheSignedTotal) {
    struct Case {
        QString typed;
        bool tooLarge;
    };
    // 14 characters fit behind the sign of Totale (15 characters); 15 would lose a digit.
    const Case cases[] = {
        {u"12345678901,5"_s, false},  // 12345678901,50: 14 characters
        {u"99999999999,99"_s, false}, // 14
        {u"99999999999,995"_s, true}, // rounds up to 100000000000,00: 15
        {u"123456789012"_s, true},    // 123456789012,00: 15
        {u"0"_s, false},
        {u"abc"_s, false}, // not a number: 0,00
    };
    for (const Case& c : cases) {
        const QString normalised = money::normalisedMovementAmount(c.typed);
        EXPECT_EQ(isAmountTooLarge(normalised), c.tooLarge) << c.typed.toStdString();
        if (c.tooLarge) continue;
        // What fits is stored whole, sign included.
        records::Record r(records::movementLayout());
        r.setText(u"Totale", signedTotal(false, normalised));
        EXPECT_EQ(r.text(u"Totale"), u"-"_s + normalised) << c.typed.toStdString();
    }
    EXPECT_EQ(signedTotal(true, u" 12,50 "_s), u"+12,50"_s);
    EXPECT_EQ(signedTotal(false, u"1234,00"_s), u"-1234,00"_s);
}
