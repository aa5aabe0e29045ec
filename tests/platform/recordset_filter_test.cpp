#include <gtest/gtest.h>

#include "platform/recordset_fixture.h"
#include "qelt/error.h"

namespace qelt {
namespace {

using testing::Dump;
using testing::MakeSample;

TEST(RecordsetFilter, ColumnNamesAndTextValuesIgnoreCase) {
    auto rs = MakeSample();
    rs->setFilter("nAmE = 'anna'");
    EXPECT_EQ(Dump(*rs), "1|Anna|10.5|True\n4|ANNA|<null>|False\n");
    EXPECT_EQ(rs->recordCount(), 2);
}

TEST(RecordsetFilter, DoubledQuoteInsideTextStandsForOneQuote) {
    auto rs = MakeSample();
    rs->setFilter("Name='O''Neil'");
    EXPECT_EQ(Dump(*rs), "3|O'Neil|10.5|True\n");
}

TEST(RecordsetFilter, TermsJoinedByAndInAnyCase) {
    auto rs = MakeSample();
    rs->setFilter("Name = 'anna' AND Key = 4");
    EXPECT_EQ(Dump(*rs), "4|ANNA|<null>|False\n");
    rs->setFilter("Name = 'anna' and Key <> 4");
    EXPECT_EQ(Dump(*rs), "1|Anna|10.5|True\n");
    rs->setFilter("Amount=10.5 aNd Flag=-1 AND Key<>1");
    EXPECT_EQ(Dump(*rs), "3|O'Neil|10.5|True\n");
}

TEST(RecordsetFilter, BlanksAroundTokensAreTolerated) {
    auto rs = MakeSample();
    rs->setFilter("  Key   =   2  ");
    EXPECT_EQ(rs->recordCount(), 1);
    rs->setFilter("Key=2\tAND\tName='bob'");
    EXPECT_EQ(rs->recordCount(), 1);
    rs->setFilter("Name='bob'AND Key=2");
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST(RecordsetFilter, NumberLiteralComparesNumerically) {
    auto rs = MakeSample();
    rs->setFilter("Amount = 20");
    EXPECT_EQ(Dump(*rs), "2|bob|20|False\n");
    rs->setFilter("Key = 2.0");
    EXPECT_EQ(rs->recordCount(), 1);
    rs->setFilter("Key = -3");
    EXPECT_EQ(rs->recordCount(), 0);
}

TEST(RecordsetFilter, TextLiteralAgainstNumericFieldIsConverted) {
    auto rs = MakeSample();
    rs->setFilter("Key = ' 3 '");
    EXPECT_EQ(Dump(*rs), "3|O'Neil|10.5|True\n");
    rs->setFilter("Key = 'three'");
    EXPECT_EQ(rs->recordCount(), 0);
    rs->setFilter("Flag = 'true'");
    EXPECT_EQ(rs->recordCount(), 2);
}

TEST(RecordsetFilter, NumberLiteralAgainstTextFieldReadsTheText) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("FKey", adVarWChar, 20);
    rs->open();
    rs->appendRow({"7"});
    rs->appendRow({"07.0"});
    rs->appendRow({"seven"});
    rs->setFilter("FKey = 7");
    EXPECT_EQ(Dump(*rs), "7\n07.0\n");
}

TEST(RecordsetFilter, NullFieldEqualsNothingSoNotEqualMatchesIt) {
    auto rs = MakeSample();
    rs->setFilter("Amount <> 10.5");
    EXPECT_EQ(Dump(*rs), "2|bob|20|False\n4|ANNA|<null>|False\n5|<null>|7|<null>\n");
    rs->setFilter("Name = ''");
    EXPECT_EQ(rs->recordCount(), 0);
}

TEST(RecordsetFilter, DateFieldMatchesATextDate) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("FDate", adDate);
    rs->open();
    rs->appendRow({Date{2026, 12, 6, 0, 0, 0}});
    rs->appendRow({Date{2026, 12, 7, 0, 0, 0}});
    rs->setFilter("FDate = '2026/12/06'");
    EXPECT_EQ(Dump(*rs), "2026/12/06\n");
    rs->setFilter("FDate = 20261206");
    EXPECT_EQ(rs->recordCount(), 0);
}

TEST(RecordsetFilter, NonAsciiTextMatchesExactly) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("FSchemeName", adVarWChar, 255);
    rs->open();
    rs->appendRow({"默认方案"});
    rs->appendRow({"方案"});
    rs->setFilter("FSchemeName=" + std::string("'默认方案'"));
    EXPECT_EQ(Dump(*rs), "默认方案\n");
}

TEST(RecordsetFilter, EmptyCriteriaRemoveTheFilter) {
    auto rs = MakeSample();
    rs->setFilter("Key = 1");
    ASSERT_EQ(rs->recordCount(), 1);
    rs->setFilter("");
    EXPECT_EQ(rs->recordCount(), 5);
    EXPECT_EQ(rs->filter(), "");
    EXPECT_EQ(rs->value("Key").toLong(), 1);
}

TEST(RecordsetFilter, SettingAFilterMovesToTheFirstVisibleRow) {
    auto rs = MakeSample();
    rs->move(4);
    rs->setFilter("Flag = 0");
    EXPECT_FALSE(rs->bof());
    EXPECT_EQ(rs->value("Key").toLong(), 2);
    EXPECT_EQ(rs->filter(), "Flag = 0");
}

TEST(RecordsetFilter, NoMatchGivesBofAndEof) {
    auto rs = MakeSample();
    rs->setFilter("Key = 99");
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->value("Key"), Error);
}

TEST(RecordsetFilter, WalkUnderFilterEndsAtEof) {
    auto rs = MakeSample();
    rs->setFilter("Flag = -1");
    int seen = 0;
    while (!rs->eof()) {
        ++seen;
        rs->moveNext();
    }
    EXPECT_EQ(seen, 2);
    EXPECT_THROW(rs->moveNext(), Error);
}

class MalformedFilter : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedFilter, RaisesErrorAndKeepsThePreviousFilter) {
    auto rs = MakeSample();
    rs->setFilter("Name = 'anna'");
    rs->moveNext();
    try {
        rs->setFilter(GetParam());
        FAIL() << "accepted: " << GetParam();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 3001);
        EXPECT_EQ(e.source, "Recordset");
        EXPECT_NE(e.description.find(GetParam()), std::string::npos) << e.description;
    }
    EXPECT_EQ(rs->filter(), "Name = 'anna'");
    EXPECT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->value("Key").toLong(), 4);
}

INSTANTIATE_TEST_SUITE_P(RecordsetFilter, MalformedFilter,
                         ::testing::Values("Nobody = 1", "Key", "Key =", "Key = 'open", "Key > 1",
                                           "Key == 1", "Key = 1 OR Key = 2", "Key = 1 AND",
                                           "Key = 1 AND AND Key = 2", "Key = 12abc", "Key = abc",
                                           "(Key = 1)", "= 1", "Key = 1 ANDKey = 2", "Key = 1e999",
                                           "Key = NaN", "[Key = 1", "Key = 1 Key = 2"));

TEST(RecordsetFilter, UnknownColumnIsNamedInTheError) {
    auto rs = MakeSample();
    try {
        rs->setFilter("Nobody = 1");
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(e.description.find("unknown column Nobody"), std::string::npos);
    }
}

TEST(RecordsetFilter, BracketedColumnName) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("Col Name", adInteger);
    rs->open();
    rs->appendRow({1});
    rs->appendRow({2});
    rs->setFilter("[col name] = 2");
    EXPECT_EQ(Dump(*rs), "2\n");
}

}  // namespace
}  // namespace qelt
