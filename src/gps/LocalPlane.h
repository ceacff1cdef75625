#pragma once

#include <cstdint>

namespace gradlog {

inline constexpr double METRES_PER_DEGREE = 111000.0;
inline constexpr double FEET_PER_METRE = 3.28084;

// A position on the run's local plane, in metres or feet (distanceUnits 1 and 2).
struct PlanePoint {
  double north = 0.0;
  double east = 0.0;
};

// The factor that makes a degree of longitude as long as it is at `originLatitude` degrees:
// cos(latitude). Clamped so that a position at a pole still gives a usable plane.
double EastScaleAt(double originLatitude);

// Latitude and longitude in signed degrees to the local plane: north = latitude x 111000,
// east = longitude x 111000 x eastScale, both x 3.28084 in feet. The fix handler, the map's
// track rebuild and the position files all convert through here.
PlanePoint ToLocalPlane(double latitude, double longitude, double eastScale,
                        std::int32_t distanceUnits);

}  // namespace gradlog
