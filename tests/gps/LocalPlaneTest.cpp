#include "gps/LocalPlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gradlog {
namespace {

// At a pole, beyond it, or from a NaN the plane must still have an east axis.
TEST(LocalPlaneTest, TheEastScaleStaysPositiveAtThePoles) {
  const double nearPole = EastScaleAt(89.9);
  EXPECT_GT(nearPole, 0.0);
  for (const double latitude :
       {90.0, -90.0, 135.0, 180.0, 270.0, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_DOUBLE_EQ(EastScaleAt(latitude), nearPole) << latitude;
  }
}

TEST(LocalPlaneTest, NorthIsTheLatitudeTimes111000) {
  const double latitude = 48.0 + 7.038 / 60.0;  // 4807.038,N
  EXPECT_NEAR(ToLocalPlane(latitude, 0.0, 1.0, 0).north, 5'341'020.3, 0.05);
  EXPECT_NEAR(ToLocalPlane(-latitude, 0.0, 1.0, 0).north, -5'341'020.3, 0.05);
}

TEST(LocalPlaneTest, FeetScaleBothAxes) {
  const double latitude = 48.0 + 7.038 / 60.0;
  for (const std::int32_t feet : {1, 2}) {
    const PlanePoint point = ToLocalPlane(latitude, 1.0, 0.5, feet);
    EXPECT_NEAR(point.north, 17'523'033.04, 0.05) << feet;
    EXPECT_NEAR(point.east, 111000.0 * 0.5 * 3.28084, 1e-6) << feet;
  }
}

// 20 m along a parallel at 52 N is 0.000291214 degrees of longitude on the earth's ellipsoid
// (68.678 km to the degree). Scaled by the origin's latitude the walk measures 20 m within
// the sphere's 0.5 %; unscaled it would measure 32 m.
TEST(LocalPlaneTest, AWalkEastMeasuresWhatWasWalked) {
  const double scale = EastScaleAt(52.0);
  const PlanePoint from = ToLocalPlane(52.0, 5.0, scale, 0);
  const PlanePoint to = ToLocalPlane(52.0, 5.0 + 0.000291214, scale, 0);
  EXPECT_NEAR(to.east - from.east, 20.0, 0.1);
  EXPECT_DOUBLE_EQ(to.north, from.north);
}

}  // namespace
}  // namespace gradlog
