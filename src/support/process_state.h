#pragma once

// Resets of the support modules' own process-wide state, called by
// ResetProcessState.
namespace qelt::support::detail {

void ResetSessionEnv();
void ResetLanguage();

}  // namespace qelt::support::detail
