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

TEST(PortSetup, PortNamesCountFromOne) {
  EXPECT_EQ(gradlog::ComPortName(0), "COM1:");
  EXPECT_EQ(gradlog::ComPortName(11), "COM12:");
}

TEST(PortSetup, GpsSettingsOutsideTheirChoicesKeepThePortsValues) {
  const LineSettings current{.baud = 2400,
                             .dataBits = 8,
                             .parity = Parity::Odd,
                             .stopBits = StopBits::Two,
                             .ctsFlow = true,
                             .dsrFlow = true};
  struct Case {
    std::int32_t baud, parity, dataBits, stopBits;
    LineSettings expected;
  };
  const Case cases[] = {
      {5,
       1,
       0,
       0,
       {.baud = 115200, .dataBits = 7, .parity = Parity::Even, .stopBits = StopBits::One}},
      {0, 2, 1, 1, {.baud = 4800, .dataBits = 8, .parity = Parity::Odd, .stopBits = StopBits::Two}},
      {1,
       0,
       1,
       0,
       {.baud = 9600, .dataBits = 8, .parity = Parity::None, .stopBits = StopBits::One}},
      {6, 3, 2, 2, {.baud = 2400, .dataBits = 8, .parity = Parity::Odd, .stopBits = StopBits::Two}},
      {-1,
       -1,
       -1,
       -1,
       {.baud = 2400, .dataBits = 8, .parity = Parity::Odd, .stopBits = StopBits::Two}},
  };
  for (const Case& c : cases) {
    gradlog::SurveySettings settings;
    settings.gpsBaud = c.baud;
    settings.gpsParity = c.parity;
    settings.gpsDataBits = c.dataBits;
    settings.gpsStopBits = c.stopBits;
    const LineSettings line = gradlog::GpsLineSettings(settings, current);
    EXPECT_EQ(line.baud, c.expected.baud) << c.baud;
    EXPECT_EQ(line.parity, c.expected.parity) << c.parity;
    EXPECT_EQ(line.dataBits, c.expected.dataBits) << c.dataBits;
    EXPECT_EQ(line.stopBits, c.expected.stopBits) << c.stopBits;
    EXPECT_FALSE(line.ctsFlow || line.dsrFlow);
    EXPECT_TRUE(line.xonXoffOutput && line.xonXoffInput);
  }
}

class PortSetupOnTerminal : public ::testing::Test {
 protected:
  termios SlaveAttributes() const {
    termios attributes{};
    EXPECT_EQ(::tcgetattr(terminal.Slave(), &attributes), 0);
    return attributes;
  }

  testing_support::TestPlatform test;
  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
  gradlog::SurveySettings settings;
  gradlog::SerialState serial;
  Hwnd owner;
};

TEST_F(PortSetupOnTerminal, GpsPortTwelveGetsTheLineTheSettingsAsk) {
  terminal.LinkAs(root.Path(), "COM12");
  settings.gpsPort = 11;
  settings.gpsBaud = 5;
  settings.gpsParity = 2;
  settings.gpsStopBits = 1;
  ASSERT_TRUE(gradlog::OpenGpsPort(serial.gps.Port(), settings, owner));
  ASSERT_TRUE(serial.gps.Port().IsOpen());
  const termios attributes = SlaveAttributes();
  EXPECT_EQ(::cfgetospeed(&attributes), speed_t{B115200});
  // A pseudo-terminal drops the parity enable bit but keeps odd against even.
  EXPECT_NE(attributes.c_cflag & PARODD, 0u);
  EXPECT_NE(attributes.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(attributes.c_cflag & CRTSCTS, 0u);
  EXPECT_NE(attributes.c_iflag & IXON, 0u);
  EXPECT_NE(attributes.c_iflag & IXOFF, 0u);
  EXPECT_EQ(attributes.c_lflag & ICANON, 0u);
}

TEST_F(PortSetupOnTerminal, InstrumentPortOneIsNineThousandSixHundredWithoutFlowControl) {
  terminal.LinkAs(root.Path(), "COM1");
  settings.instrumentPort = 0;
  ASSERT_TRUE(
      gradlog::OpenInstrumentPort(serial.instrument.Port(), settings.instrumentPort, owner));
  const termios attributes = SlaveAttributes();
  EXPECT_EQ(::cfgetospeed(&attributes), speed_t{B9600});
  EXPECT_EQ(attributes.c_cflag & (CSTOPB | CRTSCTS | PARODD), 0u);
  EXPECT_EQ(attributes.c_iflag & (IXON | IXOFF), 0u);
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
  settings.instrumentPort = 4;
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
