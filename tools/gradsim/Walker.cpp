#include "gradsim/Walker.h"

#include <algorithm>
#include <cmath>

namespace gradsim {

WalkerPosition WalkerAt(const WalkerSettings& settings, double seconds) {
  const double distance = std::max(0.0, seconds) * settings.speed;
  const double leg = settings.lineLength + settings.lineSpacing;
  const double legs = std::floor(distance / leg);
  const double along = distance - legs * leg;
  WalkerPosition position;
  position.line = static_cast<int>(legs);
  const bool northward = position.line % 2 == 0;
  position.east = legs * settings.lineSpacing;
  if (along < settings.lineLength) {
    position.north = northward ? along : settings.lineLength - along;
    position.courseDegrees = northward ? 0.0 : 180.0;
  } else {
    position.onLine = false;
    position.east += along - settings.lineLength;
    position.north = northward ? settings.lineLength : 0.0;
    position.courseDegrees = 90.0;
  }
  return position;
}

}  // namespace gradsim
