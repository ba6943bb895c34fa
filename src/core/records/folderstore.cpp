#include "folderstore.h"

#include "recordfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <ctime>
#include <sys/stat.h>

namespace tavolex::records {

using namespace Qt::StringLiterals;

namespace {

class OpenFile : public OpenArchive {
public:
    OpenFile(const QString& path, int size) : m_file(path, size) {}

    bool open() { return m_file.open() || fail(); }

    qint64 count() override { return m_file.isOpen() ? m_file.count() : (fail(), -1); }
    bool read(qint64 k, QByteArray& record) override { return m_file.read(k, record) || fail(); }
    qint64 append(const QByteArray& record) override {
        const qint64 k = m_file.append(record);
        if (k == 0) fail();
        return k;
    }
    WriteOutcome overwrite(qint64 k, const QByteArray& expected,
                           const QByteArray& record) override {
        switch (m_file.replace(k, expected, record)) {
        case RecordFile::Replaced::Yes:
            return WriteOutcome::Written;
        case RecordFile::Replaced::Changed:
            m_error = {m_file.path(), u"record %1 was changed since it was read"_s.arg(k)};
            return WriteOutcome::Conflict;
        case RecordFile::Replaced::Failed:
            break;
        }
        fail();
        return WriteOutcome::Failed;
    }
    bool close() override { return m_file.close() || fail(); }

private:
    bool fail() {
        m_error = {m_file.path(), m_file.errorString()};
        return false;
    }

    RecordFile m_file;
};

qint64 nanoseconds(const timespec& t) {
    return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

FileArchive::FileArchive(QString path, int recordSize)
    : m_path(std::move(path)), m_size(recordSize) {}

bool FileArchive::exists() const {
    const QFileInfo info(m_path);
    return info.exists() || info.isSymLink();
}

std::unique_ptr<OpenArchive> FileArchive::open(StoreError* error) const {
    auto file = std::make_unique<OpenFile>(m_path, m_size);
    if (file->open()) return file;
    if (error) *error = file->error();
    return nullptr;
}

bool FileArchive::prepare(StoreError* error) const {
    const std::unique_ptr<OpenArchive> file = open(error);
    if (!file) return false;
    if (file->close()) return true;
    if (error) *error = file->error();
    return false;
}

bool FileArchive::scan(const BlockVisitor& visit, StoreError* error) const {
    if (!exists()) return true;
    QString cause;
    if (!QFileInfo::exists(m_path)) {
        // A link to nothing in the archive's place is there, and cannot be read.
        if (error) *error = {m_path, u"open: the link leads nowhere"_s};
        return false;
    }
    const bool read = RecordFile::scanBlocks(
        m_path, m_size,
        [&](qint64 first, const char* records, qint64 count) {
            return visit({.data = records, .first = first, .count = count, .size = m_size});
        },
        &cause);
    if (!read && error) *error = {m_path, cause};
    return read;
}

bool FileArchive::endsTorn() const {
    const QFileInfo info(m_path);
    return info.isFile() && info.size() % m_size != 0;
}

QByteArray FileArchive::version() const {
    struct stat st {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // A modification time in the same tick as now, or ahead of it, tells nothing.
    if (nanoseconds(now) - nanoseconds(st.st_mtim) < kTimeGrainNs) return {};
    // The change time moves also for a program that writes and then puts the modification
    // time back; device and inode tell a file put in the archive's place.
    const qint64 parts[] = {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
                            nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
    QByteArray mark(sizeof parts, Qt::Uninitialized);
    for (size_t i = 0; i < std::size(parts); ++i)
        qToLittleEndian(parts[i], mark.data() + i * sizeof(qint64));
    return mark;
}

FolderStore::FolderStore(QString folder)
    : m_folder([folder = std::move(folder)] { return folder; }) {}

FolderStore::FolderStore(std::function<QString()> folder) : m_folder(std::move(folder)) {}

QString FolderStore::pathOf(ArchiveId id) const {
    return QDir(m_folder()).filePath(id.fileName());
}

std::unique_ptr<Archive> FolderStore::archive(ArchiveId id) const {
    return std::make_unique<FileArchive>(pathOf(id), id.recordSize());
}

QList<int> FolderStore::years(const ArchiveEntry& entry) const {
    QList<int> years;
    if (!entry.isYearly()) return years;
    const QStringList names = QDir(m_folder())
                                  .entryList({u"*."_s + QString::fromUtf16(entry.extension)},
                                             QDir::AllEntries | QDir::System |
                                                 QDir::NoDotAndDotDot | QDir::CaseSensitive);
    for (const QString& name : names) {
        const std::optional<NamedArchive> named = archiveNamed(name);
        if (named && named->entry == &entry) years.append(named->year);
    }
    std::sort(years.begin(), years.end());
    return years;
}

} // namespace tavolex::records
