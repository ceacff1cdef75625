#include "gradsim/Options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace gradsim {
namespace {

// The options in `text`, split at spaces, after "--root /tmp/r".
ParsedOptions Parse(const std::string& text) {
  std::vector<std::string> arguments{"--root", "/tmp/r"};
  std::istringstream words(text);
  for (std::string word; words >> word;)
    arguments.push_back(word);
  return ParseOptions(arguments);
}

TEST(OptionsTest, ValuesComeAfterASpaceOrAnEqualsSign) {
  const ParsedOptions parsed = Parse(
      "--gps-type=ggk --origin=-33.9,-70.65 --silence 3:2 --silence=10:forever --faults-on gps");
  ASSERT_TRUE(parsed.options) << parsed.error;
  const Options& o = *parsed.options;
  EXPECT_EQ(o.gpsType, GpsType::GGK);
  EXPECT_EQ(o.origin.latitude, -33.9);
  EXPECT_EQ(o.origin.longitude, -70.65);
  ASSERT_EQ(o.instrumentSilences.size(), 2u);
  EXPECT_EQ(o.instrumentSilences[0].length, 2.0);
  EXPECT_TRUE(std::isinf(o.instrumentSilences[1].length));
  EXPECT_EQ(o.faultTarget, FaultTarget::GPS);
  EXPECT_FALSE(o.unpaced || o.sentLog);
  // Unpaced, the reading rate goes up to 1000 Hz.
  const ParsedOptions stress = Parse("--reading-rate 1000 --unpaced --sent-log=/tmp/r/sent.log");
  ASSERT_TRUE(stress.options) << stress.error;
  EXPECT_TRUE(stress.options->unpaced);
  EXPECT_EQ(stress.options->readingRate, 1000.0);
  EXPECT_EQ(stress.options->sentLog, "/tmp/r/sent.log");
  // GPS types go by the logger's names, in any case, or by its numbers.
  const char* names[] = {"gga/gsa", "GGA", "pos",       "LLK",        "llq",
                         "GLL",     "ggk", "leica tps", "RTS Trimble"};
  for (int i = 0; i < GPS_TYPE_COUNT; ++i) {
    EXPECT_EQ(ParseGpsType(names[i]), static_cast<GpsType>(i)) << names[i];
    EXPECT_EQ(ParseGpsType(std::to_string(i)), static_cast<GpsType>(i)) << i;
  }
}

TEST(OptionsTest, BadArgumentsGiveOneLineNamingTheProblem) {
  const std::pair<std::string, std::string> cases[] = {
      {"--frobnicate", "unknown option"},
      {"--sensors", "needs a value"},
      {"--sensors 3", "--sensors"},
      {"--reading-rate 0", "--reading-rate"},
      {"--reading-rate 101", "needs --unpaced"},
      {"--unpaced --reading-rate 1001", "at most 1000"},
      {"--unpaced=yes", "takes no value"},
      {"--sent-log", "needs a value"},
      {"--sent-log=", "wants a file name"},
      {"--no-instrument --unpaced", "--no-instrument"},
      {"--no-instrument --sent-log s.log", "--no-instrument"},
      {"--gps-sent-log=", "--gps-sent-log"},
      {"--no-gps --gps-sent-log g.log", "--gps-sent-log"},
      {"--gps-rate nan", "--gps-rate"},
      {"--gps-type 9", "--gps-type"},
      {"--gps-type NMEA", "--gps-type"},
      {"--gps-baud 9601", "--gps-baud"},
      {"--gps-port 1", "share COM1"},
      {"--origin 51.5", "--origin"},
      {"--origin 95,0", "--origin"},
      {"--silence 5", "--silence"},
      {"--silence 5:0", "--silence"},
      {"--split-lines=yes", "takes no value"},
      {"--faults-on all", "--faults-on"},
      {"--no-instrument --no-gps", "nothing to play"},
      {"--no-gps --replay x.log", "--replay"},
  };
  for (const auto& [arguments, message] : cases) {
    const ParsedOptions parsed = Parse(arguments);
    EXPECT_FALSE(parsed.options || parsed.help) << arguments;
    EXPECT_NE(parsed.error.find(message), std::string::npos) << arguments << ": " << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
  }
  EXPECT_NE(ParseOptions({}).error.find("--root"), std::string::npos);
  EXPECT_TRUE(ParseOptions({"--help"}).help);
}

}  // namespace
}  // namespace gradsim
