#include "support/collections.h"

#include <gtest/gtest.h>

namespace qelt::support {
namespace {

TEST(Segment, ReturnsTheNthPieceOrEmptyText) {
    const struct {
        const char* text;
        int n;
        const char* separator;
        const char* piece;
    } rows[] = {
        {"1||61||FStatus=1", 2, "||", "61"},
        {"1||61||FStatus=1", 3, "||", "FStatus=1"},
        {"a,b", 3, ",", ""},
        {"a,b", 0, ",", ""},
        {"", 1, ",", ""},
        {"a,,c", 2, ",", ""},
        {"a,,c", 3, ",", "c"},
        {"a,", 2, ",", ""},
        {"x AND y and z", 3, " AND ", "z"},
        {"采购订单", 1, "||", "采购订单"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Segment(row.text, row.n, row.separator), row.piece) << row.text << " #" << row.n;
}

TEST(CountOf, CountsNonOverlappingExactOccurrences) {
    EXPECT_EQ(CountOf("a||b||c", "||"), 2);
    EXPECT_EQ(CountOf("aaaa", "aa"), 2);
    EXPECT_EQ(CountOf("aaa", "aa"), 1);
    EXPECT_EQ(CountOf("x AND y and z", "AND"), 1);
    EXPECT_EQ(CountOf("", ","), 0);
    EXPECT_EQ(CountOf("abc", ""), 0);
}

TEST(Membership, ValuesCompareByValueWhateverTheirWidthAndTextsIgnoringCase) {
    std::vector<Variant> items{Variant(int16_t{4}), Variant("x")};
    EXPECT_TRUE(ValueInArray(Variant(int32_t{4}), items));
    EXPECT_TRUE(ValueInArray(Variant(4.0), items));
    EXPECT_FALSE(ValueInArray(Variant("X"), items));
    EXPECT_FALSE(ValueInArray(Variant(int32_t{5}), items));
    EXPECT_FALSE(ValueInArray(Variant::null(), {Variant::null()}));
    EXPECT_TRUE(TextInCollection("fbillno", {"FDate", "FBillNo"}));
    EXPECT_FALSE(TextInCollection("FBill", {"FDate", "FBillNo"}));
}

}  // namespace
}  // namespace qelt::support
