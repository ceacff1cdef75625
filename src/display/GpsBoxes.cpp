#include "display/GpsBoxes.h"

#include <optional>
#include <string>

#include "display/LoggingScreen.h"
#include "display/SpeedBar.h"

namespace gradlog {

using platform::DeviceContext;

namespace {

constexpr std::int32_t SPEED_BAR_HEIGHT = 6;

void ShowIfGiven(DeviceContext& dc, const DisplayState& display, const platform::Rect& box,
                 const std::optional<std::string>& text) {
  if (text)
    DrawBoxText(dc, display, box, *text, display.fonts.normal);
}

void DrawLamp(DeviceContext& dc, const DisplayState& display, const platform::Rect& box,
              const platform::PenHandle& pen, const platform::BrushHandle& brush) {
  const auto saved = dc.Save();
  dc.FillRect(box, display.drawing.lightGreyBrush);
  dc.SelectPen(pen);
  dc.SelectBrush(brush);
  dc.Ellipse(box.left, box.top + 1, box.right, box.bottom);
}

}  // namespace

void ShowFixTexts(DeviceContext& dc, const DisplayState& display, const FixBoxTexts& texts) {
  const LoggingBoxes& boxes = display.boxes;
  ShowIfGiven(dc, display, boxes.satellites, texts.satellites);
  ShowIfGiven(dc, display, boxes.gpsQuality, texts.quality);
  ShowIfGiven(dc, display, boxes.pdop, texts.pdop);
  ShowIfGiven(dc, display, boxes.hemisphere1, texts.hemisphere1);
  ShowIfGiven(dc, display, boxes.coordinate1, texts.coordinate1);
  ShowIfGiven(dc, display, boxes.hemisphere2, texts.hemisphere2);
  ShowIfGiven(dc, display, boxes.coordinate2, texts.coordinate2);
}

void BlinkFixLamps(DeviceContext& dc, const DisplayState& display, std::int32_t& blinkPhase,
                   bool warning) {
  const DrawingResources& d = display.drawing;
  const platform::PenHandle& litPen = warning ? d.redPen : d.greenPen;
  const platform::BrushHandle& litBrush = warning ? d.redBrush : d.greenBrush;
  const bool firstLit = blinkPhase == '/';
  blinkPhase = firstLit ? '\\' : '/';
  DrawLamp(dc, display, display.boxes.fixLamp, firstLit ? litPen : d.whitePen,
           firstLit ? litBrush : d.whiteBrush);
  DrawLamp(dc, display, display.boxes.warnLamp, firstLit ? d.whitePen : litPen,
           firstLit ? d.whiteBrush : litBrush);
}

void DrawSpeedBar(DeviceContext& dc, const DisplayState& display, std::int32_t whiteLength) {
  const auto saved = dc.Save();
  const DrawingResources& d = display.drawing;
  const std::int32_t width = display.layout.curveWidth;
  dc.SelectPen(d.bluePen);
  dc.SelectBrush(d.blueBrush);
  dc.Rectangle(0, 0, width, SPEED_BAR_HEIGHT);
  dc.SelectPen(d.whitePen);
  dc.SelectBrush(d.whiteBrush);
  dc.Rectangle(width - whiteLength, 0, width, SPEED_BAR_HEIGHT);
}

void ShowSpeed(DeviceContext& loggingDc, DeviceContext& speedbarDc, const DisplayState& display,
               const SurveySettings& settings, float speed) {
  ShowSpeedText(loggingDc, display, speed, settings.speedUnits, settings.distanceUnits);
  const float shown = ShownSpeed(speed, settings.speedUnits, settings.distanceUnits);
  DrawSpeedBar(speedbarDc, display,
               SpeedBarWhiteLength(settings.speedMax, shown, display.speedPixelsPerUnit,
                                   display.layout.curveWidth));
}

}  // namespace gradlog
