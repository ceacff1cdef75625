// Where the operator walks, where that is on the globe, and the sentences that report it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "gradsim/GeoOrigin.h"
#include "gradsim/NmeaFormat.h"
#include "gradsim/PositionSentences.h"
#include "gradsim/Walker.h"

namespace gradsim {
namespace {

// Field n as the logger numbers them: field 1 is the address ("$GPGGA"), the checksum
// stays attached to the last field.
std::string Field(const std::string& sentence, int n) {
  std::istringstream fields(sentence);
  std::string field;
  for (int i = 0; i < n; ++i) {
    if (!std::getline(fields, field, ','))
      return "<no field " + std::to_string(n) + ">";
  }
  return field;
}

// ddmm.mmmm (or dddmm.mmmm) back to degrees.
double Degrees(const std::string& text, std::size_t degreeDigits) {
  return std::stod(text.substr(0, degreeDigits)) + std::stod(text.substr(degreeDigits)) / 60.0;
}

// Where the logger's selection table looks in each type's sentence. 0: the type has no
// such field.
struct Layout {
  GpsType type;
  std::string tag;
  int satellites, quality, northSouth, latitude, eastWest, longitude, dop, gridNorth, gridEast,
      coordinateQuality;
};

const Layout LAYOUTS[] = {
    {GpsType::GGA_GSA, "GGA", 8, 7, 4, 3, 6, 5, 0, 0, 0, 0},
    {GpsType::GGA_GSA, "GSA", 0, 0, 0, 0, 0, 0, 16, 0, 0, 0},
    {GpsType::GGA, "GGA", 8, 7, 4, 3, 6, 5, 9, 0, 0, 0},
    {GpsType::POS, "POS", 4, 3, 7, 6, 9, 8, 15, 0, 0, 0},
    {GpsType::LLK, "LLK", 9, 8, 0, 0, 0, 0, 0, 6, 4, 10},
    {GpsType::LLQ, "LLQ", 9, 8, 0, 0, 0, 0, 0, 6, 4, 10},
    {GpsType::GLL, "GLL", 0, 0, 3, 2, 5, 4, 0, 0, 0, 0},
    {GpsType::GGK, "GGK", 10, 9, 6, 5, 8, 7, 11, 0, 0, 0},
    {GpsType::LEICA_TPS, "GGA", 0, 0, 0, 0, 0, 0, 0, 3, 5, 0},
};

TEST(PositionSentencesTest, EveryTypePutsItsQuantitiesAtTheSelectedFields) {
  FixSnapshot f;
  f.position = {-33.8671234, -70.6512345};
  f.localEast = 12.5;
  f.localNorth = 7.25;
  f.fix = {.quality = 2, .satellites = 9, .pdop = 1.87, .hdop = 1.12, .coordinateQualityM = 0.045};
  for (int i = 0; i < 14; ++i)
    f.sky.push_back({.prn = i + 3, .elevation = 80 - 5 * i, .azimuth = 20 * i});
  for (const bool extras : {false, true}) {
    for (const Layout& layout : LAYOUTS) {
      SCOPED_TRACE(std::string(GpsTypeName(layout.type)) + " " + layout.tag + " " +
                   (extras ? "with extras" : "alone"));
      std::vector<std::string> tagged;
      const std::vector<std::string> lines = PositionSentences(layout.type, f, extras);
      for (const std::string& line : lines) {
        // NMEA allows 82 characters with CR LF; proprietary sentences run longer, but must
        // still fit the logger's 99-character sentence buffer.
        EXPECT_LE(line.size(), line.starts_with("$GP") ? 82u : 101u) << line;
        const std::string text = line.substr(0, line.rfind('*'));
        EXPECT_EQ(NmeaSentence(text.substr(1)), line);
        if (Field(text, 1).ends_with(layout.tag) || Field(text, 2) == layout.tag)
          tagged.push_back(text);
      }
      ASSERT_EQ(tagged.size(), 1u);
      const std::string& s = tagged.front();
      // The logger takes the first GSA after a fix.
      EXPECT_TRUE(layout.tag != "GSA" || lines.front().starts_with("$GPGGA,")) << lines.front();
      const auto near = [&s](int field, double expected, double tolerance) {
        if (field != 0) {
          EXPECT_NEAR(std::stod(Field(s, field)), expected, tolerance) << field << " in " << s;
        }
      };
      near(layout.satellites, 9, 0.0);
      near(layout.quality, 2, 0.0);
      near(layout.dop, layout.type == GpsType::GGA ? 1.12 : 1.87, 0.05);
      const bool site = layout.type == GpsType::LEICA_TPS;
      near(layout.gridNorth, (site ? SITE_FALSE_NORTH : LLK_FALSE_NORTH) + 7.25, 1e-3);
      near(layout.gridEast, (site ? SITE_FALSE_EAST : LLK_FALSE_EAST) + 12.5, 1e-3);
      near(layout.coordinateQuality, 0.045, 1e-9);
      if (layout.latitude) {
        EXPECT_EQ(Field(s, layout.northSouth) + Field(s, layout.eastWest), "SW") << s;
        EXPECT_NEAR(-Degrees(Field(s, layout.latitude), 2), f.position.latitude, 1e-6) << s;
        EXPECT_NEAR(-Degrees(Field(s, layout.longitude), 3), f.position.longitude, 1e-6) << s;
      }
    }
  }
  EXPECT_EQ(PositionSentences(GpsType::RTS_TRIMBLE, f, true),
            (std::vector<std::string>{">37=5007.250\r\n", "38=1012.500\r\n"}));
}

TEST(WalkerTest, WalksLinesBackAndForthAndStepsAcrossAtTheEnds) {
  const WalkerSettings walk{.lineLength = 20.0, .lineSpacing = 2.0, .speed = 0.5};
  struct Case {
    double seconds, east, north;
    int line;
    bool onLine;
    double course;
  };
  // One leg is 20 m along plus 2 m across: 44 s at 0.5 m/s.
  const Case cases[] = {
      {-3.0, 0.0, 0.0, 0, true, 0.0},    {39.9, 0.0, 19.95, 0, true, 0.0},
      {41.0, 0.5, 20.0, 0, false, 90.0}, {44.0, 2.0, 20.0, 1, true, 180.0},
      {64.0, 2.0, 10.0, 1, true, 180.0}, {85.0, 2.5, 0.0, 1, false, 90.0},
      {88.0, 4.0, 0.0, 2, true, 0.0},    {98.0, 4.0, 5.0, 2, true, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seconds);
    const WalkerPosition at = WalkerAt(walk, c.seconds);
    EXPECT_NEAR(at.east, c.east, 1e-9);
    EXPECT_NEAR(at.north, c.north, 1e-9);
    EXPECT_EQ(at.line, c.line);
    EXPECT_EQ(at.onLine, c.onLine);
    EXPECT_EQ(at.courseDegrees, c.course);
  }
}

TEST(GeoOriginTest, MetresBecomeDegreesAndWrapAtTheDateLine) {
  // A degree of latitude is 111194.93 m; one of longitude at 60 degrees half of that.
  const GeoPoint p = LocalToGeo({-60.0, -77.0}, -50.0, 25.0);
  EXPECT_NEAR(p.latitude, -60.0 + 25.0 / 111194.93, 1e-9);
  EXPECT_NEAR(p.longitude, -77.0 - 100.0 / 111194.93, 1e-9);
  EXPECT_NEAR(LocalToGeo({0.0, 179.9999}, 100.0, 0.0).longitude, -179.9992, 1e-3);
}

}  // namespace
}  // namespace gradsim
