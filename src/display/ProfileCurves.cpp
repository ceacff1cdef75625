#include "display/ProfileCurves.h"

#include <algorithm>

#include "common/SafeConvert.h"
#include "display/DisplayState.h"
#include "display/ProfileStrokes.h"

namespace gradlog {

namespace {

constexpr std::int32_t NEWEST_X = 167;  // columns to its right keep the scale's labels
constexpr std::int32_t STEP = 2;
constexpr std::int32_t CLEARED_COLUMNS = 3;  // the newest point's column and one either side

// Single precision, as the scale itself is stored, before the truncation.
std::int32_t RowOf(float value, float profileMax, float pixelsPerUnit) {
  const float row = (profileMax - value) * pixelsPerUnit;
  return TruncateToInt32(row);
}

std::size_t ChannelsDrawn(std::int32_t channelCount, std::size_t rows) {
  const auto channels = static_cast<std::size_t>(std::clamp<std::int32_t>(channelCount, 0, 8));
  return std::min(channels, rows);
}

}  // namespace

ChannelRows RowsForValue(float value, float profileMax, const ProfileScales& scales) {
  return ChannelRows{.profileY = RowOf(value, profileMax, scales.profilePixelsPerUnit),
                     .barY = RowOf(value, profileMax, scales.barPixelsPerUnit)};
}

void SetBarLayout(ProfileCurveState& curves, std::int32_t gradSensorCount) {
  if (gradSensorCount == 2) {
    curves.barX[0] = 2;
    curves.barX[1] = 16;
    curves.barWidth = 12;
  } else {
    curves.barX[0] = 2;
    curves.barWidth = 25;
  }
}

void RestartProfileCurves(ProfileCurveState& curves, bool bars) {
  curves.profileHasPrev.fill(0);
  if (bars)
    curves.barsDrawn = 0;
}

void StepProfile(platform::DeviceContext& dc, DisplayState& display, const SurveySettings& settings,
                 std::span<const std::int32_t> rows) {
  const auto guard = dc.Save();
  const std::int32_t height = display.layout.curveHeight;
  const std::int32_t cleared = NEWEST_X - 1;
  dc.BitBlt(0, 0, cleared, height, dc, STEP, 0);

  dc.SelectPen(display.drawing.whitePen);
  for (std::int32_t x = cleared; x < cleared + CLEARED_COLUMNS; ++x) {
    dc.MoveTo(x, 0);
    dc.LineTo(x, height);
  }
  const bool straddlesZero = settings.profileMin < 0.0f && settings.profileMax > 0.0f;
  DrawGridRows(dc, display.profile.profileGridRows, straddlesZero, display.drawing, cleared,
               cleared + CLEARED_COLUMNS);

  ProfileCurveState& curves = display.curves;
  const std::size_t channels = ChannelsDrawn(display.profile.channelCount, rows.size());
  for (std::size_t i = 0; i < channels; ++i) {
    if (settings.channelShown[i] != 1)
      continue;
    dc.SelectPen(display.channels.curvePen[i]);
    if (curves.profileHasPrev[i] == 1) {
      dc.MoveTo(NEWEST_X - STEP, curves.profilePrevRow[i]);
      dc.LineTo(NEWEST_X, rows[i]);
    }
    DrawCurvePoint(dc, {NEWEST_X, rows[i]});
    curves.profileHasPrev[i] = 1;
    curves.profilePrevRow[i] = rows[i];
  }
}

}  // namespace gradlog
