#include "support/shared_settings.h"

#include "platform/process_state.h"

namespace qelt::support {

SharedSettings& Shared() {
    return platform::ProcessState<SharedSettings, platform::StateLayer::Support>();
}

void ResetProcessState() {
    platform::ResetProcessState();
}

}  // namespace qelt::support
