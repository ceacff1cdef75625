#pragma once

#include <atomic>
#include <cstddef>
#include <utility>

#include "support/ForwardingPort.h"

namespace gradlog::testing {

// Passes every call on to `inner` and counts the bytes a reader has finished with: those of a
// read count once the reader waits for input again, which it does only after it has handled
// every byte of that read. A test waits for them before it moves the clock or looks at what
// was handed over.
class HandledBytesPort final : public testing_support::ForwardingPort {
 public:
  explicit HandledBytesPort(platform::PortHandle inner) : ForwardingPort(std::move(inner)) {}

  std::size_t HandledBytes() const { return handled_.load(); }

  std::size_t Read(std::span<char> buffer) override { return Count(ForwardingPort::Read(buffer)); }
  std::size_t ReadAvailable(std::span<char> buffer) override {
    return Count(ForwardingPort::ReadAvailable(buffer));
  }
  bool WaitForInput(std::stop_token stop) override {
    handled_ += beingHandled_.exchange(0);
    return ForwardingPort::WaitForInput(stop);
  }

 private:
  std::size_t Count(std::size_t read) {
    beingHandled_ += read;
    return read;
  }

  std::atomic<std::size_t> beingHandled_{0};
  std::atomic<std::size_t> handled_{0};
};

}  // namespace gradlog::testing
