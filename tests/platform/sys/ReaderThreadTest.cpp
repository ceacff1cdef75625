#include "platform/sys/ReaderThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <latch>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {
namespace {

using namespace std::chrono_literals;

// Polls until `condition` holds; the limit is only there so that a fault fails instead of hangs.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 20'000; ++i) {
    if (condition())
      return true;
    std::this_thread::sleep_for(1ms);
  }
  return condition();
}

// Checks over a few milliseconds that `condition` keeps holding.
bool Stays(const std::function<bool()>& condition) {
  for (int i = 0; i < 20; ++i) {
    if (!condition())
      return false;
    std::this_thread::sleep_for(1ms);
  }
  return condition();
}

// A reader that hands over a count as fast as it may, as a port reader with data does.
struct CountingReader {
  std::atomic<int> handovers{0};
  std::atomic<bool> lastHandoverResult{true};
  ReaderThread thread{[this](ReaderThread& self) {
    while (lastHandoverResult) {
      lastHandoverResult = self.Handover([this] { ++handovers; });
      std::this_thread::yield();
    }
  }};
};

TEST(ReaderThreadTest, NothingIsHandedOverBetweenSuspendAndResume) {
  CountingReader reader;
  ASSERT_TRUE(Eventually([&] { return reader.handovers > 0; }));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    reader.thread.Suspend();
    EXPECT_TRUE(reader.thread.IsSuspended());
    const int atSuspend = reader.handovers;
    EXPECT_TRUE(Stays([&] { return reader.handovers == atSuspend; }));
    reader.thread.Resume();
    EXPECT_FALSE(reader.thread.IsSuspended());
    EXPECT_TRUE(Eventually([&] { return reader.handovers > atSuspend; }));
  }
}

TEST(ReaderThreadTest, SuspendReturnsWhileTheReaderIsBusyElsewhere) {
  std::latch release(1);
  std::atomic<int> handovers{0};
  std::atomic<bool> handoverDone{false};
  ReaderThread thread([&](ReaderThread& self) {
    release.wait();  // a reader blocked in a read, say
    self.Handover([&] { ++handovers; });
    handoverDone = true;
  });
  thread.Suspend();  // must return although the reader is stuck
  release.count_down();
  EXPECT_TRUE(Stays([&] { return handovers == 0 && !handoverDone; }));
  thread.Resume();
  EXPECT_TRUE(Eventually([&] { return handoverDone.load(); }));
  EXPECT_EQ(handovers.load(), 1);
}

TEST(ReaderThreadTest, StopWakesASuspendedReaderAndRefusesTheHandover) {
  std::latch suspended(1);
  std::atomic<bool> handed{false};
  std::atomic<int> result{-1};
  ReaderThread thread([&](ReaderThread& self) {
    suspended.wait();
    result = self.Handover([&] { handed = true; }) ? 1 : 0;
  });
  thread.Suspend();
  suspended.count_down();
  // Gives the reader time to block in the hand-over, which only the stop may end.
  EXPECT_TRUE(Stays([&] { return result == -1; }));
  thread.RequestStop();
  EXPECT_TRUE(thread.StopRequested());
  thread.Join();
  EXPECT_EQ(result.load(), 0);
  EXPECT_FALSE(handed.load());
}

// The way a SendMessage from a reader waits for the UI thread: on its own condition variable.
TEST(ReaderThreadTest, StopWakerReleasesAWaitOutsideTheReader) {
  std::mutex waitMutex;
  std::condition_variable waitChanged;
  std::latch waiting(1);
  std::atomic<bool> released{false};
  ReaderThread thread([&](ReaderThread& self) {
    self.SetStopWaker([&] {
      std::lock_guard lock(waitMutex);
      waitChanged.notify_all();
    });
    {
      std::unique_lock lock(waitMutex);
      waiting.count_down();
      // No reply ever comes: only the stop can end this wait.
      waitChanged.wait(lock, [&] { return self.StopRequested(); });
    }
    self.SetStopWaker({});
    released = true;
  });
  waiting.wait();
  thread.RequestStop();
  thread.Join();
  EXPECT_TRUE(released.load());
}

TEST(ReaderThreadTest, SleepForEndsEarlyOnStopAndReportsIt) {
  std::latch entered(1);
  std::atomic<int> shortSleep{-1};
  std::atomic<int> longSleep{-1};
  ReaderThread thread([&](ReaderThread& self) {
    shortSleep = self.SleepFor(1) ? 1 : 0;
    entered.count_down();
    // An hour: the test would hang rather than pass if the stop did not cut it short.
    longSleep = self.SleepFor(3'600'000) ? 1 : 0;
  });
  entered.wait();
  thread.RequestStop();
  thread.Join();
  EXPECT_EQ(shortSleep.load(), 1);
  EXPECT_EQ(longSleep.load(), 0);
}

TEST(ReaderThreadTest, CurrentIsTheReaderInsideItsBodyOnly) {
  std::atomic<ReaderThread*> seenInside{nullptr};
  ReaderThread thread([&](ReaderThread&) { seenInside = ReaderThread::Current(); });
  EXPECT_EQ(ReaderThread::Current(), nullptr);
  thread.Join();
  EXPECT_EQ(seenInside.load(), &thread);
}

TEST(ReaderThreadTest, StartSuspendedHoldsTheBodyBackUntilResume) {
  std::atomic<bool> started{false};
  ReaderThread thread([&](ReaderThread&) { started = true; }, true);
  EXPECT_TRUE(Stays([&] { return !started; }));
  thread.Resume();
  EXPECT_TRUE(Eventually([&] { return started.load(); }));

  std::atomic<bool> neverResumedStarted{false};
  {
    ReaderThread neverResumed([&](ReaderThread&) { neverResumedStarted = true; }, true);
  }  // the destructor stops and joins: this must not hang, nor run the body
  EXPECT_FALSE(neverResumedStarted.load());
}

TEST(ReaderThreadTest, BodyMayDestroyItsOwnReader) {
  std::unique_ptr<ReaderThread> reader;
  std::latch created(1);
  std::latch ended(1);
  reader = std::make_unique<ReaderThread>([&reader, &created, &ended](ReaderThread&) {
    // Copied out first: destroying the reader destroys this closure too.
    auto* holder = &reader;
    auto* endedLatch = &ended;
    created.wait();
    holder->reset();
    endedLatch->count_down();
  });
  created.count_down();
  ended.wait();
  EXPECT_EQ(reader, nullptr);
}

}  // namespace
}  // namespace platform
