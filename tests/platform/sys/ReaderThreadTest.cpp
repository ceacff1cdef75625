#include "platform/sys/ReaderThread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <latch>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "CountingPort.h"
#include "LineReader.h"
#include "ThreadTestSupport.h"
#include "support/PseudoTerminal.h"
#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using gradlog::testing::CountingPort;
using gradlog::testing::Eventually;
using gradlog::testing::LetItRun;
using gradlog::testing::LineReader;
using gradlog::testing::ResultWithoutHang;
using Lines = LineReader::Lines;

std::string ReadSome(SerialPort& port, std::size_t size) {
  std::string buffer(size, '\0');
  buffer.resize(port.Read(buffer));
  return buffer;
}

TEST(ReaderThreadTest, SuspendedReaderLeavesTheArrivingBytesForTheUiThread) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A\n"));
  ASSERT_TRUE(reader.HasHandedOver("$A"));
  reader.Thread().Suspend();
  device->Write(std::string_view("OK\r"));  // the reply to a command the UI thread sent
  LetItRun();
  ASSERT_TRUE(ui->SetTimeouts({0, 0, 10'000, 0, 0}));
  EXPECT_EQ(ReadSome(*ui, 3), "OK\r");
  reader.Thread().Resume();
  device->Write(std::string_view("$B\n"));
  ASSERT_TRUE(reader.HasHandedOver("$B"));
  EXPECT_EQ(reader.HandedOver(), (Lines{"$A", "$B"}));
}

TEST(ReaderThreadTest, HalfALineReadBeforeSuspendIsDroppedNotFinishedAfterResume) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A,1"));
  ASSERT_TRUE(Eventually([&] { return reader.BytesRead() == 4; }));
  reader.Thread().Suspend();
  // The UI thread could have read bytes between; the rest no longer belongs to that line.
  device->Write(std::string_view(",2\n"));
  LetItRun();
  reader.Thread().Resume();
  device->Write(std::string_view("$B\n"));
  ASSERT_TRUE(reader.HasHandedOver("$B"));
  EXPECT_EQ(reader.HandedOver(), Lines{"$B"});
}

TEST(ReaderThreadTest, WholeLineReadBeforeSuspendIsNeverHandedOverAfterResume) {
  auto [ui, device] = MakeMemoryPortPair();
  std::latch atHandover(1);
  std::latch suspended(1);
  LineReader reader(ui, [&](const std::string& line) {
    if (line != "$A")
      return;
    atHandover.count_down();
    suspended.wait();
  });
  device->Write(std::string_view("$A\n"));
  atHandover.wait();
  reader.Thread().Suspend();
  suspended.count_down();
  LetItRun();
  reader.Thread().Resume();
  device->Write(std::string_view("$B\n"));
  ASSERT_TRUE(reader.HasHandedOver("$B"));
  EXPECT_EQ(reader.HandedOver(), Lines{"$B"});
}

TEST(ReaderThreadTest, SuspendWaitsForAReadUnderWay) {
  auto [ui, device] = MakeMemoryPortPair();
  std::atomic<bool> first{true};
  std::latch inside(1);
  std::latch release(1);
  LineReader reader(std::make_shared<CountingPort>(ui, [&] {
    if (!first.exchange(false))
      return;
    inside.count_down();
    release.wait();
  }));
  device->Write(std::string_view("$A\n"));
  inside.wait();
  auto suspending = std::async(std::launch::async, [&] { reader.Thread().Suspend(); });
  LetItRun();
  EXPECT_EQ(suspending.wait_for(0s), std::future_status::timeout);
  release.count_down();
  ResultWithoutHang([&] { suspending.wait(); });
  // The line that read brought may have gone over before Suspend returned, not after.
  Lines expected = reader.HandedOver();
  LetItRun();
  reader.Thread().Resume();
  device->Write(std::string_view("$B\n"));
  ASSERT_TRUE(reader.HasHandedOver("$B"));
  expected.push_back("$B");
  EXPECT_EQ(reader.HandedOver(), expected);
}

TEST(ReaderThreadTest, SuspendReturnsWhileTheReaderWaitsForInput) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A\n"));
  ASSERT_TRUE(reader.HasHandedOver("$A"));  // and back in its wait, with nothing to read
  ResultWithoutHang([&] { reader.Thread().Suspend(); });
  EXPECT_TRUE(reader.Thread().IsSuspended());
}

TEST(ReaderThreadTest, StopEndsAPortWaitAndTheDestructorJoins) {
  gradlog::testing::TempDeviceRoot root;
  gradlog::testing::PseudoTerminal terminal;
  terminal.LinkAs(root.Path(), "COM12");
  auto [memory, device] = MakeMemoryPortPair();
  for (const PortHandle& port : {memory, OpenSerialPort("COM12:")}) {
    ASSERT_NE(port, nullptr);
    std::optional<LineReader> reader(std::in_place, port);
    LetItRun();  // into its wait for input, which nothing arrives to end
    ResultWithoutHang([&] { reader.reset(); });
    EXPECT_TRUE(port->IsOpen());  // the stop, not a close, ended the wait
  }
}

TEST(ReaderThreadTest, NothingIsHandedOverBetweenSuspendAndResume) {
  std::atomic<int> handovers{0};
  ReaderThread thread([&](ReaderThread& self) {
    while (self.Handover([&] { ++handovers; }) != ReaderThread::HandoverResult::Stopped)
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
  constexpr int NOT_YET = -1;
  std::latch suspended(1);
  std::atomic<bool> handed{false};
  std::atomic<int> result{NOT_YET};
  ReaderThread thread([&](ReaderThread& self) {
    suspended.wait();
    result = static_cast<int>(self.Handover([&] { handed = true; }));
  });
  thread.Suspend();
  suspended.count_down();
  LetItRun();  // into the hand-over, which only the stop may end
  EXPECT_EQ(result.load(), NOT_YET);
  thread.RequestStop();
  thread.Join();
  EXPECT_EQ(result.load(), static_cast<int>(ReaderThread::HandoverResult::Stopped));
  EXPECT_FALSE(handed.load());
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
