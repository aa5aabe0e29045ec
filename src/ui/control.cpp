#include "qelt/ui/control.h"

#include <algorithm>

#include "qelt/ui/controls.h"

namespace qelt::ui {

Control::Control(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

Control::~Control() = default;

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notify({.what = Change::What::Visible});
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    notify({.what = Change::What::Enabled});
}

void Control::setToolTip(std::string toolTip) {
    if (toolTip_ == toolTip) return;
    toolTip_ = std::move(toolTip);
    notify({.what = Change::What::ToolTip});
}

bool Control::reachable() const {
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_ || !c->enabled_) return false;
        if (c->containerTab_ >= 0 &&
            static_cast<const TabControl*>(c->container_)->current() != c->containerTab_)
            return false;
    }
    return true;
}

bool Control::takesFocus() const {
    return kind_ != ControlKind::Label && kind_ != ControlKind::Frame &&
           kind_ != ControlKind::TabControl;
}

int Control::subscribe(Observer observer) {
    const int id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void Control::unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Control::notify(const Change& change) const {
    notifyNow(change);
}

void Control::notifyNow(const Change& change) const {
    if (observers_.empty()) return;
    // Observers may unsubscribe while being called: walk a copy of the ids and
    // skip those gone since.
    std::vector<int> ids;
    ids.reserve(observers_.size());
    for (const auto& entry : observers_) ids.push_back(entry.first);
    for (int id : ids) {
        auto it = std::find_if(observers_.begin(), observers_.end(),
                               [id](const auto& entry) { return entry.first == id; });
        if (it == observers_.end()) continue;
        Observer observer = it->second;
        observer(*this, change);
    }
}

}  // namespace qelt::ui
