#include "listline.h"

#include "text/casing.h"
#include "text/win1252.h"

#include <algorithm>

namespace tavolex::lists {

void appendColumn(QString& line, const QString& separator, const QString& text, int width) {
    line += separator;
    const QString value = text::trimmed(text);
    if (width < 0) {
        line += value;
        return;
    }
    if (value.size() >= width) {
        line += QStringView(value).left(width);
    } else {
        line += value;
        line += QString(width - value.size(), u' ');
    }
}

void appendFieldColumn(QString& line, QStringView separator, const char* record,
                       const records::FieldSpec& field, int width) {
    line += separator;
    // One Windows-1252 byte is one character, and trimming codes up to 32 is the same on
    // either.
    const QByteArrayView value = records::storedTrimmed(record, field);
    const qsizetype shown = width < 0 ? value.size() : std::min<qsizetype>(value.size(), width);
    text::appendDecoded1252(line, value.data(), shown);
    if (width > shown) line.resize(line.size() + (width - shown), u' ');
}

QString lineHead(const QString& separator, const QString& text, int width) {
    QString head;
    appendColumn(head, separator, text, width);
    if (head.isEmpty() || head.front().unicode() <= 32) return {};
    return head;
}

QString fixedWidthLine(const std::vector<ListColumn>& columns) {
    QString line;
    for (const ListColumn& column : columns)
        appendColumn(line, column.separator, column.text, column.width);
    return line;
}

int findNextEntry(qsizetype count, const std::function<QString(qsizetype)>& entryAt, int selected,
                  const QString& search, const QString& lastSearch) {
    if (count <= 0 || search.isEmpty()) return -1;
    if (selected < 0 || selected >= count) selected = 0;
    const QString needle = text::lowerAZ(search);
    const bool sameSearch = needle == lastSearch;
    // A new search tests the first entry first; a repeated one starts after the selection.
    qsizetype start = sameSearch ? (selected + 1) % count : 0;
    for (qsizetype step = 0; step < count; ++step) {
        const qsizetype i = (start + step) % count;
        if (text::lowerAZ(entryAt(i)).contains(needle)) return static_cast<int>(i);
    }
    return -1;
}

} // namespace tavolex::lists
