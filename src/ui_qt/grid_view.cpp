#include "grid_view.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "key_codes.h"
#include "qstring_utf8.h"

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

namespace {

// Where an aligned check box goes in its cell; empty for a left one.
QRect AlignedCheckRect(const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (TypeOf(index) != CellType::CheckBox) return {};
    const QVariant align = index.data(Qt::TextAlignmentRole);
    if (!align.isValid()) return {};
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QSize size =
        style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, widget).size();
    const Qt::Alignment a = Qt::Alignment(align.toInt());
    return QStyle::alignedRect(option.direction, a, size, option.rect);
}

}  // namespace

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QRect check = AlignedCheckRect(opt, index);
    if (check.isEmpty()) return QStyledItemDelegate::paint(painter, option, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const Qt::CheckState state = opt.checkState;
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    QStyleOptionViewItem box(opt);
    box.rect = check;
    box.state &= ~QStyle::State_HasFocus;
    box.state |= state == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
}

bool CellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QRect check = AlignedCheckRect(opt, index);
    const bool mouse = event->type() == QEvent::MouseButtonRelease ||
                       event->type() == QEvent::MouseButtonDblClick ||
                       event->type() == QEvent::MouseButtonPress;
    if (check.isEmpty() || !mouse || !(model->flags(index) & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    auto* me = static_cast<QMouseEvent*>(event);
    if (me->button() != Qt::LeftButton || !check.contains(me->position().toPoint())) return false;
    // Press and double click are taken so that only the release toggles.
    if (event->type() != QEvent::MouseButtonRelease) return true;
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
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
