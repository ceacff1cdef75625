#include "gps/TrackSentences.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gps/GpsDataTypes.h"

namespace gradlog {
namespace {

// `body` between '$' and '*' framed with its checksum.
std::string Framed(const std::string& body) {
  unsigned sum = 0;
  for (const char c : body)
    sum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X", sum);
  return "$" + body + tail;
}

constexpr double LATITUDE = 48.0 + 7.038 / 60.0;
constexpr double LONGITUDE = 11.0 + 31.0 / 60.0;
constexpr double EAST_SCALE = 0.6;

TrackDecoding Logged(std::int32_t gpsDataType = GPS_DATA_TYPE_GGA, std::int32_t units = 0) {
  return {.source = TrackSource::Logged,
          .gpsDataType = gpsDataType,
          .eastScale = EAST_SCALE,
          .distanceUnits = units};
}

TrackDecoding External(std::int32_t gpsDataType = GPS_DATA_TYPE_GGA) {
  TrackDecoding decoding = Logged(gpsDataType);
  decoding.source = TrackSource::External;
  return decoding;
}

struct SentenceCase {
  const char* name;
  std::string text;
  double latitude;  // signed degrees
  double longitude;
};

// Every sentence style, and every GGA talker: a receiver that tracks several constellations
// sends "GNGGA", and its track must survive a rescale.
TEST(TrackSentencesTest, EachStyleGivesItsAngles) {
  const SentenceCase cases[] = {
      {"GPGGA", Framed("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,"), LATITUDE,
       LONGITUDE},
      {"GNGGA south west", Framed("GNGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,,"),
       -LATITUDE, -LONGITUDE},
      {"GLGGA", Framed("GLGGA,123519,4807.038,N,01131.000,E,1,08"), LATITUDE, LONGITUDE},
      {"GAGGA", Framed("GAGGA,123519,4807.038,N,01131.000,E,1,08"), LATITUDE, LONGITUDE},
      {"GBGGA", Framed("GBGGA,123519,4807.038,N,01131.000,E,1,08"), LATITUDE, LONGITUDE},
      {"GQGGA", Framed("GQGGA,123519,4807.038,N,01131.000,E,1,08"), LATITUDE, LONGITUDE},
      {"POS", Framed("PASHR,POS,0,06,123519.00,4807.038,N,01131.000,E,545.4"), LATITUDE, LONGITUDE},
      {"GLL", Framed("GPGLL,4807.038,S,01131.000,E,123519,A"), -LATITUDE, LONGITUDE},
      {"GGK", Framed("PTNL,GGK,123519,120598,4807.038,N,01131.000,W,3,08"), LATITUDE, -LONGITUDE},
  };
  for (const TrackSource source : {TrackSource::Logged, TrackSource::External}) {
    for (const SentenceCase& c : cases) {
      TrackDecoding decoding = Logged();
      decoding.source = source;
      const std::optional<PlanePoint> point = DecodeTrackSentence(c.text, decoding);
      ASSERT_TRUE(point) << c.name;
      EXPECT_NEAR(point->north, c.latitude * 111000.0, 1e-6) << c.name;
      EXPECT_NEAR(point->east, c.longitude * 111000.0 * EAST_SCALE, 1e-6) << c.name;
    }
  }
}

// Only the logged track trusts a letter that is not its axis's: its fixes passed the live
// checks. A field that is not an angle is no position in either.
TEST(TrackSentencesTest, HemisphereLettersAndMissingFields) {
  struct Case {
    const char* text;
    bool logged;
    bool external;
  };
  const Case cases[] = {
      {"$GPGGA,1,4807.038,X,01131.000,E,1*00", true, false},
      {"$GPGGA,1,4807.038,N,01131.000,,1*00", true, false},
      {"$GPGGA,1,4807.038,N,01131.000", true, false},
      {"$GPGGA,1,4807.038,N", false, false},
      {"$GPGGA,1,48O7.038,N,01131.000,E,1*00", false, false},
      {"$GPGGA,1,,N,01131.000,E,1*00", false, false},
      {"$GPGGA,1,4807.038,N,1131.000,E,1*00", false, false},
      {"", false, false},
      {"no tag at all 4807.038,N", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeTrackSentence(c.text, Logged()).has_value(), c.logged) << c.text;
    EXPECT_EQ(DecodeTrackSentence(c.text, External()).has_value(), c.external) << c.text;
  }
  const std::optional<PlanePoint> northern =
      DecodeTrackSentence("$GPGGA,1,4807.038,X,01131.000,E,1*00", Logged());
  ASSERT_TRUE(northern);
  EXPECT_GT(northern->north, 0.0);
}

// Grid coordinates are the run's own; only the total station's are taken as they are.
TEST(TrackSentencesTest, GridCoordinatesAndTheirUnits) {
  struct Case {
    const char* name;
    std::string text;
    TrackDecoding decoding;
    double north;
    double east;
  };
  const double feet = 3.28084;
  const double leicaFeet = static_cast<double>(3.28084f);
  const Case cases[] = {
      {"LLK metres", "$GPLLK,1,2,100.5,M,200.25,M*00", Logged(), 200.25, 100.5},
      {"LLQ feet", "$GPLLQ,1,2,100.5,M,200.25,M*00", Logged(GPS_DATA_TYPE_GGA, 1), 200.25 * feet,
       100.5 * feet},
      {"Leica metres", "$GPGGA,1,5000.5,N,7000.25,E,1,2,3,4,M*00", Logged(GPS_DATA_TYPE_LEICA_TPS),
       5000.5, 7000.25},
      {"Leica in feet to metres", "$GNGGA,1,5000.5,N,7000.25,E,1,2,3,4,F*00",
       Logged(GPS_DATA_TYPE_LEICA_TPS), 5000.5 * 0.3048, 7000.25 * 0.3048},
      {"Leica metres to feet", "$GPGGA,1,5000.5,N,7000.25,E,1,2,3,4,M*00",
       Logged(GPS_DATA_TYPE_LEICA_TPS, 1), 5000.5 * leicaFeet, 7000.25 * leicaFeet},
      {"total station", ">,37=5000.12,38=7000.5,39=1", Logged(GPS_DATA_TYPE_LEICA_TPS, 1),
       static_cast<double>(5000.12f), 7000.5},
      {"labels in any order", ">,38=7000.5,37=5000.25", External(8), 5000.25, 7000.5},
  };
  for (const Case& c : cases) {
    const std::optional<PlanePoint> point = DecodeTrackSentence(c.text, c.decoding);
    ASSERT_TRUE(point) << c.name;
    EXPECT_NEAR(point->north, c.north, 1e-9) << c.name;
    EXPECT_NEAR(point->east, c.east, 1e-9) << c.name;
  }
  for (const char* onlyOne : {">,37=5000.12", ">,38=7000.5", ">,137=1,38=2", ">,37=x,38=2"})
    EXPECT_FALSE(DecodeTrackSentence(onlyOne, Logged())) << onlyOne;
}

// Read as GGA the text is at 48 N 11 E; read as GLL (later in the list) at 1 N 2 E, with
// hemisphere letters only the logged track lets pass.
TEST(TrackSentencesTest, TheLastTagThatDecodesWins) {
  const std::string both = "$GPGGA,0100.000,4807.038,00200.000,01131.000,E,GLL";
  const std::optional<PlanePoint> logged = DecodeTrackSentence(both, Logged());
  ASSERT_TRUE(logged);
  EXPECT_NEAR(logged->north, 111000.0, 1e-6);
  EXPECT_NEAR(logged->east, 2.0 * 111000.0 * EAST_SCALE, 1e-6);
  EXPECT_FALSE(DecodeTrackSentence(both, External()));
}

// The logged track knows GGK only by its "PTNL" address; an external file by "GGK".
TEST(TrackSentencesTest, GgkWithoutItsAddress) {
  const std::string text = "$GPGGK,123519,120598,x,4807.038,N,01131.000,E";
  EXPECT_FALSE(DecodeTrackSentence(text, Logged()));
  EXPECT_TRUE(DecodeTrackSentence(text, External()));
}

TEST(TrackSentencesTest, ExternalSentencesNeedTheirChecksum) {
  const std::string good = Framed("GPGGA,123519,4807.038,N,01131.000,E,1,08");
  std::string wrong = good;
  wrong[10] = '9';
  struct Case {
    std::string text;
    std::int32_t gpsDataType;
    bool usable;
  };
  const Case cases[] = {
      {good, GPS_DATA_TYPE_GGA, true},
      {wrong, GPS_DATA_TYPE_GGA, false},
      {wrong, GPS_DATA_TYPE_LEICA_TPS, true},
      {"$GPGGA,1,4807.038,N,01131.000,E,1", GPS_DATA_TYPE_LEICA_TPS, false},
      {">,37=1,38=2", 8, false},
      {">,37=1,38=2*", 8, true},
      {"", GPS_DATA_TYPE_GGA, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExternalSentenceUsable(c.text, c.gpsDataType), c.usable) << c.text;
}

}  // namespace
}  // namespace gradlog
