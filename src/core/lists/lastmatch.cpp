#include "lastmatch.h"

#include "text/casing.h"

#include <QHash>
#include <QSet>
#include <QStringView>
#include <algorithm>
#include <numeric>
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

ArchiveStamp ArchiveStamp::of(const records::Archive& archive) {
    ArchiveStamp stamp;
    stamp.m_version = archive.version();
    return stamp;
}

bool ArchiveStamp::stillMatches(const records::Archive& archive) const {
    return isKnown() && archive.version() == m_version;
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

bool listWithRecords(const records::Archive& archive,
                     const std::function<bool(const char*)>& isListed,
                     const std::function<QString(const char*)>& lineOf, Behind behind,
                     ListedLines* lines, const std::function<QString(const char*)>& headOf) {
    ListedLines listed;
    // Stamped before reading, so that a change made while the scan runs is seen too.
    listed.stamp = ArchiveStamp::of(archive);
    // Each distinct trimmed line listed so far has a slot holding the last record giving it;
    // the keys look into the listed lines themselves, which stay unchanged. A record that is
    // not listed matters only when its line equals one listed before it.
    std::unordered_map<LineKey, qsizetype, LineKeyHash> slotOfLine;
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
    bool reserved = false;
    const bool read = records::forEachRecord(archive, [&](qint64 k, const char* record) {
        if (!reserved) {
            // Room for a good part of the archive at once: growing the map node by node
            // rehashes it over and over.
            slotOfLine.reserve(size_t(1) << 17);
            reserved = true;
        }
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

std::optional<ChosenRecord> recordWithLine(const records::Archive& archive,
                                           const std::function<QString(const char*)>& lineOf,
                                           const QString& entry, qint64 position) {
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty() || position < 1 || !archive.exists()) return std::nullopt;
    const std::unique_ptr<records::OpenArchive> open = archive.open();
    QByteArray bytes;
    if (!open || !open->read(position, bytes)) return std::nullopt;
    if (text::trimmed(lineOf(bytes.constData())) != wanted) return std::nullopt;
    return ChosenRecord{bytes, position};
}

bool findLastWithLine(const records::Archive& archive,
                      const std::function<QString(const char*)>& lineOf, const QString& entry,
                      std::optional<ChosenRecord>* found, const ListedRecord& listed) {
    found->reset();
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty()) return true;
    if (listed.position > 0 && listed.stamp.stillMatches(archive)) {
        if (auto record = recordWithLine(archive, lineOf, entry, listed.position)) {
            *found = std::move(record);
            return true;
        }
    }
    std::optional<ChosenRecord> last;
    const int size = archive.recordSize();
    const bool read = records::forEachRecord(archive, [&](qint64 k, const char* record) {
        if (text::trimmed(lineOf(record)) == wanted)
            last = ChosenRecord{QByteArray(record, size), k}; // the scan reuses its buffer
        return true;
    });
    if (read) *found = std::move(last);
    return read;
}

} // namespace tavolex::lists
