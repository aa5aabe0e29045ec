#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace qelt::number {
namespace {

TEST(ParseDecimal, AcceptsPlainDecimalForms) {
    const std::pair<const char*, double> cases[] = {
        {"0", 0},       {"42", 42},  {"-7", -7},      {"+3", 3},     {"2.5", 2.5},
        {"1.", 1},      {".5", 0.5}, {"-.25", -0.25}, {"1e3", 1000}, {"1E+2", 100},
        {"25e-1", 2.5}, {"007", 7},  {"1e-999", 0},
    };
    for (const auto& [text, expected] : cases) {
        double v = -99;
        EXPECT_TRUE(ParseDecimal(text, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
}

TEST(ParseDecimal, RejectsEverythingElseAndLeavesTheOutputAlone) {
    for (const char* text : {"", "-", "+", ".", "e5", "1e", "1e+", "0x10", "inf", "nan", " 1", "1 ",
                             "1,5", "1.2.3", "--1", "1e999", "1d", "$1"}) {
        double v = -99;
        EXPECT_FALSE(ParseDecimal(text, v)) << text;
        EXPECT_EQ(v, -99) << text;
    }
}

TEST(FormatDouble, ShortestTextWithExponentOnlyForExtremes) {
    EXPECT_EQ(FormatDouble(0.0), "0");
    EXPECT_EQ(FormatDouble(-0.0), "0");
    EXPECT_EQ(FormatDouble(123.456), "123.456");
    EXPECT_EQ(FormatDouble(1e14), "100000000000000");
    EXPECT_EQ(FormatDouble(1e15), "1E+15");
    EXPECT_EQ(FormatDouble(0.00001), "0.00001");
    EXPECT_EQ(FormatDouble(0.000001), "1E-06");
    EXPECT_EQ(FormatDouble(-2.5e-300), "-2.5E-300");
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-1.4), -1);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
}

}  // namespace
}  // namespace qelt::number
