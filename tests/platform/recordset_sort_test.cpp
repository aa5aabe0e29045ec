#include <gtest/gtest.h>

#include "platform/recordset_fixture.h"
#include "qelt/error.h"

namespace qelt {
namespace {

using testing::Dump;
using testing::MakePeople;
using testing::MakeSample;

TEST(RecordsetSort, AscendingPutsNullsFirstAndIgnoresCase) {
    auto rs = MakeSample();
    rs->setSort("Name ASC");
    EXPECT_EQ(Dump(*rs),
              "5|<null>|7|<null>\n1|Anna|10.5|True\n4|ANNA|<null>|False\n2|bob|20|False\n"
              "3|O'Neil|10.5|True\n");
    EXPECT_EQ(rs->sort(), "Name ASC");
}

TEST(RecordsetSort, DescendingReversesAndKeepsTiesInOrder) {
    auto rs = MakeSample();
    rs->setSort("amount desc");
    EXPECT_EQ(Dump(*rs),
              "2|bob|20|False\n1|Anna|10.5|True\n3|O'Neil|10.5|True\n5|<null>|7|<null>\n"
              "4|ANNA|<null>|False\n");
}

TEST(RecordsetSort, SeveralKeys) {
    auto rs = MakeSample();
    rs->setSort("Amount ASC, Key DESC");
    EXPECT_EQ(Dump(*rs),
              "4|ANNA|<null>|False\n5|<null>|7|<null>\n3|O'Neil|10.5|True\n1|Anna|10.5|True\n"
              "2|bob|20|False\n");
}

TEST(RecordsetSort, NumbersSortNumerically) {
    auto rs = MakePeople({{10}, {9}, {100}, {-1}});
    rs->setSort("Key");
    EXPECT_EQ(Dump(*rs),
              "-1|<null>|<null>|<null>\n9|<null>|<null>|<null>\n10|<null>|<null>|<null>\n"
              "100|<null>|<null>|<null>\n");
}

TEST(RecordsetSort, CombinesWithAFilterAndMovesToTheFirstRow) {
    auto rs = MakeSample();
    rs->setFilter("Flag <> 0");
    rs->moveNext();
    rs->setSort("Key DESC");
    EXPECT_EQ(rs->value("Key").toLong(), 5);
    EXPECT_EQ(Dump(*rs), "5|<null>|7|<null>\n3|O'Neil|10.5|True\n1|Anna|10.5|True\n");
}

TEST(RecordsetSort, EmptyTextRemovesTheSort) {
    auto rs = MakeSample();
    rs->setSort("Key DESC");
    rs->setSort("");
    EXPECT_EQ(rs->value("Key").toLong(), 1);
}

TEST(RecordsetSort, AppendedRowsTakeTheirSortedPlace) {
    auto rs = MakeSample();
    rs->setSort("Key DESC");
    rs->appendRow({3, "Three again"});
    EXPECT_EQ(rs->value("Key").toLong(), 5);
    EXPECT_EQ(Dump(*rs),
              "5|<null>|7|<null>\n4|ANNA|<null>|False\n3|O'Neil|10.5|True\n"
              "3|Three again|<null>|<null>\n2|bob|20|False\n1|Anna|10.5|True\n");
}

TEST(RecordsetSort, MalformedSortRaisesAndKeepsThePreviousOne) {
    auto rs = MakeSample();
    rs->setSort("Key DESC");
    for (const char* bad : {"Nobody ASC", "Key UP", "Key ASC,", ",Key", "Key ASC DESC"}) {
        try {
            rs->setSort(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.number, 3001);
        }
    }
    EXPECT_EQ(rs->sort(), "Key DESC");
    EXPECT_EQ(rs->value("Key").toLong(), 5);
}

TEST(RecordsetSort, CopyFollowsTheSourceSortButHasNone) {
    auto rs = MakeSample();
    rs->setSort("Key DESC");
    auto copy = Recordset::copyOf(*rs);
    EXPECT_EQ(copy->sort(), "");
    EXPECT_EQ(copy->value("Key").toLong(), 5);
}

}  // namespace
}  // namespace qelt
