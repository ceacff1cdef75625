#pragma once

#include <thread>

namespace gradlog {

inline constexpr int KEEP_ALIVE_PERIOD_MS = 59000;

// Keeps the handheld from sleeping during a survey: resets the system idle timer, then rests,
// until it is stopped.
class KeepAlive {
 public:
  void Start();
  // Wakes the thread so that it ends without its full rest; the caller does not wait for it.
  void Stop() { thread_.request_stop(); }
  bool Running() const { return thread_.joinable() && !thread_.get_stop_token().stop_requested(); }

 private:
  std::jthread thread_;
};

}  // namespace gradlog
