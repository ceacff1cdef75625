#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <utility>

#include "dialogs/DialogTestBase.h"
#include "dialogs/MapScaleDialog.h"
#include "dialogs/ProfileScaleDialog.h"
#include "dialogs/SpeedScaleDialog.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
namespace map_ids = controls::map_scale;

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

class MapScaleDialogTest : public testing::DialogTestBase {
 protected:
  void SetUp() override {
    app->config.settings.mapScale = 10;
    app->config.settings.mapGridInterval = 1.0f;
  }
  static std::string ScaleShown(Hwnd dialog) { return GetDlgItemText(dialog, map_ids::SCALE_EDIT); }
  static std::string GridShown(Hwnd dialog) { return GetDlgItemText(dialog, map_ids::GRID_EDIT); }
};

// The focus starts in the scale; a Tab moves between the scale and the grid interval.
TEST_F(MapScaleDialogTest, EntriesAreCorrectedWhenTheFocusLeavesAndOkRescales) {
  script.Type("100")
      .Check([](Hwnd dialog) { EXPECT_EQ(GridShown(dialog), "1.00"); })
      .Tab()
      .Check([&](Hwnd dialog) {
        EXPECT_EQ(GridShown(dialog), "5.00");
        EXPECT_TRUE(test.Screen().Trace().IsVisible("5.00"));
      })
      .Tab()
      .Type("\b")
      .Check([](Hwnd dialog) { EXPECT_EQ(ScaleShown(dialog), ""); })
      .Tab()
      .Check([](Hwnd dialog) { EXPECT_EQ(ScaleShown(dialog), "1"); });
  script.Tab().Type("100").Ok();
  EXPECT_EQ(Run(RunMapScaleDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.settings.mapGridInterval, 5.0f);
  EXPECT_DOUBLE_EQ(app->display.map.pixelsPerUnit, app->display.map.extent / 100.0);
  EXPECT_EQ(Saved().mapScale, 100);
}

// "25" starts with "2", a grid too fine for the scale of 100 while it is being typed.
TEST_F(MapScaleDialogTest, GridIntervalTypedAfterTheScaleIsStoredAsTyped) {
  script.Type("100").Tab().Type("25").Ok();
  EXPECT_EQ(Run(RunMapScaleDialog), DIALOG_ACCEPTED);
  const SurveySettings saved = Saved();
  EXPECT_EQ(saved.mapScale, 100);
  EXPECT_EQ(saved.mapGridInterval, 25.0f);
}

// OK with the focus still in a field stores the corrected entries.
TEST_F(MapScaleDialogTest, OkStoresCorrectedEntries) {
  struct Case {
    int tabs;
    const char* typed;
    std::int32_t scale;
    float grid;
  };
  const Case cases[] = {{0, "400", 400, 20.0f}, {1, "-3", 10, 0.0f}, {0, "0", 1, 1.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    app->config.settings.mapScale = 10;
    app->config.settings.mapGridInterval = 1.0f;
    testing::DialogScript typing(test);
    typing.Tab(c.tabs).Type(c.typed).Ok();
    EXPECT_EQ(RunMapScaleDialog(app->config, app->display.map, typing.Start()), DIALOG_ACCEPTED);
    const SurveySettings saved = Saved();
    EXPECT_EQ(saved.mapScale, c.scale);
    EXPECT_EQ(saved.mapGridInterval, c.grid);
  }
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
    typing
        .Check([](Hwnd dialog) {
          EXPECT_EQ(GetDlgItemText(dialog, controls::speed_scale::MAX_SPEED_EDIT), "10.00");
        })
        .Type(typed);
    EXPECT_EQ(RunSpeedScaleDialog(app->config, app->display, typing.Ok().Start()), DIALOG_ACCEPTED);
    EXPECT_EQ(app->display.speedPixelsPerUnit, scale);  // curveWidth 215 over 0..speedMax
    EXPECT_EQ(Saved().speedMax, app->config.settings.speedMax);
  }
}

}  // namespace
}  // namespace gradlog
