// The logger and gradsim as real processes on pseudo-terminals, GPS input disabled; each case
// takes 10 to 25 seconds.
#include <signal.h>

#include <algorithm>

#include "SurveyRun.h"

namespace e2e {
namespace {

using std::chrono::seconds;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(SurveyRun, ARunFromStartToExitLeavesAWholeFileWithEveryMark) {
  // The instrument falls silent for 3 s while the second stretch is recorded.
  SurveyRun run({"--silence", "15:3"});
  ChildProcess logger = run.StartLogger(
      "wait 1000\nkey L\nwait 800\nexpect Monitor\n"
      "key F\nwait 800\nexpect Create Data File\nkey Enter\nwait 800\nexpect Stand By\n"
      "key G\nwait 5000\nexpect Logging\n"
      "key Space\nwait 500\nexpect Stand By\n"
      "key L\nwait 800\nkey Enter\nwait 800\n"
      "key N\nwait 800\ntype 10\nkey Enter\nwait 800\n"
      "key C\nwait 800\ntype MAGNETIC ANOMALY 3\nkey Enter\nwait 800\n"
      "key G\nwait 8000\nkey X\nwait 500\nkey X\nwait 800\nexpect Exit Logging?\nkey Enter\n"
      "wait 800\nexpect Survey Setup\nkey X\n");
  ASSERT_EQ(logger.Wait(seconds(60)), 0) << run.LoggerErrors();
  const std::vector<std::string> records = WholeRecords(run.DataFile());
  const std::vector<std::string> readings = ReadingGroups(records);
  EXPECT_GT(readings.size(), 60u);
  EXPECT_EQ(readings.front().substr(0, 6), "$PBAR,");
  const std::vector<std::string> events = TextRecords(records, 'X');
  ASSERT_GE(events.size(), 6u);
  EXPECT_EQ(events[0], "$STARTED0  ");
  EXPECT_EQ(events[1], "$PAUSED    ");
  EXPECT_EQ(events[2], "$STARTED0  ");
  EXPECT_TRUE(Contains(events, "$CONN BREAK"));
  EXPECT_EQ(events[events.size() - 2].substr(0, 3), "$F ");
  EXPECT_EQ(events.back().substr(0, 3), "$P ");
  EXPECT_EQ(TextRecords(records, 'C'), std::vector<std::string>{"MAGNETIC AN"});
  const auto station = std::find_if(records.begin(), records.end(),
                                    [](const std::string& r) { return r[0] == 'S'; });
  ASSERT_NE(station, records.end());
  EXPECT_EQ(station->substr(1, 11), "      10.00");
  // Header, line start and clock, then the new line's records after the pause.
  EXPECT_EQ(records[0].substr(0, 15), "ZEP601  W134GRD");
  EXPECT_EQ(std::count_if(records.begin(), records.end(),
                          [](const std::string& r) { return r[0] == 'L'; }),
            2);
}

TEST(SurveyRun, AnInstrumentSilentForGoodEndsTheRunAndTheProgramWithAWholeFile) {
  SurveyRun run({"--silence", "4:forever"});
  ChildProcess logger = run.StartLogger(
      "wait 1000\nkey L\nwait 800\nkey F\nwait 800\nkey Enter\nwait 500\nkey G\n"
      "wait 3700\nexpect please\nwait 5000\nexpect NO CONNECTION\nkey Enter\nwait 5000\n");
  ASSERT_EQ(logger.Wait(seconds(60)), 0) << run.LoggerErrors();
  const std::vector<std::string> records = WholeRecords(run.DataFile());
  ReadingGroups(records);
  const std::vector<std::string> events = TextRecords(records, 'X');
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events[events.size() - 3], "$CONN END  ");
  EXPECT_EQ(events[events.size() - 2].substr(0, 3), "$F ");
  EXPECT_EQ(events.back().substr(0, 3), "$P ");
}

TEST(SurveyRun, TerminatingTheLoggerEndsTheRunAsAConfirmedExit) {
  SurveyRun run({});
  ChildProcess logger = run.StartLogger(START_RECORDING + "wait 60000\n");
  ASSERT_TRUE(run.WaitForRecords(41, seconds(20)));
  logger.Signal(SIGTERM);
  ASSERT_EQ(logger.Wait(seconds(20)), 0) << run.LoggerErrors();
  const std::vector<std::string> records = WholeRecords(run.DataFile());
  EXPECT_FALSE(ReadingGroups(records).empty());
  ASSERT_GE(records.size(), 2u);
  EXPECT_EQ(records[records.size() - 2].substr(0, 3), "X$F");
  EXPECT_EQ(records.back().substr(0, 3), "X$P");
}

TEST(SurveyRun, TheCloseButtonAsksFirstAndANoLeavesTheRunGoingOn) {
  SurveyRun run({});
  ChildProcess logger =
      run.StartLogger(START_RECORDING + "wait 2000\nkey Space\nwait 800\nexpect Stand By\n" +
                      "quit\nwait 800\nexpect Exit Logging?\nkey N\nwait 800\nexpect Stand By\n"
                      "key G\nwait 1500\nexpect Logging\nkey Space\nwait 800\n"
                      "quit\nwait 800\nexpect Exit Logging?\nkey Enter\n");
  // The script ends with the Yes: only the program ending by itself gives the exit code.
  ASSERT_EQ(logger.Wait(seconds(30)), 0) << run.LoggerErrors();
  const std::vector<std::string> records = WholeRecords(run.DataFile());
  // The readings after the No went on in the same file, counted on from the first stretch.
  EXPECT_GT(ReadingGroups(records).size(), 25u);
  const std::vector<std::string> events = TextRecords(records, 'X');
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0], "$STARTED0  ");
  EXPECT_EQ(events[1], "$PAUSED    ");
  EXPECT_EQ(events[2], "$STARTED0  ");
  EXPECT_EQ(events[3], "$PAUSED    ");
  EXPECT_EQ(events[4].substr(0, 3), "$F ");
  EXPECT_EQ(events[5].substr(0, 3), "$P ");
}

}  // namespace
}  // namespace e2e
