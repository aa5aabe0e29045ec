#include <gtest/gtest.h>

#include <limits>

#include "platform/recordset_fixture.h"
#include "qelt/error.h"

namespace qelt {
namespace {

using testing::Dump;
using testing::MakePeople;
using testing::MakeSample;

TEST(RecordsetWalk, EmptySetIsBofAndEof) {
    auto rs = MakePeople({});
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(rs->recordCount(), 0);
    rs->moveFirst();
    EXPECT_TRUE(rs->bof());
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->moveNext(), Error);
}

TEST(RecordsetWalk, ReadingWithoutACurrentRowRaises) {
    auto rs = MakeSample();
    rs->move(5);
    ASSERT_TRUE(rs->eof());
    try {
        rs->value("Key");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 3021);
        EXPECT_EQ(e.source, "Recordset");
    }
    EXPECT_THROW(rs->setValue("Key", 1), Error);
    EXPECT_THROW(rs->deleteCurrent(), Error);
}

TEST(RecordsetWalk, FilledSetStartsOnItsFirstRow) {
    auto rs = MakeSample();
    EXPECT_FALSE(rs->bof());
    EXPECT_FALSE(rs->eof());
    EXPECT_EQ(rs->value("Key").toLong(), 1);
}

TEST(RecordsetWalk, MoveIsRelativeAndStopsAtTheEnds) {
    auto rs = MakeSample();
    rs->move(2);
    EXPECT_EQ(rs->value("Key").toLong(), 3);
    rs->move(1);
    EXPECT_EQ(rs->value("Key").toLong(), 4);
    rs->move(-3);
    EXPECT_EQ(rs->value("Key").toLong(), 1);
    rs->move(-1);
    EXPECT_TRUE(rs->bof());
    EXPECT_FALSE(rs->eof());
    rs->move(100);
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->move(1), Error);
    rs->move(-2);
    EXPECT_EQ(rs->value("Key").toLong(), 4);
    rs->move(std::numeric_limits<long>::min());
    EXPECT_TRUE(rs->bof());
    rs->move(std::numeric_limits<long>::max());
    EXPECT_TRUE(rs->eof());
}

TEST(RecordsetValues, ColumnNamesIgnoreCaseAndUnknownNamesRaise) {
    auto rs = MakeSample();
    EXPECT_EQ(rs->value("nAME").toString(), "Anna");
    EXPECT_EQ(rs->fieldIndex("amount"), 2);
    EXPECT_EQ(rs->fieldIndex("missing"), -1);
    try {
        rs->value("missing");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 3265);
    }
    EXPECT_THROW(rs->value(std::size_t{4}), Error);
}

TEST(RecordsetValues, StoredValuesTakeTheirFieldType) {
    auto rs = MakePeople({{"7", 12, "2.5", "False"}});
    EXPECT_EQ(rs->value("Key"), Variant(int32_t{7}));
    EXPECT_EQ(rs->value("Name"), Variant("12"));
    EXPECT_EQ(rs->value("Amount"), Variant(2.5));
    EXPECT_EQ(rs->value("Flag"), Variant(false));
    rs->setValue("Key", Variant());
    EXPECT_TRUE(rs->value("Key").isNull());
    try {
        rs->setValue("Key", "abc");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, static_cast<int>(0x80040E21u));
    }
}

TEST(RecordsetValues, FieldsDescribeThemselves) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("FName", adVarChar, 80);
    rs->appendField("FSize", adInteger, 4, -1);
    rs->open();
    ASSERT_EQ(rs->fieldCount(), 2u);
    EXPECT_EQ(rs->field(0).name, "FName");
    EXPECT_EQ(rs->field(0).type, adVarChar);
    EXPECT_EQ(rs->field(0).definedSize, 80);
    EXPECT_EQ(rs->field(0).attributes, -1);
    EXPECT_EQ(rs->field(1).type, adInteger);
    EXPECT_THROW(rs->appendField("Late", adInteger), Error);
}

TEST(RecordsetRows, AddNewAppendsAnEmptyCurrentRow) {
    auto rs = MakeSample();
    rs->addNew();
    EXPECT_TRUE(rs->value("Name").isNull());
    rs->setValue("Key", 6);
    rs->setValue("Name", "Zed");
    rs->update();
    EXPECT_EQ(rs->recordCount(), 6);
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    rs->setFilter("Name = 'zed'");
    EXPECT_EQ(rs->value("Key").toLong(), 6);
}

TEST(RecordsetRows, AppendRowKeepsTheCursor) {
    auto rs = MakeSample();
    rs->moveNext();
    rs->appendRow({6, "Zed"});
    EXPECT_EQ(rs->value("Key").toLong(), 2);
    EXPECT_EQ(rs->recordCount(), 6);
    rs->move(10);
    rs->appendRow({7});
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->appendRow({1, "a", 1.0, true, "too many"}), Error);
}

TEST(RecordsetRows, DeleteShowsTheNextRow) {
    auto rs = MakeSample();
    rs->moveNext();
    rs->deleteCurrent();
    EXPECT_EQ(rs->value("Key").toLong(), 3);
    EXPECT_EQ(rs->recordCount(), 4);
    rs->move(2);
    rs->deleteCurrent();
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(Dump(*rs), "1|Anna|10.5|True\n3|O'Neil|10.5|True\n4|ANNA|<null>|False\n");
}

TEST(RecordsetRows, DeleteUnderAFilterRemovesTheRowForGood) {
    auto rs = MakeSample();
    rs->setFilter("Name = 'ANNA'");
    rs->deleteCurrent();
    EXPECT_EQ(rs->value("Key").toLong(), 4);
    EXPECT_EQ(rs->recordCount(), 1);
    rs->setFilter("");
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(Dump(*rs),
              "2|bob|20|False\n3|O'Neil|10.5|True\n4|ANNA|<null>|False\n5|<null>|7|<null>\n");
}

TEST(RecordsetRows, PruningWalkDeletesEveryMatchingRow) {
    auto rs = MakeSample();
    rs->moveFirst();
    while (!rs->eof()) {
        if (rs->value("Flag").toString("") != "True")
            rs->deleteCurrent();
        else
            rs->moveNext();
    }
    EXPECT_EQ(Dump(*rs), "1|Anna|10.5|True\n3|O'Neil|10.5|True\n");
}

TEST(RecordsetRows, ConsumingAFilteredSortedPairLeavesTheOtherRows) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("FTableNameAlias", adVarChar, 20);
    rs->appendField("FTableNameAlias11", adVarChar, 20);
    rs->appendField("FIndex", adInteger);
    rs->open();
    rs->appendRow({"v1", "t1", 1});
    rs->appendRow({"v1", "t2", 0});
    rs->appendRow({"v1", "t1", 0});
    rs->setFilter("FTableNameAlias='v1' AND FTableNameAlias11='t1'");
    rs->setSort("FIndex ASC");
    std::string used;
    while (!rs->eof()) {
        used += rs->value("FIndex").toString() + ",";
        rs->deleteCurrent();
    }
    EXPECT_EQ(used, "0,1,");
    rs->setFilter("");
    EXPECT_EQ(Dump(*rs), "v1|t2|0\n");
}

TEST(RecordsetClone, SharesRowsButNotCursorFilterOrSort) {
    auto rs = MakeSample();
    rs->setFilter("Flag = 0");
    rs->setSort("Key DESC");
    auto copy = rs->clone();
    EXPECT_EQ(copy->filter(), "");
    EXPECT_EQ(copy->sort(), "");
    EXPECT_EQ(copy->recordCount(), 5);
    EXPECT_EQ(copy->value("Key").toLong(), 1);
    copy->move(3);
    EXPECT_EQ(rs->value("Key").toLong(), 4);
    copy->setFilter("Key = 5");
    EXPECT_EQ(rs->recordCount(), 2);
}

TEST(RecordsetClone, DeleteThroughOneIsSeenByAll) {
    auto rs = MakeSample();
    auto copy = rs->clone();
    copy->move(1);
    rs->move(1);
    rs->deleteCurrent();
    EXPECT_EQ(copy->recordCount(), 4);
    EXPECT_EQ(copy->value("Key").toLong(), 3);
    copy->setFilter("Key = 2");
    EXPECT_TRUE(copy->eof());
}

TEST(RecordsetClone, DeleteUnderFilterIsSeenThroughAClone) {
    auto rs = MakeSample();
    auto copy = rs->clone();
    rs->setFilter("Flag = -1");
    rs->deleteCurrent();
    rs->deleteCurrent();
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(Dump(*copy), "2|bob|20|False\n4|ANNA|<null>|False\n5|<null>|7|<null>\n");
}

TEST(RecordsetClone, RowsAddedThroughOneAreSeenByAll) {
    auto rs = MakeSample();
    auto copy = rs->clone();
    copy->move(2);
    rs->addNew();
    rs->setValue("Key", 6);
    EXPECT_EQ(copy->recordCount(), 6);
    EXPECT_EQ(copy->value("Key").toLong(), 3);
    copy->move(3);
    EXPECT_EQ(copy->value("Key").toLong(), 6);
}

TEST(RecordsetClone, ClosingOneLeavesTheOtherReadable) {
    auto rs = MakeSample();
    auto copy = rs->clone();
    rs->close();
    EXPECT_FALSE(rs->isOpen());
    EXPECT_THROW(rs->recordCount(), Error);
    EXPECT_THROW(rs->value("Key"), Error);
    EXPECT_EQ(copy->recordCount(), 5);
}

TEST(RecordsetCopy, DoubleAndNumericBecomeDouble) {
    auto rs = std::make_shared<Recordset>();
    rs->appendField("A", adNumeric, 19, 0x60);
    rs->appendField("B", adDouble, 8, -1);
    rs->appendField("C", adVarChar, 30, -1);
    rs->appendField("D", adInteger, 4, -1);
    rs->open();
    rs->appendRow({1.25, 2.5, "x", 3});
    auto copy = Recordset::copyOf(*rs);
    EXPECT_EQ(copy->field(0).type, adDouble);
    EXPECT_EQ(copy->field(0).definedSize, 19);
    EXPECT_EQ(copy->field(0).attributes, 0x60);
    EXPECT_EQ(copy->field(1).type, adDouble);
    EXPECT_EQ(copy->field(2).type, adVarChar);
    EXPECT_EQ(copy->field(2).definedSize, 30);
    EXPECT_EQ(copy->field(3).type, adInteger);
    EXPECT_EQ(copy->cursorLocation(), 3);
    EXPECT_EQ(Dump(*copy), "1.25|2.5|x|3\n");
}

TEST(RecordsetCopy, TakesEveryRowRegardlessOfFilterButNotDeletedRows) {
    auto rs = MakeSample();
    rs->moveNext();
    rs->deleteCurrent();
    rs->setFilter("Key = 5");
    auto copy = Recordset::copyOf(*rs);
    EXPECT_EQ(copy->filter(), "");
    EXPECT_EQ(copy->recordCount(), 4);
    EXPECT_EQ(copy->value("Key").toLong(), 1);
    EXPECT_EQ(rs->recordCount(), 1);
}

TEST(RecordsetCopy, IsIndependentOfTheSource) {
    auto rs = MakeSample();
    auto copy = Recordset::copyOf(*rs);
    copy->setValue("Name", "Changed");
    copy->deleteCurrent();
    EXPECT_EQ(rs->value("Name").toString(), "Anna");
    EXPECT_EQ(rs->recordCount(), 5);
}

TEST(RecordsetLifecycle, ClosedSetRefusesUseAndCanBeOpenedAgainEmpty) {
    auto rs = MakeSample();
    EXPECT_THROW(rs->open(), Error);
    rs->close();
    try {
        rs->moveFirst();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number, 3704);
    }
    rs->open();
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->fieldCount(), 4u);
}

TEST(RecordsetLifecycle, DetachKeepsTheRows) {
    auto rs = MakeSample();
    rs->detach();
    EXPECT_TRUE(rs->isDetached());
    rs->setFilter("Key = 3");
    EXPECT_EQ(rs->value("Name").toString(), "O'Neil");
}

}  // namespace
}  // namespace qelt
