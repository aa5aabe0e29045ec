#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "qelt/export.h"

// Toolkit-free control models. A model holds exactly the state the dialog
// rules read and write, and fires the events those rules handle. Two kinds of
// callers change a model:
//
//  - the rules (and the form that owns the controls) through setters. A
//    setter fires an event only where the real control does so for a change
//    made by code; each setter's comment says which.
//  - a person, through the user actions (`click`, `select`, `type`, `moveTo`,
//    ...). A front end turns widget input into these calls and a test calls
//    them directly. A user action on a control that is hidden or disabled does
//    nothing and returns false, as a person cannot reach such a control.
//
// Events are handler slots (public std::function members named `on...`),
// set by the rules. An empty slot is skipped. Handlers run synchronously,
// before the action goes on; they may call any setter of any control
// (re-entrancy is expected: a check-box handler writing its twin box receives
// the event that write causes). After a handler returns the action re-reads
// the state it depends on.
//
// Change notifications are for front ends: an observer learns that a control
// changed after the change is made, with enough detail to redraw only what
// changed. Observers must not change any model; they only redraw.
//
// Controls are owned by their form (or by a test) and are neither copied nor
// moved. Nothing here is thread-safe: everything runs on the host's thread.
namespace qelt::ui {

// The kind of a control: one per control class, named after it.
enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    TextBox,
    ComboBox,
    ListBox,
    ListView,
    Toolbar,
    TabControl,
    Frame,
    Grid
};

// What changed in a control. Rows and columns are those of a grid; `index`
// is an item, button or tab position (0-based) where one item changed.
struct Change {
    // What kind of change it was; the comment of each says which other
    // members it sets.
    enum class What {
        Visible,       // visible()
        Enabled,       // enabled()
        Caption,       // caption() of a label, button, check box or frame
        Value,         // check box value, text box text
        Items,         // the item list (combo, list box, list view, toolbar buttons, tabs) or
                       // the one item at `index` when index >= 0
        Selection,     // listIndex(), selectedKey(), current(), view()
        Cells,         // grid: texts or cell settings in rows row..row2, columns col..col2
        RowsInserted,  // grid: `count` blank rows inserted at `row`; the last `count` rows
                       // fell off the end (maxRows() is unchanged)
        RowsRemoved,   // grid: `count` rows removed at `row`; as many blank rows were
                       // appended at the end (maxRows() is unchanged)
        Size,          // grid: maxRows() or maxCols() changed (row, col = the new counts,
                       // row2, col2 = the previous ones), or a column was hidden or shown
                       // (all four = the unchanged counts)
        ActiveCell,    // grid: the active cell is now (row, col)
        EditMode,      // grid: editMode()
        All,           // anything may have changed: redraw the whole control
        ToolTip,       // toolTip()
        Hint           // grid: hint()
    };
    What what = What::All;  // the kind of change
    int index = -1;         // the item, button or tab concerned; -1 for none
    // The cells concerned: rows row..row2, columns col..col2 (or as What says).
    // @{
    int row = 0;
    int col = 0;
    int row2 = 0;
    int col2 = 0;
    // @}
    int count = 0;  // rows inserted or removed
};

class Control;
// Called after a control changed, with the control and the change.
using Observer = std::function<void(const Control&, const Change&)>;

// The base of every control: name, visibility, enabling, tool tip, key
// preview, place in a container and change notifications. The rules every
// control follows head this header (control.h).
class QELT_EXPORT Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The kind and the name, fixed at construction; names are unique within
    // a form.
    // @{
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // @}

    // Whether the control is shown and whether it takes input; both true at
    // first. Neither setter fires an event; both notify observers when the
    // value changes.
    // @{
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // @}

    // The text a front end shows when the pointer rests on the control. No
    // event; notifies observers when it changes.
    // @{
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(std::string toolTip);
    // @}

    // Free text the rules may keep with a control; no event, no notification.
    // @{
    const std::string& tag() const { return tag_; }
    void setTag(std::string tag) { tag_ = std::move(tag); }
    // @}

    // Key preview, installed by the form that owns the control. A user action
    // that delivers keys (TextBox::type, Grid::key) runs the preview before
    // the control's own key event: the preview may change the key or set it
    // to 0, which discards it (the control's own event then does not run).
    // @{
    std::function<void(int& keyAscii)> previewKeyPress;
    std::function<void(int& keyCode, int shift)> previewKeyDown;
    // @}

    // The frame or tab control the control sits in (null when on the form
    // itself) and, in a tab control, the tab (-1 otherwise). Set by
    // Form::place. A person reaches a control only when it and every
    // container are visible and enabled and, in a tab control, its tab is
    // the current one.
    // @{
    const Control* container() const { return container_; }
    int containerTab() const { return containerTab_; }
    // @}
    // True when a person can reach the control (see container()).
    bool reachable() const;
    // Whether the control takes the focus (Form::focusNext, a front end's
    // focus): labels, frames and tab controls do not.
    bool takesFocus() const;

    // Registers an observer; returns its id (> 0) for unsubscribe. Observers
    // are called in the order they subscribed. Unsubscribing inside a
    // notification is allowed; the removed observer is not called again.
    int subscribe(Observer observer);
    // Removes the observer with that id; an unknown id is ignored.
    void unsubscribe(int id);

protected:
    // A visible, enabled control of `kind` named `name`, in no container.
    Control(ControlKind kind, std::string name);
    // Calls every observer; a grid with drawing suspended defers this.
    virtual void notify(const Change& change) const;
    // Calls every observer now, whatever notify defers.
    void notifyNow(const Change& change) const;

private:
    friend class Form;
    ControlKind kind_;
    std::string name_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string tag_;
    std::string toolTip_;
    const Control* container_ = nullptr;
    int containerTab_ = -1;
    int nextObserverId_ = 1;
    std::vector<std::pair<int, Observer>> observers_;
};

}  // namespace qelt::ui
