#pragma once

#include <string>
#include <vector>

namespace qelt::host {

// The title of every message of the library that names none.
inline constexpr const char* kMessageTitle = "Vostrel提示";

// Message icons and button sets of the message component.
constexpr int kIconNone = 0;
constexpr int kIconCritical = 16;
constexpr int kIconQuestion = 32;
constexpr int kIconExclamation = 48;
constexpr int kIconInformation = 64;
constexpr int kButtonsOk = 0;
constexpr int kButtonsOkCancel = 1;
constexpr int kButtonsYesNo = 4;
constexpr int kAnswerOk = 1;

// Shows one message through a new message component instance (which routes
// it to the host's sink) and returns the button chosen (1 = OK / Yes).
// An empty title means the component's default title.
int ShowMessage(const std::string& text, int icon = kIconNone, int buttons = kButtonsOk,
                const std::string& title = "");

}  // namespace qelt::host
