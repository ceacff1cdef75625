#include <gtest/gtest.h>

#include "gps/TrackBuffers.h"
#include "support/TestPlatform.h"

namespace {

using namespace platform;

// Shows the notice for step k, answers it with Enter and reports what the box said.
struct Shown {
  std::string caption;
  bool textVisible = false;
  std::optional<int> exitCode;
};

Shown ShowNotice(testing_support::TestPlatform& test, int k, int positions,
                 const std::string& expectedLine) {
  Shown shown;
  RegisterClass({.name = "Watcher",
                 .procedure = [&](const Message& m) -> LRESULT {
                   if (m.message != WM_TIMER)
                     return DefWindowProc(m);
                   KillTimer(m.hwnd, 1);
                   for (const char* caption : {"WARNING", "PROGRAM STOP"}) {
                     if (IsWindow(FindWindow("MessageBoxWnd", caption)))
                       shown.caption = caption;
                   }
                   shown.textVisible = test.Screen().Trace().IsVisible(expectedLine);
                   test.platform->InjectInput(
                       {.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
                   return 0;
                 },
                 .background = nullptr});
  const Hwnd owner =
      CreateWindow({.className = "Watcher", .style = WS_VISIBLE, .rect = {0, 0, 320, 240}});
  SetTimer(owner, 1, 10);
  test.services.Advance(10);
  try {
    gradlog::ShowTrackBufferNotice(owner, k, positions);
  } catch (const testing_support::ProcessExit& exit) {
    shown.exitCode = exit.exitCode;
  }
  return shown;
}

TEST(TrackBufferNotice, AReducedStoreWarnsAndTheRunGoesOn) {
  testing_support::TestPlatform test;
  const Shown shown = ShowNotice(test, 1, 12600, "Max Number of Positions: 12600");
  EXPECT_EQ(shown.caption, "WARNING");
  EXPECT_TRUE(shown.textVisible);
  EXPECT_FALSE(shown.exitCode.has_value());
}

TEST(TrackBufferNotice, TooLittleMemoryStopsTheProgramWithCodeZero) {
  testing_support::TestPlatform test;
  const Shown shown = ShowNotice(test, 7, 1800, "Not enough memory to run this program");
  EXPECT_EQ(shown.caption, "PROGRAM STOP");
  EXPECT_TRUE(shown.textVisible);
  EXPECT_EQ(shown.exitCode, 0);
}

}  // namespace
