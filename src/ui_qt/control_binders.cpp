#include "control_binders.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
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
constexpr int kLargeIconView = 0;
constexpr int kListView = 2;
constexpr int kReportView = 3;
constexpr int kToolIconSize = 16;

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

// A frame with a caption is a group box; one without is a plain panel (a
// picture panel holding a grid): no border, no margins, so a grid inside a
// tab has one border around it.
class FrameWidget : public QGroupBox {
public:
    void setCaption(const QString& caption) {
        setTitle(caption);
        setFlat(caption.isEmpty());
        plain();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!title().isEmpty()) QGroupBox::paintEvent(event);
    }
    void changeEvent(QEvent* event) override {
        QGroupBox::changeEvent(event);
        plain();
    }

private:
    // The group box sets its margins from the style again on every change.
    void plain() {
        if (title().isEmpty()) setContentsMargins(0, 0, 0, 0);
        if (title().isEmpty() && layout()) layout()->setContentsMargins(0, 0, 0, 0);
    }
};

class FrameBinder final : public BinderOf<ui::Frame, FrameWidget> {
    FrameWidget* make(ui::Frame&, BindingHost&) const override { return new FrameWidget; }
    void update(ui::Frame& m, FrameWidget& w, const Change&, BindingHost&) const override {
        w.setCaption(FromUtf8(m.caption()));
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

// A drop-down as wide as its longest item (by characters) or six
// characters: the drop-down's own measure lays out every item, and its
// size policies that avoid that build the list before it is needed.
class DropDown : public QComboBox {
public:
    QSize sizeHint() const override {
        if (!hint_.isValid()) {
            QString longest(kMinimumChars, QLatin1Char('x'));
            for (int i = 0; i < count(); ++i)
                if (itemText(i).size() > longest.size()) longest = itemText(i);
            QStyleOptionComboBox option;
            initStyleOption(&option);
            const QSize text(fontMetrics().horizontalAdvance(longest), fontMetrics().height());
            hint_ = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
        }
        return hint_;
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
    // The items changed: measure again.
    void itemsChanged() {
        hint_ = QSize();
        updateGeometry();
    }

private:
    static constexpr int kMinimumChars = 6;
    mutable QSize hint_;
};

class ComboBoxBinder final : public BinderOf<ui::ComboBox, DropDown> {
    DropDown* make(ui::ComboBox& m, BindingHost& host) const override {
        auto* w = new DropDown;
        QObject::connect(w, &QComboBox::activated, host.receiver(), [&host, &m, w](int index) {
            if (host.focusControl(m)) m.select(index);
            Quietly(w, [&] { w->setCurrentIndex(m.listIndex()); });
        });
        return w;
    }
    void update(ui::ComboBox& m, DropDown& w, const Change& change, BindingHost&) const override {
        Quietly(&w, [&] {
            if (Touches(change, Change::What::Items)) {
                w.clear();
                for (const auto& item : m.items()) w.addItem(ItemLabel(item));
                w.itemsChanged();
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

// The list view as a QListWidget in each of its views: large icons, small
// icons, a list, or the details of its one column (an item has a key and a
// text, nothing to fill a second column with), which shows as the list.
class ListViewBinder final : public BinderOf<ui::ListView, QListWidget> {
    QListWidget* make(ui::ListView& m, BindingHost& host) const override {
        auto* w = new QListWidget;
        QObject::connect(w, &QListWidget::itemClicked, host.receiver(),
                         [&host, &m](QListWidgetItem* item) {
                             if (host.syncing()) return;
                             if (host.focusControl(m))
                                 m.click(ToUtf8(item->data(kKeyRole).toString()));
                             host.refresh(m, Change{Change::What::Selection});
                         });
        return w;
    }
    void update(ui::ListView& m, QListWidget& w, const Change& change,
                BindingHost&) const override {
        const bool items = Touches(change, Change::What::Items);
        if (items) {
            w.clear();
            const QIcon icon = StandardIcon(QStyle::SP_FileIcon);
            for (const auto& item : m.items()) {
                auto* li = new QListWidgetItem(icon, FromUtf8(item.text), &w);
                li->setData(kKeyRole, FromUtf8(item.key));
            }
        }
        if (!items && !Touches(change, Change::What::Selection)) return;
        const int view = m.view();
        const bool icons = view == kLargeIconView;
        w.setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        w.setFlow(view == kListView || view == kReportView ? QListView::TopToBottom
                                                           : QListView::LeftToRight);
        w.setWrapping(view != kReportView);
        w.setIconSize(icons ? QSize(32, 32) : QSize(16, 16));
        Quietly(&w, [&] { w.setCurrentRow(m.find(m.selectedKey())); });
    }
};

// A row of flat tool buttons (a QToolBar brings a window's toolbar
// machinery a dialog has no use for); it knows whether one of its buttons
// is delivering its action.
class ToolbarWidget : public QWidget {
public:
    ToolbarWidget() {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
    }
    bool busy = false;
};

class ToolbarBinder final : public BinderOf<ui::Toolbar, ToolbarWidget> {
    ToolbarWidget* make(ui::Toolbar&, BindingHost&) const override { return new ToolbarWidget; }
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
        qDeleteAll(bar.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly));
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
            button->setAutoRaise(true);
            button->setIconSize(QSize(kToolIconSize, kToolIconSize));
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
            button->setVisible(b.visible);
            bar.layout()->addWidget(button);
        }
        host.focusOrderChanged();
    }
    std::vector<QWidget*> tabStops(QWidget& widget) const override {
        std::vector<QWidget*> stops;
        for (QToolButton* b : widget.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            stops.push_back(b);
        return stops;
    }
};

class TabControlBinder final : public BinderOf<ui::TabControl, QTabWidget> {
    QTabWidget* make(ui::TabControl& m, BindingHost& host) const override {
        auto* w = new QTabWidget;
        // The pages draw no frame of their own: a grid inside has one border.
        w->setDocumentMode(true);
        // The tab bar is the Tab key's stop; the tab widget would be a
        // second way into it from wherever it sits in the chain.
        const Qt::FocusPolicy bar = w->tabBar()->focusPolicy();
        w->setFocusPolicy(Qt::NoFocus);
        w->tabBar()->setFocusPolicy(bar);
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
    std::vector<QWidget*> tabStops(QWidget& widget) const override {
        return {static_cast<QTabWidget&>(widget).tabBar()};
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
