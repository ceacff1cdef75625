#include "gps/GpsReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <any>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "HandledBytesPort.h"
#include "common/UserMessages.h"
#include "config/SurveySettings.h"
#include "platform/sys/CountingPort.h"
#include "platform/sys/ThreadTestSupport.h"
#include "serial/PortSetup.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace gradlog {
namespace {

using namespace platform;
using Texts = std::vector<std::string>;
using namespace std::string_literals;

constexpr std::string_view GGA =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

// A logging window whose sentence handler notes what it is handed, and when it begins and
// ends handling it.
class GpsReaderTest : public ::testing::Test {
 protected:
  GpsReaderTest() {
    RegisterClass({.name = "Logging", .procedure = [this](const Message& m) -> LRESULT {
                     if (m.message != UM_GPS_SENTENCE)
                       return DefWindowProc(m);
                     if (const auto* sentence = std::any_cast<GpsSentence>(&m.payload))
                       Handle(*sentence);
                     return 0;
                   }});
    loggingWindow = CreateWindow({.className = "Logging", .rect = {0, 0, 320, 240}});
  }

  void Handle(const GpsSentence& sentence) {
    handling.push_back("begin " + sentence.text);
    received.push_back(sentence.text);
    startTicks.push_back(sentence.startTick);
    if (whileHandling)
      whileHandling();
    handling.push_back("end " + sentence.text);
  }
  void StartReader() { StartGpsReader(*serial, loggingWindow); }
  // Answers the reader's sends until `condition` holds; false if it never does.
  bool PumpUntil(const std::function<bool()>& condition) {
    return testing::Eventually([&] {
      PumpMessages();
      return condition();
    });
  }

  testing_support::TestPlatform test;
  Hwnd loggingWindow;
  Texts received;
  std::vector<std::uint32_t> startTicks;
  Texts handling;
  std::function<void()> whileHandling;
  std::unique_ptr<SerialState> serial = std::make_unique<SerialState>();
};

// The receiver on an in-memory cable.
class GpsReaderOnCable : public GpsReaderTest {
 protected:
  GpsReaderOnCable() {
    Connect();
    StartReader();
  }

  void Connect() {
    auto [logger, receiver] = MakeMemoryPortPair();
    logger->SetTimeouts(GPS_TIMEOUTS);
    loggerCable = logger;
    handledBytes = std::make_shared<testing::HandledBytesPort>(logger);
    counting = std::make_shared<testing::CountingPort>(handledBytes);
    serial->gps.Port().Set(counting);
    receiverEnd = receiver;
    sent = 0;
  }
  // The receiver sends `bytes`; returns once the reader has handled them all.
  void ReceiverSends(std::string_view bytes) {
    receiverEnd->Write(std::span<const char>(bytes.data(), bytes.size()));
    sent += bytes.size();
    ASSERT_TRUE(PumpUntil([&] { return handledBytes->HandledBytes() == sent; }));
  }
  PortHandle loggerCable;
  std::shared_ptr<testing::HandledBytesPort> handledBytes;
  std::shared_ptr<testing::CountingPort> counting;
  PortHandle receiverEnd;
  std::size_t sent = 0;
};

TEST_F(GpsReaderOnCable, HandsASentenceOverOnceWithoutItsLineEnd) {
  ReceiverSends(std::string(GGA) + "\r\n");
  ReceiverSends("\n");  // only a '$' starts a line: a second LF ends none
  EXPECT_EQ(received, Texts{std::string(GGA)});
}

TEST_F(GpsReaderOnCable, ASentenceCarriesTheTickOfItsDollar) {
  test.services.SetTickCount(1000);
  ReceiverSends("noise $GPGGA,123519,4807.038,N");
  test.services.SetTickCount(2000);
  ReceiverSends(",01131.000,E*47\r\n");
  test.services.SetTickCount(3000);
  ReceiverSends("$GPGSA,A,3*00\r\n");
  EXPECT_EQ(received, (Texts{"$GPGGA,123519,4807.038,N,01131.000,E*47", "$GPGSA,A,3*00"}));
  EXPECT_EQ(startTicks, (std::vector<std::uint32_t>{1000, 3000}));
}

TEST_F(GpsReaderOnCable, SentencesSplitAcrossReadsOrSharingOneAreWhole) {
  ReceiverSends("$GP");
  ReceiverSends("GGA,1*00\r");
  ReceiverSends("\n$GPGSA,2*00\r\n$GPRMC,3");
  ReceiverSends("*00\r\n");
  EXPECT_EQ(received, (Texts{"$GPGGA,1*00", "$GPGSA,2*00", "$GPRMC,3*00"}));
}

// The sentence is sent, not posted: while its handler runs the reader hands nothing more over,
// even when the next sentence is already in the port.
TEST_F(GpsReaderOnCable, TheNextSentenceWaitsUntilTheHandlerHasReturned) {
  whileHandling = [this] {
    if (received.size() == 1) {
      testing::LetItRun();
      PumpMessages();  // would handle a second sentence here, inside the first
    }
  };
  ReceiverSends("$GPGGA,1*00\r\n$GPGSA,2*00\r\n");
  EXPECT_EQ(handling, (Texts{"begin $GPGGA,1*00", "end $GPGGA,1*00", "begin $GPGSA,2*00",
                             "end $GPGSA,2*00"}));
}

// Half a sentence read before a suspension is not finished by bytes that come after it.
TEST_F(GpsReaderOnCable, ASuspensionDropsTheHalfSentence) {
  ReceiverSends("$GPGGA,1*00\r\n$GPGGA,2");
  serial->gps.Reader()->Suspend();
  serial->gps.Reader()->Resume();
  ReceiverSends(",3*00\r\n$GPGGA,4*00\r\n");
  EXPECT_EQ(received, (Texts{"$GPGGA,1*00", "$GPGGA,4*00"}));
}

// A pulled adapter or a closed port fails every wait at once, for ever: the reader pauses
// between tries instead of spinning (a spin makes hundreds of thousands of calls meanwhile),
// and still ends when it is told to.
TEST_F(GpsReaderOnCable, AFailedPortIsRetriedWithPausesAndTheReaderStillStops) {
  struct Case {
    const char* what;
    std::function<void()> fail;
  } cases[] = {
      {"hung up", [this] { HangUpMemoryPortPair(*loggerCable); }},
      {"closed in its field", [this] { loggerCable->Close(); }},
      {"taken out of its field", [this] { serial->gps.Port().Close(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    serial = std::make_unique<SerialState>();
    Connect();
    StartReader();
    ReceiverSends("$GPGGA,1*00\r\n");
    c.fail();
    const int before = counting->Calls();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_LT(counting->Calls() - before, 1000);
    EXPECT_TRUE(testing::ResultWithoutHang([this] {
      serial->gps.Stop();
      return true;
    }));
  }
}

// The receiver on a pseudo-terminal linked as COM2, the default GPS port.
class GpsReaderOnTerminal : public GpsReaderTest {
 protected:
  GpsReaderOnTerminal() { PlugIn(); }

  // The receiver appears under the port's name and the logger opens the port.
  void PlugIn() {
    std::filesystem::remove(root.Path() / "dev" / "COM2");
    terminal = std::make_unique<testing::PseudoTerminal>();
    terminal->LinkAs(root.Path(), "COM2");
    EXPECT_TRUE(OpenGpsPort(serial->gps.Port(), SurveySettings{}, loggingWindow));
  }
  void ReceiverSends(std::string_view bytes) {
    ASSERT_EQ(::write(terminal->Master(), bytes.data(), bytes.size()),
              static_cast<ssize_t>(bytes.size()));
  }

  testing::TempDeviceRoot root;
  std::unique_ptr<testing::PseudoTerminal> terminal;
};

TEST_F(GpsReaderOnTerminal, TheReaderOutlivesTheReceiverGoingAwayAndComingBack) {
  StartReader();
  ReceiverSends("$GPGGA,1*00\r\n");
  ASSERT_TRUE(PumpUntil([&] { return received.size() == 1; }));
  terminal->CloseMaster();
  testing::LetItRun();
  PlugIn();
  ReceiverSends("$GPGGA,2*00\r\n");
  ASSERT_TRUE(PumpUntil([&] { return received.size() == 2; }));
  EXPECT_EQ(received, (Texts{"$GPGGA,1*00", "$GPGGA,2*00"}));
  EXPECT_TRUE(testing::ResultWithoutHang([this] {
    serial.reset();
    return true;
  }));
}

}  // namespace
}  // namespace gradlog
