#pragma once

#include <set>
#include <string>

#include "config/SurveySettings.h"
#include "display/DisplayScales.h"
#include "display/DisplayState.h"
#include "display/DrawingResources.h"
#include "display/ProfileCurves.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog::testing {

inline constexpr platform::Color WHITE = platform::Rgb(255, 255, 255);
inline constexpr platform::Color GRID_GREY = platform::Rgb(192, 192, 192);
// The default channel colours: G1 blue, G2 green.
inline constexpr platform::Color G1_BLUE = platform::Rgb(0, 0, 255);
inline constexpr platform::Color G2_GREEN = platform::Rgb(0, 255, 0);

// A pixel as one letter, so that a column reads as a string: 'w' white, '-' grid grey,
// '1' G1's colour, '2' G2's, '?' anything else.
inline char Shade(platform::Color color) {
  switch (color) {
    case WHITE:
      return 'w';
    case GRID_GREY:
      return '-';
    case G1_BLUE:
      return '1';
    case G2_GREEN:
      return '2';
    default:
      return '?';
  }
}

// Rows top..bottom-1 of column x.
inline std::string ColumnShades(const platform::DeviceContext& dc, int x, int top, int bottom) {
  std::string shades;
  for (int y = top; y < bottom; ++y)
    shades += Shade(dc.GetPixel(x, y));
  return shades;
}

inline std::set<char> ShadesIn(const platform::DeviceContext& dc, const platform::Rect& area) {
  std::set<char> shades;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x)
      shades.insert(Shade(dc.GetPixel(x, y)));
  }
  return shades;
}

// The settings, scales, pens and bar places of a run, as the logging screen sets them up.
struct CurveSetup {
  SurveySettings settings;
  DisplayState display;

  CurveSetup() { Apply(); }
  // After a change of the settings.
  void Apply() {
    display.drawing = CreateDrawingResources();
    display.channels = CreateChannelResources(settings);
    RecomputeProfileScales(display.profile, display.layout, settings);
    display.profile.channelCount = settings.gradSensorCount == 2 ? 2 : 1;
    SetBarLayout(display.curves, settings.gradSensorCount);
  }
  void SetRange(float min, float max) {
    settings.profileMin = min;
    settings.profileMax = max;
    Apply();
  }
};

}  // namespace gradlog::testing
