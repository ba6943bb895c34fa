#include "lastmatch.h"

#include "files/regularfile.h"
#include "records/recordfile.h"
#include "text/casing.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringView>
#include <algorithm>
#include <numeric>
#include <vector>

namespace tavolex::lists {

void ListedLines::sortLines(const std::function<bool(const QString&, const QString&)>& less) {
    std::vector<qsizetype> order(size_t(lines.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return less(lines.at(a), lines.at(b)); });
    ListedLines sorted;
    sorted.lines.reserve(lines.size());
    sorted.positions.reserve(lines.size());
    for (const qsizetype i : order) {
        sorted.lines << lines.at(i);
        sorted.positions << positions.value(i);
    }
    *this = std::move(sorted);
}

namespace {

// The line without the blanks and control characters around it, as text::trimmed keeps it.
QStringView trimmedView(QStringView s) {
    while (!s.isEmpty() && s.front().unicode() <= 32)
        s = s.mid(1);
    while (!s.isEmpty() && s.back().unicode() <= 32)
        s.chop(1);
    return s;
}

} // namespace

bool listWithRecords(const QString& archivePath, int recordSize,
                     const std::function<bool(const char*)>& isListed,
                     const std::function<QString(const char*)>& lineOf, Behind behind,
                     ListedLines* lines, const std::function<QString(const char*)>& headOf) {
    ListedLines listed;
    // Each distinct trimmed line listed so far has a slot holding the last record giving it;
    // the keys look into the listed lines themselves, which stay unchanged. A record that is
    // not listed matters only when its line equals one listed before it.
    QHash<QStringView, qsizetype> slotOfLine;
    std::vector<qint64> lastOfSlot;
    std::vector<qsizetype> slotOfEntry; // -1: an empty line, which leads nowhere
    // The heads of the listed lines, while every one is known.
    bool useHeads = behind == Behind::AnyRecord && bool(headOf);
    QSet<QString> heads;
    const bool read =
        records::RecordFile::scan(archivePath, recordSize, [&](qint64 k, const char* record) {
            if (isListed(record)) {
                if (useHeads) {
                    QString head = headOf(record);
                    if (head.isEmpty())
                        useHeads = false; // a head unknown rules nothing out
                    else
                        heads.insert(std::move(head));
                }
                listed.lines << lineOf(record);
                const QStringView key = trimmedView(listed.lines.constLast());
                if (key.isEmpty()) {
                    slotOfEntry.push_back(-1);
                    return true;
                }
                auto it = slotOfLine.find(key);
                if (it == slotOfLine.end()) {
                    it = slotOfLine.insert(key, qsizetype(lastOfSlot.size()));
                    lastOfSlot.push_back(k);
                } else {
                    lastOfSlot[size_t(*it)] = k;
                }
                slotOfEntry.push_back(*it);
            } else if (behind == Behind::AnyRecord && !slotOfLine.isEmpty()) {
                if (useHeads) {
                    const QString head = headOf(record);
                    if (!head.isEmpty() && !heads.contains(head)) return true;
                }
                const QString line = lineOf(record);
                const auto it = slotOfLine.find(trimmedView(line));
                if (it != slotOfLine.end()) lastOfSlot[size_t(*it)] = k;
            }
            return true;
        });
    listed.positions.reserve(listed.lines.size());
    for (const qsizetype slot : slotOfEntry)
        listed.positions << (slot < 0 ? 0 : lastOfSlot[size_t(slot)]);
    *lines = std::move(listed);
    return read;
}

std::optional<ChosenRecord> recordWithLine(const QString& archivePath, int recordSize,
                                           const std::function<QString(const char*)>& lineOf,
                                           const QString& entry, qint64 position) {
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty() || position < 1 || recordSize < 1) return std::nullopt;
    QFile file(archivePath);
    if (!file.exists() || !files::openRegular(file, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    // Record k starts at (k - 1) × size.
    if (!file.seek((position - 1) * recordSize)) return std::nullopt;
    QByteArray bytes(recordSize, Qt::Uninitialized);
    qint64 got = 0;
    while (got < recordSize) {
        const qint64 n = file.read(bytes.data() + got, recordSize - got);
        if (n <= 0) return std::nullopt;
        got += n;
    }
    if (text::trimmed(lineOf(bytes.constData())) != wanted) return std::nullopt;
    return ChosenRecord{bytes, position};
}

bool findLastWithLine(const QString& archivePath, int recordSize,
                      const std::function<QString(const char*)>& lineOf, const QString& entry,
                      std::optional<ChosenRecord>* found, qint64 listedAt) {
    found->reset();
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty()) return true;
    if (listedAt > 0) {
        if (auto record = recordWithLine(archivePath, recordSize, lineOf, entry, listedAt)) {
            *found = std::move(record);
            return true;
        }
    }
    std::optional<ChosenRecord> last;
    const bool read =
        records::RecordFile::scan(archivePath, recordSize, [&](qint64 k, const char* record) {
            if (text::trimmed(lineOf(record)) == wanted)
                last =
                    ChosenRecord{QByteArray(record, recordSize), k}; // the scan reuses its buffer
            return true;
        });
    if (read) *found = std::move(last);
    return read;
}

} // namespace tavolex::lists
