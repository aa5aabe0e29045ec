#include "grid_model.h"

#include <algorithm>

#include "qstring_utf8.h"

namespace qelt::qt {

using ui::CellType;
using ui::Change;

GridModel::GridModel(ui::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.maxRows()), cols_(grid.maxCols()) {
    observer_ = grid_.subscribe([this](const ui::Control&, const Change& c) { onChange(c); });
}

GridModel::~GridModel() {
    grid_.unsubscribe(observer_);
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::colour(ui::Color color, bool background) const {
    switch (color) {
        case ui::Color::Window:
            return background ? QVariant() : palette_.color(QPalette::Window);
        case ui::Color::WindowText:
            return background ? palette_.color(QPalette::Text) : QVariant();
        case ui::Color::White:
            return QColor(Qt::white);
        case ui::Color::Black:
            return QColor(Qt::black);
        case ui::Color::TooltipBackground:
            return palette_.color(QPalette::ToolTipBase);
        case ui::Color::ActiveTitleBar:
            return palette_.color(QPalette::Highlight);
    }
    return {};
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= cols_) return {};
    const int r = index.row() + 1;
    const int c = index.column() + 1;
    const CellType type = grid_.cellType(r, c);
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
        case Qt::ToolTipRole:
            if (type == CellType::CheckBox) return {};
            if (role == Qt::ToolTipRole && grid_.text(r, c).empty()) return {};
            return FromUtf8(grid_.text(r, c));
        case Qt::CheckStateRole:
            if (type != CellType::CheckBox) return {};
            return grid_.text(r, c) == "1" ? Qt::Checked : Qt::Unchecked;
        case Qt::BackgroundRole:
            return colour(grid_.backColor(r, c), true);
        case Qt::ForegroundRole:
            return colour(grid_.foreColor(r, c), false);
        case Qt::TextAlignmentRole:
            if (type == CellType::Number) return int(Qt::AlignRight | Qt::AlignVCenter);
            if (type == CellType::CheckBox && grid_.checkAlign(r, c) == ui::CheckAlign::Center)
                return int(Qt::AlignCenter);
            if (type == CellType::CheckBox && grid_.checkAlign(r, c) == ui::CheckAlign::Right)
                return int(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        case kCellTypeRole:
            return static_cast<int>(type);
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= cols_) return {};
        return FromUtf8(grid_.text(0, section + 1));
    }
    if (section < 0 || section >= rows_) return {};
    const std::string& text = grid_.text(section + 1, 0);
    return text.empty() ? QVariant(section + 1) : QVariant(FromUtf8(text));
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int r = index.row() + 1;
    const int c = index.column() + 1;
    if (grid_.locked(r, c)) return f;
    switch (grid_.cellType(r, c)) {
        case CellType::Static:
            return f;
        case CellType::CheckBox:
            return f | Qt::ItemIsUserCheckable;
        default:
            return f | Qt::ItemIsEditable;
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) return false;
    const int r = index.row() + 1;
    const int c = index.column() + 1;
    bool done = false;
    if (role == Qt::CheckStateRole) {
        const bool want = value.toInt() == Qt::Checked;
        const bool now = grid_.text(r, c) == "1";
        done = want == now || grid_.clickCheck(r, c);
    } else if (role == Qt::EditRole) {
        if (grid_.cellType(r, c) == CellType::ComboBox) {
            const auto items = grid_.comboItems(r, c);
            const std::string text = ToUtf8(value.toString());
            const auto it = std::find(items.begin(), items.end(), text);
            done = it != items.end() && grid_.pick(r, c, static_cast<int>(it - items.begin()));
        } else {
            done = grid_.type(r, c, ToUtf8(value.toString()));
        }
    }
    // A refused edit leaves the grid as it was; the view redraws it.
    if (!done) emit dataChanged(index, index);
    return done;
}

void GridModel::syncSize() {
    const int rows = grid_.maxRows();
    const int cols = grid_.maxCols();
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (cols > cols_) {
        beginInsertColumns({}, cols_, cols - 1);
        cols_ = cols;
        endInsertColumns();
    } else if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        cols_ = cols;
        endRemoveColumns();
    }
}

void GridModel::onChange(const Change& change) {
    const auto cells = [this](int r1, int c1, int r2, int c2) {
        r1 = std::clamp(r1, 1, rows_);
        r2 = std::clamp(r2, 1, rows_);
        c1 = std::clamp(c1, 1, cols_);
        c2 = std::clamp(c2, 1, cols_);
        if (rows_ == 0 || cols_ == 0 || r1 > r2 || c1 > c2) return;
        emit dataChanged(index(r1 - 1, c1 - 1), index(r2 - 1, c2 - 1));
    };
    switch (change.what) {
        case Change::What::Cells:
            if (change.row == 0 && cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
            cells(change.row, change.col, change.row2, change.col2);
            break;
        case Change::What::RowsInserted:
        case Change::What::RowsRemoved:
            // The row count stays: every row from `row` down shows other content.
            cells(change.row, 1, rows_, cols_);
            if (rows_ > 0) emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
            break;
        case Change::What::Size:
            syncSize();
            emit columnsHiddenChanged();
            break;
        case Change::What::ActiveCell:
            emit activeCellChanged(change.row - 1, change.col - 1);
            break;
        case Change::What::All:
            beginResetModel();
            rows_ = grid_.maxRows();
            cols_ = grid_.maxCols();
            endResetModel();
            emit columnsHiddenChanged();
            emit activeCellChanged(grid_.activeRow() - 1, grid_.activeCol() - 1);
            break;
        default:
            break;
    }
}

}  // namespace qelt::qt
