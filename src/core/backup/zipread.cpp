#include "zipread.h"

#include "files/log.h"
#include "files/sha256.h"
#include "security/passwordstore.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <archive_entry.h>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tavolex::backup::zip {

using namespace Qt::StringLiterals;

namespace {

// The password store is a few lines; anything larger is no store.
constexpr qint64 kMaxPasswordStore = 64 * 1024;

// A name from a zip that stays inside the folder it is extracted to. A backslash is an
// ordinary character of a name here.
bool isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(QChar(0))) return false;
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

// Whether the bytes hold a password store the password window can read.
bool isReadablePasswordStore(const QByteArray& bytes) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) return false;
    const QString path = scratch.filePath(QLatin1String(kPasswordStoreName));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
    file.close();
    bool ok = false;
    const QString stored = security::PasswordStore(path).storedPassword(&ok);
    return ok && !stored.isEmpty();
}

} // namespace

Utf8Names::Utf8Names() : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr))) {
    if (m_utf8) m_previous = uselocale(m_utf8);
}

Utf8Names::~Utf8Names() {
    if (!m_utf8) return;
    uselocale(m_previous);
    freelocale(m_utf8);
}

QString archiveError(archive* a) {
    const char* text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : u"archive error"_s;
}

bool readCopy(const QString& zipPath, ReadCopy& read, const Progress& progress, bool& cancelled,
              QString& cause, const Extraction& extraction) {
    ArchivePtr zip(archive_read_new());
    archive_read_support_format_zip(zip.get());
    if (archive_read_open_filename(zip.get(), QFile::encodeName(zipPath).constData(), kBlock) !=
        ARCHIVE_OK) {
        cause = archiveError(zip.get());
        return false;
    }
    const qint64 total = QFileInfo(zipPath).size();
    QByteArray block(kBlock, Qt::Uninitialized);
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
        QString name =
            utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(archive_entry_pathname(entry));
        const mode_t type = archive_entry_filetype(entry);
        if (!isSafeEntryName(name) || archive_entry_hardlink(entry) ||
            archive_entry_symlink(entry) || (type != AE_IFREG && type != AE_IFDIR)) {
            cause = u"refused entry: "_s + name;
            return false;
        }
        const bool folder = type == AE_IFDIR;
        if (name.endsWith(u'/')) name.chop(1);
        if (folder) {
            read.folders << name;
            if (extraction.begin && !extraction.begin(name, true)) return false;
            continue;
        }
        const bool isManifest = name == QLatin1String(kManifestName);
        const bool isStore = name == QLatin1String(kPasswordStoreName);
        if (read.digests.contains(name) || (isManifest && !read.manifest.isEmpty())) {
            cause = u"the same name twice: "_s + name;
            return false;
        }
        if (!isManifest && extraction.begin && !extraction.begin(name, false)) return false;
        files::Sha256 hash;
        for (;;) {
            const la_ssize_t got = archive_read_data(zip.get(), block.data(), size_t(kBlock));
            if (got == 0) break;
            if (got < 0) {
                read.unreadableEntry = name;
                cause = name + u": "_s + archiveError(zip.get());
                return false;
            }
            if (isManifest) {
                if (read.manifest.size() + got > (64 << 20)) {
                    cause = name + u": too large"_s;
                    return false;
                }
                read.manifest.append(block.constData(), got);
            } else {
                if (isStore && read.passwordStore.size() <= kMaxPasswordStore)
                    read.passwordStore.append(block.constData(), got);
                if (read.hashing) hash.add(QByteArrayView(block.constData(), got));
                if (extraction.store && !extraction.store(block.constData(), got)) return false;
            }
            if (!reportProgress(progress, archive_filter_bytes(zip.get(), -1), total)) {
                cancelled = true;
                return false;
            }
        }
        if (isManifest) continue;
        read.digests.insert(name, read.hashing ? hash.hex() : QByteArray());
        if (extraction.end && !extraction.end()) return false;
    }
    if (archive_read_close(zip.get()) != ARCHIVE_OK) {
        cause = archiveError(zip.get());
        return false;
    }
    return true;
}

Verdict judge(const ReadCopy& read) {
    Verdict verdict;
    auto notACopy = [&](QString why) {
        verdict.notACopy = true;
        verdict.cause = std::move(why);
        return verdict;
    };
    if (!Manifest::parse(read.manifest, verdict.manifest)) return notACopy(u"no manifest"_s);
    const Manifest& manifest = verdict.manifest;
    if (manifest.format != kCopyFormat)
        return notACopy(manifest.format == 0
                            ? u"no mark of a Tavolex copy"_s
                            : u"unknown copy format "_s + QString::number(manifest.format));
    for (auto it = manifest.digests.cbegin(); it != manifest.digests.cend(); ++it) {
        if (!isKeptPath(it.key())) return notACopy(u"not a file of the program: "_s + it.key());
    }
    for (const QString& folder : manifest.folders) {
        if (!isKeptPath(folder, true)) return notACopy(u"not a folder of the program: "_s + folder);
    }
    for (auto it = read.digests.cbegin(); it != read.digests.cend(); ++it) {
        if (!isKeptPath(it.key())) return notACopy(u"not a file of the program: "_s + it.key());
    }
    const QSet<QString> listedFolders(manifest.folders.cbegin(), manifest.folders.cend());
    const QSet<QString> readFolders(read.folders.cbegin(), read.folders.cend());
    if (listedFolders != readFolders) return notACopy(u"folders not as listed"_s);
    if (!manifest.digests.contains(QLatin1String(kPasswordStoreName)) ||
        !isReadablePasswordStore(read.passwordStore))
        return notACopy(u"no readable password store"_s);

    // Changed, missing, or not listed.
    for (auto it = manifest.digests.cbegin(); it != manifest.digests.cend(); ++it) {
        if (!read.digests.contains(it.key()) ||
            (read.hashing && read.digests.value(it.key()) != it.value()))
            verdict.damaged << it.key();
    }
    for (auto it = read.digests.cbegin(); it != read.digests.cend(); ++it) {
        if (!manifest.digests.contains(it.key())) verdict.damaged << it.key();
    }
    verdict.damaged.sort();
    if (!verdict.damaged.isEmpty()) verdict.cause = u"damaged: "_s + verdict.damaged.join(u", "_s);
    return verdict;
}

QString systemCause() {
    return QString::fromLocal8Bit(strerror(errno));
}

Outcome failed(QString cause, Refusal refusal, QStringList files) {
    Outcome outcome;
    outcome.cause = std::move(cause);
    outcome.refusal = refusal;
    outcome.damaged = std::move(files);
    qCWarning(lcFiles).noquote() << outcome.cause;
    return outcome;
}

Outcome cancelled() {
    Outcome outcome;
    outcome.cancelled = true;
    outcome.cause = u"cancelled"_s;
    return outcome;
}

} // namespace tavolex::backup::zip
