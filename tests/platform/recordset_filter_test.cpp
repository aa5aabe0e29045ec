#include <gmock/gmock.h>

#include <algorithm>

#include "platform/recordset_fixture.h"

namespace qelt {
namespace {

using namespace testing;

// Each case is "criteria => first column of the rows they let through".
void ExpectFiltered(Recordset& rs, std::initializer_list<std::string> cases) {
    for (const std::string& c : cases) {
        const std::size_t arrow = c.find(" => ");
        const std::string criteria = c.substr(0, arrow), keys = c.substr(arrow + 4);
        SCOPED_TRACE(criteria);
        rs.setFilter(criteria);
        EXPECT_EQ(rs.recordCount(),
                  keys.empty() ? 0 : 1 + std::count(keys.begin(), keys.end(), ','));
        EXPECT_EQ(Dump(rs), keys);
    }
}

TEST(RecordsetFilter, TermsMatchIgnoringCaseJoinedByAnd) {
    ExpectFiltered(
        *MakeSample(),
        {"nAmE = 'anna' => 1,4", "Name='O''Neil' => 3", "Name = 'anna' and Key <> 4 => 1",
         "Amount=10.5 aNd Flag=-1 AND Key<>1 => 3", "  Key   =   2   => 2",
         "Key=2\tAND\tName='bob' => 2", "Name='bob'AND Key=2 => 2", "Amount = 20 => 2",
         "Key = 2.0 => 2", "Key = -3 => ", "Key = ' 3 ' => 3", "Key = 'three' => ",
         "Flag = 'true' => 1,3", "Amount <> 10.5 => 2,4,5", "Name = '' => "});
}

TEST(RecordsetFilter, TextDateAndBracketedColumns) {
    auto rs = MakeTable({{"Col Name", adInteger}, {"Txt", adVarWChar}, {"FDate", adDate}},
                        {{1, "7", Date{2026, 12, 6, 0, 0, 0}},
                         {2, "07.0", Date{2026, 12, 7, 0, 0, 0}},
                         {3, "seven"},
                         {4, "默认方案"},
                         {5, "方案"}});
    ExpectFiltered(*rs, {"[col name] = 2 => 2", "Txt = 7 => 1,2", "Txt = '默认方案' => 4",
                         "FDate = 20261206 => ", "FDate = '2026/12/06' => 1",
                         "FDate <> '2026/12/06' => 2,3,4,5"});
}

// The cursor goes to the first row let through; with none, BOF and EOF hold and there is no row.
TEST(RecordsetFilter, TheCursorFollowsTheFilterUntilResetByEmptyText) {
    auto rs = MakeSample();
    rs->move(4);
    rs->setFilter("Flag = 0");
    EXPECT_EQ(rs->value("Key").toLong(), 2);
    rs->setFilter("Key = 99");
    EXPECT_TRUE(rs->bof() && rs->eof());
    EXPECT_EQ(ErrorNumber([&] { rs->value("Key"); }) + ErrorNumber([&] { rs->moveNext(); }),
              2 * 3021);
    rs->setFilter("");
    EXPECT_EQ(
        rs->filter() + "|" + std::to_string(rs->recordCount()) + "|" + rs->value("Key").toString(),
        "|5|1");
}

TEST(RecordsetFilter, MalformedCriteriaRaiseAndKeepThePreviousFilter) {
    auto rs = MakeSample();
    rs->setFilter("Name = 'anna'");
    rs->moveNext();
    for (const char* bad :
         {"Nobody = 1", "Key", "Key =", "Key = 'open", "Key > 1", "Key == 1", "Key = 1 OR Key = 2",
          "Key = 1 AND", "Key = 1 AND AND Key = 2", "Key = 12abc", "Key = abc", "(Key = 1)", "= 1",
          "Key = 1 ANDKey = 2", "Key = 1e999", "Key = NaN", "[Key = 1", "Key = 1 Key = 2"}) {
        EXPECT_EQ(ErrorNumber([&] { rs->setFilter(bad); }), 3001) << bad;
        EXPECT_EQ(rs->filter() + "|" + std::to_string(rs->recordCount()) + "|" +
                      rs->value("Key").toString(),
                  "Name = 'anna'|2|4")
            << bad;
    }
    EXPECT_THAT([&] { rs->setFilter("Nobody = 1"); },
                ::testing::Throws<Error>(::testing::Field(
                    &Error::description, "Invalid filter \"Nobody = 1\": unknown column Nobody")));
}

}  // namespace
}  // namespace qelt
