#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "EventText.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/SdlBackend.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;

TEST(HeadlessBackend, CountsPresentsAndNeverHasInput) {
  HeadlessBackend backend;
  const Surface screen(320, 240);
  backend.Present(screen);
  backend.Present(screen);
  EXPECT_EQ(backend.PresentCount(), 2);
  std::vector<InputEvent> input(1);
  backend.PollInput(input);
  EXPECT_EQ(input.size(), 1u);
  EXPECT_EQ(backend.PollIntervalMs(), 0);
}

// SDL's dummy video driver makes real windows and renderers without a display.
class DummyDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
  }
  void TearDown() override {
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "video left running";
  }

  static std::vector<std::string> Poll(Backend& backend) {
    std::vector<InputEvent> out;
    backend.PollInput(out);
    return Describe(out);
  }
};

TEST_F(DummyDisplay, IsNotAReachableDisplay) {
  EXPECT_FALSE(DisplayReachable());
}

TEST_F(DummyDisplay, WindowIsTheScaledScreenTitledGradlog) {
  SdlBackend backend(2, false);
  EXPECT_STREQ(SDL_GetWindowTitle(backend.Window()), "gradlog");
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(backend.Window(), &width, &height);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_EQ(backend.PollIntervalMs(), 10);
}

TEST_F(DummyDisplay, PresentShowsEachPixelAsASharpSquare) {
  SdlBackend backend(2, false);
  Surface screen(320, 240, 0x102030);
  screen.Pixels()[5 * 320 + 7] = 0xFF8001;
  screen.Pixels()[239 * 320 + 319] = 0x00FF00;
  backend.Present(screen);

  SDL_Renderer* renderer = SDL_GetRenderer(backend.Window());
  ASSERT_NE(renderer, nullptr);
  std::vector<Uint32> shown(640 * 480);
  ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(), 640 * 4),
            0)
      << SDL_GetError();
  auto at = [&](int x, int y) { return shown[y * 640 + x] & 0xFFFFFF; };
  for (int dy = 0; dy < 2; ++dy) {
    for (int dx = 0; dx < 2; ++dx) {
      EXPECT_EQ(at(14 + dx, 10 + dy), 0xFF8001u);
      EXPECT_EQ(at(638 + dx, 478 + dy), 0x00FF00u);
    }
  }
  EXPECT_EQ(at(13, 10), 0x102030u);
  EXPECT_EQ(at(16, 11), 0x102030u);
  EXPECT_EQ(at(14, 12), 0x102030u);
}

TEST_F(DummyDisplay, PollTranslatesQueuedEvents) {
  SdlBackend backend(2, false);
  Poll(backend);  // what the window's creation queued

  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_RETURN;
  key.key.keysym.mod = KMOD_LSHIFT;
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = 639;
  click.button.y = 101;
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  for (SDL_Event* event : {&key, &click, &close}) {
    ASSERT_EQ(SDL_PushEvent(event), 1) << SDL_GetError();
  }
  EXPECT_EQ(Poll(backend), (std::vector<std::string>{Down(VK_RETURN, true), Char(0x0D, true),
                                                     Press(319, 50), QUIT}));
  EXPECT_TRUE(Poll(backend).empty());
}

TEST_F(DummyDisplay, ScaleOutOfRangeIsAClearError) {
  for (int scale : {0, -3, SdlBackend::MAX_SCALE + 1}) {
    EXPECT_THROW(SdlBackend(scale, false), std::runtime_error) << "scale " << scale;
  }
}

}  // namespace
}  // namespace platform
