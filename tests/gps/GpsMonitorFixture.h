#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigState.h"
#include "gps/GpsMonitor.h"
#include "gps/GpsMonitorCommands.h"
#include "gps/GpsMonitorState.h"
#include "gps/GpsMonitorWindow.h"
#include "platform/backend/InputEvent.h"
#include "platform/sys/ThreadTestSupport.h"
#include "platform/ui/Controls.h"
#include "serial/PortSetup.h"
#include "serial/SerialState.h"
#include "support/TestPlatform.h"

namespace gradlog::testing {

// The GPS monitor as start-up leaves it (hidden, over a main window) on a headless platform
// with a hand-moved clock. Open() connects a receiver on an in-memory cable and shows the
// monitor with its reader; the command is asked for by a stand-in that answers `answer`.
class GpsMonitorFixture : public ::testing::Test {
 protected:
  GpsMonitorFixture() {
    using namespace platform;
    RegisterClass({.name = "MonitorTestMain",
                   .procedure = DefWindowProc,
                   .background = GetStockBrush(StockObject::LightGrayBrush)});
    EXPECT_TRUE(RegisterGpsMonitorClass(monitor));
    main = CreateWindow(
        {.className = "MonitorTestMain", .style = WS_VISIBLE, .rect = {0, 0, 320, 240}});
    CreateWindow({.className = "MonitorGPSWnd",
                  .title = "Monitor GPS",
                  .style = WS_CHILD,
                  .rect = {0, 0, 320, 240},
                  .parent = main,
                  .id = 3});
    PumpMessages();
  }

  void Open() {
    auto [logger, receiver] = platform::MakeMemoryPortPair();
    logger->SetTimeouts(GPS_TIMEOUTS);
    serial.gps.Port().Set(logger);
    receiverEnd = receiver;
    StartMonitorReading(monitor);
    ShowGpsMonitor(monitor);
    platform::PumpMessages();
  }

  void ReceiverSends(std::string_view bytes) { receiverEnd->Write(bytes); }
  // What the monitor has written to the receiver so far.
  std::string ReceiverGot() {
    std::string bytes(512, '\0');
    bytes.resize(receiverEnd->ReadAvailable(bytes));
    return bytes;
  }

  // A key pressed as a person does, its messages handled: 'p' for P, '\r' for Enter, '\t'
  // for Tab.
  void Press(char typed) {
    using namespace platform;
    const std::uint32_t key = typed == '\r'   ? VK_RETURN
                              : typed == '\t' ? VK_TAB
                                              : static_cast<std::uint32_t>(std::toupper(typed));
    for (const InputEvent& event :
         {InputEvent{.kind = InputKind::KeyDown, .virtualKey = key},
          InputEvent{.kind = InputKind::Char, .character = static_cast<char32_t>(typed)},
          InputEvent{.kind = InputKind::KeyUp, .virtualKey = key}})
      test.platform->InjectInput(event);
    PumpMessages();
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0;
         const std::optional<std::string> line = platform::GetListBoxText(state.windows.list, i);
         ++i)
      lines.push_back(*line);
    return lines;
  }
  // Pumps messages until the list holds `count` lines; false if it never does.
  bool PumpUntilLines(std::size_t count) {
    return Eventually([&] {
      platform::PumpMessages();
      return Lines().size() >= count;
    });
  }
  bool Shows(std::string_view text) {
    platform::PumpMessages();
    return test.Screen().Trace().IsVisible(text);
  }
  platform::Hwnd Button(std::int32_t index) const {
    return state.windows.buttons[static_cast<std::size_t>(index)];
  }
  bool HasDefaultStyle(std::int32_t index) const {
    return (platform::GetWindowStyle(Button(index)) & 0xF) == platform::BS_DEFPUSHBUTTON;
  }

  testing_support::TestPlatform test;
  ConfigState config;
  GpsMonitorState state;
  SerialState serial;              // after the state: its reader ends before the state goes
  std::vector<std::string> asked;  // the texts the command question offered
  std::optional<std::string> answer;
  GpsMonitor monitor{state, serial.gps, config, [this](platform::Hwnd, const std::string& current) {
                       asked.push_back(current);
                       return answer;
                     }};
  platform::Hwnd main;
  platform::PortHandle receiverEnd;
};

}  // namespace gradlog::testing
