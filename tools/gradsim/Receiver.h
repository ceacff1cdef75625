#pragma once

#include "gradsim/GpsType.h"
#include "gradsim/Random.h"

namespace gradsim {

// What a receiver says about the quality of one fix.
struct FixQuality {
  int quality = 1;  // the digit the sentence carries
  int satellites = 9;
  double pdop = 1.5;
  double hdop = 0.9;
  double vdop = 1.2;
  double coordinateQualityM = 0.5;  // LLK/LLQ: estimated error in metres
};

// Satellites and DOP drifting slowly within their good ranges, and now and then a short
// spell of worse fixes (fewer satellites, high DOP, a lower fix class).
class Receiver {
 public:
  Receiver(GpsType type, Random& random);

  FixQuality NextFix(Random& random);

 private:
  int goodQuality_;
  int poorQuality_;
  int satellites_;
  double pdop_;
  int poorFixesLeft_ = 0;
};

}  // namespace gradsim
