#include "backupcopy.h"

#include "files/log.h"
#include "files/regularfile.h"
#include "files/safewrite.h"
#include "files/sha256.h"
#include "records/folderstore.h"
#include "zipread.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolex::backup {

using namespace Qt::StringLiterals;
using zip::ArchivePtr;
using zip::failed;
using zip::kBlock;
using zip::systemCause;

namespace {

const QString kStamp = u"yyyy-MM-dd_HH-mm-ss"_s;
const QString kAutoSuffix = u"_auto"_s;
const QString kBeforeRestoreSuffix = u"_prima_del_ripristino"_s;
// Two copies asked for within one second: the later takes the next free second.
constexpr int kMaxNameTries = 60;

// Settles every journal an interrupted overwrite left, so the copy holds whole records.
void settleJournals(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const QString& journal : folder.entryList({u"*.journal"_s}, QDir::Files | QDir::Hidden)) {
        const QString archive = journal.chopped(int(qstrlen(".journal")));
        const int size = archiveRecordSize(archive);
        if (size == 0) continue;
        records::FileArchive(folder.filePath(archive), size).prepare();
    }
}

// The canonical form of a folder that may not exist yet: its nearest existing parent made
// canonical, with the rest of the path after it.
QString canonicalFolder(const QString& folder) {
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing) break;
        rest = QFileInfo(existing).fileName() + (rest.isEmpty() ? QString() : u'/' + rest);
        existing = parent;
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + u'/' + rest);
}

bool isWithin(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// Where the zip's bytes go. A failed write (a full disk, a removed stick) is recorded and the
// rest is dropped, while libarchive is told all went well: so it always ends its compressor
// and frees what it holds, and the copy is discarded on the recorded failure.
struct ZipOutput {
    int fd = -1;
    bool failed = false;
    QString cause;

    static la_ssize_t write(archive*, void* self, const void* buffer, size_t length) {
        auto* out = static_cast<ZipOutput*>(self);
        const char* at = static_cast<const char*>(buffer);
        size_t left = out->failed ? 0 : length;
        while (left > 0) {
            const ssize_t written = ::write(out->fd, at, left);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                if (written == 0) errno = ENOSPC;
                out->failed = true;
                out->cause = systemCause();
                break;
            }
            at += written;
            left -= size_t(written);
        }
        return la_ssize_t(length);
    }
};

using EntryPtr = std::unique_ptr<archive_entry, decltype(&archive_entry_free)>;

EntryPtr newEntry(const QString& name, mode_t type, qint64 size, qint64 mtime) {
    EntryPtr entry(archive_entry_new(), &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), type);
    archive_entry_set_perm(entry.get(), type == AE_IFDIR ? 0700 : 0600);
    if (type == AE_IFREG) archive_entry_set_size(entry.get(), size);
    archive_entry_set_mtime(entry.get(), mtime, 0);
    return entry;
}

// The zip being written, with the digests of what went into it.
class CopyWriter {
public:
    CopyWriter(archive* zip, const ZipOutput& output, qint64 total, const Progress& progress,
               qint64 stamp)
        : m_zip(zip), m_output(output), m_total(total), m_progress(progress), m_stamp(stamp) {}

    bool cancelled = false;
    QString cause;

    // A record archive is read under its shared advisory lock, so no append or overwrite
    // runs meanwhile. A link is followed: what it points to is the user's file.
    bool addFile(const QString& absolutePath, const QString& name, QByteArray& digest) {
        QFile file(absolutePath);
        QString openError;
        if (!files::openRegular(file, QIODevice::ReadOnly, &openError)) {
            cause = name + u": "_s + openError;
            return false;
        }
        if (!name.contains(u'/') && archiveRecordSize(name) > 0) {
            int r;
            do {
                r = ::flock(file.handle(), LOCK_SH);
            } while (r != 0 && errno == EINTR);
        }
        struct stat info {};
        if (::fstat(file.handle(), &info) != 0) {
            cause = name + u": "_s + systemCause();
            return false;
        }
        const qint64 size = info.st_size;
        const EntryPtr entry = newEntry(name, AE_IFREG, size, info.st_mtim.tv_sec);
        if (archive_write_header(m_zip, entry.get()) != ARCHIVE_OK) {
            cause = name + u": "_s + zip::archiveError(m_zip);
            return false;
        }
        files::Sha256 hash;
        QByteArray block(kBlock, Qt::Uninitialized);
        qint64 left = size;
        while (left > 0) {
            const qint64 got = file.read(block.data(), std::min(left, kBlock));
            if (got <= 0) {
                cause = name + u": the file changed while it was copied"_s;
                return false;
            }
            hash.add(QByteArrayView(block.constData(), got));
            if (archive_write_data(m_zip, block.constData(), size_t(got)) != got) {
                cause = name + u": "_s + zip::archiveError(m_zip);
                return false;
            }
            if (m_output.failed) {
                cause = name + u": "_s + m_output.cause;
                return false;
            }
            left -= got;
            m_done += got;
            if (m_progress && !m_progress(m_done, m_total)) {
                cancelled = true;
                return false;
            }
        }
        digest = hash.hex();
        return true;
    }

    bool addBytes(const QString& name, const QByteArray& bytes) {
        const EntryPtr entry = newEntry(name, AE_IFREG, bytes.size(), m_stamp);
        if (archive_write_header(m_zip, entry.get()) != ARCHIVE_OK ||
            archive_write_data(m_zip, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
            cause = name + u": "_s + zip::archiveError(m_zip);
            return false;
        }
        return true;
    }

    bool addFolder(const QString& name) {
        const EntryPtr entry = newEntry(name + u'/', AE_IFDIR, 0, m_stamp);
        if (archive_write_header(m_zip, entry.get()) != ARCHIVE_OK) {
            cause = name + u": "_s + zip::archiveError(m_zip);
            return false;
        }
        return true;
    }

private:
    archive* m_zip;
    const ZipOutput& m_output;
    qint64 m_total;
    const Progress& m_progress;
    qint64 m_stamp;
    qint64 m_done = 0;
};

// Writes the zip of `found` to `fd`; the manifest goes last.
bool writeZip(int fd, const QString& programFolder, const Inventory& found, qint64 stamp,
              const Progress& progress, bool& cancelled, QString& cause) {
    qint64 total = 0;
    for (const QString& name : found.files)
        total += QFileInfo(QDir(programFolder).filePath(name)).size();
    ArchivePtr zip(archive_write_new());
    archive_write_set_format_zip(zip.get());
    archive_write_set_options(zip.get(), "zip:compression-level=1,zip:hdrcharset=UTF-8");
    archive_write_set_bytes_in_last_block(zip.get(), 1);
    ZipOutput output{fd};
    if (archive_write_open(zip.get(), &output, nullptr, &ZipOutput::write, nullptr) != ARCHIVE_OK) {
        cause = zip::archiveError(zip.get());
        return false;
    }
    CopyWriter writer(zip.get(), output, total, progress, stamp);
    Manifest manifest;
    manifest.format = kCopyFormat;
    manifest.folders = found.folders;
    bool ok = true;
    for (const QString& folder : found.folders) {
        if (!(ok = writer.addFolder(folder))) break;
    }
    for (qsizetype i = 0; ok && i < found.files.size(); ++i) {
        const QString& name = found.files[i];
        QByteArray digest;
        ok = writer.addFile(QDir(programFolder).filePath(name), name, digest);
        if (ok) manifest.digests.insert(name, digest);
    }
    if (ok) ok = writer.addBytes(QLatin1String(kManifestName), manifest.text());
    cause = writer.cause;
    cancelled = writer.cancelled;
    // Closed in every case, so that the compressor is ended; on a failure what it writes
    // goes nowhere.
    if (archive_write_close(zip.get()) != ARCHIVE_OK && ok) {
        cause = zip::archiveError(zip.get());
        ok = false;
    }
    if (ok && output.failed) {
        cause = output.cause;
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        cause = u"sync: "_s + systemCause();
        ok = false;
    }
    return ok;
}

// A copy just written must read back as a whole copy of this program, holding exactly the
// files its manifest lists; the zip's own checksums show that the bytes read back.
bool readsBack(const QString& partPath, QString& cause) {
    zip::ReadCopy read;
    read.hashing = false;
    bool stopped = false;
    if (!zip::readCopy(partPath, read, {}, stopped, cause)) return false;
    const zip::Verdict verdict = zip::judge(read);
    if (!verdict.ok()) {
        cause = verdict.cause;
        return false;
    }
    return true;
}

} // namespace

QString copyFileName(const QDateTime& made, Kind kind) {
    const QString suffix = kind == Kind::Automatic       ? kAutoSuffix
                           : kind == Kind::BeforeRestore ? kBeforeRestoreSuffix
                                                         : QString();
    return u"Tavolex_"_s + made.toString(kStamp) + suffix + u".zip"_s;
}

std::optional<CopyName> parseCopyFileName(const QString& fileName) {
    static const QRegularExpression pattern(
        u"^Tavolex_(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d)(_auto|_prima_del_ripristino)?\\.zip$"_s);
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch()) return std::nullopt;
    const QDateTime made = QDateTime::fromString(m.captured(1), kStamp);
    if (!made.isValid()) return std::nullopt;
    const QString suffix = m.captured(2);
    const Kind kind = suffix == kAutoSuffix            ? Kind::Automatic
                      : suffix == kBeforeRestoreSuffix ? Kind::BeforeRestore
                                                       : Kind::Manual;
    return CopyName{made, kind};
}

QList<FoundCopy> findCopies(const QString& folder) {
    QList<FoundCopy> found;
    const QFileInfoList entries =
        QDir(folder).entryInfoList({u"Tavolex_*.zip"_s}, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& info : entries) {
        const std::optional<CopyName> name = parseCopyFileName(info.fileName());
        if (!name) continue;
        found << FoundCopy{info.absoluteFilePath(), name->made, name->kind, info.size()};
    }
    std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return found;
}

Refusal checkCopiesFolder(const QString& programFolder, const QString& backupFolder) {
    const QString program = canonicalFolder(programFolder);
    const QString copies = canonicalFolder(backupFolder);
    if (copies == program) return Refusal::FolderIsProgramFolder;
    if (isWithin(copies, program)) {
        const QString first = copies.mid(program.size() + 1).section(u'/', 0, 0);
        if (isKeptPath(first, true)) return Refusal::FolderInsideCopy;
    }
    // A kept folder may be a link to another place: copies inside that place too would
    // end up in every copy.
    const QFileInfoList top =
        QDir(programFolder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : top) {
        if (!info.isSymLink() || !isKeptPath(info.fileName(), true)) continue;
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty() && isWithin(copies, target)) return Refusal::FolderInsideCopy;
    }
    return Refusal::None;
}

void removeUnfinishedCopies(const QString& backupFolder) {
    const QDir folder(backupFolder);
    for (const QString& name :
         folder.entryList({u".Tavolex_*.zip.partial"_s}, QDir::Files | QDir::Hidden)) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        // A copy being written holds its file locked.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.constData());
        ::close(fd);
    }
}

std::optional<int> countFiles(const QString& zipPath) {
    const files::CryptoThreadScope cryptoScope;
    const zip::Utf8Names utf8Names;
    ArchivePtr zip(archive_read_new());
    archive_read_support_format_zip_seekable(zip.get());
    if (archive_read_open_filename(zip.get(), QFile::encodeName(zipPath).constData(), kBlock) !=
        ARCHIVE_OK)
        return std::nullopt;
    int files = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(zip.get(), &entry);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) return std::nullopt;
        const char* name = archive_entry_pathname_utf8(entry);
        if (archive_entry_filetype(entry) == AE_IFREG &&
            !(name && qstrcmp(name, kManifestName) == 0))
            ++files;
    }
    return files;
}

Outcome verifyCopy(const QString& zipPath, const Progress& progress) {
    const files::CryptoThreadScope cryptoScope;
    const zip::Utf8Names utf8Names;
    zip::ReadCopy read;
    bool cancelled = false;
    QString cause;
    if (!zip::readCopy(zipPath, read, progress, cancelled, cause)) {
        if (cancelled) return zip::cancelled();
        Outcome outcome = failed(zipPath + u": "_s + cause);
        outcome.path = zipPath;
        if (!read.unreadableEntry.isEmpty()) outcome.damaged = QStringList{read.unreadableEntry};
        return outcome;
    }
    const zip::Verdict verdict = zip::judge(read);
    Outcome outcome;
    outcome.path = zipPath;
    outcome.ok = verdict.ok();
    outcome.files = int(verdict.manifest.digests.size());
    outcome.damaged = verdict.damaged;
    outcome.cause = verdict.cause;
    if (verdict.notACopy) outcome.refusal = Refusal::NotACopy;
    if (!outcome.ok) qCWarning(lcFiles).noquote() << zipPath << outcome.cause;
    return outcome;
}

Outcome createCopy(const QString& programFolder, const QString& backupFolder, const QDateTime& made,
                   Kind kind, const Progress& progress) {
    const files::CryptoThreadScope cryptoScope;
    const zip::Utf8Names utf8Names;
    if (const Refusal refusal = checkCopiesFolder(programFolder, backupFolder);
        refusal != Refusal::None)
        return failed(backupFolder + u": not a folder for copies"_s, refusal);
    if (!QDir().mkpath(backupFolder)) return failed(backupFolder + u": cannot make the folder"_s);
    removeUnfinishedCopies(backupFolder);
    settleJournals(programFolder);
    const Inventory found = inventory(programFolder);
    if (!found.unusable.isEmpty())
        return failed(programFolder + u": cannot be copied: "_s + found.unusable.join(u", "_s),
                      Refusal::UnusableFiles, found.unusable);

    QDateTime stamp = made;
    QString finalPath, partPath;
    for (int tries = 0;; ++tries) {
        finalPath = QDir(backupFolder).filePath(copyFileName(stamp, kind));
        partPath = QDir(backupFolder).filePath(u'.' + copyFileName(stamp, kind) + u".partial"_s);
        if (!QFileInfo::exists(finalPath) && !QFileInfo(partPath).exists()) break;
        if (tries == kMaxNameTries) return failed(finalPath + u": already exists"_s);
        stamp = stamp.addSecs(1);
    }
    const QByteArray encodedPart = QFile::encodeName(partPath);
    const int fd =
        ::open(encodedPart.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return failed(partPath + u": "_s + systemCause());
    // Locked while written, so that a later clean-up knows it is not left over.
    ::flock(fd, LOCK_EX);
    auto discard = [&](Outcome outcome) {
        ::unlink(encodedPart.constData());
        return outcome;
    };
    QString cause;
    bool cancelled = false;
    const bool written =
        writeZip(fd, programFolder, found, stamp.toSecsSinceEpoch(), progress, cancelled, cause);
    ::close(fd);
    if (!written) return discard(cancelled ? zip::cancelled() : failed(partPath + u": "_s + cause));
    if (!readsBack(partPath, cause)) return discard(failed(partPath + u": read back: "_s + cause));
    if (::rename(encodedPart.constData(), QFile::encodeName(finalPath).constData()) != 0)
        return discard(failed(finalPath + u": "_s + systemCause()));
    files::syncFolder(backupFolder);
    Outcome outcome;
    outcome.ok = true;
    outcome.path = finalPath;
    outcome.files = int(found.files.size());
    return outcome;
}

QStringList rotateAutomaticCopies(const QString& backupFolder, int keep) {
    QStringList removed;
    int seen = 0;
    for (const FoundCopy& copy : findCopies(backupFolder)) {
        if (copy.kind != Kind::Automatic) continue;
        if (++seen <= keep) continue;
        if (QFile::remove(copy.path)) removed << copy.path;
    }
    return removed;
}

bool hasAutomaticCopyOf(const QString& backupFolder, const QDate& day) {
    for (const FoundCopy& copy : findCopies(backupFolder)) {
        if (copy.kind == Kind::Automatic && copy.made.date() == day) return true;
    }
    return false;
}

} // namespace tavolex::backup
