#pragma once

#include "platform/sys/Mutex.h"
#include "platform/ui/Handles.h"

namespace gradlog {

// A request to end the program from outside (SIGTERM, SIGINT), made on another thread: it
// reaches the main window as UM_END_PROGRAM, at once or as soon as the window exists.
class EndRequest {
 public:
  void Request() EXCLUDES(mutex_);
  void SetTarget(platform::Hwnd mainWindow) EXCLUDES(mutex_);

 private:
  platform::Mutex mutex_;
  platform::Hwnd target_ GUARDED_BY(mutex_);
  bool pending_ GUARDED_BY(mutex_) = false;
};

}  // namespace gradlog
