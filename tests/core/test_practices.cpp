// The practice list line, the urgency rule and the practice folder.
#include "practices/practicelines.h"
#include "programfolder.h"
#include "records/layouts.h"
#include "records/record.h"
#include "support/archiveat.h"
#include "support/recordfixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tavolex::testing::archiveAt;
using namespace Qt::Literals::StringLiterals;
using namespace tavolex;

namespace {

records::Record practice(test::FieldValues values) {
    return test::makeRecord(records::practiceLayout(), std::move(values));
}

TEST(PracticeLine, FixedWidthsCutAndPadEachFieldAndKeepTheStateWhole) {
    const records::Record r = practice({{u"Oggetto", u"Successione ereditaria della famiglia Rossi "
                                                     u"di Roma"_s},
                                        {u"Protocollo", u"2024/0001"_s},
                                        {u"Apertura", u"05/03/2024"_s},
                                        {u"Cliente", u"Rossi Mario"_s},
                                        {u"Recapito", u"333 1234567 casa"_s},
                                        {u"Stato", u"In lavorazione da marzo"_s}});
    const QString line = practices::practiceLine(r.bytes().constData());
    EXPECT_EQ(line, u"Successione ereditaria della famiglia Ross"_s +
                        u"  Prot. 2024/0001       "_s + u"  Data: 05/03/2024"_s +
                        u"  Rossi Mario                 "_s + u"  Tel. 333 1234567 ca"_s +
                        u"  In lavorazione da marzo"_s);
    // An empty practice still has every column.
    EXPECT_EQ(practices::practiceLine(practice({}).bytes().constData()),
              QString(42, u' ') + u"  Prot. "_s + QString(16, u' ') + u"  Data: "_s +
                  QString(10, u' ') + u"  "_s + QString(28, u' ') + u"  Tel. "_s +
                  QString(14, u' ') + u"  "_s);
}

TEST(PracticeLine, UrgentOnlyWhenTheTrimmedFlagIsExactlyYes) {
    const std::pair<QString, bool> cases[] = {{u"S\u00EC"_s, true},
                                              {u"No"_s, false},
                                              {u"s\u00EC"_s, false},
                                              {u"Si"_s, false},
                                              {QString(), false}};
    for (const auto& [flag, urgent] : cases) {
        SCOPED_TRACE(flag.toStdString());
        records::Record r(records::practiceLayout());
        // Written raw, as a file from elsewhere may hold it.
        const QByteArray encoded = flag.toLatin1();
        QByteArray bytes = r.bytes();
        bytes[1934] = char(encoded.size());
        bytes.replace(1935, encoded.size(), encoded);
        EXPECT_EQ(practices::isUrgent(bytes.constData()), urgent);
    }
}

TEST(PracticeLists, SearchUrgentAndLastLineWins) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"Pratiche.pro"_s);
    const QList<records::Record> archive = {
        practice({{u"Oggetto", u"Divisione"_s},
                  {u"Stato", u"Chiusa e saldata"_s},
                  {u"Cliente", u"Rossi Anna"_s},
                  {u"CodFisc", u"RSSNNA"_s}}),
        practice({{u"Oggetto", u"Ricorso"_s},
                  {u"Stato", u"Aperta"_s},
                  {u"Cliente", u"Rossi Luca"_s},
                  {u"CodFisc", u"LCURSS"_s},
                  {u"Urgente", u"S\u00EC"_s}}),
        practice({{u"Oggetto", u"Ricorso"_s},
                  {u"Stato", u"Aperta"_s},
                  {u"Cliente", u"Rossi Luca"_s},
                  {u"Note", u"altra"_s},
                  {u"Urgente", u"No"_s}}),
        practice({{u"Oggetto", u"Appello"_s},
                  {u"Stato", u"riaperta, era chiusa"_s},
                  {u"Cliente", u"Verdi"_s}}),
    };
    ASSERT_TRUE(test::writeRecords(path, archive));

    lists::ListedLines listed;
    ASSERT_TRUE(practices::searchArchive(archiveAt(path), {{}, {}, {}, {}, u"chiusa"_s}, &listed));
    EXPECT_EQ(listed.size(), 2);
    // Both filters must be found: client "rossi" and tax code "rss".
    ASSERT_TRUE(practices::searchArchive(archiveAt(path),
                                         {{}, {}, {}, {}, {}, {}, u"rossi"_s, u"rss"_s}, &listed));
    EXPECT_EQ(listed.size(), 2);
    // Records 1 and 2 are listed; record 3, not listed (no tax code), gives the line of
    // record 2 and is stored later: that line leads to it.
    EXPECT_EQ(listed.positions, (QList<qint64>{1, 3}));
    listed = {};
    ASSERT_TRUE(practices::urgentLines(archiveAt(path), &listed));
    ASSERT_EQ(listed.size(), 1);
    // The urgent list's line leads to the urgent one, not to its later twin.
    EXPECT_EQ(listed.positions, QList<qint64>{2});
    const QStringList lines = listed.lines;

    // Records 2 and 3 give the same line; the search hands back the later one, the urgent
    // list the only urgent one.
    std::optional<lists::ChosenRecord> found;
    ASSERT_TRUE(practices::findByLine(archiveAt(path), lines[0], practices::Among::All, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->position, 3);
    found.reset();
    ASSERT_TRUE(practices::findByLine(archiveAt(path), lines[0], practices::Among::Urgent, &found));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->position, 2);
}

TEST(PracticeFolder, CreatedWithItsParentsOnceAndNeverOverAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    setProgramFolder(dir.path() + u"/nuova/cartella/"_s);
    const QString folder = practices::folderOf(u" 3 "_s);
    EXPECT_EQ(folder, dir.path() + u"/nuova/cartella/Pratica_3"_s);
    EXPECT_TRUE(practices::makeFolder(folder));
    QFile inside(folder + u"/scansione.pdf"_s);
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();
    EXPECT_TRUE(practices::makeFolder(folder)); // left alone, contents kept
    EXPECT_TRUE(QFile::exists(folder + u"/scansione.pdf"_s));

    QFile blocker(practices::folderOf(u"4"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(practices::makeFolder(practices::folderOf(u"4"_s)));
}

TEST(PracticeExport, TwentyColumnsByFieldWithTheFileHeadings) {
    const auto& columns = practices::columns();
    ASSERT_EQ(columns.size(), 20);
    for (const auto& column : columns)
        EXPECT_GE(records::practiceLayout().indexOf(column.field), 0) << column.field.toStdString();
    const QList<exporting::SheetColumn> sheet = exporting::sheetColumns(columns);
    EXPECT_EQ(sheet.first().heading, u"Oggetto pratica"_s);
    EXPECT_EQ(sheet.first().width, 400);
    EXPECT_EQ(sheet[13].heading, u"Prov."_s);
    EXPECT_EQ(sheet[13].width, 120);
    EXPECT_EQ(sheet.last().heading, u"Note"_s);
}

} // namespace
