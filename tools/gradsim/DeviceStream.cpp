#include "gradsim/DeviceStream.h"

#include <cmath>

namespace gradsim {

namespace {
constexpr double BITS_PER_BYTE = 10.0;  // start bit, 8 data bits, stop bit
}

DeviceStream::DeviceStream(PtyLink& link, LineSource source, double ticksPerSecond, int baud,
                           const FaultSettings& faults, std::vector<SilenceWindow> silences,
                           std::uint64_t seed)
    : link_(link),
      source_(std::move(source)),
      period_(1.0 / ticksPerSecond),
      baud_(baud),
      shaper_(faults),
      silences_(std::move(silences)),
      random_(seed) {}

double DeviceStream::Step(double seconds) {
  for (;;) {
    if (seconds < lineFreeAt_)
      return lineFreeAt_;
    if (!pending_.empty()) {
      const Chunk chunk = std::move(pending_.front());
      pending_.pop_front();
      link_.Write(chunk.bytes);
      lineFreeAt_ = seconds + static_cast<double>(chunk.bytes.size()) * BITS_PER_BYTE / baud_ +
                    chunk.pauseAfterS;
      continue;
    }
    if (seconds < nextTick_)
      return nextTick_;
    const double tick = nextTick_;
    if (!IsSilent(silences_, tick)) {
      for (Chunk& chunk : shaper_.Shape(source_(tick), random_))
        pending_.push_back(std::move(chunk));
    }
    nextTick_ += period_;
    // Ticks whose time has passed while the line was busy are skipped, not sent in a burst.
    if (nextTick_ + period_ <= seconds)
      nextTick_ += std::floor((seconds - nextTick_) / period_) * period_;
  }
}

}  // namespace gradsim
