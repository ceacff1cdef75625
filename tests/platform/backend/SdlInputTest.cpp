#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "EventText.h"
#include "platform/backend/Letterbox.h"
#include "platform/backend/SdlEvents.h"
#include "platform/backend/SdlKeys.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;

TEST(VirtualKeyFromSdl, LettersAndDigitsFromBothRows) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_a + i), static_cast<std::uint32_t>('A' + i)) << i;
  }
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(SDLK_0 + i), static_cast<std::uint32_t>('0' + i)) << i;
  }
  const SDL_Keycode keypad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(keypad[i]), static_cast<std::uint32_t>('0' + i)) << "keypad " << i;
  }
}

TEST(VirtualKeyFromSdl, FunctionKeys) {
  const SDL_Keycode keys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                              SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(VirtualKeyFromSdl(keys[i]), VK_F1 + static_cast<std::uint32_t>(i)) << "F" << i + 1;
  }
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F13), 0u);
}

TEST(VirtualKeyFromSdl, EditingNavigationModifierAndPunctuationKeys) {
  const std::pair<SDL_Keycode, std::uint32_t> keys[] = {
      {SDLK_RETURN, VK_RETURN},
      {SDLK_KP_ENTER, VK_RETURN},
      {SDLK_TAB, VK_TAB},
      {SDLK_ESCAPE, VK_ESCAPE},
      {SDLK_BACKSPACE, VK_BACK},
      {SDLK_SPACE, VK_SPACE},
      {SDLK_UP, VK_UP},
      {SDLK_DOWN, VK_DOWN},
      {SDLK_LEFT, VK_LEFT},
      {SDLK_RIGHT, VK_RIGHT},
      {SDLK_HOME, VK_HOME},
      {SDLK_END, VK_END},
      {SDLK_PAGEUP, VK_PRIOR},
      {SDLK_PAGEDOWN, VK_NEXT},
      {SDLK_DELETE, VK_DELETE},
      {SDLK_LSHIFT, VK_SHIFT},
      {SDLK_RSHIFT, VK_SHIFT},
      {SDLK_LCTRL, VK_CONTROL},
      {SDLK_RCTRL, VK_CONTROL},
      {SDLK_LALT, VK_MENU},
      {SDLK_RALT, VK_MENU},
      {SDLK_SEMICOLON, VK_OEM_1},
      {SDLK_EQUALS, VK_OEM_PLUS},
      {SDLK_COMMA, VK_OEM_COMMA},
      {SDLK_MINUS, VK_OEM_MINUS},
      {SDLK_PERIOD, VK_OEM_PERIOD},
      {SDLK_SLASH, VK_OEM_2},
      {SDLK_KP_PERIOD, VK_OEM_PERIOD},
      {SDLK_KP_MINUS, VK_OEM_MINUS},
  };
  for (const auto& [sdl, vk] : keys) {
    EXPECT_EQ(VirtualKeyFromSdl(sdl), vk) << SDL_GetKeyName(sdl);
  }
}

TEST(VirtualKeyFromSdl, KeysWithoutACodeGiveZero) {
  for (SDL_Keycode key : {SDLK_UNKNOWN, SDLK_CAPSLOCK, SDLK_PRINTSCREEN, SDLK_LGUI, SDLK_INSERT,
                          SDLK_EXCLAIM, SDLK_VOLUMEUP}) {
    EXPECT_EQ(VirtualKeyFromSdl(key), 0u) << SDL_GetKeyName(key);
  }
}

SDL_Event KeyboardEvent(Uint32 type, SDL_Keycode key, Uint16 mod = KMOD_NONE) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = mod;
  return event;
}

SDL_Event ButtonEvent(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = button;
  event.button.x = x;
  event.button.y = y;
  return event;
}

SDL_Event TextEvent(const char* text) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, text, sizeof(event.text.text) - 1);
  return event;
}

std::vector<std::string> Translate(const SDL_Event& event,
                                   const Letterbox& letterbox = Letterbox::Fit({320, 240},
                                                                               {320, 240})) {
  std::vector<InputEvent> out;
  TranslateSdlEvent(event, letterbox, out);
  return Describe(out);
}

TEST(TranslateSdlEvent, KeysCarryShiftAndAltFromTheModifiers) {
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_a)), (std::vector<std::string>{Down('A')}));
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_a, KMOD_RSHIFT)),
            (std::vector<std::string>{Down('A', true)}));
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYUP, SDLK_z, KMOD_LALT)),
            (std::vector<std::string>{Up('Z', false, true)}));
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_KP_7, KMOD_LSHIFT | KMOD_RALT)),
            (std::vector<std::string>{Down('7', true, true)}));
  // Caps lock and num lock are not shift.
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_b, KMOD_CAPS | KMOD_NUM)),
            (std::vector<std::string>{Down('B')}));
}

TEST(TranslateSdlEvent, ControlKeysTypeTheirCharacterAfterTheKeyDownOnly) {
  const std::pair<SDL_Keycode, std::uint32_t> keys[] = {{SDLK_RETURN, VK_RETURN},
                                                        {SDLK_KP_ENTER, VK_RETURN},
                                                        {SDLK_TAB, VK_TAB},
                                                        {SDLK_BACKSPACE, VK_BACK},
                                                        {SDLK_ESCAPE, VK_ESCAPE}};
  for (const auto& [sdl, vk] : keys) {
    SCOPED_TRACE(SDL_GetKeyName(sdl));
    EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, sdl)),
              (std::vector<std::string>{Down(vk), Char(vk)}));
    EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYUP, sdl)), (std::vector<std::string>{Up(vk)}));
  }
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_TAB, KMOD_LSHIFT)),
            (std::vector<std::string>{Down(VK_TAB, true), Char(U'\t', true)}));
  // Keys that type printable text leave it to the text event.
  EXPECT_EQ(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_SPACE)),
            (std::vector<std::string>{Down(VK_SPACE)}));
}

TEST(TranslateSdlEvent, UnknownKeysAndUnusedEventsGiveNothing) {
  EXPECT_TRUE(Translate(KeyboardEvent(SDL_KEYDOWN, SDLK_CAPSLOCK)).empty());
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  EXPECT_TRUE(Translate(motion).empty());
  SDL_Event exposed{};
  exposed.type = SDL_WINDOWEVENT;
  exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
  EXPECT_TRUE(Translate(exposed).empty());
}

TEST(TranslateSdlEvent, TextBecomesOneCharPerCodePoint) {
  EXPECT_EQ(Translate(TextEvent("a\xc3\xa9\xe2\x82\xac")),
            (std::vector<std::string>{Char(U'a'), Char(0xE9), Char(0x20AC)}));
  EXPECT_EQ(Translate(TextEvent("\xff")), (std::vector<std::string>{Char(0xFFFD)}));
  EXPECT_TRUE(Translate(TextEvent("")).empty());
}

TEST(TranslateSdlEvent, TextFillingTheWholeBufferStopsAtItsEnd) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::memset(event.text.text, 'x', sizeof(event.text.text));
  EXPECT_EQ(Translate(event), std::vector<std::string>(sizeof(event.text.text), Char(U'x')));
}

TEST(TranslateSdlEvent, LeftButtonMapsWindowPixelsToScreenPixels) {
  const Letterbox window = Letterbox::Fit({960, 720}, {320, 240});
  EXPECT_EQ(Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 301, 152), window),
            (std::vector<std::string>{Press(100, 50)}));
  EXPECT_EQ(Translate(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 959, 719), window),
            (std::vector<std::string>{Release(319, 239)}));
  EXPECT_TRUE(
      Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 10), window).empty());
  EXPECT_TRUE(Translate(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 10, 10), window).empty());
}

TEST(TranslateSdlEvent, FullscreenClicksAllowForTheBlackBorder) {
  // 1920 x 1080 fits the screen four times: 1280 x 960 at (320, 60).
  const Letterbox display = Letterbox::Fit({1920, 1080}, {320, 240});
  EXPECT_EQ(
      Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 320 + 43, 60 + 83), display),
      (std::vector<std::string>{Press(10, 20)}));
  // A press on the border hits nothing; a release there still arrives, at the nearest edge.
  EXPECT_TRUE(
      Translate(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 319, 500), display).empty());
  EXPECT_EQ(Translate(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 100, 30), display),
            (std::vector<std::string>{Release(0, 0)}));
  EXPECT_EQ(Translate(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1900, 500), display),
            (std::vector<std::string>{Release(319, 110)}));
}

TEST(TranslateSdlEvent, WindowCloseAndQuitRequestsBecomeQuit) {
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  EXPECT_EQ(Translate(close), (std::vector<std::string>{QUIT}));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  EXPECT_EQ(Translate(quit), (std::vector<std::string>{QUIT}));
}

TEST(Letterbox, PicksTheLargestWholeScaleThatFitsAndCentres) {
  struct Case {
    Size output;
    int scale;
    Rect picture;
  };
  const Case cases[] = {
      {{320, 240}, 1, {0, 0, 320, 240}},
      {{960, 720}, 3, {0, 0, 960, 720}},
      {{1920, 1080}, 4, {320, 60, 1600, 1020}},
      {{800, 480}, 2, {80, 0, 720, 480}},
      {{959, 719}, 2, {159, 119, 799, 599}},
      // Smaller than the screen: shown at scale 1, centred, cut at the edges.
      {{200, 100}, 1, {-60, -70, 260, 170}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "output " << c.output.width << "x" << c.output.height);
    const Letterbox fit = Letterbox::Fit(c.output, {320, 240});
    EXPECT_EQ(fit.scale, c.scale);
    EXPECT_EQ(fit.picture, c.picture);
  }
}

TEST(Letterbox, EmptyScreenNeverMapsAndNeverCrashes) {
  const Letterbox fit = Letterbox::Fit({640, 480}, {0, 0});
  EXPECT_EQ(fit.ToScreen({10, 10}), std::nullopt);
  EXPECT_EQ(fit.ToScreenClamped({10, 10}), (Point{0, 0}));
}

}  // namespace
}  // namespace platform
