#include "app/EndRequest.h"

#include "common/UserMessages.h"
#include "platform/ui/Window.h"

namespace gradlog {

void EndRequest::Request() {
  platform::MutexLock lock(mutex_);
  if (target_)
    platform::PostMessage(target_, UM_END_PROGRAM);
  else
    pending_ = true;
}

void EndRequest::SetTarget(platform::Hwnd mainWindow) {
  platform::MutexLock lock(mutex_);
  target_ = mainWindow;
  if (pending_ && target_)
    platform::PostMessage(target_, UM_END_PROGRAM);
  pending_ = false;
}

}  // namespace gradlog
