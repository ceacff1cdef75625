#pragma once

#include <cstdint>
#include <optional>

#include "config/ConfigState.h"
#include "display/MapGeometry.h"
#include "platform/ui/Window.h"

namespace gradlog {

// What the two edits of "Enter Map Scale" must show instead of what was typed; empty where
// the entry stands.
struct MapScaleCorrection {
  std::optional<std::int32_t> scale;
  std::optional<double> gridInterval;
};

// The scale is at least 1. A negative grid interval becomes 0 and nothing more is checked;
// otherwise a grid so fine that more than 20 lines would cross the map becomes scale / 20.
MapScaleCorrection CorrectMapScale(std::int32_t scale, double gridInterval);

// "Enter Map Scale": corrects the entries when the focus leaves one of them; OK stores the
// corrected scale and grid interval, rescales the map (keeping the previous scale for the track
// reload) and saves the settings. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the
// template.
std::optional<int> RunMapScaleDialog(ConfigState& config, MapGeometry& map, platform::Hwnd owner);

}  // namespace gradlog
