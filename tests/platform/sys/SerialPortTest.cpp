#include "platform/sys/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
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
using gradlog::testing::BothKindsOfPortLine;
using gradlog::testing::PortLine;
using gradlog::testing::ResultWithoutHang;

std::string ReadSome(SerialPort& port, std::size_t size = 64) {
  std::string buffer(size, '\0');
  buffer.resize(port.Read(buffer));
  return buffer;
}

// Runs `call` on another thread once it is (very likely) blocked, closes `port`, and tells
// what the call returned.
template <typename Call>
auto ResultAfterClose(SerialPort& port, Call call) {
  return gradlog::testing::ResultAfter([&] { port.Close(); }, call);
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

TEST(TermiosSettingsTest, FramingAndFlowMapBothWays) {
  const LineSettings cases[] = {
      {.baud = 4800, .dataBits = 7, .parity = Parity::Even, .stopBits = StopBits::Two},
      {.baud = 115200, .dataBits = 8, .parity = Parity::Odd, .xonXoffOutput = true},
      {.baud = 9600, .dataBits = 8, .xonXoffInput = true, .ctsFlow = true},
  };
  for (const LineSettings& wanted : cases) {
    SCOPED_TRACE(wanted.baud);
    termios attributes{};
    attributes.c_cflag = CS5 | PARODD | CSTOPB | CRTSCTS | CLOCAL;
    attributes.c_iflag = IXON | IXOFF | IGNBRK;
    ASSERT_TRUE(ApplyLineSettings(wanted, attributes));
    EXPECT_EQ(attributes.c_cflag & CSIZE, wanted.dataBits == 7 ? tcflag_t{CS7} : tcflag_t{CS8});
    EXPECT_EQ((attributes.c_cflag & PARENB) != 0, wanted.parity != Parity::None);
    EXPECT_EQ((attributes.c_cflag & PARODD) != 0, wanted.parity == Parity::Odd);
    EXPECT_EQ((attributes.c_cflag & CSTOPB) != 0, wanted.stopBits == StopBits::Two);
    EXPECT_EQ((attributes.c_cflag & CRTSCTS) != 0, wanted.ctsFlow);
    EXPECT_NE(attributes.c_cflag & CLOCAL, 0u);  // flags it does not own stay
    EXPECT_NE(attributes.c_iflag & IGNBRK, 0u);
    LineSettings back{.baud = 1, .dataBits = 0, .dsrFlow = true};
    ASSERT_TRUE(ReadLineSettings(attributes, back));
    EXPECT_EQ(back.baud, wanted.baud);
    EXPECT_EQ(back.dataBits, wanted.dataBits);
    EXPECT_EQ(back.parity, wanted.parity);
    EXPECT_EQ(back.stopBits, wanted.stopBits);
    EXPECT_EQ(back.xonXoffOutput, wanted.xonXoffOutput);
    EXPECT_EQ(back.xonXoffInput, wanted.xonXoffInput);
    EXPECT_EQ(back.ctsFlow, wanted.ctsFlow);
    EXPECT_FALSE(back.dsrFlow);
  }
  for (const LineSettings& refused :
       {LineSettings{.baud = 12345}, LineSettings{.dataBits = 9}, LineSettings{.dsrFlow = true}}) {
    termios attributes{};
    EXPECT_FALSE(ApplyLineSettings(refused, attributes));
    EXPECT_FALSE(IsSupportedLineSettings(refused));
  }
}

// A pseudo-terminal linked as <root>/dev/COM12.
class PseudoTerminalTest : public ::testing::Test {
 protected:
  void SetUp() override { terminal.LinkAs(root.Path(), "COM12"); }

  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
  const int master = terminal.Master();
  const int slave = terminal.Slave();
};

TEST_F(PseudoTerminalTest, PortNamesMapToLinksOrSerialDevices) {
  EXPECT_EQ(SerialDevicePath("COM12:"), (root.Path() / "dev" / "COM12").string());
  EXPECT_EQ(SerialDevicePath("COM3:"), "/dev/ttyS2");
  std::filesystem::remove(root.Path() / "dev" / "COM12");
  EXPECT_EQ(SerialDevicePath("COM12:"), "/dev/ttyS11");
  for (const char* bad : {"", "COM", "COM:", "COM0:", "COM-1:", "COM01:", "COMX:", "LPT1:",
                          "COM1:x", "COM257:", "COM99999999999:"}) {
    EXPECT_EQ(SerialDevicePath(bad), "") << bad;
    EXPECT_EQ(OpenSerialPort(bad), nullptr) << bad;
  }
}

TEST_F(PseudoTerminalTest, AFailedOpenSaysWhyAndWhere) {
  const std::string dev = (root.Path() / "dev").string();
  root.WriteFile(root.Path() / "dev" / "COM5", "a regular file");
  root.WriteFile(root.Path() / "dev" / "COM6", "no access");
  std::filesystem::permissions(root.Path() / "dev" / "COM6", std::filesystem::perms::none);
  PortHandle held = OpenSerialPort("COM12:");
  ASSERT_NE(held, nullptr);
  struct Case {
    const char* portName;
    std::string error;
  };
  std::vector<Case> cases{
      {"LPT1:", "\"LPT1:\" is not a serial port name (COMn:)"},
      {"COM5:", dev + "/COM5: not a terminal"},
      {"COM12:", dev + "/COM12: the device is in use"},
  };
  // Only a path with no device behind it gives this cause.
  if (!std::filesystem::exists(SerialDevicePath("COM256:")))
    cases.push_back({"COM256:", "/dev/ttyS255: No such file or directory"});
  // A privileged process opens the file anyway; it is then no terminal, as above.
  if (::geteuid() != 0)
    cases.push_back({"COM6:", dev + "/COM6: Permission denied"});
  for (const Case& c : cases) {
    const PortOpening opening = OpenSerialPortOrExplain(c.portName);
    EXPECT_EQ(opening.port, nullptr) << c.portName;
    EXPECT_EQ(opening.error, c.error) << c.portName;
  }
  held->Close();
  const PortOpening reopened = OpenSerialPortOrExplain("COM12:");
  EXPECT_NE(reopened.port, nullptr);
  EXPECT_EQ(reopened.error, "");
}

TEST_F(PseudoTerminalTest, LineSettingsReachTheTerminal) {
  PortHandle port = OpenSerialPort("COM12:");
  ASSERT_NE(port, nullptr);
  for (Parity parity : {Parity::Even, Parity::Odd}) {
    LineSettings settings;
    ASSERT_TRUE(port->GetLineSettings(settings));
    settings.baud = 115200;
    settings.dataBits = 7;
    settings.parity = parity;
    settings.stopBits = StopBits::Two;
    settings.xonXoffOutput = settings.xonXoffInput = true;
    settings.ctsFlow = false;
    ASSERT_TRUE(port->SetLineSettings(settings));
    termios attributes{};
    ASSERT_EQ(::tcgetattr(slave, &attributes), 0);
    // A pseudo-terminal keeps 8 bits without parity whatever is asked; the rest it keeps.
    EXPECT_EQ(::cfgetospeed(&attributes), speed_t{B115200});
    EXPECT_EQ((attributes.c_cflag & PARODD) != 0, parity == Parity::Odd);
    EXPECT_NE(attributes.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(attributes.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(attributes.c_iflag & IXON, 0u);
    EXPECT_NE(attributes.c_iflag & IXOFF, 0u);
    EXPECT_EQ(attributes.c_lflag & ICANON, 0u);  // raw
    LineSettings back;
    ASSERT_TRUE(port->GetLineSettings(back));
    EXPECT_EQ(back.baud, 115200u);
    EXPECT_EQ(back.stopBits, StopBits::Two);
    EXPECT_TRUE(back.xonXoffOutput && back.xonXoffInput);
  }
}

TEST_F(PseudoTerminalTest, OpenIsExclusiveUntilClosed) {
  PortHandle first = OpenSerialPort("COM12:");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OpenSerialPort("COM12:"), nullptr);
  PortHandle stillHeld = first;  // a reader's copy must not keep the device busy
  first->Close();
  EXPECT_NE(OpenSerialPort("COM12:"), nullptr);
}

TEST_F(PseudoTerminalTest, BytesCrossAndCloseWakesABlockedRead) {
  PortHandle port = OpenSerialPort("COM12:");
  ASSERT_NE(port, nullptr);
  ASSERT_TRUE(port->SetTimeouts({MAXDWORD, 1000, 1000, 0, 0}));
  ASSERT_EQ(::write(master, "$GPGGA", 6), 6);
  std::string received;
  for (int i = 0; i < 6 && received.size() < 6; ++i)
    received += ReadSome(*port, 6 - received.size());
  EXPECT_EQ(received, "$GPGGA");
  EXPECT_EQ(port->Write(std::string_view("HX")), 2u);
  EXPECT_TRUE(port->TransmitImmediate('W'));
  char echoed[3] = {};
  pollfd readable{master, POLLIN, 0};
  for (std::size_t got = 0; got < 3 && ::poll(&readable, 1, 5000) == 1;)
    got += static_cast<std::size_t>(::read(master, echoed + got, 3 - got));
  EXPECT_EQ(std::string(echoed, 3), "HXW");

  ASSERT_TRUE(port->SetTimeouts({}));  // all zero: only a full buffer or the close ends it
  EXPECT_EQ(ResultAfterClose(*port, [&] { return ReadSome(*port); }), "");
  EXPECT_FALSE(port->IsOpen());
  EXPECT_EQ(ReadSome(*port), "");
  EXPECT_FALSE(port->WaitForInput());
  EXPECT_FALSE(port->SetLineSettings({}));
}

TEST(MemoryPortTest, BytesCrossAndTimeoutsHold) {
  auto [a, b] = MakeMemoryPortPair();
  ASSERT_TRUE(b->SetTimeouts({10, 0, 10, 0, 0}));
  EXPECT_EQ(a->Write(std::string_view("abc")), 3u);
  EXPECT_TRUE(a->TransmitImmediate('d'));
  EXPECT_TRUE(b->WaitForInput());
  EXPECT_EQ(ReadSome(*b), "abcd");
  EXPECT_EQ(ReadSome(*b), "");  // nothing more came: the time-out ends it
  EXPECT_EQ(b->Write(std::string_view("ok")), 2u);
  ASSERT_TRUE(a->SetTimeouts({MAXDWORD, 0, 0, 0, 0}));
  EXPECT_EQ(ReadSome(*a), "ok");

  ASSERT_TRUE(b->SetQueueSizes(4, 256));  // more than fits is lost, as on an overrun
  a->Write(std::string_view("0123456789"));
  EXPECT_EQ(ReadSome(*b), "0123");
  a->Write(std::string_view("xy"));
  EXPECT_TRUE(b->Purge(true, true));
  EXPECT_EQ(ReadSome(*b), "");
}

TEST(SerialPortTest, WaitForInputConsumesNothingAndReadAvailableNeverBlocks) {
  for (const std::unique_ptr<PortLine>& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line->Kind());
    const PortHandle port = line->Port();
    ASSERT_TRUE(port->SetTimeouts({}));  // all zero: a read blocks until its buffer is full
    std::string buffer(2, '\0');
    EXPECT_EQ(ResultWithoutHang([&] { return port->ReadAvailable(buffer); }), 0u);
    line->DeviceSends("abc");
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

TEST(MemoryPortTest, LineSettingsAreKeptAsSet) {
  auto [a, b] = MakeMemoryPortPair();
  const LineSettings set{.baud = 4800, .dataBits = 7, .parity = Parity::Odd, .dtrOn = false};
  ASSERT_TRUE(a->SetLineSettings(set));
  EXPECT_FALSE(a->SetLineSettings({.baud = 12345}));
  LineSettings back;
  ASSERT_TRUE(a->GetLineSettings(back));
  EXPECT_EQ(back.baud, 4800u);
  EXPECT_EQ(back.dataBits, 7);
  EXPECT_EQ(back.parity, Parity::Odd);
  EXPECT_FALSE(back.dtrOn);
}

TEST(MemoryPortTest, CloseWakesWaitersAndLaterCallsFail) {
  // Plain references, not structured bindings: clang 14 cannot capture those.
  const auto waiting = MakeMemoryPortPair();
  const PortHandle& b = waiting.second;
  EXPECT_FALSE(ResultAfterClose(*b, [&] { return b->WaitForInput(); }));
  const auto reading = MakeMemoryPortPair();
  const PortHandle& c = reading.first;
  const PortHandle& d = reading.second;
  ASSERT_TRUE(d->SetTimeouts({MAXDWORD, 1000, 1000, 0, 0}));
  EXPECT_EQ(ResultAfterClose(*d, [&] { return ReadSome(*d); }), "");
  EXPECT_EQ(c->Write(std::string_view("late")), 4u);  // nobody listens at the closed end
  EXPECT_EQ(d->Write(std::string_view("late")), 0u);
  EXPECT_FALSE(d->IsOpen());
  EXPECT_TRUE(c->IsOpen());
}

}  // namespace
}  // namespace platform
