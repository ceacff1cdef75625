#pragma once

#include <string>
#include <vector>

#include "gradsim/GeoOrigin.h"
#include "gradsim/GpsType.h"
#include "gradsim/Receiver.h"
#include "gradsim/UtcStamp.h"

namespace gradsim {

// Local grids are printed from a false origin, as survey grids are, so that they are
// never negative: LLK/LLQ use a UTM-like grid, the total stations a site grid.
inline constexpr double LLK_FALSE_EAST = 500000.0;
inline constexpr double LLK_FALSE_NORTH = 5000000.0;
inline constexpr double SITE_FALSE_EAST = 1000.0;
inline constexpr double SITE_FALSE_NORTH = 5000.0;

struct SatelliteInView {
  int prn = 1;
  int elevation = 45;  // degrees
  int azimuth = 0;     // degrees
  int snr = 40;        // dB-Hz
};

// Everything one fix's sentences print.
struct FixSnapshot {
  UtcStamp utc;
  GeoPoint position;
  double localEast = 0.0;   // metres from the survey origin
  double localNorth = 0.0;  // metres from the survey origin
  double heightM = 45.0;
  double speedMps = 0.0;
  double courseDegrees = 0.0;
  FixQuality fix;
  std::vector<SatelliteInView> sky;  // the first fix.satellites entries are in use
};

// The lines (each ending CR LF) a device of `type` sends for one fix. `withExtras` adds the
// sentences a receiver sends less often than every fix (GSV, RMC, VTG) around the ones the
// logger reads.
std::vector<std::string> PositionSentences(GpsType type, const FixSnapshot& fix, bool withExtras);

}  // namespace gradsim
