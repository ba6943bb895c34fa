#pragma once

#include "records/folderstore.h"
#include "records/layout.h"
#include "records/record.h"

#include <QString>
#include <QStringList>
#include <functional>

// Shared pieces of the benchmark programs.
namespace tavolex::bench {

// The archive of the program folder's file at `path` ("…/2025.eur"), named by the catalogue, and
// the same file read directly as a record file.
records::ArchiveId archiveIdOf(const QString& path);
records::FileArchive archiveAt(const QString& path);

// A deterministic pick from a list of sample values.
QString pick(const QStringList& list, qint64 i, qint64 salt);

// Writes `count` records, each filled by `fill(i, record)` from a cleared buffer, in
// large blocks. False when the file cannot be written.
bool writeArchive(const QString& path, const records::RecordLayout& layout, qint64 count,
                  const std::function<void(qint64, records::Record&)>& fill);

// Times `generate(path)` and reports the archive it made ("generate <name>", its records
// and size). False, with the cause on standard error, when it could not be written.
bool generateTimed(const QString& path, qint64 records,
                   const std::function<bool(const QString&)>& generate);

// One line of figures: time, records per second and a note.
void report(const char* what, qint64 ms, qint64 records, const QString& note = {});

// Times `grep -c -i pattern` over the file, as a yardstick for the searches.
void reportGrep(const QString& pattern, const QString& path, const QString& shownName,
                qint64 records);

// Times `cp` of the file to a new file beside it, as a yardstick for writing as many bytes,
// then the same followed by `sync` of the copy (the flush to disk a safe write makes).
void reportCopy(const QString& path, const QString& shownName, qint64 records);

} // namespace tavolex::bench
