#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>

namespace tavolex::files {

// Opens `file` (its fileName()) like QFile::open, but only when it is a regular file: a
// named pipe, a device or a folder in its place is refused at once instead of waiting for
// a writer that never comes. The check is made on the opened descriptor, so a file
// swapped meanwhile cannot slip through. WriteOnly or ReadWrite create a missing file, as
// QFile::open does. On failure `error` (when given) says why. Qt keeps no name for a file
// opened so: fileName() is empty from then on (set it again before reopening).
bool openRegular(QFile& file, QIODevice::OpenMode mode, QString* error = nullptr);

} // namespace tavolex::files
