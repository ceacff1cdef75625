#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/SurveySettings.h"
#include "display/DisplayState.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/sys/SystemServices.h"
#include "serial/GradReading.h"

namespace gradlog {

// The drawing rule of every box: fill it light grey, then draw `text` in `font` at its
// top-left corner with a transparent background, clipped to the box.
void DrawBoxText(platform::DeviceContext& dc, const DisplayState& display,
                 const platform::Rect& box, std::string_view text,
                 const platform::FontHandle& font);

// What the mode box says: "Stand By" (-1), "Monitor" (0), "Logging" (1), or "WR ERR" once the
// data file has refused a write or a sync in this run.
std::string_view ModeText(std::int32_t recordingState, bool writeFailed);

// The speed (metres, or feet with distanceUnits 1 and 2, a second) in the operator's speed
// unit; the speed bar shows the same value.
float ShownSpeed(float speed, std::int32_t speedUnits, std::int32_t distanceUnits);
// The speed in the operator's units, e.g. "Speed: 2.00 m/s".
std::string FormatSpeedText(float speed, std::int32_t speedUnits, std::int32_t distanceUnits);

// What the paint shows besides the settings.
struct LoggingScreenFacts {
  std::int32_t recordingState = 0;
  bool writeFailed = false;
  bool dataFileOpen = false;
  std::string_view dataFileName;
  double currentStation = 0.0;
  std::int32_t gpsRecordCount = 0;
  float speed = 2.0f;
};

// The whole logging screen: labels, the status line and every box's initial text. Draws on a
// context the caller has begun painting on; the caller also gives the window the focus.
void PaintLoggingScreen(platform::DeviceContext& dc, const DisplayState& display,
                        const SurveySettings& settings, const LoggingScreenFacts& facts);

// The boxes the run writes between paints, each by the drawing rule.
void ShowModeText(platform::DeviceContext& dc, const DisplayState& display, std::string_view text);
void ShowFileName(platform::DeviceContext& dc, const DisplayState& display,
                  std::string_view dataFileName);  // "F:" and at most 8 characters
void ShowSurveyLine(platform::DeviceContext& dc, const DisplayState& display,
                    std::string_view surveyLine);
void ShowStation(platform::DeviceContext& dc, const DisplayState& display, double station);
// G1 as "%10.3f" and, with two sensors, G2; with one sensor the G2 box is left empty.
void ShowGradValues(platform::DeviceContext& dc, const DisplayState& display,
                    const GradReading& reading, std::int32_t gradSensorCount);
// The handheld's battery as "%3d%"; a machine on mains without a battery shows " AC", an
// unknown level on battery "  ?%".
void ShowBattery(platform::DeviceContext& dc, const DisplayState& display,
                 const platform::BatteryStatus& battery);
// "Sc:%5d m", or "ft" for either kind of feet; the box exists in map view only.
void ShowMapScale(platform::DeviceContext& dc, const DisplayState& display, std::int32_t mapScale,
                  std::int32_t distanceUnits);
void ShowSpeedText(platform::DeviceContext& dc, const DisplayState& display, float speed,
                   std::int32_t speedUnits, std::int32_t distanceUnits);
void ShowSpeedMax(platform::DeviceContext& dc, const DisplayState& display, float speedMax);
// GPS records written in the run, as "%6d".
void ShowGpsRecordCount(platform::DeviceContext& dc, const DisplayState& display,
                        std::int32_t gpsRecordCount);
// "   please" / "   wait..." over the value boxes after a connection break.
void ShowConnectionBreak(platform::DeviceContext& dc, const DisplayState& display);
// The value boxes emptied (the connection is gone).
void BlankValueBoxes(platform::DeviceContext& dc, const DisplayState& display);

}  // namespace gradlog
