#pragma once

#include <span>
#include <string>

#include "gradsim/GradField.h"
#include "gradsim/Random.h"
#include "gradsim/Walker.h"

namespace gradsim {

// "$PBAR,<g1>" or "$PBAR,<g1>,<g2>" with two decimals, then CR LF.
std::string FormatPbarLine(std::span<const double> values);

// The gradiometer carried along the walker's lines: one reading per call.
class InstrumentPlayer {
 public:
  InstrumentPlayer(int sensors, const WalkerSettings& walk, std::uint64_t seed)
      : sensors_(sensors), walk_(walk), field_(seed) {}

  std::string ReadingAt(double seconds, Random& random) const;

 private:
  int sensors_;
  WalkerSettings walk_;
  GradField field_;
};

}  // namespace gradsim
