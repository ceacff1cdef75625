#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gradsim/Faults.h"
#include "gradsim/PtyLink.h"
#include "gradsim/Random.h"

namespace gradsim {

// The lines a device sends at one tick, `seconds` after the start.
using LineSource = std::function<std::vector<std::string>(double seconds)>;

// One device on one line: a tick every 1/rate seconds, its lines shaped by the faults and
// written at the pace of the baud rate (10 bits a byte). A device that has more to say than
// the baud rate carries skips ticks, as a receiver drops output it cannot send.
class DeviceStream {
 public:
  DeviceStream(PtyLink& link, LineSource source, double ticksPerSecond, int baud,
               const FaultSettings& faults, std::vector<SilenceWindow> silences,
               std::uint64_t seed);

  // Does what is due at `seconds` since the start; returns the time it next needs a call.
  double Step(double seconds);

 private:
  PtyLink& link_;
  LineSource source_;
  double period_;
  int baud_;
  LineShaper shaper_;
  std::vector<SilenceWindow> silences_;
  Random random_;
  std::deque<Chunk> pending_;
  double nextTick_ = 0.0;
  double lineFreeAt_ = 0.0;
};

}  // namespace gradsim
