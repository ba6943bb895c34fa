#include "layout.h"

#include <stdexcept>

namespace tavolex::records {

RecordLayout::RecordLayout(QString name, std::initializer_list<FieldDecl> fields, int expectedSize)
    : m_name(std::move(name)) {
    for (const FieldDecl& decl : fields)
        m_fields.push_back({QString::fromUtf16(decl.name), decl.capacity, decl.kind, 0,
                            decl.caption ? QString::fromUtf16(decl.caption) : QString()});
    computeOffsets(expectedSize);
}

RecordLayout::RecordLayout(QString name, std::vector<FieldSpec> fields, int expectedSize)
    : m_name(std::move(name)), m_fields(std::move(fields)) {
    computeOffsets(expectedSize);
}

void RecordLayout::computeOffsets(int expectedSize) {
    int offset = 0;
    for (FieldSpec& field : m_fields) {
        if (field.kind == FieldKind::YesNo) field.capacity = 2;
        field.offset = offset;
        offset += field.size();
    }
    m_size = offset;
    // A layout that does not add up would misplace every record of the file.
    if (m_size != expectedSize)
        throw std::logic_error("record layout size mismatch: " + m_name.toStdString());
}

int RecordLayout::indexOf(QStringView name) const {
    for (int i = 0; i < fieldCount(); ++i)
        if (m_fields[i].name == name) return i;
    return -1;
}

const FieldSpec& RecordLayout::field(QStringView name) const {
    const int index = indexOf(name);
    if (index < 0)
        qFatal("The record layout %s has no field %s", qPrintable(m_name),
               qPrintable(name.toString()));
    return m_fields[size_t(index)];
}

} // namespace tavolex::records
