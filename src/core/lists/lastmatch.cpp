#include "lastmatch.h"

#include "records/recordfile.h"
#include "text/casing.h"

namespace tavolex::lists {

bool findLastWithLine(const QString& archivePath, int recordSize,
                      const std::function<QString(const char*)>& lineOf, const QString& entry,
                      std::optional<ChosenRecord>* found) {
    found->reset();
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty()) return true;
    std::optional<ChosenRecord> last;
    const bool read =
        records::RecordFile::scan(archivePath, recordSize, [&](qint64 k, const char* record) {
            if (text::trimmed(lineOf(record)) == wanted)
                last =
                    ChosenRecord{QByteArray(record, recordSize), k}; // the scan reuses its buffer
            return true;
        });
    if (read) *found = std::move(last);
    return read;
}

} // namespace tavolex::lists
