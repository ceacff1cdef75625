#include "display/MapViewBox.h"

#include "common/SafeConvert.h"

namespace gradlog {

TrackPoint TopLeftOf(const MapBox& view) {
  return {view.left, view.top};
}

MapBox ViewCentredOn(TrackPoint at, const MapGeometry& geometry) {
  return {.left = ClampToInt32(std::int64_t{at.x} - geometry.halfWidth + 1),
          .right = ClampToInt32(std::int64_t{at.x} + geometry.halfWidth - 1),
          .top = ClampToInt32(std::int64_t{at.y} - geometry.halfHeight + 1),
          .bottom = ClampToInt32(std::int64_t{at.y} + geometry.halfHeight - 1)};
}

MapBox MovedBy(const MapBox& box, std::int64_t dx, std::int64_t dy) {
  return {.left = ClampToInt32(box.left + dx),
          .right = ClampToInt32(box.right + dx),
          .top = ClampToInt32(box.top + dy),
          .bottom = ClampToInt32(box.bottom + dy)};
}

}  // namespace gradlog
