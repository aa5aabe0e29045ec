#include "qelt/ui/grid.h"

#include <algorithm>
#include <charconv>

#include "platform/text.h"
#include "qelt/variant.h"
#include "ui/utf8.h"

namespace qelt::ui {

namespace {

using Items = std::shared_ptr<const std::vector<std::string>>;

struct Cell {
    std::string text;
    CellType type = CellType::Edit;
    Items items;  // shared: a list set on a whole column is held once
    int index = -1;
    int maxDrop = 0;
    NumberLimits limits;
    int maxLength = 0;
    bool locked = false;
    Color back = Color::Window;
    Color fore = Color::WindowText;
    CheckAlign align = CheckAlign::Left;
};

const std::string kEmpty;
const Cell kDefaultCell;

int Find(const Cell& c, const std::string& text) {
    if (!c.items) return -1;
    auto it = std::find(c.items->begin(), c.items->end(), text);
    return it == c.items->end() ? -1 : static_cast<int>(it - c.items->begin());
}

Items SplitTabs(const std::string& s) {
    auto items = std::make_shared<std::vector<std::string>>();
    if (s.empty()) return items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = s.find('\t', start);
        items->push_back(
            s.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return items;
}

// A number as a person can type it into a number cell: optional sign, digits
// with at most one decimal point; returns false for anything else.
bool ParseNumber(std::string_view s, double& value, int& decimals) {
    std::size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    int digits = 0, point = -1;
    for (std::size_t k = i; k < s.size(); ++k) {
        if (s[k] >= '0' && s[k] <= '9') {
            ++digits;
        } else if (s[k] == '.' && point < 0) {
            point = static_cast<int>(k);
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    decimals = point < 0 ? 0 : static_cast<int>(s.size()) - point - 1;
    std::string_view body = s.substr(s[0] == '+' ? 1 : 0);
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    return ec == std::errc() && ptr == body.data() + body.size();
}

// An empty text, or a number within the limits and decimals of a cell.
bool NumberFits(const NumberLimits& limits, std::string_view typed) {
    const std::string trimmed = text::Trim(typed);
    double v = 0;
    int decimals = 0;
    return trimmed.empty() || (ParseNumber(trimmed, v, decimals) && v >= limits.min &&
                               v <= limits.max && decimals <= limits.decimals);
}

}  // namespace

struct Grid::Impl {
    // The lists set last, split: the rules give a whole column of cells the
    // same few lists, and a cell holds its list shared.
    static constexpr std::size_t kRecentLists = 8;
    std::pair<std::string, Items> recent[kRecentLists];
    std::size_t nextRecent = 0;
    Items items(const std::string& tabSeparated) {
        for (const auto& [text, split] : recent)
            if (split && text == tabSeparated) return split;
        auto& slot = recent[nextRecent++ % kRecentLists];
        slot = {tabSeparated, SplitTabs(tabSeparated)};
        return slot.second;
    }

    int rows = 0;
    int cols = 0;
    std::vector<std::vector<Cell>> cells{1,
                                         std::vector<Cell>(1)};  // [row][col], row/col 0 = headers
    std::vector<Cell> colDefault{1};
    std::vector<bool> hidden{false};
    std::vector<bool> spare{false};
    std::string hint;
    int activeRow = 1;
    int activeCol = 1;
    unsigned activeSetByCode = 0;
    bool editMode = false;
    bool reDraw = true;
    bool pending = false;

    std::vector<Cell> BlankRow() const {
        std::vector<Cell> row = colDefault;
        for (auto& c : row) {
            c.text.clear();
            c.index = -1;
        }
        return row;
    }
    bool Inside(int r, int c) const { return r >= 0 && r <= rows && c >= 0 && c <= cols; }
    const Cell& At(int r, int c) const { return Inside(r, c) ? cells[r][c] : kDefaultCell; }
    // Inclusive span of an index or All (1..max), clipped to 0..max.
    static std::pair<int, int> Span(int a, int b, int max) {
        if (a == All) return {1, max};
        return {std::max(a, 0), std::min(b == All ? max : b, max)};
    }
    // Applies `fn` to a cell or to every cell that All names, keeping the
    // column defaults in step for row = All. Returns the range changed
    // (what = All when nothing inside the grid changed).
    template <class Fn>
    Change Apply(int row, int col, Fn fn) {
        auto [r1, r2] = Span(row, row, rows);
        auto [c1, c2] = Span(col, col, cols);
        if (row == All)
            for (int c = c1; c <= c2; ++c) fn(colDefault[c]);
        if (r1 > r2 || c1 > c2) return {};
        for (int r = r1; r <= r2; ++r)
            for (int c = c1; c <= c2; ++c) fn(cells[r][c]);
        return {.what = Change::What::Cells, .row = r1, .col = c1, .row2 = r2, .col2 = c2};
    }
};

Grid::Grid(std::string name) : Control(ControlKind::Grid, std::move(name)), d_(new Impl) {}
Grid::~Grid() = default;

void Grid::notify(const Change& change) const {
    if (!d_->reDraw) {
        d_->pending = true;
        return;
    }
    notifyNow(change);
}

#define QELT_APPLY(fn)                                        \
    do {                                                      \
        Change range = d_->Apply(row, col, fn);               \
        if (range.what == Change::What::Cells) notify(range); \
    } while (0)

void Grid::notifySize(int previousRows, int previousCols) const {
    notify({.what = Change::What::Size,
            .row = d_->rows,
            .col = d_->cols,
            .row2 = previousRows,
            .col2 = previousCols});
}

// --- size ---------------------------------------------------------------------

int Grid::maxRows() const {
    return d_->rows;
}
int Grid::maxCols() const {
    return d_->cols;
}

void Grid::setMaxRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == d_->rows) return;
    const int previous = d_->rows;
    d_->cells.resize(rows + 1, d_->BlankRow());
    d_->rows = rows;
    d_->activeRow = std::min(d_->activeRow, std::max(rows, 1));
    notifySize(previous, d_->cols);
}

void Grid::setMaxCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == d_->cols) return;
    const int previous = d_->cols;
    d_->colDefault.resize(cols + 1);
    d_->hidden.resize(cols + 1, false);
    d_->spare.resize(cols + 1, false);
    for (auto& row : d_->cells) row.resize(cols + 1);
    d_->cols = cols;
    d_->activeCol = std::min(d_->activeCol, std::max(cols, 1));
    notifySize(d_->rows, previous);
}

bool Grid::colHidden(int col) const {
    return col >= 0 && col <= d_->cols && d_->hidden[col];
}

void Grid::setColHidden(int col, bool hidden) {
    auto [c1, c2] = Impl::Span(col, col, d_->cols);
    for (int c = c1; c <= c2; ++c) d_->hidden[c] = hidden;
    if (c1 <= c2) notifySize(d_->rows, d_->cols);
}

bool Grid::colTakesSpareWidth(int col) const {
    return col >= 0 && col <= d_->cols && d_->spare[col];
}

void Grid::setColTakesSpareWidth(int col, bool takes) {
    auto [c1, c2] = Impl::Span(col, col, d_->cols);
    for (int c = c1; c <= c2; ++c) d_->spare[c] = takes;
    if (c1 <= c2) notifySize(d_->rows, d_->cols);
}

const std::string& Grid::hint() const {
    return d_->hint;
}

void Grid::setHint(std::string hint) {
    if (d_->hint == hint) return;
    d_->hint = std::move(hint);
    notify({.what = Change::What::Hint});
}

// --- content ------------------------------------------------------------------

const std::string& Grid::text(int row, int col) const {
    return d_->Inside(row, col) ? d_->cells[row][col].text : kEmpty;
}

void Grid::setText(int row, int col, const std::string& text) {
    auto [r1, r2] = Impl::Span(row, row, d_->rows);
    auto [c1, c2] = Impl::Span(col, col, d_->cols);
    if (r1 > r2 || c1 > c2) return;
    if (r1 == r2 && c1 == c2) {
        // One cell, as nearly every write is: no list of check boxes.
        Cell& cell = d_->cells[r1][c1];
        cell.text = text;
        if (cell.type == CellType::ComboBox) cell.index = Find(cell, text);
        const bool check = cell.type == CellType::CheckBox && r1 > 0 && c1 > 0;
        notify({.what = Change::What::Cells, .row = r1, .col = c1, .row2 = r2, .col2 = c2});
        if (check && onButtonClicked) onButtonClicked(r1, c1, this->text(r1, c1) == "1" ? 1 : 0);
        return;
    }
    std::vector<std::pair<int, int>> checks;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            Cell& cell = d_->cells[r][c];
            cell.text = text;
            if (cell.type == CellType::ComboBox) cell.index = Find(cell, text);
            if (cell.type == CellType::CheckBox && r > 0 && c > 0) checks.emplace_back(r, c);
        }
    notify({.what = Change::What::Cells, .row = r1, .col = c1, .row2 = r2, .col2 = c2});
    for (auto [r, c] : checks)
        if (onButtonClicked) onButtonClicked(r, c, this->text(r, c) == "1" ? 1 : 0);
}

void Grid::clearRange(int row1, int col1, int row2, int col2) {
    auto [r1, r2] = Impl::Span(row1, row2, d_->rows);
    auto [c1, c2] = Impl::Span(col1, col2, d_->cols);
    if (r1 > r2 || c1 > c2) return;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            d_->cells[r][c].text.clear();
            d_->cells[r][c].index = -1;
        }
    notify({.what = Change::What::Cells, .row = r1, .col = c1, .row2 = r2, .col2 = c2});
}

// --- settings -----------------------------------------------------------------

CellType Grid::cellType(int row, int col) const {
    return d_->At(row, col).type;
}
void Grid::setCellType(int row, int col, CellType type) {
    QELT_APPLY([type](Cell& c) { c.type = type; });
}

std::vector<std::string> Grid::comboItems(int row, int col) const {
    const Cell& c = d_->At(row, col);
    return c.items ? *c.items : std::vector<std::string>();
}

void Grid::setComboList(int row, int col, const std::string& tabSeparated) {
    Items items = d_->items(tabSeparated);
    QELT_APPLY([&items](Cell& c) {
        c.items = items;
        c.index = Find(c, c.text);
    });
}

int Grid::comboIndex(int row, int col) const {
    return d_->At(row, col).index;
}

void Grid::setComboIndex(int row, int col, int index) {
    QELT_APPLY([index](Cell& c) {
        const int n = c.items ? static_cast<int>(c.items->size()) : 0;
        c.index = (index >= 0 && index < n) ? index : -1;
        c.text = c.index >= 0 ? (*c.items)[c.index] : std::string();
    });
}

int Grid::comboMaxDrop(int row, int col) const {
    return d_->At(row, col).maxDrop;
}
void Grid::setComboMaxDrop(int row, int col, int items) {
    QELT_APPLY([items](Cell& c) { c.maxDrop = std::max(items, 0); });
}

NumberLimits Grid::numberLimits(int row, int col) const {
    return d_->At(row, col).limits;
}
void Grid::setNumberLimits(int row, int col, NumberLimits limits) {
    QELT_APPLY([limits](Cell& c) { c.limits = limits; });
}

int Grid::maxLength(int row, int col) const {
    return d_->At(row, col).maxLength;
}
void Grid::setMaxLength(int row, int col, int chars) {
    QELT_APPLY([chars](Cell& c) { c.maxLength = std::max(chars, 0); });
}

bool Grid::locked(int row, int col) const {
    return d_->At(row, col).locked;
}
void Grid::setLocked(int row, int col, bool locked) {
    QELT_APPLY([locked](Cell& c) { c.locked = locked; });
}

Color Grid::backColor(int row, int col) const {
    return d_->At(row, col).back;
}
Color Grid::foreColor(int row, int col) const {
    return d_->At(row, col).fore;
}
void Grid::setBackColor(int row, int col, Color color) {
    QELT_APPLY([color](Cell& c) { c.back = color; });
}
void Grid::setForeColor(int row, int col, Color color) {
    QELT_APPLY([color](Cell& c) { c.fore = color; });
}

CheckAlign Grid::checkAlign(int row, int col) const {
    return d_->At(row, col).align;
}
void Grid::setCheckAlign(int row, int col, CheckAlign align) {
    QELT_APPLY([align](Cell& c) { c.align = align; });
}

#undef QELT_APPLY

// --- rows ---------------------------------------------------------------------

void Grid::insertRows(int row, int count) {
    if (row < 1 || row > d_->rows || count < 1) return;
    count = std::min(count, d_->rows - row + 1);
    d_->cells.insert(d_->cells.begin() + row, count, d_->BlankRow());
    d_->cells.resize(d_->rows + 1);
    notify({.what = Change::What::RowsInserted, .row = row, .count = count});
}

void Grid::deleteRows(int row, int count) {
    if (row < 1 || row > d_->rows || count < 1) return;
    count = std::min(count, d_->rows - row + 1);
    d_->cells.erase(d_->cells.begin() + row, d_->cells.begin() + row + count);
    d_->cells.resize(d_->rows + 1, d_->BlankRow());
    notify({.what = Change::What::RowsRemoved, .row = row, .count = count});
}

// --- active cell, edit mode, drawing ------------------------------------------

int Grid::activeRow() const {
    return d_->activeRow;
}
int Grid::activeCol() const {
    return d_->activeCol;
}

void Grid::setActiveCell(int row, int col) {
    if (row < 1 || row > d_->rows || col < 1 || col > d_->cols) return;
    ++d_->activeSetByCode;
    if (row == d_->activeRow && col == d_->activeCol) return;
    d_->activeRow = row;
    d_->activeCol = col;
    notify({.what = Change::What::ActiveCell, .row = row, .col = col});
}

bool Grid::editMode() const {
    return d_->editMode;
}
void Grid::setEditMode(bool on) {
    if (d_->editMode == on) return;
    d_->editMode = on;
    notify({.what = Change::What::EditMode});
}

bool Grid::reDraw() const {
    return d_->reDraw;
}
void Grid::setReDraw(bool on) {
    if (d_->reDraw == on) return;
    d_->reDraw = on;
    if (on && d_->pending) {
        d_->pending = false;
        notifyNow({.what = Change::What::All});
    }
}

// --- user actions -------------------------------------------------------------

bool Grid::moveTo(int row, int col) {
    if (!reachable() || row < 1 || row > d_->rows || col < 1 || col > d_->cols || d_->hidden[col])
        return false;
    if (row == d_->activeRow && col == d_->activeCol) return true;
    bool cancel = false;
    const unsigned setByCode = d_->activeSetByCode;
    if (onLeaveCell) onLeaveCell(d_->activeRow, d_->activeCol, row, col, cancel);
    if (cancel || setByCode != d_->activeSetByCode) return false;
    // A handler may have shrunk the grid under the target.
    if (row > d_->rows || col > d_->cols) return false;
    d_->activeRow = row;
    d_->activeCol = col;
    notify({.what = Change::What::ActiveCell, .row = row, .col = col});
    setEditMode(false);
    return true;
}

bool Grid::leave() {
    if (!reachable()) return false;
    bool cancel = false;
    if (onLeaveCell) onLeaveCell(d_->activeRow, d_->activeCol, -1, -1, cancel);
    if (cancel) return false;
    setEditMode(false);
    return true;
}

bool CellAccepts(const CellSpec& spec, const std::string& value) {
    switch (spec.type) {
        case CellType::Static:
        case CellType::ComboBox:
            return true;
        case CellType::CheckBox:
            return value.empty() || value == "0" || value == "1";
        case CellType::Number:
            return NumberFits(spec.limits, value);
        case CellType::Edit:
            return spec.maxLength <= 0 ||
                   text::CharCount(value) <= static_cast<std::size_t>(spec.maxLength);
        case CellType::Date: {
            Date date;
            return text::IsBlank(value) || Date::parse(text::Trim(value), date);
        }
    }
    return false;
}

bool Grid::accepts(int row, int col, const std::string& value) const {
    if (row < 1 || row > d_->rows || col < 1 || col > d_->cols) return false;
    const Cell& c = d_->cells[row][col];
    if (c.type == CellType::ComboBox)
        return value.empty() ||
               (c.items && std::find(c.items->begin(), c.items->end(), value) != c.items->end());
    return CellAccepts({c.type, c.limits, c.maxLength}, value);
}

bool Grid::pick(int row, int col, int index) {
    if (!moveTo(row, col)) return false;
    const Cell& c = d_->cells[row][col];
    const int n = c.items ? static_cast<int>(c.items->size()) : 0;
    if (c.type != CellType::ComboBox || c.locked || index < 0 || index >= n) return false;
    if (c.index == index && c.text == (*c.items)[index]) return true;
    setComboIndex(row, col, index);
    if (onChange) onChange(row, col);
    return true;
}

bool Grid::type(int row, int col, const std::string& typed) {
    if (!moveTo(row, col)) return false;
    std::string value;
    for (int code : utf8::CodePoints(typed)) {
        if (code < 32) continue;
        if (previewKeyPress) previewKeyPress(code);
        if (code >= 32) value += utf8::Encode(code);
    }
    // The preview may have changed the grid under the cell.
    if (row > d_->rows || col > d_->cols) return false;
    const Cell& c = d_->cells[row][col];
    if (c.locked) return false;
    switch (c.type) {
        case CellType::Static:
        case CellType::ComboBox:
        case CellType::CheckBox:
            return false;
        case CellType::Number:
            if (!NumberFits(c.limits, value)) return false;
            break;
        case CellType::Edit:
            if (c.maxLength > 0) value = text::Left(value, static_cast<std::size_t>(c.maxLength));
            break;
        case CellType::Date:
            break;
    }
    const bool changed = value != c.text;
    if (changed) setText(row, col, value);
    if (changed && onChange) onChange(row, col);
    if (onEditEnd) onEditEnd(row, col, changed);
    return true;
}

bool Grid::clickCheck(int row, int col) {
    if (!moveTo(row, col)) return false;
    const Cell& c = d_->cells[row][col];
    if (c.type != CellType::CheckBox || c.locked) return false;
    setText(row, col, c.text == "1" ? "0" : "1");
    return true;
}

bool Grid::click(int row, int col) {
    if (!reachable() || !d_->Inside(row, col)) return false;
    const bool moved = (row == 0 || col == 0) ? true : moveTo(row, col);
    if (onClick) onClick(row, col);
    return moved;
}

bool Grid::key(int keyCode, int shift) {
    if (!reachable()) return false;
    if (previewKeyDown) previewKeyDown(keyCode, shift);
    if (keyCode != 0 && onKeyDown) onKeyDown(keyCode, shift);
    return true;
}

const char* CellTypeName(CellType type) {
    switch (type) {
        case CellType::Static:
            return "Static";
        case CellType::Edit:
            return "Edit";
        case CellType::ComboBox:
            return "ComboBox";
        case CellType::CheckBox:
            return "CheckBox";
        case CellType::Number:
            return "Number";
        case CellType::Date:
            return "Date";
    }
    return "";
}

const char* ColorName(Color color) {
    switch (color) {
        case Color::Window:
            return "Window";
        case Color::WindowText:
            return "WindowText";
        case Color::White:
            return "White";
        case Color::Black:
            return "Black";
        case Color::TooltipBackground:
            return "TooltipBackground";
        case Color::ActiveTitleBar:
            return "ActiveTitleBar";
    }
    return "";
}

}  // namespace qelt::ui
