#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/FirstStartSettings.h"

namespace e2e {

// A device root whose settings have GPS input disabled, and gradsim playing the instrument
// on COM1 with `options`; its stdout and stderr go to files in the root.
class SurveyRun {
 public:
  explicit SurveyRun(std::vector<std::string> simulatorOptions,
                     std::vector<std::pair<std::size_t, std::string>> settingsLines = {}) {
    std::vector<std::string> lines = testing_support::FirstStartLines();
    lines[GPS_INPUT_LINE] = "0";
    for (const auto& line : settingsLines)
      lines[line.first] = line.second;
    testing_support::TempFolder::WriteFile(Root() / "C_DRIVE" / "KELINI" / "Z601CX.INI",
                                           testing_support::JoinCrLf(lines));
    simulatorOptions.insert(simulatorOptions.begin(),
                            {GRADSIM_BINARY, "--root", Root().string(), "--no-gps"});
    simulator_.emplace(std::move(simulatorOptions), std::vector<std::string>{}, Root());
    EXPECT_TRUE(WaitFor([this] { return std::filesystem::exists(Root() / "dev" / "COM1"); },
                        std::chrono::seconds(10)));
  }

  std::filesystem::path Root() const { return folder_.Path(); }

  // The logger headless on the root with the script, its stderr in the root.
  ChildProcess StartLogger(const std::string& script) {
    const std::filesystem::path path = Root() / "run.script";
    testing_support::TempFolder::WriteFile(path, script);
    const std::filesystem::path output = Root() / "logger";
    std::filesystem::create_directories(output);
    return ChildProcess({GRADLOG_BINARY, "--root", Root().string(), "--display", "headless",
                         "--script", path.string()},
                        {}, output);
  }

  // What the logger printed on stderr, for the message of a failed check.
  std::string LoggerErrors() const {
    return testing_support::TempFolder::ReadFile(Root() / "logger" / "stderr");
  }

  // The one data file of the run; empty while there is none.
  std::filesystem::path DataFile() const {
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(Root() / "C_DRIVE" / "DATAZEP601", error)) {
      if (entry.path().extension() == ".601")
        return entry.path();
    }
    return {};
  }

  static constexpr std::size_t GPS_INPUT_LINE = 35;
  static constexpr std::size_t PAUSE_KEY_LINE = 7;

 private:
  testing_support::TempFolder folder_;
  std::optional<ChildProcess> simulator_;
};

// The records of a data file, each without its line feed; the test fails when the file is
// not made of whole 27-byte records.
inline std::vector<std::string> WholeRecords(const std::filesystem::path& file) {
  const std::string bytes = testing_support::TempFolder::ReadFile(file);
  EXPECT_EQ(bytes.size() % 27, 0u) << "a record is cut";
  std::vector<std::string> records;
  for (std::size_t at = 0; at + 27 <= bytes.size(); at += 27) {
    EXPECT_EQ(bytes[at + 26], '\n') << "record " << at / 27;
    records.push_back(bytes.substr(at, 26));
  }
  return records;
}

// The reading texts of the file's groups, checking that every group is whole ('T', '='..., '>')
// and that their counts run from 000001 without a gap.
inline std::vector<std::string> ReadingGroups(const std::vector<std::string>& records) {
  std::vector<std::string> readings;
  std::string text;
  bool open = false;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const char marker = records[i][0];
    if (marker == 'T' || marker == '=') {
      EXPECT_EQ(marker == '=', open) << "record " << i << " starts or continues no group";
      text = (marker == 'T' ? std::string() : text) + records[i].substr(1);
      open = true;
    } else if (marker == '>') {
      EXPECT_TRUE(open) << "record " << i << " ends no group";
      char count[8];
      std::snprintf(count, sizeof count, "%06zu", readings.size() + 1);
      EXPECT_EQ(records[i].substr(1, 6), count) << "record " << i;
      readings.push_back(text.substr(0, text.find_last_not_of(' ') + 1));
      open = false;
    } else {
      EXPECT_FALSE(open) << "record " << i << " inside a group";
    }
  }
  EXPECT_FALSE(open) << "the last group has no end";
  return readings;
}

// The texts of the event ('X') or comment ('C') records, in order.
inline std::vector<std::string> TextRecords(const std::vector<std::string>& records, char marker) {
  std::vector<std::string> texts;
  for (const std::string& record : records) {
    if (record[0] == marker)
      texts.push_back(record.substr(1, 11));
  }
  return texts;
}

}  // namespace e2e
