#include "platform/process_state.h"

#include <map>
#include <vector>

namespace qelt::platform {

namespace {

struct Resets {
    std::map<StateLayer, std::vector<std::function<void()>>> byLayer;
};

// Not a ProcessState itself: the list of resets lives as long as the state
// it resets, and a reset never forgets it.
Resets& AllResets() {
    static Resets resets;
    return resets;
}

}  // namespace

void RegisterStateReset(StateLayer layer, std::function<void()> reset) {
    AllResets().byLayer[layer].push_back(std::move(reset));
}

void ResetProcessState() {
    auto& byLayer = AllResets().byLayer;
    for (auto layer = byLayer.rbegin(); layer != byLayer.rend(); ++layer) {
        // By index: a reset may use state that registers itself now.
        for (std::size_t i = layer->second.size(); i > 0; --i) {
            auto reset = layer->second[i - 1];
            reset();
        }
    }
}

}  // namespace qelt::platform
