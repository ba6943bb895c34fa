#include "backupcopy.h"

#include "files/log.h"
#include "files/regularfile.h"
#include "files/sha256.h"
#include "records/layouts.h"
#include "records/recordfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavolex::backup {

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kBlock = 1 << 20;
const QString kStamp = u"yyyy-MM-dd_HH-mm-ss"_s;
const QString kAutoSuffix = u"_auto"_s;
const QString kBeforeRestoreSuffix = u"_prima_del_ripristino"_s;
// Work folders of a restore, inside the program folder; never part of a copy.
const QString kRestorePrefix = u".ripristino-"_s;

struct ArchiveDeleter {
    void operator()(archive* a) const {
        if (a) archive_free(a);
    }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveDeleter>;

// libarchive converts names between UTF-8 and the locale's character set; under the plain
// "C" locale no accented name would survive. This thread works in C.UTF-8 meanwhile.
class Utf8Names {
public:
    Utf8Names() : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr))) {
        if (m_utf8) m_previous = uselocale(m_utf8);
    }
    ~Utf8Names() {
        if (!m_utf8) return;
        uselocale(m_previous);
        freelocale(m_utf8);
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t m_utf8;
    locale_t m_previous = locale_t(nullptr);
};

QString archiveError(archive* a) {
    const char* text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : u"archive error"_s;
}

// The record size of a record archive named so, or 0 for any other file.
int recordSizeOf(const QString& fileName) {
    static const QRegularExpression yearly(u"^\\d{4}\\.(prt|sca|eur)$"_s);
    if (fileName == u"Clienti.pro"_s) return records::clientLayout().recordSize();
    if (fileName == u"Pratiche.pro"_s) return records::practiceLayout().recordSize();
    const QRegularExpressionMatch m = yearly.match(fileName);
    if (!m.hasMatch()) return 0;
    if (m.captured(1) == u"prt"_s) return records::protocolLayout().recordSize();
    if (m.captured(1) == u"sca"_s) return records::deadlineLayout().recordSize();
    return records::movementLayout().recordSize();
}

// Settles every journal an interrupted overwrite left, so the copy holds whole records.
void settleJournals(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const QString& journal : folder.entryList({u"*.journal"_s}, QDir::Files | QDir::Hidden)) {
        const QString archive = journal.chopped(int(qstrlen(".journal")));
        const int size = recordSizeOf(archive);
        if (size == 0) continue;
        records::RecordFile file(folder.filePath(archive), size);
        if (file.open()) file.close();
    }
}

// One line of `sha256sum` output; names holding a backslash or a line break are escaped as
// sha256sum escapes them.
QByteArray manifestLine(const QByteArray& hexDigest, const QString& name) {
    QByteArray encoded = name.toUtf8();
    if (!encoded.contains('\\') && !encoded.contains('\n'))
        return hexDigest + "  " + encoded + '\n';
    encoded.replace("\\", "\\\\").replace("\n", "\\n");
    return '\\' + hexDigest + "  " + encoded + '\n';
}

bool parseManifest(const QByteArray& text, QHash<QString, QByteArray>& digests) {
    for (QByteArray line : text.split('\n')) {
        if (line.isEmpty()) continue;
        bool escaped = line.startsWith('\\');
        if (escaped) line.remove(0, 1);
        const int gap = line.indexOf("  ");
        if (gap != 64) return false;
        QByteArray name = line.mid(gap + 2);
        if (escaped) {
            QByteArray plain;
            for (qsizetype i = 0; i < name.size(); ++i) {
                if (name[i] == '\\' && i + 1 < name.size()) {
                    plain += name[i + 1] == 'n' ? '\n' : name[i + 1];
                    ++i;
                } else {
                    plain += name[i];
                }
            }
            name = plain;
        }
        digests.insert(QString::fromUtf8(name), line.left(64).toLower());
    }
    return !digests.isEmpty();
}

// A name from a zip that stays inside the folder it is extracted to.
bool isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\') || name.contains(u'\0'))
        return false;
    QString trimmed = name;
    if (trimmed.endsWith(u'/')) trimmed.chop(1);
    const QStringList parts = trimmed.split(u'/');
    for (const QString& part : parts) {
        if (part.isEmpty() || part == u"."_s || part == u".."_s) return false;
    }
    return true;
}

bool reportProgress(const Progress& progress, qint64 done, qint64 total) {
    return !progress || progress(done, total);
}

Outcome failed(QString cause) {
    Outcome outcome;
    outcome.cause = std::move(cause);
    qCWarning(lcFiles).noquote() << outcome.cause;
    return outcome;
}

Outcome cancelledOutcome() {
    Outcome outcome;
    outcome.cancelled = true;
    outcome.cause = u"cancelled"_s;
    return outcome;
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
                out->failed = true;
                out->cause = QString::fromLocal8Bit(strerror(written < 0 ? errno : ENOSPC));
                break;
            }
            at += written;
            left -= size_t(written);
        }
        return la_ssize_t(length);
    }
};

// Adds one file of the program folder to the zip, hashing what it writes. A record archive
// is read under its shared advisory lock, so no append or overwrite runs meanwhile.
bool addFile(archive* zip, const ZipOutput& output, const QString& absolutePath,
             const QString& name, QByteArray& digest, qint64& done, qint64 total,
             const Progress& progress, bool& cancelled, QString& cause) {
    QFile file(absolutePath);
    QString openError;
    if (!files::openRegular(file, QIODevice::ReadOnly, &openError)) {
        cause = name + u": "_s + openError;
        return false;
    }
    const bool isArchive = recordSizeOf(QFileInfo(absolutePath).fileName()) > 0;
    if (isArchive) {
        int r;
        do {
            r = ::flock(file.handle(), LOCK_SH);
        } while (r != 0 && errno == EINTR);
    }
    struct stat info {};
    if (::fstat(file.handle(), &info) != 0) {
        cause = name + u": stat failed"_s;
        return false;
    }
    const qint64 size = info.st_size;

    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                        &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0600);
    archive_entry_set_size(entry.get(), size);
    archive_entry_set_mtime(entry.get(), info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    if (archive_write_header(zip, entry.get()) != ARCHIVE_OK) {
        cause = name + u": "_s + archiveError(zip);
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
        if (archive_write_data(zip, block.constData(), size_t(got)) != got) {
            cause = name + u": "_s + archiveError(zip);
            return false;
        }
        if (output.failed) {
            cause = name + u": "_s + output.cause;
            return false;
        }
        left -= got;
        done += got;
        if (!reportProgress(progress, done, total)) {
            cancelled = true;
            return false;
        }
    }
    digest = hash.hex();
    return true;
}

bool addBytes(archive* zip, const QString& name, const QByteArray& bytes, QString& cause) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                        &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0600);
    archive_entry_set_size(entry.get(), bytes.size());
    archive_entry_set_mtime(entry.get(), QDateTime::currentSecsSinceEpoch(), 0);
    if (archive_write_header(zip, entry.get()) != ARCHIVE_OK ||
        archive_write_data(zip, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
        cause = name + u": "_s + archiveError(zip);
        return false;
    }
    return true;
}

bool addFolder(archive* zip, const QString& name, QString& cause) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                        &archive_entry_free);
    archive_entry_set_pathname_utf8(entry.get(), (name + u'/').toUtf8().constData());
    archive_entry_set_filetype(entry.get(), AE_IFDIR);
    archive_entry_set_perm(entry.get(), 0700);
    archive_entry_set_mtime(entry.get(), QDateTime::currentSecsSinceEpoch(), 0);
    if (archive_write_header(zip, entry.get()) != ARCHIVE_OK) {
        cause = name + u": "_s + archiveError(zip);
        return false;
    }
    return true;
}

bool syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Walks a zip, handing each entry to `visit` with a reader of its data. Stops at the first
// entry `visit` refuses.
struct ZipEntry {
    QString name;
    bool folder = false;
};
using DataSink = std::function<bool(const char* data, qint64 size)>;
using EntryVisitor = std::function<bool(
    const ZipEntry& entry, const std::function<bool(const DataSink&)>& readData, QString& cause)>;

bool walkZip(const QString& zipPath, const EntryVisitor& visit, const Progress& progress,
             bool& cancelled, QString& cause) {
    ArchivePtr zip(archive_read_new());
    archive_read_support_format_zip(zip.get());
    if (archive_read_open_filename(zip.get(), QFile::encodeName(zipPath).constData(), kBlock) !=
        ARCHIVE_OK) {
        cause = archiveError(zip.get());
        return false;
    }
    const qint64 total = QFileInfo(zipPath).size();
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(zip.get(), &entry);
        if (r == ARCHIVE_EOF) break;
        // A warning is a name this locale cannot show; the entry's UTF-8 name still holds.
        if (r != ARCHIVE_OK && r != ARCHIVE_WARN) {
            cause = archiveError(zip.get());
            return false;
        }
        const char* utf8 = archive_entry_pathname_utf8(entry);
        const QString name =
            utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(entry));
        const mode_t type = archive_entry_filetype(entry);
        if (!isSafeEntryName(name) || archive_entry_hardlink(entry) ||
            archive_entry_symlink(entry) || (type != AE_IFREG && type != AE_IFDIR)) {
            cause = u"refused entry: "_s + name;
            return false;
        }
        ZipEntry seen{name, type == AE_IFDIR};
        if (seen.folder && name.endsWith(u'/')) seen.name.chop(1);
        auto readData = [&](const DataSink& sink) {
            QByteArray block(kBlock, Qt::Uninitialized);
            for (;;) {
                const la_ssize_t got = archive_read_data(zip.get(), block.data(), size_t(kBlock));
                if (got == 0) return true;
                if (got < 0) {
                    cause = name + u": "_s + archiveError(zip.get());
                    return false;
                }
                if (!sink(block.constData(), got)) return false;
                if (!reportProgress(progress, archive_filter_bytes(zip.get(), -1), total)) {
                    cancelled = true;
                    return false;
                }
            }
        };
        if (!visit(seen, readData, cause)) return false;
    }
    if (archive_read_close(zip.get()) != ARCHIVE_OK) {
        cause = archiveError(zip.get());
        return false;
    }
    return true;
}

// Reads a copy, hashing each file; `store` (when given) also receives each file's bytes.
struct ReadCopy {
    // Off for the read-back of a copy just made: its digests were taken as it was written,
    // and the zip's own checksums (CRC-32, checked by the reader) show that it reads back.
    bool hashing = true;
    QHash<QString, QByteArray> digests;
    QByteArray manifest;
    QStringList folders;
};

bool readCopy(const QString& zipPath, ReadCopy& read, const Progress& progress, bool& cancelled,
              QString& cause,
              const std::function<bool(const QString& name, bool folder)>& begin = {},
              const DataSink& store = {}, const std::function<bool()>& end = {}) {
    return walkZip(
        zipPath,
        [&](const ZipEntry& entry, const std::function<bool(const DataSink&)>& readData,
            QString& why) {
            if (entry.folder) {
                read.folders << entry.name;
                return !begin || begin(entry.name, true);
            }
            if (read.digests.contains(entry.name) ||
                (entry.name == QLatin1String(kManifestName) && !read.manifest.isEmpty())) {
                why = u"the same name twice: "_s + entry.name;
                return false;
            }
            const bool isManifest = entry.name == QLatin1String(kManifestName);
            if (!isManifest && begin && !begin(entry.name, false)) return false;
            files::Sha256 hash;
            const bool ok = readData([&](const char* data, qint64 size) {
                if (isManifest) {
                    if (read.manifest.size() + size > (64 << 20)) return false;
                    read.manifest.append(data, size);
                    return true;
                }
                if (read.hashing) hash.add(QByteArrayView(data, size));
                return !store || store(data, size);
            });
            if (!ok) return false;
            if (!isManifest) {
                read.digests.insert(entry.name, read.hashing ? hash.hex() : QByteArray());
                if (end && !end()) return false;
            }
            return true;
        },
        progress, cancelled, cause);
}

// The files that do not match the manifest: changed, missing, or not listed in it.
QStringList mismatches(const ReadCopy& read, const QHash<QString, QByteArray>& expected) {
    QStringList damaged;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (read.digests.value(it.key()) != it.value()) damaged << it.key();
    }
    for (auto it = read.digests.cbegin(); it != read.digests.cend(); ++it) {
        if (!expected.contains(it.key())) damaged << it.key();
    }
    damaged.sort();
    return damaged;
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

bool isKeptPath(const QString& relativePath) {
    const QString name = relativePath.section(u'/', -1);
    const bool topLevel = !relativePath.contains(u'/');
    if (name == u"tavolex"_s || name.endsWith(u".journal"_s) || name.startsWith(u"tavolex.lock"_s))
        return false;
    if (relativePath.startsWith(kRestorePrefix) ||
        (name == QLatin1String(kManifestName) && topLevel))
        return false;
    if (topLevel) {
        if (name == u"Guida.pdf"_s || name == u"Avviso.mp3"_s || name == u"installed-copy"_s)
            return false;
        const QString lower = name.toLower();
        if (lower.endsWith(u".xls"_s) || lower.endsWith(u".pdf"_s) || lower.endsWith(u".ics"_s))
            return false;
    }
    return true;
}

Inventory inventory(const QString& programFolder, const QString& backupFolder) {
    Inventory found;
    const QDir root(programFolder);
    const QString backupRoot = QFileInfo(backupFolder).absoluteFilePath();
    QDirIterator it(programFolder,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = root.relativeFilePath(info.absoluteFilePath());
        if (info.isSymLink()) continue;
        if (info.absoluteFilePath() == backupRoot ||
            info.absoluteFilePath().startsWith(backupRoot + u'/'))
            continue;
        if (!isKeptPath(relative)) continue;
        if (relative.section(u'/', 0, 0).startsWith(kRestorePrefix)) continue;
        if (info.isDir()) {
            found.folders << relative;
        } else if (info.isFile()) {
            found.files << relative;
        }
    }
    found.folders.sort();
    found.files.sort();
    return found;
}

std::optional<int> countFiles(const QString& zipPath) {
    const files::CryptoThreadScope cryptoScope;
    const Utf8Names utf8Names;
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
    const Utf8Names utf8Names;
    ReadCopy read;
    bool cancelled = false;
    QString cause;
    if (!readCopy(zipPath, read, progress, cancelled, cause)) {
        if (cancelled) return cancelledOutcome();
        Outcome outcome = failed(zipPath + u": "_s + cause);
        outcome.path = zipPath;
        return outcome;
    }
    Outcome outcome;
    outcome.path = zipPath;
    QHash<QString, QByteArray> expected;
    if (!parseManifest(read.manifest, expected)) {
        outcome.cause = u"no manifest"_s;
        qCWarning(lcFiles).noquote() << zipPath << outcome.cause;
        return outcome;
    }
    outcome.files = int(expected.size());
    outcome.damaged = mismatches(read, expected);
    outcome.ok = outcome.damaged.isEmpty();
    if (!outcome.ok) outcome.cause = u"damaged: "_s + outcome.damaged.join(u", "_s);
    return outcome;
}

Outcome createCopy(const QString& programFolder, const QString& backupFolder, const QDateTime& made,
                   Kind kind, const Progress& progress) {
    const files::CryptoThreadScope cryptoScope;
    const Utf8Names utf8Names;
    if (!QDir().mkpath(backupFolder)) return failed(backupFolder + u": cannot make the folder"_s);
    settleJournals(programFolder);
    const Inventory found = inventory(programFolder, backupFolder);
    qint64 total = 0;
    for (const QString& name : found.files)
        total += QFileInfo(QDir(programFolder).filePath(name)).size();

    const QString finalPath = QDir(backupFolder).filePath(copyFileName(made, kind));
    if (QFileInfo::exists(finalPath)) return failed(finalPath + u": already exists"_s);
    const QString partPath =
        QDir(backupFolder).filePath(u'.' + copyFileName(made, kind) + u".partial"_s);
    const QByteArray encodedPart = QFile::encodeName(partPath);
    const int fd = ::open(encodedPart.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return failed(partPath + u": "_s + QString::fromLocal8Bit(strerror(errno)));
    auto discard = [&](Outcome outcome) {
        ::unlink(encodedPart.constData());
        return outcome;
    };

    QString cause;
    bool cancelled = false;
    QByteArray manifest;
    {
        ArchivePtr zip(archive_write_new());
        archive_write_set_format_zip(zip.get());
        archive_write_set_options(zip.get(), "zip:compression-level=1,zip:hdrcharset=UTF-8");
        archive_write_set_bytes_in_last_block(zip.get(), 1);
        ZipOutput output{fd};
        if (archive_write_open(zip.get(), &output, nullptr, &ZipOutput::write, nullptr) !=
            ARCHIVE_OK) {
            ::close(fd);
            return discard(failed(partPath + u": "_s + archiveError(zip.get())));
        }
        bool ok = true;
        for (const QString& folder : found.folders) {
            if (!(ok = addFolder(zip.get(), folder, cause))) break;
        }
        qint64 done = 0;
        for (int i = 0; ok && i < found.files.size(); ++i) {
            const QString& name = found.files[i];
            QByteArray digest;
            ok = addFile(zip.get(), output, QDir(programFolder).filePath(name), name, digest, done,
                         total, progress, cancelled, cause);
            if (ok) manifest += manifestLine(digest, name);
        }
        if (ok) ok = addBytes(zip.get(), QLatin1String(kManifestName), manifest, cause);
        // Closed in every case, so that the compressor is ended; on a failure what it writes
        // goes nowhere.
        if (archive_write_close(zip.get()) != ARCHIVE_OK && ok) {
            cause = archiveError(zip.get());
            ok = false;
        }
        if (ok && output.failed) {
            cause = output.cause;
            ok = false;
        }
        if (ok && ::fsync(fd) != 0) {
            cause = u"sync: "_s + QString::fromLocal8Bit(strerror(errno));
            ok = false;
        }
        ::close(fd);
        if (!ok)
            return discard(cancelled ? cancelledOutcome() : failed(partPath + u": "_s + cause));
    }

    // Read back before it gets its name: a copy that cannot be read, or whose manifest does
    // not name exactly the files it holds, is no copy.
    {
        ReadCopy read;
        read.hashing = false;
        QHash<QString, QByteArray> expected;
        bool stopped = false;
        if (!readCopy(partPath, read, {}, stopped, cause))
            return discard(failed(partPath + u": read back: "_s + cause));
        if (!parseManifest(read.manifest, expected) ||
            QSet<QString>(expected.keyBegin(), expected.keyEnd()) !=
                QSet<QString>(read.digests.keyBegin(), read.digests.keyEnd()))
            return discard(failed(partPath + u": read back: the manifest does not match"_s));
    }
    if (::rename(encodedPart.constData(), QFile::encodeName(finalPath).constData()) != 0)
        return discard(failed(finalPath + u": "_s + QString::fromLocal8Bit(strerror(errno))));
    syncFolder(backupFolder);
    Outcome outcome;
    outcome.ok = true;
    outcome.path = finalPath;
    outcome.files = int(found.files.size());
    return outcome;
}

Outcome restoreCopy(const QString& zipPath, const QString& programFolder,
                    const Progress& progress) {
    const files::CryptoThreadScope cryptoScope;
    const Utf8Names utf8Names;
    QTemporaryDir extracted(QDir(programFolder).filePath(kRestorePrefix + u"XXXXXX"_s));
    if (!extracted.isValid()) return failed(programFolder + u": cannot make a work folder"_s);
    const QDir work(extracted.path());

    // Extract into the work folder, refusing any name a copy of this program cannot hold.
    ReadCopy read;
    bool cancelled = false;
    QString cause;
    QFile out;
    const bool readOk = readCopy(
        zipPath, read, progress, cancelled, cause,
        [&](const QString& name, bool folder) {
            if (!isKeptPath(name)) {
                cause = u"refused entry: "_s + name;
                return false;
            }
            if (folder) return QDir().mkpath(work.filePath(name));
            if (!QDir().mkpath(QFileInfo(work.filePath(name)).absolutePath())) return false;
            out.setFileName(work.filePath(name));
            return out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        },
        [&](const char* data, qint64 size) { return out.write(data, size) == size; },
        [&]() {
            const bool ok = out.flush();
            out.close();
            return ok && out.error() == QFileDevice::NoError;
        });
    if (!readOk) {
        if (cancelled) return cancelledOutcome();
        return failed(zipPath + u": "_s + (cause.isEmpty() ? out.errorString() : cause));
    }
    QHash<QString, QByteArray> expected;
    if (!parseManifest(read.manifest, expected)) return failed(zipPath + u": no manifest"_s);
    const QStringList damaged = mismatches(read, expected);
    if (!damaged.isEmpty()) {
        Outcome outcome = failed(zipPath + u": damaged: "_s + damaged.join(u", "_s));
        outcome.damaged = damaged;
        return outcome;
    }
    QStringList names = expected.keys();
    names.sort();

    // The swap: each present file goes aside, the restored one takes its place; a failure
    // half-way puts back every file moved so far.
    QTemporaryDir aside(QDir(programFolder).filePath(kRestorePrefix + u"XXXXXX"_s));
    if (!aside.isValid()) return failed(programFolder + u": cannot make a work folder"_s);
    struct Move {
        QString from, to;
    };
    QList<Move> done;
    auto undo = [&]() {
        for (auto it = done.crbegin(); it != done.crend(); ++it)
            QFile::rename(it->to, it->from);
    };
    const QDir root(programFolder);
    for (const QString& folder : read.folders)
        QDir().mkpath(root.filePath(folder));
    for (const QString& name : names) {
        const QString target = root.filePath(name);
        if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
            undo();
            return failed(target + u": cannot make its folder"_s);
        }
        if (QFileInfo(target).isFile() && !QFileInfo(target).isSymLink()) {
            const QString kept = QDir(aside.path()).filePath(name);
            QDir().mkpath(QFileInfo(kept).absolutePath());
            if (!QFile::rename(target, kept)) {
                undo();
                return failed(target + u": cannot be moved aside"_s);
            }
            done << Move{target, kept};
        } else if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
            undo();
            return failed(target + u": not a plain file"_s);
        }
        if (!QFile::rename(work.filePath(name), target)) {
            undo();
            return failed(target + u": cannot be put in place"_s);
        }
        done << Move{work.filePath(name), target};
    }
    syncFolder(programFolder);
    Outcome outcome;
    outcome.ok = true;
    outcome.path = zipPath;
    outcome.files = int(names.size());
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
