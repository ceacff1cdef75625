#pragma once

#include <optional>

#include "datafile/DataFileState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "Enter Comment": OK writes the typed text as a comment record (its first 11 characters).
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunCommentDialog(DataFileState& run, platform::Hwnd owner);

}  // namespace gradlog
