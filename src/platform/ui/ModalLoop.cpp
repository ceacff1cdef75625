#include "platform/ui/ModalLoop.h"

#include "platform/ui/PlatformState.h"

namespace platform {

ModalInputBlock::ModalInputBlock() {
  for (Hwnd top : State().topLevel) {
    if (IsWindowEnabled(top)) {
      EnableWindow(top, false);
      disabled_.push_back(top);
    }
  }
}

ModalInputBlock::~ModalInputBlock() {
  for (Hwnd top : disabled_)
    EnableWindow(top, true);
}

bool RunModalLoop(const std::function<bool()>& done,
                  const std::function<bool(const Message&)>& filter) {
  Message m;
  while (!done()) {
    if (!GetMessage(m))
      return false;
    if (filter && filter(m))
      continue;
    DispatchMessage(m);
  }
  return true;
}

}  // namespace platform
