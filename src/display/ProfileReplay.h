#pragma once

#include <string_view>

#include "config/SurveySettings.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

struct DisplayState;

// Draws the last readings of the current line (at most 84, the newest at x 167) from the data
// file at `dataFilePath` into the curve window's `dc`, broken at each station mark. Nothing
// when the path is empty or the file cannot be read. The file is only read.
void ReplayProfileFromDataFile(platform::DeviceContext& dc, std::string_view dataFilePath,
                               const DisplayState& display, const SurveySettings& settings);

}  // namespace gradlog
