#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

#include "dialogs/DialogTestBase.h"
#include "dialogs/MapScaleDialog.h"
#include "dialogs/ProfileScaleDialog.h"
#include "dialogs/SpeedScaleDialog.h"

namespace gradlog {
namespace {

using namespace platform;

TEST(MapScaleCorrection, KeepsTheScalePositiveAndAtMost20GridLines) {
  struct Case {
    std::int32_t scale;
    double grid;
    std::optional<std::int32_t> newScale;
    std::optional<double> newGrid;
  };
  const Case cases[] = {
      {20, 1.0, {}, {}},     // exactly 20 lines
      {-7, 0.01, 1, 0.05},   // the ratio uses the corrected scale
      {500, -2.0, {}, 0.0},  // a negative grid: nothing else is checked
      {100, 0.0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.scale << " / " << c.grid);
    const MapScaleCorrection correction = CorrectMapScale(c.scale, c.grid);
    EXPECT_EQ(correction.scale, c.newScale);
    EXPECT_EQ(correction.gridInterval, c.newGrid);
  }
}

class ScaleDialogTest : public testing::DialogTestBase {};

TEST_F(ScaleDialogTest, MapEntriesAreCorrectedWhileTypedAndOkRescales) {
  app->config.settings.mapScale = 10;
  app->config.settings.mapGridInterval = 1.0f;
  script.Type("100")
      .Check([&](Hwnd dialog) {
        EXPECT_EQ(GetDlgItemText(dialog, 849), "5.00");
        EXPECT_TRUE(test.Screen().Trace().IsVisible("5.00"));
      })
      .Type("\b\b\b")
      .Check([](Hwnd dialog) { EXPECT_EQ(GetDlgItemText(dialog, 848), "1"); });
  script.Press(VK_END).Type("00").Ok();
  EXPECT_EQ(Run(RunMapScaleDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.settings.mapGridInterval, 5.0f);
  EXPECT_DOUBLE_EQ(app->display.map.pixelsPerUnit, app->display.map.extent / 100.0);
  EXPECT_EQ(Saved().mapScale, 100);
}

TEST_F(ScaleDialogTest, ProfileMaximumNotAboveTheMinimumBecomesItPlus100) {
  int curveRestarts = 0;
  app->display.restartProfileCurves = [&] { ++curveRestarts; };
  script.Type("500").Tab().Type("200").Ok();
  EXPECT_EQ(Run(RunProfileScaleDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(Saved().profileMax, 600.0f);
  EXPECT_EQ(curveRestarts, 1);
}

// An infinite scale is stored as such; only its conversion to a bar length would be undefined.
TEST_F(ScaleDialogTest, SpeedMaximumEqualToTheMinimumGivesAnInfiniteScale) {
  const std::pair<const char*, float> cases[] = {{"5", 43.0f},
                                                 {"0", std::numeric_limits<float>::infinity()}};
  for (const auto& [typed, scale] : cases) {
    SCOPED_TRACE(typed);
    app->config.settings.speedMax = 10.0f;
    testing::DialogScript typing(test);
    typing.Check([](Hwnd dialog) { EXPECT_EQ(GetDlgItemText(dialog, 903), "10.00"); }).Type(typed);
    EXPECT_EQ(RunSpeedScaleDialog(app->config, app->display, typing.Ok().Start()), DIALOG_ACCEPTED);
    EXPECT_EQ(app->display.speedPixelsPerUnit, scale);  // curveWidth 215 over 0..speedMax
    EXPECT_EQ(Saved().speedMax, app->config.settings.speedMax);
  }
}

}  // namespace
}  // namespace gradlog
