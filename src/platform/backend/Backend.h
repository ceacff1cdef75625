#pragma once

#include <memory>
#include <vector>

#include "platform/backend/InputEvent.h"
#include "platform/gfx/Surface.h"

namespace platform {

// The two narrow hooks between the windowing layer and a display: present the framebuffer,
// and poll input into plain events.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual void Present(const Surface& screen) = 0;
  // Appends whatever input arrived since the last poll. Never blocks.
  virtual void PollInput(std::vector<InputEvent>& out) = 0;
  // How often the loop must poll while otherwise idle, in ms; 0 when input never arrives.
  virtual int PollIntervalMs() const = 0;
  // Keeps the display from blanking while the program runs.
  virtual void KeepDisplayAwake() {}
};

std::unique_ptr<Backend> MakeHeadlessBackend();
// Throws std::runtime_error with SDL's message when no window can be made.
std::unique_ptr<Backend> MakeSdlBackend(int scale, bool fullscreen);
// True when an SDL video driver other than the dummy one can start here.
bool DisplayReachable();

}  // namespace platform
