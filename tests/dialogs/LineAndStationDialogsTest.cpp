#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/DataFile.h"
#include "datafile/RecordText.h"
#include "dialogs/CommentDialog.h"
#include "dialogs/DialogTestBase.h"
#include "dialogs/NewLineDialog.h"
#include "dialogs/NewStationDialog.h"
#include "platform/sys/Files.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using namespace platform;
using testing::DialogScript;
namespace line_ids = controls::new_line;

constexpr std::int32_t WEST = LINE_DIRECTION_WEST, SOUTH = LINE_DIRECTION_SOUTH,
                       NORTH = LINE_DIRECTION_NORTH, EAST = LINE_DIRECTION_EAST;

class NewLineTest : public testing::DialogTestBase {
 protected:
  void SetUp() override {
    app->config.settings.surveyLine = "7";
    app->config.settings.lineIncrement = 1.0f;
    app->config.settings.lineDirection = SOUTH;
    app->config.settings.startStation = 10.0;
    app->config.currentStation = 120.0;
    app->config.currentStationIncrement = 0.5f;
    app->dataFile.firstReadingDone = 1;
  }
};

// Line, sequence, direction -> proposed line, direction, start station, increment.
TEST_F(NewLineTest, ProposalWalksBackOnAlternateLinesOnly) {
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
    app->config.settings.surveyLine = c.line;
    app->config.settings.lineSequence = c.sequence;
    app->config.settings.lineDirection = c.direction;
    const NewLineProposal p = ProposeNewLine(app->config);
    EXPECT_EQ(p.line, c.newLine);
    EXPECT_EQ(p.direction, c.newDirection);
    EXPECT_EQ(p.startStation, c.start);
    EXPECT_EQ(p.stationIncrement, c.increment);
  }
}

TEST_F(NewLineTest, OkTakesTheShownProposalAndCancelNothing) {
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(GetDlgItemText(dialog, line_ids::NEW_LINE_EDIT), "8.00");
        EXPECT_EQ(DialogScript::Selection(dialog, line_ids::DIRECTION_LIST), NORTH);
        EXPECT_EQ(GetDlgItemText(dialog, line_ids::START_STATION_EDIT), "120.000");
        EXPECT_EQ(GetDlgItemText(dialog, line_ids::STATION_INCREMENT_EDIT), "-0.500");
      })
      .Ok();
  EXPECT_EQ(Run(RunNewLineDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.settings.surveyLine, "8.00");
  EXPECT_EQ(app->config.settings.lineDirection, NORTH);
  EXPECT_EQ(app->config.settings.startStation, 120.0);
  EXPECT_EQ(app->config.currentStationIncrement, -0.5f);
  EXPECT_EQ(app->dataFile.firstReadingDone, 1);
  DialogScript cancelling(test);
  cancelling.Type("99").Tab(5).Type("500").Cancel();
  EXPECT_EQ(RunNewLineDialog(app->config, cancelling.Start()), DIALOG_CANCELLED);
  EXPECT_EQ(app->config.settings.surveyLine, "8.00");
  EXPECT_FALSE(std::filesystem::exists(root.SettingsPath()));
}

// New Station and Enter Comment write into the open data file.
class DataFileDialogTest : public testing::DialogTestBase {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryPath("C_DRIVE\\DATAZEP601"));
    app->dataFile.dataFileHandle.Set(DataFile::Create("C_DRIVE\\DATAZEP601\\120510A.601"));
    ASSERT_NE(app->dataFile.dataFileHandle.Get(), nullptr);
  }

  // Each record's marker and its first 11 characters, spaces shown as '_'.
  std::vector<std::string> Records() {
    EXPECT_TRUE(app->dataFile.dataFileHandle.Get()->Sync());
    const std::string bytes =
        testing::TempDeviceRoot::ReadFile(root.Path() / "C_DRIVE/DATAZEP601/120510A.601");
    std::vector<std::string> records;
    for (std::size_t at = 0; at + RECORD_LENGTH <= bytes.size(); at += RECORD_LENGTH)
      records.push_back(testing::Shown(bytes.substr(at, RECORD_LENGTH)).substr(0, 12));
    return records;
  }
};

TEST_F(DataFileDialogTest, NewStationWithAnEmptyEditRestartsAtZero) {
  int curveRestarts = 0;
  app->display.restartProfileCurves = [&] { ++curveRestarts; };
  app->display.redrawStationBox = [&] { EXPECT_EQ(app->config.currentStation, 0.0); };
  app->config.currentStation = 120.0;
  app->dataFile.firstReadingDone = 1;
  script
      .Check([](Hwnd dialog) {
        EXPECT_EQ(GetDlgItemText(dialog, controls::new_station::LAST_STATION_TEXT), "120.000");
      })
      .Ok();
  EXPECT_EQ(Run(RunNewStationDialog), DIALOG_ACCEPTED);
  EXPECT_EQ(app->config.currentStation, 0.0);
  EXPECT_EQ(app->dataFile.firstReadingDone, 0);
  EXPECT_EQ(curveRestarts, 1);
  const std::vector<std::string> records = Records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], "S_______0.00");
  EXPECT_EQ(records[1][0], '*');
}

TEST_F(DataFileDialogTest, CommentIsWrittenOnOkOnly) {
  script.Type("MAGNETIC ANOMALY").Ok();
  EXPECT_EQ(Run(RunCommentDialog), DIALOG_ACCEPTED);
  DialogScript cancelling(test);
  EXPECT_EQ(RunCommentDialog(app->dataFile, cancelling.Type("NOT THIS").Cancel().Start()),
            DIALOG_CANCELLED);
  EXPECT_EQ(Records(), std::vector<std::string>{"CMAGNETIC_AN"});
}

}  // namespace
}  // namespace gradlog
