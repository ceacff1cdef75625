#include "gps/LocalPlane.h"

#include <cmath>
#include <numbers>

namespace gradlog {

namespace {

constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180.0;
// The latitude closest to a pole that still scales east: beyond it a metre east would be
// kilometres of plane, and at the pole nothing.
constexpr double MAX_SCALED_LATITUDE = 89.9;

}  // namespace

double EastScaleAt(double originLatitude) {
  const double smallest = std::cos(MAX_SCALED_LATITUDE * RADIANS_PER_DEGREE);
  const double scale = std::cos(originLatitude * RADIANS_PER_DEGREE);
  // Also catches a latitude beyond the poles (negative cosine) and NaN.
  return scale > smallest ? scale : smallest;
}

PlanePoint ToLocalPlane(double latitude, double longitude, double eastScale,
                        std::int32_t distanceUnits) {
  const double unitsPerDegree = METRES_PER_DEGREE * (distanceUnits != 0 ? FEET_PER_METRE : 1.0);
  return PlanePoint{.north = latitude * unitsPerDegree,
                    .east = longitude * unitsPerDegree * eastScale};
}

}  // namespace gradlog
