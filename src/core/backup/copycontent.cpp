#include "copycontent.h"

#include "backupcopy.h"
#include "records/archives.h"
#include "settings/programsettings.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <cctype>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace tavolex::backup {

using namespace Qt::StringLiterals;

namespace {

bool isKeptFolderName(const QString& name) {
    static const QRegularExpression practice(u"^Pratica_\\d+$"_s);
    return name == u"Documenti_Allegati"_s || practice.match(name).hasMatch();
}

bool isKeptTopFile(const QString& name) {
    return archiveRecordSize(name) > 0 || name == QStringView(settings::kProgramSettingsFile) ||
           name == QLatin1String(kPasswordStoreName);
}

// Earlier copies and their bookkeeping, which a copy never holds wherever they are.
bool isCopyMaterial(const QString& name) {
    return parseCopyFileName(name).has_value() || name == u"Verifiche.ini"_s ||
           name == u"Copie_di_sicurezza"_s ||
           (name.startsWith(u".Tavolex_"_s) && name.endsWith(u".partial"_s));
}

QByteArray escaped(const QString& name) {
    return name.toUtf8().replace("\\", "\\\\").replace("\n", "\\n");
}

QByteArray unescaped(const QByteArray& name) {
    QByteArray plain;
    plain.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 1 < name.size()) {
            plain += name[i + 1] == 'n' ? '\n' : name[i + 1];
            ++i;
        } else {
            plain += name[i];
        }
    }
    return plain;
}

constexpr QByteArrayView kMarkLine = "# Tavolex: copia di sicurezza, formato ";
constexpr QByteArrayView kFolderLine = "# cartella: ";

bool isHexDigest(QByteArrayView text) {
    if (text.size() != 64) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// A walk of the program folder on the names' own bytes, following links, that keeps the
// folders on the way down so that a link back up is noticed instead of followed for ever.
class FolderWalk {
public:
    explicit FolderWalk(Inventory& found) : m_found(found) {}

    void walk(const QByteArray& absolute, const QString& relative) {
        DIR* dir = ::opendir(absolute.constData());
        if (!dir) {
            m_found.unusable << relative;
            return;
        }
        std::vector<QByteArray> names;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArrayView name(entry->d_name);
            if (name == "." || name == "..") continue;
            names.emplace_back(name.toByteArray());
        }
        ::closedir(dir);
        for (const QByteArray& raw : names)
            visit(absolute + '/' + raw, relative, raw);
    }

private:
    void visit(const QByteArray& absolute, const QString& parent, const QByteArray& raw) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = utf8.decode(raw);
        const QString relative = parent.isEmpty() ? name : parent + u'/' + name;
        const bool topLevel = parent.isEmpty();
        struct stat info {};
        const bool reached = ::stat(absolute.constData(), &info) == 0;
        const bool folder = reached && S_ISDIR(info.st_mode);
        // At the top only the program's own names matter; below, everything but copies.
        if (topLevel ? !isKeptPath(name, folder) : isCopyMaterial(name)) return;
        if (utf8.hasError() || !reached || (!folder && !S_ISREG(info.st_mode))) {
            m_found.unusable << relative;
            return;
        }
        if (!folder) {
            m_found.files << relative;
            return;
        }
        const QPair<dev_t, ino_t> identity{info.st_dev, info.st_ino};
        if (m_onTheWay.contains(identity)) {
            m_found.unusable << relative;
            return;
        }
        m_found.folders << relative;
        m_onTheWay.insert(identity);
        walk(absolute, relative);
        m_onTheWay.remove(identity);
    }

    Inventory& m_found;
    QSet<QPair<dev_t, ino_t>> m_onTheWay;
};

} // namespace

int archiveRecordSize(const QString& fileName) {
    const std::optional<records::NamedArchive> named = records::archiveNamed(fileName);
    return named ? named->entry->layout().recordSize() : 0;
}

bool isKeptPath(const QString& relativePath, bool folder) {
    if (relativePath.isEmpty() || relativePath.contains(QChar(0))) return false;
    const QStringList parts = relativePath.split(u'/');
    for (const QString& part : parts) {
        if (part.isEmpty() || part == u"."_s || part == u".."_s) return false;
    }
    if (parts.size() == 1) return folder ? isKeptFolderName(parts[0]) : isKeptTopFile(parts[0]);
    if (!isKeptFolderName(parts[0])) return false;
    for (const QString& part : parts) {
        if (isCopyMaterial(part)) return false;
    }
    return true;
}

QByteArray Manifest::text() const {
    QByteArray out = kMarkLine.toByteArray() + QByteArray::number(format) + '\n';
    QStringList sortedFolders = folders;
    sortedFolders.sort();
    for (const QString& folder : sortedFolders)
        out += kFolderLine.toByteArray() + escaped(folder) + '\n';
    QStringList names = digests.keys();
    names.sort();
    for (const QString& name : names) {
        // sha256sum's own form: a line holding an escaped name starts with a backslash.
        const QByteArray plain = name.toUtf8();
        const bool escape = plain.contains('\\') || plain.contains('\n');
        out += (escape ? "\\" : "") + digests.value(name) + "  " +
               (escape ? escaped(name) : plain) + '\n';
    }
    return out;
}

bool Manifest::parse(const QByteArray& text, Manifest& manifest) {
    manifest = Manifest();
    bool first = true;
    for (const QByteArray& whole : text.split('\n')) {
        if (whole.isEmpty()) continue;
        const QByteArrayView line(whole);
        if (line.startsWith('#')) {
            if (first && line.startsWith(kMarkLine)) {
                bool ok = false;
                manifest.format = line.sliced(kMarkLine.size()).toInt(&ok);
                if (!ok) manifest.format = 0;
            } else if (line.startsWith(kFolderLine)) {
                manifest.folders << QString::fromUtf8(
                    unescaped(line.sliced(kFolderLine.size()).toByteArray()));
            }
            first = false;
            continue;
        }
        first = false;
        const bool escape = line.startsWith('\\');
        const QByteArrayView body = escape ? line.sliced(1) : line;
        if (body.size() < 67 || !isHexDigest(body.first(64)) || body.sliced(64, 2) != "  ")
            return false;
        const QByteArray name =
            escape ? unescaped(body.sliced(66).toByteArray()) : body.sliced(66).toByteArray();
        if (manifest.digests.contains(QString::fromUtf8(name))) return false;
        manifest.digests.insert(QString::fromUtf8(name), body.first(64).toByteArray().toLower());
    }
    return !manifest.digests.isEmpty();
}

Inventory inventory(const QString& programFolder) {
    Inventory found;
    FolderWalk(found).walk(QFile::encodeName(programFolder), QString());
    found.folders.sort();
    found.files.sort();
    found.unusable.sort();
    return found;
}

} // namespace tavolex::backup
