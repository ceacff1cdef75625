#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "config/SurveySettings.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Window.h"

namespace gradlog {

struct DisplayState;
struct ProfileScales;

// The running curves and bars of a run, per channel (index = channel - 1).
struct ProfileCurveState {
  std::array<std::int32_t, 8> profileHasPrev{};  // 1: the next point joins the last one
  std::array<std::int32_t, 8> profilePrevRow{};
  std::array<std::int32_t, 8> barX{3, 17};
  std::array<std::int32_t, 8> barPrevTop{};  // the bar's top as last drawn, not clamped
  std::array<std::int32_t, 8> barLevel{};    // the same, clamped to the bar window
  std::int32_t barWidth = 10;
  std::int32_t barsDrawn = 0;  // 0: the next DrawBars starts the bar window afresh
};

// The pixel rows of one value: in the curve window and in the bar window.
struct ChannelRows {
  std::int32_t profileY = 0;
  std::int32_t barY = 0;
};

// (profileMax - value) x pixels per unit, in single precision, truncated toward zero; a value
// above the maximum gives a negative row.
ChannelRows RowsForValue(float value, float profileMax, const ProfileScales& scales);

// The bars' places for one or two sensors, at the start of each run.
void SetBarLayout(ProfileCurveState& curves, std::int32_t gradSensorCount);
// The next point of every curve starts afresh (after a break, a new line or station, a
// rescale), and so does the bar window when `bars` is true.
void RestartProfileCurves(ProfileCurveState& curves, bool bars);

// One reading: the curves scroll 2 pixels left and the new points go in at x 167.
// `rows` holds one profile row per channel drawn.
void StepProfile(platform::DeviceContext& dc, DisplayState& display, const SurveySettings& settings,
                 std::span<const std::int32_t> rows);
// One reading's bars; `rows` holds one bar row per channel.
void DrawBars(platform::DeviceContext& dc, DisplayState& display,
              std::span<const std::int32_t> rows);
void DrawProfileGrid(platform::DeviceContext& dc, const DisplayState& display, bool labels,
                     float min, float max);
void DrawBarGrid(platform::DeviceContext& dc, const DisplayState& display, std::int32_t width);
void RepaintBars(platform::DeviceContext& dc, const DisplayState& display);

// WM_PAINT of "CurveWnd" (the grid and labels in profile view; the caller replays the curves)
// and of "BarsWnd".
void PaintCurveWindow(platform::Hwnd window, const DisplayState& display,
                      const SurveySettings& settings);
void PaintBarsWindow(platform::Hwnd window, const DisplayState& display);

}  // namespace gradlog
