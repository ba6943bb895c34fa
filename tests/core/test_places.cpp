// The province codes of the client and practice cards.
#include "places/provinces.h"

#include <gtest/gtest.h>

using namespace tavolex::places;
using namespace Qt::Literals::StringLiterals;

TEST(Provinces, TheListOfTheCards) {
    const QStringList& codes = provinceCodes();
    ASSERT_EQ(codes.size(), 112);
    EXPECT_EQ(codes.first(), u"AG"_s);
    EXPECT_EQ(codes.last(), u"VV"_s);
    // Two capital letters each, in alphabetical order and so without repeats.
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QString& code = codes[i];
        ASSERT_EQ(code.size(), 2) << i;
        EXPECT_TRUE(code[0] >= u'A' && code[0] <= u'Z' && code[1] >= u'A' && code[1] <= u'Z')
            << code.toStdString();
        if (i > 0) {
            EXPECT_LT(codes[i - 1], code) << code.toStdString();
        }
        EXPECT_EQ(provinceIndex(code), i) << code.toStdString();
    }
}

TEST(Provinces, Lookup) {
    struct Case {
        QString code;
        qsizetype index;
    };
    const Case cases[] = {
        {u"AG"_s, 0},  {u"BT"_s, 17}, {u"EE"_s, 31},  {u"MI"_s, 56}, {u"RM"_s, 85},  {u"VV"_s, 111},
        {u"mi"_s, -1}, {u"XX"_s, -1}, {u"MIL"_s, -1}, {u"M"_s, -1},  {u" MI"_s, -1}, {u""_s, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(provinceIndex(c.code), c.index) << c.code.toStdString();
}
