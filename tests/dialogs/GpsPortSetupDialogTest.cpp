#include "dialogs/GpsPortSetupDialog.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "dialogs/DialogTestBase.h"
#include "gps/SentenceSelection.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;
using Texts = std::array<std::string, 4>;
namespace mask_ids = controls::gps_warning_mask;

// Tab stops from the input list: data type, port, baud, parity, data bits, stop bits, display
// rate, warning, quality, the PDOP edit, satellites.
constexpr int TABS_TO_DATA_TYPE = 1, TABS_TO_DISPLAY_RATE = 7, TABS_TO_SATELLITES = 11;

Texts ShownLabels(Hwnd dialog) {
  return {GetDlgItemText(dialog, mask_ids::WARNING_LABEL),
          GetDlgItemText(dialog, mask_ids::QUALITY_LABEL),
          GetDlgItemText(dialog, mask_ids::DOP_LABEL),
          GetDlgItemText(dialog, mask_ids::SATELLITES_LABEL)};
}

class GpsPortSetupTest : public testing::DialogTestBase {};

TEST_F(GpsPortSetupTest, LabelsFollowTheDataTypeBeingChosen) {
  app->config.settings.gpsDataType = 5;
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
  EXPECT_EQ(Run(RunGpsPortSetupDialog), 0);
  EXPECT_EQ(app->config.settings.gpsDataType, 5);
}

TEST_F(GpsPortSetupTest, OkStoresTheChoicesAndWhatDerivesFromThem) {
  app->config.settings.gpsWarnSatellites = 12;
  app->display.mapViewShown = 1;
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(DialogScript::Selection(dialog, mask_ids::SATELLITES_LIST), 9);
      })
      .Press(VK_UP);                                    // input: Disabled
  script.Tab(TABS_TO_DISPLAY_RATE).Press(VK_DOWN);      // 2 Hz
  script.Tab(3).Type("2.5").Tab().Press(VK_HOME).Ok();  // 3 satellites
  EXPECT_EQ(Run(RunGpsPortSetupDialog), 0);
  EXPECT_EQ(app->display.mapViewShown, 0);
  EXPECT_EQ(app->config.gpsDisplayIntervalMs, 410);
  const SurveySettings saved = Saved();
  EXPECT_EQ((std::array{saved.gpsInput, saved.gpsDisplayRate, saved.gpsWarnSatellites}),
            (std::array{0, 1, 3}));
  EXPECT_EQ(saved.gpsWarnPdop, 2.5f);
}

TEST_F(GpsPortSetupTest, CancelAfterChangingEveryListLeavesTheFileAsItWas) {
  SaveSettings(app->config);
  const std::string before = testing::TempDeviceRoot::ReadFile(root.SettingsPath());
  for (int stop = 0; stop < TABS_TO_SATELLITES; ++stop)
    script.Press(VK_DOWN).Tab();
  script.Press(VK_DOWN).Cancel();
  EXPECT_EQ(Run(RunGpsPortSetupDialog), 0);
  EXPECT_EQ(testing::TempDeviceRoot::ReadFile(root.SettingsPath()), before);
  SaveSettings(app->config);  // nor did the record change
  EXPECT_EQ(testing::TempDeviceRoot::ReadFile(root.SettingsPath()), before);
}

TEST_F(GpsPortSetupTest, TheTotalStationKeepsThePreviousSentenceTable) {
  struct Case {
    std::uint32_t key;  // in the data type list, from "GGA"
    int presses;
    std::int32_t dataType;
    std::string_view tag;
    std::int32_t fieldCount;
  };
  for (const Case& c : {Case{VK_END, 1, 8, "GGA", 7}, Case{VK_DOWN, 2, 3, "LLK", 5}}) {
    SCOPED_TRACE(c.dataType);
    app->config.settings.gpsDataType = 1;
    SelectGpsSentence(app->gps.sentence, app->config.settings.gpsDataType);
    DialogScript choosing(test);
    choosing.Tab(TABS_TO_DATA_TYPE).Press(c.key, c.presses).Ok();
    EXPECT_EQ(RunGpsPortSetupDialog(app->config, app->gps, app->display, choosing.Start()), 0);
    EXPECT_EQ(app->config.settings.gpsDataType, c.dataType);
    EXPECT_EQ(std::string_view(app->gps.sentence.tag.data()), c.tag);
    EXPECT_EQ(app->gps.sentence.fieldCount, c.fieldCount);
  }
}

TEST_F(GpsPortSetupTest, WarningMaskShowsItsOwnLabelsAndStoresTheMask) {
  app->config.settings.gpsDataType = 4;
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(GetDlgItemText(dialog, mask_ids::DOP_LABEL), "Quality in m");
      })
      .Press(VK_UP);
  script.Tab().Press(VK_DOWN).Tab().Type("1.5").Tab().Press(VK_END).Ok();
  EXPECT_EQ(Run(RunGpsWarningMaskDialog), 0);
  const SurveySettings saved = Saved();
  EXPECT_EQ((std::array{saved.gpsWarning, saved.gpsWarnQuality, saved.gpsWarnSatellites}),
            (std::array{0, 2, 12}));
  EXPECT_EQ(saved.gpsWarnPdop, 1.5f);
}

}  // namespace
}  // namespace gradlog
