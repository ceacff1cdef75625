#include "serial/InstrumentCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <tuple>

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

// Reply, whether the command passes, and whether it waits out the reply window (about 1.3 s
// with the pauses before it) for a reply that stays short, as from a silent instrument.
TEST_F(InstrumentOnCable, OnlyAReplyBeginningOkPassesAndSilenceEndsWithTheReplyWindow) {
  const std::tuple<const char*, bool, bool> replies[] = {
      {"OK", true, false},  {"OK\r\n$PBAR,1,2\r\n", true, false},
      {"KO", false, false}, {"O", false, true},
      {"", false, true},
  };
  for (const auto& [reply, passes, waitsOut] : replies) {
    InstrumentSends(reply);
    const std::uint32_t start = services.TickCount();
    EXPECT_EQ(gradlog::SendInstrumentCommand(serial.instrument.Port(), {}, 'H', 'X', 0), passes)
        << reply;
    const std::uint32_t elapsed = services.TickCount() - start;
    EXPECT_LT(elapsed, 1400u) << reply;
    EXPECT_EQ(elapsed >= 1200u, waitsOut) << reply;
    EXPECT_EQ(InstrumentReceived(), "HX") << reply;
    serial.instrument.Port().Get()->Purge(true, true);
  }
}

TEST_F(InstrumentOnCable, ProbeSetsTheRecordTimingOfTheLengthFound) {
  // Sent, reading interval, then the length found (0: none known) and what it sets.
  const std::tuple<const char*, float, std::int32_t, float, std::int32_t> cases[] = {
      {"garbage T12345\r", 1.0f, 7, 72.0f, 14},
      {"T1234567890\r", 1.0f, 12, 91.0f, 11},
      {"T123\r", 1.0f, 0, 0.0f, 0},  // unknown: the length goes back to 7
      {"T12345\r", 0.0f, 7, 72.0f, 1}};
  for (const auto& [sent, interval, length, periodMs, readings] : cases) {
    SCOPED_TRACE(sent);
    InstrumentSends(sent);
    ASSERT_EQ(gradlog::ProbeRecordLength(serial, interval), length != 0);
    EXPECT_EQ(serial.instrumentStatus.instrumentRecordLength, length != 0 ? length : 7);
    if (length != 0) {
      EXPECT_FLOAT_EQ(serial.instrumentRecordPeriodMs, periodMs);
      EXPECT_EQ(serial.readingsPerInterval, readings);
    }
  }
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
