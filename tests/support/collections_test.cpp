#include "support/collections.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qelt::support {
namespace {

TEST(Segment, ReturnsTheNthPieceOrEmptyText) {
    const std::tuple<const char*, int, const char*, const char*> rows[] = {
        {"1||61||FStatus=1", 2, "||", "61"},
        {"a,b", 3, ",", ""},
        {"a,b", 0, ",", ""},
        {"a,,c", 2, ",", ""},
        {"x AND y and z", 3, " AND ", "z"},
        {"采购订单", 1, "||", "采购订单"}};
    for (const auto& [text, n, separator, piece] : rows)
        EXPECT_EQ(Segment(text, n, separator), piece) << text << " #" << n;
}

TEST(CountOf, CountsNonOverlappingExactOccurrences) {
    EXPECT_EQ(CountOf("aaaa", "aa"), 2);
    EXPECT_EQ(CountOf("x AND y and z", "AND"), 1);
    EXPECT_EQ(CountOf("abc", ""), 0);
}

TEST(Membership, ValuesCompareByValueWhateverTheirWidthAndTextsIgnoringCase) {
    std::vector<Variant> items{Variant(int16_t{4}), Variant("x")};
    EXPECT_TRUE(ValueInArray(Variant(int32_t{4}), items));
    EXPECT_FALSE(ValueInArray(Variant("X"), items));
    EXPECT_FALSE(ValueInArray(Variant::null(), {Variant::null()}));
    EXPECT_TRUE(TextInCollection("fbillno", {"FDate", "FBillNo"}));
}

}  // namespace
}  // namespace qelt::support
