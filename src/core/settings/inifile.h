#pragma once

#include "files/safewrite.h"

#include <QString>

namespace tavolex::settings {

// INI files as a Windows program writes them: "[Section]" lines, "key=value" lines,
// CR LF line ends, Windows-1252 text. Read fresh at every call; nothing is cached.
// Section and key names match without regard to A-Z case; blanks around names and
// values are ignored when reading. A file edited by hand keeps its own line ends.
class IniFile {
public:
    // Larger files are refused as unreadable.
    static constexpr qint64 kMaxBytes = 64 * 1024;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    // A missing file, section or key reads as defaultValue.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = {}) const;
    // Whether the file could be read at all (a missing file counts as readable and empty;
    // a folder, an unreadable file or one over kMaxBytes does not).
    bool isReadable() const;

    // Rewrites one key, keeping every other line as it was; the file is created on the
    // first write and replaced only once the new content is complete. A line break in
    // the value is written as a blank, so a value can never add lines of its own.
    // A file that cannot be read is not rewritten (its other keys would be lost).
    files::WriteResult writeString(const QString& section, const QString& key,
                                   const QString& value);

    const QString& path() const { return m_path; }

private:
    QString m_path;
};

} // namespace tavolex::settings
