#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/ui/Window.h"

namespace gradlog {

// What one of the program's dialogs does; OK and Cancel (ids 1 and 2, from the caption bar
// or the keyboard) are answered the same way by all of them.
struct DialogParts {
  // WM_INITDIALOG: shows the current values.
  std::function<void(platform::Hwnd dialog)> fill;
  // OK: stores the values and gives the dialog's result.
  std::function<int(platform::Hwnd dialog)> store;
  // Any other command (a control's notification); may be empty.
  std::function<void(platform::Hwnd dialog, int id, std::uint16_t code)> notified;
};

// Result of every dialog closed with Cancel (or its close box): nothing was changed.
inline constexpr int DIALOG_CANCELLED = 0;
// Result of the dialogs whose callers ask whether OK was pressed.
inline constexpr int DIALOG_ACCEPTED = 1;

// Runs the template modally over `owner`: the result `store` gave on OK, DIALOG_CANCELLED on
// Cancel, nullopt when the template is missing or does not fit the screen.
std::optional<int> RunModalDialog(std::string_view templateName, platform::Hwnd owner,
                                  DialogParts parts);

}  // namespace gradlog
