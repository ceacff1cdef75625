#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

#include "platform/sys/SerialPort.h"

namespace platform {

using SteadyTime = std::chrono::steady_clock::time_point;

// Decides, for one read, when it has to return under the classic time-out rules. Both port
// implementations use it, so the in-memory port times out exactly as a device does.
class ReadDeadline {
 public:
  ReadDeadline(const CommTimeouts& timeouts, std::size_t requested, SteadyTime start);

  void Received(std::size_t count, SteadyTime now);
  // True once the read must return what it has.
  bool Done(SteadyTime now) const;
  // When to stop waiting for more; empty when only arriving bytes end the wait.
  std::optional<SteadyTime> WaitUntil() const;
  std::size_t Count() const { return received_; }

 private:
  std::size_t requested_;
  std::size_t received_ = 0;
  bool returnOnAny_;
  std::optional<SteadyTime> totalEnd_;
  std::optional<std::chrono::milliseconds> interval_;
  SteadyTime lastByte_;
};

// When a write of `count` bytes gives up; empty for no limit.
std::optional<SteadyTime> WriteDeadline(const CommTimeouts& timeouts, std::size_t count,
                                        SteadyTime start);

}  // namespace platform
