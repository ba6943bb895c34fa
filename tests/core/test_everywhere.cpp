#include "records/folderstore.h"
#include "records/layouts.h"
#include "records/record.h"
#include "search/everywhere.h"
#include "support/recordfixtures.h"
#include "text/folding.h"
#include "text/win1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tavolex;
using namespace tavolex::search;
using namespace Qt::Literals::StringLiterals;

namespace {

// The Windows-1252 byte of one character.
unsigned char byteOf(QChar ch) {
    return static_cast<unsigned char>(text::encodeChar1252(ch));
}

TEST(Folding, EveryAccentedLetterFoldsToItsLowerCaseBaseLetter) {
    // Unicode's own decomposition decides what a letter's base is, not the table under test.
    int accented = 0;
    for (int b = 0x80; b < 256; ++b) {
        const char raw = static_cast<char>(b);
        const QString decoded = text::decode1252(&raw, 1);
        const QChar ch = decoded.at(0);
        if (ch.decompositionTag() != QChar::Canonical) continue;
        const QChar base = ch.decomposition().at(0);
        ASSERT_TRUE(base.isLetter()) << b;
        EXPECT_EQ(text::fold(static_cast<unsigned char>(b)), byteOf(base.toLower()))
            << "byte 0x" << std::hex << b;
        ++accented;
    }
    // À-Å Ç È-Ë Ì-Ï Ñ Ò-Ö Ù-Ü Ý, the same in lower case, ÿ, Š š Ž ž Ÿ.
    EXPECT_EQ(accented, 2 * 26 + 1 + 5);
}

TEST(Folding, CaseOfPlainLettersAndTheLettersOfTheirOwn) {
    struct Case {
        const char16_t* from;
        const char16_t* to;
    };
    const Case cases[] = {
        {u"ABCXYZ", u"abcxyz"},
        {u"abc019", u"abc019"},
        {u"\u00D8\u00F8", u"oo"},           // Ø ø: o with a stroke
        {u"\u00C6\u00E6", u"\u00E6\u00E6"}, // Æ æ: lower case only
        {u"\u0152\u0153", u"\u0153\u0153"}, // Œ œ
        {u"\u00D0\u00DE", u"\u00F0\u00FE"}, // Ð Þ
        {u"\u00DF", u"\u00DF"},             // ß stays ß
        {u"\u20AC\u00AA\u00BA\u00B5", u"\u20AC\u00AA\u00BA\u00B5"},
        {u"Citt\u00E0 PERSIC\u00D2", u"citta persico"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text::folded(text::encode1252(QString::fromUtf16(c.from))),
                  text::encode1252(QString::fromUtf16(c.to)))
            << QString::fromUtf16(c.from).toStdString();
    // Nothing else moves: every byte outside letters folds to itself.
    for (int b = 0; b < 256; ++b) {
        const char raw = static_cast<char>(b);
        const QChar ch = text::decode1252(&raw, 1).at(0);
        if (!ch.isLetter()) {
            EXPECT_EQ(text::fold(static_cast<unsigned char>(b)), b) << b;
        }
    }
}

TEST(FoldedText, FindsWithoutRegardToCaseAndAccents) {
    struct Case {
        QString needle;
        QString field;
        qsizetype at;
    };
    const Case cases[] = {
        {u"citta"_s, u"Citt\u00E0 di Castello"_s, 0},
        {u"PERSICO"_s, u"Via Persic\u00F2"_s, 4},
        {u"CITT\u00C0"_s, u"citta"_s, 0},
        {u"  rossi "_s, u"Mario ROSSI"_s, 6}, // the text is trimmed
        {u"rossi mario"_s, u"Rossi"_s, -1},
        {u"rossi"_s, u"Rossa"_s, -1},
        {u"\u4E2D"_s, u"?"_s, -1}, // not in the code page: finds nothing, not '?'
        {u"ss"_s, u"Stra\u00DFe"_s, -1},
    };
    for (const Case& c : cases) {
        const QByteArray field = text::encode1252(c.field);
        EXPECT_EQ(FoldedText(c.needle).findIn(field.constData(), field.size()), c.at)
            << c.needle.toStdString();
    }
}

TEST(HitContext, ShortFieldWholeLongFieldAroundTheMatch) {
    EXPECT_EQ(hitContext("  Mario Rossi ", 8, 5), u"Mario Rossi"_s);
    const QByteArray longText = QByteArray(100, 'a') + "TARGET" + QByteArray(100, 'b');
    const QString shown = hitContext(longText, 100, 6, 40);
    EXPECT_TRUE(shown.contains(u"TARGET"_s)) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith(u'\u2026'));
    EXPECT_TRUE(shown.endsWith(u'\u2026'));
    EXPECT_LE(shown.size(), 42);
    // A match at the very end of a long field is shown, cut only at the front.
    const QByteArray endText = QByteArray(100, 'a') + "END";
    const QString tail = hitContext(endText, 100, 3, 40);
    EXPECT_TRUE(tail.endsWith(u"END"_s)) << tail.toStdString();
    EXPECT_TRUE(tail.startsWith(u'\u2026'));
}

TEST(FieldLabels, EveryTextFieldHasOneFlagsHaveNone) {
    for (const ArchiveKind kind :
         {ArchiveKind::Clients, ArchiveKind::Protocol, ArchiveKind::Practices,
          ArchiveKind::Deadlines, ArchiveKind::Movements}) {
        const records::RecordLayout& layout = layoutOf(kind);
        for (int i = 0; i < layout.fieldCount(); ++i) {
            const bool text = layout.field(i).kind == records::FieldKind::Text;
            EXPECT_EQ(fieldLabel(kind, i).isEmpty(), !text)
                << archiveTitle(kind).toStdString() << " " << layout.field(i).name.toStdString();
        }
    }
    EXPECT_EQ(fieldLabel(ArchiveKind::Clients, records::clientLayout().indexOf(u"CodFisc")),
              u"Codice fiscale:"_s);
    EXPECT_EQ(fieldLabel(ArchiveKind::Practices, records::practiceLayout().indexOf(u"Doc07")),
              u"Documento 7:"_s);
    EXPECT_EQ(fieldLabel(ArchiveKind::Movements, records::movementLayout().indexOf(u"File02")),
              u"Allegato 2:"_s);
    // The amount of an expense is worded as the card words it.
    const int amount = records::movementLayout().indexOf(u"Importo");
    const records::Record expense = test::makeRecord(
        records::movementLayout(), {{u"Entrata", u"No"_s}, {u"Uscita", u"S\u00EC"_s}});
    const records::Record income = test::makeRecord(
        records::movementLayout(), {{u"Entrata", u"S\u00EC"_s}, {u"Uscita", u"No"_s}});
    EXPECT_EQ(fieldLabel(ArchiveKind::Movements, amount, expense.bytes().constData()),
              u"Importo in uscita: \u20AC"_s);
    EXPECT_EQ(fieldLabel(ArchiveKind::Movements, amount, income.bytes().constData()),
              u"Importo in entrata: \u20AC"_s);
}

class EverywhereFolder : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    void write(const QString& name, const QList<records::Record>& records) {
        ASSERT_TRUE(test::writeRecords(path(name), records));
    }
    std::vector<Hit> scanAll(const QString& text, qint64* damaged = nullptr) {
        std::vector<Hit> hits;
        const FoldedText folded(text);
        const records::FolderStore store(m_dir.path());
        for (const records::ArchiveId& archive : archivesIn(store)) {
            const ArchiveScan scan = scanArchive(store, archive, folded, nullptr,
                                                 [&](Hit&& hit) { hits.push_back(hit); });
            EXPECT_TRUE(scan.readable);
            if (damaged) *damaged += scan.damaged;
        }
        return hits;
    }
    QTemporaryDir m_dir;
};

TEST_F(EverywhereFolder, ArchivesFoundByNameOrderedByKindAndYear) {
    for (const char* name :
         {"2025.prt", "2024.prt", "2023.eur", "Clienti.pro", "2024.sca", "Pratiche.pro", "abcd.prt",
          "20245.sca", "2024.prt.journal", "2024.PRT", "Tavolex.ini"})
        write(QString::fromLatin1(name), {});
    QDir(m_dir.path()).mkdir(u"2026.eur"_s); // listed, to be found unreadable
    QDir(m_dir.path()).mkdir(u"Movimenti"_s);
    QStringList seen;
    const records::FolderStore store(m_dir.path());
    for (const records::ArchiveId& a : archivesIn(store))
        seen << u"%1 %2 %3"_s.arg(archiveTitle(a.entry->kind))
                    .arg(a.year.toInt())
                    .arg(QFileInfo(store.pathOf(a)).fileName());
    EXPECT_EQ(seen, (QStringList{u"Clienti 0 Clienti.pro"_s, u"Protocollo 2024 2024.prt"_s,
                                 u"Protocollo 2025 2025.prt"_s, u"Pratiche 0 Pratiche.pro"_s,
                                 u"Scadenze 2024 2024.sca"_s, u"Movimenti 2023 2023.eur"_s,
                                 u"Movimenti 2026 2026.eur"_s}));
}

// Anything but a plain file under an archive's name is one unreadable archive, whatever it is;
// the search goes on to the other archives and never waits on a pipe.
TEST(EverywhereUnreadable, EveryKindOfEntryInAnArchivesPlaceCountsOnce) {
    struct Case {
        const char* what;
        QString name;
        std::function<bool(const QString& path)> make;
    };
    const auto fifo = [](const QString& p) {
        return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0;
    };
    const auto folder = [](const QString& p) { return QDir().mkdir(p); };
    const auto linkTo = [](const QString& target) {
        return [target](const QString& p) { return QFile::link(target, p); };
    };
    const Case cases[] = {
        {"folder, yearly", u"2026.sca"_s, folder},
        {"folder, single", u"Clienti.pro"_s, folder},
        {"named pipe, single", u"Clienti.pro"_s, fifo},
        {"named pipe, yearly", u"2024.prt"_s, fifo},
        {"link to a device", u"2025.eur"_s, linkTo(u"/dev/null"_s)},
        {"link to a folder", u"Pratiche.pro"_s, linkTo(u"/tmp"_s)},
        {"link to nothing", u"2023.sca"_s, linkTo(u"/nonexistent/2023.sca"_s)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(c.make(dir.filePath(c.name)));
        ASSERT_TRUE(test::writeRecords(
            dir.filePath(u"2020.eur"_s),
            {test::makeRecord(records::movementLayout(), {{u"Causale", u"Affitto"_s}})}));
        QStringList listed;
        int unreadable = 0;
        qint64 hits = 0;
        const records::FolderStore store(dir.path());
        for (const records::ArchiveId& archive : archivesIn(store)) {
            listed << QFileInfo(store.pathOf(archive)).fileName();
            const ArchiveScan scan =
                scanArchive(store, archive, FoldedText(u"affitto"_s), nullptr, {});
            if (!scan.readable) ++unreadable;
            hits += scan.hits;
        }
        EXPECT_TRUE(listed.contains(c.name)) << listed.join(u' ').toStdString();
        EXPECT_EQ(unreadable, 1);
        EXPECT_EQ(hits, 1);
    }
}

TEST_F(EverywhereFolder, HitsInEveryKindAndYearWithRecordAndField) {
    using test::makeRecord;
    write(u"Clienti.pro"_s,
          {makeRecord(records::clientLayout(), {{u"Cliente", u"Bianchi"_s}}),
           makeRecord(records::clientLayout(), {{u"Cliente", u"Verdi"_s},
                                                {u"ComuneRes", u"Citt\u00E0 Alta"_s},
                                                {u"Note", u"citta"_s}})});
    write(u"2024.prt"_s,
          {makeRecord(records::protocolLayout(), {{u"Oggetto", u"Lettera a CITTA nuova"_s}})});
    write(u"2025.prt"_s,
          {makeRecord(records::protocolLayout(), {{u"Oggetto", u"nulla"_s}}),
           makeRecord(records::protocolLayout(), {{u"Oggetto", u"nulla"_s}}),
           makeRecord(records::protocolLayout(), {{u"Desc02", u"foto citt\u00E0"_s}})});
    write(u"Pratiche.pro"_s,
          {makeRecord(records::practiceLayout(), {{u"Doc12", u"Pianta della Citt\u00E1"_s}})});
    write(u"2023.sca"_s,
          {makeRecord(records::deadlineLayout(), {{u"Note", u"altro"_s}}),
           makeRecord(records::deadlineLayout(), {{u"Causale", u"Tassa CITT\u00C0"_s}})});
    write(u"2024.eur"_s,
          {makeRecord(records::movementLayout(), {{u"Beneficiario", u"Comune citt\u00E0"_s}})});

    const std::vector<Hit> hits = scanAll(u"citta"_s);
    QStringList seen;
    for (const Hit& h : hits)
        seen << u"%1|%2|%3|%4|%5"_s.arg(archiveTitle(h.kind))
                    .arg(h.year)
                    .arg(h.record)
                    .arg(h.label, h.context);
    EXPECT_EQ(seen, (QStringList{
                        // One row per record, at its first field holding the text.
                        u"Clienti|0|2|Comune di residenza:|Citt\u00E0 Alta"_s,
                        u"Protocollo|2024|1|Oggetto:|Lettera a CITTA nuova"_s,
                        u"Protocollo|2025|3|Descrizione allegato 2:|foto citt\u00E0"_s,
                        u"Pratiche|0|1|Documento 12:|Pianta della Citt\u00E1"_s,
                        u"Scadenze|2023|2|Causale scadenza:|Tassa CITT\u00C0"_s,
                        u"Movimenti|2024|1|Beneficiario:|Comune citt\u00E0"_s,
                    }));
    EXPECT_TRUE(scanAll(u"Bianchissimo"_s).empty());
    // Yes/no flags are not searched: "No" is in every flag of every record.
    EXPECT_TRUE(scanAll(u"S\u00EC"_s).empty());
}

TEST_F(EverywhereFolder, DamagedRecordsPassedOverAndCounted) {
    using test::makeRecord;
    const auto& layout = records::clientLayout();
    records::Record good = makeRecord(layout, {{u"Cliente", u"Rossi Mario"_s}});
    records::Record bad = makeRecord(layout, {{u"Cliente", u"Rossi Luigi"_s}});
    // The length byte of Sesso (capacity 1) says 9: the record cannot be read.
    QByteArray badBytes = bad.bytes();
    badBytes[layout.field(u"Sesso").offset] = 9;
    bad.setBytes(badBytes);
    write(u"Clienti.pro"_s, {good, bad, good});
    {
        QFile file(path(u"Clienti.pro"_s));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(good.bytes().left(100)); // a torn last record
    }
    qint64 damaged = 0;
    const std::vector<Hit> hits = scanAll(u"rossi"_s, &damaged);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].record, 1);
    EXPECT_EQ(hits[1].record, 3);
    EXPECT_EQ(damaged, 2);
}

TEST_F(EverywhereFolder, RecordsAcrossBlocksKeepTheirNumbers) {
    // More records than one 4 MiB block holds, with hits on both sides of the boundary.
    const auto& layout = records::deadlineLayout();
    const qint64 perBlock = 4 * 1024 * 1024 / layout.recordSize();
    const qint64 total = perBlock + 10;
    QFile file(path(u"2024.sca"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const records::Record plain = test::makeRecord(layout, {{u"Note", u"niente"_s}});
    const records::Record marked = test::makeRecord(layout, {{u"Note", u"Segno"_s}});
    for (qint64 k = 1; k <= total; ++k) {
        const bool hit = k == 1 || k == perBlock || k == perBlock + 1 || k == total;
        ASSERT_EQ(file.write((hit ? marked : plain).bytes()), layout.recordSize());
    }
    file.close();
    std::vector<qint64> numbers;
    for (const Hit& h : scanAll(u"SEGNO"_s))
        numbers.push_back(h.record);
    EXPECT_EQ(numbers, (std::vector<qint64>{1, perBlock, perBlock + 1, total}));
}

TEST_F(EverywhereFolder, CancelStopsTheScanAtTheNextBlock) {
    // Every record a hit, over three blocks: cancelling at the first hit leaves the rest of
    // the first block, and nothing after it.
    const auto& layout = records::deadlineLayout();
    const qint64 perBlock = 4 * 1024 * 1024 / layout.recordSize();
    const records::Record marked = test::makeRecord(layout, {{u"Note", u"Segno"_s}});
    QList<records::Record> all;
    for (qint64 k = 0; k < 3 * perBlock; ++k)
        all.append(marked);
    write(u"2024.sca"_s, all);
    const records::FolderStore store(m_dir.path());
    const records::ArchiveId archive = archivesIn(store).front();

    std::atomic<bool> cancel{false};
    qint64 hits = 0;
    ArchiveScan scan = scanArchive(store, archive, FoldedText(u"segno"_s), &cancel, [&](Hit&&) {
        ++hits;
        cancel = true;
    });
    EXPECT_TRUE(scan.cancelled);
    EXPECT_EQ(hits, perBlock);

    // Cancelled before it starts: nothing is reported.
    hits = 0;
    scan = scanArchive(store, archive, FoldedText(u"segno"_s), &cancel, [&](Hit&&) { ++hits; });
    EXPECT_TRUE(scan.cancelled);
    EXPECT_EQ(hits, 0);
}

} // namespace
