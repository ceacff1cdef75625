#include "serial/PortSetup.h"

#include <termios.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/ui/Window.h"
#include "serial/SerialState.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;

// Past the ends of the lists the port keeps its own values (tests/dialogs checks the lists);
// so it does below them, from a hand-edited file. Flow control is always XON/XOFF.
TEST(PortSetup, GpsLineOutsideTheListsKeepsThePortsValuesAndUsesXonXoff) {
  LineSettings current{.baud = 2400, .dataBits = 5, .parity = Parity::Odd};
  current.stopBits = StopBits::Two;
  current.ctsFlow = current.dsrFlow = true;
  gradlog::SurveySettings settings;
  settings.gpsBaud = settings.gpsParity = settings.gpsDataBits = settings.gpsStopBits = -1;
  const LineSettings line = gradlog::GpsLineSettings(settings, current);
  EXPECT_EQ(line.baud, current.baud);
  EXPECT_EQ(line.dataBits, current.dataBits);
  EXPECT_EQ(line.parity, current.parity);
  EXPECT_EQ(line.stopBits, current.stopBits);
  EXPECT_FALSE(line.ctsFlow || line.dsrFlow);
  EXPECT_TRUE(line.xonXoffOutput && line.xonXoffInput);
}

class PortSetupOnTerminal : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
  gradlog::SurveySettings settings;
  gradlog::SerialState serial;
  Hwnd owner;
};

// The GPS port from its settings (COM12 is setting 11); the instrument's always 9600 without
// flow control. A pseudo-terminal drops the parity enable bit but keeps odd against even.
TEST_F(PortSetupOnTerminal, EachPortGetsTheLineItsDeviceWants) {
  gradlog::testing::PseudoTerminal instrument;
  terminal.LinkAs(root.Path(), "COM12");
  instrument.LinkAs(root.Path(), "COM1");
  settings.gpsPort = 11;
  settings.gpsBaud = 5;
  settings.gpsParity = 2;
  settings.gpsStopBits = 1;
  ASSERT_TRUE(gradlog::OpenGpsPort(serial.gps.Port(), settings, owner));
  ASSERT_TRUE(gradlog::OpenInstrumentPort(serial.instrument.Port(), 0, owner));
  termios gps{}, gradiometer{};
  ASSERT_EQ(::tcgetattr(terminal.Slave(), &gps) | ::tcgetattr(instrument.Slave(), &gradiometer), 0);
  EXPECT_EQ(::cfgetospeed(&gps), speed_t{B115200});
  EXPECT_EQ(gps.c_cflag & (PARODD | CSTOPB | CRTSCTS), tcflag_t{PARODD | CSTOPB});
  EXPECT_EQ(gps.c_iflag & (IXON | IXOFF), tcflag_t{IXON | IXOFF});
  EXPECT_EQ(gps.c_lflag & ICANON, 0u);
  EXPECT_EQ(::cfgetospeed(&gradiometer), speed_t{B9600});
  EXPECT_EQ(gradiometer.c_cflag & (CSTOPB | CRTSCTS | PARODD), 0u);
  EXPECT_EQ(gradiometer.c_iflag & (IXON | IXOFF), 0u);
}

// A port that is no terminal: opening it fails.
class PortSetupFailure : public PortSetupOnTerminal {
 protected:
  PortSetupFailure() {
    RegisterClass({.name = "Owner", .procedure = [this](const Message& m) { return Answer(m); }});
    owner = CreateWindow({.className = "Owner", .style = WS_VISIBLE, .rect = {0, 0, 320, 240}});
    root.WriteFile(root.Path() / "dev" / "COM5", "not a terminal");
  }

  // Opens through `open`, answering the message box it shows; true when that box said `text`.
  bool FailsWithMessage(const std::function<bool()>& open, const std::string& text) {
    expectedText = text;
    shown = false;
    SetTimer(owner, 1, 10);
    test.services.Advance(10);
    EXPECT_FALSE(open());
    return shown;
  }

 private:
  LRESULT Answer(const Message& m) {
    if (m.message != WM_TIMER)
      return DefWindowProc(m);
    KillTimer(m.hwnd, 1);
    shown = IsWindow(FindWindow("MessageBoxWnd", "Serial Port")) &&
            test.Screen().Trace().IsVisible(expectedText);
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
    return 0;
  }

  std::string expectedText;
  bool shown = false;
};

TEST_F(PortSetupFailure, APortThatCannotOpenIsReportedAndLeftClosed) {
  settings.gpsPort = 4;
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(
      FailsWithMessage([&] { return gradlog::OpenGpsPort(serial.gps.Port(), settings, owner); },
                       "Cannot open GPS port"));
  const std::string cause = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(cause.find("Cannot open GPS port: "), std::string::npos) << cause;
  EXPECT_NE(cause.find("dev/COM5: not a terminal"), std::string::npos) << cause;
  EXPECT_FALSE(serial.gps.Port().IsOpen());
  EXPECT_TRUE(FailsWithMessage(
      [&] { return gradlog::OpenInstrumentPort(serial.instrument.Port(), 4, owner); },
      "Cannot open EM61-MK2 port"));
  EXPECT_FALSE(serial.instrument.Port().IsOpen());
}

}  // namespace
