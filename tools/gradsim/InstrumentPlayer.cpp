#include "gradsim/InstrumentPlayer.h"

#include <vector>

#include "gradsim/NmeaFormat.h"

namespace gradsim {

namespace {
// The second sensor rides half a metre east of the first and reads a little lower, so the
// two channels look alike without being copies.
constexpr double SECOND_SENSOR_OFFSET_M = 0.5;
constexpr double SECOND_SENSOR_BIAS = -14.0;
constexpr double NOISE_SIGMA = 1.5;
}  // namespace

std::string FormatPbarLine(std::span<const double> values) {
  std::string line = "$PBAR";
  for (const double value : values) {
    line += ',';
    line += FormatFixed(value, 2);
  }
  line += "\r\n";
  return line;
}

std::string InstrumentPlayer::ReadingAt(double seconds, Random& random) const {
  const WalkerPosition where = WalkerAt(walk_, seconds);
  std::vector<double> values{field_.ValueAt(where.east, where.north) + random.Normal(NOISE_SIGMA)};
  if (sensors_ == 2) {
    values.push_back(field_.ValueAt(where.east + SECOND_SENSOR_OFFSET_M, where.north) +
                     SECOND_SENSOR_BIAS + random.Normal(NOISE_SIGMA));
  }
  return FormatPbarLine(values);
}

}  // namespace gradsim
