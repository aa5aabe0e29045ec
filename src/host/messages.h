#pragma once

#include <string>
#include <vector>

#include "qelt/host/messages.h"

namespace qelt::host {

// The title of every message of the library that names none.
inline constexpr const char* kMessageTitle = "Vostrel提示";

// Shows one message through a new message component instance (which routes
// it to the host's sink) and returns the button chosen (1 = OK / Yes).
// An empty title means the component's default title.
int ShowMessage(const std::string& text, int icon = kIconNone, int buttons = kButtonsOk,
                const std::string& title = "");

}  // namespace qelt::host
