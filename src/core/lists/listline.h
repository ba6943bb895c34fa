#pragma once

#include "records/record.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tavolex::lists {

// One column of a fixed-width list line: the separator written before it, the
// field text and the column width (a negative width marks the last column, which
// is written trimmed, neither padded nor cut).
struct ListColumn {
    QString separator;
    QString text;
    int width = -1;
};

// Each field is trimmed, padded with blanks on the right and cut to its width.
QString fixedWidthLine(const std::vector<ListColumn>& columns);
void appendColumn(QString& line, const QString& separator, const QString& text, int width);
// The same for a record field, straight from its stored bytes: what appendColumn does with the
// field's text, without making that text (a list of a hundred thousand lines makes none).
void appendFieldColumn(QString& line, QStringView separator, const char* record,
                       const records::FieldSpec& field, int width);

// The first column of a line as appendColumn writes it, when the line begins there with a
// character other than a blank, so that trimming the line leaves it in place; empty
// otherwise. Of two lines equal once trimmed whose heads are both known, the heads are
// equal: a scan can rule a record out by its head without building its whole line.
QString lineHead(const QString& separator, const QString& text, int width);

// "Trova" over the entries of a list. Returns the entry to select, or -1 to keep
// the selection. `selected` is the selected entry (-1 for none); `lastSearch` the
// text of the previous search. Matching is on the A-Z lower-cased entry text.
int findNextEntry(qsizetype count, const std::function<QString(qsizetype)>& entryAt, int selected,
                  const QString& search, const QString& lastSearch);

} // namespace tavolex::lists
