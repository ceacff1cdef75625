#include "serial/GradReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "common/UserMessages.h"
#include "serial/PortSetup.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using gradlog::GradLine;

// A logging window collecting what the reader posts, and an instrument on an in-memory cable.
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
    auto [logger, instrument] = MakeMemoryPortPair();
    logger->SetTimeouts(gradlog::INSTRUMENT_TIMEOUTS);
    serial.instrument.Port().Set(logger);
    instrumentEnd = instrument;
  }
  ~GradReaderTest() override { serial.instrument.Stop(); }

  void InstrumentSends(const std::string& bytes) {
    instrumentEnd->Write(std::span<const char>(bytes.data(), bytes.size()));
  }
  // The reader discards what came before it started, so the instrument repeats a first
  // line until the reader takes it.
  void StartReaderAndWaitUntilReading() {
    gradlog::StartGradReader(serial, {.gradSensorCount = 2, .target = loggingWindow});
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (received.empty() && std::chrono::steady_clock::now() < giveUp) {
      InstrumentSends("$PBAR,0,0\r\n");
      PumpUntilReceived(1, std::chrono::milliseconds(20));
    }
    ASSERT_FALSE(received.empty());
    received.clear();
  }
  // Pumps messages until `count` lines have come, or a generous while has passed.
  void PumpUntilReceived(std::size_t count,
                         std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (received.size() < count && std::chrono::steady_clock::now() < giveUp) {
      PumpMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  testing_support::TestPlatform test;
  gradlog::SerialState serial;
  Hwnd loggingWindow;
  PortHandle instrumentEnd;
  std::vector<std::string> received;
};

TEST_F(GradReaderTest, PostsACopyOfEachAcceptedLine) {
  StartReaderAndWaitUntilReading();
  const std::string tooLong = "$PBAR," + std::string(120, '1');
  InstrumentSends("$PBAR,1\r\n$PBAR,12.5,-3.1\r\n" + tooLong + "\r\n$PBAR,7,8\r\n");
  PumpUntilReceived(2);
  // The 8-byte line is too short for two sensors; the 126-character one does not fit the
  // handler's line and is dropped whole.
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,12.5,-3.1", "$PBAR,7,8"}));
  EXPECT_EQ(serial.instrumentStatus.instrumentRecordLength, 9);
  EXPECT_EQ(serial.instrumentStatus.connectionRetries, 0);
}

TEST_F(GradReaderTest, NothingIsHandedOverWhileSuspended) {
  StartReaderAndWaitUntilReading();
  serial.instrument.Reader()->Suspend();
  // The reader notes the tick before it hands a line over, so a new tick shows that it
  // has the line and is being held back.
  const std::uint32_t before = serial.instrumentStatus.lastReadingTick;
  test.services.Advance(5);
  InstrumentSends("$PBAR,2,2\r\n");
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (serial.instrumentStatus.lastReadingTick == before &&
         std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  PumpMessages();
  EXPECT_TRUE(received.empty());
  serial.instrument.Reader()->Resume();
  PumpUntilReceived(1);
  EXPECT_EQ(received, (std::vector<std::string>{"$PBAR,2,2"}));
}

TEST(GradLineStore, TheHandlersLineComesFromTheCopy) {
  gradlog::SerialState serial;
  serial.instrumentLine.fill('x');
  ASSERT_TRUE(gradlog::StoreGradLine(serial, GradLine{"$PBAR,1,2", 42}));
  EXPECT_STREQ(serial.instrumentLine.data(), "$PBAR,1,2");
  EXPECT_EQ(serial.instrumentLineStartTick, 42u);
  EXPECT_FALSE(gradlog::StoreGradLine(serial, std::string("$PBAR,1,2")));
  EXPECT_FALSE(gradlog::StoreGradLine(serial, GradLine{std::string(104, '1'), 1}));
}

}  // namespace
