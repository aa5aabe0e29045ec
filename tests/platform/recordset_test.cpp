#include <gtest/gtest.h>

#include <limits>

#include "platform/recordset_fixture.h"

namespace qelt {
namespace {

using namespace testing;

TEST(RecordsetWalk, MovesRelativelyAndStopsAtBofOrEof) {
    auto rs = MakeSample();
    auto where = [&] {
        return rs->bof() ? "BOF" : rs->eof() ? "EOF" : rs->value("Key").toString();
    };
    std::string trail = where();
    for (long n : {2L, 1L, -3L, -1L, 100L, -2L, std::numeric_limits<long>::min(),
                   std::numeric_limits<long>::max()}) {
        rs->move(n);
        trail += "," + where();
    }
    EXPECT_EQ(trail, "1,3,4,1,BOF,EOF,4,BOF,EOF");
    EXPECT_EQ(ErrorNumber([&] { rs->move(1); }), 3021);
    EXPECT_EQ(ErrorNumber([&] { rs->setValue("Key", 1); }), 3021);
    EXPECT_EQ(ErrorNumber([&] { rs->deleteCurrent(); }), 3021);
}

// Names ignore case (the first of two differing only in case wins); values take their field type.
TEST(RecordsetValues, NamesIgnoreCaseAndValuesTakeTheirFieldType) {
    auto rs = MakeSample({{"7", 12, "2.5", "False"}});
    EXPECT_EQ(ErrorNumber([&] { rs->appendField("Late", adInteger); }), 3705);
    EXPECT_EQ(ErrorNumber([&] { rs->open(); }), 3705);
    const std::span<const Variant> row = rs->currentRow();
    EXPECT_EQ(std::vector<Variant>(row.begin(), row.end()),
              (std::vector<Variant>{int32_t{7}, "12", 2.5, false}));
    EXPECT_EQ(ErrorNumber([&] { rs->value("missing"); }), 3265);
    EXPECT_EQ(ErrorNumber([&] { rs->setValue("Key", "abc"); }), static_cast<int>(0x80040E21u));
    EXPECT_EQ(rs->value("Key").toLong(), 7);
    rs->setValue("Key", Variant());
    EXPECT_TRUE(rs->value("Key").isNull());
    rs->moveNext();
    EXPECT_EQ(ErrorNumber([&] { rs->currentRow(); }), 3021);
    rs = MakeTable({{"Code", adVarWChar, 10}, {"CODE", adVarWChar, 10}}, {{"first", "second"}});
    EXPECT_EQ(rs->value("CODE").toString() + rs->value("code").toString(), "firstfirst");
}

TEST(RecordsetSort, StableNullsFirstIgnoringCaseAndMalformedTextKeepsThePreviousSort) {
    auto rs = MakeSample();
    std::string trail;
    for (const char* sort : {"Name ASC", "", "amount desc", "Amount ASC, Key DESC"}) {
        rs->setSort(sort);
        trail += rs->sort() + ": " + Dump(*rs) + "\n";
    }
    EXPECT_EQ(trail,
              "Name ASC: 5,1,4,2,3\n: 1,2,3,4,5\namount desc: 2,1,3,5,4\n"
              "Amount ASC, Key DESC: 4,5,3,1,2\n");
    for (const char* bad : {"Nobody ASC", "Key UP", "Key ASC,", ",Key", "Key ASC DESC"})
        EXPECT_EQ(ErrorNumber([&] { rs->setSort(bad); }), 3001) << bad;
    EXPECT_EQ(rs->sort() + ": " + Dump(*rs), "Amount ASC, Key DESC: 4,5,3,1,2");
}

TEST(RecordsetRows, AddedRowsJoinTheSetAtOnceSortedWithinTheFilter) {
    auto rs = MakeSample();
    rs->addNew();
    rs->setValue("Key", 7);
    rs->update();
    rs->setFilter("Flag <> 0");
    rs->moveNext();
    rs->setSort("Key DESC");
    EXPECT_EQ(rs->value("Key").toLong(), 7);
    rs->appendRow({3, "Three again"});
    rs->appendRow({6, "Filtered out", 1.0, false});
    EXPECT_EQ(rs->value("Key").toLong(), 7);
    EXPECT_EQ(ErrorNumber([&] { rs->appendRow({1, "a", 1.0, true, "too many"}); }), 3001);
    EXPECT_EQ(Dump(*rs, 2), "7|<null>,5|<null>,3|O'Neil,3|Three again,1|Anna");
    rs->setFilter("");
    EXPECT_EQ(rs->recordCount(), 8);
}

TEST(RecordsetClone, SharesRowsButHasItsOwnCursorFilterAndSort) {
    auto rs = MakeSample();
    rs->setFilter("Flag = 0");
    rs->setSort("Key DESC");
    auto clone = rs->clone();
    EXPECT_EQ(clone->filter() + "|" + clone->sort(), "|");
    EXPECT_EQ(clone->value("Key").toLong(), 1);
    clone->move(3);
    // A delete under a filter and sort shows the next row of the sort; the clone sees it.
    rs->deleteCurrent();
    EXPECT_EQ(rs->value("Key").toString() + "|" + std::to_string(rs->recordCount()), "2|1");
    EXPECT_EQ(clone->value("Key").toLong(), 5);
    rs->deleteCurrent();
    EXPECT_TRUE(rs->eof());
    rs->addNew();
    rs->setValue("Key", 6);
    EXPECT_EQ(clone->value("Key").toLong(), 5);
    clone->setFilter("Key <> 1");
    EXPECT_EQ(rs->value("Key").toLong(), 6);
    rs->setFilter("");
    EXPECT_EQ(Dump(*rs), "6,5,3,1");
    rs->close();
    EXPECT_EQ(ErrorNumber([&] { rs->recordCount(); }), 3704);
    EXPECT_EQ(Dump(*clone), "3,5,6");
    rs->open();
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->fieldCount(), 4u);
}

TEST(RecordsetCopy, TakesFieldsWithDoublesAndEveryLiveRowInSortOrderIgnoringTheFilter) {
    auto rs = MakeTable(
        {{"A", adNumeric, 19, 0x60}, {"B", adDouble, 8}, {"C", adVarChar, 30}, {"D", adInteger, 4}},
        {{1.25, 2.5, "x", 3}, {2.0, 0.5, "y", 4}, {3.0, 1.5, "z", 5}});
    rs->moveNext();
    rs->deleteCurrent();
    rs->setSort("D DESC");
    rs->setFilter("C = 'x'");
    auto copy = Recordset::copyOf(*rs);
    std::string fields;
    for (std::size_t i = 0; i < copy->fieldCount(); ++i) {
        const FieldInfo& f = copy->field(i);
        fields += f.name + " " + std::to_string(f.type) + " " + std::to_string(f.definedSize) +
                  " " + std::to_string(f.attributes) + ";";
    }
    EXPECT_EQ(fields, "A 5 19 96;B 5 8 -1;C 200 30 -1;D 3 4 -1;");
    EXPECT_EQ(copy->filter() + "|" + copy->sort() + "|" + std::to_string(copy->cursorLocation()),
              "||3");
    copy->deleteCurrent();  // the first row of the sort, z
    EXPECT_EQ(Dump(*copy, 4), "1.25|2.5|x|3");
    rs->setFilter("");
    EXPECT_EQ(Dump(*rs, 3), "3|1.5|z,1.25|2.5|x");
}

}  // namespace
}  // namespace qelt
