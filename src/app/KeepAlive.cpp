#include "app/KeepAlive.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

void KeepAliveThread(std::stop_token stop) {
  std::mutex mutex;
  std::condition_variable_any rest;
  while (!stop.stop_requested()) {
    platform::Services().ResetIdleTimer();
    std::unique_lock lock(mutex);
    rest.wait_for(lock, stop, std::chrono::milliseconds(KEEP_ALIVE_PERIOD_MS),
                  [] { return false; });
  }
}

}  // namespace

void KeepAlive::Start() {
  thread_ = std::jthread(KeepAliveThread);
}

}  // namespace gradlog
