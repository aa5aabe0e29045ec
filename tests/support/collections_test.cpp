#include "support/collections.h"

#include <gtest/gtest.h>

namespace qelt::support {
namespace {

TEST(Segment, ReturnsTheNthPieceBetweenSeparators) {
    EXPECT_EQ(Segment("1||61||FStatus=1", 1, "||"), "1");
    EXPECT_EQ(Segment("1||61||FStatus=1", 2, "||"), "61");
    EXPECT_EQ(Segment("1||61||FStatus=1", 3, "||"), "FStatus=1");
}

TEST(Segment, FewerPiecesGiveEmptyText) {
    EXPECT_EQ(Segment("a,b", 3, ","), "");
    EXPECT_EQ(Segment("a,b", 0, ","), "");
    EXPECT_EQ(Segment("", 1, ","), "");
}

TEST(Segment, EmptyPiecesCount) {
    EXPECT_EQ(Segment("a,,c", 2, ","), "");
    EXPECT_EQ(Segment("a,,c", 3, ","), "c");
    EXPECT_EQ(Segment("a,", 2, ","), "");
}

TEST(Segment, SeparatorMatchesIgnoringCase) {
    EXPECT_EQ(Segment("x AND y and z", 3, " AND "), "z");
}

TEST(Segment, TextWithoutSeparatorIsItsOwnFirstPiece) {
    EXPECT_EQ(Segment("采购订单", 1, "||"), "采购订单");
}

TEST(CountOf, CountsNonOverlappingExactOccurrences) {
    EXPECT_EQ(CountOf("a||b||c", "||"), 2);
    EXPECT_EQ(CountOf("aaaa", "aa"), 2);
    EXPECT_EQ(CountOf("aaa", "aa"), 1);
    EXPECT_EQ(CountOf("x AND y and z", "AND"), 1);
    EXPECT_EQ(CountOf("", ","), 0);
    EXPECT_EQ(CountOf("abc", ""), 0);
}

TEST(ValueInArray, NumbersCompareByValueWhateverTheirWidth) {
    std::vector<Variant> items{Variant(int16_t{4}), Variant("x")};
    EXPECT_TRUE(ValueInArray(Variant(int32_t{4}), items));
    EXPECT_TRUE(ValueInArray(Variant(4.0), items));
    EXPECT_TRUE(ValueInArray(Variant("x"), items));
    EXPECT_FALSE(ValueInArray(Variant("X"), items));
    EXPECT_FALSE(ValueInArray(Variant(int32_t{5}), items));
    EXPECT_FALSE(ValueInArray(Variant::null(), {Variant::null()}));
}

TEST(TextInCollection, MatchesIgnoringCase) {
    EXPECT_TRUE(TextInCollection("fbillno", {"FDate", "FBillNo"}));
    EXPECT_FALSE(TextInCollection("FBill", {"FDate", "FBillNo"}));
    EXPECT_FALSE(TextInCollection("x", {}));
}

}  // namespace
}  // namespace qelt::support
