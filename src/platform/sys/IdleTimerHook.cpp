#include "platform/sys/IdleTimerHook.h"

#include <functional>
#include <mutex>
#include <utility>

#include "platform/sys/SystemServices.h"

namespace platform {

namespace {

std::mutex hookMutex;
std::function<void()> idleTimerHook;

}  // namespace

void SetIdleTimerHook(std::function<void()> hook) {
  std::lock_guard lock(hookMutex);
  idleTimerHook = std::move(hook);
}

void CallIdleTimerHook() {
  // Called on a copy so that a hook may itself replace the hook without deadlocking.
  std::function<void()> hook;
  {
    std::lock_guard lock(hookMutex);
    hook = idleTimerHook;
  }
  if (hook)
    hook();
}

}  // namespace platform
