#pragma once

#include <atomic>
#include <functional>
#include <utility>

#include "support/ForwardingPort.h"

namespace gradlog::testing {

// Passes every call on to `inner`, counting the waits and reads, so that a test can bound how
// often a reader loop calls its port. `insideReadAvailable`, when given, runs inside each
// ReadAvailable, for a test that must hold a read under way.
class CountingPort final : public testing_support::ForwardingPort {
 public:
  explicit CountingPort(platform::PortHandle inner, std::function<void()> insideReadAvailable = {})
      : ForwardingPort(std::move(inner)), insideReadAvailable_(std::move(insideReadAvailable)) {}

  int Calls() const { return calls_.load(); }

  std::size_t Read(std::span<char> buffer) override {
    return ++calls_, ForwardingPort::Read(buffer);
  }
  std::size_t ReadAvailable(std::span<char> buffer) override {
    ++calls_;
    if (insideReadAvailable_)
      insideReadAvailable_();
    return ForwardingPort::ReadAvailable(buffer);
  }
  bool WaitForInput(std::stop_token stop) override {
    return ++calls_, ForwardingPort::WaitForInput(stop);
  }

 private:
  std::function<void()> insideReadAvailable_;
  std::atomic<int> calls_{0};
};

}  // namespace gradlog::testing
