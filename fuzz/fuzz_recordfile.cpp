// The record-file API over an archive of arbitrary content: whole records and a torn tail,
// sometimes beside a journal of arbitrary content left by an earlier run.
//
// Input: one byte of choices (record size, journal or not), two bytes that pick the record
// to overwrite and where a scan stops, then the archive (and the journal, when chosen:
// the input's last quarter).

#include "fuzzcheck.h"

#include "records/recordfile.h"

#include <QFileInfo>
#include <array>

using namespace tavolex;
using records::RecordFile;

namespace {

// Small sizes give many records per input; the others are the real archives'.
constexpr std::array<int, 11> kRecordSizes = {1, 2, 3, 7, 16, 64, 1328, 3372, 3403, 3414, 5075};

QByteArray recordOf(const QByteArray& archive, int size, qint64 k) {
    return archive.mid((k - 1) * size, size);
}

// Every whole record of `path` through scan(), in order and numbered from 1.
QByteArray scanAll(const QString& path, int size) {
    QByteArray seen;
    qint64 expected = 1;
    FUZZ_CHECK(RecordFile::scan(path, size, [&](qint64 k, const char* record) {
        FUZZ_CHECK(k == expected);
        ++expected;
        seen.append(record, size);
        return true;
    }));
    return seen;
}

// The archive holds exactly `expected` through every reading route.
void checkContent(const QString& path, int size, const QByteArray& expected) {
    FUZZ_CHECK(expected.size() % size == 0);
    FUZZ_CHECK(scanAll(path, size) == expected);
    RecordFile file(path, size);
    FUZZ_CHECK(file.open());
    FUZZ_CHECK(file.count() == expected.size() / size);
    QByteArray record;
    for (qint64 k = 1; k <= file.count(); ++k) {
        FUZZ_CHECK(file.read(k, record));
        FUZZ_CHECK(record == recordOf(expected, size, k));
    }
    FUZZ_CHECK(file.close());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int recordSize = kRecordSizes[(data[0] & 0x7F) % kRecordSizes.size()];
    const bool withJournal = (data[0] & 0x80) != 0;
    const std::uint8_t pickRecord = data[1];
    const std::uint8_t pickStop = data[2];
    QByteArray content = fuzz::bytesOf(data + 3, size - 3);
    QByteArray journal;
    if (withJournal) {
        journal = content.mid(content.size() * 3 / 4);
        content.truncate(content.size() * 3 / 4);
    }

    const QString folder = fuzz::scratchFolder();
    const QString path = folder + QStringLiteral("/archivio.pro");
    const QString journalPath = path + QStringLiteral(".journal");

    // A missing archive has no record, and scanning it does not create it.
    int visits = 0;
    FUZZ_CHECK(RecordFile::scan(path, recordSize, [&](qint64, const char*) {
        ++visits;
        return true;
    }));
    FUZZ_CHECK(visits == 0);
    FUZZ_CHECK(!QFileInfo::exists(path));

    fuzz::writeFile(path, content);
    if (withJournal) fuzz::writeFile(journalPath, journal);
    const qint64 whole = content.size() / recordSize;
    QByteArray model = content.left(whole * recordSize);

    if (!withJournal) {
        FUZZ_CHECK(scanAll(path, recordSize) == model);
        // Returning false stops the scan at that record.
        const qint64 stopAt = 1 + pickStop % (whole + 1);
        qint64 visited = 0;
        FUZZ_CHECK(RecordFile::scan(path, recordSize, [&](qint64 k, const char*) {
            visited = k;
            return k < stopAt;
        }));
        FUZZ_CHECK(visited == std::min(stopAt, whole));
    }

    RecordFile file(path, recordSize);
    FUZZ_CHECK(file.open());
    FUZZ_CHECK(file.isOpen());
    FUZZ_CHECK(file.count() == whole);
    if (withJournal) {
        // Whatever the journal held, it is settled by the open: gone, and at most one whole
        // record replaced; the torn tail is not a record and stays as it was.
        FUZZ_CHECK(!QFileInfo::exists(journalPath));
        const QByteArray now = fuzz::readFile(path);
        FUZZ_CHECK(now.size() == content.size());
        FUZZ_CHECK(now.mid(whole * recordSize) == content.mid(whole * recordSize));
        // A replaced record can only be one that the journal holds.
        int changed = 0;
        for (qint64 k = 1; k <= whole; ++k) {
            const QByteArray record = recordOf(now, recordSize, k);
            if (record == recordOf(content, recordSize, k)) continue;
            ++changed;
            FUZZ_CHECK(journal.contains(record));
        }
        FUZZ_CHECK(changed <= 1);
        model = now.left(whole * recordSize);
    }

    QByteArray record;
    for (qint64 k = 1; k <= whole; ++k) {
        FUZZ_CHECK(file.read(k, record));
        FUZZ_CHECK(record == recordOf(model, recordSize, k));
    }
    FUZZ_CHECK(!file.read(0, record));
    FUZZ_CHECK(!file.errorString().isEmpty());
    FUZZ_CHECK(!file.read(whole + 1, record));
    FUZZ_CHECK(!file.write(whole + 2, QByteArray(recordSize, 'x')));
    FUZZ_CHECK(!file.write(1, QByteArray(recordSize + 1, 'x')));
    FUZZ_CHECK(file.count() == whole);

    // Overwrite one record with its complement: it changes, no other byte does.
    if (whole > 0) {
        const qint64 k = 1 + pickRecord % whole;
        QByteArray replacement = recordOf(model, recordSize, k);
        for (char& byte : replacement)
            byte = static_cast<char>(~byte);
        FUZZ_CHECK(file.write(k, replacement));
        FUZZ_CHECK(file.count() == whole);
        model.replace((k - 1) * recordSize, recordSize, replacement);
        FUZZ_CHECK(file.read(k, record));
        FUZZ_CHECK(record == replacement);
        if (k > 1) {
            FUZZ_CHECK(file.read(k - 1, record));
            FUZZ_CHECK(record == recordOf(model, recordSize, k - 1));
        }
    }

    // An append lands right after the last whole record, over the torn tail.
    QByteArray appended(recordSize, '\0');
    for (int i = 0; i < recordSize; ++i)
        appended[i] = static_cast<char>(pickRecord + i * 31);
    FUZZ_CHECK(file.append(appended) == whole + 1);
    FUZZ_CHECK(file.count() == whole + 1);
    FUZZ_CHECK(file.read(whole + 1, record));
    FUZZ_CHECK(record == appended);
    model += appended;
    FUZZ_CHECK(file.close());
    FUZZ_CHECK(!file.isOpen());

    // Nothing but whole records on disk, and no side file left behind.
    FUZZ_CHECK(fuzz::readFile(path) == model);
    FUZZ_CHECK(fuzz::filesIn(folder) == QStringList{QStringLiteral("archivio.pro")});
    checkContent(path, recordSize, model);

    // touch() neither changes an archive nor leaves anything beside it; it creates a missing one.
    FUZZ_CHECK(RecordFile::touch(path, recordSize));
    FUZZ_CHECK(fuzz::readFile(path) == model);
    const QString fresh = folder + QStringLiteral("/nuovo.pro");
    FUZZ_CHECK(RecordFile::touch(fresh, recordSize));
    FUZZ_CHECK(QFileInfo(fresh).size() == 0);
    FUZZ_CHECK(fuzz::filesIn(folder).size() == 2);
    return 0;
}
