#include "qelt/ui/controls.h"

#include <algorithm>

#include "platform/text.h"
#include "qelt/error.h"
#include "ui/utf8.h"

namespace qelt::ui {

namespace {

constexpr int kErrInvalidValue = 380;
constexpr int kErrInvalidIndex = 381;
constexpr int kErrElementNotFound = 35601;
constexpr int kErrKeyNotUnique = 35602;
constexpr const char* kInvalidValue = "Invalid property value";
constexpr const char* kInvalidIndex = "Invalid property array index";
constexpr const char* kElementNotFound = "Element not found";
constexpr const char* kKeyNotUnique = "Key is not unique in collection";

void Fire(const std::function<void()>& handler) {
    if (handler) handler();
}

bool ValidIndex(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

void Label::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify({.what = Change::What::Caption});
}

void Frame::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify({.what = Change::What::Caption});
}

void CommandButton::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify({.what = Change::What::Caption});
}

bool CommandButton::click() {
    if (!reachable()) return false;
    Fire(onClick);
    return true;
}

// --- CheckBox ---------------------------------------------------------------

void CheckBox::setCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    notify({.what = Change::What::Caption});
}

void CheckBox::setValue(int value) {
    const int v = value != 0 ? 1 : 0;
    if (v == value_) return;
    value_ = v;
    notify({.what = Change::What::Value});
    Fire(onClick);
}

bool CheckBox::click() {
    if (!reachable()) return false;
    value_ = 1 - value_;
    notify({.what = Change::What::Value});
    Fire(onClick);
    return true;
}

// --- TextBox ----------------------------------------------------------------

void TextBox::setText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    notify({.what = Change::What::Value});
    Fire(onChange);
}

void TextBox::setMaxLength(int chars) {
    maxLength_ = std::max(0, chars);
}

bool TextBox::type(const std::string& chars) {
    if (!reachable()) return false;
    for (int code : utf8::CodePoints(chars)) {
        if (previewKeyPress) previewKeyPress(code);
        if (code == 0) continue;
        if (onKeyPress) onKeyPress(code);
        if (code == 0) continue;
        if (code == kKeyBackspace) {
            if (text_.empty()) continue;
            text_ = text::Left(text_, text::CharCount(text_) - 1);
            notify({.what = Change::What::Value});
            Fire(onChange);
            continue;
        }
        // A one-line box takes no control characters (Enter, Tab, Escape).
        if (code < 32) continue;
        if (maxLength_ > 0 && text::CharCount(text_) >= static_cast<std::size_t>(maxLength_))
            continue;
        text_ += utf8::Encode(code);
        notify({.what = Change::What::Value});
        Fire(onChange);
    }
    return true;
}

bool TextBox::erase() {
    if (!reachable()) return false;
    if (text_.empty()) return true;
    text_.clear();
    notify({.what = Change::What::Value});
    Fire(onChange);
    return true;
}

// --- ComboBox / ListBox -----------------------------------------------------

std::string ComboBox::text() const {
    return index_ >= 0 ? items_[index_] : std::string();
}

void ComboBox::addItem(std::string item) {
    items_.push_back(std::move(item));
    notify({.what = Change::What::Items});
}

void ComboBox::setItem(int index, std::string item) {
    if (!ValidIndex(index, items_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    items_[index] = std::move(item);
    notify({.what = Change::What::Items, .index = index});
}

void ComboBox::clear() {
    items_.clear();
    index_ = -1;
    notify({.what = Change::What::Items});
}

void ComboBox::setListIndex(int index) {
    if (index != -1 && !ValidIndex(index, items_.size()))
        throw Error(kErrInvalidValue, name(), kInvalidValue);
    if (index == index_) return;
    index_ = index;
    notify({.what = Change::What::Selection});
    Fire(onClick);
}

bool ComboBox::select(int index) {
    if (!reachable() || !ValidIndex(index, items_.size())) return false;
    if (index != index_) {
        index_ = index;
        notify({.what = Change::What::Selection});
    }
    Fire(onClick);
    return true;
}

bool ListBox::doubleClick() {
    if (!reachable()) return false;
    Fire(onDblClick);
    return true;
}

bool ListBox::doubleClick(int index) {
    if (!select(index)) return false;
    Fire(onDblClick);
    return true;
}

// --- ListView ---------------------------------------------------------------

int ListView::find(const std::string& key) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].key == key) return static_cast<int>(i);
    return -1;
}

void ListView::addItem(ListItem item) {
    if (find(item.key) >= 0) throw Error(kErrKeyNotUnique, name(), kKeyNotUnique);
    items_.push_back(std::move(item));
    notify({.what = Change::What::Items});
}

bool ListView::setItemText(const std::string& key, std::string text) {
    const int i = find(key);
    if (i < 0) return false;
    items_[i].text = std::move(text);
    notify({.what = Change::What::Items, .index = i});
    return true;
}

bool ListView::removeItem(const std::string& key) {
    const int i = find(key);
    if (i < 0) return false;
    items_.erase(items_.begin() + i);
    if (selectedKey_ == key) selectedKey_.clear();
    notify({.what = Change::What::Items});
    return true;
}

void ListView::clear() {
    items_.clear();
    selectedKey_.clear();
    notify({.what = Change::What::Items});
}

bool ListView::setSelectedKey(const std::string& key) {
    if (!key.empty() && find(key) < 0) return false;
    if (selectedKey_ != key) {
        selectedKey_ = key;
        notify({.what = Change::What::Selection});
    }
    return true;
}

void ListView::setView(int view) {
    if (view < 0 || view > 3) throw Error(kErrInvalidValue, name(), kInvalidValue);
    if (view_ == view) return;
    view_ = view;
    notify({.what = Change::What::Selection});
}

void ListView::addColumnHeader(std::string text) {
    headers_.push_back(std::move(text));
    notify({.what = Change::What::Items});
}

void ListView::setColumnHeader(int index, std::string text) {
    if (!ValidIndex(index, headers_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    headers_[index] = std::move(text);
    notify({.what = Change::What::Items});
}

bool ListView::click(const std::string& key) {
    if (!reachable() || find(key) < 0) return false;
    setSelectedKey(key);
    if (onItemClick) onItemClick(key);
    return true;
}

// --- Toolbar ----------------------------------------------------------------

const ToolButton* Toolbar::button(const std::string& key) const {
    for (const auto& b : buttons_)
        if (b.key == key) return &b;
    return nullptr;
}

ToolButton& Toolbar::find(const std::string& key) {
    for (auto& b : buttons_)
        if (b.key == key) return b;
    throw Error(kErrElementNotFound, name(), kElementNotFound);
}

void Toolbar::addButton(std::string key, std::string toolTip) {
    if (button(key)) throw Error(kErrKeyNotUnique, name(), kKeyNotUnique);
    ToolButton b;
    b.key = std::move(key);
    b.toolTip = std::move(toolTip);
    buttons_.push_back(std::move(b));
    notify({.what = Change::What::Items});
}

namespace {
int PositionOf(const std::vector<ToolButton>& buttons, const ToolButton& b) {
    return static_cast<int>(&b - buttons.data());
}
}  // namespace

void Toolbar::setToolTip(const std::string& key, std::string toolTip) {
    ToolButton& b = find(key);
    b.toolTip = std::move(toolTip);
    notify({.what = Change::What::Items, .index = PositionOf(buttons_, b)});
}

void Toolbar::setButtonEnabled(const std::string& key, bool enabled) {
    ToolButton& b = find(key);
    b.enabled = enabled;
    notify({.what = Change::What::Items, .index = PositionOf(buttons_, b)});
}

void Toolbar::setButtonVisible(const std::string& key, bool visible) {
    ToolButton& b = find(key);
    b.visible = visible;
    notify({.what = Change::What::Items, .index = PositionOf(buttons_, b)});
}

void Toolbar::setButtonTag(const std::string& key, std::string tag) {
    find(key).tag = std::move(tag);
}

void Toolbar::addMenuItem(const std::string& key, std::string text) {
    ToolButton& b = find(key);
    b.menu.push_back(std::move(text));
    notify({.what = Change::What::Items, .index = PositionOf(buttons_, b)});
}

void Toolbar::setMenuItem(const std::string& key, int index, std::string text) {
    ToolButton& b = find(key);
    if (!ValidIndex(index, b.menu.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    b.menu[index] = std::move(text);
    notify({.what = Change::What::Items, .index = PositionOf(buttons_, b)});
}

bool Toolbar::click(const std::string& key) {
    const ToolButton* b = button(key);
    if (!reachable() || !b || !b->enabled || !b->visible) return false;
    if (onButtonClick) onButtonClick(key);
    return true;
}

bool Toolbar::menuClick(const std::string& key, int index) {
    const ToolButton* b = button(key);
    if (!reachable() || !b || !b->enabled || !b->visible || !ValidIndex(index, b->menu.size()))
        return false;
    if (onButtonMenuClick) onButtonMenuClick(key, index);
    return true;
}

// --- TabControl -------------------------------------------------------------

void TabControl::addTab(std::string caption) {
    Tab t;
    t.caption = std::move(caption);
    tabs_.push_back(std::move(t));
    notify({.what = Change::What::Items});
}

void TabControl::setTabCaption(int tab, std::string caption) {
    if (!ValidIndex(tab, tabs_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    tabs_[tab].caption = std::move(caption);
    notify({.what = Change::What::Items, .index = tab});
}

void TabControl::setTabEnabled(int tab, bool enabled) {
    if (!ValidIndex(tab, tabs_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    tabs_[tab].enabled = enabled;
    notify({.what = Change::What::Items, .index = tab});
}

void TabControl::setTabVisible(int tab, bool visible) {
    if (!ValidIndex(tab, tabs_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    tabs_[tab].visible = visible;
    notify({.what = Change::What::Items, .index = tab});
}

void TabControl::setCurrent(int tab) {
    if (!ValidIndex(tab, tabs_.size())) throw Error(kErrInvalidIndex, name(), kInvalidIndex);
    if (tab == current_) return;
    const int previous = current_;
    current_ = tab;
    notify({.what = Change::What::Selection});
    if (onClick) onClick(previous);
}

bool TabControl::select(int tab) {
    if (!reachable() || !ValidIndex(tab, tabs_.size())) return false;
    if (!tabs_[tab].enabled || !tabs_[tab].visible) return false;
    setCurrent(tab);
    return true;
}

}  // namespace qelt::ui
