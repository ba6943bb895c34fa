#include "deadlines/lines.h"
#include "lists/lastmatch.h"
#include "lists/listline.h"
#include "movements/movementlines.h"
#include "practices/practicelines.h"
#include "protocol/protocollines.h"
#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"
#include "search/clientlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(path, kSize), listed, lineOf,
                                    c.behind, &lines));
        EXPECT_EQ(lines.lines,
                  (QStringList{u"AAA   "_s, u"BBB   "_s, u"BBB   "_s, u"      "_s, u"CCC   "_s}));
        EXPECT_EQ(lines.positions, c.positions);
    }

    // Sorting keeps each line with its record.
    ListedLines lines;
    ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(path, kSize), listed, lineOf,
                                Behind::AnyRecord, &lines));
    lines.sortLines([](const QString& a, const QString& b) { return a > b; });
    EXPECT_EQ(lines.lines,
              (QStringList{u"CCC   "_s, u"BBB   "_s, u"BBB   "_s, u"AAA   "_s, u"      "_s}));
    EXPECT_EQ(lines.positions, (QList<qint64>{7, 5, 5, 3, 0}));

    // A missing archive lists nothing.
    ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(dir.filePath(u"manca"_s), kSize),
                                listed, lineOf, Behind::AnyRecord, &lines));
    EXPECT_EQ(lines.size(), 0);
    EXPECT_TRUE(lines.positions.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(u"manca"_s)));
}

namespace {

// Puts a file's modification time an hour back, as an archive saved long before its list.
bool ageFile(const QString& path) {
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    ::clock_gettime(CLOCK_REALTIME, &times[1]);
    times[1].tv_sec -= 3600;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

timespec modifiedAt(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mtim;
}

bool setModifiedAt(const QString& path, const timespec& when) {
    const timespec times[2] = {{0, UTIME_OMIT}, when};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

// File times move in coarse ticks: waiting longer than one makes a change's time differ.
void pastOneTimeTick() {
    QThread::msleep(50);
}

} // namespace

// The stamp tells an archive left alone from one written since, however the writing went.
TEST(ArchiveStamp, MatchesOnlyTheArchiveAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"archivio"_s);
    const QByteArray original = records({"AAA    Y", "BBB    Y"});
    struct Case {
        const char* what;
        std::function<void()> change;
        bool matches;
    };
    const QList<Case> cases = {
        {"left alone", [] {}, true},
        {"read again", [&] { ASSERT_TRUE(QFile(path).open(QIODevice::ReadOnly)); }, true},
        {"a record appended", [&] { ASSERT_TRUE(write(path, original + "CCC    Y")); }, false},
        {"a record overwritten, same size",
         [&] {
             ASSERT_TRUE(write(path, records({"AAA    Y", "AAA    Y"})));
         },
         false},
        {"overwritten and its modification time put back",
         [&] {
             const timespec before = modifiedAt(path);
             ASSERT_TRUE(write(path, records({"AAA    Y", "AAA    Y"})));
             ASSERT_TRUE(setModifiedAt(path, before));
         },
         false},
        {"replaced by another file with the same bytes and time",
         [&] {
             const QString other = dir.filePath(u"altro"_s);
             ASSERT_TRUE(write(other, original));
             ASSERT_TRUE(setModifiedAt(other, modifiedAt(path)));
             ASSERT_EQ(::rename(QFile::encodeName(other).constData(),
                                QFile::encodeName(path).constData()),
                       0);
         },
         false},
        {"removed", [&] { ASSERT_TRUE(QFile::remove(path)); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(write(path, original));
        ASSERT_TRUE(ageFile(path));
        const ArchiveStamp stamp = ArchiveStamp::of(tavolex::records::FileArchive(path, kSize));
        ASSERT_TRUE(stamp.isKnown());
        pastOneTimeTick();
        c.change();
        EXPECT_EQ(stamp.stillMatches(tavolex::records::FileArchive(path, kSize)), c.matches);
    }

    // No stamp for a missing archive, nor for one written in the last moments: a write in
    // the same time tick could leave it looking untouched.
    EXPECT_FALSE(
        ArchiveStamp::of(tavolex::records::FileArchive(dir.filePath(u"manca"_s), kSize)).isKnown());
    ASSERT_TRUE(write(path, original));
    const ArchiveStamp fresh = ArchiveStamp::of(tavolex::records::FileArchive(path, kSize));
    EXPECT_FALSE(fresh.isKnown());
    EXPECT_FALSE(fresh.stillMatches(tavolex::records::FileArchive(path, kSize)));
}

TEST(ListRecords, DoubleClickReadsTheCarriedRecordOrScansWhenItChanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"archivio"_s);
    // Listed as AAA (record 3), BBB, AAA (record 3), CCC.
    const QByteArray original = records({"AAA    Y", "BBB    Y", "AAA    Y", "CCC    Y"});
    int built = 0;
    const auto countedLine = [&built](const char* record) {
        ++built;
        return lineOf(record);
    };
    struct Case {
        const char* what;
        QByteArray file; // as it is at the double-click; empty: as listed
        QString entry;
        bool carried;    // the entry keeps the record the list found behind it
        qint64 expected; // 0: nothing handed back
        int linesBuilt;  // 1: the carried record alone was read
    };
    const QList<Case> cases = {
        {"unchanged: the carried record alone", {}, u"AAA"_s, true, 3, 1},
        {"blanks around the entry", {}, u"  AAA  "_s, true, 3, 1},
        {"no record carried: the scan", {}, u"AAA"_s, false, 3, 4},
        {"a twin appended since: the scan finds it", original + "AAA    Y", u"AAA"_s, true, 5, 5},
        {"a later record overwritten with the line: the scan finds it",
         records({"AAA    Y", "BBB    Y", "AAA    Y", "AAA    Y"}), u"AAA"_s, true, 4, 4},
        {"the carried record now another line",
         records({"AAA    Y", "BBB    Y", "ZZZ    Y", "CCC    Y"}), u"AAA"_s, true, 1, 4},
        {"the carried record gone", original.left(2 * kSize), u"AAA"_s, true, 1, 2},
        {"the carried record torn", original.left(3 * kSize - 1), u"AAA"_s, true, 1, 2},
        {"the line no longer anywhere", records({"XXX    Y", "BBB    Y", "YYY    Y"}), u"AAA"_s,
         true, 0, 3},
        {"empty entry", {}, u"   "_s, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(write(path, original));
        ASSERT_TRUE(ageFile(path));
        ListedLines lines;
        ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(path, kSize), listed, lineOf,
                                    Behind::AnyRecord, &lines));
        ASSERT_EQ(lines.positions.value(0), 3);
        const QByteArray file = c.file.isEmpty() ? original : c.file;
        if (!c.file.isEmpty()) {
            ASSERT_TRUE(write(path, file));
        }
        std::optional<ChosenRecord> found = ChosenRecord{"stale", 99};
        built = 0;
        ASSERT_TRUE(findLastWithLine(tavolex::records::FileArchive(path, kSize), countedLine,
                                     c.entry, &found,
                                     c.carried ? lines.recordAt(0) : ListedRecord{}));
        EXPECT_EQ(built, c.linesBuilt);
        ASSERT_EQ(found.has_value(), c.expected != 0);
        if (!found) continue;
        EXPECT_EQ(found->position, c.expected);
        EXPECT_EQ(found->bytes, file.mid((c.expected - 1) * kSize, kSize));
    }

    // A list read just after a save has no stamp to trust: a twin written in the same time
    // tick, its modification time unchanged, is still found.
    ASSERT_TRUE(write(path, original));
    const timespec saved = modifiedAt(path);
    ListedLines lines;
    ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(path, kSize), listed, lineOf,
                                Behind::AnyRecord, &lines));
    ASSERT_TRUE(write(path, records({"AAA    Y", "BBB    Y", "AAA    Y", "AAA    Y"})));
    ASSERT_TRUE(setModifiedAt(path, saved));
    std::optional<ChosenRecord> found;
    ASSERT_TRUE(findLastWithLine(tavolex::records::FileArchive(path, kSize), lineOf, u"AAA"_s,
                                 &found, lines.recordAt(0)));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->position, 4);

    // Sorting keeps the stamp with the lines.
    ASSERT_TRUE(write(path, original));
    ASSERT_TRUE(ageFile(path));
    ASSERT_TRUE(listWithRecords(tavolex::records::FileArchive(path, kSize), listed, lineOf,
                                Behind::AnyRecord, &lines));
    lines.sortLines([](const QString& a, const QString& b) { return a > b; });
    EXPECT_TRUE(lines.stamp.stillMatches(tavolex::records::FileArchive(path, kSize)));

    // A missing archive hands back nothing and is not created.
    EXPECT_TRUE(findLastWithLine(tavolex::records::FileArchive(dir.filePath(u"manca"_s), kSize),
                                 lineOf, u"AAA"_s, &found, lines.recordAt(0)));
    EXPECT_FALSE(found.has_value());
    EXPECT_FALSE(recordWithLine(tavolex::records::FileArchive(dir.filePath(u"manca"_s), kSize),
                                lineOf, u"AAA"_s, 1));
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
            ASSERT_TRUE(listWithRecords(
                tavolex::records::FileArchive(path, kSize), listed, countedLine, Behind::AnyRecord,
                &lines, withHeads ? headOf : std::function<QString(const char*)>()));
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
