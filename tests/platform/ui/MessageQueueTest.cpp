#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "WindowTestSupport.h"
#include "platform/sys/ReaderThread.h"
#include "platform/sys/ThreadTestSupport.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PlatformState.h"

namespace {

using namespace platform;
using namespace ui_test;

constexpr std::uint32_t UM_PROBE = WM_USER + 1;

// Waits (bounded) until another thread's send is queued for the UI thread.
bool WaitForQueuedSend() {
  for (int i = 0; i < 5000; ++i) {
    {
      std::lock_guard lock(State().mutex);
      if (!State().sends.empty())
        return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

class MessageQueueTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;
  RecordingClass recorder;
  Hwnd window;

  void SetUp() override {
    recorder.Register("Recorder", Rgb(255, 255, 255));
    window = MakeTopLevel("Recorder", {0, 0, 320, 240});
    PumpMessages();
  }
};

TEST_F(MessageQueueTest, PayloadTravelsAsACopyFromAnotherThread) {
  std::string received;
  recorder.hook = [&](const Message& m) -> LRESULT {
    if (m.message == UM_PROBE)
      received = std::any_cast<std::string>(m.payload);
    return 0;
  };
  std::thread poster([&] {
    std::string line = "$PBAR,1.0,2.0";
    PostMessage(window, UM_PROBE, 0, 0, line);
    line.assign("overwritten");
  });
  poster.join();
  PumpMessages();
  EXPECT_EQ(received, "$PBAR,1.0,2.0");
}

TEST_F(MessageQueueTest, SendFromAnotherThreadIsServedWhileAMessageBoxWaits) {
  bool boxWasUp = false;
  recorder.hook = [&](const Message& m) -> LRESULT {
    if (m.message != UM_PROBE)
      return 0;
    boxWasUp = IsWindow(FindWindow("MessageBoxWnd", "Busy"));
    // Close the box as a person would.
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = VK_RETURN});
    return 42;
  };
  std::optional<LRESULT> sendResult;
  std::thread sender([&] { sendResult = SendMessage(window, UM_PROBE); });
  const int answer = MessageBox(window, "Waiting for the reader", "Busy", MB_OK);
  sender.join();
  EXPECT_EQ(answer, IDOK);
  EXPECT_TRUE(boxWasUp);
  ASSERT_TRUE(sendResult.has_value());
  EXPECT_EQ(*sendResult, 42);
}

TEST_F(MessageQueueTest, BlockedSenderIsReleasedWhenItsWindowIsDestroyed) {
  std::optional<LRESULT> sendResult = 7;
  std::thread sender([&] { sendResult = SendMessage(window, UM_PROBE); });
  ASSERT_TRUE(WaitForQueuedSend());
  DestroyWindow(window);
  sender.join();
  EXPECT_FALSE(sendResult.has_value());
  EXPECT_EQ(recorder.Count(UM_PROBE), 0);
}

TEST_F(MessageQueueTest, BlockedReaderIsReleasedWhenToldToStop) {
  std::atomic<bool> released{false};
  std::optional<LRESULT> sendResult = 7;
  ReaderThread reader([&](ReaderThread&) {
    sendResult = SendMessage(window, UM_PROBE);
    released = true;
  });
  ASSERT_TRUE(WaitForQueuedSend());
  reader.RequestStop();
  gradlog::testing::ResultWithoutHang([&] { reader.Join(); });
  EXPECT_TRUE(released.load());
  EXPECT_FALSE(sendResult.has_value());
}

TEST_F(MessageQueueTest, SuspendedReaderHandsOverNothingUntilResumed) {
  std::atomic<int> posted{0};
  ReaderThread reader([&](ReaderThread& self) {
    while (!self.StopRequested()) {
      if (PostMessage(window, UM_PROBE))
        ++posted;
      self.SleepFor(1);
    }
  });
  while (posted.load() < 3)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  reader.Suspend();
  PumpMessages();
  const int handled = recorder.Count(UM_PROBE);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  PumpMessages();
  EXPECT_EQ(recorder.Count(UM_PROBE), handled);
  reader.Resume();
  for (int i = 0; i < 5000 && recorder.Count(UM_PROBE) == handled; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    PumpMessages();
  }
  EXPECT_GT(recorder.Count(UM_PROBE), handled);
  reader.RequestStop();
}

TEST_F(MessageQueueTest, TimersAreNeverQueuedTwice) {
  SetTimer(window, 1, 100);
  test.services.Advance(350);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 1);
  test.services.Advance(99);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 1);
  test.services.Advance(1);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 2);
}

TEST_F(MessageQueueTest, SettingATimerAgainRestartsIt) {
  SetTimer(window, 1, 100);
  test.services.Advance(60);
  SetTimer(window, 1, 100);
  test.services.Advance(60);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 0);
  test.services.Advance(40);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 1);
  KillTimer(window, 1);
  test.services.Advance(1000);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 1);
}

TEST_F(MessageQueueTest, TimerDueAcrossTheTickWrapFires) {
  test.services.SetTickCount(0xFFFFFFF0u);
  SetTimer(window, 3, 100);
  test.services.Advance(99);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 0);
  test.services.Advance(1);
  PumpMessages();
  EXPECT_EQ(recorder.Count(WM_TIMER), 1);
}

TEST_F(MessageQueueTest, PostedMessagesToADestroyedWindowAreDropped) {
  PostMessage(window, UM_PROBE);
  DestroyWindow(window);
  PumpMessages();
  EXPECT_EQ(recorder.Count(UM_PROBE), 0);
}

TEST_F(MessageQueueTest, QuitEndsANestedLoopAndStaysForTheOuterOne) {
  recorder.hook = [&](const Message& m) -> LRESULT {
    if (m.message == UM_PROBE)
      PostQuitMessage(5);
    return 0;
  };
  PostMessage(window, UM_PROBE);
  MessageBox(window, "Nested", "Loop", MB_OK);
  Message m;
  EXPECT_FALSE(GetMessage(m));
  EXPECT_EQ(m.wParam, 5u);
}

}  // namespace
