#include "gps/TrackSentences.h"

#include <gtest/gtest.h>

#include <string>

#include "gps/GpsDataTypes.h"
#include "gps/TrackFileSentences.h"

namespace gradlog {
namespace {

using testing::Framed;

constexpr double NORTH = (48.0 + 7.038 / 60.0) * METRES_PER_DEGREE;
constexpr double EAST_SCALE = 0.6;
constexpr double EAST = (11.0 + 31.0 / 60.0) * METRES_PER_DEGREE * EAST_SCALE;

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

// Angles of every style and of any GGA talker (a receiver that tracks several constellations
// sends "GNGGA"); grid coordinates in the run's own units, the total station's as they are.
// Where two tags decode the last of the list wins: read as GLL the "GGA" text is at 1 N 2 E.
TEST(TrackSentencesTest, EachStyleGivesItsPosition) {
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
      {"GPGGA", Framed("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,"), External(),
       NORTH, EAST},
      {"GNGGA south west", Framed("GNGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,,"),
       Logged(), -NORTH, -EAST},
      {"POS", Framed("PASHR,POS,0,06,123519.00,4807.038,N,01131.000,E,545.4"), Logged(), NORTH,
       EAST},
      {"GLL", Framed("GPGLL,4807.038,S,01131.000,E,123519,A"), External(), -NORTH, EAST},
      {"GGK", Framed("PTNL,GGK,123519,120598,4807.038,N,01131.000,W,3,08"), Logged(), NORTH, -EAST},
      {"GGA then GLL", "$GPGGA,0100.000,4807.038,00200.000,01131.000,E,GLL", Logged(),
       METRES_PER_DEGREE, 2.0 * METRES_PER_DEGREE * EAST_SCALE},
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
    EXPECT_NEAR(point->north, c.north, 1e-6) << c.name;
    EXPECT_NEAR(point->east, c.east, 1e-6) << c.name;
  }
}

// Only the logged track trusts a letter that is not its axis's, and reads it as north or
// east: its fixes passed the live checks. A field that is not an angle is no position in
// either. The logged track knows GGK only by its "PTNL" address; an external file by "GGK".
TEST(TrackSentencesTest, HemisphereLettersAndMissingFields) {
  struct Case {
    const char* text;
    bool logged;
    bool external;
  };
  const Case cases[] = {
      {"$GPGGA,1,4807.038,X,01131.000,E,1*00", true, false},
      {"$GPGGA,1,4807.038,N,01131.000,,1*00", true, false},
      {"$GPGGA,0100.000,4807.038,00200.000,01131.000,E,GLL", true, false},
      {"$GPGGA,1,4807.038,N", false, false},
      {"$GPGGA,1,48O7.038,N,01131.000,E,1*00", false, false},
      {"$GPGGA,1,,N,01131.000,E,1*00", false, false},
      {"$GPGGA,1,4807.038,N,1131.000,E,1*00", false, false},
      {"no tag at all 4807.038,N", false, false},
      {">,37=5000.12", false, false},
      {">,137=1,38=2", false, false},
      {">,37=x,38=2", false, false},
      {"$GPGGK,123519,120598,x,4807.038,N,01131.000,E", false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeTrackSentence(c.text, Logged()).has_value(), c.logged) << c.text;
    EXPECT_EQ(DecodeTrackSentence(c.text, External()).has_value(), c.external) << c.text;
  }
  EXPECT_GT(DecodeTrackSentence(cases[0].text, Logged()).value_or(PlanePoint{}).north, 0.0);
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
      {">,37=1,38=2*", 8, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExternalSentenceUsable(c.text, c.gpsDataType), c.usable) << c.text;
}

}  // namespace
}  // namespace gradlog
