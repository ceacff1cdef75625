#include "gradsim/GeoOrigin.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gradsim {

namespace {
constexpr double EARTH_RADIUS_M = 6371000.0;
constexpr double METRES_PER_DEGREE = EARTH_RADIUS_M * std::numbers::pi / 180.0;
}  // namespace

GeoPoint LocalToGeo(const GeoPoint& origin, double east, double north) {
  const double cosine = std::cos(origin.latitude * std::numbers::pi / 180.0);
  GeoPoint point;
  point.latitude = origin.latitude + north / METRES_PER_DEGREE;
  // Near a pole the east-west degree shrinks to nothing; stop short of dividing by zero.
  point.longitude = origin.longitude + east / (METRES_PER_DEGREE * std::max(cosine, 1e-6));
  if (point.longitude > 180.0)
    point.longitude -= 360.0;
  if (point.longitude < -180.0)
    point.longitude += 360.0;
  return point;
}

}  // namespace gradsim
