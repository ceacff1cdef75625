#pragma once

#include <memory>
#include <utility>

#include "platform/sys/Mutex.h"

namespace gradlog {

// A handle that one thread sets and resets while another copies it: a copy keeps the object
// alive for as long as its holder uses it, and the object goes with the last copy.
template <typename T>
class SharedHandle {
 public:
  std::shared_ptr<T> Get() const {
    platform::MutexLock lock(mutex_);
    return handle_;
  }
  // The old object is released outside the lock: its destructor may take a while.
  void Set(std::shared_ptr<T> handle) { Exchange(std::move(handle)); }
  std::shared_ptr<T> Take() { return Exchange(nullptr); }

 private:
  std::shared_ptr<T> Exchange(std::shared_ptr<T> handle) {
    platform::MutexLock lock(mutex_);
    return std::exchange(handle_, std::move(handle));
  }

  mutable platform::Mutex mutex_;
  std::shared_ptr<T> handle_ GUARDED_BY(mutex_);
};

}  // namespace gradlog
