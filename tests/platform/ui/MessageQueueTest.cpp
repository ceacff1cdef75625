#include <atomic>
#include <thread>

#include "WindowTestSupport.h"
#include "platform/sys/ReaderThread.h"
#include "platform/sys/ThreadTestSupport.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PlatformState.h"

namespace {

using namespace ui_test;
using gradlog::testing::Eventually;

constexpr std::uint32_t UM_PROBE = WM_USER + 1;

// Whether another thread's send is queued for the UI thread (waiting for it, bounded).
bool SendIsQueued() {
  return Eventually([] {
    std::lock_guard lock(State().mutex);
    return !State().sends.empty();
  });
}

class MessageQueueTest : public HostTest {
 protected:
  void Advance(std::uint32_t ms) {
    test.services.Advance(ms);
    PumpMessages();
  }
};

TEST_F(MessageQueueTest, SendFromAnotherThreadIsServedWhileAMessageBoxWaits) {
  host.hook = [&](const Message& m) -> LRESULT {
    if (m.message != UM_PROBE)
      return 0;
    EXPECT_TRUE(IsWindow(FindWindow("MessageBoxWnd", "Busy")));
    test.platform->InjectInput(KeyEvent(InputKind::KeyDown, VK_RETURN));  // closes the box
    return 42;
  };
  std::optional<LRESULT> sendResult;
  std::thread sender([&] { sendResult = SendMessage(window, UM_PROBE); });
  EXPECT_EQ(MessageBox(window, "Waiting for the reader", "Busy", MB_OK), IDOK);
  sender.join();
  EXPECT_EQ(sendResult, 42);
}

TEST_F(MessageQueueTest, BlockedSenderIsReleasedWhenItsWindowIsDestroyed) {
  std::optional<LRESULT> sendResult = 7;
  std::thread sender([&] { sendResult = SendMessage(window, UM_PROBE); });
  ASSERT_TRUE(SendIsQueued());
  DestroyWindow(window);
  sender.join();
  EXPECT_FALSE(sendResult.has_value());
  EXPECT_EQ(host.Count(UM_PROBE), 0);
}

TEST_F(MessageQueueTest, BlockedReaderIsReleasedWhenToldToStop) {
  std::atomic<bool> released{false};
  std::optional<LRESULT> sendResult = 7;
  ReaderThread reader([&](ReaderThread&) {
    sendResult = SendMessage(window, UM_PROBE);
    released = true;
  });
  ASSERT_TRUE(SendIsQueued());
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
  ASSERT_TRUE(Eventually([&] { return posted.load() >= 3; }));
  reader.Suspend();
  PumpMessages();
  const int handled = host.Count(UM_PROBE);
  gradlog::testing::LetItRun();
  PumpMessages();
  EXPECT_EQ(host.Count(UM_PROBE), handled);
  reader.Resume();
  EXPECT_TRUE(Eventually([&] {
    PumpMessages();
    return host.Count(UM_PROBE) > handled;
  }));
  reader.RequestStop();
}

TEST_F(MessageQueueTest, TimersFireOncePerPeriodAcrossTheTickWrapRestartAndStopWhenKilled) {
  // The first period is due just before the 32-bit tick wraps and served after it.
  test.services.SetTickCount(0xFFFFFF00u);
  SetTimer(window, 1, 100);
  Advance(350);
  EXPECT_EQ(host.Count(WM_TIMER), 1) << "never queued twice";
  Advance(99);
  EXPECT_EQ(host.Count(WM_TIMER), 1);
  Advance(1);
  EXPECT_EQ(host.Count(WM_TIMER), 2);
  Advance(60);
  SetTimer(window, 1, 100);
  Advance(60);
  EXPECT_EQ(host.Count(WM_TIMER), 2) << "restarted";
  Advance(40);
  EXPECT_EQ(host.Count(WM_TIMER), 3);
  KillTimer(window, 1);
  Advance(1000);
  EXPECT_EQ(host.Count(WM_TIMER), 3);
}

TEST_F(MessageQueueTest, PostedMessagesToADestroyedWindowAreDropped) {
  PostMessage(window, UM_PROBE);
  DestroyWindow(window);
  PumpMessages();
  EXPECT_EQ(host.Count(UM_PROBE), 0);
}

}  // namespace
