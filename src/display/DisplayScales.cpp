#include "display/DisplayScales.h"

#include <algorithm>
#include <cmath>

#include "common/SafeConvert.h"
#include "display/SpeedBar.h"

namespace gradlog {

namespace {

constexpr std::int32_t MAX_GRID_ROWS = static_cast<std::int32_t>(GridRows{}.rows.size());
constexpr float DEFAULT_PROFILE_MIN = 0.0f;
constexpr float DEFAULT_PROFILE_MAX = 2000.0f;

void StoreRow(GridRows& rows, std::int32_t row) {
  rows.rows[static_cast<std::size_t>(rows.count)] = row;
  ++rows.count;
}

// Four rows at a fifth of the height each, for a range that lies on one side of zero.
void StoreEqualRows(GridRows& rows, int height) {
  for (const double fraction : {0.2, 0.4, 0.6, 0.8}) {
    StoreRow(rows, TruncateToInt32(height - (height + 1.0) * fraction));
  }
}

// Row spacing in value units, from how far the zero row sits off the window's middle.
float StraddlingStep(int height, std::int32_t zeroRow, float min, float max) {
  float ratio;
  float big;
  float small;
  if (zeroRow >= height / 2) {
    ratio = 0.5f + static_cast<float>(zeroRow) / static_cast<float>(height - zeroRow);
    big = std::fabs(max);
    small = std::fabs(min);
  } else {
    ratio = 0.5f + static_cast<float>(height - zeroRow) / static_cast<float>(zeroRow);
    big = std::fabs(min);
    small = std::fabs(max);
  }
  const std::int32_t r = TruncateToInt32(ratio);
  if (r > 4)
    return static_cast<float>(big * 0.2);
  if (r >= 2)
    return big / static_cast<float>(r);
  return small * 0.25f;
}

// Rows go out from the zero row one step at a time. A row that does not move past the one
// before it (a step too small for a pixel, or a non-finite scale) ends its side, so the loops
// end even for scales read from a broken settings file.
void StoreStraddlingRows(GridRows& rows, int height, float max, float pixelsPerUnit,
                         std::int32_t zeroRow, float step) {
  std::int32_t previous = zeroRow;
  for (int k = 1; rows.count < MAX_GRID_ROWS; ++k) {
    const std::int32_t row = TruncateToInt32((max - static_cast<float>(k) * step) * pixelsPerUnit);
    if (row < 1 || row >= previous)
      break;
    StoreRow(rows, row);
    previous = row;
  }
  previous = zeroRow;
  for (int k = 1; rows.count < MAX_GRID_ROWS; ++k) {
    const std::int32_t row = TruncateToInt32((max + static_cast<float>(k) * step) * pixelsPerUnit);
    if (row >= height || row <= previous)
      break;
    StoreRow(rows, row);
    previous = row;
  }
}

}  // namespace

void ComputeGridRows(GridRows& rows, int height, float min, float max, float pixelsPerUnit,
                     std::int32_t& barBaseMode) {
  rows = GridRows{};
  if (!(min < 0.0f && max > 0.0f)) {
    barBaseMode = min >= 0.0f ? 1 : -1;
    StoreEqualRows(rows, height);
    return;
  }
  barBaseMode = 0;
  const std::int32_t zeroRow = TruncateToInt32(max * pixelsPerUnit);
  if (zeroRow <= 0 || zeroRow >= height) {
    // The zero row sits on an edge (or the scale is infinite): only one side of zero has room,
    // and the spacing rule would divide by zero. Draw the zero row at that edge and lay the
    // four equal rows of a one-sided range over the window.
    StoreRow(rows, std::clamp(zeroRow, 0, std::max(height, 0)));
    StoreEqualRows(rows, height);
    return;
  }
  StoreRow(rows, zeroRow);
  const float step = StraddlingStep(height, zeroRow, min, max);
  StoreStraddlingRows(rows, height, max, pixelsPerUnit, zeroRow, step);
}

void RecomputeProfileScales(ProfileScales& scales, const ScreenLayout& layout,
                            const SurveySettings& settings) {
  // An empty range gives an infinite scale; ComputeGridRows and the row conversions cope.
  const float range = settings.profileMax - settings.profileMin;
  scales.profilePixelsPerUnit = static_cast<float>(layout.curveHeight) / range;
  scales.barPixelsPerUnit = static_cast<float>(layout.barsHeight) / range;
  ComputeGridRows(scales.profileGridRows, layout.curveHeight, settings.profileMin,
                  settings.profileMax, scales.profilePixelsPerUnit, scales.barBaseMode);
  ComputeGridRows(scales.barGridRows, layout.barsHeight, settings.profileMin, settings.profileMax,
                  scales.barPixelsPerUnit, scales.barBaseMode);
}

void InitDisplayScales(DisplayState& display, SurveySettings& settings) {
  settings.profileMin = DEFAULT_PROFILE_MIN;
  settings.profileMax = DEFAULT_PROFILE_MAX;
  RecomputeProfileScales(display.profile, display.layout, settings);
  display.profile.channelCount = settings.gradSensorCount == 2 ? 2 : 1;
}

void ApplyDisplaySettings(DisplayState& display, const SurveySettings& settings) {
  RecomputeProfileScales(display.profile, display.layout, settings);
  display.speedPixelsPerUnit =
      SpeedPixelsPerUnit(display.layout.curveWidth, settings.speedMin, settings.speedMax);
  ComputeMapMarker(display.map, display.layout.curveWidth, settings);
}

}  // namespace gradlog
