#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/ui/PlatformState.h"

namespace platform {

bool IsUiThread() {
  return std::this_thread::get_id() == State().uiThread;
}

void RequireUiThread(const char* call) {
  if (IsUiThread())
    return;
  std::fprintf(stderr, "gradlog: %s called from a thread other than the UI thread\n", call);
  std::abort();
}

}  // namespace platform
