#pragma once

#include "layout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <algorithm>
#include <optional>

namespace tavolex::records {

inline constexpr char16_t kYes[] = u"S\u00EC"; // "Sì"
inline constexpr char16_t kNo[] = u"No";

// Reads one ShortString field out of raw record bytes. A length byte above the
// capacity is read as the capacity, so a damaged field never reads past its end.
QString readField(const char* record, const FieldSpec& field);
QString readFieldTrimmed(const char* record, const FieldSpec& field);

// The stored Windows-1252 bytes of a field, trimmed as any stored text (codes up to 32 go
// from both ends), without decoding. A length byte above the capacity reads as the capacity.
inline QByteArrayView storedTrimmed(const char* record, const FieldSpec& field) {
    const char* at = record + field.offset;
    const int length = std::min<int>(static_cast<unsigned char>(at[0]), field.capacity);
    const auto* begin = reinterpret_cast<const unsigned char*>(at + 1);
    const auto* end = begin + length;
    while (begin < end && *begin <= 32)
        ++begin;
    while (end > begin && end[-1] <= 32)
        --end;
    return QByteArrayView(begin, end - begin);
}
// Whether a stored flag is exactly "Sì" / "No" once trimmed, straight on the raw bytes.
inline bool isYes(const char* record, const FieldSpec& flag) {
    return storedTrimmed(record, flag) == QByteArrayView("S\xEC", 2);
}
inline bool isNo(const char* record, const FieldSpec& flag) {
    return storedTrimmed(record, flag) == QByteArrayView("No", 2);
}

// A yes/no flag's text: "Sì" → true, "No" → false, anything else → no value.
std::optional<bool> flagValue(QStringView text);

// One record buffer of a given layout.
class Record {
public:
    explicit Record(const RecordLayout& layout);
    Record(const RecordLayout& layout, QByteArray bytes);

    const RecordLayout& layout() const { return *m_layout; }
    const QByteArray& bytes() const { return m_bytes; }
    void setBytes(const QByteArray& bytes);
    void clear();

    // Decoded text, trimmed of blanks and control characters.
    QString text(int field) const;
    QString text(QStringView name) const;
    // Trimmed, encoded in Windows-1252 and cut to the capacity; the rest of the field is zeroed.
    void setText(int field, const QString& value);
    void setText(QStringView name, const QString& value);

    // "Sì" → true, "No" → false, anything else → no value.
    std::optional<bool> flag(int field) const;
    std::optional<bool> flag(QStringView name) const;
    void setFlag(int field, bool value);

private:
    int checkedIndex(QStringView name) const;

    const RecordLayout* m_layout;
    QByteArray m_bytes;
};

} // namespace tavolex::records
