#include "display/LoggingScreen.h"

namespace gradlog {

using platform::DeviceContext;

namespace {

std::string_view SurveyModeLetter(std::int32_t surveyMode) {
  switch (surveyMode) {
    case 0:
      return "A";
    case 1:
      return "W";
    case 2:
      return "M";
    default:
      return "";
  }
}

// Labels sit left of their boxes, so the box fills never reach them.
void DrawLabel(DeviceContext& dc, const DisplayState& display, const platform::Rect& box,
               std::string_view label) {
  dc.TextOut(display.boxes.panelLeft, box.top, label);
}

void PaintInstrumentBoxes(DeviceContext& dc, const DisplayState& display,
                          const SurveySettings& settings, const LoggingScreenFacts& facts) {
  const LoggingBoxes& boxes = display.boxes;
  DrawBoxText(dc, display, boxes.surveyMode, SurveyModeLetter(settings.surveyMode),
              display.fonts.bold);
  // The values arrive with the next reading.
  DrawBoxText(dc, display, boxes.value[0], "", display.fonts.normal);
  DrawLabel(dc, display, boxes.value[0], "G1:");
  DrawBoxText(dc, display, boxes.value[1], "", display.fonts.normal);
  DrawLabel(dc, display, boxes.value[1], "G2:");
  DrawLabel(dc, display, boxes.line, "Ln :");
  if (facts.dataFileOpen)
    ShowSurveyLine(dc, display, settings.surveyLine);
  DrawLabel(dc, display, boxes.station, "St :");
  if (facts.dataFileOpen)
    ShowStation(dc, display, facts.currentStation);
  DrawBoxText(dc, display, boxes.mark, " ", display.fonts.bold);
}

void PaintGpsBoxes(DeviceContext& dc, const DisplayState& display, const SurveySettings& settings,
                   const LoggingScreenFacts& facts) {
  const LoggingBoxes& boxes = display.boxes;
  const platform::FontHandle& font = display.fonts.normal;
  if (settings.gpsInput != 1) {
    DrawBoxText(dc, display, boxes.coordinate1, "     GPS Input", font);
    DrawBoxText(dc, display, boxes.coordinate2, "      disabled", font);
    return;
  }
  // The next fix fills these.
  for (const platform::Rect* box : {&boxes.gpsQuality, &boxes.fixLamp, &boxes.warnLamp})
    DrawBoxText(dc, display, *box, "", font);
  ShowGpsRecordCount(dc, display, facts.gpsRecordCount);
  for (const platform::Rect* box : {&boxes.pdop, &boxes.satellites, &boxes.hemisphere1,
                                    &boxes.coordinate1, &boxes.hemisphere2, &boxes.coordinate2})
    DrawBoxText(dc, display, *box, "", font);
}

}  // namespace

void PaintLoggingScreen(DeviceContext& dc, const DisplayState& display,
                        const SurveySettings& settings, const LoggingScreenFacts& facts) {
  const auto saved = dc.Save();
  dc.SetBackgroundMode(platform::BackgroundMode::Transparent);
  dc.SetTextColor(platform::Rgb(0, 0, 0));
  dc.SelectFont(display.fonts.normal);
  const LoggingBoxes& boxes = display.boxes;
  const bool instrument = settings.instrumentEnabled == 1;

  if (display.mapViewShown == 1)
    ShowMapScale(dc, display, settings.mapScale, settings.distanceUnits);
  // A full level until the first reading brings the real one.
  ShowBattery(dc, display, platform::BatteryStatus{.onMains = false, .percent = 100});
  ShowModeText(dc, display, ModeText(facts.recordingState, facts.writeFailed));
  if (instrument)
    DrawBoxText(dc, display, boxes.instrumentBattery, "", display.fonts.normal);
  if (facts.dataFileOpen)
    ShowFileName(dc, display, facts.dataFileName);
  if (instrument)
    PaintInstrumentBoxes(dc, display, settings, facts);
  PaintGpsBoxes(dc, display, settings, facts);

  const ScreenLayout& layout = display.layout;
  dc.TextOut(layout.curveLeft, layout.curveHeight + 4, "0");
  ShowSpeedMax(dc, display, settings.speedMax);
  // Without position input no speed is ever measured: the box stays empty rather than show the
  // starting value as if it were one.
  if (settings.gpsInput == 1)
    ShowSpeedText(dc, display, facts.speed, settings.speedUnits, settings.distanceUnits);
  else
    DrawBoxText(dc, display, display.boxes.speedText, "", display.fonts.normal);
}

}  // namespace gradlog
