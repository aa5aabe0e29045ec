#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/host_fake.h"
#include "editing/fmaker_fixture.h"
#include "qelt/host/components.h"
#include "qelt/host/prog_ids.h"
#include "qelt/ui/dump.h"
#include "qelt/ui/grid.h"

namespace qelt::testing {
namespace {

// The condition grid of the dialog, wired to the maker as the dialog wires it,
// over the fields FBillNo (text), FDate (date), FQty (decimal), FStatus (a
// status column of type 3), FRel (relation sign) and FItem (a material
// looked up by number; its conditions carry an action).
class ConditionRows : public FMakerTest {
protected:
    enum Field { kBillNo = 1, kDate, kQty, kStatus, kRel, kItem };

    ConditionRows() {
        grid.setMaxCols(12);
        maker.setvasProperty(&grid);
        checks();
        grid.onChange = [this](int row, int col) { maker.ConditionCellChanged(row, col); };
        grid.onEditEnd = [this](int, int, bool) { maker.ConditionEditEnd(); };
        column("1 FBillNo 1");
        column("2 FDate 0");
        column("3 FQty 2");
        column("4 FStatus 3");
        column("5 FRel 12");
        column("6 FItem 1 | FItemClassID=4, FReturnDataType=1, FControl=2, FAction='t.x'");
        initField();
    }

    // From here on the library's statements go to the fake connection.
    void fakeConnection() {
        connection = HostFake::Install({"AppConnection"});
        connection->rows["AppConnection"] = Rows({});
    }

    // Without the leave-cell checks rows are written as a loaded scheme does.
    void quiet() { grid.onLeaveCell = nullptr; }
    void checks() {
        grid.onLeaveCell = [this](int row, int col, int newRow, int newCol, bool& cancel) {
            cancel = !maker.ConditionLeaveCell(row, col, newRow, newCol);
        };
    }
    std::string active() const {
        return std::to_string(grid.activeRow()) + "," + std::to_string(grid.activeCol());
    }

    // One condition row through the person's actions; comparison -1 keeps
    // the default, value nullptr leaves the value cell alone.
    void row(int r, int field, int comparison = -1, const char* value = nullptr) {
        ASSERT_TRUE(grid.pick(r, 3, field));
        if (comparison >= 0) {
            ASSERT_TRUE(grid.pick(r, 4, comparison));
        }
        if (value) grid.setText(r, 6, value);
    }

    std::string elements() {
        bool ok = false;
        auto c = maker.getFilterElements(grid, &ok);
        std::string s = ok ? "ok" : "failed";
        if (!c) return s + " (no collection)" + messages();
        for (const auto& e : *c)
            s += "\n[" + e->sAndOr + "][" + e->sLeftParentheses + "]" + e->sFieldName + "|" +
                 e->sFieldAlias + "|" + e->sTableName + "|" + e->sTableAlias + "|op " +
                 e->sLogicOperator + "|[" + e->sValue + "] type " + std::to_string(e->lFieldType) +
                 "[" + e->sRightParentheses + "]" + e->sAction;
        return s + messages();
    }

    ui::Grid grid{"VpFilter"};
    std::shared_ptr<HostFake> connection;
};

TEST_F(ConditionRows, PreparedGridHasOneRowPerFieldWithListsAndLockedFirstLogic) {
    const std::string cells =
        "CL1@-1/10 \"\" | CL2@-1/10 \"\" | CL3@-1/10 \"\" | CL4@-1/10 \"\" | E \"\" | "
        "CL5@-1/10 \"\" | E \"\" | E \"\" | E \"\" | E \"\" | E \"\"\n";
    std::string expected =
        "Grid VpFilter rows=6 cols=12 active=1,1\n"
        "  0: \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | \"\" | "
        "\"\" | \"\" | \"\"\n"
        "  1: E!{TooltipBackground/WindowText} \"\" | " +
        cells;
    for (int r = 2; r <= 6; ++r)
        expected += "  " + std::to_string(r) + ": CL6@-1/10 \"\" | " + cells;
    expected +=
        "  L1: \" \" \"(\" \"((\" \"(((\" \"((((\"\n"
        "  L2: \"(无)\" \"FBillNo\" \"FDate\" \"FQty\" \"FStatus\" \"FRel\" \"FItem\"\n"
        "  L3: \"等于\" \"不等于\" \"大于\" \"大于或等于\" \"小于\" \"小于或等于\" \"包含\" "
        "\"不包含\" \"为空值\" \"不为空值\"\n"
        "  L4: \"1\" \"2\" \"3\" \"4\" \"5\" \"6\" \"9\" \"10\" \"7\" \"8\"\n"
        "  L5: \" \" \")\" \"))\" \")))\" \"))))\"\n"
        "  L6: \"并且\" \"或者\"\n";
    EXPECT_EQ(ui::Dump(grid), expected);

    // ClearAll empties what the user did and prepares the rows again.
    quiet();
    row(1, kRel, 0, "5");
    row(2, kRel);
    grid.setText(2, 1, "或者");
    maker.ClearAll();
    grid.setActiveCell(1, 1);
    EXPECT_EQ(ui::Dump(grid), expected);
}

TEST_F(ConditionRows, ListWithoutConditionFieldsGivesAnEmptyGrid) {
    support::Shared().TemplateID = 8;
    maker.InitField();
    EXPECT_EQ(ui::Dump(grid).substr(0, ui::Dump(grid).find('\n')),
              "Grid VpFilter rows=0 cols=12 active=1,1");
    EXPECT_EQ(maker.ConditionFieldCount(), 0);
}

// Picking a field sets up the comparisons and the value cell by its type.
TEST_F(ConditionRows, ChangedFieldSetsComparisonsDefaultAndValueCellByType) {
    support::Shared().PrecisionOfDiscountRate = 3;
    const char* all = "等于,不等于,大于,大于或等于,小于,小于或等于,包含,不包含,为空值,不为空值,";
    const char* six = "等于,不等于,大于,大于或等于,小于,小于或等于,";
    const char* other = "等于,不等于,为空值,不为空值,";
    const std::string decimal6 = "N(-99999999.999999..99999999.999999/6) \"\" 等于 ";
    const std::vector<std::pair<int, std::string>> cases = {
        {0, std::string("D \"\" 大于或等于 ") + six},
        {1, std::string("E<=200 \"\" 包含 ") + all},
        {3, std::string("N(-999999999..999999999/0) \"\" 等于 ") + six},
        {2, decimal6 + six},
        {4, decimal6 + six},
        {6, decimal6 + six},
        {7, decimal6 + other},
        {8, decimal6 + six},
        {40, decimal6 + six},
        {5, std::string("N(-999999.9999..999999.9999/3) \"\" 等于 ") + six},
        {9, std::string("N(-999999.99999999..999999.99999999/8) \"\" 等于 ") + six},
        {10, std::string("N(-999999.99..999999.99/2) \"\" 等于 ") + six},
        {11, std::string("N(-999999.99..999999.99/2) \"\" 等于 ") + six},
        {12, std::string("E \"\" 等于 ") + other},
        {13, std::string("E \"\" 等于 ") + other},
    };
    addList(2, 8, "v1");
    int id = 100;
    for (const auto& [type, expected] : cases)
        addColumn(8, std::to_string(++id) + " v1.F AS F | FColType=" + std::to_string(type) +
                         ", FColCaption='F" + std::to_string(type) + "'");
    addColumn(8,
              "200 u1.FStatus AS FStatus | FColType=3, FTableName='ICStockBill', FName='FStat', "
              "FColCaption='S'");
    t.InitData("");
    support::Shared().TemplateID = 8;
    maker.InitField();
    // The value cell as the dump shows it, the comparison and the word list.
    auto describe = [&](int r) {
        std::string line = ui::Dump(grid);
        line = line.substr(line.find("\n  " + std::to_string(r) + ": ") + 1);
        std::size_t at = 0;
        for (int i = 0; i < 5; ++i) at = line.find(" | ", at) + 3;
        std::string s = line.substr(at, line.find(" | ", at) - at) + " " + grid.text(r, 4) + " ";
        for (const auto& w : grid.comboItems(r, 4)) s += w + ",";
        return s;
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        grid.setText(1, 6, "stale");
        ASSERT_TRUE(grid.pick(1, 3, static_cast<int>(i) + 1));
        EXPECT_EQ(describe(1), cases[i].second) << "type " << cases[i].first;
    }
    ASSERT_TRUE(grid.pick(1, 3, static_cast<int>(cases.size()) + 1));
    EXPECT_EQ(describe(1), std::string("N!(-999999999..999999999/0) \"\" 为空值 为空值,不为空值,"));
    std::string internal;
    for (int c = 8; c <= 12; ++c) internal += grid.text(1, c) + "|";
    EXPECT_EQ(internal, "200|FStat|FStatus|ICStockBill|u1|");
    EXPECT_EQ(grid.locked(1, 6), true) << "an emptiness comparison takes no value";

    // Back to "(无)": nothing changes.
    ASSERT_TRUE(grid.pick(1, 3, 0));
    EXPECT_EQ(grid.text(1, 8), "200");
}

TEST_F(ConditionRows, ChangedComparisonWritesZeroForNumbersAndKeepsTheCodeInStep) {
    struct Case {
        int field;
        int comparison;
        std::string value, code;
    } cases[] = {
        {kQty, 3, "0.0", "4"},  // a typed value is replaced
        {kBillNo, 8, "", "7"},  // the code of the list position; no value for emptiness
        {kBillNo, 6, "12", "9"}, {kDate, 5, "12", "6"}, {kRel, 1, "12", "2"},
    };
    for (const auto& c : cases) {
        grid.pick(1, 3, c.field);
        grid.setText(1, 6, "12");
        ASSERT_TRUE(grid.pick(1, 4, c.comparison));
        EXPECT_EQ(
            grid.text(1, 6) + "|" + grid.text(1, 5) + "|" + std::to_string(grid.comboIndex(1, 5)),
            c.value + "|" + c.code + "|" + std::to_string(c.comparison))
            << c.field << " " << c.comparison;
    }
    // An emptiness comparison locks and empties the value; another unlocks it.
    grid.pick(1, 3, kBillNo);
    grid.setText(1, 6, "x");
    grid.pick(1, 4, 9);
    EXPECT_EQ(std::to_string(grid.locked(1, 6)) + "[" + grid.text(1, 6) + "]", "1[]");
    grid.pick(1, 4, 0);
    EXPECT_FALSE(grid.locked(1, 6));
}

TEST_F(ConditionRows, LeavingFirstRowIncompleteIsRefused) {
    const std::string missing = "|请你务必在条件输入框的第一行中输入相应的条件！|Vostrel提示|64|0";
    EXPECT_FALSE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), missing);
    EXPECT_EQ(active(), "1,3");

    // Within row 1 and out of the grid nothing is checked.
    EXPECT_TRUE(grid.moveTo(1, 4));
    EXPECT_TRUE(grid.leave());
    EXPECT_EQ(messages(), "");

    row(1, kBillNo);  // comparison 包含 by default, no value
    EXPECT_FALSE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), missing);
    EXPECT_EQ(active(), "1,6");

    grid.pick(1, 4, 8);  // 为空值 needs no value
    EXPECT_TRUE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), "");
    EXPECT_EQ(grid.text(2, 1), "") << "no field yet, so no logic word";
}

TEST_F(ConditionRows, PreviousRowChecksRefuseMovesAndClearTheRowOnlyWithinIt) {
    const std::string previous = "|条件输入错误：上一行的条件内容不能为空。|Vostrel提示|64|0";
    quiet();
    row(1, kBillNo, 0, "A");
    row(2, kBillNo, 0, "");
    row(3, kQty, 0, "3");
    grid.setActiveCell(2, 3);
    checks();

    // Down from row 2: its logic cell is empty.
    EXPECT_FALSE(grid.moveTo(3, 3));
    EXPECT_EQ(messages(), previous);
    EXPECT_EQ(active(), "2,5");
    EXPECT_EQ(grid.text(2, 3), "FBillNo") << "moving to another row keeps the row";

    // Within row 2 the logic word is filled in; down then fails on the value.
    EXPECT_TRUE(grid.moveTo(2, 4));
    EXPECT_EQ(grid.text(2, 1) + std::to_string(grid.comboIndex(2, 1)), "并且0");
    EXPECT_FALSE(grid.moveTo(3, 3));
    EXPECT_EQ(messages(), previous);
    grid.setText(2, 6, "B");
    EXPECT_TRUE(grid.moveTo(3, 3));
    EXPECT_EQ(grid.text(3, 1), "并且") << "entering a row with a field fills its logic";
    EXPECT_EQ(messages(), "");

    // Within row 3 while row 2 has lost its logic word: row 3 is emptied.
    grid.setText(2, 1, "");
    EXPECT_FALSE(grid.moveTo(3, 4));
    EXPECT_EQ(messages(), previous);
    std::string row3;
    for (int c = 1; c <= 12; ++c) row3 += grid.text(3, c);
    EXPECT_EQ(row3, "");
    EXPECT_EQ(maker.LastConditionRow(), 3);
}

TEST_F(ConditionRows, RowWithoutLogicChoiceIsEmptied) {
    quiet();
    row(1, kBillNo, 0, "A");
    grid.setText(2, 2, "(");
    grid.setText(2, 8, "9");
    grid.setActiveCell(2, 2);
    checks();
    EXPECT_TRUE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(),
              "|条件输入不完整：请你务必在条件输入框的第一列中选择合适的逻辑！|Vostrel提示|64|0");
    EXPECT_EQ(grid.text(2, 2) + grid.text(2, 8), "");
}

TEST_F(ConditionRows, InvalidDateInValueCellKeepsTheCell) {
    row(1, kDate);
    EXPECT_TRUE(grid.type(1, 6, "2026-02-30"));
    EXPECT_TRUE(grid.moveTo(1, 4)) << "moves within the first row are not checked";
    grid.setActiveCell(1, 6);
    EXPECT_FALSE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), "|日期不合法！请重新输入|Vostrel提示：|64|0");
    EXPECT_EQ(active(), "1,6");
    grid.setText(1, 6, "2026-02-28");
    EXPECT_TRUE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), "");
}

TEST_F(ConditionRows, MaterialCheckQueriesByReturnTypeWithQuotedValue) {
    column("7 FItemId 1 | FItemClassID=4, FReturnDataType=0, FName='FItemID'");
    column("8 FShort 1 | FItemClassID=4, FReturnDataType=1, FName='fShortNumber'");
    column("9 FItemName 1 | FItemClassID=4, FReturnDataType=2, FName='FName'");
    column("10 FOther 1 | FItemClassID=4, FReturnDataType=3");
    initField();
    fakeConnection();
    const std::string tail = " AND FErpClsID IN (6,8)";
    struct Case {
        int field;
        const char* value;
        std::string statement;
    } cases[] = {
        {7, " 42 ", "SELECT FErpClsID FROM t_ICItem WHERE FItemID=42" + tail},
        {7, "4.5", ""},
        {7, "1 OR 1=1", ""},
        {7, "", ""},
        {kItem, "01.001", "SELECT FErpClsID FROM t_ICItem WHERE FNumber='01.001'" + tail},
        {8, "S1", "SELECT FErpClsID FROM t_ICItem WHERE FShortNumber='S1'" + tail},
        {9, "O'Neil", "SELECT FErpClsID FROM t_ICItem WHERE FName='O''Neil'" + tail},
        {10, "x", ""},
    };
    for (const auto& c : cases) {
        grid.pick(1, 3, c.field);
        grid.setText(1, 6, c.value);
        connection->calls.clear();
        EXPECT_EQ(maker.CheckData(1, 6), 0);
        std::erase(connection->calls, "AppConnection.new");
        EXPECT_EQ(connection->take(),
                  c.statement.empty() ? "" : "AppConnection.getanyrecordset([" + c.statement + "])")
            << c.field << " " << c.value;
    }
    EXPECT_EQ(maker.CheckData(1, 5), 0) << "only the value cell is checked";

    // A material of the feature or planning class is reported, on edit end
    // and on leaving the cell, which is not held.
    const std::string forbidden = "输入的物料不能够为特征类或规划类。请重新选择";
    connection->rows["AppConnection"] = Rows({{"FErpClsID", 6}});
    grid.pick(1, 3, kItem);
    std::string reason;
    grid.setText(1, 6, "01.001");
    EXPECT_EQ(maker.CheckData(1, 6, &reason), -1);
    EXPECT_EQ(reason, forbidden);
    EXPECT_TRUE(grid.type(1, 6, "01.002"));
    EXPECT_TRUE(grid.moveTo(2, 3));
    EXPECT_EQ(messages(), "|" + forbidden + "|Vostrel提示|64|0|" + forbidden + "|Vostrel提示|64|0");
    grid.pick(1, 3, kBillNo);
    EXPECT_EQ(maker.CheckData(1, 6), 0) << "only material fields are checked";
}

TEST_F(ConditionRows, FilterElementsLiteralsByColumnType) {
    quiet();
    struct Case {
        int field, comparison;
        const char* value;
        std::string expected;
    } cases[] = {
        {kBillNo, 0, "X", "ok\n[   ][]FBillNo|FBillNo||v1|op 1|['X'] type 1[]"},
        {kBillNo, 6, "O'Brien", "ok\n[   ][]FBillNo|FBillNo||v1|op 9|['O''Brien'] type 1[]"},
        {kBillNo, 0, "", "ok\n[   ][]FBillNo|FBillNo||v1|op 1|[''] type 1[]"},
        {kBillNo, 9, "", "ok\n[   ][]FBillNo|FBillNo||v1|op 8|[''] type 1[]"},
        {kDate, 3, "2026-12-06", "ok\n[   ][]FDate|FDate||v1|op 4|[ '2026/12/06' ] type 1[]"},
        {kDate, 0, "2026/1/5", "ok\n[   ][]FDate|FDate||v1|op 1|[ '2026/01/05' ] type 1[]"},
        {kDate, 0, "2026-13-01", "failed (no collection)|日期不合法，请重新输入|Vostrel提示|64|0"},
        {kQty, 2, " 12.5 ", "ok\n[   ][]FQty|FQty||v1|op 3|[12.5] type 2[]"},
        {kQty, 0, "", "failed (no collection)|条件数据录入不完整！|Vostrel提示|64|0"},
        {kQty, 0, "1 OR 1=1", "failed (no collection)|条件数据录入不完整！|Vostrel提示|64|0"},
        {kRel, 2, "  ", "ok\n[   ][]FRel|FRel||v1|op 7|[0] type 2[]"},
        {kStatus, 1, "", "ok\n[   ][]FStatus|FStatus||v1|op 8|[0] type 2[]"},
        {kItem, 0, "01", "ok\n[   ][]FItem|FItem||v1|op 1|['01'] type 1[]t.x"},
    };
    for (const auto& c : cases) {
        row(1, c.field, c.comparison, c.value);
        grid.setLocked(1, 6, false);
        grid.setText(1, 6, c.value);
        EXPECT_EQ(elements(), c.expected) << c.field << " " << c.value;
    }
    grid.setComboIndex(1, 4, -1);
    EXPECT_EQ(elements(), "failed (no collection)|条件数据录入不完整！|Vostrel提示|64|0");

    // A quote in a contained text leaves the statement balanced.
    row(1, kBillNo, 7, "O'Brien");
    t.setCollectionFilter(maker.getFilterElements(grid));
    EXPECT_EQ(t.GetWhereSQL({}), " (     FBillNo NOT LIKE '%O''Brien%') ");
}

TEST_F(ConditionRows, FilterElementsLogicWordsParenthesesAndBlankRowsSkipped) {
    quiet();
    EXPECT_EQ(elements(), "ok") << "no field in the first row: no conditions";
    row(1, kBillNo, 0, "A");
    grid.pick(1, 2, 2);
    row(2, kQty, 0, "1");
    grid.pick(2, 1, 1);
    grid.pick(2, 7, 1);
    row(3, kBillNo, 1, "B");
    grid.pick(3, 7, 1);
    grid.setText(3, 10, "");  // no alias: the element keeps empty names
    row(5, kBillNo, 0, "below a blank row");
    EXPECT_EQ(elements(),
              "ok\n"
              "[   ][((]FBillNo|FBillNo||v1|op 1|['A'] type 1[]\n"
              "[ OR ][]FQty|FQty||v1|op 1|[1] type 2[)]\n"
              "[ AND ][]||||op 2|['B'] type 1[)]\n"
              "[ AND ][]FBillNo|FBillNo||v1|op 1|['below a blank row'] type 1[]");
    // Without its first rows the first condition still carries no connective,
    // and a parenthesis no pick list offers is refused.
    grid.clearRange(1, 1, 3, 12);
    grid.setText(5, 2, "1=1) OR (");
    EXPECT_EQ(elements(), "failed (no collection)|条件数据录入不完整！|Vostrel提示|64|0");
    grid.setText(5, 2, " ((( ");
    EXPECT_EQ(elements(),
              "ok\n[   ][ ((( ]FBillNo|FBillNo||v1|op 1|['below a blank row'] type 1[]");
}

TEST_F(ConditionRows, ParenthesisCheckCountsOpeningAndClosing) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> parens;
        std::string expected;
    } cases[] = {
        {{}, "1"},
        {{{"((", ""}, {"", ")"}, {" ", " ) "}}, "1"},
        {{{"", ")"}, {"(", ""}}, "0|左右括号的匹配有误！|Vostrel提示|64|0"},
        {{{"(", ""}}, "0|左右括号数量不等！|Vostrel提示|64|0"},
        {{{"((((", "))))"}, {"(((((", ""}}, "1"},  // five signs are no parenthesis
        {{{"(x", ""}}, "1"},
    };
    for (const auto& c : cases) {
        Collection<clsFilterElement> elements;
        for (const auto& [left, right] : c.parens) {
            auto e = std::make_shared<clsFilterElement>();
            e->sLeftParentheses = left;
            e->sRightParentheses = right;
            elements.push_back(e);
        }
        const bool balanced = editing::FMaker::CheckParentheses(&elements);
        EXPECT_EQ(std::to_string(balanced) + messages(), c.expected);
    }
    EXPECT_TRUE(editing::FMaker::CheckParentheses(nullptr));
}

// F7 reaches the look-up only from the value cell of a row with a field, and
// the chosen item's code lands there.
TEST_F(ConditionRows, F7OnTheValueCellLooksTheFieldUpWithTheDialogsList) {
    auto fakes = HostFake::Install({"GLView"});
    fakes->number = "01.001";
    support::Shared().BaseInfo = "x|3";
    row(1, kItem);
    grid.setActiveCell(1, 4);
    maker.ConditionKeyDown(118, 620);
    EXPECT_EQ(fakes->take(), "");
    grid.setActiveCell(1, 6);
    maker.ConditionKeyDown(117, 620);
    EXPECT_EQ(fakes->take(), "");
    maker.ConditionKeyDown(118, 620);
    EXPECT_EQ(fakes->take(),
              "GLView.new; GLView.ItemLookup(4,[],[FErpClsID<>6 AND FErpClsID<>8],"
              "{Search=[],GetDataType=[1]})");
    EXPECT_EQ(grid.text(1, 6), "01.001");
    maker.KeyForHelpWin(2, 1);
    EXPECT_EQ(fakes->take(), "");
}

}  // namespace
}  // namespace qelt::testing
