#include "gradsim/GradField.h"

#include <cmath>

namespace gradsim {

namespace {

constexpr double CELL_M = 12.0;
constexpr double BACKGROUND = 1000.0;

// splitmix64: cells get independent, repeatable random numbers without stored state.
std::uint64_t Mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
  return value ^ (value >> 31);
}

class CellRandom {
 public:
  explicit CellRandom(std::uint64_t state) : state_(state) {}
  double Next() {
    state_ = Mix(state_);
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }

 private:
  std::uint64_t state_;
};

double Lobe(double dx, double dy, double width) {
  return std::exp(-(dx * dx + dy * dy) / (2.0 * width * width));
}

}  // namespace

GradField::GradField(std::uint64_t seed) : seed_(seed) {
  CellRandom random(Mix(seed));
  phaseEast_ = random.Next() * 6.283;
  phaseNorth_ = random.Next() * 6.283;
  phaseDiagonal_ = random.Next() * 6.283;
}

double GradField::ValueAt(double east, double north) const {
  double value = BACKGROUND + 45.0 * std::sin(east / 23.0 + phaseEast_) +
                 35.0 * std::sin(north / 31.0 + phaseNorth_) +
                 12.0 * std::sin((east + north) / 9.0 + phaseDiagonal_);
  const auto cellEast = static_cast<std::int64_t>(std::floor(east / CELL_M));
  const auto cellNorth = static_cast<std::int64_t>(std::floor(north / CELL_M));
  for (std::int64_t de = -1; de <= 1; ++de) {
    for (std::int64_t dn = -1; dn <= 1; ++dn) {
      for (const Dipole& dipole : DipolesOfCell(cellEast + de, cellNorth + dn)) {
        const double dx = east - dipole.east;
        const double dy = north - dipole.north;
        value += dipole.amplitude * (Lobe(dx, dy + 0.5 * dipole.width, dipole.width) -
                                     0.45 * Lobe(dx, dy - 0.9 * dipole.width, dipole.width));
      }
    }
  }
  return value;
}

std::vector<Dipole> GradField::DipolesNear(double east, double north) const {
  return DipolesOfCell(static_cast<std::int64_t>(std::floor(east / CELL_M)),
                       static_cast<std::int64_t>(std::floor(north / CELL_M)));
}

std::vector<Dipole> GradField::DipolesOfCell(std::int64_t cellEast, std::int64_t cellNorth) const {
  CellRandom random(Mix(seed_ ^ Mix(static_cast<std::uint64_t>(cellEast) * 0x100000001B3ULL ^
                                    static_cast<std::uint64_t>(cellNorth))));
  const double draw = random.Next();
  const int count = draw < 0.25 ? 0 : (draw < 0.8 ? 1 : 2);
  std::vector<Dipole> dipoles;
  for (int i = 0; i < count; ++i) {
    Dipole dipole;
    dipole.east = (static_cast<double>(cellEast) + random.Next()) * CELL_M;
    dipole.north = (static_cast<double>(cellNorth) + random.Next()) * CELL_M;
    dipole.amplitude = 120.0 + random.Next() * 300.0;
    // Now and then a reversed (remanent) source: the negative lobe leads.
    if (random.Next() < 0.15)
      dipole.amplitude = -dipole.amplitude;
    dipole.width = 1.0 + random.Next() * 2.0;
    dipoles.push_back(dipole);
  }
  return dipoles;
}

}  // namespace gradsim
