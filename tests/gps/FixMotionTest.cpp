#include "gps/FixMotion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "gps/GpsDataTypes.h"

namespace gradlog {
namespace {

TEST(FixMotionTest, SecondsBetweenFixesCrossMidnightButNeverGoBack) {
  struct Case {
    std::optional<double> previous;
    double current;
    std::optional<double> seconds;
  };
  const Case cases[] = {
      {100.0, 101.0, 1.0},
      {86399.5, 0.5, 1.0},              // 235959.5 to 000000.5
      {43300.0, 0.0, 43100.0},          // more than half a day back: the next day
      {50000.0, 6800.0, std::nullopt},  // exactly half a day back
      {100.0, 100.0, std::nullopt},
      {100.0, 99.0, std::nullopt},
      {std::nullopt, 100.0, std::nullopt},
      {100.0, std::numeric_limits<double>::quiet_NaN(), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.previous.value_or(-1.0)) + " to " + std::to_string(c.current));
    const std::optional<double> seconds = SecondsBetweenFixes(c.previous, c.current);
    ASSERT_EQ(seconds.has_value(), c.seconds.has_value());
    if (c.seconds) {
      EXPECT_DOUBLE_EQ(*seconds, *c.seconds);
    }
  }
}

TEST(FixMotionTest, SpeedIsDistanceOverTheTimeBetweenFixes) {
  struct Step {
    const char* what;
    PlanePoint position;
    std::optional<double> time;
    std::optional<float> returned;
    float speed;  // fix.speed afterwards
  };
  const std::vector<Step> steps{
      {"origin", {0.0, 0.0}, 100.0, std::nullopt, 2.0f},
      {"1.5 m north in 1 s", {1.5, 0.0}, 101.0, 1.5f, 1.5f},
      {"3-4-5 in 2 s", {4.5, 4.0}, 103.0, 2.5f, 2.5f},
      {"same time stamp keeps the last speed", {9.0, 4.0}, 103.0, std::nullopt, 2.5f},
      {"measured from the position just taken", {10.0, 4.0}, 104.0, 1.0f, 1.0f},
      {"no time keeps the last speed", {20.0, 4.0}, std::nullopt, std::nullopt, 1.0f},
      {"nor over the time since the fix before it", {22.0, 4.0}, 106.0, std::nullopt, 1.0f},
      {"the next fix with a time has one again", {23.5, 4.0}, 107.0, 1.5f, 1.5f},
  };
  GpsFix fix;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    EXPECT_EQ(AdvanceFix(fix, s.position, s.time), s.returned);
    EXPECT_FLOAT_EQ(fix.speed, s.speed);
    EXPECT_EQ(fix.prevNorth, s.position.north);
    EXPECT_EQ(fix.prevEast, s.position.east);
  }
}

TEST(FixMotionTest, AFixJustAfterMidnightHasASpeed) {
  GpsFix fix;
  AdvanceFix(fix, {0.0, 0.0}, 86399.5);
  EXPECT_EQ(AdvanceFix(fix, {0.0, 3.0}, 0.5), 3.0f);
  EXPECT_EQ(fix.prevTimeOfDay, 0.5);
}

TEST(FixMotionTest, TheWarningNeedsAJudgeableTypeAndOneWeakValue) {
  struct Case {
    const char* what;
    std::int32_t warning;
    std::int32_t type;
    std::int32_t satellites;
    std::int32_t quality;
    float dop;
    bool red;
  };
  // Settings: warn below DGPS (index 1: quality 2), above PDOP 4, below 5 satellites.
  const Case cases[] = {
      {"all good", 1, GPS_DATA_TYPE_GGA, 8, 2, 1.5f, false},
      {"4 satellites", 1, GPS_DATA_TYPE_GGA, 4, 2, 1.5f, true},
      {"5 satellites", 1, GPS_DATA_TYPE_GGA, 5, 2, 1.5f, false},
      {"AGPS below DGPS", 1, GPS_DATA_TYPE_GGA, 8, 1, 1.5f, true},
      {"DOP above", 1, GPS_DATA_TYPE_GGA, 8, 2, 4.1f, true},
      {"DOP at the limit", 1, GPS_DATA_TYPE_GGA, 8, 2, 4.0f, false},
      {"POS is judged", 1, GPS_DATA_TYPE_POS, 4, 2, 1.5f, true},
      {"GLL never", 1, GPS_DATA_TYPE_GLL, 0, 0, 99.0f, false},
      {"Leica TPS never", 1, GPS_DATA_TYPE_LEICA_TPS, 0, 0, 99.0f, false},
      {"warning off", 0, GPS_DATA_TYPE_GGA, 0, 0, 99.0f, false},
  };
  for (const Case& c : cases) {
    GpsFix fix;
    fix.satellites = c.satellites;
    fix.quality = c.quality;
    fix.dop = c.dop;
    EXPECT_EQ(GpsWarningApplies(fix, c.warning, c.type, 1, 4.0f, 5), c.red) << c.what;
  }
}

// Before a sentence has carried satellites, quality or DOP, none of them may warn.
TEST(FixMotionTest, TheInitialValuesPassEveryWarning) {
  for (std::int32_t type = 0; type < GPS_DATA_TYPE_RTS_TRIMBLE; ++type)
    EXPECT_FALSE(GpsWarningApplies(GpsFix{}, 1, type, 4, 0.0f, 12)) << type;
}

}  // namespace
}  // namespace gradlog
