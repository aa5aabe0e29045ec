#include <algorithm>
#include <string>
#include <vector>

#include "dialog/frm_filter.h"
#include "editing/fmaker.h"
#include "editing/grid_cells.h"
#include "editing/vocabularies.h"
#include "host/messages.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace qelt::dialog {

namespace {

// Condition grid.
constexpr int kLogicCol = 1;
constexpr int kLeftCol = 2;
constexpr int kFieldCol = 3;
constexpr int kCompareCol = 4;
constexpr int kCodeCol = 5;
constexpr int kRightCol = 7;
// "Delete all" empties the conditions a person normally writes: the first
// rows, from the logic word to the value.
constexpr int kClearedRows = 20;
constexpr int kClearedCols = 6;

// Sort grid.
constexpr int kCaptionCol = 1;
constexpr int kAscendingCol = 2;
constexpr int kDescendingCol = 3;
constexpr int kSortAliasCol = 4;
constexpr int kSortTableAliasCol = 5;
constexpr int kSortFieldCol = 6;
constexpr int kSortTableCol = 7;
constexpr int kOrderFieldBlanks = 500;
constexpr const char* kOrderFieldSeparator = "|*|";

// Column-settings grid.
constexpr int kShowCol = 3;
constexpr int kWidthCol = 4;
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

void frmFilter::wireGridEditing() {
    VpFilter.onChange = [this](int row, int col) {
        if (mFMaker) mFMaker->ConditionCellChanged(row, col);
    };
    VpFilter.onLeaveCell = [this](int row, int col, int newRow, int newCol, bool& cancel) {
        if (mFMaker) cancel = !mFMaker->ConditionLeaveCell(row, col, newRow, newCol);
    };
    VpFilter.onEditEnd = [this](int, int, bool) {
        if (mFMaker) mFMaker->ConditionEditEnd();
    };
    VpFilter.onKeyDown = [this](int& keyCode, int) {
        if (mFMaker) mFMaker->ConditionKeyDown(keyCode, MyListID);
    };
    cmdInsert.onClick = [this] { cmdInsert_Click(); };
    cmdDel.onClick = [this] { cmdDel_Click(); };
    cmdDelAll.onClick = [this] { cmdDelAll_Click(); };

    cmdAdd.onClick = [this] { cmdAdd_Click(); };
    listOrderFields.onDblClick = [this] {
        if (listOrderFields.listIndex() >= 0) cmdAdd_Click();
    };
    cmdDelOrder.onClick = [this] { cmdDelOrder_Click(); };
    cmdUp.onClick = [this] { cmdUp_Click(); };
    cmdDown.onClick = [this] { cmdDown_Click(); };
    vsOrder.onClick = [this](int row, int col) { vsOrder_Click(row, col); };
    vsOrder.onButtonClicked = [this](int row, int col, int value) {
        vsOrder_ButtonClicked(row, col, value);
    };
    vsOrder.onKeyDown = [this](int& keyCode, int) { vsOrder_KeyDown(keyCode); };

    vaHideColumn.onClick = [this](int row, int col) { vaHideColumn_Click(row, col); };
    vaHideColumn.onLeaveCell = [this](int row, int col, int, int, bool& cancel) {
        vaHideColumn_LeaveCell(row, col, cancel);
    };
    cmdHideUp.onClick = [this] { cmdHideMove(-1); };
    cmdHideDown.onClick = [this] { cmdHideMove(1); };
    cmdHideSelectAll.onClick = [this] { setAllShown(true); };
    cmdHideClearAll.onClick = [this] { setAllShown(false); };
    cmdHideDefault.onClick = [this] {
        if (mFMaker) mFMaker->InitHideColumns();
    };
}

// --- condition grid ------------------------------------------------------------

// Whole rows move, every column and every cell setting with them, down to
// the grid's end: a condition keeps its right parenthesis, its hidden field
// data and its typed value cell. When the last row holds something the grid
// grows by one row instead of dropping it.
void frmFilter::cmdInsert_Click() {
    if (!mFMaker) return;
    const int r = mFMaker->LastConditionRow();
    const int rows = VpFilter.maxRows();
    if (r < 1 || r > rows) return;
    if (RowHasText(VpFilter, rows)) VpFilter.setMaxRows(rows + 1);
    VpFilter.insertRows(r);
    prepareConditionRow(r);
    if (r + 1 <= VpFilter.maxRows()) {
        setLogicCell(r + 1);
        if (text::IsBlank(VpFilter.text(r + 1, kLogicCol)))
            VpFilter.setText(r + 1, kLogicCol, editing::kAnd);
    }
    setFocus(VpFilter.name());
    VpFilter.setActiveCell(r, kFieldCol);
}

void frmFilter::cmdDel_Click() {
    if (!mFMaker) return;
    const int r = mFMaker->LastConditionRow();
    const int rows = VpFilter.maxRows();
    if (r < 1 || r > rows) return;
    VpFilter.deleteRows(r);
    prepareConditionRow(rows);
    // The first condition carries no logic word.
    VpFilter.clearRange(1, kLogicCol, 1, kLogicCol);
    setLogicCell(1);
    setFocus(VpFilter.name());
    VpFilter.setActiveCell(r, kFieldCol);
}

void frmFilter::cmdDelAll_Click() {
    if (!mFMaker) return;
    const int rows = std::min(kClearedRows, VpFilter.maxRows());
    if (rows >= 1) VpFilter.clearRange(1, 1, rows, kClearedCols);
    mFMaker->setLastConditionRow(1);
}

void frmFilter::prepareConditionRow(int row) {
    namespace cells = editing::cells;
    cells::MakeList(VpFilter, row, kFieldCol, mFMaker->FieldList());
    cells::MakeList(VpFilter, row, kLeftCol, editing::kLeftParenthesisList);
    cells::MakeList(VpFilter, row, kRightCol, editing::kRightParenthesisList);
    VpFilter.setLocked(row, ui::Grid::All, false);
    const editing::ComparisonList& none = editing::ComparisonsFor(editing::kTypePlaceholder);
    cells::MakeList(VpFilter, row, kCompareCol, none.wordText());
    cells::MakeList(VpFilter, row, kCodeCol, none.codeText());
    setLogicCell(row);
}

// Row 1 has no logic word: its cell is a locked plain cell in the tip
// colour. Every other row picks "并且" or "或者".
void frmFilter::setLogicCell(int row) {
    if (row == 1) {
        VpFilter.setCellType(1, kLogicCol, ui::CellType::Edit);
        VpFilter.setComboList(1, kLogicCol, "");
        VpFilter.setComboMaxDrop(1, kLogicCol, 0);
        VpFilter.setLocked(1, kLogicCol, true);
        VpFilter.setBackColor(1, kLogicCol, ui::Color::TooltipBackground);
        return;
    }
    editing::cells::MakeList(VpFilter, row, kLogicCol, editing::kLogicList);
    VpFilter.setLocked(row, kLogicCol, false);
    VpFilter.setBackColor(row, kLogicCol, ui::Color::Window);
}

// --- sort grid -----------------------------------------------------------------

bool frmFilter::ParseOrderField(const std::string& item, OrderField& field) {
    const auto blanks = item.find(std::string(kOrderFieldBlanks, ' '));
    if (blanks == std::string::npos) return false;
    // The caption may contain the separator; the hidden code starts after
    // the blanks.
    const std::string code = item.substr(blanks + kOrderFieldBlanks);
    field.caption = item.substr(0, blanks);
    field.colName = text::Piece(code, 2, kOrderFieldSeparator, false);
    field.fieldName = text::Piece(code, 3, kOrderFieldSeparator, false);
    field.tableName = text::Piece(code, 4, kOrderFieldSeparator, false);
    field.tableAlias = text::Piece(code, 5, kOrderFieldSeparator, false);
    return !text::IsBlank(field.colName);
}

// A field is sorted on at most once. The grid is designed with a fixed
// number of rows; it grows when every row is in use, so no key is refused.
void frmFilter::cmdAdd_Click() {
    const int index = listOrderFields.listIndex();
    if (index < 0) return;
    OrderField field;
    if (!ParseOrderField(listOrderFields.items()[index], field)) return;
    const std::string alias = text::Trim(field.colName);
    for (int r = 1; r <= sortRowCount_; ++r)
        if (text::IEquals(text::Trim(vsOrder.text(r, kSortAliasCol)), alias)) return;
    const int row = sortRowCount_ + 1;
    if (row > vsOrder.maxRows()) vsOrder.setMaxRows(row);
    ++sortRowCount_;
    writeSortRow(row, field, true);
}

void frmFilter::writeSortRow(int row, const OrderField& field, bool ascending) {
    namespace cells = editing::cells;
    sortUpdating_ = true;
    cells::SetStatic(vsOrder, row, kCaptionCol, field.caption);
    cells::SetCheck(vsOrder, row, kAscendingCol, ascending);
    cells::SetCheck(vsOrder, row, kDescendingCol, !ascending);
    cells::SetEdit(vsOrder, row, kSortAliasCol, field.colName);
    cells::SetEdit(vsOrder, row, kSortTableAliasCol, field.tableAlias);
    cells::SetEdit(vsOrder, row, kSortFieldCol, field.fieldName);
    cells::SetEdit(vsOrder, row, kSortTableCol, field.tableName);
    sortUpdating_ = false;
}

void frmFilter::exchangeSortRows(int a, int b) {
    sortUpdating_ = true;
    ExchangeTexts(vsOrder, a, b, kSortCols);
    sortUpdating_ = false;
}

void frmFilter::cmdDelOrder_Click() {
    if (currentSortRow_ < 1 || currentSortRow_ > sortRowCount_) return;
    sortUpdating_ = true;
    vsOrder.deleteRows(currentSortRow_);
    sortUpdating_ = false;
    --sortRowCount_;
    if (sortRowCount_ > 0) {
        currentSortRow_ = std::min<int32_t>(currentSortRow_, sortRowCount_);
        HighlightSortRow(currentSortRow_);
        return;
    }
    currentSortRow_ = 0;
    HighlightSortRow(0);
    enableSortButtons(false);
}

void frmFilter::cmdUp_Click() {
    if (currentSortRow_ <= 1 || currentSortRow_ > sortRowCount_) return;
    exchangeSortRows(currentSortRow_, currentSortRow_ - 1);
    --currentSortRow_;
    HighlightSortRow(currentSortRow_);
}

void frmFilter::cmdDown_Click() {
    if (currentSortRow_ < 1 || currentSortRow_ >= sortRowCount_) return;
    exchangeSortRows(currentSortRow_, currentSortRow_ + 1);
    ++currentSortRow_;
    HighlightSortRow(currentSortRow_);
}

void frmFilter::vsOrder_Click(int row, int) {
    if (sortUpdating_) return;
    if (row >= 1 && row <= sortRowCount_) {
        currentSortRow_ = row;
        HighlightSortRow(row);
        enableSortButtons(true);
        return;
    }
    currentSortRow_ = 0;
    HighlightSortRow(0);
}

// Each filled row has exactly one direction ticked: a box the person ticks
// unticks its twin and the other way round. The twin's write comes back as
// a notification of its own, which only ends the re-entry.
void frmFilter::vsOrder_ButtonClicked(int row, int col, int value) {
    if (sortUpdating_) return;
    if (checkReentry_) {
        checkReentry_ = false;
        return;
    }
    if (col != kAscendingCol && col != kDescendingCol) return;
    if (row < 1 || row > sortRowCount_) return;
    const int twin = col == kAscendingCol ? kDescendingCol : kAscendingCol;
    checkReentry_ = true;
    vsOrder.setText(row, twin, value == 1 ? "0" : "1");
    checkReentry_ = false;
}

void frmFilter::vsOrder_KeyDown(int keyCode) {
    if (sortUpdating_ || keyCode != ui::kKeyDelete) return;
    if (currentSortRow_ >= 1 && currentSortRow_ <= sortRowCount_) cmdDelOrder_Click();
}

void frmFilter::HighlightSortRow(int32_t row) {
    const bool drawing = vsOrder.reDraw();
    vsOrder.setReDraw(false);
    for (int r = 1; r <= sortRowCount_; ++r) {
        vsOrder.setBackColor(r, kCaptionCol, ui::Color::White);
        vsOrder.setForeColor(r, kCaptionCol, ui::Color::Black);
    }
    if (row >= 1 && row <= vsOrder.maxRows()) {
        vsOrder.setBackColor(row, kCaptionCol, ui::Color::ActiveTitleBar);
        vsOrder.setForeColor(row, kCaptionCol, ui::Color::Window);
        vsOrder.setActiveCell(row, kCaptionCol);
    }
    vsOrder.setReDraw(drawing);
}

void frmFilter::enableSortButtons(bool enabled) {
    cmdDelOrder.setEnabled(enabled);
    cmdUp.setEnabled(enabled);
    cmdDown.setEnabled(enabled);
}

// --- column-settings grid ----------------------------------------------------

void frmFilter::vaHideColumn_Click(int row, int col) {
    if (row < 1 || row > vaHideColumn.maxRows()) {
        currentColumnRow_ = 0;
        return;
    }
    currentColumnRow_ = row;
    if (col == 1) vaHideColumn.setActiveCell(row, 1);
}

// Moving a column past either end wraps round to the other end.
void frmFilter::cmdHideMove(int step) {
    const int rows = vaHideColumn.maxRows();
    const int row = currentColumnRow_;
    if (row < 1 || row > rows || vaHideColumn.activeCol() != 1) return;
    int other = row + step;
    if (other < 1) other = rows;
    if (other > rows) other = 1;
    ExchangeTexts(vaHideColumn, row, other, kColumnCols);
    currentColumnRow_ = other;
    vaHideColumn.setActiveCell(other, 1);
}

void frmFilter::setAllShown(bool shown) {
    for (int r = 1; r <= vaHideColumn.maxRows(); ++r)
        vaHideColumn.setText(r, kShowCol, shown ? "1" : "0");
}

// A refused width is replaced by the widest one allowed, so the grid never
// holds a width the list cannot take even if the person confirms the dialog
// from this cell; the cell stays in edit mode for another width.
void frmFilter::vaHideColumn_LeaveCell(int row, int col, bool& cancel) {
    if (widthReentry_ || col != kWidthCol) return;
    double width = 0;
    if (!number::ParseDecimal(text::Trim(vaHideColumn.text(row, col)), width) ||
        width <= kMaxColumnWidth)
        return;
    widthReentry_ = true;
    host::ShowMessage(kWidthTooLarge, host::kIconInformation, host::kButtonsOk, kWidthTitle);
    widthReentry_ = false;
    vaHideColumn.setText(row, col, kMaxColumnWidthText);
    vaHideColumn.setEditMode(true);
    cancel = true;
}

}  // namespace qelt::dialog
