#include "deadlines/lines.h"
#include "lists/lastmatch.h"
#include "lists/listline.h"
#include "movements/movementlines.h"
#include "practices/practicelines.h"
#include "protocol/protocollines.h"
#include "records/layouts.h"
#include "records/record.h"
#include "search/clientlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavolex::lists;
using namespace Qt::Literals::StringLiterals;

TEST(ListLine, ColumnsArePaddedCutAndTheLastKeptWhole) {
    const QString line = fixedWidthLine({{QString(), u"  Rossi Mario "_s, 8},
                                         {u"  Tel. "_s, u"06"_s, 5},
                                         {u" | "_s, u" note lunghe finali  "_s, -1}});
    EXPECT_EQ(line, u"Rossi Ma  Tel. 06    | note lunghe finali"_s);
}

TEST(ListFind, WrapsAroundOverMatchingEntries) {
    const QStringList entries = {u"ROSSI Mario"_s, u"Bianchi Anna"_s, u"Rossi Luca"_s};
    auto at = [&](qsizetype i) { return entries.at(i); };
    // New search: first match from the top.
    int selected = findNextEntry(3, at, -1, u"rossi"_s, QString());
    EXPECT_EQ(selected, 0);
    selected = findNextEntry(3, at, selected, u"rossi"_s, u"rossi"_s);
    EXPECT_EQ(selected, 2);
    selected = findNextEntry(3, at, selected, u"rossi"_s, u"rossi"_s);
    EXPECT_EQ(selected, 0);
    // A different text starts again from the first entry.
    EXPECT_EQ(findNextEntry(3, at, 2, u"anna"_s, u"rossi"_s), 1);
    // No match and an empty text leave the selection alone.
    EXPECT_EQ(findNextEntry(3, at, 1, u"verdi"_s, QString()), -1);
    EXPECT_EQ(findNextEntry(3, at, 1, QString(), QString()), -1);
    // A single matching entry is found again when the search repeats.
    EXPECT_EQ(findNextEntry(3, at, 1, u"bianchi"_s, u"bianchi"_s), 1);
}

// ---------------------------------------------------------------- records behind list lines

namespace {

// Eight-byte records: a six-character line, a blank, and 'Y' when the record is listed.
constexpr int kSize = 8;

QByteArray records(std::initializer_list<const char*> all) {
    QByteArray bytes;
    for (const char* r : all) {
        EXPECT_EQ(qstrlen(r), size_t(kSize));
        bytes += r;
    }
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString lineOf(const char* record) {
    return QString::fromLatin1(record, 6);
}

bool listed(const char* record) {
    return record[7] == 'Y';
}

} // namespace

TEST(ListRecords, EachLineLeadsToTheLastRecordWithIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"archivio"_s);
    // 1 and 3 give "AAA" (3 not listed), 2 and 5 "BBB", 6 an empty line, 4 and 7 "CCC" (4 not
    // listed, before 7), and a torn eighth record.
    ASSERT_TRUE(write(path, records({"AAA    Y", "BBB    Y", " AAA   N", "CCC    N", "BBB    Y",
                                     "       Y", "CCC    Y"}) +
                                "BBB"));
    struct Case {
        const char* what;
        Behind behind;
        QList<qint64> positions;
    };
    for (const Case& c : {Case{"any record", Behind::AnyRecord, {3, 5, 5, 0, 7}},
                          Case{"listed ones only", Behind::Listed, {1, 5, 5, 0, 7}}}) {
        SCOPED_TRACE(c.what);
        ListedLines lines{{u"left over"_s}, {9}};
        ASSERT_TRUE(listWithRecords(path, kSize, listed, lineOf, c.behind, &lines));
        EXPECT_EQ(lines.lines,
                  (QStringList{u"AAA   "_s, u"BBB   "_s, u"BBB   "_s, u"      "_s, u"CCC   "_s}));
        EXPECT_EQ(lines.positions, c.positions);
    }

    // Sorting keeps each line with its record.
    ListedLines lines;
    ASSERT_TRUE(listWithRecords(path, kSize, listed, lineOf, Behind::AnyRecord, &lines));
    lines.sortLines([](const QString& a, const QString& b) { return a > b; });
    EXPECT_EQ(lines.lines,
              (QStringList{u"CCC   "_s, u"BBB   "_s, u"BBB   "_s, u"AAA   "_s, u"      "_s}));
    EXPECT_EQ(lines.positions, (QList<qint64>{7, 5, 5, 3, 0}));

    // A missing archive lists nothing.
    ASSERT_TRUE(listWithRecords(dir.filePath(u"manca"_s), kSize, listed, lineOf, Behind::AnyRecord,
                                &lines));
    EXPECT_EQ(lines.size(), 0);
    EXPECT_TRUE(lines.positions.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(u"manca"_s)));
}

TEST(ListRecords, DoubleClickReadsTheCarriedRecordOrScansWhenItChanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"archivio"_s);
    const QByteArray original = records({"AAA    Y", "BBB    Y", "AAA    Y", "CCC    Y"});
    struct Case {
        const char* what;
        QByteArray file; // as it is at the double-click
        QString entry;
        qint64 listedAt;
        qint64 expected; // 0: nothing handed back
    };
    const QList<Case> cases = {
        {"carried record unchanged", original, u"AAA"_s, 3, 3},
        {"blanks around the entry", original, u"  AAA  "_s, 3, 3},
        // The carried record is read alone: a later twin written since does not count.
        {"twin appended since", original + "AAA    Y", u"AAA"_s, 3, 3},
        {"no position carried: the scan", original + "AAA    Y", u"AAA"_s, 0, 5},
        {"carried record now another line: the scan",
         records({"AAA    Y", "BBB    Y", "ZZZ    Y", "CCC    Y"}), u"AAA"_s, 3, 1},
        {"carried record gone: the scan", original.left(2 * kSize), u"AAA"_s, 3, 1},
        {"carried record torn: the scan", original.left(3 * kSize - 1), u"AAA"_s, 3, 1},
        {"line no longer anywhere", records({"XXX    Y", "BBB    Y", "YYY    Y"}), u"AAA"_s, 3, 0},
        {"empty entry", original, u"   "_s, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(write(path, c.file));
        std::optional<ChosenRecord> found = ChosenRecord{"stale", 99};
        ASSERT_TRUE(findLastWithLine(path, kSize, lineOf, c.entry, &found, c.listedAt));
        ASSERT_EQ(found.has_value(), c.expected != 0);
        if (!found) continue;
        EXPECT_EQ(found->position, c.expected);
        EXPECT_EQ(found->bytes, c.file.mid((c.expected - 1) * kSize, kSize));
    }

    // A missing archive hands back nothing and is not created.
    std::optional<ChosenRecord> found;
    EXPECT_TRUE(findLastWithLine(dir.filePath(u"manca"_s), kSize, lineOf, u"AAA"_s, &found, 1));
    EXPECT_FALSE(found.has_value());
    EXPECT_FALSE(recordWithLine(dir.filePath(u"manca"_s), kSize, lineOf, u"AAA"_s, 1));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"manca"_s)));
}

// A record not listed is ruled out by its line's head alone, yet never wrongly: a blank head
// (the line begins further on once trimmed) and a listed line without a head make the scan
// build the whole line.
TEST(ListRecords, HeadsRuleOutOnlyRecordsThatCannotGiveAListedLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"archivio"_s);
    int built = 0;
    const auto countedLine = [&built](const char* record) {
        ++built;
        return lineOf(record);
    };
    const std::function<QString(const char*)> headOf = [](const char* record) {
        return record[0] == ' ' ? QString() : QString::fromLatin1(record, 2);
    };
    struct Case {
        const char* what;
        QByteArray file;
        QList<qint64> positions;
        int linesBuilt;
    };
    const QList<Case> cases = {
        // 2: same head, another line; 3: the same line; 4: a head no listed line has, never
        // built; 5: a blank head, built, and the same line once trimmed: the last.
        {"heads known",
         records({"AB1    Y", "AB2    N", "AB1    N", "XY1    N", "  AB1  N"}),
         {5},
         4},
        // The listed line has no head: the record after it is built and wins.
        {"a listed line without head", records({"  CD   Y", "CD     N", "XY     N"}), {2}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(write(path, c.file));
        for (const bool withHeads : {false, true}) {
            built = 0;
            ListedLines lines;
            ASSERT_TRUE(
                listWithRecords(path, kSize, listed, countedLine, Behind::AnyRecord, &lines,
                                withHeads ? headOf : std::function<QString(const char*)>()));
            EXPECT_EQ(lines.positions, c.positions);
            if (withHeads) {
                EXPECT_EQ(built, c.linesBuilt);
            }
        }
    }
}

// Each list line's head is where the line begins, and unknown when the first field is blank
// (the protocol line begins with its label, so its head is always known).
TEST(ListRecords, EachLineHeadIsTheBeginningOfItsLine) {
    using namespace tavolex;
    struct Case {
        const char* what;
        const records::RecordLayout& layout;
        const char16_t* firstField;
        QString (*line)(const char*);
        QString (*head)(const char*);
        bool blankKnown;
    };
    const QList<Case> cases = {
        {"client", records::clientLayout(), u"Cliente", search::clientSearchLine,
         search::clientLineHead, false},
        {"protocol", records::protocolLayout(), u"Numero", protocol::searchLine,
         protocol::searchLineHead, true},
        {"movement", records::movementLayout(), u"Causale", movements::listLine,
         movements::listLineHead, false},
        {"deadline", records::deadlineLayout(), u"Causale", deadlines::summaryLine,
         deadlines::summaryLineHead, false},
        {"practice", records::practiceLayout(), u"Oggetto", practices::practiceLine,
         practices::practiceLineHead, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        records::Record r(c.layout);
        // Longer than any first column, with a blank where the cut may fall.
        r.setText(c.firstField, u" Rossi Mario Alberto Giuseppe Francesco Luigi Antonio "_s);
        const QString line = c.line(r.bytes().constData());
        const QString head = c.head(r.bytes().constData());
        ASSERT_FALSE(head.isEmpty());
        EXPECT_TRUE(line.startsWith(head)) << line.toStdString() << " / " << head.toStdString();
        // The whole first column, padded: as wide for a short field.
        r.setText(c.firstField, u"Ro"_s);
        const QString shortHead = c.head(r.bytes().constData());
        EXPECT_EQ(shortHead.size(), head.size());
        EXPECT_TRUE(c.line(r.bytes().constData()).startsWith(shortHead));
        r.setText(c.firstField, u"   "_s);
        EXPECT_EQ(c.head(r.bytes().constData()).isEmpty(), !c.blankKnown);
    }
}
