#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gradsim/Faults.h"
#include "gradsim/PtyLink.h"
#include "gradsim/Random.h"

namespace gradsim {

// The lines a device sends at one tick, `seconds` after the start.
using LineSource = std::function<std::vector<std::string>(double seconds)>;

// Told of each line from the source, as the source gave it, once its last byte is written.
using LineSent = std::function<void(std::string_view line)>;

struct StreamSettings {
  double ticksPerSecond = 1.0;
  int baud = 9600;
  // Bytes go as fast as the pseudo-terminal takes them instead of at the baud rate, and wait
  // for room rather than being lost when it is full; the ticks still pace the lines.
  bool unpaced = false;
  FaultSettings faults;
  std::vector<SilenceWindow> silences;
  std::uint64_t seed = 0;
};

// One device on one line: a tick every 1/rate seconds, its lines shaped by the faults and
// written at the pace of the baud rate (10 bits a byte). A device that has more to say than
// the baud rate carries skips ticks, as a receiver drops output it cannot send. Unpaced, only
// the ticks and the pauses of split lines hold the bytes back.
class DeviceStream {
 public:
  DeviceStream(PtyLink& link, LineSource source, StreamSettings settings, LineSent onSent = {});

  // Does what is due at `seconds` since the start; returns the time it next needs a call.
  double Step(double seconds);

 private:
  // Reports the lines whose end is among the first `count` bytes of `bytes`, which the line
  // took, and forgets those that the rest, which it did not take, cuts short.
  void Account(std::string_view bytes, std::size_t count);

  PtyLink& link_;
  LineSource source_;
  StreamSettings settings_;
  double period_;
  double latestTickS_;  // how late a tick may be and still be sent
  LineShaper shaper_;
  Random random_;
  LineSent onSent_;
  std::deque<Chunk> pending_;
  std::deque<std::string> unreported_;  // lines written in part or not yet, with onSent_ only
  bool nextLineCut_ = false;            // bytes lost before the next line end: not sent whole
  double nextTick_ = 0.0;
  double lineFreeAt_ = 0.0;
};

}  // namespace gradsim
