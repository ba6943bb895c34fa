#include "store.h"

#include "folderstore.h"
#include "programfolder.h"
#include "text/casing.h"

#include <QMutex>

namespace tavolex::records {

using namespace Qt::StringLiterals;

ArchiveId archiveId(ArchiveKind kind, int year) {
    const ArchiveEntry& entry = archiveEntry(kind);
    if (!entry.isYearly()) return {&entry, {}};
    return {&entry, u"%1"_s.arg(year, 4, 10, QChar(u'0'))};
}

ArchiveId archiveOfYear(ArchiveKind kind, const QString& yearText) {
    const ArchiveEntry& entry = archiveEntry(kind);
    return {&entry, entry.isYearly() ? text::trimmed(yearText) : QString()};
}

QString StoreError::text() const {
    return archive + u": "_s + cause;
}

bool forEachRecord(const Archive& archive, const std::function<bool(qint64, const char*)>& visit,
                   StoreError* error) {
    return archive.scan(
        [&visit](const RecordBlock& block) {
            for (qint64 i = 0; i < block.count; ++i)
                if (!visit(block.number(i), block.record(i))) return false;
            return true;
        },
        error);
}

namespace {

QMutex& storeMutex() {
    static QMutex mutex;
    return mutex;
}

std::unique_ptr<ArchiveStore>& setStore() {
    static std::unique_ptr<ArchiveStore> store;
    return store;
}

} // namespace

const ArchiveStore& archiveStore() {
    // The program folder's store follows the folder, which tests move.
    static const FolderStore programFolderStore([] { return programFolder(); });
    const QMutexLocker locker(&storeMutex());
    if (setStore()) return *setStore();
    return programFolderStore;
}

void setArchiveStore(std::unique_ptr<ArchiveStore> store) {
    const QMutexLocker locker(&storeMutex());
    setStore() = std::move(store);
}

std::unique_ptr<Archive> programArchive(ArchiveId id) {
    return archiveStore().archive(id);
}

} // namespace tavolex::records
