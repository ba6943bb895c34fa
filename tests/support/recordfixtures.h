#pragma once

// Hand-made records and archives for the tests: a record with the named fields set,
// and a file holding records one after another.
#include "records/layout.h"
#include "records/record.h"

#include <QFile>
#include <QList>
#include <QString>
#include <initializer_list>
#include <utility>

namespace tavolex::test {

using FieldValues = std::initializer_list<std::pair<const char16_t*, QString>>;

inline records::Record makeRecord(const records::RecordLayout& layout, FieldValues values) {
    records::Record r(layout);
    for (const auto& [field, value] : values)
        r.setText(QStringView(field), value);
    return r;
}

// False when the file cannot be written.
inline bool writeRecords(const QString& path, const QList<records::Record>& records) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    for (const records::Record& r : records)
        if (f.write(r.bytes()) != r.bytes().size()) return false;
    return true;
}

} // namespace tavolex::test
