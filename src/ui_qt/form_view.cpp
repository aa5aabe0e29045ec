#include "form_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "grid_view.h"
#include "key_codes.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::Change;
using ui::ControlKind;

namespace {

constexpr int kKeyRole = Qt::UserRole;
// List-view modes of the model: 0 large icons, 1 small icons, 2 list, 3 report.
constexpr int kReportView = 3;

// The list view: a QListWidget for the icon and list modes, a QTreeWidget for
// the report mode, one of them shown at a time.
class ListViewWidget : public QStackedWidget {
public:
    explicit ListViewWidget(QWidget* parent) : QStackedWidget(parent) {
        list = new QListWidget(this);
        tree = new QTreeWidget(this);
        tree->setRootIsDecorated(false);
        tree->setUniformRowHeights(true);
        addWidget(list);
        addWidget(tree);
    }
    QListWidget* list;
    QTreeWidget* tree;
};

// The style's icons, decoded once per process (each look-up decodes a PNG).
// Never destroyed: icons must not outlive the application object, and
// static destructors run after it is gone.
QIcon StandardIcon(QStyle::StandardPixmap which) {
    static auto* cache = new std::map<QStyle::StandardPixmap, QIcon>;
    auto it = cache->find(which);
    if (it == cache->end())
        it = cache->emplace(which, QApplication::style()->standardIcon(which)).first;
    return it->second;
}

QIcon ToolIcon(const std::string& key) {
    if (key == "TLBSAVE") return StandardIcon(QStyle::SP_DialogSaveButton);
    if (key == "TLBDEL") return StandardIcon(QStyle::SP_TrashIcon);
    if (key == "TLBCLEAR") return StandardIcon(QStyle::SP_DialogResetButton);
    if (key == "TLBVIEW") return StandardIcon(QStyle::SP_FileDialogDetailedView);
    return {};
}

// Items of drop-downs and lists may carry a hidden code after a long run of
// blanks, which the list's width keeps out of sight; the widgets show the
// part before it. Actions go by position, so the text shown is only a label.
constexpr std::size_t kHiddenCodeBlanks = 50;

QString ItemLabel(const std::string& item) {
    const auto at = item.find(std::string(kHiddenCodeBlanks, ' '));
    if (at == std::string::npos) return FromUtf8(item);
    std::string shown = item.substr(0, at);
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    return FromUtf8(shown);
}

template <class W>
void Quietly(W* widget, const std::function<void()>& f) {
    const bool was = widget->blockSignals(true);
    f();
    widget->blockSignals(was);
}

}  // namespace

// --- FormDialog -----------------------------------------------------------

FormDialog::FormDialog(ui::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(FromUtf8(form.name()));
    setModal(true);
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const int code = FormKeyCode(*event);
    if (code == ui::kKeyEnter || code == ui::kKeyEscape || code == ui::kKeyF7 ||
        code == ui::kKeyDelete) {
        form_.key(code, FormShift(*event));
        return event->accept();
    }
    QDialog::keyPressEvent(event);
}

void FormDialog::closeEvent(QCloseEvent* event) {
    if (closing_) return QDialog::closeEvent(event);
    // The window stays until the form is gone; FormView closes it then.
    event->ignore();
    form_.unload();
}

void FormDialog::reject() {
    if (closing_) QDialog::reject();
}

// --- FormView -------------------------------------------------------------

FormView::FormView(ui::Form& form, QWidget* parent) : form_(form) {
    dialog_ = new FormDialog(form, parent);
    for (ui::Control* control : form.controls()) {
        QWidget* w = build(*control);
        w->setObjectName(FromUtf8(control->name()));
        widgets_[control] = w;
        controls_[w] = control;
    }
    LayOutForm(form, *dialog_, widgets_);
    for (ui::Control* control : form.controls()) {
        refresh(*control, Change{});
        observers_.emplace_back(
            control, control->subscribe([this, control](const ui::Control&, const Change& c) {
                refresh(*control, c);
            }));
    }
    formObserver_ = form.subscribe([this](const ui::Form&) { refreshForm(); });
    refreshForm();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { onFocusChanged(now); });
}

FormView::~FormView() {
    for (auto& [control, id] : observers_) control->unsubscribe(id);
    form_.unsubscribe(formObserver_);
    if (dialog_) {
        dialog_->allowClose();
        dialog_->hide();
        delete dialog_.data();
    }
}

QWidget* FormView::widgetOf(const ui::Control& control) const {
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

ui::Control* FormView::controlOf(QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        const auto it = controls_.find(widget);
        if (it != controls_.end()) return it->second;
        if (widget == dialog_) return nullptr;
    }
    return nullptr;
}

void FormView::exec() {
    if (!form_.shown() || !form_.loaded()) return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
}

void FormView::refreshForm() {
    if (!dialog_) return;
    dialog_->setWindowTitle(FromUtf8(form_.caption()));
    if (!form_.shown() || !form_.loaded()) {
        if (loop_) loop_->quit();
        return;
    }
    focusFocusedControl();
}

void FormView::focusFocusedControl() {
    const ui::Control* focused = form_.focused();
    QWidget* w = focused ? widgetOf(*focused) : nullptr;
    if (!w) return;
    if (auto* lv = dynamic_cast<ListViewWidget*>(w)) w = lv->currentWidget();
    QWidget* now = QApplication::focusWidget();
    if (now && controlOf(now) == focused) return;
    const bool was = syncing_;
    syncing_ = true;
    w->setFocus(Qt::OtherFocusReason);
    syncing_ = was;
}

bool FormView::focusControl(const ui::Control& control) {
    if (form_.focused() == &control) return true;
    const bool was = syncing_;
    syncing_ = true;
    const bool ok = form_.focus(control.name());
    syncing_ = was;
    if (!ok) QTimer::singleShot(0, this, [this] { focusFocusedControl(); });
    return ok;
}

void FormView::onFocusChanged(QWidget* now) {
    if (syncing_ || !now || !dialog_ || now->window() != dialog_) return;
    ui::Control* control = controlOf(now);
    if (!control) return;
    const ControlKind k = control->kind();
    if (k == ControlKind::Label || k == ControlKind::Frame || k == ControlKind::TabControl) return;
    focusControl(*control);
}

QWidget* FormView::build(ui::Control& control) {
    switch (control.kind()) {
        case ControlKind::Label: {
            auto* w = new QLabel;
            w->setTextFormat(Qt::PlainText);
            return w;
        }
        case ControlKind::Frame:
            return new QGroupBox;
        case ControlKind::CommandButton: {
            auto& model = static_cast<ui::CommandButton&>(control);
            auto* w = new QPushButton;
            // Enter belongs to the form's rules, never to a default button.
            w->setAutoDefault(false);
            w->setDefault(false);
            connect(w, &QPushButton::clicked, this, [this, &model] {
                if (focusControl(model)) model.click();
            });
            return w;
        }
        case ControlKind::CheckBox: {
            auto& model = static_cast<ui::CheckBox&>(control);
            auto* w = new QCheckBox;
            connect(w, &QCheckBox::clicked, this, [this, &model, w] {
                if (focusControl(model)) model.click();
                Quietly(w, [&] { w->setChecked(model.value() != 0); });
            });
            return w;
        }
        case ControlKind::TextBox: {
            auto& model = static_cast<ui::TextBox&>(control);
            auto* w = new QLineEdit;
            // The person's edit becomes typing at the end of the model's text
            // (after erasing it when the edit was elsewhere), so every
            // character passes the form's key preview; the box then shows
            // what the model kept.
            connect(w, &QLineEdit::textEdited, this, [this, &model, w](const QString& text) {
                const QString before = FromUtf8(model.text());
                if (focusControl(model)) {
                    if (text.startsWith(before)) {
                        model.type(ToUtf8(text.mid(before.size())));
                    } else if (before.startsWith(text) && text.size() + 1 == before.size() &&
                               w->cursorPosition() == text.size()) {
                        model.type(std::string(1, static_cast<char>(ui::kKeyBackspace)));
                    } else {
                        model.erase();
                        model.type(ToUtf8(text));
                    }
                }
                Quietly(w, [&] { w->setText(FromUtf8(model.text())); });
            });
            return w;
        }
        case ControlKind::ComboBox: {
            auto& model = static_cast<ui::ComboBox&>(control);
            auto* w = new QComboBox;
            w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            w->setMinimumContentsLength(6);
            connect(w, &QComboBox::activated, this, [this, &model, w](int index) {
                if (focusControl(model)) model.select(index);
                Quietly(w, [&] { w->setCurrentIndex(model.listIndex()); });
            });
            return w;
        }
        case ControlKind::ListBox: {
            auto& model = static_cast<ui::ListBox&>(control);
            auto* w = new QListWidget;
            connect(w, &QListWidget::currentRowChanged, this, [this, &model, w](int row) {
                if (syncing_ || row < 0) return;
                if (focusControl(model)) model.select(row);
                Quietly(w, [&] { w->setCurrentRow(model.listIndex()); });
            });
            connect(w, &QListWidget::itemDoubleClicked, this,
                    [this, &model, w](QListWidgetItem* item) {
                        if (focusControl(model)) model.doubleClick(w->row(item));
                    });
            return w;
        }
        case ControlKind::ListView: {
            auto& model = static_cast<ui::ListView&>(control);
            auto* w = new ListViewWidget(nullptr);
            const auto clicked = [this, &model](const QString& key) {
                if (syncing_) return;
                if (focusControl(model)) model.click(ToUtf8(key));
                refresh(model, Change{Change::What::Selection});
            };
            connect(w->list, &QListWidget::itemClicked, this,
                    [clicked](QListWidgetItem* item) { clicked(item->data(kKeyRole).toString()); });
            connect(w->tree, &QTreeWidget::itemClicked, this, [clicked](QTreeWidgetItem* item) {
                clicked(item->data(0, kKeyRole).toString());
            });
            return w;
        }
        case ControlKind::Toolbar: {
            auto* w = new QToolBar;
            w->setToolButtonStyle(Qt::ToolButtonIconOnly);
            w->setIconSize(QSize(16, 16));
            return w;
        }
        case ControlKind::TabControl: {
            auto& model = static_cast<ui::TabControl&>(control);
            auto* w = new QTabWidget;
            for (std::size_t i = 0; i < model.tabs().size(); ++i) w->addTab(new QWidget, QString());
            connect(w, &QTabWidget::currentChanged, this, [this, &model, w](int index) {
                if (syncing_ || index < 0) return;
                model.select(index);
                Quietly(w, [&] { w->setCurrentIndex(model.current()); });
            });
            return w;
        }
        case ControlKind::Grid: {
            auto& model = static_cast<ui::Grid&>(control);
            return new GridView(
                model, [this, &model] { return focusControl(model); },
                [this](int code, int shift) { form_.key(code, shift); });
        }
    }
    return new QWidget;
}

void FormView::rebuildToolbar(ui::Toolbar& m) {
    auto* bar = static_cast<QToolBar*>(widgetOf(m));
    if (!bar) return;
    bar->clear();
    const auto busy = [this](const std::function<void()>& action) {
        const bool was = toolbarBusy_;
        toolbarBusy_ = true;
        action();
        toolbarBusy_ = was;
    };
    for (const auto& b : m.buttons()) {
        const std::string key = b.key;
        auto* button = new QToolButton(bar);
        button->setObjectName(FromUtf8(m.name() + "." + key));
        button->setIcon(ToolIcon(key));
        button->setText(FromUtf8(b.toolTip.empty() ? key : b.toolTip));
        button->setToolTip(FromUtf8(b.toolTip));
        button->setEnabled(b.enabled);
        connect(button, &QToolButton::clicked, this, [this, &m, key, busy] {
            busy([&] {
                if (focusControl(m)) m.click(key);
            });
        });
        if (!b.menu.empty()) {
            auto* menu = new QMenu(button);
            for (std::size_t i = 0; i < b.menu.size(); ++i) {
                QAction* a = menu->addAction(FromUtf8(b.menu[i]));
                connect(a, &QAction::triggered, this, [this, &m, key, i, busy] {
                    busy([&] {
                        if (focusControl(m)) m.menuClick(key, static_cast<int>(i));
                    });
                });
            }
            button->setMenu(menu);
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        QAction* action = bar->addWidget(button);
        action->setVisible(b.visible);
    }
}

void FormView::refresh(ui::Control& control, const Change& change) {
    QWidget* w = widgetOf(control);
    if (!w) return;
    const bool all = change.what == Change::What::All;
    const bool was = syncing_;
    syncing_ = true;
    if (all || change.what == Change::What::Visible) w->setHidden(!control.visible());
    if (all || change.what == Change::What::Enabled) w->setEnabled(control.enabled());
    if (all || change.what == Change::What::ToolTip) w->setToolTip(FromUtf8(control.toolTip()));
    const auto is = [&](Change::What what) { return all || change.what == what; };
    switch (control.kind()) {
        case ControlKind::Label:
            static_cast<QLabel*>(w)->setText(FromUtf8(static_cast<ui::Label&>(control).caption()));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(w)->setTitle(
                FromUtf8(static_cast<ui::Frame&>(control).caption()));
            break;
        case ControlKind::CommandButton:
            static_cast<QPushButton*>(w)->setText(
                FromUtf8(static_cast<ui::CommandButton&>(control).caption()));
            break;
        case ControlKind::CheckBox: {
            auto& m = static_cast<ui::CheckBox&>(control);
            auto* box = static_cast<QCheckBox*>(w);
            Quietly(box, [&] {
                box->setText(FromUtf8(m.caption()));
                box->setChecked(m.value() != 0);
            });
            break;
        }
        case ControlKind::TextBox: {
            auto& m = static_cast<ui::TextBox&>(control);
            auto* edit = static_cast<QLineEdit*>(w);
            if (edit->text() != FromUtf8(m.text()))
                Quietly(edit, [&] { edit->setText(FromUtf8(m.text())); });
            break;
        }
        case ControlKind::ComboBox: {
            auto& m = static_cast<ui::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(w);
            Quietly(combo, [&] {
                if (is(Change::What::Items)) {
                    combo->clear();
                    for (const auto& item : m.items()) combo->addItem(ItemLabel(item));
                }
                combo->setCurrentIndex(m.listIndex());
            });
            break;
        }
        case ControlKind::ListBox: {
            auto& m = static_cast<ui::ListBox&>(control);
            auto* list = static_cast<QListWidget*>(w);
            Quietly(list, [&] {
                if (is(Change::What::Items)) {
                    list->clear();
                    for (const auto& item : m.items()) list->addItem(ItemLabel(item));
                }
                list->setCurrentRow(m.listIndex());
            });
            break;
        }
        case ControlKind::ListView: {
            auto& m = static_cast<ui::ListView&>(control);
            auto* lv = static_cast<ListViewWidget*>(w);
            if (is(Change::What::Items)) {
                lv->list->clear();
                lv->tree->clear();
                QStringList headers;
                for (const auto& h : m.columnHeaders()) headers << FromUtf8(h);
                lv->tree->setColumnCount(std::max<int>(1, headers.size()));
                lv->tree->setHeaderLabels(headers);
                const QIcon icon = StandardIcon(QStyle::SP_FileIcon);
                for (const auto& item : m.items()) {
                    auto* li = new QListWidgetItem(icon, FromUtf8(item.text), lv->list);
                    li->setData(kKeyRole, FromUtf8(item.key));
                    auto* ti = new QTreeWidgetItem(lv->tree, QStringList{FromUtf8(item.text)});
                    ti->setIcon(0, icon);
                    ti->setData(0, kKeyRole, FromUtf8(item.key));
                }
            }
            if (is(Change::What::Selection) || is(Change::What::Items)) {
                const int view = m.view();
                lv->setCurrentWidget(view == kReportView ? static_cast<QWidget*>(lv->tree)
                                                         : static_cast<QWidget*>(lv->list));
                lv->list->setViewMode(view == 0 ? QListView::IconMode : QListView::ListMode);
                lv->list->setFlow(view == 2 ? QListView::TopToBottom : QListView::LeftToRight);
                lv->list->setWrapping(true);
                lv->list->setIconSize(view == 0 ? QSize(32, 32) : QSize(16, 16));
                const int at = m.find(m.selectedKey());
                Quietly(lv->list, [&] { lv->list->setCurrentRow(at); });
                Quietly(lv->tree, [&] {
                    lv->tree->setCurrentItem(at >= 0 ? lv->tree->topLevelItem(at) : nullptr);
                });
            }
            break;
        }
        case ControlKind::Toolbar:
            if (!is(Change::What::Items)) break;
            // A rule run from one of the buttons may change the buttons: the
            // button that is still delivering its click must not be deleted
            // under it, so the rebuild waits for the event loop then.
            if (toolbarBusy_)
                QTimer::singleShot(0, this, [this, &control] {
                    rebuildToolbar(static_cast<ui::Toolbar&>(control));
                });
            else
                rebuildToolbar(static_cast<ui::Toolbar&>(control));
            break;
        case ControlKind::TabControl: {
            auto& m = static_cast<ui::TabControl&>(control);
            auto* tabs = static_cast<QTabWidget*>(w);
            Quietly(tabs, [&] {
                while (tabs->count() < static_cast<int>(m.tabs().size()))
                    tabs->addTab(new QWidget, QString());
                for (int i = 0; i < static_cast<int>(m.tabs().size()); ++i) {
                    tabs->setTabText(i, FromUtf8(m.tabs()[i].caption));
                    tabs->setTabEnabled(i, m.tabs()[i].enabled);
                    tabs->setTabVisible(i, m.tabs()[i].visible);
                }
                if (m.current() < tabs->count()) tabs->setCurrentIndex(m.current());
            });
            break;
        }
        case ControlKind::Grid:
            // The table model follows the grid itself.
            break;
    }
    syncing_ = was;
}

}  // namespace qelt::qt
