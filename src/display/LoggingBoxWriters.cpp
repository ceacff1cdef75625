#include "display/LoggingScreen.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "common/BoxText.h"

namespace gradlog {

using platform::DeviceContext;

namespace {

struct SpeedUnit {
  float factor;
  const char* format;
};

// By speedUnits (m/s, ft/s, km/h, mph), for speeds measured in metres and in feet.
constexpr std::array<SpeedUnit, 8> SPEED_UNITS{{{1.0f, "Speed:%5.2f m/s"},
                                                {3.28084f, "Speed:%5.2f ft/s"},
                                                {3.6f, "Speed:%5.2f km/h"},
                                                {2.2369f, "Speed:%5.2f mph"},
                                                {0.3048f, "Speed:%5.2f m/s"},
                                                {1.0f, "Speed:%5.2f ft/s"},
                                                {1.0973f, "Speed:%5.2f km/h"},
                                                {0.6818f, "Speed:%5.2f mph"}}};

}  // namespace

void DrawBoxText(DeviceContext& dc, const DisplayState& display, const platform::Rect& box,
                 std::string_view text, const platform::FontHandle& font) {
  const auto saved = dc.Save();
  dc.FillRect(box, display.drawing.lightGreyBrush);
  dc.SetBackgroundMode(platform::BackgroundMode::Transparent);
  dc.SetTextColor(platform::Rgb(0, 0, 0));
  dc.SelectFont(font);
  dc.ExtTextOut(box.left, box.top, platform::ETO_CLIPPED, &box, text);
}

std::string_view ModeText(std::int32_t recordingState, bool writeFailed) {
  if (writeFailed)
    return "WR ERR";
  switch (recordingState) {  // any other state is taken as "no file yet"
    case -1:
      return "Stand By";
    case 1:
      return "Logging";
    default:
      return "Monitor";
  }
}

namespace {

const SpeedUnit& SpeedUnitFor(std::int32_t speedUnits, std::int32_t distanceUnits) {
  // A hand-edited unit outside the list shows metres per second rather than nothing.
  const std::int32_t unit = speedUnits >= 0 && speedUnits < 4 ? speedUnits : 0;
  return SPEED_UNITS[unit + (distanceUnits == 0 ? 0 : 4)];
}

}  // namespace

float ShownSpeed(float speed, std::int32_t speedUnits, std::int32_t distanceUnits) {
  return speed * SpeedUnitFor(speedUnits, distanceUnits).factor;
}

std::string FormatSpeedText(float speed, std::int32_t speedUnits, std::int32_t distanceUnits) {
  return BoxText(SpeedUnitFor(speedUnits, distanceUnits).format,
                 static_cast<double>(ShownSpeed(speed, speedUnits, distanceUnits)));
}

void ShowModeText(DeviceContext& dc, const DisplayState& display, std::string_view text) {
  DrawBoxText(dc, display, display.boxes.mode, text, display.fonts.normal);
}

void ShowFileName(DeviceContext& dc, const DisplayState& display, std::string_view dataFileName) {
  DrawBoxText(dc, display, display.boxes.fileName, "F:" + std::string(dataFileName.substr(0, 8)),
              display.fonts.normal);
}

void ShowSurveyLine(DeviceContext& dc, const DisplayState& display, std::string_view surveyLine) {
  DrawBoxText(dc, display, display.boxes.line, surveyLine, display.fonts.bold);
}

void ShowStation(DeviceContext& dc, const DisplayState& display, double station) {
  DrawBoxText(dc, display, display.boxes.station, BoxText("%-11.2f", station), display.fonts.bold);
}

void ShowGradValues(DeviceContext& dc, const DisplayState& display, const GradReading& reading,
                    std::int32_t gradSensorCount) {
  const std::string g2 = gradSensorCount == 2 ? BoxText("%10.3f", reading.g2) : std::string();
  DrawBoxText(dc, display, display.boxes.value[1], g2, display.fonts.bold);
  DrawBoxText(dc, display, display.boxes.value[0], BoxText("%10.3f", reading.g1),
              display.fonts.bold);
}

void ShowBattery(DeviceContext& dc, const DisplayState& display,
                 const platform::BatteryStatus& battery) {
  std::string text;
  if (battery.percent >= 0 && battery.percent <= 100) {
    text = BoxText("%3d%%", battery.percent);
  } else {
    text = battery.onMains ? " AC" : "  ?%";
  }
  DrawBoxText(dc, display, display.boxes.battery, text, display.fonts.bold);
}

void ShowMapScale(DeviceContext& dc, const DisplayState& display, std::int32_t mapScale,
                  std::int32_t distanceUnits) {
  const std::string text = distanceUnits == 0 ? BoxText("Sc:%5" PRId32 " m", mapScale)
                                              : BoxText("Sc:%5" PRId32 " ft", mapScale);
  DrawBoxText(dc, display, display.boxes.scale, text, display.fonts.normal);
}

void ShowSpeedText(DeviceContext& dc, const DisplayState& display, float speed,
                   std::int32_t speedUnits, std::int32_t distanceUnits) {
  DrawBoxText(dc, display, display.boxes.speedText,
              FormatSpeedText(speed, speedUnits, distanceUnits), display.fonts.normal);
}

void ShowSpeedMax(DeviceContext& dc, const DisplayState& display, float speedMax) {
  DrawBoxText(dc, display, display.boxes.speedMax, BoxText("%.2f", speedMax), display.fonts.normal);
}

void ShowGpsRecordCount(DeviceContext& dc, const DisplayState& display,
                        std::int32_t gpsRecordCount) {
  DrawBoxText(dc, display, display.boxes.fixCount, BoxText("%6" PRId32, gpsRecordCount),
              display.fonts.normal);
}

void ShowConnectionBreak(DeviceContext& dc, const DisplayState& display) {
  BlankValueBoxes(dc, display);
  DrawBoxText(dc, display, display.boxes.value[0], "   please", display.fonts.bold);
  DrawBoxText(dc, display, display.boxes.value[1], "   wait...", display.fonts.bold);
}

void BlankValueBoxes(DeviceContext& dc, const DisplayState& display) {
  for (const platform::Rect& box : display.boxes.value)
    dc.FillRect(box, display.drawing.lightGreyBrush);
}

}  // namespace gradlog
