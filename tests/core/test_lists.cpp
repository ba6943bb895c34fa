#include "lists/listline.h"

#include <gtest/gtest.h>

using namespace tavolex::lists;
using namespace Qt::Literals::StringLiterals;

TEST(ListLine, ColumnsArePaddedCutAndTheLastKeptWhole) {
    const QString line = fixedWidthLine({{QString(), u"  Rossi Mario "_s, 8},
                                         {u"  Tel. "_s, u"06"_s, 5},
                                         {u" | "_s, u" note lunghe finali  "_s, -1}});
    EXPECT_EQ(line, u"Rossi Ma  Tel. 06    | note lunghe finali"_s);
}

TEST(ListFind, WrapsAroundOverMatchingEntries) {
    const QStringList entries = {u"ROSSI Mario"_s, u"Bianchi Anna"_s, u"Rossi Luca"_s};
    auto at = [&](qsizetype i) { return entries.at(i); };
    // New search: first match from the top.
    int selected = findNextEntry(3, at, -1, u"rossi"_s, QString());
    EXPECT_EQ(selected, 0);
    selected = findNextEntry(3, at, selected, u"rossi"_s, u"rossi"_s);
    EXPECT_EQ(selected, 2);
    selected = findNextEntry(3, at, selected, u"rossi"_s, u"rossi"_s);
    EXPECT_EQ(selected, 0);
    // A different text starts again from the first entry.
    EXPECT_EQ(findNextEntry(3, at, 2, u"anna"_s, u"rossi"_s), 1);
    // No match and an empty text leave the selection alone.
    EXPECT_EQ(findNextEntry(3, at, 1, u"verdi"_s, QString()), -1);
    EXPECT_EQ(findNextEntry(3, at, 1, QString(), QString()), -1);
    // A single matching entry is found again when the search repeats.
    EXPECT_EQ(findNextEntry(3, at, 1, u"bianchi"_s, u"bianchi"_s), 1);
}
