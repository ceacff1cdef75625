#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <tuple>

#include "EventText.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/SdlBackend.h"
#include "platform/backend/SdlEvents.h"
#include "platform/backend/SdlKeys.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;

TEST(VirtualKeyFromSdl, MapsLettersKeypadArrowsAndFunctionKeys) {
  const std::pair<SDL_Keycode, std::uint32_t> keys[] = {
      {SDLK_a, 'A'},        {SDLK_z, 'Z'},           {SDLK_KP_0, '0'},
      {SDLK_KP_9, '9'},     {SDLK_UP, VK_UP},        {SDLK_DOWN, VK_DOWN},
      {SDLK_LEFT, VK_LEFT}, {SDLK_RIGHT, VK_RIGHT},  {SDLK_F1, VK_F1},
      {SDLK_F12, VK_F12},   {SDLK_RSHIFT, VK_SHIFT}, {SDLK_KP_ENTER, VK_RETURN},
      {SDLK_F13, 0},        {SDLK_CAPSLOCK, 0},      {SDLK_KP_PERIOD, VK_OEM_PERIOD},
  };
  for (const auto& [sdl, vk] : keys) {
    EXPECT_EQ(VirtualKeyFromSdl(sdl), vk) << SDL_GetKeyName(sdl);
  }
}

// The fields an event kind uses, in order: key and modifiers, button and position, or what
// happened to the window.
SDL_Event Event(Uint32 type, Sint32 first = 0, Sint32 x = 0, Sint32 y = 0) {
  SDL_Event event{};
  event.type = type;
  if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
    event.key.keysym.sym = first;
    event.key.keysym.mod = static_cast<Uint16>(x);
  } else if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
    event.button.button = static_cast<Uint8>(first);
    event.button.x = x;
    event.button.y = y;
  } else if (type == SDL_MOUSEMOTION) {
    event.motion.state = static_cast<Uint32>(first);
    event.motion.x = x;
    event.motion.y = y;
  } else if (type == SDL_WINDOWEVENT) {
    event.window.event = static_cast<Uint8>(first);
  }
  return event;
}

SDL_Event TextEvent(const char* text) {
  SDL_Event event = Event(SDL_TEXTINPUT);
  std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
  return event;
}

TEST(TranslateSdlEvent, KeysTextClicksDragsAndQuit) {
  // 1920 x 1080 shows the screen at scale 4: 1280 x 960 at (320, 60).
  const Letterbox display = Letterbox::Fit({1920, 1080}, {320, 240});
  const std::pair<SDL_Event, Events> cases[] = {
      {Event(SDL_KEYDOWN, SDLK_a, KMOD_RSHIFT), {Down('A', true)}},
      {Event(SDL_KEYUP, SDLK_z, KMOD_LALT), {Up('Z', false, true)}},
      {Event(SDL_KEYDOWN, SDLK_b, KMOD_CAPS | KMOD_NUM), {Down('B')}},
      // Control keys type their character after the key-down; printable keys leave it to text.
      {Event(SDL_KEYDOWN, SDLK_RETURN), {Down(VK_RETURN), Char(0x0D)}},
      {Event(SDL_KEYUP, SDLK_RETURN), {Up(VK_RETURN)}},
      {Event(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT), {Down(VK_TAB, true), Char(U'\t', true)}},
      {Event(SDL_KEYDOWN, SDLK_SPACE), {Down(VK_SPACE)}},
      {Event(SDL_KEYDOWN, SDLK_CAPSLOCK), {}},
      {TextEvent("a\xc3\xa9\xe2\x82\xac"), {Char(U'a'), Char(0xE9), Char(0x20AC)}},
      {TextEvent("\xff"), {Char(0xFFFD)}},
      {Event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 320 + 43, 60 + 83), {Press(10, 20)}},
      {Event(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1599, 1019), {Release(319, 239)}},
      {Event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 400, 400), {}},
      // A press on the black border hits nothing; a release there lands on the nearest edge.
      {Event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 319, 500), {}},
      {Event(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1900, 500), {Release(319, 110)}},
      // Motion matters only as a drag, which may leave the picture.
      {Event(SDL_MOUSEMOTION, SDL_BUTTON_LMASK, 320 + 43, 60 + 83), {Move(10, 20)}},
      {Event(SDL_MOUSEMOTION, SDL_BUTTON_LMASK, 10, 2000), {Move(0, 239)}},
      {Event(SDL_MOUSEMOTION, 0, 400, 400), {}},
      {Event(SDL_MOUSEMOTION, SDL_BUTTON_RMASK, 400, 400), {}},
      {Event(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE), {QUIT}},
      {Event(SDL_QUIT), {QUIT}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    std::vector<InputEvent> out;
    TranslateSdlEvent(cases[i].first, display, out);
    EXPECT_EQ(Describe(out), cases[i].second) << "case " << i;
  }
}

TEST(Letterbox, PicksTheLargestWholeScaleThatFitsAndCentres) {
  const std::tuple<Size, int, Rect> cases[] = {
      {{959, 719}, 2, {159, 119, 799, 599}},
      // Smaller than the screen: shown at scale 1, centred, cut at the edges.
      {{200, 100}, 1, {-60, -70, 260, 170}},
  };
  for (const auto& [output, scale, picture] : cases) {
    const Letterbox fit = Letterbox::Fit(output, {320, 240});
    EXPECT_EQ(fit.scale, scale) << output.width << "x" << output.height;
    EXPECT_EQ(fit.picture, picture) << output.width << "x" << output.height;
  }
  const Letterbox empty = Letterbox::Fit({640, 480}, {0, 0});
  EXPECT_EQ(empty.ToScreen({10, 10}), std::nullopt);
  EXPECT_EQ(empty.ToScreenClamped({10, 10}), (Point{0, 0}));
}

TEST(HeadlessBackend, CountsPresentsAndNeverHasInput) {
  HeadlessBackend backend;
  backend.Present(Surface(320, 240));
  backend.Present(Surface(320, 240));
  EXPECT_EQ(backend.PresentCount(), 2);
  std::vector<InputEvent> input(1);
  backend.PollInput(input);
  EXPECT_EQ(input.size(), 1u);
}

// SDL's dummy video driver makes real windows and renderers without a display.
TEST(SdlBackend, ShowsTheScaledScreenAndTranslatesItsInputUnderTheDummyDriver) {
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
  EXPECT_FALSE(DisplayReachable());
  EXPECT_THROW(SdlBackend(0, false), std::runtime_error);
  EXPECT_THROW(SdlBackend(SdlBackend::MAX_SCALE + 1, false), std::runtime_error);
  {
    SdlBackend backend(2, false);
    Surface screen(320, 240, 0x102030);
    screen.Pixels()[5 * 320 + 7] = 0xFF8001;
    backend.Present(screen);
    std::vector<Uint32> shown(640 * 480);
    const SDL_Rect window{0, 0, 640, 480};
    ASSERT_EQ(SDL_RenderReadPixels(SDL_GetRenderer(backend.Window()), &window,
                                   SDL_PIXELFORMAT_RGB888, shown.data(), 640 * 4),
              0)
        << SDL_GetError();
    for (int y = 9; y <= 12; ++y) {
      for (int x = 13; x <= 16; ++x) {
        const Uint32 colour = x / 2 == 7 && y / 2 == 5 ? 0xFF8001 : 0x102030;
        EXPECT_EQ(shown[y * 640 + x] & 0xFFFFFF, colour) << "at " << x << "," << y;
      }
    }

    std::vector<InputEvent> input;
    backend.PollInput(input);
    input.clear();  // what the window's creation queued
    SDL_Event click = Event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 639, 101);
    SDL_Event quit = Event(SDL_QUIT);
    ASSERT_EQ(SDL_PushEvent(&click) + SDL_PushEvent(&quit), 2) << SDL_GetError();
    backend.PollInput(input);
    EXPECT_EQ(Describe(input), (Events{Press(319, 50), QUIT}));
  }
  EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u) << "video left running";
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);
}

}  // namespace
}  // namespace platform
