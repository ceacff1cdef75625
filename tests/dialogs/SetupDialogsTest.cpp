#include <gtest/gtest.h>

#include <array>

#include "dialogs/AsciiFileDialog.h"
#include "dialogs/DialogTestBase.h"
#include "dialogs/LoggerSetupDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "dialogs/SystemSetupDialog.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;

class SetupDialogTest : public testing::DialogTestBase {};

// Clearing the increment, or typing what does not read as a number, shows 1.000 at once.
TEST_F(SetupDialogTest, SurveyStationIncrementReadingZeroShows1AtOnce) {
  for (const char* typed : {"\b", "0", "x"}) {
    SCOPED_TRACE(typed);
    DialogScript typing(test);
    typing.Tab(5).Type(typed).Check([&](Hwnd dialog) {
      EXPECT_EQ(GetDlgItemText(dialog, 629), "1.000");
      EXPECT_TRUE(test.Screen().Trace().IsVisible("1.000"));
    });
    EXPECT_EQ(RunSurveySetupDialog(app->config, app->dataFile, typing.Cancel().Start()),
              DIALOG_CANCELLED);
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
        EXPECT_EQ(DialogScript::Selection(dialog, 831), 1);  // 2 sensors
        EXPECT_EQ(GetDlgItemText(dialog, 833), "1.50");
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
