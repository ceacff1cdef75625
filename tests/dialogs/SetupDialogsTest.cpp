#include <gtest/gtest.h>

#include <array>
#include <string>

#include "dialogs/DialogTestBase.h"
#include "dialogs/GpsPortSetupDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "gps/SentenceSelection.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;
using Texts = std::array<std::string, 4>;
namespace mask_ids = controls::gps_warning_mask;

constexpr int TABS_TO_STATION_INCREMENT = 5,
              INCREMENT = controls::survey_setup::STATION_INCREMENT_EDIT;
// GPS Port Setup's tab stops from the input list: data type, port, baud, parity, data bits,
// stop bits, display rate, warning, quality, the PDOP edit, satellites.
constexpr int TABS_TO_DATA_TYPE = 1, TABS_TO_DISPLAY_RATE = 7, TABS_TO_SATELLITES = 11;

Texts ShownLabels(Hwnd dialog) {
  return {GetDlgItemText(dialog, mask_ids::WARNING_LABEL),
          GetDlgItemText(dialog, mask_ids::QUALITY_LABEL),
          GetDlgItemText(dialog, mask_ids::DOP_LABEL),
          GetDlgItemText(dialog, mask_ids::SATELLITES_LABEL)};
}

class SetupDialogTest : public testing::DialogTestBase {};

// No keystroke is corrected on its way: "0.25" starts with a zero. The form has neither a mode
// list nor a reading-rate field: OK fixes both, and the run restarts at the start station.
TEST_F(SetupDialogTest, SurveyStationIncrementIsStoredAsTyped) {
  config.settings.surveyMode = 2;
  config.readingIntervalMs = 200;
  config.settings.startStation = 10.0;
  config.currentStation = 55.0;
  dataFile.firstReadingDone = 1;
  script.Tab(TABS_TO_STATION_INCREMENT)
      .Type("0.25")
      .Check(DialogScript::Shows(INCREMENT, "0.25"))
      .Ok();
  EXPECT_EQ(RunSurveySetupDialog(config, dataFile, script.Start()), DIALOG_ACCEPTED);
  EXPECT_EQ(config.currentStationIncrement, 0.25f);
  EXPECT_EQ(config.readingIntervalMs, 1000);
  EXPECT_EQ(dataFile.firstReadingDone, 0);
  EXPECT_EQ(config.currentStation, 10.0);
  const SurveySettings saved = Saved();
  EXPECT_EQ(saved.stationIncrementAuto, 0.25f);
  EXPECT_EQ(saved.surveyMode, 0);
  EXPECT_EQ(saved.readingInterval, 1.0f);
}

// A cleared field, or one that does not read as a number, shows 1.000 once the focus leaves.
TEST_F(SetupDialogTest, SurveyStationIncrementReadingZeroShowsOneWhenTheFocusLeaves) {
  for (const std::string typed : {"\b", "0", "x"}) {
    SCOPED_TRACE(typed);
    DialogScript typing(test);
    typing.Tab(TABS_TO_STATION_INCREMENT)
        .Type(typed)
        .Check(DialogScript::Shows(INCREMENT, typed == "\b" ? "" : typed))
        .Tab()
        .Check([&](Hwnd dialog) {
          EXPECT_EQ(GetDlgItemText(dialog, INCREMENT), "1.000");
          EXPECT_TRUE(test.Screen().Trace().IsVisible("1.000"));
        });
    EXPECT_EQ(RunSurveySetupDialog(config, dataFile, typing.Cancel().Start()), DIALOG_CANCELLED);
  }
}

// A zero from a hand-edited settings file opens as 1.000; OK with the focus still in the field
// stores 1 for every way of reading zero.
TEST_F(SetupDialogTest, SurveyOpensAndStoresAZeroStationIncrementAsOne) {
  for (const std::string typed : {"", "\b", "0", "1e-50"}) {
    SCOPED_TRACE(typed);
    config.currentStationIncrement = typed.empty() ? 0.0f : 0.5f;
    DialogScript typing(test);
    typing.Check(DialogScript::Shows(INCREMENT, typed.empty() ? "1.000" : "0.500"))
        .Tab(TABS_TO_STATION_INCREMENT)
        .Type(typed)
        .Ok();
    EXPECT_EQ(RunSurveySetupDialog(config, dataFile, typing.Start()), DIALOG_ACCEPTED);
    EXPECT_EQ(config.currentStationIncrement, 1.0f);
    EXPECT_EQ(Saved().stationIncrementAuto, 1.0f);
  }
}

TEST_F(SetupDialogTest, GpsLabelsFollowTheDataTypeBeingChosen) {
  config.settings.gpsDataType = 5;
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(ShownLabels(dialog), (Texts{"N/A", "N/A", "N/A", "N/A"}));
      })
      .Tab(TABS_TO_DATA_TYPE)
      .Press(VK_HOME)
      .Press(VK_DOWN)
      .Check([&](Hwnd dialog) {
        EXPECT_EQ(ShownLabels(dialog), (Texts{"Warning", "Quality", "HDOP", "Satellites"}));
        EXPECT_TRUE(test.Screen().Trace().IsVisible("HDOP"));
      })
      .Cancel();
  EXPECT_EQ(RunGpsPortSetupDialog(config, gps, display, script.Start()), 0);
  EXPECT_EQ(config.settings.gpsDataType, 5);
}

// OK stores the choices and what derives from them. The total station sends label records, not
// sentences: choosing it keeps the previous sentence table.
TEST_F(SetupDialogTest, GpsOkStoresTheChoicesAndWhatDerivesFromThem) {
  struct Case {
    std::uint32_t key;  // in the data type list, from "GGA"
    int presses;
    std::int32_t dataType;
    std::string_view tag;
  };
  for (const Case& c : {Case{VK_END, 1, 8, "GGA"}, Case{VK_DOWN, 2, 3, "LLK"}}) {
    SCOPED_TRACE(c.dataType);
    config.settings = {};
    config.settings.gpsDataType = 1;
    SelectGpsSentence(gps.sentence, config.settings.gpsDataType);
    config.settings.gpsWarnSatellites = 12;
    display.mapViewShown = 1;
    DialogScript choosing(test);
    choosing.Check([](Hwnd dialog) {
      EXPECT_EQ(SendDlgItemMessage(dialog, mask_ids::SATELLITES_LIST, CB_GETCURSEL), 9);
    });
    choosing.Press(VK_UP).Tab(TABS_TO_DATA_TYPE).Press(c.key, c.presses);   // input: Disabled
    choosing.Tab(TABS_TO_DISPLAY_RATE - TABS_TO_DATA_TYPE).Press(VK_DOWN);  // 2 Hz
    choosing.Tab(3).Type("2.5").Tab().Press(VK_HOME).Ok();                  // 3 satellites
    EXPECT_EQ(RunGpsPortSetupDialog(config, gps, display, choosing.Start()), 0);
    EXPECT_EQ(std::string_view(gps.sentence.tag.data()), c.tag);
    EXPECT_EQ(display.mapViewShown, 0);
    EXPECT_EQ(config.gpsDisplayIntervalMs, 410);
    const SurveySettings s = Saved();
    EXPECT_EQ((std::array{s.gpsInput, s.gpsDataType, s.gpsDisplayRate, s.gpsWarnSatellites}),
              (std::array{0, c.dataType, 1, 3}));
    EXPECT_EQ(s.gpsWarnPdop, 2.5f);
  }
}

TEST_F(SetupDialogTest, GpsCancelAfterChangingEveryListLeavesTheFileAsItWas) {
  SaveSettings(config);
  const std::string before = testing::TempDeviceRoot::ReadFile(root.SettingsPath());
  for (int stop = 0; stop < TABS_TO_SATELLITES; ++stop)
    script.Press(VK_DOWN).Tab();
  script.Press(VK_DOWN).Cancel();
  EXPECT_EQ(RunGpsPortSetupDialog(config, gps, display, script.Start()), 0);
  EXPECT_EQ(testing::TempDeviceRoot::ReadFile(root.SettingsPath()), before);
  SaveSettings(config);  // nor did the record change
  EXPECT_EQ(testing::TempDeviceRoot::ReadFile(root.SettingsPath()), before);
}

TEST_F(SetupDialogTest, GpsWarningMaskShowsItsOwnLabelsAndSavesTheMask) {
  config.settings.gpsDataType = 4;
  script.Check(DialogScript::Shows(mask_ids::DOP_LABEL, "Quality in m"))
      .Press(VK_UP)  // warning: Disabled
      .Ok();
  EXPECT_EQ(RunGpsWarningMaskDialog(config, script.Start()), 0);
  EXPECT_EQ(Saved().gpsWarning, 0);
}

}  // namespace
}  // namespace gradlog
