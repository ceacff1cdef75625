#pragma once

#include <functional>
#include <stop_token>
#include <thread>

#include "platform/sys/StopEventFd.h"

namespace platform {

// Blocks SIGTERM and SIGINT in the calling thread, and so in every thread it starts later, and
// runs `onSignal` (with the signal number) on a watcher thread of its own for each one sent
// to the process, by kill or by Ctrl+C on the terminal. Construct it first in main, before
// any other thread exists: a thread started earlier keeps the default action, which ends the
// program at once.
//
// A signal sent to one thread (raise(), pthread_kill()) waits on that thread and is not seen
// here. Two of a kind that come before the watcher takes the first count once, as with any
// standard signal.
//
// The signals stay blocked after destruction, in every thread: one that comes while the
// program ends is dropped with it, rather than ending the program with another exit status.
class TerminationSignals {
 public:
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  // Ends the watcher at once, after a call of `onSignal` under way; so never call it from
  // `onSignal`.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The watcher thread's name, as `ps -L` and debuggers show it.
  static constexpr const char* WATCHER_NAME = "term-signals";

  // False when no watcher could be set up (no descriptor or thread was to be had): the
  // signals then keep their default action and end the program as before.
  bool Watching() const { return watcher_.joinable(); }

 private:
  void Watch();

  std::function<void(int)> onSignal_;
  std::stop_source stop_;
  StopEventFd stopFd_;
  int signalFd_ = -1;
  std::thread watcher_;
};

}  // namespace platform
