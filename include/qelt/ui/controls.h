#pragma once

#include <functional>
#include <string>
#include <vector>

#include "qelt/export.h"
#include "qelt/ui/control.h"

// The simple controls of a dialog. See control.h for the rules every control
// follows (setters, user actions, events, notifications). Item positions are
// 0-based; -1 means "no item". Texts are UTF-8; lengths count code points.
namespace qelt::ui {

// Key codes delivered by key actions (the Windows virtual-key codes the rules
// compare with).
inline constexpr int kKeyBackspace = 8;  // Backspace
inline constexpr int kKeyEnter = 13;     // Enter
inline constexpr int kKeyEscape = 27;    // Escape
inline constexpr int kKeyDelete = 46;    // Delete
inline constexpr int kKeyF7 = 118;       // F7, the look-up key

// A text on the form.
class QELT_EXPORT Label : public Control {
public:
    // An empty label named `name` (Form::add makes one).
    explicit Label(std::string name) : Control(ControlKind::Label, std::move(name)) {}
    // The caption. Setting it fires no event; observers hear of a change.
    // @{
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // @}

private:
    std::string caption_;
};

// A box with a caption that holds other controls (Form::place).
class QELT_EXPORT Frame : public Control {
public:
    // An empty frame named `name` (Form::add makes one).
    explicit Frame(std::string name) : Control(ControlKind::Frame, std::move(name)) {}
    // The caption. Setting it fires no event; observers hear of a change.
    // @{
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // @}

private:
    std::string caption_;
};

// A push button.
class QELT_EXPORT CommandButton : public Control {
public:
    // A button named `name` without caption (Form::add makes one).
    explicit CommandButton(std::string name)
        : Control(ControlKind::CommandButton, std::move(name)) {}
    // The caption. Setting it fires no event; observers hear of a change.
    // @{
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // @}

    // User action: fires onClick. False (nothing fired) when unreachable.
    bool click();

    // Event: the button was pressed.
    std::function<void()> onClick;

private:
    std::string caption_;
};

// A box a person ticks and unticks.
class QELT_EXPORT CheckBox : public Control {
public:
    // An unticked box named `name` without caption (Form::add makes one).
    explicit CheckBox(std::string name) : Control(ControlKind::CheckBox, std::move(name)) {}
    // The caption. Setting it fires no event; observers hear of a change.
    // @{
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // @}

    // 1 ticked, 0 not ticked.
    int value() const { return value_; }
    // Any value other than 0 is stored as 1. Fires onClick when the value
    // changes (a check box fires Click for a change made by code).
    void setValue(int value);

    // User action: toggles the value, then fires onClick. False (nothing
    // changed) when unreachable.
    bool click();

    // Event: the value changed, by a click or by code; value() is the new one.
    std::function<void()> onClick;

private:
    std::string caption_;
    int value_ = 0;
};

// A one-line text field.
class QELT_EXPORT TextBox : public Control {
public:
    // An empty text box named `name`, without limit (Form::add makes one).
    explicit TextBox(std::string name) : Control(ControlKind::TextBox, std::move(name)) {}
    // The text, UTF-8.
    const std::string& text() const { return text_; }
    // Fires onChange when the text changes (a text box fires Change for a
    // change made by code). The text is stored as given, even beyond
    // maxLength (the limit binds only typing).
    void setText(std::string text);

    // Most characters a person can type; 0 = no limit (a negative value is
    // stored as 0). No event, no notification.
    // @{
    int maxLength() const { return maxLength_; }
    void setMaxLength(int chars);
    // @}

    // User action: types `chars` at the end of the text, one character (code
    // point) at a time. For each: previewKeyPress, then onKeyPress, each with
    // the character's code and each able to replace it or discard it (0);
    // a surviving character is appended unless the text already holds
    // maxLength characters, and then onChange fires. A surviving backspace
    // (8) removes the last character (onChange fires when there was one);
    // other control characters (Enter 13, Escape 27, ...) reach the key
    // handlers but change nothing. False when unreachable.
    bool type(const std::string& chars);
    // User action: the person deletes the whole text; onChange fires when
    // there was text.
    bool erase();

    // Event: a typed character, before it is added; the handler may replace
    // it or discard it (0).
    std::function<void(int& keyAscii)> onKeyPress;
    // Event: the text changed, by typing or by code.
    std::function<void()> onChange;

private:
    std::string text_;
    int maxLength_ = 0;
};

// A drop-down list (the person can only pick an item). text() is the
// selected item, or empty when nothing is selected.
class QELT_EXPORT ComboBox : public Control {
public:
    // An empty list named `name`, nothing selected (Form::add makes one).
    explicit ComboBox(std::string name) : ComboBox(ControlKind::ComboBox, std::move(name)) {}

    // The items in order, and how many there are.
    // @{
    const std::vector<std::string>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    // @}
    // The selected item's position, -1 for none.
    int listIndex() const { return index_; }
    // The selected item's text; empty when nothing is selected.
    std::string text() const;

    // Appends an item; no event. The selection is kept.
    void addItem(std::string item);
    // Replaces the text of item `index`; raises Error 381 for a bad index.
    void setItem(int index, std::string item);
    // Removes every item; the selection becomes -1 without an event.
    void clear();
    // Selection by code: -1 or a valid index, else raises Error 380
    // ("Invalid property value"). Fires onClick when the index changes.
    void setListIndex(int index);

    // User action: the person picks item `index` (0 .. listCount()-1). The
    // selection is set and onClick fires, also when the item was already
    // selected. False (nothing fired) for a bad index or when unreachable.
    bool select(int index);

    // Event: an item was picked, or the selection changed by code.
    std::function<void()> onClick;

protected:
    // For ListBox, which shares the list and selection rules.
    ComboBox(ControlKind kind, std::string name) : Control(kind, std::move(name)) {}

private:
    std::vector<std::string> items_;
    int index_ = -1;
};

// A list box: the list and selection rules of ComboBox, plus double-click.
class QELT_EXPORT ListBox : public ComboBox {
public:
    // An empty list box named `name`, nothing selected (Form::add makes one).
    explicit ListBox(std::string name) : ComboBox(ControlKind::ListBox, std::move(name)) {}

    // User action: the person double-clicks the selected item (or the empty
    // area when nothing is selected): fires onDblClick.
    bool doubleClick();
    // User action: the person double-clicks item `index`: select(index)
    // (its Click), then onDblClick.
    bool doubleClick(int index);

    // Event: the person double-clicked.
    std::function<void()> onDblClick;
};

// One item of a list view.
struct ListItem {
    std::string key;    // unique within the list view, compared exactly
    std::string text;   // the text shown
    int icon = 0;       // the icon's number in the large-icon view
    int smallIcon = 0;  // the icon's number in the other views
};

// A list of keyed items with icons, one of which may be selected.
class QELT_EXPORT ListView : public Control {
public:
    // An empty list view named `name` showing large icons (Form::add makes one).
    explicit ListView(std::string name) : Control(ControlKind::ListView, std::move(name)) {}

    // The items in the order added.
    const std::vector<ListItem>& items() const { return items_; }
    // Position of the item with `key` (compared exactly), or -1.
    int find(const std::string& key) const;
    // Adds an item; raises Error 35602 ("Key is not unique in collection")
    // when the key is already used. No event.
    void addItem(ListItem item);
    // Changes the text of the item with `key`; false when there is none.
    bool setItemText(const std::string& key, std::string text);
    // Removes the item with `key` (clearing the selection when it was
    // selected); false when there is none.
    bool removeItem(const std::string& key);
    // Removes every item and the selection; no event.
    void clear();

    // Key of the selected item, empty when none.
    const std::string& selectedKey() const { return selectedKey_; }
    // Selection by code; fires nothing. False (selection unchanged) when no
    // item has `key`; an empty key clears the selection.
    bool setSelectedKey(const std::string& key);

    // 0 large icons, 1 small icons, 2 list, 3 details. Values outside 0..3
    // raise Error 380. No event.
    // @{
    int view() const { return view_; }
    void setView(int view);
    // @}

    // The column headers of the details view, in order; adding one fires
    // no event.
    // @{
    const std::vector<std::string>& columnHeaders() const { return headers_; }
    void addColumnHeader(std::string text);
    // @}
    // Replaces the text of header `index`; raises Error 381 for a bad index.
    void setColumnHeader(int index, std::string text);

    // User action: the person clicks the item with `key`: it becomes
    // selected and onItemClick fires with its key. False for an unknown key.
    bool click(const std::string& key);

    // Event: the person clicked the item with `key`, now selected.
    std::function<void(const std::string& key)> onItemClick;

private:
    std::vector<ListItem> items_;
    std::vector<std::string> headers_;
    std::string selectedKey_;
    int view_ = 0;
};

// One button of a toolbar.
struct ToolButton {
    std::string key;                // unique within the toolbar, compared exactly
    std::string toolTip;            // the text shown when the pointer rests on it
    bool enabled = true;            // whether a person can press it
    bool visible = true;            // whether it is shown
    std::string tag;                // free text the rules keep with it
    std::vector<std::string> menu;  // the button's drop-down menu entries
};

// A row of keyed buttons, each with an optional drop-down menu.
class QELT_EXPORT Toolbar : public Control {
public:
    // An empty toolbar named `name` (Form::add makes one).
    explicit Toolbar(std::string name) : Control(ControlKind::Toolbar, std::move(name)) {}

    // The buttons in the order added.
    const std::vector<ToolButton>& buttons() const { return buttons_; }
    // The button with `key`, or null.
    const ToolButton* button(const std::string& key) const;

    // Adds a button; raises Error 35602 for a key already used.
    void addButton(std::string key, std::string toolTip = {});
    // Change the button with `key`: its tool tip, whether it is enabled or
    // visible, its tag, or a menu entry appended. They raise Error 35601
    // ("Element not found") for an unknown key and fire no events.
    // @{
    void setToolTip(const std::string& key, std::string toolTip);
    void setButtonEnabled(const std::string& key, bool enabled);
    void setButtonVisible(const std::string& key, bool visible);
    void setButtonTag(const std::string& key, std::string tag);
    void addMenuItem(const std::string& key, std::string text);
    // @}
    // Replaces the text of entry `index` of the button's menu; raises Error
    // 381 for a bad index.
    void setMenuItem(const std::string& key, int index, std::string text);

    // User actions: the person presses the button, or picks entry `index`
    // (0-based) of its menu. They fire onButtonClick(key) or
    // onButtonMenuClick(key, index); false (nothing fired) when the toolbar
    // or the button is unreachable, or the key or index is unknown.
    // @{
    bool click(const std::string& key);
    bool menuClick(const std::string& key, int index);
    // @}

    // Events: the person pressed the button with `key`, or picked entry
    // `index` of its menu.
    // @{
    std::function<void(const std::string& key)> onButtonClick;
    std::function<void(const std::string& key, int index)> onButtonMenuClick;
    // @}

private:
    ToolButton& find(const std::string& key);
    std::vector<ToolButton> buttons_;
};

// One tab of a tab control.
struct Tab {
    std::string caption;  // the tab's text
    bool enabled = true;  // whether a person can pick it
    bool visible = true;  // whether it is shown
};

// Pages on tabs, one shown at a time; controls sit on a tab (Form::place).
class QELT_EXPORT TabControl : public Control {
public:
    // A tab control named `name` without tabs (Form::add makes one).
    explicit TabControl(std::string name) : Control(ControlKind::TabControl, std::move(name)) {}

    // The tabs in the order added.
    const std::vector<Tab>& tabs() const { return tabs_; }
    // Appends an enabled, visible tab; no event.
    void addTab(std::string caption);
    // Change tab `tab`: its caption, whether it is enabled or visible. They
    // raise Error 381 for a bad tab index and fire no events.
    // @{
    void setTabCaption(int tab, std::string caption);
    void setTabEnabled(int tab, bool enabled);
    void setTabVisible(int tab, bool visible);
    // @}

    // The tab shown, 0-based (0 while there are no tabs).
    int current() const { return current_; }
    // By code: raises Error 381 for a bad index; fires onClick(previous tab)
    // when the tab changes (the tab control fires Click for a change by code).
    void setCurrent(int tab);

    // User action: the person picks tab `tab`. Nothing happens (false) when
    // the control or that tab is unreachable; picking the current tab
    // fires nothing and returns true.
    bool select(int tab);

    // Event: the tab shown changed, by the person or by code; the argument
    // is the tab shown before.
    std::function<void(int previousTab)> onClick;

private:
    std::vector<Tab> tabs_;
    int current_ = 0;
};

}  // namespace qelt::ui
