#include "serial/GradReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/UserMessages.h"
#include "platform/sys/CountingPort.h"
#include "platform/sys/ThreadTestSupport.h"
#include "serial/InstrumentCommands.h"
#include "serial/PortSetup.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using gradlog::GradLine;
using gradlog::SerialState;

// A logging window collecting what the reader posts.
class GradReaderTest : public ::testing::Test {
 protected:
  GradReaderTest() {
    RegisterClass({.name = "Logging", .procedure = [this](const Message& m) -> LRESULT {
                     if (m.message != gradlog::UM_GRAD_DATA)
                       return DefWindowProc(m);
                     if (const auto* line = std::any_cast<GradLine>(&m.payload))
                       received.push_back(line->text);
                     return 0;
                   }});
    loggingWindow = CreateWindow({.className = "Logging", .rect = {0, 0, 320, 240}});
  }

  void StartReader() {
    gradlog::StartGradReader(*serial, {.gradSensorCount = 2, .target = loggingWindow});
  }
  // Pumps messages until `count` lines have come; false if they never do.
  bool PumpUntilReceived(
      std::size_t count, const std::function<void()>& meanwhile = [] {}) {
    return gradlog::testing::Eventually([&] {
      meanwhile();
      PumpMessages();
      return received.size() >= count;
    });
  }

  testing_support::TestPlatform test;
  Hwnd loggingWindow;
  std::unique_ptr<SerialState> serial = std::make_unique<SerialState>();
  std::vector<std::string> received;
};

// The instrument on an in-memory cable.
class GradReaderOnCable : public GradReaderTest {
 protected:
  GradReaderOnCable() { Connect(); }

  void Connect() {
    auto [logger, instrument] = MakeMemoryPortPair();
    logger->SetTimeouts(gradlog::INSTRUMENT_TIMEOUTS);
    serial->instrument.Port().Set(logger);
    instrumentEnd = instrument;
  }
  void InstrumentSends(const std::string& bytes) {
    instrumentEnd->Write(std::span<const char>(bytes.data(), bytes.size()));
  }
  // The reader discards what came before it started, so the instrument repeats a first
  // line (every 20 ms) until the reader takes it.
  void StartReaderAndWaitUntilReading() {
    StartReader();
    int polls = 0;
    ASSERT_TRUE(PumpUntilReceived(1, [&] {
      if (polls++ % 20 == 0)
        InstrumentSends("$PBAR,0,0\r\n");
    }));
    PumpMessages();
    received.clear();
  }

  PortHandle instrumentEnd;
};

TEST_F(GradReaderOnCable, PostsACopyOfEachAcceptedLine) {
  StartReaderAndWaitUntilReading();
  const std::string tooLong = "$PBAR," + std::string(120, '1');
  InstrumentSends("$PBAR,1\r\n$PBAR,12.5,-3.1\r\n" + tooLong + "\r\n$PBAR,7,8\r\n");
  PumpUntilReceived(2);
  // The 8-byte line is too short for two sensors; the 126-character one does not fit the
  // handler's line and is dropped whole.
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,12.5,-3.1", "$PBAR,7,8"}));
  EXPECT_EQ(serial->instrumentStatus.instrumentRecordLength, 9);
  EXPECT_EQ(serial->instrumentStatus.connectionRetries, 0);
}

// A command to the instrument is sent with the reader suspended, and its reply is the
// command's to read, not the reader's.
TEST_F(GradReaderOnCable, TheReplyToACommandReachesTheCommand) {
  StartReaderAndWaitUntilReading();
  serial->instrument.Reader()->Suspend();
  InstrumentSends("OK");
  gradlog::testing::LetItRun();
  EXPECT_TRUE(gradlog::SendInstrumentCommand(serial->instrument.Port(), {}, 'H', 'X', 0));
  serial->instrument.Reader()->Resume();
  InstrumentSends("$PBAR,5,5\r\n");
  PumpUntilReceived(1);
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,5,5"}));
}

// Half a line read before a suspension is not finished by bytes that come after it: the
// instrument may have been talked to in between.
TEST_F(GradReaderOnCable, ALineBegunBeforeASuspensionIsNotHandedOverAfterIt) {
  StartReaderAndWaitUntilReading();
  InstrumentSends("$PBAR,1,1\r\n$PBAR,3,");  // one read takes both
  PumpUntilReceived(1);
  ASSERT_EQ(received, (std::vector<std::string>{"$PBAR,1,1"}));
  serial->instrument.Reader()->Suspend();
  serial->instrument.Reader()->Resume();
  InstrumentSends("3\r\n$PBAR,4,4\r\n");
  PumpUntilReceived(2);
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,1,1", "$PBAR,4,4"}));
}

// A command that re-opens the port leaves the field empty for a while; the reader waits.
TEST_F(GradReaderOnCable, TheReaderOutlivesAPortReopen) {
  StartReaderAndWaitUntilReading();
  serial->instrument.Port().Close();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Connect();
  InstrumentSends("$PBAR,6,6\r\n");
  PumpUntilReceived(1);
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,6,6"}));
}

// The instrument on a pseudo-terminal linked as COM1.
class GradReaderOnTerminal : public GradReaderTest {
 protected:
  GradReaderOnTerminal() {
    terminal.LinkAs(root.Path(), "COM1");
    EXPECT_TRUE(gradlog::OpenInstrumentPort(serial->instrument.Port(), 0, loggingWindow));
  }

  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
};

// Ending the program while the instrument is silent: the reader is blocked waiting for input
// that never comes, and ending the state must still return.
TEST_F(GradReaderOnTerminal, EndingTheStateReturnsWhileTheInstrumentIsSilent) {
  StartReader();
  gradlog::testing::LetItRun();
  gradlog::testing::ResultWithoutHang([&] {
    serial.reset();
    return true;
  });
  EXPECT_EQ(serial, nullptr);
}

// A pulled adapter or a closed far end: the device is ready at once with nothing to read,
// for ever. The reader pauses between tries instead of spinning (which makes hundreds of
// thousands of calls in half a second).
TEST_F(GradReaderOnTerminal, AHungUpDeviceIsRetriedWithPausesNotASpin) {
  auto counting = std::make_shared<gradlog::testing::CountingPort>(serial->instrument.Port().Get());
  serial->instrument.Port().Set(counting);
  StartReader();
  gradlog::testing::LetItRun();
  terminal.CloseMaster();
  const int before = counting->Calls();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_LT(counting->Calls() - before, 1000);
  serial->instrument.Stop();
}

TEST(GradLineStore, TheHandlersLineComesFromTheCopy) {
  SerialState serial;
  serial.instrumentLine.fill('x');
  ASSERT_TRUE(gradlog::StoreGradLine(serial, GradLine{"$PBAR,1,2", 42}));
  EXPECT_STREQ(serial.instrumentLine.data(), "$PBAR,1,2");
  EXPECT_EQ(serial.instrumentLineStartTick, 42u);
  EXPECT_FALSE(gradlog::StoreGradLine(serial, std::string("$PBAR,1,2")));
  EXPECT_FALSE(gradlog::StoreGradLine(serial, GradLine{std::string(104, '1'), 1}));
}

}  // namespace
