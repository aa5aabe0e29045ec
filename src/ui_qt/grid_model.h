#pragma once

#include <QAbstractTableModel>
#include <QPalette>

#include "qelt/ui/grid.h"

namespace qelt::qt {

// Item-data role carrying the cell's type (ui::CellType as int) to the
// delegate.
inline constexpr int kCellTypeRole = Qt::UserRole + 1;

// A table model over one ui::Grid: rows 1..maxRows() and columns 1..maxCols()
// of the grid are the model's rows and columns from 0; row 0 of the grid is
// the horizontal header. The adapter holds no cell data of its own, only the
// row and column counts it last announced, so that the grid's size
// notifications (which arrive after the change) become proper
// begin/endInsert and begin/endRemove pairs.
//
// Edits go to the grid as a person's actions: setData with the edit role
// types over the cell (Grid::type), or picks the item of a combo cell
// (Grid::pick); the check-state role clicks a check-box cell
// (Grid::clickCheck). A refused action returns false and the view redraws
// the cell from the grid.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(ui::Grid& grid, QObject* parent = nullptr);
    ~GridModel() override;

    ui::Grid& grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The palette that colour roles are drawn from.
    void setPalette(const QPalette& palette) { palette_ = palette; }

signals:
    // The grid's active cell changed (0-based model coordinates).
    void activeCellChanged(int row, int column);
    // A column was hidden or shown, or the whole grid changed.
    void columnsHiddenChanged();

private:
    void onChange(const ui::Change& change);
    void syncSize();
    QVariant colour(ui::Color color, bool background) const;

    ui::Grid& grid_;
    int observer_ = 0;
    int rows_ = 0;
    int cols_ = 0;
    QPalette palette_;
};

}  // namespace qelt::qt
