#include "lastmatch.h"

#include "files/regularfile.h"
#include "records/recordfile.h"
#include "text/casing.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringView>
#include <algorithm>
#include <ctime>
#include <numeric>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace tavolex::lists {

void ListedLines::sortLines(const std::function<bool(const QString&, const QString&)>& less) {
    std::vector<qsizetype> order(size_t(lines.size()));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return less(lines.at(a), lines.at(b)); });
    ListedLines sorted;
    sorted.stamp = stamp;
    sorted.lines.reserve(lines.size());
    sorted.positions.reserve(lines.size());
    for (const qsizetype i : order) {
        sorted.lines << lines.at(i);
        sorted.positions << positions.value(i);
    }
    *this = std::move(sorted);
}

namespace {

qint64 nanoseconds(const timespec& t) {
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

ArchiveStamp ArchiveStamp::of(const QString& path) {
    ArchiveStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // A modification time in the same tick as now, or ahead of it, tells nothing.
    if (nanoseconds(now) - nanoseconds(st.st_mtim) < kTimeGrainNs) return stamp;
    stamp.m_known = true;
    stamp.m_device = quint64(st.st_dev);
    stamp.m_inode = quint64(st.st_ino);
    stamp.m_size = qint64(st.st_size);
    stamp.m_modifiedNs = nanoseconds(st.st_mtim);
    // A program that writes and then puts the modification time back still moves this one.
    stamp.m_changedNs = nanoseconds(st.st_ctim);
    return stamp;
}

bool ArchiveStamp::stillMatches(const QString& path) const {
    struct stat st {};
    if (!m_known || ::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    return quint64(st.st_dev) == m_device && quint64(st.st_ino) == m_inode &&
           qint64(st.st_size) == m_size && nanoseconds(st.st_mtim) == m_modifiedNs &&
           nanoseconds(st.st_ctim) == m_changedNs;
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

// A trimmed line with its hash, worked out once: lookups compare hashes before texts.
struct LineKey {
    QStringView text;
    size_t hash;
    explicit LineKey(QStringView line) : text(line), hash(qHash(line)) {}
    bool operator==(const LineKey& other) const { return hash == other.hash && text == other.text; }
};

struct LineKeyHash {
    size_t operator()(const LineKey& key) const noexcept { return key.hash; }
};

} // namespace

bool listWithRecords(const QString& archivePath, int recordSize,
                     const std::function<bool(const char*)>& isListed,
                     const std::function<QString(const char*)>& lineOf, Behind behind,
                     ListedLines* lines, const std::function<QString(const char*)>& headOf) {
    ListedLines listed;
    // Stamped before reading, so that a change made while the scan runs is seen too.
    listed.stamp = ArchiveStamp::of(archivePath);
    // Each distinct trimmed line listed so far has a slot holding the last record giving it;
    // the keys look into the listed lines themselves, which stay unchanged. A record that is
    // not listed matters only when its line equals one listed before it.
    std::unordered_map<LineKey, qsizetype, LineKeyHash> slotOfLine;
    // Room for every record at once (up to a million): growing the map node by node rehashes
    // it over and over.
    const qint64 records = QFileInfo(archivePath).size() / qMax(recordSize, 1);
    slotOfLine.reserve(size_t(std::clamp<qint64>(records, 0, qint64(1) << 20)));
    std::vector<qint64> lastOfSlot;
    std::vector<qsizetype> slotOfEntry; // -1: an empty line, which leads nowhere
    // The heads of the listed lines, taken from the lines themselves (a known head is where
    // its line begins, and every known head is as wide) when a record not listed first needs
    // them, then kept up to date. A listed line without a head stops their use: it rules
    // nothing out.
    bool useHeads = behind == Behind::AnyRecord && bool(headOf);
    QSet<QStringView> heads;
    qsizetype headWidth = -1;
    qsizetype headed = 0; // listed lines whose head is in `heads`
    const auto takeHeads = [&] {
        for (; useHeads && headed < listed.lines.size(); ++headed) {
            const QStringView line = listed.lines.at(headed);
            if (line.size() < headWidth || line.front().unicode() <= 32)
                useHeads = false;
            else
                heads.insert(line.left(headWidth));
        }
    };
    const bool read =
        records::RecordFile::scan(archivePath, recordSize, [&](qint64 k, const char* record) {
            if (isListed(record)) {
                listed.lines << lineOf(record);
                const QStringView text = trimmedView(listed.lines.constLast());
                if (text.isEmpty()) {
                    slotOfEntry.push_back(-1);
                    return true;
                }
                const auto [it, added] =
                    slotOfLine.try_emplace(LineKey(text), qsizetype(lastOfSlot.size()));
                if (added)
                    lastOfSlot.push_back(k);
                else
                    lastOfSlot[size_t(it->second)] = k;
                slotOfEntry.push_back(it->second);
            } else if (behind == Behind::AnyRecord && !slotOfLine.empty()) {
                if (useHeads) {
                    const QString head = headOf(record);
                    if (!head.isEmpty() && headWidth < 0) headWidth = head.size();
                    if (!head.isEmpty() && head.size() == headWidth) {
                        takeHeads();
                        if (useHeads && !heads.contains(head)) return true;
                    }
                }
                const QString line = lineOf(record);
                const auto it = slotOfLine.find(LineKey(trimmedView(line)));
                if (it != slotOfLine.end()) lastOfSlot[size_t(it->second)] = k;
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
                      std::optional<ChosenRecord>* found, const ListedRecord& listed) {
    found->reset();
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty()) return true;
    if (listed.position > 0 && listed.stamp.stillMatches(archivePath)) {
        if (auto record = recordWithLine(archivePath, recordSize, lineOf, entry, listed.position)) {
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
