#include "ui_qt/grid_view.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include "ui_qt/key_codes.h"
#include "ui_qt/qstring_utf8.h"

namespace qelt::qt {

using ui::CellType;

namespace {

// What a person may type into number and date cells; the grid's rules judge
// the text when the edit ends.
const QRegularExpression kNumberChars(QStringLiteral("[-+]?[0-9]*[.]?[0-9]*"));
const QRegularExpression kDateChars(QStringLiteral("[0-9./ :-]*"));

CellType TypeOf(const QModelIndex& index) {
    return static_cast<CellType>(index.data(kCellTypeRole).toInt());
}

}  // namespace

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const int r = index.row() + 1;
    const int c = index.column() + 1;
    switch (TypeOf(index)) {
        case CellType::ComboBox: {
            auto* combo = new QComboBox(parent);
            for (const auto& item : grid_.comboItems(r, c)) combo->addItem(FromUtf8(item));
            if (grid_.comboMaxDrop(r, c) > 0) combo->setMaxVisibleItems(grid_.comboMaxDrop(r, c));
            // A pick ends the edit at once, as the grid's own drop-down does.
            connect(combo, &QComboBox::activated, this, [this, combo] {
                auto* self = const_cast<CellDelegate*>(this);
                emit self->commitData(combo);
                emit self->closeEditor(combo);
            });
            return combo;
        }
        case CellType::Edit:
        case CellType::Number:
        case CellType::Date: {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            if (TypeOf(index) == CellType::Number)
                edit->setValidator(new QRegularExpressionValidator(kNumberChars, edit));
            else if (TypeOf(index) == CellType::Date)
                edit->setValidator(new QRegularExpressionValidator(kDateChars, edit));
            else if (grid_.maxLength(r, c) > 0)
                edit->setMaxLength(grid_.maxLength(r, c));
            return edit;
        }
        default:
            return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(grid_.comboIndex(index.row() + 1, index.column() + 1));
        if (combo->currentIndex() < 0) combo->setCurrentText(index.data().toString());
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(index.data(Qt::EditRole).toString());
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0 &&
            combo->currentIndex() != grid_.comboIndex(index.row() + 1, index.column() + 1))
            model->setData(index, combo->currentText(), Qt::EditRole);
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

GridView::GridView(ui::Grid& grid, std::function<bool()> focusGrid,
                   std::function<void(int keyCode, int shift)> formKey, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      model_(new GridModel(grid, this)),
      focusGrid_(std::move(focusGrid)),
      formKey_(std::move(formKey)) {
    model_->setPalette(palette());
    setModel(model_);
    setItemDelegate(new CellDelegate(grid_, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Typing, F2 or a double click edit a cell; a single click only moves,
    // as the rules expect a move before any edit.
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setAlternatingRowColors(false);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    connect(model_, &GridModel::activeCellChanged, this, [this] { showActiveCell(); });
    connect(model_, &GridModel::columnsHiddenChanged, this, [this] { syncHiddenColumns(); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { grid_.click(0, section + 1); });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { grid_.click(section + 1, 0); });
    syncHiddenColumns();
    showActiveCell();
}

void GridView::syncHiddenColumns() {
    for (int c = 0; c < model_->columnCount(); ++c) setColumnHidden(c, grid_.colHidden(c + 1));
}

void GridView::showActiveCell() {
    const QModelIndex target = model_->index(grid_.activeRow() - 1, grid_.activeCol() - 1);
    if (!target.isValid() || currentIndex() == target) return;
    const bool was = syncing_;
    syncing_ = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    syncing_ = was;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid()) return;
    const int r = current.row() + 1;
    const int c = current.column() + 1;
    if (r == grid_.activeRow() && c == grid_.activeCol()) return;
    syncing_ = true;
    grid_.moveTo(r, c);
    syncing_ = false;
    // Refused, or a rule put the active cell elsewhere.
    showActiveCell();
}

void GridView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return QTableView::mousePressEvent(event);
    if (focusGrid_ && !focusGrid_()) return event->accept();
    syncing_ = true;
    grid_.click(index.row() + 1, index.column() + 1);
    syncing_ = false;
    showActiveCell();
    if (index == currentIndex())
        QTableView::mousePressEvent(event);
    else
        event->accept();
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const int code = FormKeyCode(*event);
    if (code == ui::kKeyEnter || code == ui::kKeyEscape || code == ui::kKeyDelete ||
        code == ui::kKeyF7) {
        if (focusGrid_ && !focusGrid_()) return event->accept();
        if (formKey_) formKey_(code, FormShift(*event));
        return event->accept();
    }
    QTableView::keyPressEvent(event);
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger != QAbstractItemView::NoEditTriggers && trigger != AllEditTriggers) {
        if (!index.isValid() || index.row() + 1 != grid_.activeRow() ||
            index.column() + 1 != grid_.activeCol())
            return false;
        if (focusGrid_ && !focusGrid_()) return false;
    }
    return QTableView::edit(index, trigger, event);
}

}  // namespace qelt::qt
