#pragma once

#include <functional>
#include <utility>

// Every piece of process-wide state of the library is a ProcessState<T>:
// one T per process, value-initialised on first use, and registered with one
// reset at that moment. There is no other way to hold state for the process,
// so the reset cannot miss any.
namespace qelt::platform {

// The layer a piece of state belongs to. A reset runs the upper layers
// first, so that state released there (a process-lived component, the
// facade's connection) still finds the lower layers' state in place.
enum class StateLayer { Platform, Ui, Host, Support, Editing, Public };

void RegisterStateReset(StateLayer layer, std::function<void()> reset);

// Returns every piece of state that was used to its initial value. The old
// values are destroyed after the new ones are in place, so a destructor that
// reaches back into the library sees fresh state, never a half-reset one.
void ResetProcessState();

template <class T, StateLayer Layer>
T& ProcessState() {
    static T value{};
    static const bool registered =
        (RegisterStateReset(Layer, [] { [[maybe_unused]] T old = std::exchange(value, T{}); }),
         true);
    (void)registered;
    return value;
}

}  // namespace qelt::platform
