#include "chosenrecord.h"

#include "records/recordfile.h"
#include "text/casing.h"

namespace tavolex::ui {

std::optional<ChosenRecord> lastRecordWithLine(const QString& archivePath, int recordSize,
                                               const std::function<QString(const char*)>& lineOf,
                                               const QString& entry) {
    const QString wanted = text::trimmed(entry);
    if (wanted.isEmpty()) return std::nullopt;
    ChosenRecord last;
    const bool read =
        records::RecordFile::scan(archivePath, recordSize, [&](qint64 k, const char* record) {
            if (text::trimmed(lineOf(record)) == wanted) {
                // Copied: the scan's buffer is reused for the next records.
                last.bytes = QByteArray(record, recordSize);
                last.position = k;
            }
            return true;
        });
    // A read that fails part-way loads nothing rather than a record that may not be the last.
    if (!read || last.position == 0) return std::nullopt;
    return last;
}

} // namespace tavolex::ui
