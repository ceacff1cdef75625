#include "gps/FixDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gps/GpsDataTypes.h"
#include "gps/SentenceSelection.h"

namespace gradlog {
namespace {

constexpr std::int32_t METRES = 0;
constexpr std::int32_t FEET = 1;
constexpr std::int32_t US_SURVEY_FEET = 2;
constexpr double TIME_123519 = 12 * 3600 + 35 * 60 + 19;
constexpr double LATITUDE_4807_038 = 48.0 + 7.038 / 60.0;
constexpr double LONGITUDE_01131 = 11.0 + 31.0 / 60.0;
const std::string NOT_AVAILABLE = "     N/A     ";

// A screen angle: degrees, the degree sign (UTF-8), then the minutes and seconds.
std::string Angle(std::string_view degrees, std::string_view rest) {
  return std::string(degrees) + "\xC2\xB0" + std::string(rest);
}

DecodedFix Decode(std::string_view sentence, std::int32_t type, std::int32_t units = METRES) {
  GpsSentenceSelection selection;
  SelectGpsSentence(selection, type);
  return DecodeFix(sentence, selection, type, units);
}

void ExpectNear(const std::optional<double>& actual, const std::optional<double>& expected,
                const char* what) {
  ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
  if (expected) {
    EXPECT_NEAR(*actual, *expected, 1e-9) << what;
  }
}

// Field by field, so that a failure names what differs.
void ExpectFix(const DecodedFix& actual, const DecodedFix& expected) {
  EXPECT_EQ(actual.valid, expected.valid) << "valid";
  EXPECT_EQ(actual.satellites, expected.satellites) << "satellites";
  EXPECT_EQ(actual.quality, expected.quality) << "quality";
  EXPECT_EQ(actual.dop, expected.dop) << "dop";
  ExpectNear(actual.latitude, expected.latitude, "latitude");
  ExpectNear(actual.longitude, expected.longitude, "longitude");
  ExpectNear(actual.north, expected.north, "north");
  ExpectNear(actual.east, expected.east, "east");
  ExpectNear(actual.timeOfDay, expected.timeOfDay, "time of day");
  EXPECT_EQ(actual.texts.satellites, expected.texts.satellites) << "satellites box";
  EXPECT_EQ(actual.texts.quality, expected.texts.quality) << "quality box";
  EXPECT_EQ(actual.texts.pdop, expected.texts.pdop) << "DOP box";
  EXPECT_EQ(actual.texts.hemisphere1, expected.texts.hemisphere1) << "hemisphere 1 box";
  EXPECT_EQ(actual.texts.coordinate1, expected.texts.coordinate1) << "position line 1";
  EXPECT_EQ(actual.texts.hemisphere2, expected.texts.hemisphere2) << "hemisphere 2 box";
  EXPECT_EQ(actual.texts.coordinate2, expected.texts.coordinate2) << "position line 2";
}

struct TypeCase {
  const char* what;
  std::int32_t type;
  std::string_view sentence;
  DecodedFix expected;
};

// The formats of the simulator's sentences, one per choice of gpsDataType.
TEST(FixDecoderTest, EachSentenceTypeDecodesItsFields) {
  const FixBoxTexts latLonTexts{.hemisphere1 = "N",
                                .coordinate1 = Angle("48", "07'2.2800 "),
                                .hemisphere2 = "E",
                                .coordinate2 = Angle("11", "31'0.0000 ")};
  FixBoxTexts gga = latLonTexts;
  gga.satellites = "Sat:  8";
  gga.quality = "AGPS";
  gga.pdop = "P:0.9";
  FixBoxTexts ggaGsa = gga;
  ggaGsa.pdop.reset();  // its DOP comes from the GSA
  FixBoxTexts pos = latLonTexts;
  pos.satellites = "Sat:  6";
  pos.quality = "NO FIX";
  pos.pdop = "P:1.8";
  FixBoxTexts ggk = latLonTexts;
  ggk.satellites = "Sat: 12";
  ggk.quality = "RTK3";
  ggk.pdop = "P:1.4";
  const FixBoxTexts llk{.satellites = "Sat:  9",
                        .quality = "RTK3",
                        .pdop = "P:0.0",
                        .coordinate1 = "N    5678.90",
                        .coordinate2 = "E    1234.57"};
  FixBoxTexts llq = llk;
  llq.quality = "RTK4";
  const FixBoxTexts gll{.hemisphere1 = "S",
                        .coordinate1 = Angle("48", "07'2.2800 "),
                        .hemisphere2 = "W",
                        .coordinate2 = Angle("11", "31'0.0000 ")};
  const FixBoxTexts leica{.coordinate1 = "N    5000.12", .coordinate2 = "E    1000.34"};

  const TypeCase cases[] = {
      {"GGA/GSA",
       GPS_DATA_TYPE_GGA_GSA,
       "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,47.3,M,,*62",
       {.satellites = 8,
        .quality = 1,
        .latitude = LATITUDE_4807_038,
        .longitude = LONGITUDE_01131,
        .timeOfDay = TIME_123519,
        .texts = ggaGsa}},
      {"GGA",
       GPS_DATA_TYPE_GGA,
       "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,47.3,M,,*62",
       {.satellites = 8,
        .quality = 1,
        .dop = 0.9f,
        .latitude = LATITUDE_4807_038,
        .longitude = LONGITUDE_01131,
        .timeOfDay = TIME_123519,
        .texts = gga}},
      {"POS, mode 0",
       GPS_DATA_TYPE_POS,
       "$PASHR,POS,0,06,123519.00,4807.0380,N,01131.0000,E,+545.40,,90.0,3.6,+0.0,1.8,0.9,1.5,1."
       "0,*31",
       {.satellites = 6,
        .quality = 1,
        .dop = 1.8f,
        .latitude = LATITUDE_4807_038,
        .longitude = LONGITUDE_01131,
        .timeOfDay = TIME_123519,
        .texts = pos}},
      {"LLK",
       3,
       "$GPLLK,123519.00,061523,1234.567,M,5678.901,M,3,09,0.012,545.400,M*20",
       {.satellites = 9,
        .quality = 3,
        .dop = 0.012f,
        .north = 5678.901,
        .east = 1234.567,
        .timeOfDay = TIME_123519,
        .texts = llk}},
      {"LLQ",
       4,
       "$GPLLQ,123519.00,061523,1234.567,M,5678.901,M,4,09,0.012,545.400,M*3D",
       {.satellites = 9,
        .quality = 4,
        .dop = 0.012f,
        .north = 5678.901,
        .east = 1234.567,
        .timeOfDay = TIME_123519,
        .texts = llq}},
      {"GLL, south and west",
       GPS_DATA_TYPE_GLL,
       "$GPGLL,4807.0380,S,01131.0000,W,123519.00,A,A*69",
       {.latitude = -LATITUDE_4807_038,
        .longitude = -LONGITUDE_01131,
        .timeOfDay = TIME_123519,
        .texts = gll}},
      {"GGK",
       6,
       "$PTNL,GGK,123519.00,061523,4807.0380000,N,01131.0000000,E,3,12,1.4,EHT545.400,M*75",
       {.satellites = 12,
        .quality = 3,
        .dop = 1.4f,
        .latitude = LATITUDE_4807_038,
        .longitude = LONGITUDE_01131,
        .timeOfDay = TIME_123519,
        .texts = ggk}},
      {"Leica TPS, metres",
       GPS_DATA_TYPE_LEICA_TPS,
       "$GPGGA,123519.00,5000.120,N,1000.340,E,1,08,0.9,545.400,M,0.0,M,,*60",
       {.north = 5000.12, .east = 1000.34, .timeOfDay = TIME_123519, .texts = leica}},
  };
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectFix(Decode(c.sentence, c.type), c.expected);
  }
}

TEST(FixDecoderTest, ThreeDegreeDigitsAndTheSouthWestQuarter) {
  const DecodedFix fix =
      Decode("$GPGGA,123519.00,4807.0380,S,12131.5000,W,2,12,1.2,545.4,M,47.3,M,1.0,0120*44",
             GPS_DATA_TYPE_GGA);
  ExpectFix(fix, {.satellites = 12,
                  .quality = 2,
                  .dop = 1.2f,
                  .latitude = -LATITUDE_4807_038,
                  .longitude = -121.525,
                  .timeOfDay = TIME_123519,
                  .texts = {.satellites = "Sat: 12",
                            .quality = "DGPS",
                            .pdop = "P:1.2",
                            .hemisphere1 = "S",
                            .coordinate1 = Angle("48", "07'2.2800 "),
                            .hemisphere2 = "W",
                            .coordinate2 = Angle("121", "31'30.0000")}});
}

// Only the longitude's leading '0' is dropped, the one of its three degree digits that is
// mostly 0; a latitude keeps both of its digits.
TEST(FixDecoderTest, OnlyTheLongitudeDropsALeadingZero) {
  const DecodedFix fix = Decode(
      "$GPGGA,123519.00,0512.5000,N,00012.5000,E,1,08,0.9,545.4,M,47.3,M,,*00", GPS_DATA_TYPE_GGA);
  EXPECT_EQ(fix.texts.coordinate1, Angle("05", "12'30.0000"));
  EXPECT_EQ(fix.texts.coordinate2, Angle("00", "12'30.0000"));
  ExpectNear(fix.latitude, 5.0 + 12.5 / 60.0, "latitude");
  ExpectNear(fix.longitude, 12.5 / 60.0, "longitude");
}

std::string GgaWithQuality(std::string_view quality) {
  return "$GPGGA,123519.00,4807.0380,N,01131.0000,E," + std::string(quality) +
         ",08,0.9,545.4,M,47.3,M,,*00";
}

TEST(FixDecoderTest, TheQualityWordFollowsTheFirstCharacter) {
  struct Case {
    std::int32_t type;
    std::string sentence;
    std::int32_t quality;
    std::string word;
    bool valid;
  };
  const std::string llk = "$GPLLK,123519.00,061523,1234.567,M,5678.901,M,0,09,0.012,545.400,M*00";
  const Case cases[] = {
      {GPS_DATA_TYPE_GGA, GgaWithQuality("0"), 0, "NO FIX", false},
      {GPS_DATA_TYPE_GGA_GSA, GgaWithQuality("0"), 0, "NO FIX", false},
      {GPS_DATA_TYPE_GGA, GgaWithQuality("1"), 1, "AGPS", true},
      {GPS_DATA_TYPE_GGA, GgaWithQuality("6"), 6, "", true},
      {GPS_DATA_TYPE_GGA, GgaWithQuality("8"), 8, "", true},  // simulation mode
      {GPS_DATA_TYPE_GGA, GgaWithQuality("x"), 0, "", false},
      {GPS_DATA_TYPE_GGA, GgaWithQuality(""), 0, "", false},
      // Only the GGA types reject quality 0; "LLK" shows it and keeps the fix.
      {3, llk, 0, "NO FIX", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    const DecodedFix fix = Decode(c.sentence, c.type);
    EXPECT_EQ(fix.quality, c.quality);
    EXPECT_EQ(fix.texts.quality, c.word);
    EXPECT_EQ(fix.valid, c.valid);
  }
}

// "POS" sends 0 for an autonomous fix; the warning's quality scale starts at 1 for it.
TEST(FixDecoderTest, PosStoresOneMoreThanItsModeDigit) {
  const std::string before = "$PASHR,POS,";
  const std::string after = ",06,123519.00,4807.0380,N,01131.0000,E,+545.40,,90.0,3.6,+0.0,1.8*00";
  for (const char mode : {'0', '1', '3'}) {
    const DecodedFix fix = Decode(before + mode + after, GPS_DATA_TYPE_POS);
    EXPECT_EQ(fix.quality, mode - '0' + 1) << mode;
    EXPECT_TRUE(fix.valid) << mode;
  }
  EXPECT_EQ(Decode(before + '0' + after, GPS_DATA_TYPE_POS).texts.quality, "NO FIX");
}

TEST(FixDecoderTest, FewerThanThreeSatellitesMakeNoPosition) {
  struct Case {
    std::string sentence;
    std::optional<std::int32_t> satellites;
    std::string text;
    bool valid;
  };
  const std::string head = "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,";
  const Case cases[] = {
      {head + "03,0.9*00", 3, "Sat:  3", true},
      {head + "2,0.9*00", 2, "Sat:  2", false},
      {head + ",0.9*00", 0, "Sat:  0", false},
      // The field is missing altogether: shown and tested as 0, but nothing is stored.
      {"$GPGGA,123519.00,4807.0380,N,01131.0000,E,1", std::nullopt, "Sat:  0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    const DecodedFix fix = Decode(c.sentence, GPS_DATA_TYPE_GGA);
    EXPECT_EQ(fix.satellites, c.satellites);
    EXPECT_EQ(fix.texts.satellites, c.text);
    EXPECT_EQ(fix.valid, c.valid);
  }
}

// Quality 0 is decided before the hemispheres: their letters are blanked and both position
// lines say N/A, though the position itself could be read.
TEST(FixDecoderTest, GgaWithoutAFixShowsNoPosition) {
  const DecodedFix fix = Decode(GgaWithQuality("0"), GPS_DATA_TYPE_GGA);
  EXPECT_FALSE(fix.valid);
  EXPECT_EQ(fix.texts.quality, "NO FIX");
  EXPECT_EQ(fix.texts.hemisphere1, "");
  EXPECT_EQ(fix.texts.hemisphere2, "");
  EXPECT_EQ(fix.texts.coordinate1, NOT_AVAILABLE);
  EXPECT_EQ(fix.texts.coordinate2, NOT_AVAILABLE);
}

TEST(FixDecoderTest, AnUnreadablePositionFieldMakesTheFixInvalid) {
  struct Case {
    const char* what;
    std::string latitude;
    std::string latitudeHemisphere;
    std::string longitude;
  };
  const Case cases[] = {
      {"empty fields", "", "N", ""},
      {"empty latitude", "", "N", "01131.0000"},
      {"no hemisphere", "4807.0380", "", "01131.0000"},
      {"unknown hemisphere", "4807.0380", "X", "01131.0000"},
      {"letter in the minutes", "48O7.0380", "N", "01131.0000"},
      {"cut latitude", "480", "N", "01131.0000"},
      {"two points", "4807.03.8", "N", "01131.0000"},
      {"sign", "-4807.038", "N", "01131.0000"},
      {"longitude with two degree digits", "4807.0380", "N", "1131.0000"},
      {"longitude with a space", "4807.0380", "N", "011 31.000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DecodedFix fix = Decode("$GPGGA,123519.00," + c.latitude + "," + c.latitudeHemisphere +
                                      "," + c.longitude + ",E,1,08,0.9,545.4,M,47.3,M,,*00",
                                  GPS_DATA_TYPE_GGA);
    EXPECT_FALSE(fix.valid);
    EXPECT_FALSE(fix.latitude.has_value() && fix.longitude.has_value());
    EXPECT_EQ(fix.texts.coordinate1, NOT_AVAILABLE);
    EXPECT_EQ(fix.texts.coordinate2, NOT_AVAILABLE);
  }
}

// A field shorter than a whole angle, or a sentence cut anywhere, must decode without reading
// past its end, for every type.
TEST(FixDecoderTest, CutSentencesDecodeAsNoPosition) {
  const std::string_view full =
      "$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,0.9,545.400,M,0.0,M,,*60";
  for (std::int32_t type = 0; type < GPS_DATA_TYPE_RTS_TRIMBLE; ++type) {
    for (const std::size_t length : {1, 6, 7, 20, 26, 27, 29}) {
      const std::string_view cut = full.substr(0, length);
      SCOPED_TRACE("type " + std::to_string(type) + ": " + std::string(cut));
      const DecodedFix fix = Decode(cut, type);
      EXPECT_FALSE(fix.valid);
      EXPECT_EQ(fix.texts.coordinate1, NOT_AVAILABLE);
      EXPECT_EQ(fix.texts.coordinate2, NOT_AVAILABLE);
    }
  }
}

TEST(FixDecoderTest, GridCoordinatesArriveInTheRunsUnits) {
  struct Case {
    const char* what;
    std::int32_t type;
    std::int32_t units;
    char unitLetter;  // field 11 of the total station's GGA
    double factor;
    std::string north;
    std::string east;
  };
  const double singleFeet = static_cast<double>(3.28084f);
  const Case cases[] = {
      {"LLK in metres", 3, METRES, 'M', 1.0, "N    5678.90", "E    1234.57"},
      {"LLK in feet", 3, FEET, 'M', 3.28084, "N   18631.57", "E    4050.42"},
      {"LLK in US survey feet", 3, US_SURVEY_FEET, 'M', 3.28084, "N   18631.57", "E    4050.42"},
      {"Leica metres into metres", 7, METRES, 'M', 1.0, "N    5000.12", "E    1000.34"},
      {"Leica feet into metres", 7, METRES, 'F', 0.3048, "N    1524.04", "E     304.90"},
      {"Leica metres into feet", 7, FEET, 'M', singleFeet, "N   16404.59", "E    3281.96"},
      {"Leica feet into feet", 7, US_SURVEY_FEET, 'F', 1.0, "N    5000.12", "E    1000.34"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const bool leica = c.type == GPS_DATA_TYPE_LEICA_TPS;
    const std::string sentence =
        leica ? std::string("$GPGGA,123519.00,5000.120,N,1000.340,E,1,08,0.9,545.400,") +
                    c.unitLetter + ",0.0,M,,*00"
              : "$GPLLK,123519.00,061523,1234.567,M,5678.901,M,3,09,0.012,545.400,M*20";
    const DecodedFix fix = Decode(sentence, c.type, c.units);
    EXPECT_TRUE(fix.valid);
    EXPECT_NEAR(fix.north.value_or(0.0), (leica ? 5000.12 : 5678.901) * c.factor, 1e-6);
    EXPECT_NEAR(fix.east.value_or(0.0), (leica ? 1000.34 : 1234.567) * c.factor, 1e-6);
    EXPECT_EQ(fix.texts.coordinate1, c.north);
    EXPECT_EQ(fix.texts.coordinate2, c.east);
  }
}

// An empty grid coordinate is no position at 0, 0.
TEST(FixDecoderTest, AnEmptyGridCoordinateMakesTheFixInvalid) {
  for (const std::string_view sentence :
       {"$GPLLK,123519.00,061523,,M,5678.901,M,3,09,0.012,545.400,M*00",
        "$GPLLK,123519.00,061523,1234.567,M,,M,3,09,0.012,545.400,M*00",
        "$GPLLK,123519.00,061523,1234.567,M,north,M,3,09,0.012,545.400,M*00"}) {
    const DecodedFix fix = Decode(sentence, 3);
    EXPECT_FALSE(fix.valid) << sentence;
    EXPECT_EQ(fix.texts.coordinate1, NOT_AVAILABLE) << sentence;
  }
}

TEST(FixDecoderTest, TheDopBoxIsBlankedWhenTheFieldIsMissing) {
  const DecodedFix cut =
      Decode("$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08", GPS_DATA_TYPE_GGA);
  EXPECT_EQ(cut.texts.pdop, "");
  EXPECT_FALSE(cut.dop.has_value());
  const DecodedFix empty =
      Decode("$GPGGA,123519.00,4807.0380,N,01131.0000,E,1,08,,545.4,M*00", GPS_DATA_TYPE_GGA);
  EXPECT_EQ(empty.texts.pdop, "P:0.0");
}

TEST(FixDecoderTest, TimesOfDayAreReadOnlyWhenWellFormed) {
  struct Case {
    std::string_view field;
    std::optional<double> seconds;
  };
  const Case cases[] = {
      {"123519", TIME_123519},
      {"123519.00", TIME_123519},
      {"123519.", TIME_123519},
      {"105459.408", 10 * 3600 + 54 * 60 + 59.408},
      {"000000", 0.0},
      {"235959.5", 86399.5},
      {"235960.5", 86400.5},  // a leap second
      {"", std::nullopt},
      {"12351", std::nullopt},
      {"240000", std::nullopt},
      {"126000", std::nullopt},
      {"123561", std::nullopt},
      {"12a519", std::nullopt},
      {"-12351", std::nullopt},
      {"123519.x", std::nullopt},
      {"123519,00", std::nullopt},
      {"123519 ", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("'") + std::string(c.field) + "'");
    ExpectNear(ParseTimeOfDay(c.field), c.seconds, "time of day");
  }
}

TEST(FixDecoderTest, TheGsaPdopIsField16) {
  EXPECT_EQ(GsaPdopText("$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6,2.0,3.0*3A"), "P:3.6");
  EXPECT_EQ(GsaPdopText("$GNGSA,A,1,31,21,,,,,,,,,,,53.49,28.92,45.00*24"), "P:53.5");
  EXPECT_EQ(GsaPdopText("$GPGSA,A,1,,,,,,,,,,,,,,,*1E"), "P:0.0");  // empty: read as 0
  EXPECT_EQ(GsaPdopText("$GPGSA,A,3,01,02,04,05,06,09,14,25,30,,,,3.6*00"), "P:3.6");
  EXPECT_EQ(GsaPdopText("$GPGSA,A,3,01,02"), std::nullopt);
}

}  // namespace
}  // namespace gradlog
