#include "serial/InstrumentCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "serial/PortSetup.h"
#include "support/InstalledFakeServices.h"

namespace {

// The instrument at the far end of an in-memory cable, its reply already on the way.
class InstrumentOnCable : public ::testing::Test {
 protected:
  InstrumentOnCable() {
    auto [logger, instrument] = platform::MakeMemoryPortPair();
    logger->SetTimeouts(gradlog::INSTRUMENT_TIMEOUTS);
    serial.instrument.Port().Set(logger);
    instrumentEnd = instrument;
    instrumentEnd->SetTimeouts({platform::MAXDWORD, 0, 0, 0, 0});
  }
  void InstrumentSends(const std::string& bytes) {
    instrumentEnd->Write(std::span<const char>(bytes.data(), bytes.size()));
  }
  std::string InstrumentReceived() {
    std::string received(16, '\0');
    received.resize(instrumentEnd->Read(received));
    return received;
  }

  testing_support::InstalledFakeServices services;
  gradlog::SerialState serial;
  platform::PortHandle instrumentEnd;
};

TEST_F(InstrumentOnCable, OnlyAReplyBeginningOkPasses) {
  const std::pair<const char*, bool> replies[] = {
      {"OK", true}, {"OK\r\n$PBAR,1,2\r\n", true}, {"KO", false}, {"O", false}, {"", false}};
  for (const auto& [reply, passes] : replies) {
    InstrumentSends(reply);
    EXPECT_EQ(gradlog::SendInstrumentCommand(serial.instrument.Port(), {}, 'H', 'X', 0), passes)
        << reply;
    EXPECT_EQ(InstrumentReceived(), "HX") << reply;
    serial.instrument.Port().Get()->Purge(true, true);
  }
}

TEST_F(InstrumentOnCable, ASilentInstrumentFailsWithinItsReplyWindow) {
  const std::uint32_t start = services.TickCount();
  EXPECT_FALSE(gradlog::SendInstrumentCommand(serial.instrument.Port(), {}, 'H', 'W', 0));
  const std::uint32_t elapsed = services.TickCount() - start;
  // The pauses before the reply window and the window itself: about 1.3 s.
  EXPECT_GE(elapsed, 1200u);
  EXPECT_LT(elapsed, 1400u);
}

TEST_F(InstrumentOnCable, ProbeSetsTheRecordTimingOfTheLengthFound) {
  InstrumentSends("garbage T12345\r");
  ASSERT_TRUE(gradlog::ProbeRecordLength(serial, 1.0f));
  EXPECT_EQ(serial.instrumentStatus.instrumentRecordLength, 7);
  EXPECT_FLOAT_EQ(serial.instrumentRecordPeriodMs, 72.0f);
  EXPECT_EQ(serial.readingsPerInterval, 14);

  InstrumentSends("T1234567890\r");
  ASSERT_TRUE(gradlog::ProbeRecordLength(serial, 1.0f));
  EXPECT_EQ(serial.instrumentStatus.instrumentRecordLength, 12);
  EXPECT_EQ(serial.readingsPerInterval, 11);

  InstrumentSends("T12345\r");
  ASSERT_TRUE(gradlog::ProbeRecordLength(serial, 0.0f));
  EXPECT_EQ(serial.readingsPerInterval, 1);

  InstrumentSends("T123\r");
  EXPECT_FALSE(gradlog::ProbeRecordLength(serial, 1.0f));
  EXPECT_EQ(serial.instrumentStatus.instrumentRecordLength, 7);
  // Nothing at all: the clock has to move for the probe to give up.
  std::jthread clock([&](std::stop_token stop) {
    while (!stop.stop_requested()) {
      services.Advance(10);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  EXPECT_FALSE(gradlog::ProbeRecordLength(serial, 1.0f));
}

}  // namespace
