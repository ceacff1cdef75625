#pragma once

#include <optional>
#include <stop_token>

namespace platform {

// An eventfd that turns readable once a stop is requested, so that a poll() on a device can
// wait for the stop beside it.
class StopEventFd {
 public:
  explicit StopEventFd(std::stop_token stop);
  ~StopEventFd();
  StopEventFd(const StopEventFd&) = delete;
  StopEventFd& operator=(const StopEventFd&) = delete;

  // -1, which poll() passes over, when the token can never stop or no eventfd was to be had:
  // the wait then ends only as it would without a stop.
  int Fd() const { return fd_; }

 private:
  struct Signal {
    int fd;
    void operator()() const;
  };

  int fd_ = -1;
  std::optional<std::stop_callback<Signal>> callback_;
};

}  // namespace platform
