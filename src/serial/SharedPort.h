#pragma once

#include <mutex>
#include <utility>

#include "platform/sys/SerialPort.h"

namespace gradlog {

// A port handle field that the UI thread opens and closes while a reader thread reads it.
// An empty handle is the closed state: a reader that finds it empty ends.
class SharedPort {
 public:
  platform::PortHandle Get() const {
    std::lock_guard lock(mutex_);
    return port_;
  }
  bool IsOpen() const { return Get() != nullptr; }
  void Set(platform::PortHandle port) {
    std::lock_guard lock(mutex_);
    port_ = std::move(port);
  }
  // Closes the port, which wakes a reader blocked in it, and leaves the field empty.
  void Close() {
    platform::PortHandle port;
    {
      std::lock_guard lock(mutex_);
      port = std::exchange(port_, nullptr);
    }
    if (port)
      port->Close();
  }

 private:
  mutable std::mutex mutex_;
  platform::PortHandle port_;
};

}  // namespace gradlog
