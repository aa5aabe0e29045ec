#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace qelt::number {
namespace {

TEST(ParseDecimal, AcceptsPlainDecimalFormsOnly) {
    // Each case is "text => the number read", "-" when refused.
    for (const std::string c :
         {"0 => 0",        "42 => 42",    "-7 => -7",     "+3 => 3",  "1. => 1",     ".5 => 0.5",
          "-.25 => -0.25", "1E+2 => 100", "25e-1 => 2.5", "007 => 7", "1e-999 => 0", " => -",
          "- => -",        "+ => -",      ". => -",       "e5 => -",  "1e => -",     "1e+ => -",
          "0x10 => -",     "inf => -",    "nan => -",     " 1 => -",  "1  => -",     "1,5 => -",
          "1.2.3 => -",    "--1 => -",    "1e999 => -",   "1d => -",  "$1 => -"}) {
        const std::size_t arrow = c.find(" => ");
        double v = -99;
        const bool ok = ParseDecimal(c.substr(0, arrow), v);
        EXPECT_EQ(ok ? FormatDouble(v) : v == -99 ? "-" : "changed", c.substr(arrow + 4)) << c;
    }
}

TEST(FormatDouble, ShortestTextWithExponentOnlyForExtremes) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},          {-0.0, "0"},          {123.456, "123.456"},
        {0.1, "0.1"},        {3.0, "3"},           {1e14, "100000000000000"},
        {1e15, "1E+15"},     {-0.0001, "-0.0001"}, {0.00001, "0.00001"},
        {0.000001, "1E-06"}, {1.5e-7, "1.5E-07"},  {-2.5e-300, "-2.5E-300"}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(FormatDouble(value), expected) << value;
}

}  // namespace
}  // namespace qelt::number
