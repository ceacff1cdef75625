#include "platform/sys/SerialPort.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "PortLines.h"
#include "ThreadTestSupport.h"
#include "platform/sys/ReadDeadline.h"
#include "platform/sys/TermiosSettings.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using namespace gradlog::testing;

std::string ReadSome(SerialPort& port, std::size_t size = 64) {
  std::string buffer(size, '\0');
  buffer.resize(port.Read(buffer));
  return buffer;
}

TEST(ReadDeadlineTest, ClassicTimeoutRules) {
  const SteadyTime t0{};
  struct Case {
    const char* what;
    CommTimeouts timeouts;
    std::size_t arrived;  // bytes come in at 3 ms
    bool doneAt3;
    std::optional<int> untilMs;  // after the arrival
  };
  const Case cases[] = {
      {"immediate", {MAXDWORD, 0, 0}, 0, true, 0},
      {"first byte ends it", {MAXDWORD, 1000, 1000}, 1, true, 1000 + 1000 * 4},
      {"waits n*mult+const", {MAXDWORD, 1000, 1000}, 0, false, 1000 + 1000 * 4},
      {"mult MAXDWORD: const only", {MAXDWORD, MAXDWORD, 50}, 0, false, 50},
      {"total caps silence", {10, 0, 10}, 2, false, 10},
      {"silence after a byte", {10, 0, 0}, 2, false, 13},
      {"no byte: no interval", {10, 0, 0}, 0, false, std::nullopt},
      {"all zero blocks", {0, 0, 0}, 3, false, std::nullopt},
      {"full buffer ends it", {0, 0, 0}, 4, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadDeadline deadline(c.timeouts, 4, t0);
    deadline.Received(c.arrived, t0 + 3ms);
    EXPECT_EQ(deadline.Done(t0 + 3ms), c.doneAt3);
    const std::optional<SteadyTime> until = deadline.WaitUntil();
    ASSERT_EQ(until.has_value(), c.untilMs.has_value());
    if (until) {
      EXPECT_EQ(*until - t0, std::chrono::milliseconds(*c.untilMs));
      EXPECT_TRUE(deadline.Done(*until));
    }
  }
}

// The fields a termios structure holds, so that a mismatch says which.
auto Fields(const LineSettings& s) {
  return std::tuple(s.baud, s.dataBits, s.parity, s.stopBits, s.xonXoffOutput, s.xonXoffInput,
                    s.ctsFlow, s.dsrFlow);
}

TEST(TermiosSettingsTest, FramingAndFlowMapBothWays) {
  const struct {
    LineSettings wanted;
    tcflag_t cflag;  // of CSIZE, PARENB, PARODD, CSTOPB, CRTSCTS
    tcflag_t iflag;  // of IXON, IXOFF
  } cases[] = {
      {{.baud = 4800, .dataBits = 7, .parity = Parity::Even, .stopBits = StopBits::Two},
       CS7 | PARENB | CSTOPB,
       0},
      {{.baud = 115200, .parity = Parity::Odd, .xonXoffOutput = true}, CS8 | PARENB | PARODD, IXON},
      {{.baud = 9600, .xonXoffInput = true, .ctsFlow = true}, CS8 | CRTSCTS, IXOFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.wanted.baud);
    termios attributes{};
    attributes.c_cflag = CS5 | PARODD | CSTOPB | CRTSCTS | CLOCAL;
    attributes.c_iflag = IXON | IXOFF | IGNBRK;
    ASSERT_TRUE(ApplyLineSettings(c.wanted, attributes));
    // Flags it does not own stay.
    EXPECT_EQ(attributes.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | CLOCAL),
              c.cflag | CLOCAL);
    EXPECT_EQ(attributes.c_iflag, c.iflag | IGNBRK);
    LineSettings back{.baud = 1, .dataBits = 0, .dsrFlow = true};
    ASSERT_TRUE(ReadLineSettings(attributes, back));
    EXPECT_EQ(Fields(back), Fields(c.wanted));
  }
}

class PseudoTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override { terminal.LinkAs(root.Path(), "COM12"); }

  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
};

TEST_F(PseudoTerminalTest, PortNamesMapToLinksOrSerialDevices) {
  EXPECT_EQ(SerialDevicePath("COM12:"), (root.Path() / "dev" / "COM12").string());
  EXPECT_EQ(SerialDevicePath("COM3:"), "/dev/ttyS2");
  for (const char* bad : {"", "COM", "COM:", "COM0:", "COM-1:", "COM01:", "COMX:", "LPT1:",
                          "COM1:x", "COM257:", "COM99999999999:"})
    EXPECT_EQ(SerialDevicePath(bad), "") << bad;
}

TEST_F(PseudoTerminalTest, AFailedOpenSaysWhyAndWhere) {
  const std::string dev = (root.Path() / "dev").string();
  root.WriteFile(dev + "/COM5", "a regular file");
  root.WriteFile(dev + "/COM6", "no access");
  std::filesystem::permissions(dev + "/COM6", std::filesystem::perms::none);
  PortHandle held = OpenSerialPort("COM12:");
  ASSERT_NE(held, nullptr);
  std::vector<std::pair<const char*, std::string>> cases{
      {"LPT1:", "\"LPT1:\" is not a serial port name (COMn:)"},
      {"COM5:", dev + "/COM5: not a terminal"},
      {"COM12:", dev + "/COM12: the device is in use"},
  };
  // Only a path with no device behind it gives this cause.
  if (!std::filesystem::exists(SerialDevicePath("COM256:")))
    cases.emplace_back("COM256:", "/dev/ttyS255: No such file or directory");
  // A privileged process opens the file anyway; it is then no terminal, as above.
  if (::geteuid() != 0)
    cases.emplace_back("COM6:", dev + "/COM6: Permission denied");
  for (const auto& [portName, error] : cases) {
    const PortOpening opening = OpenSerialPortOrExplain(portName);
    EXPECT_EQ(opening.port, nullptr) << portName;
    EXPECT_EQ(opening.error, error) << portName;
  }
  // Close frees the device at once, though `held` still holds the port.
  held->Close();
  const PortOpening reopened = OpenSerialPortOrExplain("COM12:");
  EXPECT_NE(reopened.port, nullptr);
  EXPECT_EQ(reopened.error, "");
}

TEST_F(PseudoTerminalTest, LineSettingsAndBytesReachTheTerminal) {
  PortHandle port = OpenSerialPort("COM12:");
  ASSERT_NE(port, nullptr);
  EXPECT_FALSE(port->SetLineSettings({.dsrFlow = true}));  // which the host cannot do
  ASSERT_TRUE(port->SetLineSettings({.baud = 115200, .stopBits = StopBits::Two, .dtrOn = false}));
  termios attributes{};
  ASSERT_EQ(::tcgetattr(terminal.Slave(), &attributes), 0);
  EXPECT_EQ(::cfgetospeed(&attributes), speed_t{B115200});
  EXPECT_NE(attributes.c_cflag & CSTOPB, 0u);
  LineSettings back;
  ASSERT_TRUE(port->GetLineSettings(back));
  EXPECT_EQ(back.baud, 115200u);
  EXPECT_FALSE(back.dtrOn);  // a pseudo-terminal has no modem lines: remembered

  ASSERT_TRUE(port->SetTimeouts({0, 0, 5000, 0, 0}));  // until the buffer is full, or 5 s
  ASSERT_EQ(::write(terminal.Master(), "$GPGGA", 6), 6);
  EXPECT_EQ(ReadSome(*port, 6), "$GPGGA");  // raw: no line end needed
  EXPECT_EQ(port->Write(std::string_view("HX")), 2u);
  EXPECT_TRUE(port->TransmitImmediate('W'));
  char echoed[3] = {};
  pollfd readable{terminal.Master(), POLLIN, 0};
  for (std::size_t got = 0; got < 3 && ::poll(&readable, 1, 5000) == 1;)
    got += static_cast<std::size_t>(::read(terminal.Master(), echoed + got, 3 - got));
  EXPECT_EQ(std::string(echoed, 3), "HXW");
}

TEST(SerialPortTest, WaitForInputConsumesNothingAndReadAvailableNeverBlocks) {
  for (const PortLine& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line.kind);
    const PortHandle port = line.port;
    ASSERT_TRUE(port->SetTimeouts({}));  // all zero: a read blocks until its buffer is full
    std::string buffer(2, '\0');
    EXPECT_EQ(ResultWithoutHang([&] { return port->ReadAvailable(buffer); }), 0u);
    line.deviceSends("abc");
    std::string received;
    while (received.size() < 3) {
      // A second wait returns at once and the read finds bytes: the first consumed nothing.
      ASSERT_TRUE(ResultWithoutHang([&] { return port->WaitForInput() && port->WaitForInput(); }));
      const std::size_t count = ResultWithoutHang([&] { return port->ReadAvailable(buffer); });
      ASSERT_GT(count, 0u);
      received.append(buffer, 0, count);
    }
    EXPECT_EQ(received, "abc");
  }
}

// A device that hangs up, and a close by another thread, end a blocked call at once.
TEST(HungUpPortTest, HangUpOrCloseEndsAWaitOrReadAndThePortFailsAtOnceFromThenOn) {
  for (const bool hangUp : {true, false}) {
    for (const bool waiting : {true, false}) {
      for (const PortLine& line : BothKindsOfPortLine()) {
        SCOPED_TRACE(std::string(line.kind) + (hangUp ? ", hang-up" : ", close") +
                     (waiting ? ", waiting" : ", reading"));
        const PortHandle port = line.port;
        ASSERT_TRUE(port->SetTimeouts({}));  // all zero: a read blocks until its buffer is full
        auto blocked = std::async(std::launch::async, [&] {
          return waiting ? port->WaitForInput() : !ReadSome(*port).empty();
        });
        LetItRun();  // into the blocking call
        EXPECT_FALSE(ResultWithoutHang([&] {
          hangUp ? line.hangUp() : port->Close();
          return blocked.get();
        }));
        EXPECT_EQ(port->IsOpen(), hangUp);
        ResultWithoutHang([&] {
          EXPECT_FALSE(port->WaitForInput());
          EXPECT_EQ(ReadSome(*port), "");
          std::string buffer(8, '\0');
          EXPECT_EQ(port->ReadAvailable(buffer), 0u);
          EXPECT_EQ(port->Write(std::string_view("W")), 0u);
        });
      }
    }
  }
}

// The cause of a short write, for the operator: the same words from both kinds of port.
TEST(HungUpPortTest, AFailedWriteSaysWhy) {
  for (const bool hangUp : {true, false}) {
    for (const PortLine& line : BothKindsOfPortLine()) {
      SCOPED_TRACE(std::string(line.kind) + (hangUp ? ", hang-up" : ", close"));
      const PortHandle port = line.port;
      EXPECT_EQ(port->Write(std::string_view("$A\r\n")), 4u);
      EXPECT_EQ(port->LastWriteError(), "");
      hangUp ? line.hangUp() : port->Close();
      EXPECT_EQ(ResultWithoutHang([&] { return port->Write(std::string_view("$B\r\n")); }), 0u);
      EXPECT_EQ(port->LastWriteError(),
                hangUp ? SystemErrorText(EIO) : std::string(CLOSED_PORT_ERROR));
    }
  }
  EXPECT_EQ(SystemErrorText(EIO), "Input/output error");
}

}  // namespace
}  // namespace platform
