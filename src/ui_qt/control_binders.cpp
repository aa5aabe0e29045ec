#include "control_binders.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "grid_view.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/grid.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::Change;
using ui::ControlKind;

namespace {

constexpr int kKeyRole = Qt::UserRole;
// List-view modes of the model: 0 large icons, 1 small icons, 2 list, 3 report.
constexpr int kReportView = 3;

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

bool Touches(const Change& change, Change::What what) {
    return change.what == Change::What::All || change.what == what;
}

// A binder of one model class and one widget class.
template <class Model, class W>
class BinderOf : public ControlBinder {
public:
    QWidget* build(ui::Control& control, BindingHost& host) const final {
        return make(static_cast<Model&>(control), host);
    }
    void refresh(ui::Control& control, QWidget& widget, const Change& change,
                 BindingHost& host) const final {
        update(static_cast<Model&>(control), static_cast<W&>(widget), change, host);
    }

protected:
    virtual W* make(Model& model, BindingHost& host) const = 0;
    virtual void update(Model& model, W& widget, const Change& change, BindingHost& host) const = 0;
};

class LabelBinder final : public BinderOf<ui::Label, QLabel> {
    QLabel* make(ui::Label&, BindingHost&) const override {
        auto* w = new QLabel;
        w->setTextFormat(Qt::PlainText);
        return w;
    }
    void update(ui::Label& m, QLabel& w, const Change&, BindingHost&) const override {
        w.setText(FromUtf8(m.caption()));
    }
};

class FrameBinder final : public BinderOf<ui::Frame, QGroupBox> {
    QGroupBox* make(ui::Frame&, BindingHost&) const override { return new QGroupBox; }
    void update(ui::Frame& m, QGroupBox& w, const Change&, BindingHost&) const override {
        w.setTitle(FromUtf8(m.caption()));
    }
};

class ButtonBinder final : public BinderOf<ui::CommandButton, QPushButton> {
    QPushButton* make(ui::CommandButton& m, BindingHost& host) const override {
        auto* w = new QPushButton;
        // Enter belongs to the form's rules, never to a default button.
        w->setAutoDefault(false);
        w->setDefault(false);
        QObject::connect(w, &QPushButton::clicked, host.receiver(), [&host, &m] {
            if (host.focusControl(m)) m.click();
        });
        return w;
    }
    void update(ui::CommandButton& m, QPushButton& w, const Change&, BindingHost&) const override {
        w.setText(FromUtf8(m.caption()));
    }
};

class CheckBoxBinder final : public BinderOf<ui::CheckBox, QCheckBox> {
    QCheckBox* make(ui::CheckBox& m, BindingHost& host) const override {
        auto* w = new QCheckBox;
        QObject::connect(w, &QCheckBox::clicked, host.receiver(), [&host, &m, w] {
            if (host.focusControl(m)) m.click();
            Quietly(w, [&] { w->setChecked(m.value() != 0); });
        });
        return w;
    }
    void update(ui::CheckBox& m, QCheckBox& w, const Change&, BindingHost&) const override {
        Quietly(&w, [&] {
            w.setText(FromUtf8(m.caption()));
            w.setChecked(m.value() != 0);
        });
    }
};

class TextBoxBinder final : public BinderOf<ui::TextBox, QLineEdit> {
    QLineEdit* make(ui::TextBox& m, BindingHost& host) const override {
        auto* w = new QLineEdit;
        // The person's edit becomes typing at the end of the model's text
        // (after erasing it when the edit was elsewhere), so every character
        // passes the form's key preview; the box then shows what the model
        // kept.
        QObject::connect(
            w, &QLineEdit::textEdited, host.receiver(), [&host, &m, w](const QString& text) {
                const QString before = FromUtf8(m.text());
                if (host.focusControl(m)) {
                    if (text.startsWith(before)) {
                        m.type(ToUtf8(text.mid(before.size())));
                    } else if (before.startsWith(text) && text.size() + 1 == before.size() &&
                               w->cursorPosition() == text.size()) {
                        m.type(std::string(1, static_cast<char>(ui::kKeyBackspace)));
                    } else {
                        m.erase();
                        m.type(ToUtf8(text));
                    }
                }
                Quietly(w, [&] { w->setText(FromUtf8(m.text())); });
            });
        return w;
    }
    void update(ui::TextBox& m, QLineEdit& w, const Change&, BindingHost&) const override {
        if (w.text() != FromUtf8(m.text())) Quietly(&w, [&] { w.setText(FromUtf8(m.text())); });
    }
};

class ComboBoxBinder final : public BinderOf<ui::ComboBox, QComboBox> {
    QComboBox* make(ui::ComboBox& m, BindingHost& host) const override {
        auto* w = new QComboBox;
        w->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        w->setMinimumContentsLength(6);
        QObject::connect(w, &QComboBox::activated, host.receiver(), [&host, &m, w](int index) {
            if (host.focusControl(m)) m.select(index);
            Quietly(w, [&] { w->setCurrentIndex(m.listIndex()); });
        });
        return w;
    }
    void update(ui::ComboBox& m, QComboBox& w, const Change& change, BindingHost&) const override {
        Quietly(&w, [&] {
            if (Touches(change, Change::What::Items)) {
                w.clear();
                for (const auto& item : m.items()) w.addItem(ItemLabel(item));
            }
            w.setCurrentIndex(m.listIndex());
        });
    }
};

class ListBoxBinder final : public BinderOf<ui::ListBox, QListWidget> {
    QListWidget* make(ui::ListBox& m, BindingHost& host) const override {
        auto* w = new QListWidget;
        QObject::connect(w, &QListWidget::currentRowChanged, host.receiver(),
                         [&host, &m, w](int row) {
                             if (host.syncing() || row < 0) return;
                             if (host.focusControl(m)) m.select(row);
                             Quietly(w, [&] { w->setCurrentRow(m.listIndex()); });
                         });
        QObject::connect(w, &QListWidget::itemDoubleClicked, host.receiver(),
                         [&host, &m, w](QListWidgetItem* item) {
                             if (host.focusControl(m)) m.doubleClick(w->row(item));
                         });
        return w;
    }
    void update(ui::ListBox& m, QListWidget& w, const Change& change, BindingHost&) const override {
        Quietly(&w, [&] {
            if (Touches(change, Change::What::Items)) {
                w.clear();
                for (const auto& item : m.items()) w.addItem(ItemLabel(item));
            }
            w.setCurrentRow(m.listIndex());
        });
    }
};

// The list view: a QListWidget for the icon and list modes, a QTreeWidget for
// the report mode, one of them shown at a time.
class ListViewWidget : public QStackedWidget {
public:
    ListViewWidget() {
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

class ListViewBinder final : public BinderOf<ui::ListView, ListViewWidget> {
    ListViewWidget* make(ui::ListView& m, BindingHost& host) const override {
        auto* w = new ListViewWidget;
        const auto clicked = [&host, &m](const QString& key) {
            if (host.syncing()) return;
            if (host.focusControl(m)) m.click(ToUtf8(key));
            host.refresh(m, Change{Change::What::Selection});
        };
        QObject::connect(
            w->list, &QListWidget::itemClicked, host.receiver(),
            [clicked](QListWidgetItem* item) { clicked(item->data(kKeyRole).toString()); });
        QObject::connect(
            w->tree, &QTreeWidget::itemClicked, host.receiver(),
            [clicked](QTreeWidgetItem* item) { clicked(item->data(0, kKeyRole).toString()); });
        return w;
    }
    void update(ui::ListView& m, ListViewWidget& w, const Change& change,
                BindingHost&) const override {
        const bool items = Touches(change, Change::What::Items);
        if (items) fill(m, w);
        if (items || Touches(change, Change::What::Selection)) select(m, w);
    }
    QWidget* focusWidget(QWidget& widget) const override {
        return static_cast<ListViewWidget&>(widget).currentWidget();
    }

    static void fill(const ui::ListView& m, ListViewWidget& w) {
        w.list->clear();
        w.tree->clear();
        QStringList headers;
        for (const auto& h : m.columnHeaders()) headers << FromUtf8(h);
        w.tree->setColumnCount(std::max<int>(1, headers.size()));
        w.tree->setHeaderLabels(headers);
        const QIcon icon = StandardIcon(QStyle::SP_FileIcon);
        for (const auto& item : m.items()) {
            auto* li = new QListWidgetItem(icon, FromUtf8(item.text), w.list);
            li->setData(kKeyRole, FromUtf8(item.key));
            auto* ti = new QTreeWidgetItem(w.tree, QStringList{FromUtf8(item.text)});
            ti->setIcon(0, icon);
            ti->setData(0, kKeyRole, FromUtf8(item.key));
        }
    }
    static void select(const ui::ListView& m, ListViewWidget& w) {
        const int view = m.view();
        w.setCurrentWidget(view == kReportView ? static_cast<QWidget*>(w.tree)
                                               : static_cast<QWidget*>(w.list));
        w.list->setViewMode(view == 0 ? QListView::IconMode : QListView::ListMode);
        w.list->setFlow(view == 2 ? QListView::TopToBottom : QListView::LeftToRight);
        w.list->setWrapping(true);
        w.list->setIconSize(view == 0 ? QSize(32, 32) : QSize(16, 16));
        const int at = m.find(m.selectedKey());
        Quietly(w.list, [&] { w.list->setCurrentRow(at); });
        Quietly(w.tree,
                [&] { w.tree->setCurrentItem(at >= 0 ? w.tree->topLevelItem(at) : nullptr); });
    }
};

// The toolbar knows whether one of its buttons is delivering its action.
class ToolbarWidget : public QToolBar {
public:
    bool busy = false;
};

class ToolbarBinder final : public BinderOf<ui::Toolbar, ToolbarWidget> {
    ToolbarWidget* make(ui::Toolbar&, BindingHost&) const override {
        auto* w = new ToolbarWidget;
        w->setToolButtonStyle(Qt::ToolButtonIconOnly);
        w->setIconSize(QSize(16, 16));
        return w;
    }
    void update(ui::Toolbar& m, ToolbarWidget& w, const Change& change,
                BindingHost& host) const override {
        if (!Touches(change, Change::What::Items)) return;
        // A rule run from one of the buttons may change the buttons: the
        // button that is still delivering its click must not be deleted
        // under it, so the rebuild waits for the event loop then.
        if (w.busy)
            QTimer::singleShot(0, &w, [&m, &w, &host] { rebuild(m, w, host); });
        else
            rebuild(m, w, host);
    }

    static void rebuild(ui::Toolbar& m, ToolbarWidget& bar, BindingHost& host) {
        bar.clear();
        const auto busy = [&bar](const std::function<void()>& action) {
            const bool was = bar.busy;
            bar.busy = true;
            action();
            bar.busy = was;
        };
        for (const auto& b : m.buttons()) {
            const std::string key = b.key;
            auto* button = new QToolButton(&bar);
            button->setObjectName(FromUtf8(m.name() + "." + key));
            button->setIcon(ToolIcon(key));
            button->setText(FromUtf8(b.toolTip.empty() ? key : b.toolTip));
            button->setToolTip(FromUtf8(b.toolTip));
            button->setEnabled(b.enabled);
            QObject::connect(button, &QToolButton::clicked, host.receiver(),
                             [&host, &m, key, busy] {
                                 busy([&] {
                                     if (host.focusControl(m)) m.click(key);
                                 });
                             });
            if (!b.menu.empty()) {
                auto* menu = new QMenu(button);
                for (std::size_t i = 0; i < b.menu.size(); ++i) {
                    QAction* a = menu->addAction(FromUtf8(b.menu[i]));
                    QObject::connect(a, &QAction::triggered, host.receiver(),
                                     [&host, &m, key, i, busy] {
                                         busy([&] {
                                             if (host.focusControl(m))
                                                 m.menuClick(key, static_cast<int>(i));
                                         });
                                     });
                }
                button->setMenu(menu);
                button->setPopupMode(QToolButton::MenuButtonPopup);
            }
            QAction* action = bar.addWidget(button);
            action->setVisible(b.visible);
        }
    }
};

class TabControlBinder final : public BinderOf<ui::TabControl, QTabWidget> {
    QTabWidget* make(ui::TabControl& m, BindingHost& host) const override {
        auto* w = new QTabWidget;
        for (std::size_t i = 0; i < m.tabs().size(); ++i) w->addTab(new QWidget, QString());
        QObject::connect(w, &QTabWidget::currentChanged, host.receiver(),
                         [&host, &m, w](int index) {
                             if (host.syncing() || index < 0) return;
                             m.select(index);
                             Quietly(w, [&] { w->setCurrentIndex(m.current()); });
                         });
        return w;
    }
    void update(ui::TabControl& m, QTabWidget& w, const Change&, BindingHost&) const override {
        Quietly(&w, [&] {
            while (w.count() < static_cast<int>(m.tabs().size())) w.addTab(new QWidget, QString());
            for (int i = 0; i < static_cast<int>(m.tabs().size()); ++i) {
                w.setTabText(i, FromUtf8(m.tabs()[i].caption));
                w.setTabEnabled(i, m.tabs()[i].enabled);
                w.setTabVisible(i, m.tabs()[i].visible);
            }
            if (m.current() < w.count()) w.setCurrentIndex(m.current());
        });
    }
};

class GridBinder final : public BinderOf<ui::Grid, GridView> {
    GridView* make(ui::Grid& m, BindingHost& host) const override {
        return new GridView(
            m, [&host, &m] { return host.focusControl(m); },
            [&host](int code, int shift) { host.formKey(code, shift); });
    }
    // The table model follows the grid itself.
    void update(ui::Grid&, GridView&, const Change&, BindingHost&) const override {}
};

// A kind without a binder of its own: an empty widget.
class PlainBinder final : public ControlBinder {
    QWidget* build(ui::Control&, BindingHost&) const override { return new QWidget; }
    void refresh(ui::Control&, QWidget&, const Change&, BindingHost&) const override {}
};

}  // namespace

const ControlBinder& BinderFor(ControlKind kind) {
    static const LabelBinder label;
    static const FrameBinder frame;
    static const ButtonBinder button;
    static const CheckBoxBinder checkBox;
    static const TextBoxBinder textBox;
    static const ComboBoxBinder comboBox;
    static const ListBoxBinder listBox;
    static const ListViewBinder listView;
    static const ToolbarBinder toolbar;
    static const TabControlBinder tabControl;
    static const GridBinder grid;
    static const PlainBinder plain;
    static const std::pair<ControlKind, const ControlBinder*> table[] = {
        {ControlKind::Label, &label},
        {ControlKind::Frame, &frame},
        {ControlKind::CommandButton, &button},
        {ControlKind::CheckBox, &checkBox},
        {ControlKind::TextBox, &textBox},
        {ControlKind::ComboBox, &comboBox},
        {ControlKind::ListBox, &listBox},
        {ControlKind::ListView, &listView},
        {ControlKind::Toolbar, &toolbar},
        {ControlKind::TabControl, &tabControl},
        {ControlKind::Grid, &grid},
    };
    for (const auto& [k, binder] : table)
        if (k == kind) return *binder;
    return plain;
}

}  // namespace qelt::qt
