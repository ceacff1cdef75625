#pragma once

#include <optional>

#include "config/ConfigState.h"
#include "datafile/DataFileState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// "Survey Setup": the survey line, its sequence and direction, the start station and the
// station increment. OK also fixes the survey mode (0) and the reading interval (1 s) that
// this instrument's form does not offer, and saves the settings. A zero station increment is
// shown as 1 on opening and when the focus leaves the field, and stored as 1. The result is
// DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt when the template is missing.
std::optional<int> RunSurveySetupDialog(ConfigState& config, DataFileState& run,
                                        platform::Hwnd owner);

}  // namespace gradlog
