#include "qelt/ui/form.h"

#include <algorithm>

#include "qelt/error.h"
#include "ui/utf8.h"

namespace qelt::ui {

namespace {

constexpr int kErrNoControl = 340;
constexpr int kErrKeyNotUnique = 35602;
constexpr const char* kKeyNotUnique = "Key is not unique in collection";

[[noreturn]] void NoControl(const std::string& form, const std::string& name) {
    throw Error(kErrNoControl, form, "Control array element '" + name + "' doesn't exist");
}

}  // namespace

Form::Form(std::string name) : name_(std::move(name)) {}
Form::~Form() = default;

void Form::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed();
}

void Form::adopt(std::unique_ptr<Control> control) {
    if (!byName_.emplace(control->name(), control.get()).second)
        throw Error(kErrKeyNotUnique, name_, kKeyNotUnique);
    control->previewKeyPress = [this](int& keyAscii) {
        if (keyPreview_ && onKeyPress) onKeyPress(keyAscii);
    };
    control->previewKeyDown = [this](int& keyCode, int shift) {
        if (keyPreview_ && onKeyDown) onKeyDown(keyCode, shift);
    };
    order_.push_back(control.get());
    owned_.push_back(std::move(control));
}

void Form::place(const std::string& control, const std::string& container, int tab) {
    Control* c = find(control);
    Control* k = find(container);
    if (!c) NoControl(name_, control);
    if (!k || (k->kind() != ControlKind::Frame && k->kind() != ControlKind::TabControl))
        NoControl(name_, container);
    c->container_ = k;
    c->containerTab_ = k->kind() == ControlKind::TabControl ? std::max(tab, 0) : -1;
}

Control* Form::find(const std::string& name) const {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

template <class T>
T& Form::kindOf(const std::string& name, ControlKind kind) const {
    Control* c = find(name);
    if (!c || c->kind() != kind) NoControl(name_, name);
    return static_cast<T&>(*c);
}

Grid& Form::grid(const std::string& n) const {
    return kindOf<Grid>(n, ControlKind::Grid);
}
ComboBox& Form::combo(const std::string& n) const {
    return kindOf<ComboBox>(n, ControlKind::ComboBox);
}
CheckBox& Form::check(const std::string& n) const {
    return kindOf<CheckBox>(n, ControlKind::CheckBox);
}
TextBox& Form::text(const std::string& n) const {
    return kindOf<TextBox>(n, ControlKind::TextBox);
}
CommandButton& Form::button(const std::string& n) const {
    return kindOf<CommandButton>(n, ControlKind::CommandButton);
}
Label& Form::label(const std::string& n) const {
    return kindOf<Label>(n, ControlKind::Label);
}
ListView& Form::listView(const std::string& n) const {
    return kindOf<ListView>(n, ControlKind::ListView);
}
Toolbar& Form::toolbar(const std::string& n) const {
    return kindOf<Toolbar>(n, ControlKind::Toolbar);
}
ListBox& Form::listBox(const std::string& n) const {
    return kindOf<ListBox>(n, ControlKind::ListBox);
}
TabControl& Form::tabs(const std::string& n) const {
    return kindOf<TabControl>(n, ControlKind::TabControl);
}
Frame& Form::frame(const std::string& n) const {
    return kindOf<Frame>(n, ControlKind::Frame);
}

// --- lifecycle ----------------------------------------------------------------

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    changed();
    if (onLoad) onLoad();
}

void Form::show() {
    load();
    if (!loaded_) return;  // its load handler unloaded it
    if (!shown_) {
        shown_ = true;
        changed();
    }
    if (onActivate) onActivate();
}

void Form::hide() {
    if (!shown_) return;
    shown_ = false;
    changed();
}

bool Form::unload() {
    if (!loaded_) return false;
    bool cancel = false;
    if (onQueryUnload) onQueryUnload(cancel);
    if (cancel) return false;
    if (onUnload) onUnload(cancel);
    if (cancel) return false;
    loaded_ = false;
    shown_ = false;
    focused_ = nullptr;
    changed();
    return true;
}

// --- focus and keys -----------------------------------------------------------

bool Form::setFocus(const std::string& name) {
    Control* c = find(name);
    if (!c) return false;
    if (c != focused_) {
        focused_ = c;
        changed();
    }
    return true;
}

bool Form::focus(const std::string& name) {
    Control* target = find(name);
    if (!shown_ || !target || !target->reachable()) return false;
    if (target == focused_) return true;
    if (focused_ && focused_->kind() == ControlKind::Grid && focused_->reachable() &&
        !static_cast<Grid*>(focused_)->leave())
        return false;
    focused_ = target;
    changed();
    return true;
}

bool Form::focusNext() {
    const auto start = std::find(order_.begin(), order_.end(), focused_);
    const std::size_t n = order_.size();
    std::size_t from =
        start == order_.end() ? n - 1 : static_cast<std::size_t>(start - order_.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        Control* c = order_[(from + step) % n];
        if (!c->takesFocus()) continue;
        if (c->reachable()) return c != focused_ && focus(c->name());
    }
    return false;
}

bool Form::key(int keyCode, int shift) {
    if (!shown_) return false;
    if (focused_ && focused_->kind() == ControlKind::Grid && focused_->reachable()) {
        static_cast<Grid*>(focused_)->key(keyCode, shift);
    } else if (keyPreview_ && onKeyDown) {
        int code = keyCode;
        onKeyDown(code, shift);
    }
    if (!shown_) return true;  // a KeyDown handler closed the form
    if (keyCode != kKeyBackspace && keyCode != kKeyEnter && keyCode != kKeyEscape) return true;
    if (focused_ && focused_->kind() == ControlKind::TextBox && focused_->reachable()) {
        static_cast<TextBox*>(focused_)->type(utf8::Encode(keyCode));
    } else if (keyPreview_ && onKeyPress) {
        int code = keyCode;
        onKeyPress(code);
    }
    return true;
}

bool Form::type(const std::string& chars) {
    if (!shown_) return false;
    if (focused_ && focused_->kind() == ControlKind::TextBox && focused_->reachable()) {
        static_cast<TextBox*>(focused_)->type(chars);
        return true;
    }
    for (int code : utf8::CodePoints(chars))
        if (keyPreview_ && onKeyPress) onKeyPress(code);
    return true;
}

// --- notifications ------------------------------------------------------------

int Form::subscribe(std::function<void(const Form&)> observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Form::unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Form::changed() {
    std::vector<int> ids;
    for (const auto& entry : observers_) ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(observers_.begin(), observers_.end(),
                               [id](const auto& entry) { return entry.first == id; });
        if (it == observers_.end()) continue;
        auto observer = it->second;
        observer(*this);
    }
}

}  // namespace qelt::ui
