#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "datafile/DataFile.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/DialogTestBase.h"
#include "dialogs/MapScaleDialog.h"
#include "dialogs/NewLineDialog.h"
#include "dialogs/NewStationDialog.h"
#include "dialogs/ProfileScaleDialog.h"
#include "platform/sys/Files.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;
namespace map_ids = controls::map_scale;

constexpr std::int32_t WEST = LINE_DIRECTION_WEST, SOUTH = LINE_DIRECTION_SOUTH,
                       NORTH = LINE_DIRECTION_NORTH, EAST = LINE_DIRECTION_EAST;

// The dialogs of the logging window's menu, in a run at station 120 counting up by 0.5 from 10,
// with an open data file and a map at a scale of 10 with a 1.00 grid.
class MenuDialogTest : public testing::DialogTestBase {
 protected:
  void SetUp() override {
    config.settings.lineIncrement = 1.0f;
    config.settings.startStation = 10.0;
    config.currentStation = 120.0;
    config.currentStationIncrement = 0.5f;
    dataFile.firstReadingDone = 1;
    config.settings.mapScale = 10;
    config.settings.mapGridInterval = 1.0f;
    display.restartProfileCurves = [this] { ++curveRestarts; };
    ASSERT_TRUE(CreateDirectoryPath("C_DRIVE\\DATAZEP601"));
    dataFile.dataFileHandle.Set(DataFile::Create("C_DRIVE\\DATAZEP601\\120510A.601"));
    ASSERT_NE(dataFile.dataFileHandle.Get(), nullptr);
  }

  // Each record's marker and its first 11 characters, spaces shown as '_'.
  std::vector<std::string> Records() {
    EXPECT_TRUE(dataFile.dataFileHandle.Get()->Sync());
    const std::string bytes =
        testing::TempDeviceRoot::ReadFile(root.Path() / "C_DRIVE/DATAZEP601/120510A.601");
    std::vector<std::string> records;
    for (std::size_t at = 0; at + RECORD_LENGTH <= bytes.size(); at += RECORD_LENGTH) {
      records.push_back(bytes.substr(at, 12));
      std::ranges::replace(records.back(), ' ', '_');
    }
    return records;
  }

  int curveRestarts = 0;
};

// Line, sequence, direction -> proposed line, direction, start station, increment.
TEST_F(MenuDialogTest, NewLineProposalWalksBackOnAlternateLinesOnly) {
  struct Case {
    std::string line;
    std::int32_t sequence, direction;
    double newLine;
    std::int32_t newDirection;
    double start;
    float increment;
  };
  const Case cases[] = {{"7", 0, WEST, 8.0, EAST, 120.0, -0.5f},
                        {"A7", 1, SOUTH, 1.0, SOUTH, 10.0, 0.5f},  // a name that is no number
                        {"-2.5", 0, 9, -1.5, 9, 120.0, -0.5f}};    // a direction off the list
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    config.settings.surveyLine = c.line;
    config.settings.lineSequence = c.sequence;
    config.settings.lineDirection = c.direction;
    const NewLineProposal p = ProposeNewLine(config);
    EXPECT_EQ(p.line, c.newLine);
    EXPECT_EQ(p.direction, c.newDirection);
    EXPECT_EQ(p.startStation, c.start);
    EXPECT_EQ(p.stationIncrement, c.increment);
  }
}

// OK takes the proposal as shown; the run goes on counting stations as it did.
TEST_F(MenuDialogTest, NewLineOkTakesTheShownProposal) {
  config.settings.surveyLine = "7";
  config.settings.lineDirection = SOUTH;
  EXPECT_EQ(RunNewLineDialog(config, script.Ok().Start()), DIALOG_ACCEPTED);
  EXPECT_EQ(config.settings.surveyLine, "8.00");
  EXPECT_EQ(config.settings.lineDirection, NORTH);
  EXPECT_EQ(config.settings.startStation, 120.0);
  EXPECT_EQ(config.currentStationIncrement, -0.5f);
  EXPECT_EQ(dataFile.firstReadingDone, 1);
}

TEST_F(MenuDialogTest, NewStationWithAnEmptyEditRestartsAtZero) {
  display.redrawStationBox = [&] { EXPECT_EQ(config.currentStation, 0.0); };
  script.Check(DialogScript::Shows(controls::new_station::LAST_STATION_TEXT, "120.000")).Ok();
  EXPECT_EQ(RunNewStationDialog(config, dataFile, display, script.Start()), DIALOG_ACCEPTED);
  EXPECT_EQ(config.currentStation, 0.0);
  EXPECT_EQ(dataFile.firstReadingDone, 0);
  EXPECT_EQ(curveRestarts, 1);
  const std::vector<std::string> records = Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], "S_______0.00");
  EXPECT_EQ(records[1][0], '*');
}

TEST_F(MenuDialogTest, CommentIsWrittenOnOkOnly) {
  EXPECT_EQ(RunCommentDialog(dataFile, script.Type("MAGNETIC ANOMALY").Ok().Start()),
            DIALOG_ACCEPTED);
  DialogScript cancelling(test);
  EXPECT_EQ(RunCommentDialog(dataFile, cancelling.Type("NOT THIS").Cancel().Start()),
            DIALOG_CANCELLED);
  EXPECT_EQ(Records(), std::vector<std::string>{"CMAGNETIC_AN"});
}

// The focus starts in the scale; a Tab moves between the scale and the grid interval. A grid
// typed after the scale is stored as typed: "25" starts with "2", too fine for a scale of 100.
TEST_F(MenuDialogTest, MapEntriesAreCorrectedWhenTheFocusLeavesNotWhileTyped) {
  script.Type("100")
      .Check(DialogScript::Shows(map_ids::GRID_EDIT, "1.00"))
      .Tab()
      .Check([&](Hwnd dialog) {
        EXPECT_EQ(GetDlgItemText(dialog, map_ids::GRID_EDIT), "5.00");
        EXPECT_TRUE(test.Screen().Trace().IsVisible("5.00"));
      })
      .Tab()
      .Type("\b")
      .Check(DialogScript::Shows(map_ids::SCALE_EDIT, ""))
      .Tab()
      .Check(DialogScript::Shows(map_ids::SCALE_EDIT, "1"));
  script.Tab().Type("100").Tab().Type("25").Ok();
  EXPECT_EQ(RunMapScaleDialog(config, display.map, script.Start()), DIALOG_ACCEPTED);
  EXPECT_DOUBLE_EQ(display.map.pixelsPerUnit, display.map.extent / 100.0);
  const SurveySettings saved = Saved();
  EXPECT_EQ(saved.mapScale, 100);
  EXPECT_EQ(saved.mapGridInterval, 25.0f);
}

// OK with the focus still in a field stores the corrected entries: a scale of at least 1 and
// at most 20 grid lines, the ratio taken with the corrected scale; a negative grid becomes none.
TEST_F(MenuDialogTest, MapOkStoresCorrectedEntries) {
  struct Case {
    int tabs;  // 0: the scale is typed, 1: the grid interval
    const char* typed;
    std::int32_t scale;
    float grid;
  };
  const Case cases[] = {{0, "0", 1, 0.05f},   {0, "400", 400, 20.0f}, {1, "0.5", 10, 0.5f},
                        {1, "0.4", 10, 0.5f}, {1, "0", 10, 0.0f},     {1, "-3", 10, 0.0f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    config.settings.mapScale = 10;
    config.settings.mapGridInterval = 0.01f;
    DialogScript typing(test);
    EXPECT_EQ(RunMapScaleDialog(config, display.map, typing.Tab(c.tabs).Type(c.typed).Ok().Start()),
              DIALOG_ACCEPTED);
    const SurveySettings saved = Saved();
    EXPECT_EQ(saved.mapScale, c.scale);
    EXPECT_EQ(saved.mapGridInterval, c.grid);
  }
}

TEST_F(MenuDialogTest, ProfileMaximumNotAboveTheMinimumBecomesItPlus100) {
  EXPECT_EQ(
      RunProfileScaleDialog(config, display, script.Type("500").Tab().Type("200").Ok().Start()),
      DIALOG_ACCEPTED);
  EXPECT_EQ(Saved().profileMax, 600.0f);
  EXPECT_EQ(curveRestarts, 1);
}

}  // namespace
}  // namespace gradlog
