#include "qelt/ui/presenter.h"

#include "platform/process_state.h"

namespace qelt::ui {

namespace {
// The process's presenter; a reset of the process state removes it.
std::shared_ptr<Presenter>& Current() {
    return platform::ProcessState<std::shared_ptr<Presenter>, platform::StateLayer::Ui>();
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
