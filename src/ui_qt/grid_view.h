#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "grid_model.h"
#include "qelt/ui/grid.h"

namespace qelt::qt {

// One editor per cell type: a line edit for Edit cells (limited to the
// cell's length), Number cells (digits, sign and point) and Date cells, a
// drop-down for combo cells holding the cell's items. Check-box cells are
// toggled through the check-state role; Static and locked cells have no
// editor (the model does not flag them editable).
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(ui::Grid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // Check boxes centred or right-aligned in their cell are drawn and hit
    // there (the style puts them at the left).
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    // Enter ends the edit at once and goes no further: the cell's new text
    // reaches the grid before any other key is handled.
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    ui::Grid& grid_;
};

// A QTableView over a GridModel. The current index follows the grid's
// active cell; moving the current index (mouse, arrows, Tab) is the
// person's Grid::moveTo, and when the grid's rules refuse the move the
// current index goes back to the grid's active cell. Mouse presses are
// Grid::click; Enter, Escape, Delete and F7 go to the form as key-downs
// (Form::key), so the form's key preview and the grid's KeyDown see them.
class GridView : public QTableView {
    Q_OBJECT
public:
    // `focusGrid` makes the grid the form's focused control (Form::focus);
    // false when the form refused.
    GridView(ui::Grid& grid, std::function<bool()> focusGrid,
             std::function<void(int keyCode, int shift)> formKey, QWidget* parent = nullptr);

    GridModel& gridModel() const { return *model_; }
    // Puts the current index on the grid's active cell without any action.
    void showActiveCell();
    void syncHiddenColumns();

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    ui::Grid& grid_;
    GridModel* model_;
    std::function<bool()> focusGrid_;
    std::function<void(int, int)> formKey_;
    bool syncing_ = false;
};

}  // namespace qelt::qt
