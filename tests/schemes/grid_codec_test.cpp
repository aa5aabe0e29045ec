#include "schemes/grid_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace qelt::schemes {
namespace {

std::string Dump(const GridRows& rows) {
    std::string out;
    for (const auto& row : rows) {
        for (const auto& f : row) out += "[" + f + "]";
        out += "\n";
    }
    return out;
}

TEST(GridCodec, RowsEndInDoubleBarsAndFieldsJoinWithTheirSeparator) {
    EXPECT_EQ(EncodeRows({}), "");
    EXPECT_EQ(EncodeRows({{"a", "", "c"}, {"d"}}), "a##<&##<&c||d||");
}

TEST(GridCodec, ConditionAndColumnGridsCountARowMoreThanTheSortGrid) {
    struct Case {
        std::string value;
        int conditions, sorts;
    };
    for (const Case& c : {Case{"", 0, 0}, Case{"   ", 0, 0}, Case{"a||", 2, 1},
                          Case{"a||b||", 3, 2}, Case{"a", 1, 0}}) {
        EXPECT_EQ(ConditionRowCount(c.value), c.conditions) << c.value;
        EXPECT_EQ(ColumnRowCount(c.value), c.conditions) << c.value;
        EXPECT_EQ(SortRowCount(c.value), c.sorts) << c.value;
    }
}

TEST(GridCodec, DecodedRowsHaveTheirGridsFieldCount) {
    const std::string two =
        "AND##<&FBillNo##<&=##<&1##<&x'1##<&x'1##<&5##<&(##<&)##<&##<&##<&||"
        "OR##<&FQty##<&>##<&3##<&--;##<&--;##<&6##<&##<&##<&##<&##<&||";
    EXPECT_EQ(Dump(DecodeConditionRows(two)),
              "[AND][FBillNo][=][1][x'1][x'1][5][(][)][][][]\n"
              "[OR][FQty][>][3][--;][--;][6][][][][][]\n"
              "[][][][][][][][][][][][]\n");
    EXPECT_EQ(Dump(DecodeSortRows("编号##<&1##<&0##<&FBillNo||extra")),
              "[编号][1][0][FBillNo][][][]\n");
    EXPECT_EQ(Dump(DecodeColumnRows("1##<&567##<&1##<&FBillNo##<&2##<&surplus||")),
              "[1][567][1][FBillNo][2]\n[][][][][]\n");
}

TEST(GridCodec, WidthsTravelAsWholeTwipsAndComeBackWithTwoDecimals) {
    struct Case {
        std::string millimetres, twips, shown;
    };
    for (const Case& c :
         {Case{"10", "567", "10.00"}, Case{"10.00", "567", "10.00"}, Case{"25.4", "1440", "25.40"},
          Case{"0.5", "28", ".49"}, Case{"", "0", ".00"}, Case{"abc", "0", ".00"}}) {
        EXPECT_EQ(TwipsFromMillimetres(c.millimetres), c.twips) << c.millimetres;
        EXPECT_EQ(MillimetresFromTwips(c.twips), c.shown) << c.twips;
    }
    EXPECT_EQ(MillimetresFromTwips("1e400"), ".00");
}

TEST(GridCodec, SchemeKeyTakesTheTextAfterTheEqualsSignOrFromTheParenthesis) {
    EXPECT_EQ(SchemeKey("FID=1"), "(1)");
    EXPECT_EQ(SchemeKey("FID in (1, 20)"), "(1, 20)");
    EXPECT_EQ(SchemeKey("plain"), "plain");
    EXPECT_EQ(SchemeKey("a=(b)=c"), "((b)=c)");
}

}  // namespace
}  // namespace qelt::schemes
