#include "display/GpsBoxes.h"
#include "display/LoggingLayout.h"
#include "display/LoggingScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/gfx/TextTrace.h"

namespace gradlog {
namespace {

using platform::Rect;

const Rect SCREEN{0, 0, 320, 240};

class LoggingScreenTest : public ::testing::Test {
 protected:
  LoggingScreenTest() {
    display.fonts = CreateFonts();
    display.drawing = CreateDrawingResources();
    display.layout.charHeight = platform::SystemFont()->Metrics().height;
    display.boxes = MeasureLoggingLayout(dc, display.fonts, display.layout);
  }

  // The texts drawn inside `box`, in drawing order, joined by '|'.
  std::string TextIn(const Rect& box) const {
    std::string texts;
    for (const platform::TextTraceEntry& entry : screen.Pixels().Trace().EntriesIn(box)) {
      if (box.Contains(entry.rect))
        texts += (texts.empty() ? "" : "|") + entry.text;
    }
    return texts;
  }

  // Every writer leaves the context's objects as it found them.
  bool ContextUnchanged() const {
    return dc.CurrentFont() == initialFont && dc.CurrentBrush() == initialBrush;
  }

  platform::Bitmap screen{320, 240, platform::Rgb(192, 192, 192)};
  platform::BitmapContext dc{screen};
  const platform::FontHandle initialFont = dc.CurrentFont();
  const platform::BrushHandle initialBrush = dc.CurrentBrush();
  DisplayState display;
  const LoggingBoxes& boxes = display.boxes;
  SurveySettings settings;
  LoggingScreenFacts facts;
};

TEST_F(LoggingScreenTest, BoxesSharingARowStayApartOnTheScreen) {
  const std::array<std::int32_t, 11> rows{109, 120, 131, 142, 155, 168, 179, 192, 203, 214, 225};
  EXPECT_EQ(boxes.rows, rows);  // for the system font's 13 pixels
  // (The mark box lies at the end of the station row on purpose: the station is left-aligned.)
  const std::vector<std::vector<Rect>> rowsOfBoxes{
      {boxes.scale, boxes.battery},
      {boxes.mode, boxes.instrumentBattery},
      {boxes.fileName, boxes.surveyMode},
      {boxes.gpsQuality, boxes.fixLamp, boxes.warnLamp, boxes.fixCount},
      {boxes.pdop, boxes.satellites},
      {boxes.hemisphere2, boxes.coordinate2},
      {boxes.speedText, boxes.speedMax}};
  for (const std::vector<Rect>& row : rowsOfBoxes) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      EXPECT_TRUE(!row[i].IsEmpty() && SCREEN.Contains(row[i])) << row[i].left << "," << row[i].top;
      for (std::size_t j = i + 1; j < row.size(); ++j)
        EXPECT_FALSE(row[i].Intersects(row[j])) << row[i].left << "," << row[i].top;
    }
  }
}

TEST_F(LoggingScreenTest, TextsNotMeasuredFitTheirBoxes) {
  const auto& normal = display.fonts.normal;
  const auto& bold = display.fonts.bold;
  const std::vector<std::tuple<std::string_view, platform::FontHandle, Rect>> cases{
      {"Stand By", normal, boxes.mode},
      {"WR ERR", normal, boxes.mode},
      {"100%", bold, boxes.battery},
      {" AC", bold, boxes.battery},
      {"  ?%", bold, boxes.battery},
      {"   wait...", bold, boxes.value[1]},
      {"-99999.999", bold, boxes.value[0]},
      {"      disabled", normal, boxes.coordinate2},
      {"NO FIX", normal, boxes.gpsQuality},
      {"Sat: 12", normal, boxes.satellites},
      {"P:99.9", normal, boxes.pdop},
      {"52\u00B005'26.5200", normal, boxes.coordinate1},
      {"105\u00B007'17.0400", normal, boxes.coordinate2},
      {"N 5341020.30", normal, boxes.coordinate1},
      {"E: 1000.34 ", normal, boxes.coordinate1},
      {"     N/A     ", normal, boxes.coordinate2}};
  for (const auto& [text, font, box] : cases)
    EXPECT_LE(font->MeasureText(text).width, box.Width()) << text;
  // A box fill must not cut the label left of it.
  const std::vector<std::pair<std::string_view, Rect>> labels{{"G1:", boxes.value[0]},
                                                              {"G2:", boxes.value[1]},
                                                              {"Ln :", boxes.line},
                                                              {"St :", boxes.station}};
  for (const auto& [label, box] : labels)
    EXPECT_LE(boxes.panelLeft + normal->MeasureText(label).width, box.left) << label;
  EXPECT_TRUE(ContextUnchanged());
}

// The blue part shows the speed from the left; the white rest is the length asked for.
TEST_F(LoggingScreenTest, TheSpeedBarIsBlueUpToTheSpeedAndWhiteAfter) {
  platform::Bitmap bar{215, 6, platform::Rgb(0, 0, 0)};
  platform::BitmapContext barDc{bar};
  display.layout.curveWidth = 215;
  for (const int white : {0, 50, 215}) {
    DrawSpeedBar(barDc, display, white);
    std::string shades;
    for (int x = 0; x < 215; ++x)
      shades += barDc.GetPixel(x, 3) == platform::Rgb(0, 0, 255) ? 'b' : 'w';
    EXPECT_EQ(shades, std::string(215 - white, 'b') + std::string(white, 'w'));
  }
}

TEST(SpeedTextTest, UnitsByDistanceAndSpeedUnits) {
  // distanceUnits, speedUnits, text for a speed of 2.0
  const std::vector<std::tuple<int, int, std::string>> cases{
      {0, 0, "Speed: 2.00 m/s"},  {0, 1, "Speed: 6.56 ft/s"}, {0, 2, "Speed: 7.20 km/h"},
      {0, 3, "Speed: 4.47 mph"},  {1, 0, "Speed: 0.61 m/s"},  {2, 1, "Speed: 2.00 ft/s"},
      {1, 2, "Speed: 2.19 km/h"}, {2, 3, "Speed: 1.36 mph"},  {1, 9, "Speed: 0.61 m/s"}};
  for (const auto& [distanceUnits, speedUnits, expected] : cases)
    EXPECT_EQ(FormatSpeedText(2.0f, speedUnits, distanceUnits), expected)
        << distanceUnits << " " << speedUnits;
}

TEST_F(LoggingScreenTest, ProfileViewWithAFileOpenAndGpsDisabled) {
  settings.gpsInput = 0;
  settings.surveyLine = "L7";
  settings.speedMax = 12.5f;
  facts = {.recordingState = -1,
           .dataFileOpen = true,
           .dataFileName = "SURVEY0042.DAT",
           .currentStation = 12.5,
           .speed = 2.0f};
  PaintLoggingScreen(dc, display, settings, facts);
  EXPECT_EQ(TextIn(boxes.scale), "");  // profile view
  EXPECT_EQ(TextIn(boxes.battery), "100%");
  EXPECT_EQ(TextIn(boxes.mode), "Stand By");
  EXPECT_EQ(TextIn(boxes.fileName), "F:SURVEY00");
  EXPECT_EQ(TextIn(boxes.line), "L7");
  EXPECT_EQ(TextIn(boxes.station), "12.50      | ");  // the blank of the mark box at its end
  EXPECT_EQ(TextIn(boxes.fixCount), "");
  EXPECT_EQ(TextIn(boxes.coordinate1), "     GPS Input");
  EXPECT_EQ(TextIn(boxes.coordinate2), "      disabled");
  EXPECT_EQ(TextIn(boxes.speedText), "") << "no speed is measured without position input";
  EXPECT_EQ(TextIn(boxes.speedMax), "12.50");
  EXPECT_TRUE(screen.Pixels().Trace().IsVisibleIn("0", {4, 219, 12, 230}));
  EXPECT_TRUE(ContextUnchanged());
}

TEST_F(LoggingScreenTest, MapViewWithGpsAndNoFile) {
  display.mapViewShown = 1;
  facts.gpsRecordCount = 42;
  for (const auto& [units, scale] :
       std::vector<std::pair<int, std::string>>{{0, "Sc:   10 m"}, {2, "Sc:   10 ft"}}) {
    settings.distanceUnits = units;
    PaintLoggingScreen(dc, display, settings, facts);
    EXPECT_EQ(TextIn(boxes.scale), scale);
  }
  EXPECT_EQ(TextIn(boxes.mode), "Monitor");
  EXPECT_EQ(TextIn(boxes.fixCount), "    42");
  EXPECT_EQ(TextIn(boxes.station), " ");  // no file: only the mark box's blank
  EXPECT_EQ(TextIn(boxes.coordinate1), "");
}

TEST_F(LoggingScreenTest, ARewrittenBoxShowsOnlyItsLastText) {
  ShowModeText(dc, display, "Stand By");
  ShowModeText(dc, display, ModeText(1, true));
  EXPECT_EQ(TextIn(boxes.mode), "WR ERR");

  ShowConnectionBreak(dc, display);
  EXPECT_EQ(TextIn(boxes.value[0]), "   please");
  EXPECT_EQ(TextIn(boxes.value[1]), "   wait...");
  ShowGradValues(dc, display, GradReading{12.345f, -3.2f}, 2);
  EXPECT_EQ(TextIn(boxes.value[0]), "    12.345");
  EXPECT_EQ(TextIn(boxes.value[1]), "    -3.200");
  ShowGradValues(dc, display, GradReading{1.0f, -3.2f}, 1);
  EXPECT_EQ(TextIn(boxes.value[0]), "     1.000");
  EXPECT_EQ(TextIn(boxes.value[1]), "");
  BlankValueBoxes(dc, display);
  EXPECT_EQ(TextIn(boxes.value[0]), "");

  ShowSpeedText(dc, display, 1.0e30f, 0, 0);  // clipped to its box, but drawn
  EXPECT_EQ(TextIn(boxes.speedText).substr(0, 7), "Speed:1");
  EXPECT_TRUE(ContextUnchanged());
}

TEST_F(LoggingScreenTest, BatteryLevelOrMains) {
  const std::vector<std::pair<platform::BatteryStatus, std::string>> cases{
      {{.onMains = false, .percent = 87}, " 87%"},
      {{.onMains = true, .percent = 100}, "100%"},
      {{.onMains = true, .percent = -1}, " AC"},
      {{.onMains = false, .percent = 255}, "  ?%"}};
  for (const auto& [battery, expected] : cases) {
    ShowBattery(dc, display, battery);
    EXPECT_EQ(TextIn(boxes.battery), expected) << battery.percent;
  }
}

}  // namespace
}  // namespace gradlog
