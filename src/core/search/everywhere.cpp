#include "everywhere.h"

#include "files/regularfile.h"
#include "records/layouts.h"
#include "records/record.h"
#include "text/casing.h"
#include "text/folding.h"
#include "text/win1252.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstring>

namespace tavolex::search {

using namespace Qt::Literals::StringLiterals;

namespace {

// The stored bytes of a field: its length byte, then the text.
struct TextField {
    int offset;
    int capacity;
    int index;
    bool searched;
};

std::vector<TextField> fieldsOf(ArchiveKind kind) {
    const records::RecordLayout& layout = layoutOf(kind);
    std::vector<TextField> fields;
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const records::FieldSpec& spec = layout.field(i);
        fields.push_back({spec.offset, spec.capacity, i, spec.kind == records::FieldKind::Text});
    }
    return fields;
}

} // namespace

QString archiveTitle(ArchiveKind kind) {
    return QString::fromUtf16(records::archiveEntry(kind).title);
}

const records::RecordLayout& layoutOf(ArchiveKind kind) {
    return records::archiveEntry(kind).layout();
}

QString fieldLabel(ArchiveKind kind, int index, const char* record) {
    // The movement card names its amount after the movement's type.
    if (record && kind == ArchiveKind::Movements) {
        const records::RecordLayout& layout = records::movementLayout();
        static const int amount = layout.indexOf(u"Importo");
        if (index == amount && records::isYes(record, layout.field(u"Uscita")))
            return u"Importo in uscita: \u20AC"_s;
    }
    const records::RecordLayout& layout = layoutOf(kind);
    return index >= 0 && index < layout.fieldCount() ? layout.field(index).caption : QString();
}

QList<records::ArchiveId> archivesIn(const records::ArchiveStore& store) {
    QList<records::ArchiveId> found;
    for (const records::ArchiveEntry& entry : records::archiveCatalogue()) {
        if (!entry.isYearly()) {
            const records::ArchiveId id = records::archiveId(entry.kind);
            if (store.archive(id)->exists()) found.append(id);
            continue;
        }
        for (const int year : store.years(entry))
            found.append(records::archiveId(entry.kind, year));
    }
    return found;
}

FoldedText::FoldedText(const QString& text) {
    const QString trimmed = text::trimmed(text);
    m_possible = text::isEncodable1252(trimmed);
    m_bytes = text::folded(text::encode1252(trimmed));
}

qsizetype FoldedText::findIn(const char* data, qsizetype size) const {
    const qsizetype n = m_bytes.size();
    if (!m_possible || n == 0 || size < n) return -1;
    const auto& table = text::foldTable();
    const auto* hay = reinterpret_cast<const unsigned char*>(data);
    const auto* needle = reinterpret_cast<const unsigned char*>(m_bytes.constData());
    const unsigned char first = needle[0];
    for (qsizetype i = 0, last = size - n; i <= last; ++i) {
        if (table[hay[i]] != first) continue;
        qsizetype j = 1;
        while (j < n && table[hay[i + j]] == needle[j])
            ++j;
        if (j == n) return i;
    }
    return -1;
}

QString hitContext(QByteArrayView field, qsizetype at, qsizetype length, int width) {
    // One Windows-1252 byte is one character, so byte and character positions agree.
    const QString whole = text::decode1252(field.data(), field.size());
    const QString trimmed = text::trimmed(whole);
    if (trimmed.size() <= width) return trimmed;
    const qsizetype before = std::max<qsizetype>(0, (width - length) / 3);
    qsizetype start = std::max<qsizetype>(0, at - before);
    const qsizetype end =
        std::min<qsizetype>(whole.size(), start + std::max<qsizetype>(width, length));
    start = std::max<qsizetype>(0, std::min(start, end - width));
    QString shown = text::trimmed(whole.mid(start, end - start));
    if (!text::trimmed(whole.left(start)).isEmpty()) shown.prepend(u'\u2026');
    if (!text::trimmed(whole.mid(end)).isEmpty()) shown.append(u'\u2026');
    return shown;
}

ArchiveScan scanArchive(const records::ArchiveStore& store, records::ArchiveId id,
                        const FoldedText& text, const std::atomic<bool>* cancel,
                        const std::function<void(Hit&&)>& onHit) {
    ArchiveScan result;
    const ArchiveKind kind = id.entry->kind;
    const std::vector<TextField> fields = fieldsOf(kind);
    const bool searching = text.isPossible() && !text.isEmpty();
    const std::unique_ptr<records::Archive> archive = store.archive(id);
    const auto visitBlock = [&](const records::RecordBlock& block) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return false;
        }
        for (qint64 i = 0; i < block.count; ++i) {
            const char* record = block.record(i);
            ++result.records;
            bool damaged = false;
            for (const TextField& field : fields)
                if (static_cast<unsigned char>(record[field.offset]) > field.capacity) {
                    damaged = true;
                    break;
                }
            if (damaged) {
                ++result.damaged;
                continue;
            }
            if (!searching) continue;
            for (const TextField& field : fields) {
                if (!field.searched) continue;
                const char* stored = record + field.offset + 1;
                const int length = static_cast<unsigned char>(record[field.offset]);
                const qsizetype at = text.findIn(stored, length);
                if (at < 0) continue;
                ++result.hits;
                if (onHit)
                    onHit({kind, id.year.toInt(), block.number(i), field.index,
                           fieldLabel(kind, field.index, record),
                           hitContext(QByteArrayView(stored, length), at, text.bytes().size())});
                break;
            }
        }
        return true;
    };
    // A name the store lists but that holds no archive it can read (a folder, a pipe in its
    // place) is unreadable, never an empty archive.
    if (!archive->exists() || !archive->scan(visitBlock)) {
        result.readable = false;
        return result;
    }
    if (!result.cancelled && archive->endsTorn()) ++result.damaged;
    return result;
}

} // namespace tavolex::search
