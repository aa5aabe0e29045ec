#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "qelt/export.h"
#include "qelt/ui/controls.h"
#include "qelt/ui/grid.h"

// A dialog: its controls by name, its lifecycle, its focus and its key
// preview. The dialog rules build a Form, set its event slots and those of
// its controls; a Presenter (presenter.h) shows it. See control.h for the
// rules every control follows.
namespace qelt::ui {

// A dialog's controls, lifecycle, focus and key preview (this header's
// comment says how the dialog rules and a presenter use it).
class QELT_EXPORT Form {
public:
    // An empty form named `name`: not loaded, not shown, no caption.
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The name given at creation.
    const std::string& name() const { return name_; }
    // The window's title; setting it notifies the observers.
    // @{
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // @}

    // The key under which a front end remembers what a person arranged on
    // the window (its size, the position of a divider) from one show to the
    // next; forms with the same key share it. Empty (the start value): the
    // window opens as designed each time. No event; not part of Dump.
    // @{
    const std::string& windowKey() const { return windowKey_; }
    void setWindowKey(std::string key) { windowKey_ = std::move(key); }
    // @}

    // --- controls ---------------------------------------------------------
    // Creates a control owned by the form. Names are unique within a form:
    // a name already used raises Error 35602 ("Key is not unique in
    // collection"). The key preview hooks of the control are installed.
    template <class T>
    T& add(std::string name) {
        auto control = std::make_unique<T>(std::move(name));
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }
    // Puts `control` in the frame or tab control `container` (on tab `tab`
    // of a tab control; -1 otherwise). Raises Error 340 for an unknown name
    // or a container that is neither a frame nor a tab control.
    void place(const std::string& control, const std::string& container, int tab = -1);

    // Controls in the order they were added.
    const std::vector<Control*>& controls() const { return order_; }
    // The control named `name`, or null.
    Control* find(const std::string& name) const;
    // The control named `name` of that kind; raises Error 340 ("Control
    // array element '<name>' doesn't exist") when there is none.
    // @{
    Grid& grid(const std::string& name) const;
    ComboBox& combo(const std::string& name) const;
    CheckBox& check(const std::string& name) const;
    TextBox& text(const std::string& name) const;
    CommandButton& button(const std::string& name) const;
    Label& label(const std::string& name) const;
    ListView& listView(const std::string& name) const;
    Toolbar& toolbar(const std::string& name) const;
    ListBox& listBox(const std::string& name) const;
    TabControl& tabs(const std::string& name) const;
    Frame& frame(const std::string& name) const;
    // @}

    // --- lifecycle --------------------------------------------------------
    // Whether the form is loaded (load() ran and no unload() since).
    bool loaded() const { return loaded_; }
    // Whether the form is on screen (show() ran and no hide() or unload() since).
    bool shown() const { return shown_; }
    // Loads the form once: onLoad fires the first time only.
    void load();
    // Loads the form, shows it and fires onActivate (a presenter calls this
    // when it puts the form on screen).
    void show();
    // Hides the form; fires nothing. A modal presenter returns.
    void hide();
    // onQueryUnload(cancel) and then onUnload(cancel) fire; unless a handler
    // cancels, the form is hidden and unloaded (a later load() fires onLoad
    // again). False when cancelled or not loaded. By code, and also what a
    // front end calls when the person closes the window.
    bool unload();

    // A derived form's constructor is its initialisation (it runs before the
    // caller sets any property) and its destructor its termination.
    // onLoad fires on the first load().
    std::function<void()> onLoad;
    // Fires when show() puts the form on screen.
    std::function<void()> onActivate;
    // Fire, in this order, when the form is to be unloaded; setting `cancel`
    // keeps it loaded.
    // @{
    std::function<void(bool& cancel)> onQueryUnload;
    std::function<void(bool& cancel)> onUnload;
    // @}

    // --- focus and keys ---------------------------------------------------
    // The control that has the focus, or null.
    Control* focused() const { return focused_; }
    // By code: fires nothing. False for an unknown name.
    bool setFocus(const std::string& name);
    // User action: the person moves the focus to `name`. When the focus
    // leaves a grid, the grid's leave() runs first; if its LeaveCell handler
    // cancels, the focus stays and the result is false. False also for an
    // unknown or unreachable control, or when the form is not shown.
    bool focus(const std::string& name);

    // Moves the focus as the Tab key does: to the next control after the
    // focused one, in the order added and wrapping round, that a person can
    // reach and that takes the focus (Control::takesFocus), through
    // focus(). False when there is none or the move was refused.
    bool focusNext();

    // When set, the form sees every key before the focused control:
    // onKeyDown before the control's KeyDown, onKeyPress before its
    // KeyPress, each able to change the key or discard it (0).
    // @{
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    // @}
    // The form's preview of a key going down (its code and the Shift, Ctrl,
    // Alt bits); set `keyCode` to 0 to discard it.
    std::function<void(int& keyCode, int shift)> onKeyDown;
    // The form's preview of a typed character; set `keyAscii` to 0 to
    // discard it.
    std::function<void(int& keyAscii)> onKeyPress;

    // User action: a key goes down while the form is shown. KeyDown goes to
    // the form's preview and then to the focused grid (Grid::key). Keys that
    // produce a character without text (Backspace 8, Enter 13, Escape 27)
    // then go through KeyPress: into the focused text box (TextBox::type)
    // or, when no text box has the focus, to the form's preview alone.
    // False when the form is not shown.
    //
    // Key codes and characters are different numbers for the same key
    // ("'" is typed with the key whose code is 222; code 39 is the Right
    // arrow), so only those three keys pass KeyPress here: every other
    // character, quotes included, arrives through type().
    bool key(int keyCode, int shift = 0);
    // User action: the person types `chars` with the focus where it is.
    // A focused text box takes them (TextBox::type, with the form's preview);
    // elsewhere each character passes the form's KeyPress preview only.
    // False when the form is not shown.
    bool type(const std::string& chars);

    // --- notifications ----------------------------------------------------
    // For front ends: fires after the caption, shown(), loaded() or the
    // focus changed. Controls notify through their own observers.
    // Returns the id that unsubscribe() takes.
    int subscribe(std::function<void(const Form&)> observer);
    // Stops the observer of that id; an unknown id does nothing.
    void unsubscribe(int id);

private:
    void adopt(std::unique_ptr<Control> control);
    template <class T>
    T& kindOf(const std::string& name, ControlKind kind) const;
    void changed();

    std::string name_;
    std::string caption_;
    std::string windowKey_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> order_;
    std::unordered_map<std::string, Control*> byName_;
    Control* focused_ = nullptr;
    bool loaded_ = false;
    bool shown_ = false;
    bool keyPreview_ = false;
    int nextObserverId_ = 1;
    std::vector<std::pair<int, std::function<void(const Form&)>>> observers_;
};

// The whole form as text: "Form <name> \"caption\"" with " loaded", " shown"
// and " focus=<control>" as they hold, then the Dump of every control in
// the order added, then one line "  <control> in <container>" (with
// " tab <n>" for a tab control) per placed control.
QELT_EXPORT std::string Dump(const Form& form);

}  // namespace qelt::ui
