#pragma once

#include <cstdint>
#include <vector>

namespace gradsim {

// A buried source: a positive lobe south of its centre and a weaker negative one north,
// as an induced magnetic dipole shows on a vertical gradiometer in the northern hemisphere.
struct Dipole {
  double east = 0.0;
  double north = 0.0;
  double amplitude = 0.0;  // display units at the positive peak
  double width = 0.0;      // metres
};

// The surveyed ground: a slowly varying background near the middle of the 0..2000 display
// scale with dipole anomalies scattered over it, the same for every run with one seed.
class GradField {
 public:
  explicit GradField(std::uint64_t seed);

  // The noise-free reading of a sensor at (east, north), in metres from the survey origin.
  double ValueAt(double east, double north) const;

  // The dipoles whose centres lie in the cell of the field grid holding (east, north).
  std::vector<Dipole> DipolesNear(double east, double north) const;

 private:
  std::vector<Dipole> DipolesOfCell(std::int64_t cellEast, std::int64_t cellNorth) const;

  std::uint64_t seed_;
  double phaseEast_;
  double phaseNorth_;
  double phaseDiagonal_;
};

}  // namespace gradsim
