#include "gradsim/PositionSentences.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gradsim/NmeaFormat.h"
#include "gradsim/PositionPlayer.h"

namespace gradsim {
namespace {

// Field n as the logger numbers them: field 1 is the address ("$GPGGA"), the checksum
// stays attached to the last field.
std::string Field(const std::string& sentence, int n) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    start = sentence.find(',', start);
    if (start == std::string::npos)
      return "<missing field " + std::to_string(n) + ">";
    ++start;
  }
  return sentence.substr(start, sentence.find(',', start) - start);
}

bool ChecksumValid(const std::string& line) {
  const std::size_t star = line.find('*');
  if (line.empty() || line[0] != '$' || star == std::string::npos || line.size() != star + 3)
    return false;
  const auto stated = std::strtoul(line.substr(star + 1, 2).c_str(), nullptr, 16);
  return NmeaChecksum(std::string_view(line).substr(1, star - 1)) == stated;
}

// ddmm.mmmm (or dddmm.mmmm) back to degrees.
double Degrees(const std::string& text, int degreeDigits) {
  return std::stod(text.substr(0, static_cast<std::size_t>(degreeDigits))) +
         std::stod(text.substr(static_cast<std::size_t>(degreeDigits))) / 60.0;
}

FixSnapshot SouthWestSnapshot() {
  FixSnapshot f;
  f.utc = {
      .year = 2025, .month = 7, .day = 14, .hour = 9, .minute = 5, .second = 3, .centiseconds = 40};
  f.position = {-33.8671234, -70.6512345};
  f.localEast = 12.5;
  f.localNorth = 7.25;
  f.speedMps = 1.0;
  f.courseDegrees = 180.0;
  f.fix = {.quality = 2,
           .satellites = 9,
           .pdop = 1.87,
           .hdop = 1.12,
           .vdop = 1.5,
           .coordinateQualityM = 0.045};
  for (int i = 0; i < 14; ++i)
    f.sky.push_back({.prn = i + 3, .elevation = 80 - 5 * i, .azimuth = 20 * i, .snr = 40});
  return f;
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
    {GpsType::GGA, "GGA", 8, 7, 4, 3, 6, 5, 9, 0, 0, 0},
    {GpsType::POS, "POS", 4, 3, 7, 6, 9, 8, 15, 0, 0, 0},
    {GpsType::LLK, "LLK", 9, 8, 0, 0, 0, 0, 0, 6, 4, 10},
    {GpsType::LLQ, "LLQ", 9, 8, 0, 0, 0, 0, 0, 6, 4, 10},
    {GpsType::GLL, "GLL", 0, 0, 3, 2, 5, 4, 0, 0, 0, 0},
    {GpsType::GGK, "GGK", 10, 9, 6, 5, 8, 7, 11, 0, 0, 0},
    {GpsType::LEICA_TPS, "GGA", 0, 0, 0, 0, 0, 0, 0, 3, 5, 0},
};

TEST(PositionSentencesTest, EveryTypePutsItsQuantitiesAtTheSelectedFields) {
  const FixSnapshot f = SouthWestSnapshot();
  for (const Layout& layout : LAYOUTS) {
    SCOPED_TRACE(std::string(GpsTypeName(layout.type)));
    const std::vector<std::string> lines = PositionSentences(layout.type, f, true);
    std::vector<std::string> tagged;
    for (const std::string& line : lines) {
      ASSERT_TRUE(line.ends_with("\r\n")) << line;
      const std::string text = line.substr(0, line.size() - 2);
      EXPECT_TRUE(ChecksumValid(text)) << text;
      // NMEA allows 82 characters with CR LF; proprietary sentences run longer, but must
      // still fit the logger's 99-character sentence buffer.
      EXPECT_LE(text.size(), text.starts_with("$GP") ? 80u : 99u) << text;
      if (Field(text, 1).ends_with(layout.tag) || Field(text, 2) == layout.tag)
        tagged.push_back(text);
    }
    ASSERT_EQ(tagged.size(), 1u);
    const std::string& s = tagged.front();
    if (layout.satellites) {
      EXPECT_EQ(std::stoi(Field(s, layout.satellites)), 9) << s;
    }
    if (layout.quality) {
      EXPECT_EQ(std::stoi(Field(s, layout.quality)), f.fix.quality) << s;
    }
    if (layout.latitude) {
      EXPECT_EQ(Field(s, layout.northSouth), "S") << s;
      EXPECT_EQ(Field(s, layout.eastWest), "W") << s;
      EXPECT_NEAR(-Degrees(Field(s, layout.latitude), 2), f.position.latitude, 1e-6) << s;
      EXPECT_NEAR(-Degrees(Field(s, layout.longitude), 3), f.position.longitude, 1e-6) << s;
    }
    if (layout.dop) {
      const double expected = layout.type == GpsType::GGA ? f.fix.hdop : f.fix.pdop;
      EXPECT_NEAR(std::stod(Field(s, layout.dop)), expected, 0.05) << s;
    }
    if (layout.gridNorth) {
      const bool site = layout.type == GpsType::LEICA_TPS;
      EXPECT_NEAR(std::stod(Field(s, layout.gridNorth)),
                  (site ? SITE_FALSE_NORTH : LLK_FALSE_NORTH) + f.localNorth, 1e-3)
          << s;
      EXPECT_NEAR(std::stod(Field(s, layout.gridEast)),
                  (site ? SITE_FALSE_EAST : LLK_FALSE_EAST) + f.localEast, 1e-3)
          << s;
    }
    if (layout.coordinateQuality) {
      EXPECT_NEAR(std::stod(Field(s, layout.coordinateQuality)), 0.045, 1e-9) << s;
    }
    if (layout.type == GpsType::LEICA_TPS) {
      EXPECT_EQ(Field(s, 11), "M") << s;
    }
  }
}

TEST(PositionSentencesTest, GgaGsaSendsGgaThenGsaWithPdopInField16) {
  const FixSnapshot f = SouthWestSnapshot();
  for (const bool extras : {false, true}) {
    SCOPED_TRACE(extras);
    std::vector<std::string> tags;
    std::string gsa;
    for (const std::string& line : PositionSentences(GpsType::GGA_GSA, f, extras)) {
      tags.push_back(Field(line, 1));
      if (Field(line, 1) == "$GPGSA")
        gsa = line;
    }
    ASSERT_GE(tags.size(), 2u);
    EXPECT_EQ(tags.front(), "$GPGGA");
    const auto gga = std::find(tags.begin(), tags.end(), "$GPGGA");
    const auto gsaAt = std::find(tags.begin(), tags.end(), "$GPGSA");
    EXPECT_LT(gga, gsaAt);
    EXPECT_EQ(Field(gsa, 16), "1.87");
    // The satellites in use, one PRN each in fields 4 to 15.
    EXPECT_EQ(Field(gsa, 4), "03");
    EXPECT_EQ(Field(gsa, 12), "11");
    EXPECT_EQ(Field(gsa, 13), "");
    // The other sentences come only with the extras.
    const bool hasRmc = std::find(tags.begin(), tags.end(), "$GPRMC") != tags.end();
    EXPECT_EQ(hasRmc, extras);
  }
}

TEST(PositionSentencesTest, GsvListsTheSatellitesInViewOverItsParts) {
  FixSnapshot f = SouthWestSnapshot();
  int listed = 0;
  for (const std::string& line : PositionSentences(GpsType::GGA_GSA, f, true)) {
    if (Field(line, 1) != "$GPGSV")
      continue;
    EXPECT_EQ(Field(line, 2), "3") << line;
    EXPECT_EQ(Field(line, 4), "12") << line;
    listed += (static_cast<int>(std::count(line.begin(), line.end(), ',')) - 3) / 4;
  }
  EXPECT_EQ(listed, 12);
}

TEST(PositionSentencesTest, TotalStationRecordCarriesNorthAndEastLabels) {
  const FixSnapshot f = SouthWestSnapshot();
  const std::vector<std::string> lines = PositionSentences(GpsType::RTS_TRIMBLE, f, true);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], ">37=5007.250\r\n");
  EXPECT_EQ(lines[1], "38=1012.500\r\n");
}

TEST(PositionPlayerTest, FixesStayRealisticAndMoveWithTheWalker) {
  Random random(11);
  const WalkerSettings walk{.lineLength = 30.0, .lineSpacing = 1.0, .speed = 1.0};
  PositionPlayer player(GpsType::GGA, {51.5, -0.9}, walk, random);
  const auto now = std::chrono::system_clock::now();
  int poor = 0;
  double previousLatitude = 0.0;
  for (int second = 0; second < 600; ++second) {
    const std::vector<std::string> lines =
        player.FixAt(second, now + std::chrono::seconds(second), false, random);
    ASSERT_EQ(lines.size(), 1u);
    const std::string& gga = lines.front();
    const int satellites = std::stoi(Field(gga, 8));
    const double hdop = std::stod(Field(gga, 9));
    const int quality = std::stoi(Field(gga, 7));
    ASSERT_TRUE(quality == 1 || quality == 2) << gga;
    if (quality == 1) {
      ++poor;
    } else {
      ASSERT_GE(satellites, 7) << gga;
      ASSERT_LE(satellites, 12) << gga;
      ASSERT_LE(hdop, 2.5) << gga;
    }
    EXPECT_EQ(Field(gga, 6), "W");
    const double latitude = Degrees(Field(gga, 3), 2);
    // Line 1 goes north for its first 30 s.
    if (second > 0 && second <= 30) {
      EXPECT_GT(latitude, previousLatitude) << gga;
    }
    previousLatitude = latitude;
  }
  // Worse fixes happen, but rarely.
  EXPECT_GT(poor, 0);
  EXPECT_LT(poor, 100);
}

}  // namespace
}  // namespace gradsim
