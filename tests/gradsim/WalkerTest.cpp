#include "gradsim/Walker.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gradsim/GeoOrigin.h"

namespace gradsim {
namespace {

TEST(WalkerTest, WalksLinesBackAndForthAndStepsAcrossAtTheEnds) {
  const WalkerSettings walk{.lineLength = 20.0, .lineSpacing = 2.0, .speed = 0.5};
  struct Case {
    double seconds;
    double east;
    double north;
    int line;
    bool onLine;
    double course;
  };
  // One leg is 20 m along plus 2 m across: 44 s at 0.5 m/s.
  const Case cases[] = {
      {0.0, 0.0, 0.0, 0, true, 0.0},     {10.0, 0.0, 5.0, 0, true, 0.0},
      {39.9, 0.0, 19.95, 0, true, 0.0},  {41.0, 0.5, 20.0, 0, false, 90.0},
      {44.0, 2.0, 20.0, 1, true, 180.0}, {64.0, 2.0, 10.0, 1, true, 180.0},
      {85.0, 2.5, 0.0, 1, false, 90.0},  {88.0, 4.0, 0.0, 2, true, 0.0},
      {98.0, 4.0, 5.0, 2, true, 0.0},    {-3.0, 0.0, 0.0, 0, true, 0.0},
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

TEST(WalkerTest, StaysInsideTheSurveyStripAndMovesAtWalkingSpeed) {
  const WalkerSettings walk{.lineLength = 30.0, .lineSpacing = 1.0, .speed = 1.2};
  WalkerPosition previous = WalkerAt(walk, 0.0);
  for (double t = 0.1; t < 600.0; t += 0.1) {
    const WalkerPosition at = WalkerAt(walk, t);
    ASSERT_GE(at.north, 0.0) << t;
    ASSERT_LE(at.north, 30.0) << t;
    const double step = std::hypot(at.east - previous.east, at.north - previous.north);
    // Never faster than the walking pace, and no jumps at the corners.
    ASSERT_LE(step, 0.12 + 1e-9) << t;
    ASSERT_GE(step, 0.0) << t;
    previous = at;
  }
}

TEST(GeoOriginTest, LocalMetresBecomeDegreesInEveryHemisphere) {
  const double metresPerDegree = 111194.93;
  struct Case {
    GeoPoint origin;
    double east;
    double north;
  };
  const Case cases[] = {{{52.0, 5.0}, 100.0, 200.0},
                        {{51.5, -0.9}, 30.0, -10.0},
                        {{-33.9, 151.2}, -50.0, 25.0},
                        {{-12.0, -77.0}, 10.0, 10.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.origin.latitude);
    const GeoPoint p = LocalToGeo(c.origin, c.east, c.north);
    EXPECT_NEAR((p.latitude - c.origin.latitude) * metresPerDegree, c.north, 0.01);
    const double eastScale = metresPerDegree * std::cos(c.origin.latitude * M_PI / 180.0);
    EXPECT_NEAR((p.longitude - c.origin.longitude) * eastScale, c.east, 0.01);
  }
  // Across the date line the longitude wraps instead of passing 180.
  EXPECT_NEAR(LocalToGeo({0.0, 179.9999}, 100.0, 0.0).longitude, -179.9992, 1e-3);
}

}  // namespace
}  // namespace gradsim
