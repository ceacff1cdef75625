#include "platform/sys/TerminationSignals.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace platform {

namespace {

sigset_t Terminations() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  return signals;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)), stopFd_(stop_.get_token()) {
  const sigset_t signals = Terminations();
  if (stopFd_.Fd() < 0)
    return;
  signalFd_ = ::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
  if (signalFd_ < 0)
    return;
  // Blocked before the watcher starts, so that it inherits the mask like every later thread.
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &signals, &previous);
  try {
    watcher_ = std::thread([this] { Watch(); });
    pthread_setname_np(watcher_.native_handle(), WATCHER_NAME);
  } catch (const std::system_error&) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  }
}

TerminationSignals::~TerminationSignals() {
  if (watcher_.joinable()) {
    stop_.request_stop();
    watcher_.join();
  }
  if (signalFd_ >= 0)
    ::close(signalFd_);
}

void TerminationSignals::Watch() {
  pollfd waits[] = {{stopFd_.Fd(), POLLIN, 0}, {signalFd_, POLLIN, 0}};
  for (;;) {
    if (::poll(waits, 2, -1) < 0) {
      if (errno == EINTR)
        continue;
      return;
    }
    if (waits[0].revents != 0)
      return;
    signalfd_siginfo arrived[4];
    const ssize_t got = ::read(signalFd_, arrived, sizeof arrived);
    if (got < 0 && errno != EAGAIN && errno != EINTR)
      return;
    for (ssize_t i = 0; i < got / static_cast<ssize_t>(sizeof arrived[0]); ++i)
      onSignal_(static_cast<int>(arrived[i].ssi_signo));
  }
}

}  // namespace platform
