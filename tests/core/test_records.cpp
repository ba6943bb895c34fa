#include "records/archives.h"
#include "records/layouts.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "text/casing.h"
#include "text/win1252.h"

#include <QFile>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavolex;
using namespace tavolex::records;
using namespace Qt::Literals::StringLiterals;

namespace {

struct OffsetCase {
    const RecordLayout* layout;
    const char16_t* field;
    int offset;
    int bytes;
};

QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace

TEST(Layouts, SizesMatchTheArchives) {
    EXPECT_EQ(clientLayout().recordSize(), 3372);
    EXPECT_EQ(clientLayout().fieldCount(), 36);
    EXPECT_EQ(practiceLayout().recordSize(), 5075);
    EXPECT_EQ(practiceLayout().fieldCount(), 59);
    EXPECT_EQ(protocolLayout().recordSize(), 3403);
    EXPECT_EQ(protocolLayout().fieldCount(), 25);
    EXPECT_EQ(deadlineLayout().recordSize(), 1328);
    EXPECT_EQ(deadlineLayout().fieldCount(), 25);
    EXPECT_EQ(movementLayout().recordSize(), 3414);
    EXPECT_EQ(movementLayout().fieldCount(), 28);
}

TEST(Layouts, OffsetsMatchTheTables) {
    const std::vector<OffsetCase> cases = {
        {&clientLayout(), u"Cliente", 0, 51},
        {&clientLayout(), u"ProvNasc", 133, 3},
        {&clientLayout(), u"Sesso", 136, 2},
        {&clientLayout(), u"Estremi", 300, 251},
        {&clientLayout(), u"CodFisc", 726, 17},
        {&clientLayout(), u"PartitaIva", 805, 12},
        {&clientLayout(), u"Iban", 817, 28},
        {&clientLayout(), u"Ricontatta", 1863, 3},
        {&clientLayout(), u"File01", 1866, 251},
        {&clientLayout(), u"Desc03", 3121, 251},
        {&practiceLayout(), u"Stato", 355, 31},
        {&practiceLayout(), u"Urgente", 1934, 3},
        {&practiceLayout(), u"Doc01", 1937, 51},
        {&practiceLayout(), u"Doc32", 1937 + 51 * 31, 51},
        {&practiceLayout(), u"File01", 3569, 251},
        {&practiceLayout(), u"Desc03", 4824, 251},
        {&protocolLayout(), u"Tipo", 17, 21},
        {&protocolLayout(), u"Pagine", 647, 13},
        {&protocolLayout(), u"Copia", 1646, 251},
        {&protocolLayout(), u"Desc03", 3152, 251},
        {&deadlineLayout(), u"DataSca", 19, 11},
        {&deadlineLayout(), u"Importo", 1004, 16},
        {&deadlineLayout(), u"DaConfermare", 1322, 3},
        {&deadlineLayout(), u"Effettuato", 1325, 3},
        {&movementLayout(), u"Data", 6, 11},
        {&movementLayout(), u"Totale", 550, 16},
        {&movementLayout(), u"Saldato", 1905, 3},
        {&movementLayout(), u"Desc03", 3163, 251},
    };
    for (const OffsetCase& c : cases) {
        const int index = c.layout->indexOf(QStringView(c.field));
        ASSERT_GE(index, 0) << QString::fromUtf16(c.field).toStdString();
        EXPECT_EQ(c.layout->field(index).offset, c.offset)
            << QString::fromUtf16(c.field).toStdString();
        EXPECT_EQ(c.layout->field(index).size(), c.bytes)
            << QString::fromUtf16(c.field).toStdString();
    }
}

TEST(Codec, Windows1252RoundTrip) {
    const QString text = u"Perché €5 – “città” Œuvre"_s;
    const QByteArray bytes = text::encode1252(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[5]), 0xE9); // é
    EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 0x80); // €
    EXPECT_EQ(text::decode1252(bytes), text);
    EXPECT_EQ(text::encode1252(u"a\u4E2Db"_s), QByteArray("a?b"));
}

// One character, one byte: a character beyond U+FFFF is two UTF-16 units but one '?', in
// a stored field as in a spreadsheet cell.
TEST(Codec, CharacterBeyondTheBasicPlaneIsOneQuestionMark) {
    const QString emoji = u"a\U0001F600b"_s;
    EXPECT_EQ(text::encode1252(emoji), QByteArray("a?b"));
    EXPECT_EQ(text::encode1252(u"x\xD800y"_s), QByteArray("x?y")); // a lone surrogate
    Record r(clientLayout());
    r.setText(u"Cliente", QString(49, u'n') + u"\U0001F600z"_s); // 51 characters, capacity 50
    EXPECT_EQ(r.text(u"Cliente"), QString(49, u'n') + u"?"_s);
}

TEST(Codec, UndefinedBytesSurviveARoundTrip) {
    const QByteArray undefined("\x81\x8D\x8F\x90\x9D", 5);
    EXPECT_EQ(text::encode1252(text::decode1252(undefined)), undefined);
}

TEST(Casing, OnlyAsciiLettersChange) {
    EXPECT_EQ(text::upperAZ(u"città è ok"_s), u"CITTà è OK"_s);
    EXPECT_EQ(text::lowerAZ(u"ÈRA ABC"_s), u"Èra abc"_s);
    EXPECT_EQ(text::trimmed(u"\t  a b \r\n"_s), u"a b"_s);
}

TEST(Record, StoresTrimmedCutTextAndFlagBytes) {
    Record rec(clientLayout());
    rec.setText(u"Cliente", u"   Rossi Mario  "_s);
    rec.setText(u"Sesso", u"mf"_s); // capacity 1: cut
    rec.setFlag(clientLayout().indexOf(u"Ricontatta"), true);
    const QByteArray& b = rec.bytes();
    EXPECT_EQ(b.size(), 3372);
    EXPECT_EQ(b[0], 11);
    EXPECT_EQ(b.mid(1, 11), QByteArray("Rossi Mario"));
    EXPECT_EQ(b.mid(136, 2), QByteArray("\x01m", 2));
    EXPECT_EQ(b.mid(1863, 3), QByteArray("\x02\x53\xEC", 3));
    rec.setFlag(clientLayout().indexOf(u"Ricontatta"), false);
    EXPECT_EQ(rec.bytes().mid(1863, 3), QByteArray("\x02\x4E\x6F", 3));
    EXPECT_EQ(rec.text(u"Cliente"), u"Rossi Mario"_s);
}

TEST(Record, OverlongLengthByteReadsAsCapacity) {
    QByteArray bytes(3372, 'X');
    bytes[136] = char(200); // Sesso, capacity 1
    bytes[726] = char(255); // CodFisc, capacity 16
    Record rec(clientLayout(), bytes);
    EXPECT_EQ(rec.text(u"Sesso"), u"X"_s);
    EXPECT_EQ(rec.text(u"CodFisc"), QString(16, u'X'));
}

TEST(Record, FlagOtherContentHasNoValue) {
    Record rec(clientLayout());
    rec.setText(u"Ricontatta", u"Si"_s);
    EXPECT_FALSE(rec.flag(clientLayout().indexOf(u"Ricontatta")).has_value());
}

class RecordFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(u"Clienti.pro"_s); }
    QByteArray record(char fill) const { return QByteArray(3372, fill); }
};

TEST_F(RecordFileTest, MissingFileIsCreatedEmpty) {
    RecordFile file(path(), 3372);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.count(), 0);
    ASSERT_TRUE(file.close());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(QFile(path()).size(), 0);
}

TEST_F(RecordFileTest, AppendReadOverwriteAtTheirPlaces) {
    RecordFile file(path(), 3372);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.append(record('a')), 1);
    EXPECT_EQ(file.append(record('b')), 2);
    EXPECT_EQ(file.append(record('c')), 3);
    ASSERT_TRUE(file.write(2, record('B')));
    QByteArray got;
    ASSERT_TRUE(file.read(2, got));
    EXPECT_EQ(got, record('B'));
    EXPECT_FALSE(file.read(4, got));
    EXPECT_FALSE(file.read(0, got));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(readFile(path()), record('a') + record('B') + record('c'));
}

TEST_F(RecordFileTest, TornLastRecordIsIgnoredAndOverwrittenByAppend) {
    writeFile(path(), record('a') + record('b') + QByteArray(100, 'z'));
    RecordFile file(path(), 3372);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.append(record('c')), 3);
    ASSERT_TRUE(file.close());
    EXPECT_EQ(readFile(path()), record('a') + record('b') + record('c'));
}

TEST_F(RecordFileTest, ScanVisitsWholeRecordsOnly) {
    writeFile(path(), record('a') + record('b') + QByteArray(10, 'z'));
    QList<char> seen;
    ASSERT_TRUE(RecordFile::scan(path(), 3372, [&](qint64 k, const char* rec) {
        seen << rec[0];
        EXPECT_EQ(k, seen.size());
        return true;
    }));
    EXPECT_EQ(seen, (QList<char>{'a', 'b'}));
    EXPECT_TRUE(RecordFile::scan(dir.filePath(u"none.pro"_s), 3372, [](qint64, const char*) {
        ADD_FAILURE() << "a missing file has no record";
        return true;
    }));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"none.pro"_s)));
}

TEST_F(RecordFileTest, ZeroByteFileHasNoRecord) {
    writeFile(path(), {});
    RecordFile file(path(), 3372);
    ASSERT_TRUE(file.open());
    EXPECT_EQ(file.count(), 0);
    QByteArray got;
    EXPECT_FALSE(file.read(1, got));
}

TEST_F(RecordFileTest, ReadOnlyFileIsReportedAndKept) {
    writeFile(path(), record('a'));
    QFile::setPermissions(path(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const auto refused = [this] {
        RecordFile file(path(), 3372);
        return !file.open() && !file.errorString().isEmpty();
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(refused());
    } else {
        // Root writes whatever the permissions say: the open is tried by an ordinary user.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                              QFileDevice::ExeOther);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const gid_t nogroup = 65534;
            const uid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(nobody) != 0)
                ::_exit(2);
            ::_exit(refused() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readFile(path()), record('a'));
}

TEST_F(RecordFileTest, FolderThatIsAFileCannotBeOpened) {
    writeFile(dir.filePath(u"blocker"_s), "x");
    RecordFile file(dir.filePath(u"blocker/Clienti.pro"_s), 3372);
    EXPECT_FALSE(file.open());
}

// The catalogue names each archive's file and knows it again by that name, and no other.
TEST(ArchiveCatalogue, NamesAndRecognisesEveryArchive) {
    const struct {
        QString name;
        std::optional<ArchiveKind> kind;
        int year;
        int recordSize;
    } cases[] = {
        {u"Clienti.pro"_s, ArchiveKind::Clients, 0, 3372},
        {u"Pratiche.pro"_s, ArchiveKind::Practices, 0, 5075},
        {u"2026.prt"_s, ArchiveKind::Protocol, 2026, 3403},
        {u"0999.sca"_s, ArchiveKind::Deadlines, 999, 1328},
        {u"2027.eur"_s, ArchiveKind::Movements, 2027, 3414},
        {u"clienti.pro"_s, std::nullopt, 0, 0},
        {u"2026.prt.journal"_s, std::nullopt, 0, 0},
        {u"999.sca"_s, std::nullopt, 0, 0},
        {u"20266.eur"_s, std::nullopt, 0, 0},
        {u"20a6.eur"_s, std::nullopt, 0, 0},
        {u"2026.xls"_s, std::nullopt, 0, 0},
        {u"Documenti_Allegati"_s, std::nullopt, 0, 0},
    };
    for (const auto& c : cases) {
        const std::optional<NamedArchive> named = archiveNamed(c.name);
        ASSERT_EQ(named.has_value(), c.kind.has_value()) << c.name.toStdString();
        if (!named) continue;
        EXPECT_EQ(named->entry->kind, *c.kind) << c.name.toStdString();
        EXPECT_EQ(named->year, c.year) << c.name.toStdString();
        EXPECT_EQ(named->entry->layout().recordSize(), c.recordSize) << c.name.toStdString();
        EXPECT_EQ(named->entry->fileName(c.year), c.name);
        EXPECT_EQ(&archiveEntry(*c.kind), named->entry);
    }
    // A year as typed on a year menu.
    EXPECT_EQ(archiveEntry(ArchiveKind::Movements).fileName(u" 2026 "_s), u"2026.eur"_s);
    EXPECT_EQ(archiveEntry(ArchiveKind::Clients).fileName(u"2026"_s), u"Clienti.pro"_s);
}
