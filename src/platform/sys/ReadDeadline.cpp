#include "platform/sys/ReadDeadline.h"

#include <algorithm>

namespace platform {

namespace {

std::optional<SteadyTime> TotalEnd(std::uint32_t multiplier, std::uint32_t constant,
                                   std::size_t count, SteadyTime start) {
  if (multiplier == 0 && constant == 0)
    return std::nullopt;
  // 64-bit milliseconds: MAXDWORD times a large request must not wrap around.
  const std::uint64_t total = std::uint64_t{multiplier} * count + constant;
  return start + std::chrono::milliseconds(total);
}

}  // namespace

ReadDeadline::ReadDeadline(const CommTimeouts& timeouts, std::size_t requested, SteadyTime start)
    : requested_(requested), returnOnAny_(timeouts.readInterval == MAXDWORD), lastByte_(start) {
  if (returnOnAny_ && timeouts.readTotalMultiplier == 0 && timeouts.readTotalConstant == 0) {
    totalEnd_ = start;  // return at once with whatever is there
  } else if (returnOnAny_ && timeouts.readTotalMultiplier == MAXDWORD) {
    // The classic way of saying "wait the constant alone for the first byte".
    totalEnd_ = TotalEnd(0, timeouts.readTotalConstant, 0, start);
  } else {
    totalEnd_ =
        TotalEnd(timeouts.readTotalMultiplier, timeouts.readTotalConstant, requested, start);
  }
  if (!returnOnAny_ && timeouts.readInterval != 0)
    interval_ = std::chrono::milliseconds(timeouts.readInterval);
}

void ReadDeadline::Received(std::size_t count, SteadyTime now) {
  if (count == 0)
    return;
  received_ += count;
  lastByte_ = now;
}

bool ReadDeadline::Done(SteadyTime now) const {
  if (received_ >= requested_ || (returnOnAny_ && received_ > 0))
    return true;
  const std::optional<SteadyTime> until = WaitUntil();
  return until && now >= *until;
}

std::optional<SteadyTime> ReadDeadline::WaitUntil() const {
  std::optional<SteadyTime> until = totalEnd_;
  if (interval_ && received_ > 0) {
    const SteadyTime silenceEnd = lastByte_ + *interval_;
    until = until ? std::min(*until, silenceEnd) : silenceEnd;
  }
  return until;
}

std::optional<SteadyTime> WriteDeadline(const CommTimeouts& timeouts, std::size_t count,
                                        SteadyTime start) {
  return TotalEnd(timeouts.writeTotalMultiplier, timeouts.writeTotalConstant, count, start);
}

}  // namespace platform
