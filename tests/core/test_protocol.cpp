// Numbering, yearly archive names, settings, summary dates and the search and grid
// lines of the mail protocol register.
#include "programfolder.h"
#include "protocol/archive.h"
#include "protocol/numbering.h"
#include "protocol/protocollines.h"
#include "records/layouts.h"
#include "records/record.h"
#include "settings/inifile.h"
#include "settings/programsettings.h"
#include "support/archiveat.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/recordfixtures.h"

using tavolex::testing::archiveAt;
using namespace tavolex;
using namespace tavolex::protocol;
using namespace Qt::Literals::StringLiterals;

namespace {

records::Record protocolRecord(test::FieldValues values) {
    return test::makeRecord(records::protocolLayout(), values);
}

bool writeArchive(const QString& path, const QList<records::Record>& records) {
    return test::writeRecords(path, records);
}

} // namespace

TEST(ProtocolNumbering, AutomaticNumber) {
    struct Case {
        const char* what;
        QString start;
        QString suffix;
        qint64 count;
        int year;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"defaults, empty archive", u""_s, u""_s, 0, 2025, u"1"_s},
        {"defaults, next", u""_s, u""_s, 1, 2025, u"2"_s},
        {"start 100 with 3 records", u"100"_s, u"No"_s, 3, 2025, u"103"_s},
        {"suffix on", u"1"_s, u"S\u00EC"_s, 5, 2025, u"6/2025"_s},
        {"suffix with blanks around", u"1"_s, u" S\u00EC "_s, 5, 2025, u"6/2025"_s},
        {"suffix is today's year, not the archive's", u"1"_s, u"S\u00EC"_s, 5, 2024, u"6/2024"_s},
        {"lower-case si is not on", u"1"_s, u"si"_s, 5, 2025, u"6"_s},
        {"unaccented Si is not on", u"1"_s, u"Si"_s, 5, 2025, u"6"_s},
        {"start 0, empty archive", u"0"_s, u""_s, 0, 2025, u"0"_s},
        {"start with blanks", u" 12 "_s, u""_s, 0, 2025, u"12"_s},
        {"four-digit year padded", u"1"_s, u"S\u00EC"_s, 0, 999, u"1/0999"_s},
        {"start not a whole number", u"12,5"_s, u""_s, 0, 2025, std::nullopt},
        {"start not a number", u"abc"_s, u"S\u00EC"_s, 0, 2025, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(automaticNumber(c.start, c.suffix, c.count, c.year), c.expected) << c.what;
}

TEST(ProtocolNumbering, StartNumberNormalisation) {
    const std::pair<QString, QString> cases[] = {
        {u""_s, u"1"_s},          {u"   "_s, u"1"_s},   {u"12"_s, u"12"_s}, {u"0007"_s, u"7"_s},
        {u"12,5"_s, u"13"_s},     {u"12,4"_s, u"12"_s}, {u"0"_s, u"0"_s},   {u" 9 "_s, u"9"_s},
        {u"abc"_s, u"1"_s},       {u"1.5"_s, u"1"_s},   {u"1a"_s, u"1"_s},  {u",5"_s, u"1"_s},
        {u"99999"_s, u"99999"_s},
    };
    for (const auto& [typed, expected] : cases)
        EXPECT_EQ(normaliseStartNumber(typed), expected) << typed.toStdString();
}

TEST(ProtocolArchive, YearNamesAndCaption) {
    EXPECT_TRUE(isAcceptableYear(u"2025"_s));
    EXPECT_TRUE(isAcceptableYear(u"0999"_s));
    EXPECT_FALSE(isAcceptableYear(u"999"_s));
    EXPECT_FALSE(isAcceptableYear(u"20255"_s));
    EXPECT_FALSE(isAcceptableYear(u""_s));
    // The length is taken as typed: blanks count.
    EXPECT_TRUE(isAcceptableYear(u" 999"_s));
    EXPECT_FALSE(isAcceptableYear(u"999 "_s.left(3)));
    // Pasted folder separators would leave the program folder.
    EXPECT_FALSE(isAcceptableYear(u"../x"_s));
    EXPECT_FALSE(isAcceptableYear(u"..\\x"_s));
    const auto fileName = [](const QString& year) {
        return records::archiveOfYear(records::ArchiveKind::Protocol, year).fileName();
    };
    EXPECT_EQ(fileName(u"0999"_s), u"0999.prt"_s);
    EXPECT_EQ(fileName(u"2024"_s), u"2024.prt"_s);
    EXPECT_EQ(fileName(u" 999"_s), u"999.prt"_s);
    EXPECT_EQ(cardCaption(u"2025"_s), u" Tavolex - Protocollo Posta anno 2025"_s);
}

TEST(ProtocolSettings, KeysOfCartoviaIni) {
    QTemporaryDir dir;
    setProgramFolder(dir.path() + u'/');
    EXPECT_EQ(settings::programSettingsPath(), dir.path() + u"/Cartovia.ini"_s);
    settings::IniFile ini(settings::programSettingsPath());
    // Missing file: defaults, and nothing is created by reading.
    NumberingSettings s = readNumbering(ini);
    EXPECT_EQ(s.start, u"1"_s);
    EXPECT_FALSE(s.suffixOn());
    EXPECT_EQ(readRemembered(ini).office, QString());
    EXPECT_FALSE(QFile::exists(settings::programSettingsPath()));

    ASSERT_TRUE(writeNumbering(ini, u" 100 "_s, true));
    ASSERT_TRUE(writeRemembered(ini, {u" Segreteria "_s, u"Anna"_s}));
    QFile f(settings::programSettingsPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains(
        "[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n"))
        << bytes.constData();
    EXPECT_TRUE(
        bytes.contains("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Anna\r\n"));
    s = readNumbering(ini);
    EXPECT_EQ(s.start, u"100"_s);
    EXPECT_TRUE(s.suffixOn());
    EXPECT_EQ(readRemembered(ini).operatorName, u"Anna"_s);
    ASSERT_TRUE(writeNumbering(ini, u"7"_s, false));
    EXPECT_EQ(ini.readString(u"Numerazione Protocollo"_s, u"Indicazione Anno Solare"_s), u"No"_s);
}

TEST(ProtocolSummary, IntervalChecks) {
    struct Case {
        const char* what;
        QString start, end;
        IntervalCheck check;
    };
    const Case cases[] = {
        {"both valid", u"01/02/2025"_s, u"28/02/2025"_s, IntervalCheck::Ok},
        {"same day", u"01/02/2025"_s, u"01/02/2025"_s, IntervalCheck::Ok},
        {"blanks around", u" 1/2/2025 "_s, u"28/02/2025"_s, IntervalCheck::Ok},
        {"start missing", u"  "_s, u"28/02/2025"_s, IntervalCheck::StartMissing},
        {"start missing comes before the end", u""_s, u""_s, IntervalCheck::StartMissing},
        {"end missing", u"01/02/2025"_s, u""_s, IntervalCheck::EndMissing},
        {"31 February", u"31/02/2025"_s, u"28/02/2025"_s, IntervalCheck::StartInvalid},
        {"29 February of a common year", u"01/01/2025"_s, u"29/02/2025"_s,
         IntervalCheck::EndInvalid},
        {"29 February of a leap year", u"29/02/2024"_s, u"01/03/2024"_s, IntervalCheck::Ok},
        {"not a date", u"ieri"_s, u"28/02/2025"_s, IntervalCheck::StartInvalid},
        {"month 13", u"01/13/2025"_s, u"28/02/2025"_s, IntervalCheck::StartInvalid},
        {"invalid start wins over invalid end", u"32/01/2025"_s, u"x"_s,
         IntervalCheck::StartInvalid},
        {"reversed", u"02/03/2025"_s, u"01/03/2025"_s, IntervalCheck::Reversed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkInterval(c.start, c.end).check, c.check) << c.what;

    EXPECT_EQ(
        checkInterval(u""_s, u"x"_s).message,
        u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di inizio intervallo."_s);
    EXPECT_TRUE(checkInterval(u""_s, u"x"_s).warning);
    EXPECT_EQ(
        checkInterval(u"x"_s, u" "_s).message,
        u"Attenzione: per visualizzare il riepilogo \u00E8 necessario indicare la data di fine intervallo."_s);
    const IntervalVerdict bad = checkInterval(u" 31/02/2025 "_s, u"28/02/2025"_s);
    EXPECT_FALSE(bad.warning);
    EXPECT_EQ(bad.message,
              u"Attenzione: la data 31/02/2025 di inizio intervallo non esiste.\n\r\n\rPer poter "
              u"visualizzare il riepilogo \u00E8 necessario indicare una data valida."_s);
    EXPECT_EQ(checkInterval(u"01/01/2025"_s, u"30/02/2025"_s).message,
              u"Attenzione: la data 30/02/2025 di fine intervallo non esiste.\n\r\n\rPer poter "
              u"visualizzare il "
              u"riepilogo \u00E8 necessario indicare una data valida."_s);
    EXPECT_EQ(checkInterval(u"02/03/2025"_s, u"01/03/2025"_s).message,
              u"Attenzione: la data di fine intervallo (01/03/2025) non pu\u00F2 essere anteriore "
              u"a quella di "
              u"inizio intervallo (02/03/2025).\n\r\n\rPer poter visualizzare il riepilogo \u00E8 "
              u"necessario "
              u"indicare un intervallo di tempo valido."_s);
}

TEST(ProtocolSummary, InclusiveBoundsAndDamagedDates) {
    struct Case {
        QString dataReg;
        bool listed;
    };
    // February 2025, both ends included.
    const QList<Case> cases = {
        {u"31/01/2025"_s, false}, {u"01/02/2025"_s, true},   {u"1/2/2025"_s, true},
        {u"28/02/2025"_s, true},  {u" 28/02/2025 "_s, true}, {u"01/03/2025"_s, false},
        {u"15/02/2024"_s, false}, {u"non valida"_s, false},  {u"30/02/2025"_s, false},
        {QString(), false},
    };
    for (const Case& c : cases) {
        const records::Record r = protocolRecord({{u"DataReg", c.dataReg}});
        EXPECT_EQ(isRegisteredWithin(r.bytes().constData(), QDate(2025, 2, 1), QDate(2025, 2, 28)),
                  c.listed)
            << c.dataReg.toStdString();
    }
}

TEST(ProtocolLines, SearchLineColumns) {
    const records::Record r =
        protocolRecord({{u"Numero", u"  17/bis "_s},
                        {u"DataReg", u"05/03/2025"_s},
                        {u"Tipo", u"In uscita"_s},
                        {u"Oggetto", u"Richiesta documentazione integrativa per la pratica"_s},
                        {u"Mittente", u"Studio Rossi"_s},
                        {u"Destinatario", u"Comune di Roma, Ufficio Tributi"_s}});
    EXPECT_EQ(searchLine(r.bytes().constData()),
              u"Prot. n. 17/bis          Data: 05/03/2025  Posta: In uscita   Richiesta "
              u"documentazione integrativ"
              u"  Da: Studio Rossi              A: Comune di Roma, Ufficio Tributi"_s);
    const records::Record empty(records::protocolLayout());
    EXPECT_EQ(searchLine(empty.bytes().constData()),
              u"Prot. n. "_s + QString(14, u' ') + u"  Data: "_s + QString(10, u' ') +
                  u"  Posta: "_s + QString(10, u' ') + u"  "_s + QString(35, u' ') + u"  Da: "_s +
                  QString(24, u' ') + u"  A: "_s);
}

TEST(ProtocolLines, GridAndExportColumns) {
    const QList<exporting::FieldColumn>& shown = columns();
    ASSERT_EQ(shown.size(), 18);
    // The grid shows the first 18 fields in record order.
    for (int i = 0; i < shown.size(); ++i)
        EXPECT_EQ(records::protocolLayout().indexOf(shown[i].field), i);
    EXPECT_EQ(shown[13].header, u"Note"_s);
    EXPECT_EQ(shown[13].screenWidth, 350);
    EXPECT_EQ(shown[13].fileWidth, 300);
    const QList<exporting::SheetColumn> exported = sheetColumns();
    ASSERT_EQ(exported.size(), 18);
    EXPECT_EQ(exported[0].heading, u"N. protocollo"_s);
    EXPECT_EQ(exported[0].width, 200);
    EXPECT_EQ(exported[17].heading, u"Recapito destinatario"_s);
}

TEST(ProtocolSearch, FiltersAndLineLookup) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"2025.prt"_s);
    const QList<records::Record> recs = {
        protocolRecord({{u"Numero", u"1"_s},
                        {u"Tipo", u"In entrata"_s},
                        {u"DataReg", u"03/03/2025"_s},
                        {u"Mittente", u"ROSSI Mario"_s},
                        {u"Oggetto", u"Fattura"_s}}),
        protocolRecord({{u"Numero", u"2"_s},
                        {u"Tipo", u"In uscita"_s},
                        {u"DataReg", u"10/03/2025"_s},
                        {u"Mittente", u"Studio Rossi"_s},
                        {u"Oggetto", u"Lettera"_s}}),
        protocolRecord({{u"Numero", u"3"_s},
                        {u"Tipo", u"In uscita"_s},
                        {u"DataReg", u"01/04/2025"_s},
                        {u"Mittente", u"Bianchi"_s},
                        {u"Oggetto", u"Lettera"_s}}),
        protocolRecord({{u"Numero", u"4"_s},
                        {u"Tipo", u"Interna"_s},
                        {u"DataReg", u"12/03/2025"_s},
                        {u"Mittente", u"Rossini"_s},
                        {u"Oggetto", u"Circolare"_s}}),
    };
    ASSERT_TRUE(writeArchive(path, recs));
    auto numbers = [&](const QStringList& filters) {
        lists::ListedLines listed;
        EXPECT_TRUE(searchArchive(archiveAt(path), filters, &listed));
        QStringList found;
        for (const QString& line : std::as_const(listed.lines))
            found << line.mid(9, 14).trimmed();
        return found;
    };
    const QString none;
    EXPECT_EQ(numbers({}), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(numbers({none, u"in uscita"_s, none, none, none, none, u"rossi"_s}),
              QStringList{u"2"_s});
    EXPECT_EQ(numbers({none, u"ent"_s}), QStringList{u"1"_s});
    EXPECT_EQ(numbers({none, u"in"_s}), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(numbers({none, none, u"03/2025"_s}), (QStringList{u"1"_s, u"2"_s, u"4"_s}));
    // A filter of blanks only is not active, whatever the fields hold.
    EXPECT_EQ(numbers({u"  "_s, none, none, none, none, u"lettera"_s}),
              (QStringList{u"2"_s, u"3"_s}));

    // Two records with the same line: the later one is the one found.
    const records::Record twin = recs[2];
    QList<records::Record> withTwin = recs;
    withTwin << twin;
    ASSERT_TRUE(writeArchive(path, withTwin));
    std::optional<lists::ChosenRecord> found;
    ASSERT_TRUE(findByLine(archiveAt(path), u"  "_s + searchLine(twin.bytes().constData()) + u" "_s,
                           &found));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->position, 5);
    EXPECT_EQ(found->bytes, twin.bytes());
    ASSERT_TRUE(findByLine(archiveAt(path), u"Prot. n. 99"_s, &found));
    EXPECT_FALSE(found.has_value());
}
