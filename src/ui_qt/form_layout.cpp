#include "form_layout.h"

#include <QBoxLayout>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "qelt/ui/controls.h"
#include "qstring_utf8.h"

namespace qelt::qt {

using ui::Control;
using ui::ControlKind;

namespace {

using Controls = std::vector<const Control*>;

constexpr const char* kFilterMarkers[] = {"cboTransType", "SSTab1", "lvwProject", "cmdOk",
                                          "cmdCancel"};
constexpr int kSelectorColumns = 3;
// Each drop-down of the selector grid is at least this many characters wide.
constexpr int kSelectorChars = 9;
constexpr int kSchemePaneWidth = 200;
constexpr int kFilterDefaultWidth = 960;
constexpr int kGenericMinimumWidth = 360;
// Room between a tab bar and its page's controls; the scheme list keeps it
// too, so that both start on one line.
constexpr int kPageTop = 6;

bool Stretches(const Control& c) {
    const ControlKind k = c.kind();
    return k == ControlKind::Grid || k == ControlKind::ListView || k == ControlKind::ListBox ||
           k == ControlKind::TabControl || k == ControlKind::Frame;
}

bool IsInput(const Control& c) {
    const ControlKind k = c.kind();
    return k != ControlKind::Label && k != ControlKind::CommandButton;
}

// The controls placed directly in `container` (null: the form) and, for a
// tab control, on `tab`, in creation order.
Controls Children(const ui::Form& form, const Control* container, int tab = -1) {
    Controls out;
    for (const Control* c : form.controls())
        if (c->container() == container && (tab < 0 || c->containerTab() == tab)) out.push_back(c);
    return out;
}

// Builds what is placed in frames and tab pages and arranges it side by
// side: a label stands over the control after it, a run of buttons makes
// one column, lists and grids take the spare width. Frames inside are
// filled the same way. `order` (when given) collects the controls taken.
class Filler {
public:
    Filler(const ui::Form& form, LayoutHost& host, Controls* order = nullptr)
        : form_(form), host_(host), order_(order) {}

    QBoxLayout* columns(const Controls& list) {
        auto* row = new QHBoxLayout;
        bool stretched = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Control* c = list[i];
            if (c->kind() == ControlKind::CommandButton) {
                auto* col = new QVBoxLayout;
                while (i < list.size() && list[i]->kind() == ControlKind::CommandButton)
                    col->addWidget(take(*list[i++]));
                --i;
                col->addStretch(1);
                row->addLayout(col);
                continue;
            }
            auto* col = new QVBoxLayout;
            if (c->kind() == ControlKind::Label && i + 1 < list.size() && IsInput(*list[i + 1]))
                col->addWidget(take(*list[i++]));
            const Control* main = list[i];
            col->addWidget(take(*main), 1);
            if (!Stretches(*main)) col->addStretch(1);
            const int stretch = main->kind() == ControlKind::Grid ? 3 : Stretches(*main) ? 1 : 0;
            stretched = stretched || stretch > 0;
            row->addLayout(col, stretch);
        }
        if (!stretched) row->addStretch(1);
        return row;
    }

    // The control's widget, and what a frame holds.
    QWidget* take(const Control& c) {
        QWidget* w = host_.widget(c);
        if (order_) order_->push_back(&c);
        if (c.kind() == ControlKind::Frame && !w->layout()) {
            QBoxLayout* inside = columns(Children(form_, &c));
            w->setLayout(inside);
        }
        return w;
    }

    // The controls of one tab page; a page without a frame of its own puts
    // them level with the tab bar's edges.
    void page(QWidget& page, const Control& tabs, int tab, int top) {
        QBoxLayout* layout = columns(Children(form_, &tabs, tab));
        layout->setContentsMargins(0, top, 0, 0);
        page.setLayout(layout);
    }

private:
    const ui::Form& form_;
    LayoutHost& host_;
    Controls* order_;
};

// --- any form -------------------------------------------------------------

class GenericLayout final : public FormLayout {
public:
    GenericLayout(const ui::Form& form, QDialog& dialog, LayoutHost& host) : dialog_(dialog) {
        Filler fill(form, host, &tabOrder_);
        auto* box = new QVBoxLayout(&dialog);
        const Controls list = Children(form, nullptr);
        std::size_t end = list.size();
        while (end > 0 && list[end - 1]->kind() == ControlKind::CommandButton) --end;
        bool stretched = false;
        for (std::size_t i = 0; i < end; ++i) {
            const bool s = Stretches(*list[i]);
            stretched = stretched || s;
            box->addWidget(fill.take(*list[i]), s ? 1 : 0);
            if (list[i]->kind() == ControlKind::TabControl) {
                auto* tabs = static_cast<QTabWidget*>(host.widget(*list[i]));
                for (int t = 0; t < tabs->count(); ++t)
                    fill.page(*tabs->widget(t), *list[i], t, kPageTop);
            }
        }
        if (!stretched) box->addStretch(1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        for (std::size_t i = end; i < list.size(); ++i) buttons->addWidget(fill.take(*list[i]));
        box->addLayout(buttons);
    }

    QSize defaultSize() const override {
        const QSize hint = dialog_.sizeHint();
        return {std::max(hint.width(), kGenericMinimumWidth), hint.height()};
    }

private:
    QDialog& dialog_;
};

// --- the filter dialog ----------------------------------------------------

// Transaction type and the status selectors on top, packed three to a row
// with captions and drop-downs aligned; the scheme list beside the tabs
// behind a divider, its toolbar level with the tab bar; the auto-accept box
// bottom left, OK and Cancel bottom right.
class FilterLayout final : public FormLayout {
public:
    FilterLayout(const ui::Form& form, QDialog& dialog, LayoutHost& host)
        : form_(form), dialog_(dialog), host_(host) {
        auto* box = new QVBoxLayout(&dialog);
        top_ = new QGridLayout;
        box->addLayout(top_);
        plan_ = new QVBoxLayout;
        box->addLayout(plan_);

        const auto onForm = Children(form, nullptr);
        const Control* typeLabel = named("Label1(0)");
        const Control* types = named("cboTransType");
        const Control* fastMode = named("chkFastMode");
        for (std::size_t i = 0; i + 1 < onForm.size(); ++i)
            if (onForm[i]->kind() == ControlKind::Label &&
                onForm[i + 1]->kind() == ControlKind::ComboBox && onForm[i] != typeLabel) {
                selectors_.emplace_back(onForm[i], onForm[i + 1]);
                ++i;
            }
        if (typeLabel) top_->addWidget(label(*typeLabel), 0, 0);
        if (types) top_->addWidget(combo(*types), 0, 1, 1, 3);
        if (fastMode) top_->addWidget(take(*fastMode), 0, 4, 1, 2);
        // Caption columns as wide as the widest caption and drop-down columns
        // sharing the rest evenly: every drop-down gets one width, whichever
        // selectors are shown.
        const QFontMetrics metrics = dialog.fontMetrics();
        int captions = typeLabel ? metrics.horizontalAdvance(FromUtf8(
                                       static_cast<const ui::Label*>(typeLabel)->caption()))
                                 : 0;
        for (const auto& [l, c] : selectors_)
            captions = std::max(
                captions,
                metrics.horizontalAdvance(FromUtf8(static_cast<const ui::Label*>(l)->caption())));
        for (int c = 0; c < 2 * kSelectorColumns; c += 2) {
            top_->setColumnMinimumWidth(c, captions);
            top_->setColumnStretch(c + 1, 1);
            top_->setColumnMinimumWidth(c + 1, kSelectorChars * metrics.averageCharWidth());
        }
        packSelectors();
        if (const Control* plan = named("framePlanOrder"); plan && plan->visible()) placePlan();

        splitter_ = new QSplitter(Qt::Horizontal);
        splitter_->setChildrenCollapsible(false);
        auto* pane = new QWidget;
        auto* schemes = new QVBoxLayout(pane);
        schemes->setContentsMargins(0, 0, 0, 0);
        schemes->setSpacing(0);
        header_ = new QWidget;
        auto* headerRow = new QHBoxLayout(header_);
        headerRow->setContentsMargins(0, 0, 0, 0);
        if (const Control* c = named("lblProject")) headerRow->addWidget(take(*c));
        headerRow->addStretch(1);
        if (const Control* c = named("tlbProject")) headerRow->addWidget(take(*c));
        schemes->addWidget(header_);
        schemes->addSpacing(kPageTop);
        if (const Control* c = named("lvwProject")) schemes->addWidget(take(*c), 1);
        splitter_->addWidget(pane);
        if (const Control* c = named("SSTab1")) {
            tabControl_ = c;
            tabs_ = static_cast<QTabWidget*>(take(*c));
            splitter_->addWidget(tabs_);
        }
        splitter_->setStretchFactor(0, 0);
        splitter_->setStretchFactor(1, 1);
        splitter_->setSizes({kSchemePaneWidth, kFilterDefaultWidth - kSchemePaneWidth});
        box->addWidget(splitter_, 1);

        // Whatever else the form holds, in creation order.
        for (const Control* c : onForm)
            if (!used_.count(c) && !isSelector(c) && !isBottom(c) && c != named("framePlanOrder"))
                box->addWidget(take(*c), Stretches(*c) ? 1 : 0);

        auto* bottom = new QHBoxLayout;
        if (const Control* c = named("chkShowByBeforeProject")) bottom->addWidget(take(*c));
        bottom->addStretch(1);
        for (const char* name : {"cmdOk", "cmdCancel"})
            if (const Control* c = named(name)) bottom->addWidget(take(*c));
        box->addLayout(bottom);

        if (tabs_) {
            for (int t = 0; t < tabs_->count(); ++t) tabs_->widget(t)->installEventFilter(this);
            // The page the rules show; the tab widget follows them once built.
            buildPage(static_cast<const ui::TabControl*>(tabControl_)->current());
            alignSchemeHeader();
        }
        orderTabs();
    }

    QSplitter* splitter() const override { return splitter_; }

    QSize defaultSize() const override {
        const QSize hint = dialog_.sizeHint();
        return {std::max(hint.width(), kFilterDefaultWidth), hint.height()};
    }

    void visibilityChanged(const Control& c) override {
        if (isSelector(&c)) {
            packSelectors();
        } else if (&c == named("framePlanOrder") && c.visible() && !planPlaced_) {
            placePlan();
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && tabs_)
            for (int t = 0; t < tabs_->count(); ++t)
                if (tabs_->widget(t) == watched && !pages_.count(t)) {
                    buildPage(t);
                    host_.placed();
                }
        return false;
    }

private:
    const Control* named(const char* name) const {
        const Control* c = form_.find(name);
        return c && !c->container() ? c : nullptr;
    }
    bool isSelector(const Control* c) const {
        return std::any_of(selectors_.begin(), selectors_.end(),
                           [c](const auto& s) { return s.first == c || s.second == c; });
    }
    bool isBottom(const Control* c) const {
        return c == named("chkShowByBeforeProject") || c == named("cmdOk") ||
               c == named("cmdCancel");
    }

    QWidget* take(const Control& c) {
        used_.insert(&c);
        return host_.widget(c);
    }
    QWidget* label(const Control& c) {
        auto* w = static_cast<QLabel*>(take(c));
        w->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return w;
    }
    // Drop-downs share their column's width, whatever their items.
    QWidget* combo(const Control& c) {
        QWidget* w = take(c);
        w->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        return w;
    }

    // The visible selectors fill the grid in order, leaving no hole; a
    // selector is built when it is first visible.
    void packSelectors() {
        for (const auto& [l, c] : selectors_)
            for (const Control* part : {l, c})
                if (QWidget* w = host_.built(*part)) top_->removeWidget(w);
        int slot = 0;
        for (const auto& [l, c] : selectors_) {
            if (!c->visible()) continue;
            const int row = 1 + slot / kSelectorColumns;
            const int col = 2 * (slot % kSelectorColumns);
            top_->addWidget(label(*l), row, col);
            top_->addWidget(combo(*c), row, col + 1);
            ++slot;
        }
    }

    void placePlan() {
        const Control* plan = named("framePlanOrder");
        plan_->addWidget(Filler(form_, host_).take(*plan));
        used_.insert(plan);
        planPlaced_ = true;
    }

    void buildPage(int tab) {
        if (tab < 0 || !tabs_ || pages_.count(tab)) return;
        pages_.insert(tab);
        QWidget& page = *tabs_->widget(tab);
        Filler(form_, host_).page(page, *tabControl_, tab, kPageTop);
        // A page built as it is shown is laid out before it is painted.
        if (page.isVisible()) page.layout()->activate();
    }

    // The scheme toolbar is as high as the tab bar, so that the list starts
    // where the tab's page does.
    void alignSchemeHeader() { header_->setFixedHeight(tabs_->tabBar()->sizeHint().height()); }

    // Transaction type, fast mode, the selectors, the planned-order boxes,
    // the scheme toolbar and list, the tabs and what each holds, then the
    // auto-accept box, OK and Cancel; built or not.
    void orderTabs() {
        tabOrder_.clear();
        const auto walk = [this](const Control* c, auto& self) -> void {
            tabOrder_.push_back(c);
            for (const Control* inner : Children(form_, c)) self(inner, self);
        };
        const Control* fastMode = named("chkFastMode");
        for (const Control* c : Children(form_, nullptr)) {
            if (isBottom(c) || c == fastMode) continue;
            walk(c, walk);
            if (c == named("cboTransType") && fastMode) tabOrder_.push_back(fastMode);
        }
        for (const char* name : {"chkShowByBeforeProject", "cmdOk", "cmdCancel"})
            if (const Control* c = named(name)) tabOrder_.push_back(c);
    }

    const ui::Form& form_;
    QDialog& dialog_;
    LayoutHost& host_;
    QGridLayout* top_ = nullptr;
    QVBoxLayout* plan_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* header_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    const Control* tabControl_ = nullptr;
    std::vector<std::pair<const Control*, const Control*>> selectors_;
    std::set<const Control*> used_;
    std::set<int> pages_;
    bool planPlaced_ = false;
};

bool IsFilterDialog(const ui::Form& form) {
    return std::all_of(std::begin(kFilterMarkers), std::end(kFilterMarkers), [&](const char* n) {
        const Control* c = form.find(n);
        return c && !c->container();
    });
}

}  // namespace

std::unique_ptr<FormLayout> FormLayout::For(const ui::Form& form, QDialog& dialog,
                                            LayoutHost& host) {
    if (IsFilterDialog(form)) return std::make_unique<FilterLayout>(form, dialog, host);
    return std::make_unique<GenericLayout>(form, dialog, host);
}

}  // namespace qelt::qt
