#include "gradsim/Options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace gradsim {
namespace {

ParsedOptions Parse(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {"--root", "/tmp/r"});
  return ParseOptions(arguments);
}

TEST(OptionsTest, DefaultsPlayBothDevicesOnComOneAndTwo) {
  const ParsedOptions parsed = Parse({});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const Options& o = *parsed.options;
  EXPECT_EQ(o.root, "/tmp/r");
  EXPECT_TRUE(o.instrument && o.gps);
  EXPECT_EQ(o.instrumentPort, 1);
  EXPECT_EQ(o.gpsPort, 2);
  EXPECT_EQ(o.sensors, 2);
  EXPECT_EQ(o.readingRate, 10.0);
  EXPECT_EQ(o.gpsType, GpsType::GGA_GSA);
  EXPECT_EQ(o.gpsRate, 1.0);
  EXPECT_EQ(o.gpsBaud, 9600);
  EXPECT_FALSE(o.seed || o.duration || o.replayFile);
}

TEST(OptionsTest, ValuesComeAfterASpaceOrAnEqualsSign) {
  const ParsedOptions parsed =
      Parse({"--gps-type=Leica TPS", "--sensors", "1", "--origin=-33.9,-70.65", "--silence", "3:2",
             "--silence=10:forever", "--gps-baud", "38400", "--no-instrument", "--merge-lines=4",
             "--split-lines", "--faults-on", "gps", "--seed", "42"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const Options& o = *parsed.options;
  EXPECT_EQ(o.gpsType, GpsType::LEICA_TPS);
  EXPECT_EQ(o.sensors, 1);
  EXPECT_EQ(o.origin.latitude, -33.9);
  EXPECT_EQ(o.origin.longitude, -70.65);
  ASSERT_EQ(o.instrumentSilences.size(), 2u);
  EXPECT_EQ(o.instrumentSilences[0].start, 3.0);
  EXPECT_EQ(o.instrumentSilences[0].length, 2.0);
  EXPECT_TRUE(std::isinf(o.instrumentSilences[1].length));
  EXPECT_EQ(o.gpsBaud, 38400);
  EXPECT_FALSE(o.instrument);
  EXPECT_EQ(o.faults.mergeLines, 4);
  EXPECT_TRUE(o.faults.splitLines);
  EXPECT_EQ(o.faultTarget, FaultTarget::GPS);
  EXPECT_EQ(o.seed, 42u);
}

TEST(OptionsTest, GpsTypesByNameAnyCaseOrByNumber) {
  const std::pair<std::string, GpsType> cases[] = {{"GGA/GSA", GpsType::GGA_GSA},
                                                   {"0", GpsType::GGA_GSA},
                                                   {"gga", GpsType::GGA},
                                                   {"POS", GpsType::POS},
                                                   {"3", GpsType::LLK},
                                                   {"llq", GpsType::LLQ},
                                                   {"GLL", GpsType::GLL},
                                                   {"GGK", GpsType::GGK},
                                                   {"leica tps", GpsType::LEICA_TPS},
                                                   {"RTS Trimble", GpsType::RTS_TRIMBLE},
                                                   {"8", GpsType::RTS_TRIMBLE}};
  for (const auto& [text, type] : cases) {
    SCOPED_TRACE(text);
    const ParsedOptions parsed = Parse({"--gps-type", text});
    ASSERT_TRUE(parsed.options) << parsed.error;
    EXPECT_EQ(parsed.options->gpsType, type);
    EXPECT_EQ(ParseGpsType(GpsTypeName(type)), type);
  }
}

TEST(OptionsTest, BadArgumentsGiveOneLineNamingTheProblem) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--frobnicate"}, "unknown option"},
      {{"--sensors", "3"}, "--sensors"},
      {{"--sensors"}, "needs a value"},
      {{"--reading-rate", "0"}, "--reading-rate"},
      {{"--reading-rate", "ten"}, "--reading-rate"},
      {{"--gps-rate", "nan"}, "--gps-rate"},
      {{"--gps-type", "9"}, "--gps-type"},
      {{"--gps-type", "NMEA"}, "--gps-type"},
      {{"--gps-baud", "9601"}, "--gps-baud"},
      {{"--instrument-port", "0"}, "--instrument-port"},
      {{"--gps-port", "1"}, "share COM1"},
      {{"--origin", "51.5"}, "--origin"},
      {{"--origin", "95,0"}, "--origin"},
      {{"--silence", "5"}, "--silence"},
      {{"--silence", "5:0"}, "--silence"},
      {{"--silence", "-1:2"}, "--silence"},
      {{"--split-lines=yes"}, "takes no value"},
      {{"--merge-lines", "0"}, "--merge-lines"},
      {{"--faults-on", "all"}, "--faults-on"},
      {{"--no-instrument", "--no-gps"}, "nothing to play"},
      {{"--no-gps", "--replay", "x.log"}, "--replay"},
      {{"--duration", "-1"}, "--duration"},
  };
  for (const auto& [arguments, expected] : cases) {
    SCOPED_TRACE(arguments.front());
    const ParsedOptions parsed = Parse(arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.help);
    EXPECT_NE(parsed.error.find(expected), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
  }
  EXPECT_NE(ParseOptions({}).error.find("--root"), std::string::npos);
  EXPECT_TRUE(ParseOptions({"--help"}).help);
}

}  // namespace
}  // namespace gradsim
