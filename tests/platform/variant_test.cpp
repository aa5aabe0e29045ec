#include "qelt/variant.h"

#include <gtest/gtest.h>

#include <limits>

#include "qelt/error.h"

namespace qelt {
namespace {

int ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number;
    }
    return 0;
}

TEST(VariantToString, ValuesAsTheHostEnvironmentWroteThem) {
    EXPECT_EQ(Variant().toString(), "");
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant(false).toString(), "False");
    EXPECT_EQ(Variant(int16_t{-12}).toString(), "-12");
    EXPECT_EQ(Variant(int32_t{123456789}).toString(), "123456789");
    EXPECT_EQ(Variant(2.5).toString(), "2.5");
    EXPECT_EQ(Variant(0.1).toString(), "0.1");
    EXPECT_EQ(Variant(3.0).toString(), "3");
    EXPECT_EQ(Variant(1000000.0).toString(), "1000000");
    EXPECT_EQ(Variant(-0.0001).toString(), "-0.0001");
    EXPECT_EQ(Variant(1e20).toString(), "1E+20");
    EXPECT_EQ(Variant(1.5e-7).toString(), "1.5E-07");
    EXPECT_EQ(Variant("text").toString(), "text");
}

TEST(VariantToString, DatesShowTheTimeOnlyWhenNotMidnight) {
    EXPECT_EQ(Variant(Date{2026, 1, 5, 0, 0, 0}).toString(), "2026/01/05");
    EXPECT_EQ(Variant(Date{2026, 1, 5, 9, 3, 7}).toString(), "2026/01/05 09:03:07");
}

TEST(VariantToString, NullRaisesUnlessADefaultIsGiven) {
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toString(); }), 94);
    EXPECT_EQ(Variant::null().toString("dflt"), "dflt");
    EXPECT_EQ(Variant().toString("dflt"), "dflt");
    EXPECT_EQ(Variant(0).toString("dflt"), "0");
}

TEST(VariantToNumber, TrueAndFalseWordsInAnyCase) {
    EXPECT_EQ(Variant("True").toLong(), -1);
    EXPECT_EQ(Variant(" false ").toLong(), 0);
    EXPECT_EQ(Variant("TRUE").toInteger(), -1);
    EXPECT_EQ(Variant("tRuE").toDouble(), -1.0);
    EXPECT_EQ(Variant(true).toLong(), -1);
    EXPECT_EQ(Variant(false).toDouble(), 0.0);
}

TEST(VariantToNumber, TextIsTrimmedAndParsed) {
    EXPECT_EQ(Variant("  42 ").toLong(), 42);
    EXPECT_EQ(Variant("-7").toInteger(), -7);
    EXPECT_EQ(Variant("+3.25").toDouble(), 3.25);
    EXPECT_EQ(Variant("1e3").toLong(), 1000);
    EXPECT_EQ(Variant().toLong(), 0);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("").toLong(); }), 13);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("12abc").toLong(); }), 13);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("Yes").toDouble(); }), 13);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("inf").toDouble(); }), 13);
}

TEST(VariantToNumber, DoublesRoundHalfToEven) {
    EXPECT_EQ(Variant(2.5).toLong(), 2);
    EXPECT_EQ(Variant(3.5).toLong(), 4);
    EXPECT_EQ(Variant(-2.5).toLong(), -2);
    EXPECT_EQ(Variant(-3.5).toInteger(), -4);
    EXPECT_EQ(Variant(2.4999).toLong(), 2);
    EXPECT_EQ(Variant(2.5001).toLong(), 3);
    EXPECT_EQ(Variant("0.5").toLong(), 0);
    EXPECT_EQ(Variant("1.5").toInteger(), 2);
}

TEST(VariantToNumber, OutOfRangeAndNullRaise) {
    EXPECT_EQ(Variant(2147483647.4).toLong(), 2147483647);
    EXPECT_EQ(ErrorNumber([] { (void)Variant(2147483647.5).toLong(); }), 6);
    EXPECT_EQ(ErrorNumber([] { (void)Variant(-2147483649.0).toLong(); }), 6);
    EXPECT_EQ(Variant(int32_t{32767}).toInteger(), 32767);
    EXPECT_EQ(ErrorNumber([] { (void)Variant(int32_t{32768}).toInteger(); }), 6);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("-32769").toInteger(); }), 6);
    EXPECT_EQ(ErrorNumber([] { (void)Variant(std::numeric_limits<double>::quiet_NaN()).toLong(); }),
              6);
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toLong(); }), 94);
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toDouble(); }), 94);
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toInteger(); }), 94);
}

TEST(VariantToBool, NumbersTextAndWords) {
    EXPECT_TRUE(Variant(2).toBool());
    EXPECT_FALSE(Variant(0.0).toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_TRUE(Variant("true").toBool());
    EXPECT_FALSE(Variant("False").toBool());
    EXPECT_FALSE(Variant().toBool());
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toBool(); }), 94);
    EXPECT_EQ(ErrorNumber([] { (void)Variant("maybe").toBool(); }), 13);
}

TEST(VariantIsNumeric, NumbersAndNumericTextOnly) {
    EXPECT_TRUE(Variant(1).isNumeric());
    EXPECT_TRUE(Variant(true).isNumeric());
    EXPECT_TRUE(Variant(" 1.5 ").isNumeric());
    EXPECT_FALSE(Variant("True").isNumeric());
    EXPECT_FALSE(Variant("").isNumeric());
    EXPECT_FALSE(Variant().isNumeric());
    EXPECT_FALSE(Variant::null().isNumeric());
}

TEST(VariantToDate, TextIsParsedAndEmptyGivesTheEmptyDate) {
    EXPECT_EQ(Variant("2026-12-06 10:20:30").toDate(), (Date{2026, 12, 6, 10, 20, 30}));
    EXPECT_TRUE(Variant().toDate().isEmpty());
    EXPECT_EQ(ErrorNumber([] { (void)Variant("06.12.2026").toDate(); }), 13);
    EXPECT_EQ(ErrorNumber([] { (void)Variant::null().toDate(); }), 94);
}

TEST(VariantToDouble, DateGivesTheDaySerial) {
    EXPECT_EQ(Variant(Date{1899, 12, 30, 0, 0, 0}).toDouble(), 0.0);
    EXPECT_EQ(Variant(Date{2000, 1, 1, 12, 0, 0}).toDouble(), 36526.5);
}

TEST(VariantEquality, SameTypeAndValue) {
    EXPECT_EQ(Variant(1), Variant(int32_t{1}));
    EXPECT_FALSE(Variant(1) == Variant(int16_t{1}));
    EXPECT_FALSE(Variant(1) == Variant(1.0));
    EXPECT_EQ(Variant::null(), Variant::null());
    EXPECT_FALSE(Variant::null() == Variant());
}

TEST(DateFormat, SlashesAndIsoText) {
    Date d{2026, 3, 4, 5, 6, 7};
    EXPECT_EQ(d.format(), "2026/03/04");
    EXPECT_EQ(d.isoText(), "2026-03-04 05:06:07");
    EXPECT_EQ(Date{}.format(), "");
    EXPECT_EQ(Date{}.isoText(), "");
}

TEST(DateParse, AcceptedForms) {
    Date d;
    ASSERT_TRUE(Date::parse("2026-12-06", d));
    EXPECT_EQ(d, (Date{2026, 12, 6, 0, 0, 0}));
    ASSERT_TRUE(Date::parse("2026/12/06 10:20", d));
    EXPECT_EQ(d, (Date{2026, 12, 6, 10, 20, 0}));
    ASSERT_TRUE(Date::parse("2026-12-06 10:20:30.125", d));
    EXPECT_EQ(d, (Date{2026, 12, 6, 10, 20, 30}));
    ASSERT_TRUE(Date::parse("2026-12-06T01:02:03", d));
    EXPECT_EQ(d, (Date{2026, 12, 6, 1, 2, 3}));
    ASSERT_TRUE(Date::parse("2024-02-29", d));
}

TEST(DateParse, RejectsAnythingElseAndLeavesTheOutputAlone) {
    const Date before{1999, 1, 2, 3, 4, 5};
    for (const char* bad :
         {"", "2026", "2026-12", "2026-12-06x", "2026-12/06", "2026-13-01", "2023-02-29",
          "2026-12-32", "2026-12-06 24:00", "2026-12-06T10:20", "2026-12-06 10:60", "26-12-06",
          "2026-12-06 10:20:30.", "2026-12-06  10:20"}) {
        Date d = before;
        EXPECT_FALSE(Date::parse(bad, d)) << bad;
        EXPECT_EQ(d, before) << bad;
    }
}

TEST(DateNow, IsAValidDate) {
    Date now = Date::now();
    Date parsed;
    ASSERT_TRUE(Date::parse(now.isoText(), parsed));
    EXPECT_EQ(parsed, now);
    EXPECT_GE(now.year, 2024);
}

TEST(ErrorText, WhatIsTheDescription) {
    Error e(3001, "Recordset", "bad filter");
    EXPECT_STREQ(e.what(), "bad filter");
    EXPECT_EQ(e.number, 3001);
    EXPECT_EQ(e.source, "Recordset");
}

}  // namespace
}  // namespace qelt
