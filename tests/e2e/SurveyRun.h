#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/FirstStartSettings.h"

namespace e2e {

constexpr std::size_t RECORD_BYTES = 27;

// Script lines from the start screen to a run standing by with a new file of the proposed name.
inline const std::string OPEN_DATA_FILE =
    "wait 1000\nkey L\nwait 800\nkey F\nwait 800\nkey Enter\nwait 800\nexpect Stand By\n";
inline const std::string START_RECORDING = OPEN_DATA_FILE + "key G\n";
// Script lines from recording to the end of the program: pause, exit the run (Yes), end.
inline const std::string PAUSE_EXIT_AND_END =
    "key X\nwait 800\nkey X\nwait 800\nexpect Exit Logging?\nkey Enter\nwait 800\n"
    "expect Survey Setup\nkey X\n";

// Whether the run reads a positioning device: gradsim's on COM2 at 9600 baud, as the settings
// of a first start expect it.
enum class Positioning { Off, On };

// A device root whose settings have GPS input disabled (unless `positioning` is on), and
// gradsim playing the instrument on COM1 with `options`, listing each instrument line it sends
// in the sent log; its stdout and stderr go to files in the root.
class SurveyRun {
 public:
  explicit SurveyRun(std::vector<std::string> simulatorOptions,
                     std::vector<std::pair<std::size_t, std::string>> settingsLines = {},
                     Positioning positioning = Positioning::Off) {
    std::vector<std::string> lines = testing_support::FirstStartLines();
    if (positioning == Positioning::Off) {
      lines[GPS_INPUT_LINE] = "0";
      simulatorOptions.insert(simulatorOptions.begin(), "--no-gps");
    } else {
      simulatorOptions.insert(simulatorOptions.begin(),
                              {"--gps-sent-log", (Root() / "gps-sent.log").string()});
    }
    for (const auto& line : settingsLines)
      lines[line.first] = line.second;
    testing_support::TempFolder::WriteFile(Root() / "C_DRIVE" / "KELINI" / "Z601CX.INI",
                                           testing_support::JoinCrLf(lines));
    simulatorOptions.insert(
        simulatorOptions.begin(),
        {GRADSIM_BINARY, "--root", Root().string(), "--sent-log", (Root() / "sent.log").string()});
    simulator_.emplace(std::move(simulatorOptions), std::vector<std::string>{}, Root());
    EXPECT_TRUE(WaitFor([this] { return std::filesystem::exists(Root() / "dev" / "COM1"); },
                        std::chrono::seconds(10)));
  }

  std::filesystem::path Root() const { return folder_.Path(); }

  // The logger headless on the root with the script, its stderr in the root. With a
  // `fileSizeLimit` no file of the logger can grow past that many bytes, as on a full card.
  ChildProcess StartLogger(const std::string& script,
                           std::optional<rlim_t> fileSizeLimit = std::nullopt) {
    const std::filesystem::path path = Root() / "run.script";
    testing_support::TempFolder::WriteFile(path, script);
    const std::filesystem::path output = Root() / "logger";
    std::filesystem::create_directories(output);
    // The child inherits the limit; the test lowers its own soft limit only while spawning.
    rlimit own{};
    getrlimit(RLIMIT_FSIZE, &own);
    if (fileSizeLimit) {
      const rlimit lowered{*fileSizeLimit, own.rlim_max};
      EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    struct Restore {
      const rlimit& limit;
      ~Restore() { setrlimit(RLIMIT_FSIZE, &limit); }
    } restore{own};
    return ChildProcess({GRADLOG_BINARY, "--root", Root().string(), "--display", "headless",
                         "--script", path.string()},
                        {}, output);
  }

  // What the logger printed on stderr, for the message of a failed check.
  std::string LoggerErrors() const {
    return testing_support::TempFolder::ReadFile(Root() / "logger" / "stderr");
  }

  // The whole lines gradsim has sent so far, without their CR LF: a line still being written
  // is left out. The positioning device's are in "gps-sent.log".
  std::vector<std::string> SentLines(const char* log = "sent.log") const {
    const std::string text = testing_support::TempFolder::ReadFile(Root() / log);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }

  // Waits until the data file holds at least `count` records; false when `limit` passed first.
  bool WaitForRecords(std::size_t count, std::chrono::milliseconds limit) const {
    return WaitFor(
        [&] {
          const std::filesystem::path file = DataFile();
          std::error_code error;
          return !file.empty() && std::filesystem::file_size(file, error) >= count * RECORD_BYTES;
        },
        limit);
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

  // The settings file as the logger left it, line by line (index 0 is line 1).
  std::vector<std::string> SettingsLines() const {
    const std::string text =
        testing_support::TempFolder::ReadFile(Root() / "C_DRIVE" / "KELINI" / "Z601CX.INI");
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
      lines.push_back(text.substr(at, end - at));
    return lines;
  }

  // What gradsim printed on its standard output (what it received, for one).
  std::string SimulatorOutput() const {
    return testing_support::TempFolder::ReadFile(Root() / "stdout");
  }

  static constexpr std::size_t GPS_INPUT_LINE = 35;
  static constexpr std::size_t GPS_DATA_TYPE_LINE = 36;
  static constexpr std::size_t GPS_BAUD_LINE = 38;
  static constexpr std::size_t PAUSE_KEY_LINE = 7;

 private:
  testing_support::TempFolder folder_;
  std::optional<ChildProcess> simulator_;
};

// The records of data file bytes, each without its line feed; the test fails when they are
// not whole 27-byte records.
inline std::vector<std::string> WholeRecords(const std::string& bytes) {
  EXPECT_EQ(bytes.size() % RECORD_BYTES, 0u) << "a record is cut";
  std::vector<std::string> records;
  for (std::size_t at = 0; at + RECORD_BYTES <= bytes.size(); at += RECORD_BYTES) {
    EXPECT_EQ(bytes[at + RECORD_BYTES - 1], '\n') << "record " << at / RECORD_BYTES;
    records.push_back(bytes.substr(at, RECORD_BYTES - 1));
  }
  return records;
}

inline std::vector<std::string> WholeRecords(const std::filesystem::path& file) {
  return WholeRecords(testing_support::TempFolder::ReadFile(file));
}

// The records of a file whose logger was killed while recording. The kernel looks for a kill
// only between the pages a write covers, so a kill inside the last write can leave a piece of
// its group when the file ends on a page boundary: that group is left out. Anything else cut
// fails the test.
inline std::vector<std::string> WholeRecordsOfAKilledRun(const std::filesystem::path& file) {
  constexpr std::size_t PAGE_BYTES = 4096;
  std::string bytes = testing_support::TempFolder::ReadFile(file);
  const std::size_t whole = bytes.size() - bytes.size() % RECORD_BYTES;
  std::optional<std::size_t> openGroup;
  for (std::size_t at = 0; at < bytes.size(); at += RECORD_BYTES) {
    if (bytes[at] == 'T')
      openGroup = at;
    else if (bytes[at] == '>' && at < whole)
      openGroup.reset();
  }
  if (bytes.size() % PAGE_BYTES == 0 && (openGroup || whole < bytes.size()))
    bytes.resize(openGroup.value_or(whole));
  return WholeRecords(bytes);
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

// Where the recorded `readings` stand in `sent`, the lines gradsim sent: the test fails
// unless they are one unbroken run of it that takes in every line of `sentEarlier` (an
// earlier look at the same log, from before the recording could have ended) from the first
// recorded one on.
inline std::optional<std::size_t> UnbrokenRunStart(const std::vector<std::string>& readings,
                                                   const std::vector<std::string>& sent,
                                                   const std::vector<std::string>& sentEarlier) {
  if (readings.empty()) {
    ADD_FAILURE() << "nothing was recorded";
    return std::nullopt;
  }
  const auto run = std::search(sent.begin(), sent.end(), readings.begin(), readings.end());
  if (run == sent.end()) {
    // Say where the recording first departs from what was sent after its first reading.
    const auto first = std::find(sent.begin(), sent.end(), readings.front());
    const auto departs = std::mismatch(readings.begin(), readings.end(), first, sent.end());
    ADD_FAILURE() << "the " << readings.size() << " readings are no unbroken run of the "
                  << sent.size() << " sent lines: reading " << departs.first - readings.begin()
                  << " is \"" << (departs.first != readings.end() ? *departs.first : "")
                  << "\" where \"" << (departs.second != sent.end() ? *departs.second : "")
                  << "\" was sent";
    return std::nullopt;
  }
  const std::size_t start = static_cast<std::size_t>(run - sent.begin());
  EXPECT_GE(start + readings.size(), sentEarlier.size())
      << "lines sent before the recording ended are missing at its end";
  return start;
}

}  // namespace e2e
