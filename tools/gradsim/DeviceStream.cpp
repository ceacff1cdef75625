#include "gradsim/DeviceStream.h"

#include <algorithm>
#include <cmath>

namespace gradsim {

namespace {
constexpr double BITS_PER_BYTE = 10.0;  // start bit, 8 data bits, stop bit
// Unpaced, nothing but a late wake-up or a full pseudo-terminal delays a tick, so ticks are
// caught up to this late to keep the rate; a longer stall is skipped, not sent in a burst.
constexpr double UNPACED_CATCH_UP_S = 0.1;
// How soon to try again when the pseudo-terminal is full.
constexpr double FULL_LINE_RETRY_S = 0.001;
}  // namespace

DeviceStream::DeviceStream(PtyLink& link, LineSource source, StreamSettings settings,
                           LineSent onSent)
    : link_(link),
      source_(std::move(source)),
      settings_(std::move(settings)),
      period_(1.0 / settings_.ticksPerSecond),
      latestTickS_(settings_.unpaced ? std::max(period_, UNPACED_CATCH_UP_S) : period_),
      shaper_(settings_.faults),
      random_(settings_.seed),
      onSent_(std::move(onSent)) {}

double DeviceStream::Step(double seconds) {
  for (;;) {
    if (seconds < lineFreeAt_)
      return lineFreeAt_;
    if (!pending_.empty()) {
      Chunk& chunk = pending_.front();
      const std::size_t written = link_.Write(chunk.bytes);
      if (settings_.unpaced && written < chunk.bytes.size()) {
        Account(std::string_view(chunk.bytes).substr(0, written), written);
        chunk.bytes.erase(0, written);
        lineFreeAt_ = seconds + FULL_LINE_RETRY_S;
        continue;
      }
      Account(chunk.bytes, written);
      lineFreeAt_ = seconds + chunk.pauseAfterS;
      if (!settings_.unpaced)
        lineFreeAt_ += static_cast<double>(chunk.bytes.size()) * BITS_PER_BYTE / settings_.baud;
      pending_.pop_front();
      continue;
    }
    if (seconds < nextTick_)
      return nextTick_;
    const double tick = nextTick_;
    if (!IsSilent(settings_.silences, tick)) {
      const std::vector<std::string> lines = source_(tick);
      if (onSent_)
        unreported_.insert(unreported_.end(), lines.begin(), lines.end());
      for (Chunk& chunk : shaper_.Shape(lines, random_))
        pending_.push_back(std::move(chunk));
    }
    nextTick_ += period_;
    // Ticks that passed while the line was busy are skipped, not sent in a burst.
    if (nextTick_ + latestTickS_ <= seconds)
      nextTick_ += std::floor((seconds - nextTick_) / period_) * period_;
  }
}

void DeviceStream::Account(std::string_view bytes, std::size_t count) {
  if (!onSent_)
    return;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i >= count)
      nextLineCut_ = true;
    if (bytes[i] != '\n' || unreported_.empty())
      continue;
    if (!nextLineCut_)
      onSent_(unreported_.front());
    unreported_.pop_front();
    nextLineCut_ = false;
  }
}

}  // namespace gradsim
