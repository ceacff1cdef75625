#include "app/KeepAlive.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/sys/SystemServices.h"

namespace gradlog {

namespace {

void KeepAliveThread(std::stop_token stop, AppState& app) {
  if (app.keepAliveRunning.load() < 1)
    return;
  std::mutex mutex;
  std::condition_variable_any rest;
  for (;;) {
    platform::Services().ResetIdleTimer();
    std::unique_lock lock(mutex);
    rest.wait_for(lock, stop, std::chrono::milliseconds(KEEP_ALIVE_PERIOD_MS),
                  [&] { return app.keepAliveRunning.load() <= 0; });
    if (app.keepAliveRunning.load() <= 0 || stop.stop_requested())
      return;
  }
}

}  // namespace

void StartKeepAlive(AppState& app) {
  app.keepAliveRunning = 1;
  app.keepAliveThread = std::jthread([&app](std::stop_token stop) { KeepAliveThread(stop, app); });
}

void StopKeepAlive(AppState& app) {
  app.keepAliveRunning = 0;
  app.keepAliveThread.request_stop();
}

}  // namespace gradlog
