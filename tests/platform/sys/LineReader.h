#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ThreadTestSupport.h"
#include "platform/sys/ReaderThread.h"
#include "platform/sys/SerialPort.h"

namespace gradlog::testing {

using platform::PortHandle;
using platform::ReaderThread;

constexpr int FAILED_PORT_PAUSE_MS = 10;

// A reader written as the instrument reader is: it waits for input, reads through the gate,
// drops its half line after a suspension, hands each line from '$' to LF over and backs off
// after a failed wait. `beforeHandover` runs on the reader just before each hand-over.
class LineReader {
 public:
  using Lines = std::vector<std::string>;

  explicit LineReader(PortHandle port, std::function<void(const std::string&)> beforeHandover = {})
      : port_(std::move(port)), beforeHandover_(std::move(beforeHandover)) {}

  ReaderThread& Thread() { return thread_; }
  Lines HandedOver() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  // Waits (bounded) until `line` has been handed over.
  bool HasHandedOver(const std::string& line) const {
    return Eventually([&] { return std::ranges::count(HandedOver(), line) > 0; });
  }
  std::size_t BytesRead() const { return bytesRead_.load(); }

 private:
  void Run(ReaderThread& self) {
    std::string line;
    std::array<char, 64> bytes{};
    while (!self.StopRequested()) {
      if (!port_->WaitForInput(self.StopToken())) {
        self.SleepFor(FAILED_PORT_PAUSE_MS);
        continue;
      }
      const ReaderThread::PortRead read = self.ReadPort(*port_, bytes);
      bytesRead_ += read.count;
      if (read.suspendedSinceLastRead)
        line.clear();
      for (char byte : std::span(bytes).first(read.count))
        Take(self, byte, line);
    }
  }

  void Take(ReaderThread& self, char byte, std::string& line) {
    if (byte == '$') {
      line = "$";
    } else if (byte == '\n' && !line.empty()) {
      if (beforeHandover_)
        beforeHandover_(line);
      self.Handover([&] {
        std::lock_guard lock(mutex_);
        lines_.push_back(line);
      });
      line.clear();
    } else if (!line.empty()) {
      line += byte;
    }
  }

  PortHandle port_;
  std::function<void(const std::string&)> beforeHandover_;
  mutable std::mutex mutex_;
  Lines lines_;
  std::atomic<std::size_t> bytesRead_{0};
  ReaderThread thread_{[this](ReaderThread& self) { Run(self); }};  // last: it uses the rest
};

}  // namespace gradlog::testing
