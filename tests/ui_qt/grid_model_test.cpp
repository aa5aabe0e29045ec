#include "ui_qt/grid_model.h"

#include <tuple>

#include "ui_qt/grid_view.h"
#include "ui_qt/qt_test_support.h"

namespace qelt::testing {
namespace {

using qt::GridModel;
using ui::CellType;
using ui::Grid;

// Header row, then per row each cell's text ("[x]"/"[ ]" for a check box),
// "*" when a person can change it, "{back/fore}" for a colour of its own.
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
            const QVariant back = i.data(Qt::BackgroundRole), fore = i.data(Qt::ForegroundRole);
            const auto name = [](const QVariant& v) {
                return v.isValid() ? v.value<QColor>().name().toStdString() : "";
            };
            s += (c ? " | " : " ") + (!check.isValid() ? i.data().toString().toStdString()
                                      : check.toInt() == Qt::Checked ? "[x]"
                                                                     : "[ ]");
            if (m.flags(i) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) s += "*";
            if (back.isValid() || fore.isValid()) s += "{" + name(back) + "/" + name(fore) + "}";
        }
        s += "\n";
    }
    return s;
}

// Texts, check states, editability and palette colours by cell type; edits
// through the model are the person's, refused ones leave the grid as it was.
// Then every kind of change a grid announces, under the model tester, and
// a view of the grid.
TEST(GridModel, ShowsTheCellsTakesThePersonsEditsAndFollowsEveryChange) {
    Grid grid("g");
    grid.setMaxCols(6);
    grid.setMaxRows(2);
    const CellType types[] = {CellType::Static,   CellType::Edit,   CellType::ComboBox,
                              CellType::CheckBox, CellType::Number, CellType::Date};
    const char* texts[] = {"s", "e", "大于", "1", "1.5", "2026-12-06"};
    for (int c = 1; c <= 6; ++c) {
        grid.setCellType(Grid::All, c, types[c - 1]);
        grid.setText(0, c, ui::CellTypeName(types[c - 1]));
        grid.setText(1, c, texts[c - 1]);
    }
    grid.setComboList(Grid::All, 3, "等于\t大于");
    grid.setNumberLimits(Grid::All, 5, {0, 150, 1});
    grid.setText(2, 0, "合计");
    grid.setLocked(2, Grid::All, true);
    grid.setBackColor(2, 1, ui::Color::TooltipBackground);
    grid.setBackColor(2, 2, ui::Color::ActiveTitleBar);
    grid.setForeColor(2, 2, ui::Color::White);
    std::string log;
    grid.onChange = [&](int, int c) { log += "change " + std::to_string(c) + " "; };
    grid.onButtonClicked = [&](int, int c, int v) { log += "button " + Pair(c, v) + " "; };
    GridModel model(grid);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QPalette palette;
    palette.setColor(QPalette::ToolTipBase, QColor(1, 2, 3)),
        palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    model.setPalette(palette);
    const std::string shown = ModelDump(model);
    const std::tuple<int, QVariant, int> edits[] = {{5, "151", Qt::EditRole},
                                                    {5, "150", Qt::EditRole},
                                                    {3, "等于", Qt::EditRole},
                                                    {4, Qt::Unchecked, Qt::CheckStateRole},
                                                    {4, Qt::Checked, Qt::CheckStateRole}};
    for (const auto& [col, value, role] : edits)
        log += std::to_string(model.setData(model.index(0, col - 1), value, role)) + " ";
    EXPECT_EQ(shown + log + "\n" + ModelDump(model),
              "Static | Edit | ComboBox | CheckBox | Number | Date\n"
              "1: s | e* | 大于* | [x]* | 1.5* | 2026-12-06*\n"
              "合计: {#010203/} | {#040506/#ffffff} |  | [ ] |  | \n"
              "0 change 5 1 change 3 1 button 4,0 1 button 4,1 1 \n"
              "Static | Edit | ComboBox | CheckBox | Number | Date\n"
              "1: s | e* | 等于* | [x]* | 150* | 2026-12-06*\n"
              "合计: {#010203/} | {#040506/#ffffff} |  | [ ] |  | \n");
    const std::function<void()> steps[] = {
        [&] { grid.setText(1, 1, "a"), grid.setText(0, 2, "名称"); },
        [&] { grid.setMaxRows(6); },
        [&] { grid.setMaxRows(1); },
        [&] { grid.setMaxCols(5); },
        [&] { grid.setMaxCols(2); },
        [&] { grid.setMaxRows(4), grid.insertRows(2, 2); },
        [&] { grid.deleteRows(1, 3), grid.setColHidden(2, true); },
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
    // A view hides hidden columns and follows the active cell; a move it
    // makes on its own returns to the active cell and asks no rule.
    qt::GridView view(grid, nullptr, nullptr);
    const auto state = [&] {
        std::string s;
        for (int c = 0; c < 4; ++c) s += view.isColumnHidden(c) ? "h" : "-";
        return s + " " + Pair(view.currentIndex().row(), view.currentIndex().column()) + "; ";
    };
    grid.setActiveCell(2, 3);
    std::string seen = state();
    grid.setColHidden(2, false);
    grid.setColHidden(1, true);
    grid.onLeaveCell = [](int, int, int, int, bool&) { ADD_FAILURE() << "a move was asked"; };
    view.setCurrentIndex(view.model()->index(0, 3));
    QApplication::processEvents();
    EXPECT_EQ(seen + state() + std::to_string(grid.activeRow()), "-h-- 1,2; h--- 1,2; 2");
}

}  // namespace
}  // namespace qelt::testing
