// The search over every archive, block by block, over a damaged archive: arbitrary bytes as
// the content of one archive of each kind (length bytes past the capacity, a torn last
// record), searched for a fixed text. The scan reads within its records, counts what it
// passes over, and reports exactly the records a plain search of each field finds.
//
// Input: one byte of choices (the archive's kind, the text searched for), then the archive.

#include "fuzzcheck.h"

#include "records/folderstore.h"
#include "search/everywhere.h"
#include "text/folding.h"
#include "text/win1252.h"

#include <array>
#include <vector>

using namespace tavolex;
using search::ArchiveKind;

namespace {

struct Kind {
    ArchiveKind kind;
    const char* name;
};
constexpr std::array<Kind, 5> kKinds = {{{ArchiveKind::Clients, "Clienti.pro"},
                                         {ArchiveKind::Protocol, "2024.prt"},
                                         {ArchiveKind::Practices, "Pratiche.pro"},
                                         {ArchiveKind::Deadlines, "2024.sca"},
                                         {ArchiveKind::Movements, "2024.eur"}}};

// Short texts, so that random bytes hold them; "città" folds an accented letter.
const std::array<QString, 4> kTexts = {QStringLiteral("a"), QStringLiteral("citt\u00E0"),
                                       QStringLiteral("Rossi"), QStringLiteral("12,5")};

struct Expected {
    qint64 record;
    int field;
};

// What the scan must find, by reading every field of every whole record on its own.
std::vector<Expected> expectedHits(const QByteArray& content, const records::RecordLayout& layout,
                                   const QByteArray& needle, qint64* damaged) {
    std::vector<Expected> hits;
    const int size = layout.recordSize();
    const qint64 whole = content.size() / size;
    *damaged = content.size() % size != 0 ? 1 : 0;
    for (qint64 k = 0; k < whole; ++k) {
        const char* record = content.constData() + k * size;
        bool broken = false;
        for (const records::FieldSpec& f : layout.fields())
            broken = broken || static_cast<unsigned char>(record[f.offset]) > f.capacity;
        if (broken) {
            ++*damaged;
            continue;
        }
        for (int i = 0; i < layout.fieldCount(); ++i) {
            const records::FieldSpec& f = layout.field(i);
            if (f.kind != records::FieldKind::Text) continue;
            const QByteArray stored(record + f.offset + 1,
                                    static_cast<unsigned char>(record[f.offset]));
            if (text::folded(stored).contains(needle)) {
                hits.push_back({k + 1, i});
                break;
            }
        }
    }
    return hits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const Kind& kind = kKinds[(data[0] & 0x0F) % kKinds.size()];
    const QString& wanted = kTexts[(data[0] >> 4) % kTexts.size()];
    const QByteArray content = fuzz::bytesOf(data + 1, size - 1);

    const QString folder = fuzz::scratchFolder();
    fuzz::writeFile(folder + u'/' + QLatin1String(kind.name), content);
    const records::FolderStore store(folder);
    const QList<records::ArchiveId> archives = search::archivesIn(store);
    FUZZ_CHECK(archives.size() == 1);
    FUZZ_CHECK(archives.front().entry->kind == kind.kind);

    const records::RecordLayout& layout = search::layoutOf(kind.kind);
    const search::FoldedText text(wanted);
    std::vector<search::Hit> hits;
    const search::ArchiveScan scan = search::scanArchive(
        store, archives.front(), text, nullptr, [&](search::Hit&& hit) { hits.push_back(hit); });
    FUZZ_CHECK(scan.readable);
    FUZZ_CHECK(!scan.cancelled);
    FUZZ_CHECK(scan.records == content.size() / layout.recordSize());
    FUZZ_CHECK(scan.hits == qint64(hits.size()));

    qint64 damaged = 0;
    const std::vector<Expected> expected = expectedHits(content, layout, text.bytes(), &damaged);
    FUZZ_CHECK(scan.damaged == damaged);
    FUZZ_CHECK(hits.size() == expected.size());
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const search::Hit& hit = hits[i];
        FUZZ_CHECK(hit.record == expected[i].record);
        FUZZ_CHECK(hit.field == expected[i].field);
        FUZZ_CHECK(hit.kind == kind.kind);
        FUZZ_CHECK(!hit.label.isEmpty());
        // The context shows the match (it may be cut around it, never through it).
        FUZZ_CHECK(text::folded(text::encode1252(hit.context)).contains(text.bytes()));
    }
    return 0;
}
