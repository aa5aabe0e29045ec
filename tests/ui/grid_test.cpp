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
std::string At(int r, int c) {
    return "(" + Pair(r, c) + ")";
}

// A 3 x 4 grid whose handlers write every event into `log`.
struct Recorded {
    Grid g{"g"};
    std::string log;
    bool cancelMoves = false;

    Recorded() {
        g.setMaxCols(4);
        g.setMaxRows(3);
        g.onLeaveCell = [this](int r, int c, int nr, int nc, bool& cancel) {
            log += "Leave(" + Pair(r, c) + "->" + Pair(nr, nc) + ") ";
            cancel = cancelMoves;
        };
        g.onChange = [this](int r, int c) {
            log += "Change" + At(r, c) + "=" + g.text(r, c) + " ";
        };
        g.onEditEnd = [this](int r, int c, bool changed) {
            log += "EditEnd(" + Pair(r, c) + (changed ? ",1) " : ",0) ");
        };
        g.onButtonClicked = [this](int r, int c, int v) {
            log += "Button" + At(r, c) + "=" + std::to_string(v) + " ";
        };
        g.onClick = [this](int r, int c) { log += "Click" + At(r, c) + " "; };
        g.onKeyDown = [this](int& key, int) { log += "KeyDown(" + std::to_string(key) + ") "; };
    }
};

std::string Active(const Grid& g) {
    return Pair(g.activeRow(), g.activeCol());
}

TEST(GridActions, EachActionFiresItsEventsInOrder) {
    struct Case {
        const char* what;
        std::function<bool(Grid&)> act;
        bool result;
        const char* log;
    };
    const Case cases[] = {
        {"move", [](Grid& g) { return g.moveTo(2, 3); }, true, "Leave(1,1->2,3) "},
        {"move to the active cell", [](Grid& g) { return g.moveTo(1, 1); }, true, ""},
        {"type", [](Grid& g) { return g.type(2, 2, "ab"); }, true,
         "Leave(1,1->2,2) Change(2,2)=ab EditEnd(2,2,1) "},
        {"type the same text", [](Grid& g) { return g.type(1, 2, ""); }, true,
         "Leave(1,1->1,2) EditEnd(1,2,0) "},
        {"pick", [](Grid& g) { return g.pick(3, 1, 1); }, true, "Leave(1,1->3,1) Change(3,1)=b "},
        {"pick the selected item", [](Grid& g) { return g.pick(2, 1, 0); }, true,
         "Leave(1,1->2,1) "},
        {"click a check box", [](Grid& g) { return g.clickCheck(1, 4); }, true,
         "Leave(1,1->1,4) Button(1,4)=1 "},
        {"click a cell", [](Grid& g) { return g.click(2, 4); }, true,
         "Leave(1,1->2,4) Click(2,4) "},
        {"click a header", [](Grid& g) { return g.click(0, 3); }, true, "Click(0,3) "},
        {"key", [](Grid& g) { return g.key(kKeyF7); }, true, "KeyDown(118) "},
        {"leave the grid", [](Grid& g) { return g.leave(); }, true, "Leave(1,1->-1,-1) "},
        {"move outside", [](Grid& g) { return g.moveTo(4, 1); }, false, ""},
        {"move to row 0", [](Grid& g) { return g.moveTo(0, 1); }, false, ""},
    };
    for (const Case& c : cases) {
        Recorded t;
        t.g.setCellType(Grid::All, 1, CellType::ComboBox);
        t.g.setComboList(Grid::All, 1, "a\tb");
        t.g.setText(2, 1, "a");
        t.g.setCellType(Grid::All, 4, CellType::CheckBox);
        t.log.clear();
        EXPECT_EQ(c.act(t.g), c.result) << c.what;
        EXPECT_EQ(t.log, c.log) << c.what;
    }
}

TEST(GridActions, CancelledMoveKeepsTheActiveCellAndRefusesTheEdit) {
    Recorded t;
    t.g.moveTo(2, 2);
    t.cancelMoves = true;
    t.log.clear();
    EXPECT_FALSE(t.g.moveTo(3, 3));
    EXPECT_FALSE(t.g.type(3, 3, "x"));
    EXPECT_FALSE(t.g.leave());
    EXPECT_EQ(t.log, "Leave(2,2->3,3) Leave(2,2->3,3) Leave(2,2->-1,-1) ");
    EXPECT_EQ(Active(t.g) + "[" + t.g.text(3, 3) + "]", "2,2[]");
    // A click still reaches the rules although the move was refused.
    t.log.clear();
    EXPECT_FALSE(t.g.click(1, 1));
    EXPECT_EQ(t.log, "Leave(2,2->1,1) Click(1,1) ");
    // Hidden columns and a disabled grid take no action and fire nothing.
    t.log.clear();
    t.g.setColHidden(3, true);
    EXPECT_FALSE(t.g.moveTo(1, 3));
    t.g.setEnabled(false);
    EXPECT_FALSE(t.g.moveTo(2, 2) || t.g.click(2, 2) || t.g.key(kKeyDelete));
    EXPECT_EQ(t.log, "");
}

TEST(GridActions, CellMadeActiveByALeaveHandlerStaysActive) {
    Recorded t;
    t.g.onLeaveCell = [&t](int, int, int, int, bool&) { t.g.setActiveCell(1, 3); };
    t.g.moveTo(2, 2);
    EXPECT_EQ(Active(t.g), "1,3");
    // Making the cell left active again also keeps it.
    t.g.onLeaveCell = [&t](int r, int c, int, int, bool&) { t.g.setActiveCell(r, c); };
    EXPECT_FALSE(t.g.moveTo(3, 4));
    EXPECT_EQ(Active(t.g), "1,3");
}

// What a person's typing leaves in a cell of each kind: locked, static,
// combo and check-box cells refuse it, and a number cell (0 to 999999.99,
// two decimals) anything but a blank or a number within its limits.
TEST(GridActions, TypingIsRefusedWhereAPersonCannotType) {
    struct Case {
        CellType type;
        bool locked;
        int maxLength;
        const char* typed;
        const char* text;  // "old" when refused
    };
    const Case cases[] = {
        {CellType::Edit, false, 0, "x y ", "x y "},
        {CellType::Edit, true, 0, "x", "old"},
        {CellType::Static, false, 0, "x", "old"},
        {CellType::ComboBox, false, 0, "x", "old"},
        {CellType::CheckBox, false, 0, "1", "old"},
        {CellType::Edit, false, 3, "数值abc", "数值a"},  // characters, not bytes
        {CellType::Date, false, 0, "2026/13/40", "2026/13/40"},
        {CellType::Number, false, 0, " 999999.99 ", " 999999.99 "},
        {CellType::Number, false, 0, "1000000", "old"},
        {CellType::Number, false, 0, "1.005", "old"},
        {CellType::Number, false, 0, "-1", "old"},
        {CellType::Number, false, 0, "1e3", "old"},
        {CellType::Number, false, 0, " ", " "},
    };
    for (const Case& c : cases) {
        Grid g("g");
        g.setMaxCols(2);
        g.setMaxRows(1);
        g.setText(1, 2, "old");
        g.setCellType(1, 2, c.type);
        g.setLocked(1, 2, c.locked);
        g.setMaxLength(1, 2, c.maxLength);
        g.setNumberLimits(1, 2, {0, 999999.99, 2});
        EXPECT_EQ(g.type(1, 2, c.typed), std::string(c.text) != "old") << c.typed;
        EXPECT_EQ(g.text(1, 2), c.text) << c.typed;
    }
}

// The text and the selection of a combo cell follow each other: " " is an
// item and "" is not; a new list keeps the text.
TEST(GridCells, ComboTextAndSelectionStayInStep) {
    Grid g("g");
    g.setMaxCols(1);
    g.setMaxRows(1);
    g.setCellType(1, 1, CellType::ComboBox);
    g.setComboList(1, 1, " \t(\t((");
    std::string seen;
    const auto step = [&](const std::function<void()>& f) {
        f();
        seen += "[" + g.text(1, 1) + "]" + std::to_string(g.comboIndex(1, 1)) + " ";
    };
    step([&] { g.setText(1, 1, "(("); });
    step([&] { g.setText(1, 1, ""); });
    step([&] { g.setText(1, 1, "("); });
    step([&] { g.setComboList(1, 1, "((\t("); });
    step([&] { g.setComboIndex(1, 1, 0); });
    step([&] { g.setComboIndex(1, 1, 5); });
    EXPECT_EQ(seen, "[((]2 []-1 [(]1 [(]1 [((]0 []-1 ");
    EXPECT_EQ(g.comboItems(1, 1), (std::vector<std::string>{"((", "("}));
}

// A handler that keeps two check boxes exclusive hears its own write, as the
// grid control reports writes by code to check-box cells.
TEST(GridCells, CheckBoxWritesByCodeComeBackToTheHandler) {
    Grid g("vsOrder");
    g.setMaxCols(2);
    g.setMaxRows(1);
    g.setCellType(Grid::All, Grid::All, CellType::CheckBox);
    bool own = false;
    std::string log;
    g.onButtonClicked = [&](int r, int c, int v) {
        log += std::to_string(c) + "=" + std::to_string(v) + (own ? "(own) " : " ");
        if ((own = !own)) g.setText(r, 3 - c, v == 1 ? "0" : "1");
    };
    g.setText(1, 1, "1");
    log.clear();
    for (int i = 0; i < 2; ++i) {
        g.clickCheck(1, 2);
        log += g.text(1, 1) + g.text(1, 2) + "; ";
    }
    EXPECT_EQ(log, "2=1 1=0(own) 01; 2=0 1=1(own) 10; ");
}

TEST(GridRows, InsertDeleteAndClearKeepTheRowCountAndColumnDefaults) {
    Grid g("g");
    g.setMaxCols(2);
    g.setMaxRows(4);
    g.setCellType(Grid::All, 2, CellType::CheckBox);
    g.setLocked(2, Grid::All, true);
    for (int r = 1; r <= 4; ++r) g.setText(r, 1, "r" + std::to_string(r));
    g.insertRows(2);
    g.deleteRows(1);
    g.setMaxRows(5);
    g.clearRange(4, 1, Grid::All, 1);
    EXPECT_EQ(Dump(g),
              "Grid g rows=5 cols=2 active=1,1\n"
              "  0: \"\" | \"\"\n"
              "  1: E \"\" | X \"\"\n"
              "  2: E! \"r2\" | X! \"\"\n"
              "  3: E \"r3\" | X \"\"\n"
              "  4: E \"\" | X \"\"\n"
              "  5: E \"\" | X \"\"\n");
}

TEST(GridDump, ConditionGridAsTheRulesPrepareIt) {
    Grid g("VpFilter");
    g.setMaxCols(7);
    g.setMaxRows(2);
    const char* headers[] = {"逻辑", "(", "名称", "比较关系", "比较关系对应的内码", "数值", ")"};
    for (int c = 1; c <= 7; ++c) g.setText(0, c, headers[c - 1]);
    g.setColHidden(5, true);
    g.setCellType(Grid::All, 1, CellType::ComboBox);
    g.setComboList(2, 1, "并且\t或者");
    g.setLocked(1, 1, true);
    g.setBackColor(1, 1, Color::TooltipBackground);
    g.setCellType(Grid::All, 2, CellType::ComboBox);
    g.setComboList(Grid::All, 2, " \t(\t((\t(((\t((((");
    g.setComboMaxDrop(Grid::All, 2, 10);
    g.setCellType(Grid::All, 3, CellType::ComboBox);
    g.setComboList(Grid::All, 3, "(无)\t单据日期\t数量");
    g.setCellType(1, 6, CellType::Date);
    g.setCellType(2, 6, CellType::Number);
    g.setNumberLimits(2, 6, {0, 99999999.999999, 6});
    g.setMaxLength(2, 7, 200);
    g.setText(2, 1, "并且");
    g.pick(2, 3, 2);
    g.setText(2, 6, "0.0");
    g.setEditMode(true);
    EXPECT_EQ(Dump(g),
              "Grid VpFilter rows=2 cols=7 active=2,3 editing hidden-cols=5\n"
              "  0: \"逻辑\" | \"(\" | \"名称\" | \"比较关系\" | \"比较关系对应的内码\" | \"数值\" "
              "| \")\"\n"
              "  1: C!L1@-1{TooltipBackground/WindowText} \"\" | CL2@-1/10 \"\" | CL3@-1 \"\" | "
              "E \"\" | E \"\" | D \"\" | E \"\"\n"
              "  2: CL4@0 \"并且\" | CL2@-1/10 \"\" | CL3@2 \"数量\" | E \"\" | E \"\" | "
              "N(0..99999999.999999/6) \"0.0\" | E<=200 \"\"\n"
              "  L1:\n"
              "  L2: \" \" \"(\" \"((\" \"(((\" \"((((\"\n"
              "  L3: \"(无)\" \"单据日期\" \"数量\"\n"
              "  L4: \"并且\" \"或者\"\n");
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
        heard += std::string(names[static_cast<int>(ch.what)]) + ":" + std::to_string(ch.row) +
                 "," + std::to_string(ch.col) + "-" + std::to_string(ch.row2) + "," +
                 std::to_string(ch.col2) + "x" + std::to_string(ch.count) + " ";
    });
    g.setText(2, 3, "x");             // Cells 2,3-2,3
    g.setLocked(Grid::All, 2, true);  // Cells 1,2-3,2
    g.insertRows(2, 2);               // RowsInserted at 2 x2
    g.moveTo(3, 1);                   // ActiveCell 3,1
    g.setReDraw(false);
    g.setText(1, 1, "a");
    g.deleteRows(1);
    g.setReDraw(true);  // one All
    g.setMaxRows(4);    // Size: new 4,3, was 3,3
    // How the grid is drawn is no state of its cells: the dump stays.
    const std::string before = Dump(g);
    g.setColTakesSpareWidth(2, true);  // Size: the counts unchanged
    g.setHint("选择字段");             // Hint
    g.setHint("选择字段");
    EXPECT_EQ(Dump(g), before);
    EXPECT_TRUE(g.colTakesSpareWidth(2) && !g.colTakesSpareWidth(3));
    g.unsubscribe(id);
    g.setText(1, 1, "b");
    EXPECT_EQ(heard,
              "Cells:2,3-2,3x0 Cells:1,2-3,2x0 RowsInserted:2,0-0,0x2 ActiveCell:3,1-0,0x0 "
              "All:0,0-0,0x0 Size:4,3-3,3x0 Size:4,3-4,3x0 Hint:0,0-0,0x0 ");
}

}  // namespace
}  // namespace qelt::ui
