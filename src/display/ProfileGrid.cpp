#include <algorithm>
#include <cstdio>
#include <string>

#include "display/DisplayState.h"
#include "display/ProfileCurves.h"
#include "display/ProfileStrokes.h"

namespace gradlog {

namespace {

constexpr int LABEL_MIN_X = 175;  // labels stay right of the newest curve point
constexpr int LABEL_RIGHT_MARGIN = 3;

// "%.0f" fits any float: at most 39 digits and a sign.
std::string LabelText(float value) {
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(std::clamp(length, 0, 63)));
}

void DrawLabel(platform::DeviceContext& dc, const ScreenLayout& layout, float value, int y) {
  const std::string text = LabelText(value);
  const int width = dc.GetTextExtent(text).width;
  dc.TextOut(std::max(LABEL_MIN_X, layout.curveWidth - width - LABEL_RIGHT_MARGIN), y, text);
}

}  // namespace

void DrawProfileGrid(platform::DeviceContext& dc, const DisplayState& display, bool labels,
                     float min, float max) {
  const ScreenLayout& layout = display.layout;
  DrawGridRows(dc, display.profile.profileGridRows, min < 0.0f && max > 0.0f, display.drawing, 0,
               layout.curveWidth);
  if (!labels)
    return;
  DrawLabel(dc, layout, min, layout.curveHeight - layout.charHeight - 1);
  DrawLabel(dc, layout, max, 0);
}

void DrawBarGrid(platform::DeviceContext& dc, const DisplayState& display, std::int32_t width) {
  DrawGridRows(dc, display.profile.barGridRows, display.profile.barBaseMode == 0, display.drawing,
               0, width);
}

void PaintCurveWindow(platform::Hwnd window, const DisplayState& display,
                      const SurveySettings& settings) {
  platform::PaintDC dc(window);
  if (display.mapViewShown == 0)
    DrawProfileGrid(dc, display, true, settings.profileMin, settings.profileMax);
}

}  // namespace gradlog
