#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "gps/GpsState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// The texts of the warning-mask rows (warning, quality, DOP and satellites) for a gpsDataType:
// "N/A" where the data type carries no such value. The DOP row of the narrower port setup dialog
// says "Quality m" where the mask dialog has room for "Quality in m".
std::array<std::string_view, 4> WarningLabels(std::int32_t dataType, bool inWarningMaskDialog);

// "GPS Port Setup": the position input, its sentence type, the serial line, the display rate
// and the warning mask. OK applies the sentence type (the total station keeps the previous
// sentence table), derives the display interval and the map view, and saves the settings.
// Closes with 0 either way, as its caller needs no result; nullopt without the template.
std::optional<int> RunGpsPortSetupDialog(ConfigState& config, GpsState& gps, DisplayState& display,
                                         platform::Hwnd owner);

// "GPS Warning Mask": the four warning settings alone, while logging; OK saves the settings.
// Closes with 0 either way; nullopt without the template.
std::optional<int> RunGpsWarningMaskDialog(ConfigState& config, platform::Hwnd owner);

}  // namespace gradlog
