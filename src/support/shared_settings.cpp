#include "support/shared_settings.h"

#include "host/host_config.h"
#include "qelt/ui/presenter.h"
#include "support/process_state.h"

namespace qelt::support {

SharedSettings& Shared() {
    static SharedSettings settings;
    return settings;
}

void ResetProcessState() {
    Shared() = SharedSettings{};
    detail::ResetSessionEnv();
    detail::ResetLanguage();
    host::ResetHostConfig();
    ui::SetPresenter(nullptr);
}

}  // namespace qelt::support
