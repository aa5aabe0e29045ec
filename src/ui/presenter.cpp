#include "qelt/ui/presenter.h"

namespace qelt::ui {

namespace {
std::shared_ptr<Presenter>& Current() {
    static std::shared_ptr<Presenter> presenter;
    return presenter;
}
}  // namespace

Presenter::~Presenter() = default;

void SetPresenter(std::shared_ptr<Presenter> presenter) {
    Current() = std::move(presenter);
}

std::shared_ptr<Presenter> GetPresenter() {
    return Current();
}

ScriptedPresenter::ScriptedPresenter(std::function<void(Form&)> user) : user_(std::move(user)) {}

void ScriptedPresenter::runModal(Form& form) {
    form.show();
    if (form.shown() && user_) user_(form);
    if (form.shown()) form.key(kKeyEscape);
}

}  // namespace qelt::ui
