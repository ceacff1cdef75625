#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "gradsim/GeoOrigin.h"
#include "gradsim/GpsType.h"
#include "gradsim/PositionSentences.h"
#include "gradsim/Random.h"
#include "gradsim/Receiver.h"
#include "gradsim/Walker.h"

namespace gradsim {

// The positioning device carried with the walker: the sentences of one fix per call.
class PositionPlayer {
 public:
  PositionPlayer(GpsType type, const GeoPoint& origin, const WalkerSettings& walk, Random& random);

  std::vector<std::string> FixAt(double seconds, std::chrono::system_clock::time_point utc,
                                 bool withExtras, Random& random);

 private:
  GpsType type_;
  GeoPoint origin_;
  WalkerSettings walk_;
  Receiver receiver_;
  std::vector<SatelliteInView> sky_;
};

}  // namespace gradsim
