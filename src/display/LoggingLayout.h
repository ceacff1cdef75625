#pragma once

#include <array>
#include <cstdint>

#include "display/DrawingResources.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

struct ScreenLayout;

// The boxes of the logging screen's number panel and status line (client pixels of the
// logging window; right and bottom exclusive), measured once when the window is created.
struct LoggingBoxes {
  platform::Rect scale;
  platform::Rect battery;
  platform::Rect mode;
  platform::Rect instrumentBattery;
  platform::Rect surveyMode;
  platform::Rect fileName;
  std::array<platform::Rect, 4> value;  // G1, G2, and two for other instruments
  platform::Rect line;
  platform::Rect station;
  platform::Rect mark;
  platform::Rect gpsQuality;
  platform::Rect fixLamp;
  platform::Rect warnLamp;
  platform::Rect fixCount;
  platform::Rect pdop;
  platform::Rect satellites;
  platform::Rect hemisphere1;
  platform::Rect coordinate1;
  platform::Rect hemisphere2;
  platform::Rect coordinate2;
  platform::Rect speedText;
  platform::Rect speedMax;
  std::int32_t panelLeft = 0;           // where the labels "G1:", "Ln :" ... start
  std::int32_t lineHeight = 0;          // charHeight - 2
  std::array<std::int32_t, 11> rows{};  // tops of the panel's rows 0..10
};

// Measures every box from the text widths of `fonts` on `dc` (whose font it leaves as it was).
// The value, line and station boxes start right of their labels even where a label is wider
// than the usual 12 ("G1:") or 20 ("Ln :") pixels.
LoggingBoxes MeasureLoggingLayout(platform::DeviceContext& dc, const Fonts& fonts,
                                  const ScreenLayout& layout);

}  // namespace gradlog
