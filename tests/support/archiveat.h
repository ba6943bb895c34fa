#pragma once

#include "records/folderstore.h"

#include <QFileInfo>
#include <QtGlobal>

namespace tavolex::testing {

// The record file at `path` as an archive, its record size the catalogue's for the file's name
// ("2024.eur", "Clienti.pro").
inline records::FileArchive archiveAt(const QString& path) {
    const auto named = records::archiveNamed(QFileInfo(path).fileName());
    if (!named) qFatal("not an archive's name: %s", qPrintable(path));
    return records::FileArchive(path, named->entry->layout().recordSize());
}

} // namespace tavolex::testing
