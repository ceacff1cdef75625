// The logger recording under hard conditions, checked against the lines gradsim sent: killed
// outright, fed as fast as the line goes, and a card that fills up. Each case takes 10 to 20
// seconds.
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "SurveyRun.h"

namespace e2e {
namespace {

using std::chrono::seconds;

// How long the stress case records: 8 s by default, so that CI stays short; a longer soak
// is asked for with GRADLOG_STRESS_SECONDS.
int StressSeconds() {
  const char* text = std::getenv("GRADLOG_STRESS_SECONDS");
  const int chosen = text != nullptr ? std::atoi(text) : 0;
  return chosen > 0 ? chosen : 8;
}

std::size_t LinesContaining(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    count += text.substr(at, end - at).find(part) != std::string::npos;
    at = end + 1;
  }
  return count;
}

TEST(SurveyRunFaults, AKilledLoggerLeavesWholeGroupsOfEveryReadingItHadHandled) {
  SurveyRun run({});
  ChildProcess logger = run.StartLogger(START_RECORDING + "wait 60000\n");
  // Header, start mark and a first reading; then a few seconds of recording, so that the
  // look at the sent log falls at no particular point of the file's growth.
  ASSERT_TRUE(run.WaitForRecords(11, seconds(20))) << run.LoggerErrors();
  std::this_thread::sleep_for(seconds(2));
  const std::vector<std::string> sentEarlier = run.SentLines();
  // Long enough for the logger to have stored every line of that look.
  std::this_thread::sleep_for(seconds(1));
  logger.Signal(SIGKILL);
  ASSERT_EQ(logger.Wait(seconds(10)), 128 + SIGKILL);
  const std::vector<std::string> records = WholeRecordsOfAKilledRun(run.DataFile());
  UnbrokenRunStart(ReadingGroups(records), run.SentLines(), sentEarlier);
  EXPECT_EQ(TextRecords(records, 'X'), std::vector<std::string>{"$STARTED0  "});
}

TEST(SurveyRunFaults, FourHundredReadingsASecondAreAllRecordedWhileTheScreenStaysLive) {
  const int recordingSeconds = StressSeconds();
  SurveyRun run({"--unpaced", "--reading-rate", "400"});
  const std::filesystem::path screenshot = run.Root() / "mid-run.png";
  // The script goes on only while the window handles its messages: a screen swamped by the
  // readings fails the expectations or never reaches the exit.
  const std::string halfway = "wait " + std::to_string(recordingSeconds * 500) + "\n";
  ChildProcess logger = run.StartLogger(START_RECORDING + halfway + "expect Logging\nscreenshot " +
                                        screenshot.string() + "\n" + halfway + PAUSE_EXIT_AND_END);
  ASSERT_TRUE(
      WaitFor([&] { return std::filesystem::exists(screenshot); }, seconds(recordingSeconds + 30)))
      << run.LoggerErrors();
  // Half the recording is still to come: every line sent by now must be in the file.
  const std::vector<std::string> sentEarlier = run.SentLines();
  ASSERT_EQ(logger.Wait(seconds(recordingSeconds + 40)), 0) << run.LoggerErrors();
  EXPECT_GT(std::filesystem::file_size(screenshot), 0u);

  const std::vector<std::string> records = WholeRecords(run.DataFile());
  const std::vector<std::string> readings = ReadingGroups(records);
  const std::vector<std::string> sent = run.SentLines();
  const std::optional<std::size_t> start = UnbrokenRunStart(readings, sent, sentEarlier);
  const std::vector<std::string> events = TextRecords(records, 'X');
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[1], "$PAUSED    ");
  // The figures of a soak run by hand.
  if (start)
    std::printf(
        "%d s at 400 lines/s: gradsim sent %zu lines, %zu of them by halfway; the file "
        "holds %zu readings, sent lines %zu to %zu, none missing\n",
        recordingSeconds, sent.size(), sentEarlier.size(), readings.size(), *start + 1,
        *start + readings.size());
}

TEST(SurveyRunFaults, AFullCardShowsWrErrReportsItsCauseOnceAndKeepsTheFileWhole) {
  // Room for the settings file (some 500 bytes) should the run save it; the data file is full
  // after some 3 s of readings. A settings save that failed would be a second error line.
  constexpr rlim_t FILE_SIZE_LIMIT = 2048;
  SurveyRun run({});
  ChildProcess logger =
      run.StartLogger(START_RECORDING + "wait 1000\nexpect Logging\nwait 5000\nexpect WR ERR\n" +
                          PAUSE_EXIT_AND_END,
                      FILE_SIZE_LIMIT);
  ASSERT_EQ(logger.Wait(seconds(30)), 0) << run.LoggerErrors();
  const std::string errors = run.LoggerErrors();
  EXPECT_EQ(LinesContaining(errors, "gradlog:"), 1u) << errors;
  EXPECT_EQ(LinesContaining(errors, "File too large"), 1u) << errors;

  const std::uintmax_t size = std::filesystem::file_size(run.DataFile());
  EXPECT_LE(size, FILE_SIZE_LIMIT);
  // Cut back to its last whole group, which left no room for the next.
  EXPECT_GT(size, FILE_SIZE_LIMIT - 3 * RECORD_BYTES);
  const std::vector<std::string> records = WholeRecords(run.DataFile());
  EXPECT_GT(ReadingGroups(records).size(), 20u);
  EXPECT_EQ(TextRecords(records, 'X'), std::vector<std::string>{"$STARTED0  "});
}

}  // namespace
}  // namespace e2e
