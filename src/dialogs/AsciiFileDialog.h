#pragma once

#include <optional>

#include "app/AppState.h"

namespace gradlog {

// "ASCII File Parameters": which columns of an ASCII position file hold longitude and
// latitude and which character separates them; OK saves the settings.
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunAsciiFileDialog(AppState& app, platform::Hwnd owner);

}  // namespace gradlog
