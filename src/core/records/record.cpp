#include "record.h"

#include "text/casing.h"
#include "text/win1252.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tavolex::records {

QString readField(const char* record, const FieldSpec& field) {
    const char* at = record + field.offset;
    const int length = std::min<int>(static_cast<unsigned char>(at[0]), field.capacity);
    return text::decode1252(at + 1, length);
}

QString readFieldTrimmed(const char* record, const FieldSpec& field) {
    return text::trimmed(readField(record, field));
}

Record::Record(const RecordLayout& layout)
    : m_layout(&layout), m_bytes(layout.recordSize(), '\0') {}

Record::Record(const RecordLayout& layout, QByteArray bytes) : m_layout(&layout) {
    setBytes(bytes);
}

void Record::setBytes(const QByteArray& bytes) {
    m_bytes = bytes;
    m_bytes.resize(m_layout->recordSize(), '\0');
}

void Record::clear() {
    m_bytes.fill('\0');
}

QString Record::text(int field) const {
    return readFieldTrimmed(m_bytes.constData(), m_layout->field(field));
}

QString Record::text(QStringView name) const {
    return text(checkedIndex(name));
}

void Record::setText(int field, const QString& value) {
    const FieldSpec& spec = m_layout->field(field);
    const QByteArray encoded = text::encode1252(text::trimmed(value)).left(spec.capacity);
    char* at = m_bytes.data() + spec.offset;
    std::memset(at, 0, spec.size());
    at[0] = static_cast<char>(encoded.size());
    std::memcpy(at + 1, encoded.constData(), encoded.size());
}

void Record::setText(QStringView name, const QString& value) {
    setText(checkedIndex(name), value);
}

std::optional<bool> flagValue(QStringView text) {
    if (text == QStringView(kYes)) return true;
    if (text == QStringView(kNo)) return false;
    return std::nullopt;
}

std::optional<bool> Record::flag(int field) const {
    return flagValue(text(field));
}

std::optional<bool> Record::flag(QStringView name) const {
    return flag(checkedIndex(name));
}

void Record::setFlag(int field, bool value) {
    setText(field, QString::fromUtf16(value ? kYes : kNo));
}

int Record::checkedIndex(QStringView name) const {
    const int index = m_layout->indexOf(name);
    if (index < 0) throw std::out_of_range("no such field: " + name.toString().toStdString());
    return index;
}

} // namespace tavolex::records
