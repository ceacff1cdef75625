#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "platform/sys/ThreadTestSupport.h"
#include "platform/ui/Controls.h"
#include "resources/DialogTemplates.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using gradlog::AppState;
using Strings = std::vector<std::string>;

// The start screen with a receiver on a pseudo-terminal as COM2, the port of the default
// settings; "Mo&nitor GPS" is reached with its key.
class GpsMonitorMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    receiver.LinkAs(root.Path(), "COM2");
    gradlog::RegisterDialogTemplates();
    ASSERT_EQ(gradlog::RegisterWindowClasses(*app), 0);
    ASSERT_TRUE(gradlog::CreateMainWindow(*app));
    PumpMessages();
  }
  void TearDown() override { app->keepAlive.Stop(); }

  // A key as a person presses it: down, the character it types, up.
  void Press(std::uint32_t key, char32_t typed) {
    for (const InputEvent& event : {InputEvent{.kind = InputKind::KeyDown, .virtualKey = key},
                                    InputEvent{.kind = InputKind::Char, .character = typed},
                                    InputEvent{.kind = InputKind::KeyUp, .virtualKey = key}})
      test.platform->InjectInput(event);
    PumpMessages();
  }
  void MonitorGps() { Press('N', U'n'); }

  void ReceiverSends(const std::string& bytes) {
    ASSERT_EQ(::write(receiver.Master(), bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  Strings Lines() const {
    Strings lines;
    for (int i = 0;
         const std::optional<std::string> line = GetListBoxText(app->gpsMonitor.windows.list, i);
         ++i)
      lines.push_back(*line);
    return lines;
  }
  bool PumpUntilLines(std::size_t count) {
    return gradlog::testing::Eventually([&] {
      PumpMessages();
      return Lines().size() >= count;
    });
  }
  // Whether the device is free: the logger does not hold it.
  static bool DeviceIsFree() { return OpenSerialPort("COM2:") != nullptr; }

  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal receiver;
  testing_support::TestPlatform test;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();
};

TEST_F(GpsMonitorMenuTest, MonitorShowsTheReceiverAndKeepsItsLinesFromOneShowingToTheNext) {
  const Hwnd monitor = app->windows.monitorGpsWindow;
  MonitorGps();
  EXPECT_TRUE(IsWindowVisible(monitor));
  EXPECT_EQ(GetFocus(), monitor);
  EXPECT_TRUE(test.Screen().Trace().IsVisible("Pause")) << "on top of the start screen";
  EXPECT_FALSE(DeviceIsFree());
  ReceiverSends("$GPGGA,1\r\n");
  ASSERT_TRUE(PumpUntilLines(1));
  Press('X', U'x');
  EXPECT_FALSE(IsWindowVisible(monitor));
  EXPECT_EQ(GetFocus(), app->windows.mainWindow);
  EXPECT_TRUE(DeviceIsFree());
  MonitorGps();
  ReceiverSends("$GPGGA,2\r\n");
  ASSERT_TRUE(PumpUntilLines(2));
  EXPECT_EQ(Lines(), (Strings{"$GPGGA,1", "$GPGGA,2"}));
}

TEST_F(GpsMonitorMenuTest, APausedMonitorShownAgainStaysPausedUntilGo) {
  MonitorGps();
  Press('P', U'p');
  Press('X', U'x');
  MonitorGps();
  ASSERT_NE(app->serial.gps.Reader(), nullptr);
  EXPECT_TRUE(app->serial.gps.Reader()->IsSuspended());
  EXPECT_TRUE(IsWindowVisible(app->gpsMonitor.windows.buttons[gradlog::MONITOR_GO]));
  Press('G', U'g');
  ReceiverSends("$GPGGA,3\r\n");
  ASSERT_TRUE(PumpUntilLines(1));
  EXPECT_EQ(Lines(), Strings{"$GPGGA,3"});
}

// Without GPS input, or when the port does not open, the monitor shows with nothing to list:
// no reader runs, so not even "NO DATA" comes.
TEST_F(GpsMonitorMenuTest, WithoutAnOpenPortTheMonitorShowsAndNoReaderRuns) {
  app->config.settings.gpsInput = 0;
  MonitorGps();
  EXPECT_TRUE(IsWindowVisible(app->windows.monitorGpsWindow));
  EXPECT_EQ(app->serial.gps.Reader(), nullptr);
  EXPECT_TRUE(DeviceIsFree());
  Press('X', U'x');

  app->config.settings.gpsInput = 1;
  app->config.settings.gpsPort = 4;  // COM5, a regular file
  root.WriteFile(root.Path() / "dev" / "COM5", "no device");
  // The key's release closes the "Cannot open GPS port" box.
  test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = 'N'});
  test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
  test.platform->InjectInput({.kind = InputKind::KeyUp, .virtualKey = VK_RETURN});
  PumpMessages();
  EXPECT_FALSE(IsWindow(FindWindow("MessageBoxWnd", "")));
  EXPECT_TRUE(IsWindowVisible(app->windows.monitorGpsWindow));
  EXPECT_EQ(app->serial.gps.Reader(), nullptr);
  EXPECT_TRUE(Lines().empty());
}

}  // namespace
