#include "grid_view.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <algorithm>

#include "key_codes.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::CellType;

namespace {

// What a person may type into number cells; the grid's rules judge the
// text when the edit ends.
const QRegularExpression kNumberChars(QStringLiteral("[-+]?[0-9]*[.]?[0-9]*"));
// Dates as the date editor writes them; the grid reads this and "yyyy/MM/dd".
constexpr const char* kDateFormat = "yyyy-MM-dd";
constexpr const char* kDateFormats[] = {"yyyy-MM-dd", "yyyy/MM/dd", "yyyy-M-d", "yyyy/M/d"};
constexpr int kRowsShown = 10;
constexpr int kRowsAtLeast = 3;
constexpr int kRowPadding = 8;
// Free rows are washed with the base colour at this opacity (of 255).
constexpr int kFreeRowWash = 150;

CellType TypeOf(const QModelIndex& index) {
    return static_cast<CellType>(index.data(kCellTypeRole).toInt());
}

bool Checkable(const QModelIndex& index) {
    return index.isValid() && (index.flags() & Qt::ItemIsUserCheckable);
}

// A drop-down that knows whether an item was chosen from its list; the
// delegate ends the edit when the list closes without one.
class PickList : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool opened = false;
    bool chosen = false;
    std::function<void()> onListClosed;

    void hidePopup() override {
        QComboBox::hidePopup();
        if (onListClosed) onListClosed();
    }
};

QDate DateOf(const QString& text) {
    const QString day = text.trimmed().left(10);
    for (const char* format : kDateFormats) {
        const QDate date = QDate::fromString(day, QString::fromLatin1(format));
        if (date.isValid()) return date;
    }
    return QDate::currentDate();
}

// Opens the date editor's calendar as a click on its arrow does: the editor
// offers no call for it.
void OpenCalendar(QDateEdit& edit) {
    QStyleOptionComboBox option;
    option.initFrom(&edit);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint at =
        edit.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &edit)
            .center();
    QMouseEvent press(QEvent::MouseButtonPress, at, edit.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &press);
}

// Column headers measured from the font alone: the style's measure lays
// every header text out in full.
class GridHeader : public QHeaderView {
public:
    explicit GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    QSize sectionSizeFromContents(int section) const override {
        const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
        const QFontMetrics metrics(font());
        const QString text =
            model() ? model()->headerData(section, orientation()).toString() : QString();
        return {metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + margin};
    }
};

bool OpensCalendar(const QKeyEvent& key) {
    return key.key() == Qt::Key_F4 || key.key() == Qt::Key_F7 ||
           (key.key() == Qt::Key_Down && (key.modifiers() & Qt::AltModifier));
}

}  // namespace

int GridRowHeight(const QWidget& widget) {
    return widget.fontMetrics().height() + kRowPadding;
}

// --- CellDelegate -----------------------------------------------------------

void CellDelegate::finish(QWidget* editor, bool commit) {
    // The list or the calendar had the keyboard: it goes back to the grid,
    // unless the person went elsewhere.
    QWidget* focus = QApplication::focusWidget();
    if (auto* view = qobject_cast<QWidget*>(parent());
        view && (!focus || focus == editor || editor->isAncestorOf(focus)))
        view->setFocus(Qt::OtherFocusReason);
    if (commit) emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    auto* self = const_cast<CellDelegate*>(this);
    const int r = index.row() + 1;
    const int c = index.column() + 1;
    switch (TypeOf(index)) {
        case CellType::ComboBox: {
            auto* list = new PickList(parent);
            for (const auto& item : grid_.comboItems(r, c)) list->addItem(FromUtf8(item));
            if (grid_.comboMaxDrop(r, c) > 0) list->setMaxVisibleItems(grid_.comboMaxDrop(r, c));
            connect(list, &QComboBox::activated, this, [self, list] {
                list->chosen = true;
                self->finish(list, true);
            });
            // The list closes before a choice is announced: wait for it.
            list->onListClosed = [self, guard = QPointer<PickList>(list)] {
                QTimer::singleShot(0, self, [self, guard] {
                    if (guard && !guard->chosen) self->finish(guard, false);
                });
            };
            return list;
        }
        case CellType::Date: {
            auto* date = new QDateEdit(parent);
            date->setFrame(false);
            date->setCalendarPopup(true);
            date->setDisplayFormat(QString::fromLatin1(kDateFormat));
            const auto chosen = [self, date] { self->finish(date, true); };
            connect(date->calendarWidget(), &QCalendarWidget::clicked, date, chosen,
                    Qt::QueuedConnection);
            connect(date->calendarWidget(), &QCalendarWidget::activated, date, chosen,
                    Qt::QueuedConnection);
            date->setProperty("openCalendar", calendarOnShow_);
            calendarOnShow_ = false;
            return date;
        }
        case CellType::Edit:
        case CellType::Number: {
            auto* edit = new QLineEdit(parent);
            edit->setFrame(false);
            if (TypeOf(index) == CellType::Number)
                edit->setValidator(new QRegularExpressionValidator(kNumberChars, edit));
            else if (grid_.maxLength(r, c) > 0)
                edit->setMaxLength(grid_.maxLength(r, c));
            return edit;
        }
        default:
            return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setCurrentIndex(grid_.comboIndex(index.row() + 1, index.column() + 1));
    } else if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        date->setDate(DateOf(index.data(Qt::EditRole).toString()));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(index.data(Qt::EditRole).toString());
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        if (list->currentIndex() >= 0 &&
            list->currentIndex() != grid_.comboIndex(index.row() + 1, index.column() + 1))
            model->setData(index, list->currentText(), Qt::EditRole);
    } else if (auto* date = qobject_cast<QDateEdit*>(editor)) {
        model->setData(index, date->date().toString(QString::fromLatin1(kDateFormat)),
                       Qt::EditRole);
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
    // Most cells are empty: the view's background already is what the
    // style would draw for them.
    if (!(option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) &&
        TypeOf(index) != CellType::CheckBox && !index.data(Qt::BackgroundRole).isValid() &&
        index.data(Qt::DisplayRole).toString().isEmpty())
        return;
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
    if (Checkable(index)) return false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool CellDelegate::previewTyping(QWidget* editor, QKeyEvent& event) {
    const QString typed = event.text();
    if (forwarding_ || typed.isEmpty() || !grid_.previewKeyPress) return false;
    QString kept;
    bool changed = false;
    for (const char32_t ch : typed.toUcs4()) {
        int code = static_cast<int>(ch);
        // Control characters are keys (Enter, Escape) the form handles itself.
        if (code >= ' ') grid_.previewKeyPress(code);
        changed = changed || code != static_cast<int>(ch);
        if (code > 0) {
            const char32_t out = static_cast<char32_t>(code);
            kept += QString::fromUcs4(&out, 1);
        }
    }
    if (!changed) return false;
    if (!kept.isEmpty()) {
        QKeyEvent replaced(event.type(), 0, event.modifiers(), kept);
        forwarding_ = true;
        QApplication::sendEvent(editor, &replaced);
        forwarding_ = false;
    }
    return true;
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor) return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::Show) {
        if (auto* list = dynamic_cast<PickList*>(editor); list && !list->opened) {
            list->opened = true;
            list->showPopup();
        } else if (auto* date = qobject_cast<QDateEdit*>(editor);
                   date && date->property("openCalendar").toBool()) {
            date->setProperty("openCalendar", false);
            OpenCalendar(*date);
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto& key = static_cast<QKeyEvent&>(*event);
        auto* list = dynamic_cast<PickList*>(editor);
        // Typing while the list is open looks for an item in it.
        if (list && list->view()->isVisible() && !key.text().isEmpty() && key.text()[0].isPrint()) {
            list->view()->keyboardSearch(key.text());
            return true;
        }
        if (list && !list->view()->isVisible() && key.key() != Qt::Key_Escape &&
            key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab &&
            key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) {
            list->showPopup();
            return true;
        }
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
            finish(editor, true);
            return true;
        }
        if (auto* date = qobject_cast<QDateEdit*>(editor); date && OpensCalendar(key)) {
            OpenCalendar(*date);
            return true;
        }
        if (qobject_cast<QLineEdit*>(editor) && previewTyping(editor, key)) return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// --- GridView ---------------------------------------------------------------

GridView::GridView(ui::Grid& grid, std::function<bool()> focusGrid,
                   std::function<void(int keyCode, int shift)> formKey, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      model_(new GridModel(grid, this)),
      delegate_(new CellDelegate(grid, this)),
      focusGrid_(std::move(focusGrid)),
      formKey_(std::move(formKey)) {
    model_->setPalette(palette());
    setHorizontalHeader(new GridHeader(this));
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click or a double click is handled by the view (the rules expect a
    // move before any edit); F2 and typing edit the active cell.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setAlternatingRowColors(false);
    setWordWrap(false);
    setShowGrid(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(GridRowHeight(*this));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(2 * fontMetrics().height());
    connect(model_, &GridModel::activeCellChanged, this, [this] { showActiveCell(); });
    connect(model_, &GridModel::columnsHiddenChanged, this, [this] { syncColumns(); });
    // Narrow columns follow their texts, once the rules are done writing.
    const auto refit = [this] {
        if (fitPending_) return;
        fitPending_ = true;
        QTimer::singleShot(0, this, [this] { fitColumns(); });
    };
    connect(model_, &QAbstractItemModel::dataChanged, this, refit);
    connect(model_, &QAbstractItemModel::modelReset, this, refit);
    connect(model_, &QAbstractItemModel::headerDataChanged, this, refit);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { grid_.click(0, section + 1); });
    syncColumns();
    showActiveCell();
}

QSize GridView::sizeHint() const {
    const int header = horizontalHeader()->sizeHint().height();
    return {QTableView::sizeHint().width(),
            2 * frameWidth() + header + kRowsShown * GridRowHeight(*this)};
}

QSize GridView::minimumSizeHint() const {
    const int header = horizontalHeader()->sizeHint().height();
    return {QTableView::minimumSizeHint().width(),
            2 * frameWidth() + header + kRowsAtLeast * GridRowHeight(*this)};
}

void GridView::syncColumns() {
    QHeaderView* header = horizontalHeader();
    bool anyWide = false;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const bool hidden = grid_.colHidden(c + 1);
        setColumnHidden(c, hidden);
        const bool wide = !hidden && grid_.colTakesSpareWidth(c + 1);
        anyWide = anyWide || wide;
        header->setSectionResizeMode(c, wide ? QHeaderView::Stretch : QHeaderView::Interactive);
    }
    header->setStretchLastSection(!anyWide);
    fitColumns();
}

// The width of a narrow column: its header or its widest text, a check box
// where it has one. Measured from the font, which is what the style's own
// measure comes to for a line of text, at a fraction of its cost.
void GridView::fitColumns() {
    fitPending_ = false;
    QHeaderView* header = horizontalHeader();
    const QFontMetrics metrics(font());
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const int check = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + margin;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c) || header->sectionResizeMode(c) != QHeaderView::Interactive) continue;
        int width = header->sectionSizeHint(c);
        for (int r = 1; r <= grid_.maxRows(); ++r) {
            if (grid_.cellType(r, c + 1) == CellType::CheckBox) {
                width = std::max(width, check);
                continue;
            }
            const std::string& text = grid_.text(r, c + 1);
            if (!text.empty())
                width = std::max(width, metrics.horizontalAdvance(FromUtf8(text)) + margin);
        }
        if (header->sectionSize(c) != width) header->resizeSection(c, width);
    }
}

void GridView::showActiveCell() {
    const QModelIndex target = model_->index(grid_.activeRow() - 1, grid_.activeCol() - 1);
    if (!target.isValid()) return;
    QItemSelectionModel* selection = selectionModel();
    if (currentIndex() == target && selection->selectedIndexes() == QModelIndexList{target}) return;
    const bool was = syncing_;
    syncing_ = true;
    selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    syncing_ = was;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || !current.isValid()) return;
    if (current.row() + 1 == grid_.activeRow() && current.column() + 1 == grid_.activeCol()) return;
    // The view moved on its own (no person did): back to the grid's cell
    // once the view has finished.
    QTimer::singleShot(0, this, [this] { showActiveCell(); });
}

void GridView::moveToCell(const QModelIndex& target) {
    if (!target.isValid()) return;
    if (focusGrid_ && !focusGrid_()) return;
    syncing_ = true;
    grid_.moveTo(target.row() + 1, target.column() + 1);
    syncing_ = false;
    showActiveCell();
    scrollTo(currentIndex());
}

void GridView::toggle(const QModelIndex& index) {
    const bool on = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    syncing_ = true;
    model_->setData(index, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    syncing_ = false;
    showActiveCell();
}

bool GridView::isLastCell(bool forward) const {
    int first = -1, last = -1;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c)) continue;
        if (first < 0) first = c;
        last = c;
    }
    const QModelIndex at = currentIndex();
    if (!at.isValid() || first < 0) return true;
    return forward ? at.row() == model_->rowCount() - 1 && at.column() == last
                   : at.row() == 0 && at.column() == first;
}

void GridView::mousePressEvent(QMouseEvent* event) {
    pressed_ = QPersistentModelIndex();
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (!index.isValid() || event->button() != Qt::LeftButton) return;
    if (focusGrid_ && !focusGrid_()) return;
    syncing_ = true;
    const bool moved = grid_.click(index.row() + 1, index.column() + 1);
    syncing_ = false;
    showActiveCell();
    // The click's own rules may have made another cell active (the sort
    // grid marks its caption cell); the press still belongs to its cell.
    if (moved) pressed_ = index;
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    // No dragging selection: a grid has one cell selected, its active one.
    event->accept();
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    const QPersistentModelIndex pressed = pressed_;
    pressed_ = QPersistentModelIndex();
    event->accept();
    if (!pressed.isValid() || indexAt(event->position().toPoint()) != pressed) return;
    if (Checkable(pressed))
        toggle(pressed);
    else if (TypeOf(pressed) == CellType::ComboBox && (pressed.flags() & Qt::ItemIsEditable))
        edit(pressed, AllEditTriggers, nullptr);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (!index.isValid() || index != currentIndex() || event->button() != Qt::LeftButton) return;
    // On a check box the second click ticks again, as a person clicked twice.
    if (Checkable(index))
        pressed_ = index;
    else if (TypeOf(index) != CellType::ComboBox)
        edit(index, DoubleClicked, event);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    const int code = FormKeyCode(*event);
    if (code == ui::kKeyEnter || code == ui::kKeyEscape || code == ui::kKeyDelete ||
        code == ui::kKeyF7) {
        event->accept();
        if (focusGrid_ && !focusGrid_()) return;
        if (formKey_) formKey_(code, FormShift(*event));
        const QModelIndex at = currentIndex();
        if (code == ui::kKeyF7 && isVisible() && at.isValid() && TypeOf(at) == CellType::Date &&
            (at.flags() & Qt::ItemIsEditable)) {
            delegate_->openCalendarOnShow();
            if (!edit(at, AllEditTriggers, nullptr)) delegate_->openCalendarOnShow();
        }
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    CursorAction action;
    switch (event->key()) {
        case Qt::Key_F6:
            event->accept();
            QWidget::focusNextPrevChild(!(mods & Qt::ShiftModifier));
            return;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            const bool forward = event->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier);
            // Ctrl+Tab belongs to the tabs around the grid; Tab past the
            // last cell to the next control.
            if ((mods & Qt::ControlModifier) || isLastCell(forward)) return event->ignore();
            event->accept();
            moveToCell(moveCursor(forward ? MoveNext : MovePrevious, Qt::NoModifier));
            return;
        }
        case Qt::Key_Up:
            action = MoveUp;
            break;
        case Qt::Key_Down:
            action = MoveDown;
            break;
        case Qt::Key_Left:
            action = MoveLeft;
            break;
        case Qt::Key_Right:
            action = MoveRight;
            break;
        case Qt::Key_Home:
            action = MoveHome;
            break;
        case Qt::Key_End:
            action = MoveEnd;
            break;
        case Qt::Key_PageUp:
            action = MovePageUp;
            break;
        case Qt::Key_PageDown:
            action = MovePageDown;
            break;
        case Qt::Key_Space:
            if (Checkable(currentIndex())) {
                event->accept();
                toggle(currentIndex());
                return;
            }
            return QTableView::keyPressEvent(event);
        default:
            return QTableView::keyPressEvent(event);
    }
    if (mods & Qt::AltModifier) return QTableView::keyPressEvent(event);
    event->accept();
    moveToCell(moveCursor(action, mods));
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger != QAbstractItemView::NoEditTriggers) {
        if (!index.isValid() || index.row() + 1 != grid_.activeRow() ||
            index.column() + 1 != grid_.activeCol())
            return false;
        if (focusGrid_ && !focusGrid_()) return false;
    }
    return QTableView::edit(index, trigger, event);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
    if (!next && !previous) return;
    if (isLastCell(next))
        QWidget::focusNextPrevChild(next);
    else
        moveToCell(moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier));
}

int GridView::lastUsedRow() const {
    for (int r = grid_.maxRows(); r >= 1; --r)
        for (int c = 1; c <= grid_.maxCols(); ++c)
            if (!grid_.colHidden(c) && !grid_.text(r, c).empty()) return r - 1;
    return -1;
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    paintLines(painter);
    paintFreeRows(painter);
}

// The grid's lines, drawn as one-pixel rectangles (far cheaper than the
// view's own lines) and carried on below the last row so that the grid
// fills its view.
void GridView::paintLines(QPainter& painter) {
    const QRect area = viewport()->rect();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor line =
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this));
    int right = -1;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c)) continue;
        right = columnViewportPosition(c) + columnWidth(c);
        painter.fillRect(right - 1, area.top(), 1, area.height(), line);
    }
    if (right < 0) return;
    const int rows = model_->rowCount();
    int y = 0;
    for (int r = std::max(rowAt(area.top()), 0); r < rows && y <= area.bottom(); ++r) {
        y = rowViewportPosition(r) + rowHeight(r);
        painter.fillRect(0, y - 1, right, 1, line);
    }
    for (y += GridRowHeight(*this); y - 1 <= area.bottom(); y += GridRowHeight(*this))
        painter.fillRect(0, y - 1, right, 1, line);
}

void GridView::paintFreeRows(QPainter& painter) {
    const int rows = model_->rowCount();
    const QRect area = viewport()->rect();
    int left = -1, right = -1;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (isColumnHidden(c)) continue;
        const int x = columnViewportPosition(c);
        if (left < 0) left = x;
        right = x + columnWidth(c);
    }
    if (left < 0) return;
    const int end = rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0;
    const int free = lastUsedRow() + 1;
    const int top = free < rows ? rowViewportPosition(free) : end;
    if (top > area.bottom()) return;
    QRegion wash(QRect(left, top, right - left, area.bottom() - top + 1));
    if (currentIndex().isValid()) wash -= visualRect(currentIndex());
    QColor light = palette().color(QPalette::Base);
    light.setAlpha(kFreeRowWash);
    painter.setClipRegion(wash);
    painter.fillRect(wash.boundingRect(), light);
    painter.setClipping(false);

    if (grid_.hint().empty() || free >= rows) return;
    const int pad = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2;
    const QRect line(left + pad, top, right - left - 2 * pad, rowHeight(free));
    QFont font = painter.font();
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(
        line, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(FromUtf8(grid_.hint()), Qt::ElideRight, line.width()));
}

}  // namespace qelt::qt
