#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "qelt/export.h"
#include "qelt/ui/control.h"

// The spreadsheet grid: rows 1..maxRows() and columns 1..maxCols() of cells,
// row 0 the column headers and column 0 the row headers. See control.h for
// the rules every control follows.
//
// Addressing. Getters accept 0..maxRows() and 0..maxCols() and return the
// default (empty text, Edit, unlocked, ...) outside that range. Setters that
// take a cell also accept Grid::All for the row (every row 1..maxRows()) or
// the column (every column 1..maxCols()); a setting made with row = All also
// becomes the column's default, which rows added later (maxRows grows,
// insertRows, deleteRows) take. Setters ignore cells outside the grid.
//
// Cell text is the state: a check-box cell holds "1" or "0" (or empty, read
// as not ticked), a combo cell the text of its selected item, a number or
// date cell the text as written or typed.
namespace qelt::ui {

// What a cell holds and how a person edits it: Static (text only code
// writes), Edit (typed text), ComboBox (an item of its list), CheckBox ("1"
// or "0"), Number (a number within its limits), Date (a date). Edit by
// default.
enum class CellType { Static, Edit, ComboBox, CheckBox, Number, Date };

// Colours as system roles; the front end maps them to its palette.
enum class Color { Window, WindowText, White, Black, TooltipBackground, ActiveTitleBar };

// Where a check-box cell draws its box.
enum class CheckAlign { Left, Center, Right };

// What a number cell takes: a number from min to max with at most
// `decimals` digits after the point.
struct NumberLimits {
    double min = 0;    // the smallest number
    double max = 0;    // the largest number
    int decimals = 0;  // the most digits after the decimal point
    // Every member equal.
    bool operator==(const NumberLimits&) const = default;
};

// A cell's kind and limits as a rule sets them up, apart from any grid:
// what CellAccepts judges a text against.
struct CellSpec {
    CellType type = CellType::Edit;  // the kind of cell
    NumberLimits limits;             // Number cells
    int maxLength = 0;               // Edit cells; 0 = no limit
};

// Whether a person could leave `text` in a cell of that spec: "0", "1" or
// nothing in a check box, an empty text or a number within the limits and
// decimals of a number cell, an empty text or a date in a date cell, at
// most maxLength characters in an edit cell; a combo cell (whose items the
// spec does not hold) and a static cell take anything.
QELT_EXPORT bool CellAccepts(const CellSpec& spec, const std::string& text);

// The spreadsheet grid control (the rules of cells and addressing head this
// header, grid.h).
class QELT_EXPORT Grid : public Control {
public:
    // A row or column argument meaning every row 1..maxRows() or every
    // column 1..maxCols().
    static constexpr int All = -1;

    // An empty grid named `name`: no rows, no columns, the active cell
    // (1, 1), drawing on (Form::add makes one).
    explicit Grid(std::string name);
    ~Grid() override;

    // --- size -------------------------------------------------------------
    // The number of data rows and columns, 0 at first. Growing adds blank
    // rows or columns (rows with the columns' defaults); shrinking drops the
    // last ones; a negative count is 0. The active cell is kept inside the
    // grid. Observers hear Size.
    // @{
    int maxRows() const;
    int maxCols() const;
    void setMaxRows(int rows);
    void setMaxCols(int cols);
    // @}
    // Whether a column is hidden: drawn by no front end, moved to by no
    // person. Accepts All; notifies Size.
    // @{
    bool colHidden(int col) const;
    void setColHidden(int col, bool hidden);
    // @}

    // --- presentation: how a front end draws the grid ----------------------
    // Whether a column takes spare width: such columns share what the view
    // has beyond the width of the other columns, which are sized to their
    // content. Accepts All; notifies Size as hiding a column does. It changes
    // nothing a person can do with the grid: no rule reads it, no event
    // fires and Dump leaves it out.
    // @{
    bool colTakesSpareWidth(int col) const;
    void setColTakesSpareWidth(int col, bool takes);
    // @}
    // A short text a front end paints in the first row after the last row
    // that holds any text, saying what that row is for; it is never a cell's
    // text. Empty: no hint. Notifies Hint; as the spare width, no rule reads
    // it, no event fires and Dump leaves it out.
    // @{
    const std::string& hint() const;
    void setHint(std::string hint);
    // @}

    // --- cell content -----------------------------------------------------
    // The cell's text; the reference is valid until the grid next changes.
    const std::string& text(int row, int col) const;
    // Writes the cell's text by code (row 0 and column 0 included; All
    // accepted). On a combo cell the selection becomes the first item equal
    // to `text` (or -1). On a check-box cell this fires
    // onButtonClicked(row, col, value) for every cell written, changed or
    // not, as the grid control does for a write by code; handlers that write
    // check-box cells must expect their own write to come back.
    void setText(int row, int col, const std::string& text);
    // Empties the texts of the range (inclusive; All allowed) and clears
    // combo selections. Fires nothing (check boxes included).
    void clearRange(int row1, int col1, int row2, int col2);

    // --- cell settings (no events; observers hear Cells) -----------------
    // The cell's type (CellType); Edit by default.
    // @{
    CellType cellType(int row, int col) const;
    void setCellType(int row, int col, CellType type);
    // @}

    // Combo cells: the items, fed from TAB-separated text (`"a\tb"` is two
    // items; "" is none). Setting the list keeps the text and selects the
    // first item equal to it (or none).
    // @{
    std::vector<std::string> comboItems(int row, int col) const;
    void setComboList(int row, int col, const std::string& tabSeparated);
    // @}
    // Selection index, -1 for none. Setting it by code writes the item's text
    // (empty for -1) and fires nothing; an index outside the list is -1.
    // @{
    int comboIndex(int row, int col) const;
    void setComboIndex(int row, int col, int index);
    // @}
    // How many items the open list shows at most (0 = the front end decides).
    // @{
    int comboMaxDrop(int row, int col) const;
    void setComboMaxDrop(int row, int col, int items);
    // @}

    // What a number cell takes; min, max and decimals 0 by default.
    // @{
    NumberLimits numberLimits(int row, int col) const;
    void setNumberLimits(int row, int col, NumberLimits limits);
    // @}

    // Most characters a person can type into an edit cell; 0 = no limit.
    // @{
    int maxLength(int row, int col) const;
    void setMaxLength(int row, int col, int chars);
    // @}

    // A locked cell takes nothing from a person (typing, picking, clicking
    // its check box); code still writes it. Unlocked by default.
    // @{
    bool locked(int row, int col) const;
    void setLocked(int row, int col, bool locked);
    // @}

    // The cell's background and text colours; Color::Window and
    // Color::WindowText by default.
    // @{
    Color backColor(int row, int col) const;
    Color foreColor(int row, int col) const;
    void setBackColor(int row, int col, Color color);
    void setForeColor(int row, int col, Color color);
    // @}

    // Where a check-box cell draws its box; CheckAlign::Left by default.
    // @{
    CheckAlign checkAlign(int row, int col) const;
    void setCheckAlign(int row, int col, CheckAlign align);
    // @}

    // --- rows -------------------------------------------------------------
    // Inserts `count` blank rows before `row` (1..maxRows()); the rows below
    // move down and the last `count` rows fall off: maxRows() is unchanged.
    void insertRows(int row, int count = 1);
    // Deletes `count` rows from `row`; the rows below move up and blank rows
    // fill the end: maxRows() is unchanged.
    void deleteRows(int row, int count = 1);

    // --- active cell, edit mode, drawing ----------------------------------
    // The active cell's row and column, from 1; the active cell starts at
    // (1, 1).
    // @{
    int activeRow() const;
    int activeCol() const;
    // @}
    // Makes (row, col) the active cell by code; fires nothing. Ignored
    // outside the grid.
    void setActiveCell(int row, int col);
    // Whether the active cell is being edited. Setting it fires nothing;
    // observers hear EditMode. A move to another cell ends it.
    // @{
    bool editMode() const;
    void setEditMode(bool on);
    // @}
    // While drawing is suspended (setReDraw(false)) observers hear nothing;
    // setReDraw(true) then sends one Change::What::All when anything changed.
    // @{
    bool reDraw() const;
    void setReDraw(bool on);
    // @}

    // Whether a person could have left `text` in the cell: an item of a
    // combo cell's list or nothing, "0", "1" or nothing in a check box, an
    // empty text or a number within the limits and decimals of a number
    // cell, an empty text or a date in a date cell, at most maxLength
    // characters in an edit cell. Static cells, which only code writes,
    // take anything; a cell outside the grid takes nothing.
    bool accepts(int row, int col, const std::string& text) const;

    // --- user actions -----------------------------------------------------
    // The person moves to (row, col). When that is the active cell nothing
    // fires and the result is true. Otherwise onLeaveCell(activeRow,
    // activeCol, row, col, cancel) fires; when a handler sets cancel, or a
    // handler made another cell active by code, that cell stays active and
    // the result is false; else the target becomes active, edit mode ends,
    // and the result is true. False without an event for a cell outside
    // rows 1..maxRows(), columns 1..maxCols(), in a hidden column, or when
    // unreachable.
    bool moveTo(int row, int col);
    // The focus leaves the grid: onLeaveCell(activeRow, activeCol, -1, -1,
    // cancel). False when a handler cancelled (the focus stays).
    bool leave();
    // moveTo(row, col), then the person picks item `index` of the cell's
    // list: when the selection changes, the text becomes the item and
    // onChange(row, col) fires. False (nothing set) when the move failed,
    // the cell is not a combo cell, is locked, or the index is not in the
    // list.
    bool pick(int row, int col, int index);
    // moveTo(row, col), then the person types `text` over the cell's text
    // and ends the edit. Control characters are dropped; every other
    // character first passes previewKeyPress (the form's key preview), which
    // may change or discard it. Refused (false, text unchanged, no further event)
    // when the move failed or the cell is locked, Static, ComboBox or
    // CheckBox; on a Number cell also when the trimmed text is neither empty
    // nor a number within its limits and decimals. An Edit cell keeps at most
    // maxLength characters. Then onChange(row, col) fires when the text
    // changed, and onEditEnd(row, col, changed) fires in every case.
    bool type(int row, int col, const std::string& text);
    // moveTo(row, col), then the person clicks the check box: the value
    // toggles through setText (so onButtonClicked(row, col, newValue) fires
    // once). False when the move failed, or the cell is not a check box or
    // is locked.
    bool clickCheck(int row, int col);
    // The person clicks a cell: a data cell is first moved to (moveTo); then
    // onClick(row, col) fires, also for a header cell (row or col 0) and
    // also when the move was cancelled. Returns the move's result (true for
    // a header cell). False without any event when unreachable.
    bool click(int row, int col);
    // A key goes down on the active cell: previewKeyDown, then
    // onKeyDown(keyCode, shift) unless the preview set the code to 0.
    bool key(int keyCode, int shift = 0);

    // --- events -----------------------------------------------------------
    // Rows and columns are those of the cell concerned; for LeaveCell the
    // cell left, then the target (-1, -1 when the focus leaves the grid).
    // ButtonClicked carries the check box's new value (1 ticked, 0 not).
    // The user actions above say when each fires.
    // @{
    std::function<void(int row, int col, int newRow, int newCol, bool& cancel)> onLeaveCell;
    std::function<void(int row, int col)> onChange;
    std::function<void(int row, int col, bool changed)> onEditEnd;
    std::function<void(int row, int col, int value)> onButtonClicked;
    std::function<void(int row, int col)> onClick;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    // @}

protected:
    void notify(const Change& change) const override;

private:
    void notifySize(int previousRows, int previousCols) const;
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Names for messages and front ends: "Static", "Edit", "ComboBox",
// "CheckBox", "Number", "Date".
QELT_EXPORT const char* CellTypeName(CellType type);
// "Window", "WindowText", "White", "Black", "TooltipBackground",
// "ActiveTitleBar".
QELT_EXPORT const char* ColorName(Color color);

}  // namespace qelt::ui
