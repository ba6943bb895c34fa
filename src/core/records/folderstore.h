#pragma once

#include "store.h"

#include <functional>

namespace tavolex::records {

// One record file as an archive: any path and record size (the folder store's archives, and a
// copy's or a test's files). Reads and writes go through RecordFile, with its journal and lock.
class FileArchive : public Archive {
public:
    FileArchive(QString path, int recordSize);

    int recordSize() const override { return m_size; }
    QString name() const override { return m_path; }
    bool exists() const override;
    std::unique_ptr<OpenArchive> open(StoreError* error = nullptr) const override;
    bool prepare(StoreError* error = nullptr) const override;
    bool scan(const BlockVisitor& visit, StoreError* error = nullptr) const override;
    QByteArray version() const override;
    bool endsTorn() const override;

    const QString& path() const { return m_path; }

    // The file's modification time can be trusted to move with the next write only this
    // long after the last one: file times are kept in coarse ticks (a few milliseconds here,
    // two seconds on some file systems).
    static constexpr qint64 kTimeGrainNs = 2'000'000'000;

private:
    QString m_path;
    int m_size;
};

// The archives as record files in one folder, named as the catalogue says.
class FolderStore : public ArchiveStore {
public:
    explicit FolderStore(QString folder);
    // A folder that can change while the store lives (the program folder, which tests move).
    explicit FolderStore(std::function<QString()> folder);

    std::unique_ptr<Archive> archive(ArchiveId id) const override;
    QList<int> years(const ArchiveEntry& entry) const override;

    QString folder() const { return m_folder(); }
    QString pathOf(ArchiveId id) const;

private:
    std::function<QString()> m_folder;
};

} // namespace tavolex::records
