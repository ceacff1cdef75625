// Replays the recorded receiver logs in nmea/ through the sentence path and compares the
// fixes decoded from them with the reviewed lists in expected/<log>.fixes. With
// GRADLOG_WRITE_EXPECTED=1 the lists are written afresh instead (and the tests are skipped):
// read the diff before committing one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "gps/FixDecoder.h"
#include "gps/GpsDataTypes.h"
#include "gps/SentenceCaseNames.h"
#include "gps/SentenceCheck.h"
#include "gps/SentenceFramer.h"
#include "gps/SentenceSelection.h"

namespace gradlog {
namespace {

namespace fs = std::filesystem;

const fs::path LOG_FOLDER = fs::path(GRADLOG_SOURCE_DIR) / "tests/gps/nmea";
const fs::path EXPECTED_FOLDER = fs::path(GRADLOG_SOURCE_DIR) / "tests/gps/expected";
constexpr std::uint32_t FIRST_TICK = 1'000'000;
constexpr std::uint32_t MS_PER_LINE = 100;
constexpr std::int32_t AT_2_HZ_MS = 410;
constexpr std::array<std::int32_t, 2> REPLAYED_TYPES{GPS_DATA_TYPE_GGA, GPS_DATA_TYPE_GGA_GSA};

[[gnu::format(printf, 1, 2)]] std::string Line(const char* format, ...) {
  std::array<char, 256> text{};
  std::va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  return text.data();
}

std::string TimeText(const std::optional<double>& seconds) {
  if (!seconds)
    return "-";
  const int whole = static_cast<int>(*seconds);
  return Line("%02d:%02d:%06.3f", whole / 3600, whole / 60 % 60, *seconds - whole / 60 * 60);
}

template <typename Value>
std::string OrDash(const std::optional<Value>& value, const char* format) {
  return value ? Line(format, *value) : std::string("-");
}

// One line a fix: what the fix handler takes from it.
std::string FixLine(int lineNumber, const DecodedFix& fix) {
  return Line("L%-4d fix %s lat=%s lon=%s q=%s sats=%s dop=%s valid=%d", lineNumber,
              TimeText(fix.timeOfDay).c_str(), OrDash(fix.latitude, "%.7f").c_str(),
              OrDash(fix.longitude, "%.7f").c_str(), OrDash(fix.quality, "%d").c_str(),
              OrDash(fix.satellites, "%d").c_str(), OrDash(fix.dop, "%.2f").c_str(),
              fix.valid ? 1 : 0);
}

// The sentence path as the logging window runs it, for one gpsDataType: framed byte by byte,
// a line every 100 ms, at "2 Hz".
std::vector<std::string> Replay(const std::string& bytes, std::int32_t type) {
  GpsSentenceSelection selection;
  SelectGpsSentence(selection, type);
  GpsFix fix;
  SentenceFramer framer;
  std::map<std::string, int> caseCounts;
  std::vector<std::string> lines{
      Line("# gpsDataType %d \"%s\", 2 Hz, %u ms a line", type,
           std::string(GPS_DATA_TYPES[static_cast<std::size_t>(type)]).c_str(), MS_PER_LINE)};
  std::uint32_t tick = FIRST_TICK;
  int lineNumber = 1;
  for (const char byte : bytes) {
    if (const auto sentence = framer.Feed(byte, tick)) {
      const SentenceVerdict verdict =
          ClassifySentence(*sentence, framer.SentenceStartTick(), selection, type, AT_2_HZ_MS, fix);
      ++caseCounts[SentenceCaseName(verdict.recordCase)];
      if (verdict.decodeFix)
        lines.push_back(FixLine(lineNumber, DecodeFix(*sentence, selection, type, 0)));
      if (verdict.decodeGsa)
        lines.push_back(
            Line("L%-4d gsa %s", lineNumber, GsaPdopText(*sentence).value_or("-").c_str()));
    }
    if (byte == '\n') {
      ++lineNumber;
      tick += MS_PER_LINE;
    }
  }
  std::string counts = "# cases:";
  for (const auto& [name, count] : caseCounts)
    counts += " " + name + " " + std::to_string(count);
  lines.push_back(counts);
  return lines;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::vector<std::string> LogNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(LOG_FOLDER)) {
    if (entry.path().extension() == ".log")
      names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class RecordedLogsTest : public testing::TestWithParam<std::string> {};

TEST_P(RecordedLogsTest, DecodesTheReviewedFixes) {
  const std::string bytes = ReadBytes(LOG_FOLDER / (GetParam() + ".log"));
  ASSERT_FALSE(bytes.empty()) << "cannot read " << GetParam() << ".log";
  std::vector<std::string> actual;
  for (const std::int32_t type : REPLAYED_TYPES) {
    const std::vector<std::string> section = Replay(bytes, type);
    actual.insert(actual.end(), section.begin(), section.end());
  }
  const fs::path expectedPath = EXPECTED_FOLDER / (GetParam() + ".fixes");
  const char* write = std::getenv("GRADLOG_WRITE_EXPECTED");
  if (write != nullptr && std::string(write) == "1") {
    std::ofstream out(expectedPath);
    for (const std::string& line : actual)
      out << line << '\n';
    GTEST_SKIP() << "wrote " << expectedPath << ": review it against the log";
  }
  ASSERT_TRUE(fs::exists(expectedPath))
      << expectedPath << " is missing; write it with GRADLOG_WRITE_EXPECTED=1 and review it";
  const std::vector<std::string> expected = ReadLines(expectedPath);
  int differences = 0;
  for (std::size_t i = 0; i < std::max(actual.size(), expected.size()) && differences < 10; ++i) {
    const std::string got = i < actual.size() ? actual[i] : "(nothing)";
    const std::string want = i < expected.size() ? expected[i] : "(nothing)";
    if (got != want) {
      ++differences;
      ADD_FAILURE() << expectedPath.filename() << " line " << i + 1 << "\n  expected: " << want
                    << "\n  decoded:  " << got;
    }
  }
  EXPECT_EQ(actual.size(), expected.size());
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Logs, RecordedLogsTest, testing::ValuesIn(LogNames()), TestName);

// A reviewed list whose log was removed or renamed would never be compared again.
TEST(RecordedLogsFolderTest, EveryExpectedListHasItsLog) {
  const std::vector<std::string> logs = LogNames();
  EXPECT_FALSE(logs.empty());
  for (const fs::directory_entry& entry : fs::directory_iterator(EXPECTED_FOLDER)) {
    EXPECT_TRUE(std::binary_search(logs.begin(), logs.end(), entry.path().stem().string()))
        << entry.path().filename();
  }
}

}  // namespace
}  // namespace gradlog
