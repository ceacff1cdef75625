#include "display/LoggingLayout.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "display/DisplayState.h"

namespace gradlog {

namespace {

// The row tops below the bar graph (which ends at y 108), with a 2-pixel gap after the
// fourth, the fifth and the seventh row.
constexpr std::array<std::int32_t, 11> ROW_BASES{109, 109, 109, 109, 111, 113,
                                                 113, 115, 115, 115, 115};
constexpr std::int32_t PANEL_GAP = 8;  // between the curve window and the number panel
constexpr std::int32_t TOP_ROW_Y = 1;
// Room for the labels left of the value boxes ("G1:") and of the line and station boxes
// ("Ln :"), at least; a wider label moves its boxes right, as a fill must not cut it.
constexpr std::int32_t VALUE_LABEL_ROOM = 12;
constexpr std::int32_t LINE_LABEL_ROOM = 20;
constexpr std::int32_t LAMP_WIDTH = 10;
constexpr std::int32_t SPEED_TEXT_OFFSET = 40;  // left of the curve window's middle

int Width(const platform::DeviceContext& dc, std::string_view text) {
  return dc.GetTextExtent(text).width;
}

int WidestOf(const platform::DeviceContext& dc, std::initializer_list<std::string_view> texts) {
  int widest = 0;
  for (const std::string_view text : texts)
    widest = std::max(widest, Width(dc, text));
  return widest;
}

}  // namespace

LoggingBoxes MeasureLoggingLayout(platform::DeviceContext& dc, const Fonts& fonts,
                                  const ScreenLayout& layout) {
  const auto saved = dc.Save();
  dc.SelectFont(fonts.normal);
  LoggingBoxes b;
  const int x0 = layout.curveWidth + PANEL_GAP;
  const int right = layout.screenWidth;
  const int h = layout.charHeight - 2;
  const int modeY = layout.charHeight - 1;
  b.panelLeft = x0;
  b.lineHeight = h;
  for (std::size_t i = 0; i < b.rows.size(); ++i)
    b.rows[i] = ROW_BASES[i] + static_cast<int>(i) * h;
  const auto& row = b.rows;

  b.scale = {x0, TOP_ROW_Y, x0 + Width(dc, "Sc:99999 ft"), h + 2};
  b.battery = {right - Width(dc, "999%") - 3, TOP_ROW_Y, right, TOP_ROW_Y + h};
  b.mode = {x0, modeY, x0 + WidestOf(dc, {"Monitor", "Stand By", "Logging"}), modeY + h + 3};
  b.instrumentBattery = {right - Width(dc, "B:99.99V"), modeY, right, modeY + h};
  dc.SelectFont(fonts.bold);
  b.surveyMode = {right - WidestOf(dc, {"A", "W", "M"}) - 1, row[0], right, row[0] + h};
  dc.SelectFont(fonts.normal);
  b.fileName = {x0, row[0], b.surveyMode.left - 3, row[0] + h};
  const int valueLeft = x0 + std::max(VALUE_LABEL_ROOM, WidestOf(dc, {"G1:", "G2:"}) + 1);
  for (std::size_t i = 0; i < b.value.size(); ++i)
    b.value[i] = {valueLeft, row[i + 1], right, row[i + 1] + h};
  const int lineLeft = x0 + std::max(LINE_LABEL_ROOM, WidestOf(dc, {"Ln :", "St :"}) + 1);
  b.line = {lineLeft, row[5], right, row[5] + h};
  b.station = {lineLeft, row[6], right, row[6] + h};
  b.mark = {right - Width(dc, "M") - 3, row[6], right, row[6] + h};

  const int q = x0 + WidestOf(dc, {"CODE", "RTK", "DGPS", "AGPS", "NO FIX"});
  b.gpsQuality = {x0, row[7], q, row[7] + h};
  b.fixLamp = {q + 1, row[7], q + 1 + LAMP_WIDTH, row[7] + h};
  b.warnLamp = {q + 14, row[7], q + 14 + LAMP_WIDTH, row[7] + h};
  b.fixCount = {q + 27, row[7], right, row[7] + h};
  const int pdopWidth = Width(dc, "P:99.9 ");
  b.pdop = {x0, row[8], x0 + pdopWidth, row[8] + h};
  b.satellites = {x0 + pdopWidth + 9, row[8], right, row[8] + h};
  const int e = x0 + WidestOf(dc, {"N", "S", "W", "E"});
  b.hemisphere1 = {x0, row[9], e, row[9] + h};
  b.coordinate1 = {e + 1, row[9], right, row[9] + h};
  b.hemisphere2 = {x0, row[10], e, row[10] + h};
  b.coordinate2 = {e + 1, row[10], right, row[10] + h};

  const int speedY = layout.curveHeight + 4;
  const int s = layout.curveWidth / 2 + layout.curveLeft - SPEED_TEXT_OFFSET;
  b.speedText = {s, speedY, s + Width(dc, "Speed:99.99 km/h") + 10, speedY + h};
  b.speedMax = {layout.curveWidth - Width(dc, "99.99") - 2, speedY, layout.curveWidth, speedY + h};
  return b;
}

}  // namespace gradlog
