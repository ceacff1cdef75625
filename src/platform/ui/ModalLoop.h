#pragma once

#include <functional>
#include <vector>

#include "platform/ui/Messages.h"

namespace platform {

// While it lives, every top-level window that was enabled takes no input, so that only the
// modal window created afterwards does; the windows are enabled again at the end.
class ModalInputBlock {
 public:
  ModalInputBlock();
  ~ModalInputBlock();
  ModalInputBlock(const ModalInputBlock&) = delete;
  ModalInputBlock& operator=(const ModalInputBlock&) = delete;

 private:
  std::vector<Hwnd> disabled_;
};

// The nested loop of modal boxes, dialogs and menus: gets and dispatches messages (posted
// messages, sends from other threads and timers keep being served) until `done` says so.
// `filter` sees each message first and returns true when it took it. A WM_QUIT ends the
// loop and stays pending for the outer loop. Returns false when it ended on WM_QUIT.
bool RunModalLoop(const std::function<bool()>& done,
                  const std::function<bool(const Message&)>& filter = {});

}  // namespace platform
