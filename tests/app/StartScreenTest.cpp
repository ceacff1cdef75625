#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "app/MainWindow.h"
#include "dialogs/DialogScript.h"
#include "platform/backend/Script.h"
#include "resources/ControlIds.h"
#include "resources/DialogTemplates.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using gradlog::AppState;
using gradlog::testing::DialogScript;

InputEvent KeyDown(std::uint32_t key) {
  return {.kind = InputKind::KeyDown, .virtualKey = key};
}
std::vector<InputEvent> Click(Point at) {
  return {{.kind = InputKind::ButtonDown, .position = at},
          {.kind = InputKind::ButtonUp, .position = at}};
}

// A fresh device root, platform and program state; Start shows the start screen.
struct StartScreen {
  gradlog::testing::TempDeviceRoot root;
  testing_support::TestPlatform test;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();

  ~StartScreen() { app->keepAlive.Stop(); }
  void Start() {
    ASSERT_EQ(gradlog::RegisterWindowClasses(*app), 0);
    ASSERT_TRUE(gradlog::CreateMainWindow(*app));
    PumpMessages();
  }
  void Input(const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events)
      test.platform->InjectInput(event);
    PumpMessages();
  }
  void Press(std::uint32_t key) {
    Input({KeyDown(key), {.kind = InputKind::KeyUp, .virtualKey = key}});
  }
};

class StartScreenTest : public ::testing::Test, public StartScreen {};

// A clicked command leaves the highlight where the keys put it: here "&Map Options", closed
// again with its Cancel button; then Up twice from Survey Setup reaches Exit and Enter runs it.
TEST_F(StartScreenTest, AClickLeavesTheKeysOnTheHighlight) {
  Start();
  Input(Click({245, 170}));
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
  EXPECT_EQ(GetFocus(), app->windows.mapOptionsWindow);
  Input(Click({205, 218}));
  EXPECT_EQ(GetFocus(), app->windows.mainWindow);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(app->windows.mainButtonSelection, 8);
  Press(VK_RETURN);
  EXPECT_FALSE(IsWindow(app->windows.mainWindow));
}

// Its key, or Enter on its highlight (whose character must not act in the window), opens the
// map options over the start screen; Escape gives the start screen its keys back.
TEST_F(StartScreenTest, MapOptionsOpenFromTheStartScreenAndCancelReturnsToIt) {
  const auto typed = [](std::uint32_t key, char32_t character) {
    return std::vector<InputEvent>{KeyDown(key),
                                   {.kind = InputKind::Char, .character = character},
                                   {.kind = InputKind::KeyUp, .virtualKey = key}};
  };
  std::vector<InputEvent> enterOnHighlight;
  for (int i = 0; i < 5; ++i)
    enterOnHighlight.push_back(KeyDown(VK_DOWN));
  for (const InputEvent& event : typed(VK_RETURN, U'\r'))
    enterOnHighlight.push_back(event);
  const std::pair<const char*, std::vector<InputEvent>> ways[] = {
      {"M", typed('M', U'm')}, {"Enter on the highlight", enterOnHighlight}};
  Start();
  const Hwnd options = app->windows.mapOptionsWindow;
  for (const auto& [name, input] : ways) {
    SCOPED_TRACE(name);
    Input(input);
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(GetFocus(), options);
    EXPECT_TRUE(test.Screen().Trace().IsVisible("Map Display Options"));
    Input(typed(VK_ESCAPE, U'\x1b'));
    EXPECT_FALSE(IsWindowVisible(options));
    EXPECT_EQ(GetFocus(), app->windows.mainWindow);
    EXPECT_FALSE(test.Screen().Trace().IsVisible("Map Display Options"));
  }
}

// A repaint of the start screen takes the keys only while the start screen is what shows: a
// full-screen window over it, or a dialog that disabled it, keeps them, so that the keys still
// reach the map options after the screen under them was redrawn.
TEST_F(StartScreenTest, ARepaintTakesTheKeysOnlyWhileTheStartScreenShows) {
  Start();
  const Hwnd main = app->windows.mainWindow;
  struct Case {
    const char* what;
    Hwnd over;  // shown over the start screen, with the focus
    bool disabled;
    Hwnd focusAfter;
  };
  const Case cases[] = {
      {"map options", app->windows.mapOptionsWindow, false, app->windows.mapOptionsWindow},
      {"GPS monitor", app->windows.monitorGpsWindow, false, app->windows.monitorGpsWindow},
      {"logging window", app->windows.loggingWindow, false, app->windows.loggingWindow},
      {"disabled under a dialog", {}, true, {}},
      {"nothing over it", {}, false, main},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.over)
      ShowWindow(c.over, true);
    EnableWindow(main, !c.disabled);
    SetFocus(c.over);
    PumpMessages();
    ASSERT_EQ(GetFocus(), c.over);
    InvalidateRect(main, nullptr, true);
    UpdateWindow(main);
    EXPECT_EQ(GetFocus(), c.focusAfter);
    if (c.over)
      ShowWindow(c.over, false);
    EnableWindow(main, true);
    PumpMessages();
  }
}

// Each way of choosing Exit: the key in both cases, a click, Enter on the highlight.
TEST(StartScreenExitTest, EveryWayToExitEndsTheLoopWithCodeZero) {
  const std::pair<const char*, std::vector<InputEvent>> ways[] = {
      {"X", {KeyDown('X')}},
      {"x code", {KeyDown('x')}},
      {"E", {KeyDown('E')}},
      {"click", Click({250, 220})},
      {"Enter on the highlight", {KeyDown(VK_UP), KeyDown(VK_UP), KeyDown(VK_RETURN)}},
  };
  for (const auto& [name, input] : ways) {
    SCOPED_TRACE(name);
    StartScreen screen;
    screen.Start();
    EXPECT_TRUE(screen.app->keepAlive.Running());
    screen.Input(input);
    ASSERT_FALSE(IsWindow(screen.app->windows.mainWindow));  // else the loop would not end
    EXPECT_FALSE(screen.app->keepAlive.Running());
    Message m;
    EXPECT_FALSE(GetMessage(m));
    EXPECT_EQ(m.wParam, 0u);
  }
}

TEST_F(StartScreenTest, UptimeOfExactlyTwentyDaysIsAccepted) {
  test.services.SetTickCount(gradlog::UPTIME_LIMIT_MS);
  Start();
  EXPECT_EQ(app->windows.uptimeExceeded, 0);
  EXPECT_FALSE(IsWindow(FindWindow("MessageBoxWnd", "")));
}

TEST_F(StartScreenTest, OneMillisecondMoreStopsTheProgramAfterTheWarning) {
  test.services.SetTickCount(gradlog::UPTIME_LIMIT_MS + 1);
  ASSERT_EQ(gradlog::RegisterWindowClasses(*app), 0);
  // The operator closes the warning; then the program ends.
  test.platform->InjectInput(KeyDown(VK_RETURN));
  std::optional<int> exitCode;
  try {
    gradlog::CreateMainWindow(*app);
  } catch (const testing_support::ProcessExit& exit) {
    exitCode = exit.exitCode;
  }
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(app->windows.uptimeExceeded, 1);
}

TEST_F(StartScreenTest, KeepAliveResetsTheIdleTimer) {
  Start();
  for (int i = 0; i < 5000 && test.services.IdleResets() == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_GE(test.services.IdleResets(), 1);
}

// The start screen with the dialog templates, its setup commands answered by a script.
class MainMenuSetupTest : public StartScreenTest {
 protected:
  void SetUp() override {
    gradlog::RegisterDialogTemplates();
    Start();
  }
};

// Each command key opens its dialog over the disabled start screen, which gets its input back
// afterwards; GPS Port Setup saves the settings once more, even after Cancel.
TEST_F(MainMenuSetupTest, SetupKeysOpenTheirDialogs) {
  struct Case {
    std::uint32_t key;
    std::string title;
  };
  for (const Case& c : {Case{'S', "Survey Setup"}, Case{'Y', "System Setup"},
                        Case{'O', "Logger Setup"}, Case{'G', "GPS Port Setup"}}) {
    SCOPED_TRACE(c.title);
    std::filesystem::remove(root.SettingsPath());
    DialogScript answer(test);
    answer
        .Check([&](Hwnd dialog) {
          EXPECT_EQ(GetWindowText(dialog), c.title);
          EXPECT_FALSE(IsWindowEnabled(app->windows.mainWindow));
        })
        .Cancel()
        .Start();
    Input({KeyDown(c.key)});
    EXPECT_TRUE(IsWindowEnabled(app->windows.mainWindow));
    EXPECT_EQ(GetFocus(), app->windows.mainWindow);
    EXPECT_EQ(std::filesystem::exists(root.SettingsPath()), c.key == 'G');
  }
}

// The survey line has the focus: the "s" of the key that opened the dialog must not land there.
TEST_F(MainMenuSetupTest, TheKeyThatOpensADialogTypesNothingIntoIt) {
  const int line = gradlog::controls::survey_setup::SURVEY_LINE_EDIT;
  DialogScript answer(test);
  answer.Check(DialogScript::Shows(line, "0")).Type("7").Check(DialogScript::Shows(line, "7"));
  answer.Cancel().Start();
  const std::vector<InputEvent> press = KeyPressEvents("s").value();  // down, character, up
  Input(press);
}

}  // namespace
