#include "ui_qt/grid_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "ui_qt/grid_view.h"

namespace qelt::testing {
namespace {

using qt::GridModel;
using ui::CellType;
using ui::Grid;

std::string Pair(int a, int b) {
    return std::to_string(a) + "x" + std::to_string(b);
}

// The model as text: the header row, then per row each cell's display text,
// with "[x]"/"[ ]" for check-box cells and "*" after an editable cell.
std::string ModelDump(const QAbstractItemModel& m) {
    std::string s;
    for (int c = 0; c < m.columnCount(); ++c)
        s += (c ? " | " : "") +
             m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
    s += "\n";
    for (int r = 0; r < m.rowCount(); ++r) {
        s += m.headerData(r, Qt::Vertical, Qt::DisplayRole).toString().toStdString() + ":";
        for (int c = 0; c < m.columnCount(); ++c) {
            const QModelIndex i = m.index(r, c);
            const QVariant check = i.data(Qt::CheckStateRole);
            s += c ? " | " : " ";
            if (check.isValid())
                s += check.toInt() == Qt::Checked ? "[x]" : "[ ]";
            else
                s += i.data().toString().toStdString();
            if (m.flags(i) & Qt::ItemIsEditable) s += "*";
        }
        s += "\n";
    }
    return s;
}

// Every kind of change a grid announces, each under the model tester, which
// fails the test on any inconsistency between the notifications and the
// model's answers.
TEST(GridModel, PassesTheModelTesterThroughEveryKindOfGridChange) {
    Grid grid("g");
    grid.setMaxCols(3);
    grid.setMaxRows(2);
    GridModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::function<void()> steps[] = {
        [&] { grid.setText(1, 1, "a"); },
        [&] { grid.setText(0, 2, "名称"); },
        [&] { grid.setMaxRows(6); },
        [&] { grid.setMaxRows(1); },
        [&] { grid.setMaxCols(5); },
        [&] { grid.setMaxCols(2); },
        [&] { grid.setMaxRows(4), grid.insertRows(2, 2); },
        [&] { grid.deleteRows(1, 3); },
        [&] { grid.setColHidden(2, true); },
        [&] {
            grid.setReDraw(false);
            grid.setMaxRows(7);
            grid.setMaxCols(4);
            grid.setText(7, 4, "z");
            grid.setReDraw(true);
        },
        [&] { grid.setMaxRows(0); },
        [&] { grid.setMaxRows(2), grid.setText(2, 1, "b"); },
    };
    for (const auto& step : steps) {
        step();
        EXPECT_EQ(Pair(model.rowCount(), model.columnCount()),
                  Pair(grid.maxRows(), grid.maxCols()));
    }
    EXPECT_EQ(model.index(1, 0).data().toString(), QString("b"));
}

TEST(GridModel, ShowsTextsCheckStatesAndEditabilityByCellType) {
    Grid grid("g");
    grid.setMaxCols(6);
    grid.setMaxRows(2);
    const CellType types[] = {CellType::Static,   CellType::Edit,   CellType::ComboBox,
                              CellType::CheckBox, CellType::Number, CellType::Date};
    for (int c = 1; c <= 6; ++c) {
        grid.setCellType(Grid::All, c, types[c - 1]);
        grid.setText(0, c, ui::CellTypeName(types[c - 1]));
    }
    grid.setComboList(Grid::All, 3, "等于\t大于");
    grid.setText(1, 1, "s");
    grid.setText(1, 2, "e");
    grid.setText(1, 3, "大于");
    grid.setText(1, 4, "1");
    grid.setText(1, 5, "1.5");
    grid.setText(1, 6, "2026-12-06");
    grid.setText(2, 0, "合计");
    grid.setLocked(2, Grid::All, true);
    GridModel model(grid);
    EXPECT_EQ(ModelDump(model),
              "Static | Edit | ComboBox | CheckBox | Number | Date\n"
              "1: s | e* | 大于* | [x] | 1.5* | 2026-12-06*\n"
              "合计:  |  |  | [ ] |  | \n");
    EXPECT_TRUE(model.flags(model.index(0, 3)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(1, 3)) & Qt::ItemIsUserCheckable);
}

// Edits through the model are the person's actions: refused ones leave the
// grid as it was and the model says so.
TEST(GridModel, SetDataIsTheUsersTypingPickingAndClicking) {
    Grid grid("g");
    grid.setMaxCols(3);
    grid.setMaxRows(1);
    grid.setCellType(Grid::All, 1, CellType::Number);
    grid.setNumberLimits(Grid::All, 1, {0, 150, 0});
    grid.setCellType(Grid::All, 2, CellType::ComboBox);
    grid.setComboList(Grid::All, 2, "升序\t降序");
    grid.setCellType(Grid::All, 3, CellType::CheckBox);
    std::vector<std::string> events;
    grid.onChange = [&](int r, int c) {
        events.push_back("change " + std::to_string(r) + "," + std::to_string(c));
    };
    grid.onButtonClicked = [&](int, int c, int v) {
        events.push_back("button " + std::to_string(c) + "=" + std::to_string(v));
    };
    GridModel model(grid);
    struct Case {
        int col;
        QVariant value;
        int role;
        bool accepted;
        const char* text;
    };
    const Case cases[] = {
        {1, "151", Qt::EditRole, false, ""},
        {1, "150", Qt::EditRole, true, "150"},
        {1, "abc", Qt::EditRole, false, "150"},
        {2, "降序", Qt::EditRole, true, "降序"},
        {2, "乱序", Qt::EditRole, false, "降序"},
        {3, Qt::Checked, Qt::CheckStateRole, true, "1"},
        {3, Qt::Unchecked, Qt::CheckStateRole, true, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        EXPECT_EQ(model.setData(model.index(0, c.col - 1), c.value, c.role), c.accepted);
        EXPECT_EQ(grid.text(1, c.col), c.text);
    }
    std::string joined;
    for (const auto& e : events) joined += e + ";";
    EXPECT_EQ(joined, "change 1,1;change 1,2;button 3=1;button 3=0;");
}

// Colours come from the palette; default ones leave the style's own.
TEST(GridModel, ColourRolesComeFromThePalette) {
    Grid grid("g");
    grid.setMaxCols(3);
    grid.setMaxRows(1);
    grid.setBackColor(1, 1, ui::Color::TooltipBackground);
    grid.setBackColor(1, 2, ui::Color::ActiveTitleBar);
    grid.setForeColor(1, 2, ui::Color::White);
    GridModel model(grid);
    QPalette palette;
    palette.setColor(QPalette::ToolTipBase, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    model.setPalette(palette);
    std::string seen;
    for (int c = 0; c < 3; ++c)
        for (int role : {Qt::BackgroundRole, Qt::ForegroundRole}) {
            const QVariant v = model.index(0, c).data(role);
            seen += v.isValid() ? v.value<QColor>().name().toStdString() + " " : "- ";
        }
    EXPECT_EQ(seen, "#010203 - #040506 #ffffff - - ");
}

TEST(GridView, CurrentIndexFollowsTheActiveCellAndHiddenColumns) {
    Grid grid("g");
    grid.setMaxCols(4);
    grid.setMaxRows(3);
    grid.setColHidden(3, true);
    qt::GridView view(grid, nullptr, nullptr);
    EXPECT_TRUE(view.isColumnHidden(2));
    EXPECT_FALSE(view.isColumnHidden(1));
    grid.setActiveCell(3, 2);
    EXPECT_EQ(view.currentIndex(), view.model()->index(2, 1));
    grid.setColHidden(3, false);
    grid.setColHidden(1, true);
    EXPECT_FALSE(view.isColumnHidden(2));
    EXPECT_TRUE(view.isColumnHidden(0));
    // A move the view makes on its own, no person's, returns to the active
    // cell and asks no rule.
    grid.onLeaveCell = [](int, int, int, int, bool&) { ADD_FAILURE() << "a move was asked"; };
    view.setCurrentIndex(view.model()->index(0, 3));
    QApplication::processEvents();
    EXPECT_EQ(view.currentIndex(), view.model()->index(2, 1));
    EXPECT_EQ(grid.activeRow(), 3);
}

}  // namespace
}  // namespace qelt::testing
