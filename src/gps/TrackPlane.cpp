#include "gps/TrackPlane.h"

#include <algorithm>
#include <cmath>

namespace gradlog {

namespace {

std::int32_t ToPlanePixel(double value) {
  if (std::isnan(value))
    return TRACK_PLANE_LIMIT;
  const double limit = static_cast<double>(TRACK_PLANE_LIMIT);
  return static_cast<std::int32_t>(std::trunc(std::clamp(value, -limit, limit)));
}

}  // namespace

TrackPoint ToTrackPixel(const TrackPlane& plane, PlanePoint position) {
  return {
      ToPlanePixel((position.east - plane.originEast) * plane.pixelsPerUnit + plane.halfWidth),
      ToPlanePixel(plane.halfHeight - (position.north - plane.originNorth) * plane.pixelsPerUnit)};
}

}  // namespace gradlog
