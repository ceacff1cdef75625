#include <gtest/gtest.h>

#include "logging/ButtonSets.h"
#include "logging/ConnectionWatchdog.h"
#include "logging/LoggingCommands.h"
#include "logging/LoggingRunFixture.h"
#include "logging/StopLogging.h"

namespace gradlog::testing {
namespace {

using platform::BM_SETSTYLE;

class LoggingRunTest : public LoggingRunFixture {};

TEST_F(LoggingRunTest, TheStationAdvancesFromTheSecondRecordedReadingOnly) {
  OpenDataFile();
  config.currentStation = 10.0;
  config.currentStationIncrement = 0.2f;
  dataFile.firstReadingDone = 0;
  Reading("$PBAR,100.0,200.0");
  EXPECT_EQ(config.currentStation, 10.0) << "standing by moves no station";
  EXPECT_TRUE(Shows("100.000"));
  RunLoggingCommand(run, LoggingCommand::Row0);
  ASSERT_EQ(dataFile.recordingState, 1);
  for (int i = 0; i < 3; ++i)
    Reading("$PBAR,100.0,200.0");
  EXPECT_NEAR(config.currentStation, 10.4, 1e-6);
  EXPECT_TRUE(Shows("10.40"));
  const std::vector<std::string> records = Records();
  int readings = 0;
  for (const std::string& record : records)
    readings += record[0] == '>' ? 1 : 0;
  EXPECT_EQ(readings, 3);
  EXPECT_EQ(records.back().substr(0, 7), ">000003");
}

TEST_F(LoggingRunTest, PauseAndGoMarkTheFileInOrderAndSwitchTheButtons) {
  OpenDataFile();
  RunLoggingCommand(run, LoggingCommand::Row0);
  EXPECT_TRUE(platform::IsWindowVisible(logging.windows.pause));
  EXPECT_TRUE(Shows("Logging"));
  RunLoggingCommand(run, LoggingCommand::Row2);  // only the pause acts while recording
  EXPECT_EQ(dataFile.recordingState, 1);
  RunLoggingCommand(run, LoggingCommand::Row0);
  EXPECT_EQ(dataFile.recordingState, -1);
  EXPECT_TRUE(platform::IsWindowVisible(logging.windows.setB[0]));
  EXPECT_TRUE(Shows("Stand By"));
  RunLoggingCommand(run, LoggingCommand::Row0);
  EXPECT_EQ(Events(), (std::vector<std::string>{"$STARTED0  ", "$PAUSED    ", "$STARTED0  "}));
}

// The card pulled while recording: the pause cannot open the file again. The run stands by
// without a file, says so, and "&Go" records nothing until a new file exists.
TEST_F(LoggingRunTest, AFileThatCannotBeOpenedAgainAtThePauseStopsRecording) {
  OpenDataFile();
  RunLoggingCommand(run, LoggingCommand::Row0);
  std::filesystem::remove_all(root.Path() / "C_DRIVE" / "DATAZEP601");
  DialogScript message{test};
  message.Ok().Start();
  RunLoggingCommand(run, LoggingCommand::Row0);
  platform::PumpMessages();
  EXPECT_EQ(dataFile.recordingState, -1);
  EXPECT_FALSE(dataFile.dataFileHandle.Get());
  DialogScript chooser{test};
  chooser.Check([](platform::Hwnd dialog) {
    EXPECT_EQ(platform::GetWindowText(dialog), "Create Data File");
  });
  chooser.Cancel().Start();
  RunLoggingCommand(run, LoggingCommand::Row0);
  EXPECT_EQ(dataFile.recordingState, -1) << "nothing is recorded without a file";
  EXPECT_FALSE(dataFile.dataFileHandle.Get());
}

// A paint shows the battery as it is, not a full battery until the next refresh.
TEST_F(LoggingRunTest, ThePaintShowsTheBatteryAsItIs) {
  test.services.SetBattery({.onMains = false, .percent = 57});
  RedrawLoggingScreen(run);
  EXPECT_TRUE(Shows(" 57%"));
  EXPECT_FALSE(Shows("100%"));
}

// A box over the run is answered with Enter even when the run's window under it is repainted
// meanwhile: the window is disabled then and must leave the keys with the box.
TEST_F(LoggingRunTest, ABoxOverTheRunKeepsTheKeysWhenTheRunIsRepainted) {
  using namespace platform;
  const Hwnd window = logging.windows.logging;
  int steps = 0;
  bool focusInBox = false;
  // The first step repaints the window under the box and presses Enter. Should Enter go
  // astray, the next one sends a "No" straight to the box, so that the test cannot hang.
  const auto step = [&](Hwnd box) {
    if (steps++ > 0) {
      PostMessage(box, WM_KEYDOWN, 'N');
      return;
    }
    InvalidateRect(window, nullptr, true);
    UpdateWindow(window);
    Hwnd focus = GetFocus();
    while (IsWindow(focus) && focus != box)
      focus = GetParent(focus);
    focusInBox = focus == box;
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
    test.platform->InjectInput({.kind = InputKind::KeyUp, .virtualKey = VK_RETURN});
  };
  RegisterClass({.name = "StepsUnderBox", .procedure = [&](const Message& m) -> LRESULT {
                   if (m.message != WM_TIMER)
                     return DefWindowProc(m);
                   const Hwnd box = FindWindow("MessageBoxWnd", "Repaint");
                   if (!IsWindow(box)) {
                     KillTimer(m.hwnd, 1);
                     return 0;
                   }
                   step(box);
                   test.services.Advance(1);
                   return 0;
                 }});
  SetTimer(CreateWindow({.className = "StepsUnderBox", .rect = {0, 0, 1, 1}}), 1, 1);
  test.services.Advance(1);
  const int answer = MessageBox(window, "Go on?", "Repaint", MB_YESNO | MB_ICONQUESTION);
  EXPECT_GE(steps, 1) << "the window was not repainted under the box";
  EXPECT_TRUE(focusInBox);
  EXPECT_EQ(answer, IDYES) << "Enter did not reach the box";
}

TEST_F(LoggingRunTest, TheHighlightWrapsAroundTheShownSetAndEnterRunsItsRow) {
  // Without a file, Enter on the second row ("Map&Scale") rescales the map.
  RunLoggingCommand(run, LoggingCommand::NextButton);
  script.Check(
      [](platform::Hwnd dialog) { EXPECT_EQ(platform::GetWindowText(dialog), "Enter Map Scale"); });
  script.Cancel().Start();
  RunLoggingCommand(run, LoggingCommand::HighlightedRow);
  platform::PumpMessages();
  OpenDataFile();
  RunLoggingCommand(run, LoggingCommand::PreviousButton);
  EXPECT_EQ(logging.buttonSelection, 3);
  EXPECT_EQ(platform::GetWindowStyle(logging.windows.setB[3]) & 0xF, platform::BS_DEFPUSHBUTTON);
  EXPECT_EQ(platform::GetWindowStyle(logging.windows.setB[0]) & 0xF, platform::BS_PUSHBUTTON);
  RunLoggingCommand(run, LoggingCommand::NextButton);
  EXPECT_EQ(logging.buttonSelection, 0);
}

struct QuickLineCase {
  std::int32_t sequence;
  double expectedStart;
  float expectedIncrement;
  std::int32_t expectedDirection;
  double expectedStation;
};

TEST_F(LoggingRunTest, QuickLineInBothSequences) {
  const QuickLineCase cases[] = {
      // Alternate: back from the last station, the other way.
      {0, 12.0, -1.0f, 2, 12.0},
      // One way: the same start, increment and direction again.
      {1, 5.0, 1.0f, 1, 5.0},
  };
  for (const QuickLineCase& c : cases) {
    config.settings.surveyLine = "3";
    config.settings.lineIncrement = 1.0f;
    config.settings.lineSequence = c.sequence;
    config.settings.lineDirection = 1;  // South
    config.settings.startStation = 5.0;
    config.currentStation = 12.0;
    config.currentStationIncrement = 1.0f;
    OpenDataFile();
    DialogScript yes{test};
    yes.Ok().Start();
    RunLoggingCommand(run, LoggingCommand::Row1);
    EXPECT_EQ(config.settings.surveyLine, "4.00");
    EXPECT_EQ(config.settings.startStation, c.expectedStart);
    EXPECT_EQ(config.currentStationIncrement, c.expectedIncrement);
    EXPECT_EQ(config.settings.lineDirection, c.expectedDirection);
    EXPECT_EQ(config.currentStation, c.expectedStation);
    const std::vector<std::string> records = Records();
    ASSERT_GE(records.size(), 5u);
    EXPECT_EQ(records[records.size() - 5].substr(0, 5), "L4.00");
    EXPECT_EQ(records.back()[0], '*');
    dataFile.dataFileHandle.Take();
  }
}

TEST_F(LoggingRunTest, ABreakIsMarkedAndARunSurvivesBreaksShorterThanTheEnd) {
  OpenDataFile();
  const auto tick = [this](std::uint32_t ms) {
    test.services.Advance(ms);
    platform::SendMessage(logging.windows.logging, platform::WM_TIMER, 1);
  };
  serial.instrumentStatus.lastReadingTick = test.services.TickCount();
  tick(2000);
  EXPECT_TRUE(Events().empty()) << "exactly the allowed silence is no break";
  tick(1);
  EXPECT_EQ(Events(), std::vector<std::string>{"$CONN BREAK"});
  EXPECT_TRUE(Shows("please"));
  for (int i = 0; i < 8; ++i)
    tick(300);
  EXPECT_EQ(serial.instrumentStatus.connectionRetries, 9);
  // A reading comes back: the reader clears the retries, and the values replace the notice.
  serial.instrumentStatus.lastReadingTick = test.services.TickCount();
  serial.instrumentStatus.connectionRetries = 0;
  Reading("$PBAR,1.0,2.0");
  EXPECT_FALSE(Shows("please"));
  tick(2001);
  EXPECT_EQ(serial.instrumentStatus.connectionRetries, 1);
  EXPECT_EQ(dataFile.recordingState, -1);
}

TEST_F(LoggingRunTest, TenSilentChecksEndTheRunAndTheProgramWithAWholeFile) {
  OpenDataFile();
  serial.instrumentStatus.lastReadingTick = test.services.TickCount();
  script.Ok().Start();  // "NO CONNECTION"
  try {
    for (int i = 0; i < 10; ++i) {
      test.services.Advance(2500);
      platform::SendMessage(logging.windows.logging, platform::WM_TIMER, 1);
    }
    FAIL() << "the program did not end";
  } catch (const testing_support::ProcessExit& exit) {
    EXPECT_EQ(exit.exitCode, 0);
  }
  const std::vector<std::string> events = Events();
  ASSERT_EQ(events.size(), 12u);
  EXPECT_EQ(events[9], "$CONN END  ");
  EXPECT_EQ(events[10], "$F      0  ");
  EXPECT_EQ(events[11], "$P      0  ");
  EXPECT_FALSE(dataFile.dataFileHandle.Get());
}

TEST_F(LoggingRunTest, DecliningExitLeavesTheRunAndConfirmingClosesTheFile) {
  OpenDataFile();
  script.Press('N').Start();
  RunLoggingCommand(run, LoggingCommand::Row2);
  EXPECT_EQ(logging.loggingActive, 1);
  EXPECT_TRUE(dataFile.dataFileHandle.Get());
  DialogScript yes{test};
  yes.Ok().Start();
  RunLoggingCommand(run, LoggingCommand::Row2);
  EXPECT_EQ(logging.loggingActive, 0);
  EXPECT_EQ(dataFile.recordingState, 0);
  EXPECT_FALSE(dataFile.dataFileHandle.Get());
  EXPECT_FALSE(platform::IsWindowVisible(logging.windows.logging));
  EXPECT_EQ(Records().back().substr(0, 3), "X$P");
}

TEST_F(LoggingRunTest, StoppingARunWithoutADataFileWritesNothing) {
  EXPECT_TRUE(StopLogging(run, true)) << "no file: no question and no end of the program";
  EXPECT_EQ(logging.loggingActive, 0);
  EXPECT_FALSE(std::filesystem::exists(root.Path() / "C_DRIVE" / "DATAZEP601"));
}

}  // namespace
}  // namespace gradlog::testing
