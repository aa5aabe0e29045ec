#include "qelt/ui/grid.h"

#include <gtest/gtest.h>

#include <string>

#include "qelt/ui/controls.h"
#include "qelt/ui/dump.h"

namespace qelt::ui {
namespace {

std::string Pair(int r, int c) {
    return std::to_string(r) + "," + std::to_string(c);
}

// 3 x 5, handlers logging every event, a key preview dropping quotes: column 1 combos ("a", "b";
// row 2 holds "a"), column 2 edit cells of 3 characters, column 3 number cells (0 to 999999.99, two
// decimals; row 3 locked), column 4 check boxes, column 5 date cells (row 3 static).
struct Recorded {
    Grid g{"g"};
    std::string log;
    bool cancelMoves = false;

    Recorded() {
        g.setMaxCols(5);
        g.setMaxRows(3);
        g.setCellType(Grid::All, 1, CellType::ComboBox);
        g.setComboList(Grid::All, 1, "a\tb");
        g.setText(2, 1, "a");
        g.setMaxLength(Grid::All, 2, 3);
        g.setCellType(Grid::All, 3, CellType::Number);
        g.setNumberLimits(Grid::All, 3, {0, 999999.99, 2});
        g.setLocked(3, 3, true);
        g.setCellType(Grid::All, 4, CellType::CheckBox);
        g.setCellType(Grid::All, 5, CellType::Date);
        g.setCellType(3, 5, CellType::Static);
        g.previewKeyPress = [](int& key) { key = key == '\'' ? 0 : key; };
        g.onLeaveCell = [this](int r, int c, int nr, int nc, bool& cancel) {
            log += "Leave(" + Pair(r, c) + "->" + Pair(nr, nc) + ") ";
            cancel = cancelMoves;
        };
        g.onChange = [this](int r, int c) {
            log += "Change(" + Pair(r, c) + ")=" + g.text(r, c) + " ";
        };
        g.onEditEnd = [this](int r, int c, bool changed) {
            log += "EditEnd(" + Pair(r, c) + (changed ? ",1) " : ",0) ");
        };
        g.onButtonClicked = [this](int r, int c, int v) {
            log += "Button(" + Pair(r, c) + ")=" + std::to_string(v) + " ";
        };
        g.onClick = [this](int r, int c) { log += "Click(" + Pair(r, c) + ") "; };
        g.onKeyDown = [this](int& key, int) { log += "KeyDown(" + std::to_string(key) + ") "; };
    }
};

// Each user action's events in order, then its result. Locked, static, combo
// and check-box cells refuse typing; a number cell takes a blank or a number
// within its limits; a date cell anything (the rules check dates).
TEST(GridActions, EachActionFiresItsEventsInOrder) {
    const std::pair<std::function<bool(Grid&)>, const char*> cases[] = {
        {[](Grid& g) { return g.moveTo(2, 3); }, "Leave(1,1->2,3) =1"},
        {[](Grid& g) { return g.moveTo(1, 1); }, "=1"},  // the active cell
        {[](Grid& g) { return g.type(2, 2, "a'b"); },
         "Leave(1,1->2,2) Change(2,2)=ab EditEnd(2,2,1) =1"},
        {[](Grid& g) { return g.type(1, 2, ""); }, "Leave(1,1->1,2) EditEnd(1,2,0) =1"},
        {[](Grid& g) { return g.pick(3, 1, 1); }, "Leave(1,1->3,1) Change(3,1)=b =1"},
        {[](Grid& g) { return g.pick(2, 1, 0); }, "Leave(1,1->2,1) =1"},  // already selected
        {[](Grid& g) { return g.clickCheck(1, 4); }, "Leave(1,1->1,4) Button(1,4)=1 =1"},
        {[](Grid& g) { return g.click(2, 4); }, "Leave(1,1->2,4) Click(2,4) =1"},
        {[](Grid& g) { return g.click(0, 3); }, "Click(0,3) =1"},
        {[](Grid& g) { return g.key(kKeyF7); }, "KeyDown(118) =1"},
        {[](Grid& g) { return g.leave(); }, "Leave(1,1->-1,-1) =1"},
        {[](Grid& g) { return g.moveTo(4, 1); }, "=0"},
        {[](Grid& g) { return g.moveTo(0, 1); }, "=0"},
        {[](Grid& g) { return g.type(3, 3, "1"); }, "Leave(1,1->3,3) =0"},
        {[](Grid& g) { return g.type(3, 5, "x"); }, "Leave(1,1->3,5) =0"},
        {[](Grid& g) { return g.type(3, 1, "a"); }, "Leave(1,1->3,1) =0"},
        {[](Grid& g) { return g.type(2, 4, "1"); }, "Leave(1,1->2,4) =0"},
        {[](Grid& g) { return g.type(3, 2, "数值abc"); },  // characters, not bytes
         "Leave(1,1->3,2) Change(3,2)=数值a EditEnd(3,2,1) =1"},
        {[](Grid& g) { return g.type(2, 5, "2026/13/40"); },
         "Leave(1,1->2,5) Change(2,5)=2026/13/40 EditEnd(2,5,1) =1"},
        {[](Grid& g) { return g.type(1, 3, " 999999.99 "); },
         "Leave(1,1->1,3) Change(1,3)= 999999.99  EditEnd(1,3,1) =1"},
        {[](Grid& g) { return g.type(1, 3, " "); },
         "Leave(1,1->1,3) Change(1,3)=  EditEnd(1,3,1) =1"},
        {[](Grid& g) { return g.type(1, 3, "1000000"); }, "Leave(1,1->1,3) =0"},
        {[](Grid& g) { return g.type(1, 3, "1.005"); }, "Leave(1,1->1,3) =0"},
        {[](Grid& g) { return g.type(1, 3, "-1"); }, "Leave(1,1->1,3) =0"},
        {[](Grid& g) { return g.type(1, 3, "1e3"); }, "Leave(1,1->1,3) =0"},
    };
    for (const auto& [act, log] : cases) {
        Recorded t;
        const bool result = act(t.g);
        EXPECT_EQ(t.log + "=" + std::to_string(result), log);
    }
}

// A refused move keeps the active cell and refuses the edit; a click still
// reaches the rules; hidden columns and a disabled grid fire nothing; a cell
// a LeaveCell handler makes active stays active, also the cell left.
TEST(GridActions, CancelledMoveKeepsTheActiveCellAndRefusesTheEdit) {
    Recorded t;
    t.cancelMoves = true;
    EXPECT_FALSE(t.g.moveTo(3, 2) || t.g.type(3, 2, "x") || t.g.leave());
    EXPECT_FALSE(t.g.click(2, 1));
    EXPECT_EQ(t.log,
              "Leave(1,1->3,2) Leave(1,1->3,2) Leave(1,1->-1,-1) Leave(1,1->2,1) Click(2,1) ");
    EXPECT_EQ(Pair(t.g.activeRow(), t.g.activeCol()) + "[" + t.g.text(3, 2) + "]", "1,1[]");
    t.log.clear();
    t.g.setColHidden(3, true);
    EXPECT_FALSE(t.g.moveTo(1, 3));
    t.g.setEnabled(false);
    EXPECT_FALSE(t.g.moveTo(2, 2) || t.g.click(2, 2) || t.g.key(kKeyDelete));
    EXPECT_EQ(t.log, "");
    t.g.setEnabled(true);
    t.g.onLeaveCell = [&t](int, int, int, int, bool&) { t.g.setActiveCell(1, 2); };
    EXPECT_FALSE(t.g.moveTo(3, 4));
    t.g.onLeaveCell = [&t](int r, int c, int, int, bool&) { t.g.setActiveCell(r, c); };
    EXPECT_FALSE(t.g.moveTo(3, 4));
    EXPECT_EQ(Pair(t.g.activeRow(), t.g.activeCol()), "1,2");
}

// A combo cell's text and selection follow each other (" " is an item, ""
// not; a new list keeps the text). Writes by code to check boxes are reported.
TEST(GridCells, ComboSelectionFollowsTheTextAndCheckBoxWritesComeBack) {
    Grid g("g");
    g.setMaxCols(3);
    g.setMaxRows(1);
    g.setCellType(1, 1, CellType::ComboBox);
    g.setComboList(1, 1, " \t(\t((");
    std::string seen;
    for (const std::function<void()>& step : std::initializer_list<std::function<void()>>{
             [&] { g.setText(1, 1, "(("); }, [&] { g.setText(1, 1, ""); },
             [&] { g.setText(1, 1, "("); }, [&] { g.setComboList(1, 1, "((\t("); },
             [&] { g.setComboIndex(1, 1, 0); }, [&] { g.setComboIndex(1, 1, 5); }}) {
        step();
        seen += "[" + g.text(1, 1) + "]" + std::to_string(g.comboIndex(1, 1)) + " ";
    }
    g.setCellType(1, Grid::All, CellType::CheckBox);
    bool own = false;
    g.onButtonClicked = [&](int r, int c, int v) {
        seen += std::to_string(c) + "=" + std::to_string(v) + (own ? "(own) " : " ");
        if ((own = !own)) g.setText(r, 5 - c, v == 1 ? "0" : "1");
    };
    g.setText(1, 2, "1");
    for (int i = 0; i < 2; ++i) {
        g.clickCheck(1, 3);
        seen += g.text(1, 2) + g.text(1, 3) + "; ";
    }
    EXPECT_EQ(seen,
              "[((]2 []-1 [(]1 [(]1 [((]0 []-1 2=1 3=0(own) 3=1 2=0(own) 01; 3=0 2=1(own) 10; ");
}

// Rows inserted and deleted (the count stays), added (column defaults),
// a range cleared; a row's own settings move with it.
TEST(GridDump, RowOperationsMoveRowsWithTheirSettings) {
    Grid g("VpFilter");
    g.setMaxCols(3);
    g.setMaxRows(3);
    g.setColHidden(3, true);
    g.setCellType(Grid::All, 1, CellType::ComboBox);
    g.setComboList(Grid::All, 1, " \t(\t((");
    g.setComboMaxDrop(Grid::All, 1, 10);
    g.setComboList(2, 1, "并且\t或者");
    g.setText(2, 1, "并且");
    g.setLocked(1, 1, true);
    g.setCellType(2, 2, CellType::Number);
    g.setNumberLimits(2, 2, {0, 99999999.999999, 6});
    g.setText(2, 2, "0.0");
    g.setText(3, 2, "r3");
    g.setEditMode(true);
    g.insertRows(1);
    g.deleteRows(2);
    g.setMaxRows(4);
    g.clearRange(2, 1, 2, 1);
    EXPECT_EQ(Dump(g),
              "Grid VpFilter rows=4 cols=3 active=1,1 editing hidden-cols=3\n"
              "  0: \"\" | \"\" | \"\"\n"
              "  1: CL1@-1/10 \"\" | E \"\" | E \"\"\n"
              "  2: CL2@-1/10 \"\" | N(0..99999999.999999/6) \"0.0\" | E \"\"\n"
              "  3: CL1@-1/10 \"\" | E \"\" | E \"\"\n"
              "  4: CL1@-1/10 \"\" | E \"\" | E \"\"\n"
              "  L1: \" \" \"(\" \"((\"\n"
              "  L2: \"并且\" \"或者\"\n");
}

TEST(GridNotifications, ObserversHearWhatChangedAndNothingWhileDrawingIsSuspended) {
    Grid g("g");
    g.setMaxCols(3);
    g.setMaxRows(3);
    const char* names[] = {"Visible",    "Enabled",  "Caption",      "Value",       "Items",
                           "Selection",  "Cells",    "RowsInserted", "RowsRemoved", "Size",
                           "ActiveCell", "EditMode", "All",          "ToolTip",     "Hint"};
    std::string heard;
    const int id = g.subscribe([&](const Control&, const Change& ch) {
        heard += std::string(names[static_cast<int>(ch.what)]) + ":" + Pair(ch.row, ch.col) + "-" +
                 Pair(ch.row2, ch.col2) + "x" + std::to_string(ch.count) + " ";
    });
    g.setText(2, 3, "x");             // Cells 2,3-2,3
    g.setLocked(Grid::All, 2, true);  // Cells 1,2-3,2
    g.insertRows(2, 2);               // RowsInserted at 2 x2
    g.moveTo(3, 1);                   // ActiveCell 3,1
    g.setReDraw(false);
    g.setText(1, 1, "a");
    g.deleteRows(1);
    g.setReDraw(true);                 // one All
    g.setMaxRows(4);                   // Size: new 4,3, was 3,3
    g.setColTakesSpareWidth(2, true);  // Size: the counts unchanged
    g.setHint("选择字段");
    g.setHint("选择字段");  // one Hint
    EXPECT_TRUE(g.colTakesSpareWidth(2) && !g.colTakesSpareWidth(3));
    g.unsubscribe(id);
    g.setText(1, 1, "b");
    EXPECT_EQ(heard,
              "Cells:2,3-2,3x0 Cells:1,2-3,2x0 RowsInserted:2,0-0,0x2 ActiveCell:3,1-0,0x0 "
              "All:0,0-0,0x0 Size:4,3-3,3x0 Size:4,3-4,3x0 Hint:0,0-0,0x0 ");
}

}  // namespace
}  // namespace qelt::ui
