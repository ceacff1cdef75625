#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/backend/Backend.h"
#include "platform/backend/Script.h"
#include "platform/gfx/Surface.h"
#include "platform/sys/SystemServices.h"

namespace platform {

inline constexpr int SCREEN_WIDTH = 320;
inline constexpr int SCREEN_HEIGHT = 240;

struct PlatformOptions {
  SystemServices* services = nullptr;  // not owned; the real services when null
  std::unique_ptr<Backend> backend;    // headless when null
  std::vector<ScriptCommand> script;   // fed to the program while it is idle
  // Called by ExitProcess; the default flushes output and ends the process. A test may
  // throw from it instead.
  std::function<void(int)> exitHandler;
};

struct PlatformState;

// The windowing platform: screen, windows, message queue, timers, input and the backend.
// One exists at a time; the free functions of this layer act on it. Construct it on the
// thread that will run the message loop (the UI thread).
class Platform {
 public:
  explicit Platform(PlatformOptions options = {});
  ~Platform();
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  static Platform& Current();
  Surface& Screen();
  SystemServices& Services();
  // Input takes this path whether it comes from a person, a backend or a script. UI thread.
  void InjectInput(const InputEvent& event);

  PlatformState& State() { return *state_; }

 private:
  std::unique_ptr<SystemServices> ownedServices_;
  std::unique_ptr<PlatformState> state_;
};

}  // namespace platform
