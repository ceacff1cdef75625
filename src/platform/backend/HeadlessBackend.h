#pragma once

#include "platform/backend/Backend.h"

namespace platform {

// Keeps the framebuffer only: nothing is shown and no input ever arrives. It counts presents
// so that tests can see when the program showed a frame.
class HeadlessBackend final : public Backend {
 public:
  void Present(const Surface&) override { ++presentCount_; }
  void PollInput(std::vector<InputEvent>&) override {}
  int PollIntervalMs() const override { return 0; }
  int PresentCount() const { return presentCount_; }

 private:
  int presentCount_ = 0;
};

}  // namespace platform
