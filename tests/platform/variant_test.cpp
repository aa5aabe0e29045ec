#include "qelt/variant.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/recordset_fixture.h"

namespace qelt {
namespace {

using namespace testing;

// toString, toLong, toInteger, toDouble and toBool of `v` separated by "|",
// each "#n" when it raises Error n, then "num" when isNumeric holds, else "-".
std::string Conversions(const Variant& v) {
    const std::function<std::string()> conversions[] = {
        [&] { return v.toString(); },
        [&] { return std::to_string(v.toLong()); },
        [&] { return std::to_string(v.toInteger()); },
        [&] { return Variant(v.toDouble()).toString(); },
        [&] { return Variant(v.toBool()).toString(); },
        [&] { return std::string(v.isNumeric() ? "num" : "-"); }};
    std::string out;
    for (const auto& convert : conversions) {
        try {
            out += convert() + "|";
        } catch (const Error& e) {
            out += "#" + std::to_string(e.number) + "|";
        }
    }
    out.pop_back();
    return out;
}

TEST(Variant, ConvertsAsTheHostEnvironmentDid) {
    const std::pair<Variant, const char*> cases[] = {
        {Variant(), "|0|0|0|False|-"},
        {Variant::null(), "#94|#94|#94|#94|#94|-"},
        {true, "True|-1|-1|-1|True|num"},
        {0.0, "0|0|0|0|False|num"},
        {2.5, "2.5|2|2|2.5|True|num"},
        {3.5, "3.5|4|4|3.5|True|num"},
        {-3.5, "-3.5|-4|-4|-3.5|True|num"},
        {2147483647.4, "2147483647.4|2147483647|#6|2147483647.4|True|num"},
        {2147483647.5, "2147483647.5|#6|#6|2147483647.5|True|num"},
        {-2147483649.0, "-2147483649|#6|#6|-2147483649|True|num"},
        {" false ", " false |0|0|0|False|-"},
        {"tRuE", "tRuE|-1|-1|-1|True|-"},
        {"  42 ", "  42 |42|42|42|True|num"},
        {"+3.25", "+3.25|3|3|3.25|True|num"},
        {"0.5", "0.5|0|0|0.5|True|num"},
        {"-32769", "-32769|-32769|#6|-32769|True|num"},
        {"", "|#13|#13|#13|#13|-"},
        {"12abc", "12abc|#13|#13|#13|#13|-"},
        {"Yes", "Yes|#13|#13|#13|#13|-"}};
    for (const auto& [v, expected] : cases) EXPECT_EQ(Conversions(v), expected);
    EXPECT_EQ(ErrorNumber([] { Variant(std::numeric_limits<double>::quiet_NaN()).toLong(); }), 6);
    EXPECT_EQ(
        Variant::null().toString("dflt") + Variant().toString("dflt") + Variant(0).toString("dflt"),
        "dfltdflt0");
}

TEST(Date, FormatsWithSlashesAndParsesIsoAndSlashFormsOnly) {
    EXPECT_EQ(Variant(Date{2026, 1, 5, 0, 0, 0}).toString(), "2026/01/05");
    EXPECT_EQ(Variant(Date{2026, 1, 5, 9, 3, 7}).toString(), "2026/01/05 09:03:07");
    EXPECT_EQ(Variant(Date{2000, 1, 1, 12, 0, 0}).toDouble(), 36526.5);
    EXPECT_EQ(Variant("2026/12/06").toDate(), (Date{2026, 12, 6, 0, 0, 0}));
    EXPECT_TRUE(Variant().toDate().isEmpty());
    EXPECT_EQ(ErrorNumber([] { Variant::null().toDate(); }), 94);
    EXPECT_EQ(ErrorNumber([] { Variant("06.12.2026").toDate(); }), 13);
    const Date d{2026, 3, 4, 5, 6, 7};
    EXPECT_EQ(Date{}.format() + Date{}.isoText(), "");
    // Each case is "text => the date read, as iso text", "-" when refused.
    for (const std::string c :
         {"2026-12-06 => 2026-12-06 00:00:00", "2026/12/06 10:20 => 2026-12-06 10:20:00",
          "2026-12-06 10:20:30.125 => 2026-12-06 10:20:30",
          "2000-02-29T23:59:59 => 2000-02-29 23:59:59", "2024-02-29 => 2024-02-29 00:00:00",
          " => -", "2026 => -", "2026-12 => -", "2026-12-06x => -", "2026-12/06 => -",
          "2026-13-01 => -", "2023-02-29 => -", "2026-12-32 => -", "2026-12-06 24:00 => -",
          "2026-12-06T10:20 => -", "2026-12-06 10:60 => -", "26-12-06 => -",
          "2026-12-06 10:20:30. => -", "2026-12-06  10:20 => -"}) {
        const std::size_t arrow = c.find(" => ");
        Date read = d;
        const bool ok = Date::parse(c.substr(0, arrow), read);
        EXPECT_EQ(ok ? read.isoText() : read == d ? "-" : "changed", c.substr(arrow + 4)) << c;
    }
}

}  // namespace
}  // namespace qelt
