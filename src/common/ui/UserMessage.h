// Showing a message to the user. The platform shows a message box where an
// interactive desktop exists and writes to standard error where none does
// (the silent output mode); tests install their own answerer.
#pragma once

#include <functional>
#include <string>

namespace UserMessage {

// The platform's MB_ style bits the program uses.
enum Style : unsigned {
  kOk = 0x0,
  kOkCancel = 0x1,
  kYesNo = 0x4,
  kIconError = 0x10,
  kIconQuestion = 0x20,
  kIconExclamation = 0x30,
  kIconInformation = 0x40,
  kDefButton2 = 0x100,
};
enum Answer { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

using Handler = std::function<int(const std::string& text, const std::string& caption, unsigned style)>;

// Shows `text` and returns the button pressed.
int Show(const std::string& text, unsigned style, const std::string& caption = "Tarvolin 2.0");

// Replaces the handler (an empty one restores the platform's); returns the old.
Handler SetHandler(Handler handler);

// Where no message box can be shown (no desktop, or the silent output mode),
// messages go to standard error and the answer is OK.
void SetNonInteractive(bool nonInteractive);
bool IsNonInteractive();

}  // namespace UserMessage
