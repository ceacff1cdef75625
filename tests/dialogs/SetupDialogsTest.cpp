#include <gtest/gtest.h>

#include <array>

#include "dialogs/AsciiFileDialog.h"
#include "dialogs/DialogTestBase.h"
#include "dialogs/LoggerSetupDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "dialogs/SystemSetupDialog.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;
namespace survey_ids = controls::survey_setup;
namespace system_ids = controls::system_setup;

constexpr int TABS_TO_STATION_INCREMENT = 5;

class SetupDialogTest : public testing::DialogTestBase {
 protected:
  std::string StationIncrementShown(Hwnd dialog) {
    return GetDlgItemText(dialog, survey_ids::STATION_INCREMENT_EDIT);
  }
};

// No keystroke is corrected on its way: "0.25" starts with a zero.
TEST_F(SetupDialogTest, SurveyStationIncrementIsStoredAsTyped) {
  script.Tab(TABS_TO_STATION_INCREMENT)
      .Type("0.25")
      .Check([&](Hwnd dialog) { EXPECT_EQ(StationIncrementShown(dialog), "0.25"); })
      .Ok();
  EXPECT_EQ(Run(RunSurveySetupDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.currentStationIncrement, 0.25f);
  EXPECT_EQ(Saved().stationIncrementAuto, 0.25f);
}

// Clearing the increment, or typing what does not read as a number, shows 1.000 once the
// focus leaves it.
TEST_F(SetupDialogTest, SurveyStationIncrementReadingZeroShowsOneWhenTheFocusLeaves) {
  for (const std::string typed : {"\b", "0", "x"}) {
    SCOPED_TRACE(typed);
    const std::string left = typed == "\b" ? "" : typed;
    DialogScript typing(test);
    typing.Tab(TABS_TO_STATION_INCREMENT)
        .Type(typed)
        .Check([&](Hwnd dialog) { EXPECT_EQ(StationIncrementShown(dialog), left); })
        .Tab()
        .Check([&](Hwnd dialog) {
          EXPECT_EQ(StationIncrementShown(dialog), "1.000");
          EXPECT_TRUE(test.Screen().Trace().IsVisible("1.000"));
        });
    EXPECT_EQ(RunSurveySetupDialog(app->config, app->dataFile, typing.Cancel().Start()),
              DIALOG_CANCELLED);
  }
}

// A zero from a hand-edited settings file is shown and saved as 1.
TEST_F(SetupDialogTest, SurveyOpensAZeroStationIncrementAsOne) {
  app->config.currentStationIncrement = 0.0f;
  script.Check([&](Hwnd dialog) { EXPECT_EQ(StationIncrementShown(dialog), "1.000"); }).Ok();
  EXPECT_EQ(Run(RunSurveySetupDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.currentStationIncrement, 1.0f);
  EXPECT_EQ(Saved().stationIncrementAuto, 1.0f);
}

// OK with the focus still in the field stores 1 as well, for every way of reading zero.
TEST_F(SetupDialogTest, SurveyOkStoresAZeroStationIncrementAsOne) {
  for (const char* typed : {"\b", "0", "1e-50"}) {
    SCOPED_TRACE(typed);
    app->config.currentStationIncrement = 0.5f;
    DialogScript typing(test);
    typing.Tab(TABS_TO_STATION_INCREMENT).Type(typed).Ok();
    EXPECT_EQ(RunSurveySetupDialog(app->config, app->dataFile, typing.Start()), DIALOG_ACCEPTED);
    EXPECT_EQ(app->config.currentStationIncrement, 1.0f);
    EXPECT_EQ(Saved().stationIncrementAuto, 1.0f);
  }
}

TEST_F(SetupDialogTest, SurveyOkWithoutChangesStillFixesModeAndReadingInterval) {
  app->config.settings.surveyMode = 2;
  app->config.readingIntervalMs = 200;
  app->dataFile.firstReadingDone = 1;
  app->config.settings.startStation = 10.0;
  app->config.currentStation = 55.0;
  script.Type("LINE-123456789").Ok();
  EXPECT_EQ(Run(RunSurveySetupDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.readingIntervalMs, 1000);
  EXPECT_EQ(app->dataFile.firstReadingDone, 0);
  EXPECT_EQ(app->config.currentStation, 10.0);
  const SurveySettings saved = Saved();
  EXPECT_EQ(saved.surveyMode, 0);
  EXPECT_EQ(saved.readingInterval, 1.0f);
  EXPECT_EQ(saved.surveyLine, "LINE-123456");
  const std::string file = testing::TempDeviceRoot::ReadFile(root.SettingsPath());
  EXPECT_NE(file.find("\r\n1.000000\r\n"), std::string::npos);
}

TEST_F(SetupDialogTest, SystemShowsAndStoresSensorsAndOffsets) {
  app->config.gpsOffsetX = 1.5f;
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(DialogScript::Selection(dialog, system_ids::SENSOR_COUNT_LIST), 1);  // 2 sensors
        EXPECT_EQ(GetDlgItemText(dialog, system_ids::OFFSET_X_EDIT), "1.50");
      })
      .Tab();
  script.Press(VK_UP).Tab().Type("-1.25").Ok();
  EXPECT_EQ(Run(RunSystemSetupDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.gpsOffsetX, -1.25f);
  EXPECT_EQ(Saved().gradSensorCount, 1);
}

TEST_F(SetupDialogTest, LoggerStoresEveryListAndTheCardOnlyWhenPresent) {
  for (const std::int32_t cardPresent : {1, 0}) {
    SCOPED_TRACE(cardPresent);
    if (cardPresent == 1)
      std::filesystem::create_directory(root.Path() / "Storage Card");
    else
      std::filesystem::remove(root.Path() / "Storage Card");
    app->config.settings = {};
    app->config.settings.audio = 0;  // every list starts on its first entry
    app->config.storageCardPresent = cardPresent;
    DialogScript choosing(test);
    for (int list = 0; list < 6; ++list)
      choosing.Press(VK_DOWN).Tab();
    EXPECT_EQ(RunLoggerSetupDialog(app->config, choosing.Ok().Start()), DIALOG_ACCEPTED);
    const SurveySettings s = Saved();
    EXPECT_EQ((std::array{s.instrumentPort, s.distanceUnits, s.speedUnits, s.audio, s.pauseKey}),
              (std::array{1, 1, 1, 1, 1}));
    EXPECT_EQ(s.dataStorage, cardPresent);
  }
}

TEST_F(SetupDialogTest, AsciiFileOkStoresTheThreeChoicesAndCancelNone) {
  script.Press(VK_END).Tab().Press(VK_HOME).Tab().Press(VK_DOWN, 3).Ok();
  EXPECT_EQ(Run(RunAsciiFileDialog), DIALOG_ACCEPTED);
  const SurveySettings saved = Saved();
  EXPECT_EQ(
      (std::array{saved.asciiLongitudeColumn, saved.asciiLatitudeColumn, saved.asciiDelimiter}),
      (std::array{9, 0, 3}));
  DialogScript cancelling(test);
  cancelling.Press(VK_HOME).Tab().Press(VK_END).Cancel();
  EXPECT_EQ(RunAsciiFileDialog(app->config, cancelling.Start()), DIALOG_CANCELLED);
  EXPECT_EQ(app->config.settings.asciiLongitudeColumn, 9);
}

}  // namespace
}  // namespace gradlog
