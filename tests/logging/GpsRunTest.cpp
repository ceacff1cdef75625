#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gps/GpsReader.h"
#include "gps/SentenceSelection.h"
#include "gps/TotalStationFramer.h"
#include "logging/LoggingCommands.h"
#include "logging/LoggingRunFixture.h"
#include "support/TestPlatform.h"

namespace gradlog::testing {
namespace {

constexpr platform::Color GREEN = platform::Rgb(0, 255, 0);
constexpr platform::Color RED = platform::Rgb(255, 0, 0);
constexpr platform::Color WHITE = platform::Rgb(255, 255, 255);

// "$" + body + "*" + its checksum, as a receiver sends it.
std::string Nmea(const std::string& body) {
  unsigned char sum = 0;
  for (const char c : body)
    sum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X", sum);
  return "$" + body + tail;
}

// A GGA at 52 N: `eastMetres` east of 5 E at the run's scale, minutes to five decimals.
std::string GgaAt(const char* time, double northMetres, double eastMetres, int quality = 1,
                  int satellites = 9) {
  const double latitude = 52.0 + northMetres / 111000.0;
  const double longitude = 5.0 + eastMetres / (111000.0 * std::cos(52.0 * M_PI / 180.0));
  char body[120];
  std::snprintf(body, sizeof body, "GPGGA,%s,%02d%08.5f,N,%03d%08.5f,E,%d,%02d,0.9,1.0,M,47.0,M,,",
                time, static_cast<int>(latitude), (latitude - std::floor(latitude)) * 60.0,
                static_cast<int>(longitude), (longitude - std::floor(longitude)) * 60.0, quality,
                satellites);
  return Nmea(body);
}

class GpsRunTest : public LoggingRunFixture {
 protected:
  GpsRunTest() {
    config.settings.gpsInput = 1;
    UseDataType(0);
  }

  void UseDataType(std::int32_t type) {
    config.settings.gpsDataType = type;
    SelectGpsSentence(gps.sentence, type);
  }

  // The sentence as the reader hands it, its '$' having arrived at `tick`.
  void Sentence(const std::string& text, std::uint32_t tick) {
    platform::SendMessage(logging.windows.logging, UM_GPS_SENTENCE, 0, 0, GpsSentence{text, tick});
  }

  void StartRecording() {
    OpenDataFile();
    RunLoggingCommand(run, LoggingCommand::Row0);
    ASSERT_EQ(dataFile.recordingState, 1);
  }

  // Each recorded sentence group as (first marker, its text, end-record status).
  struct Group {
    char first;
    std::string text;
    char status;
  };
  std::vector<Group> SentenceGroups() const {
    std::vector<Group> groups;
    for (const std::string& record : Records()) {
      if (record[0] == '@' || record[0] == '?') {
        groups.push_back({record[0], record.substr(1), ' '});
      } else if (record[0] == '#' || record[0] == '"') {
        groups.back().text += record.substr(1);
      } else if (record[0] == '!' && !groups.empty()) {
        groups.back().status = record[7];
      }
    }
    for (Group& group : groups)
      group.text = group.text.substr(0, group.text.find_last_not_of(' ') + 1);
    return groups;
  }

  platform::Color LampCentre(const platform::Rect& box) {
    platform::WindowDC dc(logging.windows.logging);
    return dc.GetPixel((box.left + box.right) / 2, (box.top + box.bottom) / 2 + 1);
  }
};

// Fixes at most once a display interval, the first GSA after a fix, bad sentences apart: each
// in its own kind of group, and the fixes and the too-early ones counted.
TEST_F(GpsRunTest, RecordingSortsEachSentenceIntoItsGroup) {
  StartRecording();
  const std::uint32_t t = test.services.TickCount();
  const std::string gsa = Nmea("GPGSA,A,3,01,02,03,04,05,,,,,,,,1.8,0.9,1.5");
  const std::string fix1 = GgaAt("120000.00", 0, 0);
  const std::string early = GgaAt("120000.50", 0.5, 0);
  const std::string fix2 = GgaAt("120001.00", 1, 0);
  std::string bad = GgaAt("120001.50", 1.5, 0);
  bad.back() = bad.back() == '0' ? '1' : '0';
  Sentence(gsa, t + 100);  // before any fix: of no use
  Sentence(fix1, t + 1000);
  Sentence(gsa, t + 1100);
  Sentence(gsa, t + 1200);  // a second GSA after the same fix
  Sentence(early, t + 1500);
  Sentence(Nmea("GPVTG,0.0,T,,M,0.00,N,0.00,K,A"), t + 1600);
  Sentence(bad, t + 1700);
  Sentence(fix2, t + 2000);
  const std::vector<Group> groups = SentenceGroups();
  ASSERT_EQ(groups.size(), 5u);
  EXPECT_EQ(groups[0].first, '@');
  EXPECT_EQ(groups[0].text, fix1);
  EXPECT_EQ(groups[0].status, 'p');
  EXPECT_EQ(groups[1].text, gsa);
  EXPECT_EQ(groups[1].status, ' ');
  EXPECT_EQ(groups[2].text, early);
  EXPECT_EQ(groups[2].status, ' ');
  EXPECT_EQ(groups[3].first, '?');
  EXPECT_EQ(groups[3].text, bad);
  EXPECT_EQ(groups[4].text, fix2);
  EXPECT_EQ(groups[4].status, 'p');
  EXPECT_EQ(dataFile.gpsRecordCount, 3) << "two fixes and the early one";
  EXPECT_TRUE(Shows("     3"));
  EXPECT_TRUE(Shows("P:1.8"));
}

// Standing by, fixes are shown but nothing is recorded.
TEST_F(GpsRunTest, AFixShowsItsQuantitiesAndBlinksTheLampsByTheWarning) {
  UseDataType(1);
  Sentence(GgaAt("120000.00", 0, 0, 2, 9), 1000);
  EXPECT_TRUE(Shows("Sat:  9"));
  EXPECT_TRUE(Shows("DGPS"));
  EXPECT_TRUE(Shows("P:0.9"));
  EXPECT_TRUE(Shows("N"));
  EXPECT_TRUE(Shows("E"));
  const platform::Color first = LampCentre(display.boxes.fixLamp);
  const platform::Color second = LampCentre(display.boxes.warnLamp);
  EXPECT_TRUE((first == GREEN && second == WHITE) || (first == WHITE && second == GREEN));
  Sentence(GgaAt("120001.00", 1, 0, 2, 9), 2000);
  EXPECT_EQ(LampCentre(display.boxes.fixLamp), second) << "the lamps take turns";
  EXPECT_EQ(LampCentre(display.boxes.warnLamp), first);
  config.settings.gpsWarnSatellites = 10;
  Sentence(GgaAt("120002.00", 2, 0, 2, 9), 3000);
  EXPECT_TRUE(LampCentre(display.boxes.fixLamp) == RED ||
              LampCentre(display.boxes.warnLamp) == RED);
  EXPECT_EQ(dataFile.gpsRecordCount, 0);
}

// A receiver without a fix sends empty positions: they must not become the run's origin, and
// an operator walking east measures the metres walked, not 1 / cos(latitude) times more.
TEST_F(GpsRunTest, OnlyAValidFixStartsThePlaneAndEastIsMeasuredAtTheRunsLatitude) {
  UseDataType(1);
  Sentence(Nmea("GPGGA,115959.00,,,,,0,00,99.9,,M,,M,,"), 1000);
  EXPECT_EQ(gps.fix.haveOrigin, 0);
  EXPECT_TRUE(Shows("NO FIX"));
  EXPECT_TRUE(Shows("     N/A     "));
  Sentence(GgaAt("120000.00", 0, 0), 2000);
  ASSERT_EQ(gps.fix.haveOrigin, 1);
  EXPECT_NEAR(gps.fix.originNorth, 52.0 * 111000.0, 0.05);
  Sentence(GgaAt("120002.00", 0, 3.0), 4000);
  EXPECT_NEAR(gps.fix.speed, 1.5f, 0.01f);
  EXPECT_TRUE(Shows("Speed: 1.50 m/s"));
}

// Equal time stamps give no speed; the last good one stays. Midnight is one second on.
TEST_F(GpsRunTest, SpeedKeepsItsLastValueWithoutTimeAndCrossesMidnight) {
  UseDataType(1);
  Sentence(GgaAt("235958.50", 0, 0), 1000);
  Sentence(GgaAt("235959.50", 1.2, 0), 2000);
  EXPECT_NEAR(gps.fix.speed, 1.2f, 0.01f);
  Sentence(GgaAt("235959.50", 5.0, 0), 3000);
  EXPECT_NEAR(gps.fix.speed, 1.2f, 0.01f);
  EXPECT_TRUE(std::isfinite(gps.fix.speed));
  Sentence(GgaAt("000000.50", 6.5, 0), 4000);
  EXPECT_NEAR(gps.fix.speed, 1.5f, 0.01f);
}

TEST_F(GpsRunTest, TheTotalStationShowsItsGridAndSpeed) {
  UseDataType(GPS_DATA_TYPE_RTS_TRIMBLE);
  platform::SendMessage(logging.windows.logging, UM_TPS_POSITION, 0, 0,
                        TotalStationPosition{5000.12, 1000.34, 1000});
  EXPECT_TRUE(Shows("E: 1000.34"));
  EXPECT_TRUE(Shows("N: 5000.12"));
  platform::SendMessage(logging.windows.logging, UM_TPS_POSITION, 0, 0,
                        TotalStationPosition{5000.12, 1002.34, 3000});
  EXPECT_TRUE(Shows("Speed: 1.00 m/s"));
  platform::SendMessage(logging.windows.logging, UM_TPS_POSITION, 0, 0,
                        TotalStationPosition{5000.12, 1009.34, 3000});
  EXPECT_NEAR(gps.fix.speed, 1.0f, 1e-6f) << "no time between records gives no speed";
}

// The map stores the positions walked while recording; when its store is full the counts are
// written, the file closed, the operator told and the program ended.
TEST_F(GpsRunTest, AFullPositionStoreEndsTheProgramWithTheCountsWritten) {
  UseDataType(1);
  display.mapViewShown = 1;
  gps.track.maxTrackPositions = 3;
  gps.track.trackBufferSize = 203;
  gps.track.points.Reset(203);
  gps.track.trackBuffersReserved = 1;
  StartRecording();
  const char* times[] = {"120000.00", "120001.00", "120002.00", "120003.00"};
  std::uint32_t tick = test.services.TickCount();
  // The first fix is the map's origin; the next two are stored.
  for (int i = 0; i < 3; ++i)
    Sentence(GgaAt(times[i], 0, i), tick += 1000);
  EXPECT_EQ(gps.track.trackPositionCount, 2);
  DialogScript stop{test};
  stop.Ok().Start();  // "STOP"
  EXPECT_THROW(Sentence(GgaAt(times[3], 0, 3), tick += 1000), testing_support::ProcessExit);
  EXPECT_FALSE(dataFile.dataFileHandle.Get());
  const std::vector<std::string> events = Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[events.size() - 2], "$F      4  ");
  EXPECT_EQ(events.back(), "$P      3  ");
}

}  // namespace
}  // namespace gradlog::testing
