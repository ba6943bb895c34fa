#include "inifile.h"

#include "text/casing.h"
#include "text/win1252.h"

#include "files/regularfile.h"
#include "files/safewrite.h"

#include <QFile>
#include <QStringList>
#include <vector>

namespace tavolex::settings {

using namespace Qt::Literals::StringLiterals;

namespace {

// One line of the file with the line end that followed it ("" for a last line without one).
struct Line {
    QString text;
    QString end;
};

std::vector<Line> readLines(const QString& path, bool* ok = nullptr) {
    QFile file(path);
    if (ok) *ok = true;
    if (!file.exists()) return {};
    // A settings file is a few lines: anything larger is not one, and reading it whole
    // would only stall the program.
    // Only a regular file: a named pipe in its place would wait for a writer for good.
    if (!files::openRegular(file, QIODevice::ReadOnly) || file.size() > IniFile::kMaxBytes) {
        if (ok) *ok = false;
        return {};
    }
    const QByteArray bytes = file.read(IniFile::kMaxBytes + 1);
    if (bytes.size() > IniFile::kMaxBytes) {
        if (ok) *ok = false;
        return {};
    }
    const QString content = text::decode1252(bytes);
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content[i] != u'\r' && content[i] != u'\n') continue;
        const qsizetype endLength =
            (content[i] == u'\r' && i + 1 < content.size() && content[i + 1] == u'\n') ? 2 : 1;
        lines.push_back({content.mid(start, i - start), content.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < content.size()) lines.push_back({content.mid(start), QString()});
    return lines;
}

// The line end a new line gets: the file's own, CR LF for a new file.
QString lineEndOf(const std::vector<Line>& lines) {
    for (const Line& line : lines)
        if (!line.end.isEmpty()) return line.end;
    return u"\r\n"_s;
}

// A line break inside a name or value would add lines of its own to the file.
QString oneLine(QString s) {
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

bool isSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = text::trimmed(line);
    if (!t.startsWith(u'[') || !t.contains(u']')) return false;
    if (name) *name = text::trimmed(t.mid(1, t.indexOf(u']') - 1));
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return text::upperAZ(text::trimmed(a)) == text::upperAZ(text::trimmed(b));
}

// Key of a "key=value" line, or a null string for other lines.
QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0 || text::trimmed(line).startsWith(u';')) return {};
    return text::trimmed(line.left(eq));
}

} // namespace

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    bool inSection = false;
    for (const Line& entry : readLines(m_path)) {
        const QString& line = entry.text;
        QString name;
        if (isSectionLine(line, &name)) {
            inSection = sameName(name, section);
            continue;
        }
        if (!inSection) continue;
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

files::WriteResult IniFile::writeString(const QString& section, const QString& key,
                                        const QString& value) {
    bool ok = true;
    std::vector<Line> lines = readLines(m_path, &ok);
    if (!ok)
        return files::WriteResult::failure(u"read "_s + m_path +
                                           u": not a readable settings file"_s);
    const QString lineEnd = lineEndOf(lines);
    const QString newLine = oneLine(key) + u'=' + oneLine(value);

    qsizetype sectionStart = -1; // index of the section's header line
    qsizetype insertAt = -1;     // after the section's last non-blank line
    bool written = false;
    for (qsizetype i = 0; i < qsizetype(lines.size()) && !written; ++i) {
        const QString& line = lines[i].text;
        QString name;
        if (isSectionLine(line, &name)) {
            if (sectionStart >= 0) break; // past our section
            if (sameName(name, section)) {
                sectionStart = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionStart < 0) continue;
        const QString lineKey = keyOf(line);
        if (!lineKey.isNull() && sameName(lineKey, key)) {
            lines[i].text = newLine;
            written = true;
        } else if (!text::trimmed(line).isEmpty()) {
            insertAt = i + 1;
        }
    }
    if (!written) {
        if (sectionStart >= 0) {
            // The new line ends as the line before it did; that one then needs a line end.
            Line& before = lines[insertAt - 1];
            const QString end = before.end;
            if (before.end.isEmpty()) before.end = lineEnd;
            lines.insert(lines.begin() + insertAt, Line{newLine, end});
        } else {
            if (!lines.empty() && lines.back().end.isEmpty()) lines.back().end = lineEnd;
            lines.push_back({u'[' + oneLine(section) + u']', lineEnd});
            lines.push_back({newLine, lineEnd});
        }
    }

    QString content;
    for (const Line& line : lines)
        content += line.text + line.end;
    return files::replaceFile(m_path, text::encode1252(content));
}

} // namespace tavolex::settings
