#include "platform/sys/StopEventFd.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

StopEventFd::StopEventFd(std::stop_token stop) {
  if (!stop.stop_possible())
    return;
  fd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  // Runs at once when the stop came before the wait.
  if (fd_ >= 0)
    callback_.emplace(stop, Signal{fd_});
}

StopEventFd::~StopEventFd() {
  // Waits for a signal under way on another thread before its descriptor goes.
  callback_.reset();
  if (fd_ >= 0)
    ::close(fd_);
}

void StopEventFd::Signal::operator()() const {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(fd, &one, sizeof one);
}

}  // namespace platform
