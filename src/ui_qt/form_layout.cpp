#include <QBoxLayout>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QTabWidget>
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "form_view.h"

// Where the widgets of a form go. The filter dialog gets the arrangement its
// users know (transaction type and selectors on top, the scheme list beside
// the tabs, OK and Cancel bottom right); any other form, and any control of
// the filter dialog not placed below, is laid out generically from the
// creation order and Form::place.
namespace qelt::qt {

using ui::Control;
using ui::ControlKind;

namespace {

using Widgets = std::map<const Control*, QWidget*>;

constexpr int kSelectorsPerRow = 4;
constexpr const char* kFilterMarkers[] = {"cboTransType", "SSTab1", "lvwProject", "cmdOk",
                                          "cmdCancel"};
constexpr int kSchemePaneWidth = 190;

bool Stretches(const Control& c) {
    const ControlKind k = c.kind();
    return k == ControlKind::Grid || k == ControlKind::ListView || k == ControlKind::ListBox ||
           k == ControlKind::TabControl || k == ControlKind::Frame;
}

bool IsInput(const Control& c) {
    const ControlKind k = c.kind();
    return k != ControlKind::Label && k != ControlKind::CommandButton;
}

class Layouter {
public:
    Layouter(const ui::Form& form, const Widgets& widgets) : form_(form), widgets_(widgets) {}

    QWidget* widget(const Control* c) const { return c ? widgets_.at(c) : nullptr; }
    const Control* named(const char* name) const { return form_.find(name); }

    // The controls placed directly in `container` (null: the form) and, for
    // a tab control, on `tab`, in creation order.
    std::vector<const Control*> children(const Control* container, int tab = -1) const {
        std::vector<const Control*> out;
        for (const Control* c : form_.controls())
            if (c->container() == container && (tab < 0 || c->containerTab() == tab))
                out.push_back(c);
        return out;
    }

    // Fills frames and tab pages, wherever they sit.
    void fillContainers() {
        for (const Control* c : form_.controls()) {
            if (c->kind() == ControlKind::Frame) {
                auto* box = static_cast<QGroupBox*>(widget(c));
                box->setLayout(columns(children(c)));
            } else if (c->kind() == ControlKind::TabControl) {
                auto* tabs = static_cast<QTabWidget*>(widget(c));
                for (int t = 0; t < tabs->count(); ++t)
                    tabs->widget(t)->setLayout(columns(children(c, t)));
            }
        }
    }

    // Side by side: a label stands over the control after it, a run of
    // buttons makes one column, lists and grids take the spare width.
    QBoxLayout* columns(const std::vector<const Control*>& list) const {
        auto* row = new QHBoxLayout;
        bool stretched = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Control* c = list[i];
            if (c->kind() == ControlKind::CommandButton) {
                auto* col = new QVBoxLayout;
                while (i < list.size() && list[i]->kind() == ControlKind::CommandButton)
                    col->addWidget(widget(list[i++]));
                --i;
                col->addStretch(1);
                row->addLayout(col);
                continue;
            }
            auto* col = new QVBoxLayout;
            if (c->kind() == ControlKind::Label && i + 1 < list.size() && IsInput(*list[i + 1]))
                col->addWidget(widget(list[i++]));
            const Control* main = list[i];
            col->addWidget(widget(main), 1);
            if (!Stretches(*main)) col->addStretch(1);
            const int stretch = main->kind() == ControlKind::Grid ? 3 : Stretches(*main) ? 1 : 0;
            stretched = stretched || stretch > 0;
            row->addLayout(col, stretch);
        }
        if (!stretched) row->addStretch(1);
        return row;
    }

    // Top to bottom; the buttons that end the list sit in a row at the
    // bottom right.
    void generic(QDialog& dialog) const {
        auto* box = new QVBoxLayout(&dialog);
        auto list = children(nullptr);
        std::size_t end = list.size();
        while (end > 0 && list[end - 1]->kind() == ControlKind::CommandButton) --end;
        bool stretched = false;
        for (std::size_t i = 0; i < end; ++i) {
            const bool s = Stretches(*list[i]);
            stretched = stretched || s;
            box->addWidget(widget(list[i]), s ? 1 : 0);
        }
        if (!stretched) box->addStretch(1);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        for (std::size_t i = end; i < list.size(); ++i) buttons->addWidget(widget(list[i]));
        box->addLayout(buttons);
    }

    bool isFilterDialog() const {
        return std::all_of(std::begin(kFilterMarkers), std::end(kFilterMarkers),
                           [this](const char* n) {
                               const Control* c = named(n);
                               return c && !c->container();
                           });
    }

    // The status selectors are the form's own list: each caption left on the
    // form that its drop-down follows in creation order, four pairs to a row
    // from row 1 of `grid`.
    void placeSelectors(QGridLayout& grid, std::set<const Control*>& used) const {
        const auto onForm = children(nullptr);
        int slot = 0;
        for (std::size_t i = 0; i + 1 < onForm.size(); ++i) {
            const Control* label = onForm[i];
            const Control* combo = onForm[i + 1];
            if (label->kind() != ControlKind::Label || combo->kind() != ControlKind::ComboBox ||
                used.count(label) || used.count(combo))
                continue;
            used.insert(label);
            used.insert(combo);
            const int r = 1 + slot / kSelectorsPerRow;
            const int c = 2 * (slot % kSelectorsPerRow);
            grid.addWidget(widget(label), r, c);
            grid.addWidget(widget(combo), r, c + 1);
            ++slot;
            ++i;
        }
    }

    void filterDialog(QDialog& dialog) {
        auto* box = new QVBoxLayout(&dialog);
        std::set<const Control*> used;
        const auto take = [&](const char* name) -> QWidget* {
            const Control* c = named(name);
            if (!c || c->container() || used.count(c)) return nullptr;
            used.insert(c);
            return widget(c);
        };

        auto* top = new QGridLayout;
        int col = 0;
        if (QWidget* w = take("Label1(0)")) top->addWidget(w, 0, col);
        if (QWidget* w = take("cboTransType")) top->addWidget(w, 0, col + 1, 1, 3);
        if (QWidget* w = take("chkFastMode")) top->addWidget(w, 0, col + 4, 1, 2);
        placeSelectors(*top, used);
        for (int c = 1; c < 2 * kSelectorsPerRow; c += 2) top->setColumnStretch(c, 1);
        box->addLayout(top);
        if (QWidget* w = take("framePlanOrder")) box->addWidget(w);

        auto* middle = new QHBoxLayout;
        auto* schemes = new QVBoxLayout;
        for (const char* name :
             {"lblProject", "tlbProject", "lvwProject", "chkShowByBeforeProject"})
            if (QWidget* w = take(name))
                schemes->addWidget(w, std::string(name) == "lvwProject" ? 1 : 0);
        auto* schemePane = new QWidget;
        schemePane->setLayout(schemes);
        schemes->setContentsMargins(0, 0, 0, 0);
        schemePane->setFixedWidth(kSchemePaneWidth);
        middle->addWidget(schemePane);
        if (QWidget* w = take("SSTab1")) middle->addWidget(w, 1);
        box->addLayout(middle, 1);

        QWidget* ok = take("cmdOk");
        QWidget* cancel = take("cmdCancel");
        // Whatever else the form holds, in creation order.
        for (const Control* c : children(nullptr))
            if (!used.count(c)) box->addWidget(widget(c), Stretches(*c) ? 1 : 0);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
        box->addLayout(buttons);
    }

private:
    const ui::Form& form_;
    const Widgets& widgets_;
};

}  // namespace

void LayOutForm(const ui::Form& form, QDialog& dialog, const Widgets& widgets) {
    Layouter layouter(form, widgets);
    layouter.fillContainers();
    if (layouter.isFilterDialog()) {
        layouter.filterDialog(dialog);
        dialog.resize(960, 620);
    } else {
        layouter.generic(dialog);
        dialog.adjustSize();
        dialog.resize(std::max(dialog.width(), 360), dialog.height());
    }
}

}  // namespace qelt::qt
