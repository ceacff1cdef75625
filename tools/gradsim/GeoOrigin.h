#pragma once

namespace gradsim {

struct GeoPoint {
  double latitude = 0.0;   // degrees, south negative
  double longitude = 0.0;  // degrees, west negative
};

// A local plane (metres east and north) laid on the sphere at `origin`; good to well
// under a centimetre over a survey area of a few hundred metres.
GeoPoint LocalToGeo(const GeoPoint& origin, double east, double north);

}  // namespace gradsim
