#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/backend/InputEvent.h"
#include "platform/backend/Script.h"
#include "platform/backend/SdlBackend.h"
#include "platform/backend/SdlEvents.h"
#include "platform/backend/SdlKeys.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using Events = std::vector<std::string>;

// Events as short text, so that a mismatch shows which event differs and how.
std::string Describe(const InputEvent& e) {
  const char* const kinds[] = {"down", "up", "char", "press", "release", "quit", "move"};
  const char* const kind = kinds[static_cast<int>(e.kind)];
  char buffer[64];
  if (e.kind == InputKind::ButtonDown || e.kind == InputKind::ButtonUp ||
      e.kind == InputKind::PointerMove) {
    std::snprintf(buffer, sizeof(buffer), "%s %d,%d", kind, e.position.x, e.position.y);
  } else {
    std::snprintf(buffer, sizeof(buffer), "%s %X%s%s", kind,
                  static_cast<unsigned>(e.kind == InputKind::Char ? e.character : e.virtualKey),
                  e.shift ? "+shift" : "", e.alt ? "+alt" : "");
  }
  return buffer;
}

Events Describe(const std::vector<InputEvent>& events) {
  Events out;
  for (const InputEvent& e : events)
    out.push_back(Describe(e));
  return out;
}

std::string Down(std::uint32_t vk, bool shift = false, bool alt = false) {
  return Describe({InputKind::KeyDown, vk, 0, {}, shift, alt});
}
std::string Up(std::uint32_t vk, bool shift = false, bool alt = false) {
  return Describe({InputKind::KeyUp, vk, 0, {}, shift, alt});
}
std::string Char(char32_t c, bool shift = false) {
  return Describe({InputKind::Char, 0, c, {}, shift, false});
}
std::string Press(int x, int y) {
  return Describe({InputKind::ButtonDown, 0, 0, {x, y}});
}
std::string Release(int x, int y) {
  return Describe({InputKind::ButtonUp, 0, 0, {x, y}});
}
std::string Move(int x, int y) {
  return Describe({InputKind::PointerMove, 0, 0, {x, y}});
}
const std::string QUIT = Describe({InputKind::Quit});

using Kind = ScriptCommandKind;

// A command's kind, line number, milliseconds, text and point.
using Command = std::tuple<Kind, int, std::uint32_t, std::string, Point>;

TEST(ScriptParser, ParsesEachCommand) {
  const std::pair<std::string_view, Command> cases[] = {
      {"  \twait 7 \t ", {Kind::Wait, 1, 7, "", {}}},
      {"key   eNtEr  ", {Kind::Key, 1, 0, "eNtEr", {}}},
      {"type  a # not a comment", {Kind::Type, 1, 0, " a # not a comment", {}}},
      {"type trailing   \r", {Kind::Type, 1, 0, "trailing", {}}},
      {"click  319\t239 ", {Kind::Click, 1, 0, "", {319, 239}}},
      {"screenshot out/first shot.png", {Kind::Screenshot, 1, 0, "out/first shot.png", {}}},
      {"expect 100% #2", {Kind::Expect, 1, 0, "100% #2", {}}},
      {"# comment\n\nquit   ", {Kind::Quit, 3, 0, "", {}}},
  };
  for (const auto& [input, expected] : cases) {
    const ScriptParseResult result = ParseScript(input);
    EXPECT_EQ(result.error, "") << input;
    ASSERT_EQ(result.commands.size(), 1u) << input;
    const ScriptCommand& c = result.commands[0];
    EXPECT_EQ(Command(c.kind, c.lineNumber, c.milliseconds, c.text, c.point), expected) << input;
  }
}

TEST(ScriptParser, ReportsTheFirstErrorWithItsLineAndKeepsTheCommandsBefore) {
  const std::string tooLarge = "number too large: \"2147483648\" (at most 2147483647)";
  const std::tuple<std::string_view, std::string, std::size_t> cases[] = {
      {"Wait 1", "line 1: unknown command \"Wait\"", 0},
      {"wait", "line 1: wait: missing number", 0},
      {"wait -5", "line 1: wait: negative number \"-5\"", 0},
      {"wait +5", "line 1: wait: not a number: \"+5\"", 0},
      {"wait 2147483648", "line 1: wait: " + tooLarge, 0},
      {"wait 99999999999999999999999",
       "line 1: wait: number too large: \"99999999999999999999999\" (at most 2147483647)", 0},
      {"wait 100 # pause", "line 1: wait: unexpected \"# pause\" after the number", 0},
      {"key", "line 1: key: missing key name", 0},
      {"key F13", "line 1: key: unknown key name \"F13\"", 0},
      {"type   ", "line 1: type: missing text", 0},
      {"click 1 2 3", "line 1: click: expected two numbers X Y", 0},
      {"screenshot", "line 1: screenshot: missing path", 0},
      {"quit now", "line 1: quit: unexpected argument \"now\"", 0},
      // Line numbers count every line, blank and comment lines too.
      {"# demo\r\n  # note\r\n\t\r\nwait 1\r\nkey A\r\nbogus", "line 6: unknown command \"bogus\"",
       2},
      {"  \r\n# only a comment", "", 0},
  };
  for (const auto& [input, error, commandsBefore] : cases) {
    const ScriptParseResult result = ParseScript(input);
    EXPECT_EQ(result.error, error) << input;
    EXPECT_EQ(result.commands.size(), commandsBefore) << input;
  }
}

TEST(KeyPressEvents, PressAndReleaseTheNamedKeyWhateverTheCase) {
  // Name, virtual key and the character typed (0: none).
  const std::tuple<std::string_view, std::uint32_t, char32_t> cases[] = {
      {"a", 'A', U'a'},      {"Z", 'Z', U'z'}, {"7", '7', U'7'}, {"Enter", VK_RETURN, 0x0D},
      {"tAB", VK_TAB, 0x09}, {"Up", VK_UP, 0}, {"F1", VK_F1, 0}, {"f12", VK_F12, 0},
  };
  for (const auto& [name, vk, typed] : cases) {
    Events expected{Down(vk), Up(vk)};
    if (typed != 0)
      expected.insert(expected.begin() + 1, Char(typed));
    const auto events = KeyPressEvents(name);
    EXPECT_EQ(events ? Describe(*events) : Events{"unknown"}, expected) << "name: " << name;
  }
  for (std::string_view name :
       {"", "F0", "F01", "F13", "Ctrl", "ab", "Enter ", "!", "\xc3\xa9", "Shift+", "Shift+Shift+A",
        "Alt+Alt+A", "Ctrl+A", "Shift+1", "Shift Tab", "Shift+Tab+A"}) {
    EXPECT_FALSE(KeyPressEvents(name).has_value()) << "name: \"" << name << "\"";
  }
}

TEST(KeyPressEvents, ShiftAndAltAreHeldAroundTheKey) {
  const std::pair<std::string_view, Events> cases[] = {
      {"Shift+Tab",
       {Down(VK_SHIFT, true), Down(VK_TAB, true), Char(0x09, true), Up(VK_TAB, true),
        Up(VK_SHIFT)}},
      {"shift+a",
       {Down(VK_SHIFT, true), Down('A', true), Char(U'A', true), Up('A', true), Up(VK_SHIFT)}},
      // Alt makes a command of the key: nothing is typed.
      {"Alt+s",
       {Down(VK_MENU, false, true), Down('S', false, true), Up('S', false, true), Up(VK_MENU)}},
      {"Alt+Shift+F1",
       {Down(VK_SHIFT, true, true), Down(VK_MENU, true, true), Down(VK_F1, true, true),
        Up(VK_F1, true, true), Up(VK_MENU, true), Up(VK_SHIFT)}},
  };
  for (const auto& [name, expected] : cases) {
    const auto events = KeyPressEvents(name);
    EXPECT_EQ(events ? Describe(*events) : Events{"unknown"}, expected) << "name: " << name;
  }
  EXPECT_EQ(ParseScript("key Shift+Tab\nkey Alt+X").commands.size(), 2u);
}

TEST(TypeEvents, PressesKeysWithShiftForCapitalsAndCharsForTheRest) {
  const std::pair<std::string_view, Events> cases[] = {
      {"Ab 1.",
       {Down(VK_SHIFT, true), Down('A', true), Char(U'A', true), Up('A', true), Up(VK_SHIFT),
        Down('B'), Char(U'b'), Up('B'), Down(VK_SPACE), Char(U' '), Up(VK_SPACE), Down('1'),
        Char(U'1'), Up('1'), Down(VK_OEM_PERIOD), Char(U'.'), Up(VK_OEM_PERIOD)}},
      {"!\xc3\xa9", {Char(U'!'), Char(0xE9)}},
      // Broken UTF-8: a lead byte cut off by the end, a stray continuation byte.
      {"x\xc3", {Down('X'), Char(U'x'), Up('X'), Char(0xFFFD)}},
      {"\x80\xe2\x82\xac", {Char(0xFFFD), Char(0x20AC)}},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Describe(TypeEvents(text)), expected) << "text: \"" << text << "\"";
}

// Logs, in order, everything the driver asks of the program.
class FakeHost : public ScriptHost {
 public:
  void Inject(const InputEvent& event) override { log.push_back(Describe(event)); }
  bool WriteScreenshot(const std::string& path) override {
    log.push_back("screenshot " + path);
    return screenshotsWork;
  }
  bool IsTextVisible(std::string_view text) override { return text == "Logging"; }
  void Quit() override { log.push_back(QUIT); }
  void Fail(int exitCode, const std::string& message) override {
    log.push_back("fail " + std::to_string(exitCode) + " " + message);
  }

  Events log;
  bool screenshotsWork = true;
};

TEST(ScriptDriver, RunsOneCommandPerCall) {
  FakeHost host;
  ScriptDriver driver(
      ParseScript("key A\ntype !\nclick 12 34\nexpect Logging\nscreenshot a b.png\nquit").commands,
      host);
  const Events steps[] = {{Down('A'), Char(U'a'), Up('A')},
                          {Char(U'!')},
                          {Press(12, 34), Release(12, 34)},
                          {},
                          {"screenshot a b.png"},
                          {QUIT},
                          {}};
  ::testing::internal::CaptureStdout();
  for (const Events& step : steps) {
    host.log.clear();
    driver.RunDue(0);
    EXPECT_EQ(host.log, step);
  }
  // The run script reads this line to show the user where the picture went.
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "screenshot: a b.png\n");
  EXPECT_TRUE(driver.Finished());
}

TEST(ScriptDriver, WaitDelaysTheNextCommandFromWhenTheWaitRanEvenAcrossTheTickWrap) {
  const std::pair<std::string_view, std::vector<std::pair<std::uint32_t, std::size_t>>> cases[] = {
      // The second wait runs late, at 1500, and counts from then.
      {"wait 100\nkey A\nwait 20\nquit",
       {{1000, 0}, {1099, 0}, {1100, 3}, {1500, 3}, {1519, 3}, {1520, 4}}},
      {"wait 500\nkey A", {{0xFFFFFF00, 0}, {0xFFFFFFFF, 0}, {0, 0}, {0xF3, 0}, {0xF4, 3}}},
  };
  for (const auto& [script, calls] : cases) {
    FakeHost host;
    ScriptDriver driver(ParseScript(script).commands, host);
    for (const auto& [now, logged] : calls) {
      driver.RunDue(now);
      EXPECT_EQ(host.log.size(), logged) << script << " at tick " << now;
    }
  }
}

TEST(ScriptDriver, FailureEndsTheScriptWithCode3) {
  const std::pair<std::string_view, Events> cases[] = {
      {"expect Logging\nexpect Stopped\nquit", {"fail 3 expect: \"Stopped\" is not on the screen"}},
      {"screenshot /no/a.png\nquit",
       {"screenshot /no/a.png", "fail 3 screenshot: cannot write /no/a.png"}},
  };
  for (const auto& [script, log] : cases) {
    FakeHost host;
    host.screenshotsWork = false;
    ScriptDriver driver(ParseScript(script).commands, host);
    for (int call = 0; call < 3; ++call)
      driver.RunDue(0);
    EXPECT_EQ(host.log, log) << script;
  }
}

TEST(VirtualKeyFromSdl, MapsTheEndsOfItsRangesAndNothingForUnknownKeys) {
  // The ends of the ranges the code computes, and keys it has no virtual key for.
  const std::pair<SDL_Keycode, std::uint32_t> keys[] = {
      {SDLK_a, 'A'},    {SDLK_z, 'Z'},      {SDLK_KP_0, '0'}, {SDLK_KP_9, '9'},
      {SDLK_F1, VK_F1}, {SDLK_F12, VK_F12}, {SDLK_F13, 0},    {SDLK_CAPSLOCK, 0},
  };
  for (const auto& [sdl, vk] : keys)
    EXPECT_EQ(VirtualKeyFromSdl(sdl), vk) << SDL_GetKeyName(sdl);
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
    ASSERT_EQ(SDL_RenderReadPixels(SDL_GetRenderer(backend.Window()), nullptr,
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
