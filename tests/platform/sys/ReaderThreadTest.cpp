#include "platform/sys/ReaderThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <latch>
#include <thread>

namespace platform {
namespace {

using namespace std::chrono_literals;

// Polls until `condition` holds; the limit is only there so that a fault fails instead of hangs.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 20'000 && !condition(); ++i)
    std::this_thread::sleep_for(1ms);
  return condition();
}

// Gives a thread that should be held back time to run anyway, so that a fault shows.
void LetItRun() {
  std::this_thread::sleep_for(20ms);
}

TEST(ReaderThreadTest, NothingIsHandedOverBetweenSuspendAndResume) {
  std::atomic<int> handovers{0};
  ReaderThread thread([&](ReaderThread& self) {
    while (self.Handover([&] { ++handovers; }))
      std::this_thread::yield();
  });
  ASSERT_TRUE(Eventually([&] { return handovers > 0; }));
  thread.Suspend();
  const int atSuspend = handovers;
  LetItRun();
  EXPECT_EQ(handovers.load(), atSuspend);
  thread.Resume();
  EXPECT_TRUE(Eventually([&] { return handovers > atSuspend; }));
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
  LetItRun();  // into the hand-over, which only the stop may end
  EXPECT_EQ(result.load(), -1);
  thread.RequestStop();
  thread.Join();
  EXPECT_EQ(result.load(), 0);
  EXPECT_FALSE(handed.load());
}

TEST(ReaderThreadTest, StopWakerReleasesAWaitOutsideTheReader) {
  std::latch waiting(1);
  std::atomic<bool> woken{false};
  std::atomic<bool> released{false};
  ReaderThread thread([&](ReaderThread& self) {
    self.SetStopWaker([&] {
      woken = true;
      woken.notify_all();
    });
    waiting.count_down();
    woken.wait(false);  // as a SendMessage waits for the UI's reply, which never comes here
    released = true;
  });
  waiting.wait();
  LetItRun();
  EXPECT_FALSE(released.load());
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

TEST(ReaderThreadTest, StartSuspendedHoldsTheBodyBackAndCurrentIsTheReaderInside) {
  std::atomic<ReaderThread*> seenInside{nullptr};
  ReaderThread thread([&](ReaderThread&) { seenInside = ReaderThread::Current(); }, true);
  LetItRun();
  EXPECT_EQ(seenInside.load(), nullptr);
  thread.Resume();
  thread.Join();
  EXPECT_EQ(seenInside.load(), &thread);
  EXPECT_EQ(ReaderThread::Current(), nullptr);
  std::atomic<bool> neverResumedStarted{false};
  {
    ReaderThread neverResumed([&](ReaderThread&) { neverResumedStarted = true; }, true);
  }  // the destructor stops and joins: this must not hang, nor run the body
  EXPECT_FALSE(neverResumedStarted.load());
}

}  // namespace
}  // namespace platform
