#pragma once

// The values a message box carries (qelt::host::Message, IMessageBox).
namespace qelt::host {

// Icons.
inline constexpr int kIconNone = 0;          // no icon
inline constexpr int kIconCritical = 16;     // an error
inline constexpr int kIconQuestion = 32;     // a question
inline constexpr int kIconExclamation = 48;  // a warning
inline constexpr int kIconInformation = 64;  // information

// Button sets.
inline constexpr int kButtonsOk = 0;        // OK
inline constexpr int kButtonsOkCancel = 1;  // OK and Cancel
inline constexpr int kButtonsYesNo = 4;     // Yes and No

// Answers: the button chosen.
inline constexpr int kAnswerOk = 1;      // OK or Yes
inline constexpr int kAnswerCancel = 2;  // Cancel
inline constexpr int kAnswerNo = 7;      // No

}  // namespace qelt::host
