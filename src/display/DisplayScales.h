#pragma once

#include <cstdint>

#include "config/SurveySettings.h"
#include "display/DisplayState.h"
#include "display/GridRows.h"

namespace gradlog {

// Start-up defaults of the profile range (0..2000 for this instrument) with its scales and
// grids, and the number of channels drawn; the loaded settings replace the range afterwards.
void InitDisplayScales(DisplayState& display, SurveySettings& settings);

// Grid rows of a window `height` pixels high for the range min..max at `pixelsPerUnit`, and
// where its bars stand (1 from the bottom, -1 from the top, 0 from the zero row).
void ComputeGridRows(GridRows& rows, int height, float min, float max, float pixelsPerUnit,
                     std::int32_t& barBaseMode);

// Pixels per unit of the curve and bar windows from profileMin/profileMax, then the profile
// grid and the bar grid, in that order. Called whenever the range or the heights change.
void RecomputeProfileScales(ProfileScales& scales, const ScreenLayout& layout,
                            const SurveySettings& settings);

// Every display value that follows from the settings: the profile scales and grids, the speed
// bar's scale, the map marker and margins. Run after the settings are loaded.
void ApplyDisplaySettings(DisplayState& display, const SurveySettings& settings);

}  // namespace gradlog
