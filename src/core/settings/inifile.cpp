#include "inifile.h"

#include "text/casing.h"
#include "text/win1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace tavolex::settings {

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList readLines(const QString& path, bool* ok = nullptr) {
    QFile file(path);
    if (ok)
        *ok = true;
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    QString content = text::decode1252(file.readAll());
    content.replace(u"\r\n"_s, u"\n"_s);
    content.replace(u'\r', u'\n');
    QStringList lines = content.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line end
    return lines;
}

bool isSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = text::trimmed(line);
    if (!t.startsWith(u'[') || !t.contains(u']'))
        return false;
    if (name)
        *name = text::trimmed(t.mid(1, t.indexOf(u']') - 1));
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return text::upperAZ(text::trimmed(a)) == text::upperAZ(text::trimmed(b));
}

// Key of a "key=value" line, or a null string for other lines.
QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || text::trimmed(line).startsWith(u';'))
        return {};
    return text::trimmed(line.left(eq));
}

} // namespace

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    bool inSection = false;
    for (const QString& line : readLines(m_path)) {
        QString name;
        if (isSectionLine(line, &name)) {
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection)
            continue;
        const QString lineKey = keyOf(line);
        if (!lineKey.isNull() && sameName(lineKey, key)) {
            QString value = text::trimmed(line.mid(line.indexOf(u'=') + 1));
            if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"')) ||
                                      (value.startsWith(u'\'') && value.endsWith(u'\''))))
                value = value.mid(1, value.size() - 2);
            return value;
        }
    }
    return defaultValue;
}

bool IniFile::isReadable() const {
    bool ok = true;
    readLines(m_path, &ok);
    return ok;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    bool ok = true;
    QStringList lines = readLines(m_path, &ok);
    if (!ok)
        return false;
    const QString newLine = key + u'=' + value;

    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype insertAt = -1;     // after the section's last non-blank line
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        QString name;
        if (isSectionLine(lines[i], &name)) {
            if (sectionStart >= 0)
                break; // past our section
            if (sameName(name, section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0)
            continue;
        const QString lineKey = keyOf(lines[i]);
        if (!lineKey.isNull() && sameName(lineKey, key)) {
            lines[i] = newLine;
            written = true;
        } else if (!text::trimmed(lines[i]).isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionStart >= 0) {
            lines.insert(insertAt, newLine);
        } else {
            lines << u'[' + section + u']' << newLine;
        }
    }

    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text::encode1252(lines.join(u"\r\n"_s) + u"\r\n"_s);
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace tavolex::settings
