#pragma once

#include "archives.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace tavolex::records {

// Which archive: a catalogue entry and, for a yearly archive, its year as the year menus take
// it (trimmed: "2026"; any four characters typed are a year) — empty for a single archive.
struct ArchiveId {
    const ArchiveEntry* entry = nullptr;
    QString year;

    bool isValid() const { return entry != nullptr; }
    int recordSize() const { return entry->layout().recordSize(); }
    // "Clienti.pro", "2026.prt": the name the archive goes by in every store.
    QString fileName() const { return entry->fileName(year); }
    bool operator==(const ArchiveId&) const = default;
};
// A single archive, or a yearly one of a year in four digits (999 → "0999").
ArchiveId archiveId(ArchiveKind kind, int year = 0);
// A yearly archive of a year as typed (trimmed).
ArchiveId archiveOfYear(ArchiveKind kind, const QString& yearText);

// Why an archive could not be reached: which archive (as messages and the log name it: a
// file's path, or the archive on the server) and the cause.
struct StoreError {
    QString archive;
    QString cause;

    // "<archive>: <cause>", as the log and the access error show it.
    QString text() const;
};

// Whole records read in one go: `count` records of `size` bytes each, one after another, the
// first of them record number `first` (counted from 1).
struct RecordBlock {
    const char* data = nullptr;
    qint64 first = 1;
    qint64 count = 0;
    int size = 0;

    const char* record(qint64 i) const { return data + i * size; }
    qint64 number(qint64 i) const { return first + i; }
};

// What an overwrite did. Conflict: the record no longer holds what the caller read (another
// program or station wrote it since), and nothing was written.
enum class WriteOutcome { Written, Conflict, Failed };

// An archive opened for one action (a card's save, a move to the next record), closed when it
// is dropped or by close(). Records are numbered from 1. Every failing call records its cause
// in error().
class OpenArchive {
public:
    virtual ~OpenArchive() = default;

    // Whole records only: -1 when the archive cannot be measured.
    virtual qint64 count() = 0;
    // Record k as stored; false for a record outside the archive too.
    virtual bool read(qint64 k, QByteArray& record) = 0;
    // Adds a record after the last one: its number, or 0 after failing. Two programs appending
    // at once never get the same number, and no number is left out.
    virtual qint64 append(const QByteArray& record) = 0;
    // Writes record k over, only while it still holds `expected` (the bytes the caller read):
    // an update is never lost to a write it did not see.
    virtual WriteOutcome overwrite(qint64 k, const QByteArray& expected,
                                   const QByteArray& record) = 0;
    // Makes everything written so far last; false when that failed.
    virtual bool close() = 0;

    const StoreError& error() const { return m_error; }

protected:
    StoreError m_error;
};

// Reading every record: called with each block of whole records in order; false stops.
using BlockVisitor = std::function<bool(const RecordBlock&)>;

// One archive of a store, named but not opened: opening, scanning and measuring it are
// separate actions, each complete in itself.
class Archive {
public:
    virtual ~Archive() = default;

    virtual int recordSize() const = 0;
    // The archive as messages and the log name it.
    virtual QString name() const = 0;
    // Whether there is an archive by this name (a yearly archive exists once its year was
    // opened), also one that cannot be read.
    virtual bool exists() const = 0;

    // Opens for reading and writing, creating a missing archive empty. Null after failing,
    // with the cause in `error`.
    virtual std::unique_ptr<OpenArchive> open(StoreError* error = nullptr) const = 0;
    // What opening does to a missing archive, for screens that only read: they see the archive
    // the card sees. False, with the cause, when it cannot be made or reached.
    virtual bool prepare(StoreError* error = nullptr) const = 0;
    // Every whole record in order, in blocks, without creating a missing archive (which has
    // none). False only when the archive exists but cannot be read; a record torn at the end
    // is not visited.
    virtual bool scan(const BlockVisitor& visit, StoreError* error = nullptr) const = 0;
    // Whether the archive ends in a record cut short, which no scan visits (a record file
    // whose size is not a whole number of records).
    virtual bool endsTorn() const { return false; }

    // A mark of the archive's present contents: any write since gives another mark (also one
    // by another program). Empty when no mark can be trusted (a missing archive, or one
    // written too recently to tell a later write apart).
    virtual QByteArray version() const = 0;
};

// Every whole record in order, one at a time, with its number (see Archive::scan).
bool forEachRecord(const Archive& archive, const std::function<bool(qint64, const char*)>& visit,
                   StoreError* error = nullptr);

// Where the archives are kept: a folder of record files, or a database server.
class ArchiveStore {
public:
    virtual ~ArchiveStore() = default;

    virtual std::unique_ptr<Archive> archive(ArchiveId id) const = 0;
    // The years a yearly archive exists for, in ascending order.
    virtual QList<int> years(const ArchiveEntry& entry) const = 0;
};

// The program's store: the record files of the program folder, unless one was set.
const ArchiveStore& archiveStore();
// Sets the store every archive is reached through from now on; null goes back to the program
// folder's.
void setArchiveStore(std::unique_ptr<ArchiveStore> store);

// An archive of the program's store.
std::unique_ptr<Archive> programArchive(ArchiveId id);
inline std::unique_ptr<Archive> programArchive(ArchiveKind kind, int year = 0) {
    return programArchive(archiveId(kind, year));
}

} // namespace tavolex::records
