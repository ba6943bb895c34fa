#pragma once

#include "layout.h"

#include <QByteArray>
#include <optional>

namespace tavolex::records {

inline constexpr char16_t kYes[] = u"S\u00EC"; // "Sì"
inline constexpr char16_t kNo[] = u"No";

// Reads one ShortString field out of raw record bytes. A length byte above the
// capacity is read as the capacity, so a damaged field never reads past its end.
QString readField(const char* record, const FieldSpec& field);
QString readFieldTrimmed(const char* record, const FieldSpec& field);

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
