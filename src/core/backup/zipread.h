#pragma once

// Reading a copy's zip, and the one rule by which a zip is judged a whole copy of this
// program: used alike by "Verifica", before a restore and by the read-back of a new copy.

#include "backupcopy.h"
#include "copycontent.h"

#include <QHash>
#include <archive.h>
#include <functional>
#include <locale.h>
#include <memory>

namespace tavolex::backup::zip {

struct ArchiveDeleter {
    void operator()(archive* a) const {
        if (a) archive_free(a);
    }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

inline constexpr qint64 kBlock = 1 << 20;

// libarchive converts names between UTF-8 and the locale's character set; under the plain
// "C" locale no accented name would survive. This thread works in C.UTF-8 meanwhile.
class Utf8Names {
public:
    Utf8Names();
    ~Utf8Names();
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous = locale_t(nullptr);
};

QString archiveError(archive* a);

// What reading a copy found: each file's digest, the manifest, the folders, and the
// password store's bytes (small, so they are judged without being extracted).
struct ReadCopy {
    // Off for the read-back of a copy just made: its digests were taken as it was written,
    // and the zip's own checksums (CRC-32, checked by the reader) show that it reads back.
    bool hashing = true;
    QHash<QString, QByteArray> digests;
    QByteArray manifest;
    QStringList folders;
    QByteArray passwordStore;
    QString unreadableEntry; // the entry whose data could not be read, if any
};

using DataSink = std::function<bool(const char* data, qint64 size)>;
struct Extraction {
    std::function<bool(const QString& name, bool folder)> begin;
    DataSink store;
    std::function<bool()> end;
};

// Reads every entry of a zip; an `extraction` (when given) also receives each entry.
// Refuses names that would leave the folder they are extracted to, links and special files.
bool readCopy(const QString& zipPath, ReadCopy& read, const Progress& progress, bool& cancelled,
              QString& cause, const Extraction& extraction = {});

// The judgement of what was read: whether it is a copy of this program at all (the mark,
// only the program's own entries, each listed, a readable password store), and which files
// do not match their digests.
struct Verdict {
    bool notACopy = false;
    QStringList damaged;
    QString cause;
    Manifest manifest;
    bool ok() const { return !notACopy && damaged.isEmpty(); }
};
Verdict judge(const ReadCopy& read);

// The system's own words for the last failed call (errno).
QString systemCause();

// A failed or cancelled operation; a failure's cause is logged.
Outcome failed(QString cause, Refusal refusal = Refusal::None, QStringList files = {});
Outcome cancelled();

} // namespace tavolex::backup::zip
