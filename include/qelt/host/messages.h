#pragma once

// The values a message box carries (qelt::host::Message, IMessageBox).
namespace qelt::host {

// Icons.
inline constexpr int kIconNone = 0;
inline constexpr int kIconCritical = 16;
inline constexpr int kIconQuestion = 32;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;

// Button sets.
inline constexpr int kButtonsOk = 0;
inline constexpr int kButtonsOkCancel = 1;
inline constexpr int kButtonsYesNo = 4;

// Answers: the button chosen.
inline constexpr int kAnswerOk = 1;  // OK or Yes
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerNo = 7;

}  // namespace qelt::host
