#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "support/FirstStartSettings.h"
#include "support/TempFolder.h"

namespace {

using testing_support::TempFolder;

// Indexes into the settings file's lines (line number - 1).
constexpr std::size_t DISTANCE_UNITS_LINE = 3;
constexpr std::size_t GPS_DATA_TYPE_LINE = 36;
constexpr std::size_t STATION_INCREMENT_LINE = 46;
constexpr std::size_t READING_INTERVAL_LINE = 49;
constexpr std::size_t DATA_STORAGE_LINE = 55;

// The start-screen commands driven as a person would, headless, against the settings file.
class SetupDialogsRun : public ::testing::Test {
 protected:
  SetupDialogsRun() {
    std::filesystem::create_directories(settings.parent_path());
    TempFolder::WriteFile(settings, testing_support::JoinCrLf(firstStart));
  }

  // Runs the script (the start screen is left with X) and says whether it ended well.
  bool RunScript(const std::string& steps) {
    const auto script = folder.Path() / "steps.script";
    TempFolder::WriteFile(script, "wait 300\n" + steps + "wait 200\nkey X\n");
    return e2e::RunGradlogHeadless(folder.Path(), script) == 0;
  }

  std::vector<std::string> SavedLines() {
    std::vector<std::string> lines;
    const std::string text = TempFolder::ReadFile(settings);
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }

  TempFolder folder;
  const std::filesystem::path settings = folder.Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
  std::vector<std::string> firstStart = testing_support::FirstStartLines();
};

// The cleared field shows 1.000 once the focus leaves it.
TEST_F(SetupDialogsRun, ClearingTheStationIncrementShowsOneAndOkStoresTheReadingInterval) {
  ASSERT_TRUE(
      RunScript("key S\nexpect Stn Increment\n"
                "key Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\ntype 25\nexpect 25\n"
                "key Backspace\nkey Backspace\nkey Tab\nexpect 1.000\nkey Enter\n"));
  const std::vector<std::string> saved = SavedLines();
  ASSERT_EQ(saved.size(), firstStart.size());
  EXPECT_EQ(saved[STATION_INCREMENT_LINE], "1.000000");
  EXPECT_EQ(saved[READING_INTERVAL_LINE], "1.000000");
}

TEST_F(SetupDialogsRun, AStationIncrementStartingWithZeroIsSavedAsTyped) {
  ASSERT_TRUE(
      RunScript("key S\nexpect Stn Increment\n"
                "key Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\ntype 0.25\nkey Enter\n"));
  const std::vector<std::string> saved = SavedLines();
  ASSERT_EQ(saved.size(), firstStart.size());
  EXPECT_EQ(saved[STATION_INCREMENT_LINE], "0.250000");
}

TEST_F(SetupDialogsRun, StorageCardWithoutACardStoresTheInternalDrive) {
  ASSERT_TRUE(RunScript(
      "key O\nexpect Data Storage\n"
      "key Tab\nkey Down\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Down\nexpect Storage Card\n"
      "key Enter\n"));
  const std::vector<std::string> saved = SavedLines();
  ASSERT_EQ(saved.size(), firstStart.size());
  EXPECT_EQ(saved[DISTANCE_UNITS_LINE], "1");  // the dialog's other choice was stored
  EXPECT_EQ(saved[DATA_STORAGE_LINE], "0");
}

TEST_F(SetupDialogsRun, DataTypeLabelsFollowTheListAndCancelLeavesTheFileAlone) {
  ASSERT_EQ(firstStart[GPS_DATA_TYPE_LINE], "0");
  const std::string before = TempFolder::ReadFile(settings);
  ASSERT_TRUE(
      RunScript("key G\nexpect GPS Port Setup\nkey Tab\n"
                "key Down\nkey Down\nkey Down\nkey Down\nkey Down\nexpect GLL\nexpect N/A\n"
                "key Up\nkey Up\nkey Up\nkey Up\nexpect HDOP\nexpect Satellites\nexpect Quality\n"
                "key Escape\n"));
  EXPECT_EQ(TempFolder::ReadFile(settings), before);
}

}  // namespace
