// Record decoding: arbitrary bytes taken as a record of each of the five layouts, every field
// read, then stored back.

#include "fuzzcheck.h"

#include "records/layouts.h"
#include "records/record.h"
#include "text/casing.h"
#include "text/win1252.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace tavolex;

namespace {

const records::RecordLayout* const kLayouts[] = {
    &records::clientLayout(),   &records::practiceLayout(), &records::protocolLayout(),
    &records::deadlineLayout(), &records::movementLayout(),
};

// The bytes outside [offset, offset + size) are equal.
bool sameOutside(const QByteArray& a, const QByteArray& b, int offset, int size) {
    const qsizetype end = offset + size;
    return a.size() == b.size() && std::memcmp(a.constData(), b.constData(), offset) == 0 &&
           std::memcmp(a.constData() + end, b.constData() + end, a.size() - end) == 0;
}

void readEveryField(const records::RecordLayout& layout, const QByteArray& input) {
    const records::Record record(layout, input);
    const QByteArray& bytes = record.bytes();
    // Short input is padded with zeros, long input cut to one record.
    FUZZ_CHECK(bytes.size() == layout.recordSize());
    const qsizetype given = std::min<qsizetype>(input.size(), layout.recordSize());
    FUZZ_CHECK(bytes.left(given) == input.left(given));
    FUZZ_CHECK(bytes.mid(given).count('\0') == bytes.size() - given);

    std::vector<QString> texts;
    int offset = 0;
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const records::FieldSpec& field = layout.field(i);
        FUZZ_CHECK(field.offset == offset);
        offset += field.size();
        FUZZ_CHECK(layout.indexOf(field.name) >= 0);

        // The length byte, never more than the capacity.
        const int length =
            std::min<int>(static_cast<unsigned char>(bytes[field.offset]), field.capacity);
        const QString raw = records::readField(bytes.constData(), field);
        FUZZ_CHECK(raw.size() == length);
        // One character per byte, and each one stores back as the byte it came from.
        FUZZ_CHECK(text::encode1252(raw) == bytes.mid(field.offset + 1, length));

        const QString shown = record.text(i);
        FUZZ_CHECK(shown == text::trimmed(raw));
        FUZZ_CHECK(shown == records::readFieldTrimmed(bytes.constData(), field));
        FUZZ_CHECK(shown.size() <= field.capacity);
        FUZZ_CHECK(shown.isEmpty() ||
                   (shown.front().unicode() > 32 && shown.back().unicode() > 32));

        texts.push_back(shown);

        const std::optional<bool> flag = record.flag(i);
        FUZZ_CHECK(flag.has_value() ==
                   (shown == QStringView(records::kYes) || shown == QStringView(records::kNo)));
        if (flag) FUZZ_CHECK(*flag == (shown == QStringView(records::kYes)));
    }
    FUZZ_CHECK(offset == layout.recordSize());
    for (const records::FieldSpec& field : layout.fields())
        FUZZ_CHECK(record.text(field.name) == texts[layout.indexOf(field.name)]);

    // Storing what was read gives the same text back, in canonical form, and leaves every
    // other field as it was.
    records::Record copy = record;
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const records::FieldSpec& field = layout.field(i);
        const QByteArray before = copy.bytes();
        copy.setText(i, texts[i]);
        const QByteArray& after = copy.bytes();
        FUZZ_CHECK(copy.text(i) == texts[i]);
        FUZZ_CHECK(sameOutside(before, after, field.offset, field.size()));
        const int stored = static_cast<unsigned char>(after[field.offset]);
        FUZZ_CHECK(stored == texts[i].size());
        const QByteArray unused = after.mid(field.offset + 1 + stored, field.capacity - stored);
        FUZZ_CHECK(unused.count('\0') == unused.size());

        if (field.kind == records::FieldKind::YesNo) {
            for (const bool value : {true, false}) {
                records::Record flagged = record;
                flagged.setFlag(i, value);
                FUZZ_CHECK(flagged.flag(i) == std::optional<bool>(value));
                FUZZ_CHECK(
                    sameOutside(record.bytes(), flagged.bytes(), field.offset, field.size()));
            }
        }
    }

    records::Record cleared = record;
    cleared.clear();
    FUZZ_CHECK(cleared.bytes().size() == layout.recordSize());
    FUZZ_CHECK(cleared.bytes().count('\0') == layout.recordSize());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::bytesOf(data, size);
    for (const records::RecordLayout* layout : kLayouts)
        readEveryField(*layout, input);
    return 0;
}
