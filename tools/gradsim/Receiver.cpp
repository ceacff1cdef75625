#include "gradsim/Receiver.h"

#include <algorithm>
#include <cmath>

namespace gradsim {

namespace {

constexpr int MIN_SATELLITES = 7;
constexpr int MAX_SATELLITES = 12;
constexpr double MIN_PDOP = 0.9;
constexpr double MAX_PDOP = 2.5;
constexpr double POOR_SPELL_CHANCE = 1.0 / 150.0;

struct QualityDigits {
  int good;
  int poor;
};

// The fix class digit each sentence type uses for a good and for a degraded fix. POS counts
// from 0 (the logger adds one); the Trimble RTK sentences report RTK fixed as 4.
QualityDigits QualityFor(GpsType type) {
  switch (type) {
    case GpsType::POS:
      return {1, 0};
    case GpsType::GGK:
    case GpsType::LLQ:
      return {4, 2};
    default:
      return {2, 1};
  }
}

}  // namespace

Receiver::Receiver(GpsType type, Random& random)
    : goodQuality_(QualityFor(type).good),
      poorQuality_(QualityFor(type).poor),
      satellites_(random.Integer(8, 11)),
      pdop_(random.Uniform(1.2, 1.9)) {}

FixQuality Receiver::NextFix(Random& random) {
  if (random.Chance(0.05))
    satellites_ =
        std::clamp(satellites_ + (random.Chance(0.5) ? 1 : -1), MIN_SATELLITES, MAX_SATELLITES);
  pdop_ += random.Normal(0.02);
  if (pdop_ < MIN_PDOP || pdop_ > MAX_PDOP)
    pdop_ = std::clamp(2.0 * std::clamp(pdop_, MIN_PDOP, MAX_PDOP) - pdop_, MIN_PDOP, MAX_PDOP);
  if (poorFixesLeft_ == 0 && random.Chance(POOR_SPELL_CHANCE))
    poorFixesLeft_ = random.Integer(3, 8);

  FixQuality fix;
  fix.quality = goodQuality_;
  fix.satellites = satellites_;
  fix.pdop = pdop_;
  if (poorFixesLeft_ > 0) {
    --poorFixesLeft_;
    fix.quality = poorQuality_;
    fix.satellites = random.Integer(4, 6);
    fix.pdop = random.Uniform(3.0, 6.0);
  }
  fix.hdop = std::max(0.5, fix.pdop * 0.6);
  fix.vdop = std::sqrt(std::max(0.01, fix.pdop * fix.pdop - fix.hdop * fix.hdop));
  fix.coordinateQualityM = fix.quality >= 3 ? 0.01 + 0.005 * fix.pdop : 0.4 * fix.hdop;
  return fix;
}

}  // namespace gradsim
