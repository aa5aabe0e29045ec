#include "dialog/grid_editing.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/grid_columns.h"
#include "editing/vocabularies.h"
#include "host/messages.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace qelt::dialog {

namespace {

using editing::ColumnCol;
using editing::ConditionCol;
using editing::SortCol;

// "Delete all" empties the conditions a person normally writes: the first
// rows, from the logic word to the value.
constexpr int kClearedRows = 20;

constexpr int kOrderFieldBlanks = 500;
constexpr const char* kOrderFieldSeparator = "|*|";

constexpr double kMaxColumnWidth = 150;
constexpr const char* kMaxColumnWidthText = "150";
constexpr const char* kWidthTooLarge = "列的宽度不应该大于150毫米，请重新输入。";
constexpr const char* kWidthTitle = "提示";

bool RowHasText(const ui::Grid& grid, int row) {
    for (int c = 1; c <= grid.maxCols(); ++c)
        if (!grid.text(row, c).empty()) return true;
    return false;
}

void ExchangeTexts(ui::Grid& grid, int a, int b, int lastCol) {
    for (int c = 1; c <= lastCol; ++c) {
        const std::string upper = grid.text(a, c);
        const std::string lower = grid.text(b, c);
        grid.setText(a, c, lower);
        grid.setText(b, c, upper);
    }
}

}  // namespace

GridEditing::GridEditing(frmFilter& dialog) : d_(dialog) {
    const auto maker = [this] { return d_.models.maker.get(); };
    d_.VpFilter.onChange = [maker](int row, int col) {
        if (auto* m = maker()) m->ConditionCellChanged(row, col);
    };
    d_.VpFilter.onLeaveCell = [maker](int row, int col, int newRow, int newCol, bool& cancel) {
        if (auto* m = maker()) cancel = !m->ConditionLeaveCell(row, col, newRow, newCol);
    };
    d_.VpFilter.onEditEnd = [maker](int, int, bool) {
        if (auto* m = maker()) m->ConditionEditEnd();
    };
    d_.VpFilter.onKeyDown = [this, maker](int& keyCode, int) {
        if (auto* m = maker()) m->ConditionKeyDown(keyCode, d_.MyListID);
    };
    d_.cmdInsert.onClick = [this] { insertCondition(); };
    d_.cmdDel.onClick = [this] { deleteCondition(); };
    d_.cmdDelAll.onClick = [this] { deleteAllConditions(); };

    d_.cmdAdd.onClick = [this] { addSortKey(); };
    d_.listOrderFields.onDblClick = [this] {
        if (d_.listOrderFields.listIndex() >= 0) addSortKey();
    };
    d_.cmdDelOrder.onClick = [this] { deleteSortKey(); };
    d_.cmdUp.onClick = [this] { moveSortKey(-1); };
    d_.cmdDown.onClick = [this] { moveSortKey(1); };
    d_.vsOrder.onClick = [this](int row, int) { sortClicked(row); };
    d_.vsOrder.onButtonClicked = [this](int row, int col, int value) {
        sortChecked(row, col, value);
    };
    d_.vsOrder.onKeyDown = [this](int& keyCode, int) { sortKeyDown(keyCode); };

    d_.vaHideColumn.onClick = [this](int row, int col) { columnClicked(row, col); };
    d_.vaHideColumn.onLeaveCell = [this](int row, int col, int, int, bool& cancel) {
        columnLeft(row, col, cancel);
    };
    d_.cmdHideUp.onClick = [this] { moveColumn(-1); };
    d_.cmdHideDown.onClick = [this] { moveColumn(1); };
    d_.cmdHideSelectAll.onClick = [this] { showAllColumns(true); };
    d_.cmdHideClearAll.onClick = [this] { showAllColumns(false); };
    d_.cmdHideDefault.onClick = [maker] {
        if (auto* m = maker()) m->InitHideColumns();
    };
}

// --- condition grid ------------------------------------------------------------

// Whole rows move, every column and every cell setting with them, down to
// the grid's end: a condition keeps its right parenthesis, its hidden field
// data and its typed value cell. When the last row holds something the grid
// grows by one row instead of dropping it.
void GridEditing::insertCondition() {
    auto* maker = d_.models.maker.get();
    if (!maker) return;
    ui::Grid& grid = d_.VpFilter;
    const int r = maker->LastConditionRow();
    const int rows = grid.maxRows();
    if (r < 1 || r > rows) return;
    if (RowHasText(grid, rows)) grid.setMaxRows(rows + 1);
    grid.insertRows(r);
    prepareConditionRow(r);
    if (r + 1 <= grid.maxRows()) {
        setLogicCell(r + 1);
        if (text::IsBlank(grid.text(r + 1, ConditionCol::Logic)))
            grid.setText(r + 1, ConditionCol::Logic, editing::kAnd);
    }
    d_.setFocus(grid.name());
    grid.setActiveCell(r, ConditionCol::Field);
}

void GridEditing::deleteCondition() {
    auto* maker = d_.models.maker.get();
    if (!maker) return;
    ui::Grid& grid = d_.VpFilter;
    const int r = maker->LastConditionRow();
    const int rows = grid.maxRows();
    if (r < 1 || r > rows) return;
    grid.deleteRows(r);
    prepareConditionRow(rows);
    // The first condition carries no logic word.
    grid.clearRange(1, ConditionCol::Logic, 1, ConditionCol::Logic);
    setLogicCell(1);
    d_.setFocus(grid.name());
    grid.setActiveCell(r, ConditionCol::Field);
}

void GridEditing::deleteAllConditions() {
    auto* maker = d_.models.maker.get();
    if (!maker) return;
    const int rows = std::min(kClearedRows, d_.VpFilter.maxRows());
    if (rows >= 1) d_.VpFilter.clearRange(1, ConditionCol::Logic, rows, ConditionCol::Value);
    maker->setLastConditionRow(1);
}

void GridEditing::prepareConditionRow(int row) {
    namespace cells = editing::cells;
    ui::Grid& grid = d_.VpFilter;
    cells::MakeList(grid, row, ConditionCol::Field, d_.models.maker->FieldList());
    cells::MakeList(grid, row, ConditionCol::Left, editing::kLeftParenthesisList);
    cells::MakeList(grid, row, ConditionCol::Right, editing::kRightParenthesisList);
    grid.setLocked(row, ui::Grid::All, false);
    const editing::ComparisonList& none = editing::ComparisonsFor(editing::kTypePlaceholder);
    cells::MakeList(grid, row, ConditionCol::Compare, none.wordText());
    cells::MakeList(grid, row, ConditionCol::Code, none.codeText());
    setLogicCell(row);
}

// Row 1 has no logic word: its cell is a locked plain cell in the tip
// colour. Every other row picks "并且" or "或者".
void GridEditing::setLogicCell(int row) {
    ui::Grid& grid = d_.VpFilter;
    if (row == 1) {
        grid.setCellType(1, ConditionCol::Logic, ui::CellType::Edit);
        grid.setComboList(1, ConditionCol::Logic, "");
        grid.setComboMaxDrop(1, ConditionCol::Logic, 0);
        grid.setLocked(1, ConditionCol::Logic, true);
        grid.setBackColor(1, ConditionCol::Logic, ui::Color::TooltipBackground);
        return;
    }
    editing::cells::MakeList(grid, row, ConditionCol::Logic, editing::kLogicList);
    grid.setLocked(row, ConditionCol::Logic, false);
    grid.setBackColor(row, ConditionCol::Logic, ui::Color::Window);
}

// --- sort grid -----------------------------------------------------------------

bool GridEditing::ParseOrderField(const std::string& item, OrderField& field) {
    // The caption may contain the separator; the hidden code starts after
    // the first run of the blanks.
    const auto padding = static_cast<std::size_t>(kOrderFieldBlanks);
    static const std::string kPadding(padding, ' ');
    std::size_t blanks = item.find(' ');
    while (blanks != std::string::npos && item.compare(blanks, padding, kPadding) != 0)
        blanks = item.find(' ', blanks + 1);
    if (blanks == std::string::npos) return false;
    const std::string_view code = std::string_view(item).substr(blanks + padding);
    // Pieces 2 to 5 between separators (the first is the field's id).
    std::string_view pieces[5];
    const std::string_view separator = kOrderFieldSeparator;
    std::size_t from = 0;
    for (std::size_t n = 0; n < 5; ++n) {
        const std::size_t end = code.find(separator, from);
        pieces[n] = code.substr(from, end == std::string_view::npos ? end : end - from);
        if (end == std::string_view::npos) break;
        from = end + separator.size();
    }
    field.caption = item.substr(0, blanks);
    field.colName = pieces[1];
    field.fieldName = pieces[2];
    field.tableName = pieces[3];
    field.tableAlias = pieces[4];
    return !text::IsBlank(field.colName);
}

void GridEditing::reloadOrderFields() {
    d_.models.maker->LoadOrderFields(d_.listOrderFields);
    if (d_.listOrderFields.listCount() > 0) d_.listOrderFields.setListIndex(0);
    enableSortButtons(false);
}

void GridEditing::clearSortKeys() {
    ui::Grid& grid = d_.vsOrder;
    for (int row = 1; row <= grid.maxRows(); ++row)
        for (int col = 1; col <= SortCol::Count; ++col) {
            if (col == SortCol::Ascending || col == SortCol::Descending)
                grid.setCellType(row, col, ui::CellType::Static);
            grid.setText(row, col, "");
        }
    sortRowCount_ = 0;
}

// A field is sorted on at most once. The grid is designed with a fixed
// number of rows; it grows when every row is in use, so no key is refused.
void GridEditing::addSortKey() {
    const int index = d_.listOrderFields.listIndex();
    if (index < 0) return;
    OrderField field;
    if (!ParseOrderField(d_.listOrderFields.items()[index], field)) return;
    const std::string alias = text::Trim(field.colName);
    for (int r = 1; r <= sortRowCount_; ++r)
        if (text::IEquals(text::Trim(d_.vsOrder.text(r, SortCol::Alias)), alias)) return;
    const int row = sortRowCount_ + 1;
    if (row > d_.vsOrder.maxRows()) d_.vsOrder.setMaxRows(row);
    ++sortRowCount_;
    writeSortRow(row, field, true);
}

void GridEditing::writeSortRow(int row, const OrderField& field, bool ascending) {
    namespace cells = editing::cells;
    ui::Grid& grid = d_.vsOrder;
    sortUpdating_ = true;
    cells::SetStatic(grid, row, SortCol::Caption, field.caption);
    cells::SetCheck(grid, row, SortCol::Ascending, ascending);
    cells::SetCheck(grid, row, SortCol::Descending, !ascending);
    cells::SetEdit(grid, row, SortCol::Alias, field.colName);
    cells::SetEdit(grid, row, SortCol::TableAlias, field.tableAlias);
    cells::SetEdit(grid, row, SortCol::FieldName, field.fieldName);
    cells::SetEdit(grid, row, SortCol::TableName, field.tableName);
    sortUpdating_ = false;
}

void GridEditing::exchangeSortRows(int a, int b) {
    sortUpdating_ = true;
    ExchangeTexts(d_.vsOrder, a, b, SortCol::Count);
    sortUpdating_ = false;
}

void GridEditing::deleteSortKey() {
    if (currentSortRow_ < 1 || currentSortRow_ > sortRowCount_) return;
    sortUpdating_ = true;
    d_.vsOrder.deleteRows(currentSortRow_);
    sortUpdating_ = false;
    --sortRowCount_;
    if (sortRowCount_ > 0) {
        currentSortRow_ = std::min<int32_t>(currentSortRow_, sortRowCount_);
        highlightSortRow(currentSortRow_);
        return;
    }
    currentSortRow_ = 0;
    highlightSortRow(0);
    enableSortButtons(false);
}

// Up needs a row above, down a filled row below.
void GridEditing::moveSortKey(int step) {
    if (currentSortRow_ < 1 || currentSortRow_ > sortRowCount_) return;
    const int other = currentSortRow_ + step;
    if (other < 1 || other > sortRowCount_) return;
    exchangeSortRows(currentSortRow_, other);
    currentSortRow_ = other;
    highlightSortRow(currentSortRow_);
}

void GridEditing::sortClicked(int row) {
    if (sortUpdating_) return;
    if (row >= 1 && row <= sortRowCount_) {
        currentSortRow_ = row;
        highlightSortRow(row);
        enableSortButtons(true);
        return;
    }
    currentSortRow_ = 0;
    highlightSortRow(0);
}

// Each filled row has exactly one direction ticked: a box the person ticks
// unticks its twin and the other way round. The twin's write comes back as
// a notification of its own, which only ends the re-entry.
void GridEditing::sortChecked(int row, int col, int value) {
    if (sortUpdating_) return;
    if (checkReentry_) {
        checkReentry_ = false;
        return;
    }
    if (col != SortCol::Ascending && col != SortCol::Descending) return;
    if (row < 1 || row > sortRowCount_) return;
    const int twin = col == SortCol::Ascending ? SortCol::Descending : SortCol::Ascending;
    checkReentry_ = true;
    d_.vsOrder.setText(row, twin, value == 1 ? "0" : "1");
    checkReentry_ = false;
}

void GridEditing::sortKeyDown(int keyCode) {
    if (sortUpdating_ || keyCode != ui::kKeyDelete) return;
    if (currentSortRow_ >= 1 && currentSortRow_ <= sortRowCount_) deleteSortKey();
}

void GridEditing::highlightSortRow(int32_t row) {
    ui::Grid& grid = d_.vsOrder;
    const bool drawing = grid.reDraw();
    grid.setReDraw(false);
    for (int r = 1; r <= sortRowCount_; ++r) {
        grid.setBackColor(r, SortCol::Caption, ui::Color::White);
        grid.setForeColor(r, SortCol::Caption, ui::Color::Black);
    }
    if (row >= 1 && row <= grid.maxRows()) {
        grid.setBackColor(row, SortCol::Caption, ui::Color::ActiveTitleBar);
        grid.setForeColor(row, SortCol::Caption, ui::Color::Window);
        grid.setActiveCell(row, SortCol::Caption);
    }
    grid.setReDraw(drawing);
}

void GridEditing::enableSortButtons(bool enabled) {
    d_.cmdDelOrder.setEnabled(enabled);
    d_.cmdUp.setEnabled(enabled);
    d_.cmdDown.setEnabled(enabled);
}

// --- column-settings grid ----------------------------------------------------

void GridEditing::columnClicked(int row, int col) {
    if (row < 1 || row > d_.vaHideColumn.maxRows()) {
        currentColumnRow_ = 0;
        return;
    }
    currentColumnRow_ = row;
    if (col == ColumnCol::Caption) d_.vaHideColumn.setActiveCell(row, ColumnCol::Caption);
}

// Moving a column past either end wraps round to the other end.
void GridEditing::moveColumn(int step) {
    ui::Grid& grid = d_.vaHideColumn;
    const int rows = grid.maxRows();
    const int row = currentColumnRow_;
    if (row < 1 || row > rows || grid.activeCol() != ColumnCol::Caption) return;
    int other = row + step;
    if (other < 1) other = rows;
    if (other > rows) other = 1;
    ExchangeTexts(grid, row, other, ColumnCol::Count);
    currentColumnRow_ = other;
    grid.setActiveCell(other, ColumnCol::Caption);
}

void GridEditing::showAllColumns(bool shown) {
    for (int r = 1; r <= d_.vaHideColumn.maxRows(); ++r)
        d_.vaHideColumn.setText(r, ColumnCol::Shown, shown ? "1" : "0");
}

// A refused width is replaced by the widest one allowed, so the grid never
// holds a width the list cannot take even if the person confirms the dialog
// from this cell; the cell stays in edit mode for another width.
void GridEditing::columnLeft(int row, int col, bool& cancel) {
    ui::Grid& grid = d_.vaHideColumn;
    if (widthReentry_ || col != ColumnCol::Width) return;
    double width = 0;
    if (!number::ParseDecimal(text::Trim(grid.text(row, col)), width) || width <= kMaxColumnWidth)
        return;
    widthReentry_ = true;
    host::ShowMessage(kWidthTooLarge, host::kIconInformation, host::kButtonsOk, kWidthTitle);
    widthReentry_ = false;
    grid.setText(row, col, kMaxColumnWidthText);
    grid.setEditMode(true);
    cancel = true;
}

}  // namespace qelt::dialog
