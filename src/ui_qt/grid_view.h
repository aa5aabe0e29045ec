#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "grid_model.h"
#include "qelt/ui/grid.h"

namespace qelt::qt {

// The height of a grid row for the font of `widget`; the look-up window's
// rows share it.
int GridRowHeight(const QWidget& widget);

// One editor per cell type: a line edit for Edit cells (limited to the
// cell's length) and Number cells (digits, sign and point), a date editor
// with a calendar for Date cells, a drop-down for combo cells holding the
// cell's items. Check-box cells are toggled by the view; Static and locked
// cells have no editor (the model does not flag them editable).
//
// Every character typed into a line edit first passes the grid's key
// preview (the form's), so what the form discards never shows. A drop-down
// opens its list as soon as it is shown: arrows move in the open list and
// choose nothing; Enter or a click on an item chooses it and ends the edit;
// closing the list otherwise ends the edit without a change. A date chosen
// in the calendar ends the edit.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    CellDelegate(ui::Grid& grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // Check boxes centred or right-aligned in their cell are drawn there
    // (the style puts them at the left).
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The view toggles check boxes: the style's own toggling is off.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    // The next date editor opens its calendar when it is shown.
    void openCalendarOnShow() { calendarOnShow_ = true; }

protected:
    // Enter ends the edit at once and goes no further: the cell's new text
    // reaches the grid before any other key is handled.
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    void finish(QWidget* editor, bool commit);
    bool previewTyping(QWidget* editor, QKeyEvent& event);

    ui::Grid& grid_;
    mutable bool calendarOnShow_ = false;
    bool forwarding_ = false;
};

// A QTableView over a GridModel. The current index is always the grid's
// active cell: moving it (mouse, arrows, Tab) is the person's Grid::moveTo,
// and whatever the grid's rules decide — the move, a refusal, another cell
// made active — is what the view then shows. Mouse presses are Grid::click;
// a click on a check-box cell ticks it (Grid::clickCheck), a click on a
// pick-list cell opens its list. Enter, Escape, Delete and F7 go to the
// form as key-downs (Form::key), so the form's key preview and the grid's
// KeyDown see them; F7 on a date cell then opens its calendar.
//
// Tab and Shift+Tab move from cell to cell and leave the grid after its last
// (before its first) cell; F6 and Shift+F6 leave it from any cell; Ctrl+Tab
// goes to the tab control the grid sits in.
//
// Columns that take spare width share what the others, sized to their
// content, leave. The rows after the last one holding text are drawn light,
// the first of them with the grid's hint, and empty rows are drawn down to
// the bottom of the view.
class GridView : public QTableView {
    Q_OBJECT
public:
    // `focusGrid` makes the grid the form's focused control (Form::focus);
    // false when the form refused.
    GridView(ui::Grid& grid, std::function<bool()> focusGrid,
             std::function<void(int keyCode, int shift)> formKey, QWidget* parent = nullptr);

    GridModel& gridModel() const { return *model_; }
    // Puts the current index and the selection on the grid's active cell
    // without any action.
    void showActiveCell();
    // Hidden columns and how the others share the width.
    void syncColumns();
    // Sizes the narrow columns to their texts.
    void fitColumns();

    // Room for ten rows; at least three.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // Tab in an editor ends the edit and moves as Tab on the grid does.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The person moves to `target` (Grid::moveTo); the view then shows the
    // grid's active cell.
    void moveToCell(const QModelIndex& target);
    // Ticks or unticks the check box of `index` through the model.
    void toggle(const QModelIndex& index);
    bool isLastCell(bool forward) const;
    // The last row (0-based) with text in a shown column; -1 when none.
    int lastUsedRow() const;
    void paintLines(QPainter& painter);
    void paintFreeRows(QPainter& painter);

    ui::Grid& grid_;
    GridModel* model_;
    CellDelegate* delegate_;
    std::function<bool()> focusGrid_;
    std::function<void(int, int)> formKey_;
    QPersistentModelIndex pressed_;
    bool syncing_ = false;
    bool fitPending_ = false;
};

}  // namespace qelt::qt
