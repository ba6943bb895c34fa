// INI files: one key written into a file of arbitrary content, then read back; every other
// key found in the file keeps its value.
//
// Input: section, key and value (each ended by a backslash and one other character), then
// the file content.

#include "fuzzcheck.h"

#include "settings/inifile.h"
#include "text/casing.h"
#include "text/win1252.h"

#include <QFileInfo>
#include <fuzzer/FuzzedDataProvider.h>
#include <vector>

using namespace tavolex;

namespace {

struct Name {
    QString section;
    QString key;
};

QString decoded(const std::string& bytes) {
    return text::decode1252(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool sameName(const QString& a, const QString& b) {
    return text::upperAZ(text::trimmed(a)) == text::upperAZ(text::trimmed(b));
}

bool hasLineBreak(const QString& s) {
    return s.contains(u'\r') || s.contains(u'\n');
}

// Names the file format can hold: a section name cannot hold "]", a key name cannot hold
// "=" nor start as a comment (";") or a section ("["); neither can be blank.
bool storableSection(const QString& section) {
    return !text::trimmed(section).isEmpty() && !section.contains(u']') && !hasLineBreak(section);
}

bool storableKey(const QString& key) {
    const QString name = text::trimmed(key);
    return !name.isEmpty() && !key.contains(u'=') && !hasLineBreak(key) && !name.startsWith(u';') &&
           !name.startsWith(u'[');
}

// What reading gives back for a written value: line breaks were written as blanks, and
// blanks around the value are not part of it.
QString readBackOf(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return text::trimmed(value);
}

bool quoted(const QString& value) {
    return value.size() >= 2 && ((value.front() == u'"' && value.back() == u'"') ||
                                 (value.front() == u'\'' && value.back() == u'\''));
}

// The (section, key) pairs that the file seems to hold, read loosely: a pair that is not
// really there reads as the default before and after, which is as good a check.
std::vector<Name> namesIn(const QString& content) {
    std::vector<Name> names;
    QString section;
    const QStringList lines = QString(content).replace(u'\r', u'\n').split(u'\n');
    for (const QString& line : lines) {
        const QString t = text::trimmed(line);
        if (t.startsWith(u'[') && t.contains(u']')) {
            section = t.mid(1, t.indexOf(u']') - 1);
        } else if (line.contains(u'=')) {
            names.push_back({section, line.left(line.indexOf(u'='))});
        }
        if (names.size() >= 24) break;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const QString section = decoded(in.ConsumeRandomLengthString(64));
    const QString key = decoded(in.ConsumeRandomLengthString(64));
    const QString value = decoded(in.ConsumeRandomLengthString(128));
    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArray content(rest.data(), static_cast<qsizetype>(rest.size()));
    // Settings files are a few lines; far larger ones are refused as not settings.
    if (content.size() > 32 * 1024) return 0;

    const QString path = fuzz::scratchFolder() + QStringLiteral("/impostazioni.ini");
    fuzz::writeFile(path, content);
    settings::IniFile ini(path);
    FUZZ_CHECK(ini.isReadable());

    const QString absent = QStringLiteral("\u0001absent");
    std::vector<Name> others = namesIn(text::decode1252(content));
    std::vector<QString> before;
    for (const Name& name : others)
        before.push_back(ini.readString(name.section, name.key, absent));

    const bool storable = storableSection(section) && storableKey(key);
    const bool written(ini.writeString(section, key, value));
    FUZZ_CHECK(written);
    FUZZ_CHECK(ini.isReadable());
    if (!storable) return 0;

    // The key reads back as written, however its names are spelled.
    const QString expected = readBackOf(value);
    if (!quoted(expected)) {
        FUZZ_CHECK(ini.readString(section, key, absent) == expected);
        FUZZ_CHECK(ini.readString(text::lowerAZ(section), text::upperAZ(key), absent) == expected);
        FUZZ_CHECK(ini.readString(QStringLiteral(" ") + section + QStringLiteral("\t"),
                                  QStringLiteral("\t") + key + QStringLiteral(" "),
                                  absent) == expected);
    }
    // Every other key keeps its value.
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (sameName(others[i].section, section) && sameName(others[i].key, key)) continue;
        FUZZ_CHECK(ini.readString(others[i].section, others[i].key, absent) == before[i]);
    }
    // Writing the same value again changes nothing.
    const QByteArray once = fuzz::readFile(path);
    const bool again(ini.writeString(section, key, value));
    FUZZ_CHECK(again);
    FUZZ_CHECK(fuzz::readFile(path) == once);
    // Nothing but the file itself is left in the folder.
    FUZZ_CHECK(fuzz::filesIn(QFileInfo(path).path()).size() == 1);
    return 0;
}
