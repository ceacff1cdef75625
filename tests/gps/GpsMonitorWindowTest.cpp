#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/UserMessages.h"
#include "gps/GpsMonitorFixture.h"
#include "gps/GpsMonitorList.h"
#include "gps/GpsMonitorReader.h"

namespace gradlog {
namespace {

using namespace platform;
using Strings = std::vector<std::string>;

class GpsMonitorWindowTest : public testing::GpsMonitorFixture {};

TEST_F(GpsMonitorWindowTest, LinesReachTheListInOrderAndTheNewestShows) {
  Open();
  EXPECT_TRUE(IsWindowVisible(state.windows.monitor));
  EXPECT_EQ(GetFocus(), state.windows.monitor);
  ReceiverSends("9*4F\r\n$GPGGA,1");
  ReceiverSends("23519*4F\r\n$GPRMC,2\r\n");
  ReceiverSends("37=1.234\r\n");
  ASSERT_TRUE(PumpUntilLines(3));
  EXPECT_EQ(Lines(), (Strings{"$GPGGA,123519*4F", "$GPRMC,2", "37=1.234"}));
  for (int i = 0; i < 20; ++i)
    ReceiverSends("$GPGSV," + std::to_string(i) + "\r\n");
  ASSERT_TRUE(PumpUntilLines(23));
  EXPECT_TRUE(Shows("$GPGSV,19"));
  EXPECT_FALSE(Shows("$GPGGA,123519")) << "scrolled out of view";
}

TEST_F(GpsMonitorWindowTest, TheListKeepsTheLatestThousandLines) {
  Open();
  for (int i = 1; i <= GPS_MONITOR_LIST_CAP + 5; ++i)
    PostMessage(state.windows.monitor, UM_GPS_MONITOR_LINE, 0, 0,
                GpsMonitorLine{"line " + std::to_string(i)});
  PumpMessages();
  const Strings lines = Lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(GPS_MONITOR_LIST_CAP));
  EXPECT_EQ(lines.front(), "line 6");
  EXPECT_EQ(lines.back(), "line 1005");
  EXPECT_TRUE(Shows("line 1005"));
}

TEST_F(GpsMonitorWindowTest, PauseAndGoStopAndRestartTheFlowAndKeepEarlierLines) {
  Open();
  ReceiverSends("$BEFORE\r\n");
  ASSERT_TRUE(PumpUntilLines(1));
  Press('p');
  EXPECT_TRUE(serial.gps.Reader()->IsSuspended());
  EXPECT_EQ(state.monitorRunning, 0);
  EXPECT_EQ(state.monitorPaused, 1);
  EXPECT_TRUE(IsWindowVisible(Button(MONITOR_GO)) && IsWindowEnabled(Button(MONITOR_GO)));
  EXPECT_FALSE(IsWindowVisible(Button(MONITOR_PAUSE)) || IsWindowEnabled(Button(MONITOR_PAUSE)));
  EXPECT_TRUE(HasDefaultStyle(MONITOR_GO)) << "the default follows the shown button";
  EXPECT_EQ(GetFocus(), state.windows.monitor);
  // What comes while paused is discarded by Go.
  ReceiverSends("$WHILE PAUSED\r\n");
  Press('g');
  EXPECT_FALSE(serial.gps.Reader()->IsSuspended());
  EXPECT_EQ(state.monitorRunning, 1);
  EXPECT_EQ(state.monitorPaused, 0);
  EXPECT_TRUE(IsWindowVisible(Button(MONITOR_PAUSE)) && IsWindowEnabled(Button(MONITOR_PAUSE)));
  EXPECT_FALSE(IsWindowVisible(Button(MONITOR_GO)) || IsWindowEnabled(Button(MONITOR_GO)));
  EXPECT_TRUE(HasDefaultStyle(MONITOR_PAUSE));
  ReceiverSends("$AFTER\r\n");
  ASSERT_TRUE(PumpUntilLines(2));
  EXPECT_EQ(Lines(), (Strings{"$BEFORE", "$AFTER"}));
}

// The default moves on with each TAB and never lands on the hidden one of Go and Pause.
TEST_F(GpsMonitorWindowTest, TabMovesTheDefaultOverTheShownButtonsOnly) {
  Open();
  const std::vector<std::int32_t> running{MONITOR_SEND, MONITOR_EXIT, MONITOR_PAUSE,
                                          MONITOR_SEND, MONITOR_EXIT, MONITOR_PAUSE};
  for (const std::int32_t expected : running) {
    Press('\t');
    EXPECT_EQ(state.monitorDefaultButton, expected);
  }
  Press('p');
  const std::vector<std::int32_t> paused{MONITOR_SEND, MONITOR_EXIT, MONITOR_GO, MONITOR_SEND};
  for (const std::int32_t expected : paused) {
    Press('\t');
    EXPECT_EQ(state.monitorDefaultButton, expected);
  }
  for (std::int32_t i = 0; i < MONITOR_BUTTON_COUNT; ++i)
    EXPECT_EQ(HasDefaultStyle(i), i == MONITOR_SEND) << "button " << i;
}

// Enter presses the default button; Send offers what the command field shows, writes the
// answer with CR LF in one go and leaves the reader as it was.
TEST_F(GpsMonitorWindowTest, EnterOnSendAsksForTheCommandAndWritesIt) {
  Open();
  Press('\t');
  answer = "$PASHS,NME,GGA,A,ON";
  Press('\r');
  EXPECT_EQ(asked, Strings{DEFAULT_GPS_COMMAND});
  EXPECT_EQ(ReceiverGot(), "$PASHS,NME,GGA,A,ON\r\n");
  EXPECT_EQ(GetWindowText(state.windows.commandEdit), "$PASHS,NME,GGA,A,ON");
  EXPECT_FALSE(serial.gps.Reader()->IsSuspended());
  EXPECT_EQ(GetFocus(), state.windows.monitor);

  // Paused, an edit in the field is what is offered, and the pause stays.
  Press('p');
  SetWindowText(state.windows.commandEdit, "$PASHS,RST");
  answer = std::string(120, 'C');
  Press('s');
  EXPECT_EQ(asked.back(), "$PASHS,RST");
  EXPECT_EQ(ReceiverGot(), std::string(GPS_COMMAND_TEXT_MAX, 'C') + "\r\n") << "cut to 100";
  EXPECT_TRUE(serial.gps.Reader()->IsSuspended());
  EXPECT_TRUE(IsWindowVisible(Button(MONITOR_GO)));

  // Cancel sends nothing and changes nothing.
  answer.reset();
  Press('s');
  EXPECT_EQ(ReceiverGot(), "");
  EXPECT_EQ(state.gpsCommandText, std::string(GPS_COMMAND_TEXT_MAX, 'C'));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(GpsMonitorWindowTest, AFailedWriteIsReportedInTheListWithItsCause) {
  struct Case {
    const char* what;
    std::function<void()> fault;
    std::string line;
  };
  const Case cases[] = {
      {"the receiver's cable pulled out", [this] { HangUpMemoryPortPair(*receiverEnd); },
       "SEND FAILED: Input/output error"},
      {"no port open", [this] { serial.gps.Stop(); }, "SEND FAILED: no GPS port is open"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open();
    c.fault();
    answer = "$PASHS,NME,GGA,A,ON";
    const std::size_t before = Lines().size();
    Press('s');
    ASSERT_EQ(Lines().size(), before + 1);
    EXPECT_EQ(Lines().back(), c.line);
    EXPECT_TRUE(Shows(c.line));
    serial.gps.Stop();
  }
}

TEST_F(GpsMonitorWindowTest, ExitEndsTheReaderClosesThePortAndHidesTheMonitor) {
  for (const bool paused : {false, true}) {
    SCOPED_TRACE(paused ? "paused" : "running");
    Open();
    const PortHandle port = serial.gps.Port().Get();
    if (paused)
      Press('p');
    Press('x');
    EXPECT_EQ(serial.gps.Reader(), nullptr);
    EXPECT_FALSE(serial.gps.Port().IsOpen());
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(IsWindowVisible(state.windows.monitor));
    EXPECT_EQ(GetFocus(), main);
    Press('g');  // back on the main window: the monitor takes no keys
    EXPECT_EQ(state.monitorPaused, paused ? 1 : 0);
  }
}

}  // namespace
}  // namespace gradlog
