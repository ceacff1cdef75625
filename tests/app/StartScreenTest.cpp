#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/AppState.h"
#include "app/KeepAlive.h"
#include "app/MainMenu.h"
#include "app/MainRoutine.h"
#include "app/MainWindow.h"
#include "support/TempDeviceRoot.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;
using gradlog::AppState;

class StartScreenTest : public ::testing::Test {
 protected:
  gradlog::testing::TempDeviceRoot root;
  testing_support::TestPlatform test;
  std::unique_ptr<AppState> app = std::make_unique<AppState>();

  void Start() {
    ASSERT_EQ(gradlog::RegisterWindowClasses(*app), 0);
    ASSERT_TRUE(gradlog::CreateMainWindow(*app));
    PumpMessages();
  }

  void Press(std::uint32_t key) {
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = key});
    test.platform->InjectInput({.kind = InputKind::KeyUp, .virtualKey = key});
    PumpMessages();
  }

  bool IsDefaultButton(int index) {
    return (GetWindowStyle(app->windows.mainButtons[static_cast<std::size_t>(index)]) & 0xF) ==
           BS_DEFPUSHBUTTON;
  }

  void TearDown() override { app->keepAlive.Stop(); }
};

TEST_F(StartScreenTest, NineButtonsStandWhereTheColumnBulges) {
  Start();
  const Rect expected[9] = {{180, 3, 310, 28},    {185, 29, 305, 54},   {188, 55, 302, 80},
                            {190, 81, 300, 106},  {192, 107, 298, 132}, {190, 133, 300, 158},
                            {188, 159, 302, 184}, {185, 185, 305, 210}, {180, 211, 310, 236}};
  for (int i = 0; i < 9; ++i) {
    const Hwnd button = app->windows.mainButtons[static_cast<std::size_t>(i)];
    EXPECT_EQ(GetWindowRect(button), expected[i]) << "button " << i;
    EXPECT_EQ(GetDlgCtrlID(button), 418 + i);
    EXPECT_EQ(GetClassName(button), "BUTTON");
    EXPECT_TRUE(IsWindowVisible(button));
  }
  EXPECT_EQ(GetWindowText(app->windows.mainButtons[8]), "E&xit");
  EXPECT_TRUE(test.Screen().Trace().IsVisibleIn("Exit", expected[8]));
  EXPECT_TRUE(test.Screen().Trace().IsVisible("Version 1.34"));
}

TEST_F(StartScreenTest, BracketsFrameTheColumn) {
  Start();
  // The dark-grey bracket lines show between the buttons' rows at their bulges.
  EXPECT_EQ(FromPixel(test.Screen().At(186, 119)), Rgb(64, 64, 64));
  EXPECT_EQ(FromPixel(test.Screen().At(303, 119)), Rgb(64, 64, 64));
}

TEST_F(StartScreenTest, HighlightStartsOnSurveySetupAndWrapsBothWays) {
  Start();
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
  EXPECT_TRUE(IsDefaultButton(1));
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(app->windows.mainButtonSelection, 8);
  EXPECT_TRUE(IsDefaultButton(8));
  EXPECT_FALSE(IsDefaultButton(1));
  EXPECT_FALSE(IsDefaultButton(0));
  Press(VK_DOWN);
  EXPECT_EQ(app->windows.mainButtonSelection, 0);
  Press(VK_TAB);
  Press(VK_RIGHT);
  EXPECT_EQ(app->windows.mainButtonSelection, 2);
  Press(VK_LEFT);
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(IsDefaultButton(i), i == 1) << "button " << i;
}

// After a click the keys act from the highlight: the focus sits on the highlighted button,
// follows it, and Enter runs it (here Exit, reached from Survey Setup by Up twice).
TEST_F(StartScreenTest, AClickLeavesTheKeysOnTheHighlight) {
  Start();
  test.platform->InjectInput({.kind = InputKind::ButtonDown, .position = {245, 15}});
  test.platform->InjectInput({.kind = InputKind::ButtonUp, .position = {245, 15}});
  PumpMessages();
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
  EXPECT_EQ(GetFocus(), app->windows.mainButtons[1]);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(GetFocus(), app->windows.mainButtons[8]);
  Press(VK_RETURN);
  EXPECT_FALSE(IsWindow(app->windows.mainWindow));
}

TEST_F(StartScreenTest, KeysAreIgnoredWhileLoggingIsActive) {
  Start();
  app->windows.loggingActive = 1;
  Press(VK_DOWN);
  Press('X');
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
  EXPECT_TRUE(IsWindow(app->windows.mainWindow));
}

// Each way of choosing Exit: the key in both cases, a click, Enter on the highlight.
TEST(StartScreenExitTest, EveryWayToExitEndsTheLoopWithCodeZero) {
  struct Way {
    const char* name;
    std::vector<InputEvent> input;
  };
  const std::vector<Way> ways = {
      {"X", {{.kind = InputKind::KeyDown, .virtualKey = 'X'}}},
      {"x code", {{.kind = InputKind::KeyDown, .virtualKey = 'x'}}},
      {"E", {{.kind = InputKind::KeyDown, .virtualKey = 'E'}}},
      {"click",
       {{.kind = InputKind::ButtonDown, .position = {250, 220}},
        {.kind = InputKind::ButtonUp, .position = {250, 220}}}},
      {"Enter on the highlight",
       {{.kind = InputKind::KeyDown, .virtualKey = VK_UP},
        {.kind = InputKind::KeyDown, .virtualKey = VK_RETURN},  // "&Logging" starts no run yet
        {.kind = InputKind::KeyDown, .virtualKey = VK_UP},
        {.kind = InputKind::KeyDown, .virtualKey = VK_RETURN}}},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    gradlog::testing::TempDeviceRoot root;
    testing_support::TestPlatform test;
    auto app = std::make_unique<AppState>();
    ASSERT_EQ(gradlog::RegisterWindowClasses(*app), 0);
    ASSERT_TRUE(gradlog::CreateMainWindow(*app));
    PumpMessages();
    EXPECT_TRUE(app->keepAlive.Running());
    for (const InputEvent& event : way.input)
      test.platform->InjectInput(event);
    PumpMessages();
    EXPECT_FALSE(IsWindow(app->windows.mainWindow));
    EXPECT_FALSE(app->keepAlive.Running());
    Message m;
    EXPECT_FALSE(GetMessage(m));
    EXPECT_EQ(m.wParam, 0u);
  }
}

TEST_F(StartScreenTest, CommandsStillToComeLeaveTheStartScreenAsItIs) {
  Start();
  for (std::uint32_t key : {'L', 'N', 'M', 'P'})
    Press(key);
  EXPECT_TRUE(IsWindow(app->windows.mainWindow));
  EXPECT_EQ(app->windows.mainButtonSelection, 1);
}

TEST_F(StartScreenTest, StartUpCreatesTheHiddenChildWindowsAndTheSettingsFile) {
  test.services.SetTickCount(5000);
  Start();
  struct Child {
    Hwnd hwnd;
    const char* className;
    const char* title;
    int id;
  };
  const Child children[] = {
      {app->windows.loggingWindow, "LoggingWnd", "Logging", 4},
      {app->windows.monitorGpsWindow, "MonitorGPSWnd", "Monitor GPS", 3},
      {app->windows.mapOptionsWindow, "DisplayMapOptionsWnd", "Display Map Options", 21}};
  for (const Child& child : children) {
    ASSERT_TRUE(IsWindow(child.hwnd)) << child.className;
    EXPECT_EQ(GetClassName(child.hwnd), child.className);
    EXPECT_EQ(GetWindowText(child.hwnd), child.title);
    EXPECT_EQ(GetDlgCtrlID(child.hwnd), child.id);
    EXPECT_EQ(GetParent(child.hwnd), app->windows.mainWindow);
    EXPECT_FALSE(IsWindowVisible(child.hwnd));
    EXPECT_EQ(GetWindowRect(child.hwnd), (Rect{0, 0, 320, 240}));
  }
  EXPECT_TRUE(std::filesystem::exists(root.SettingsPath()));
  EXPECT_EQ(app->display.layout.charHeight, 13);
  EXPECT_EQ(app->display.mapViewShown, 1);
  EXPECT_EQ(app->windows.uptimeExceeded, 0);
  EXPECT_EQ(GetFocus(), app->windows.mainWindow);
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
  test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
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
  for (int i = 0; i < 5000 && test.services.IdleResets() == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_GE(test.services.IdleResets(), 1);
}

}  // namespace
