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
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "CountingPort.h"
#include "PortLines.h"
#include "ThreadTestSupport.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using namespace gradlog::testing;
using Lines = std::vector<std::string>;

// A reader written as the instrument reader is: it waits for input, reads through the gate,
// drops its half line after a suspension, hands each line from '$' to LF over and pauses 10 ms
// after a failed wait. `beforeHandover` runs on the reader just before each hand-over.
struct LineReader {
  explicit LineReader(PortHandle p, std::function<void(const std::string&)> b = {})
      : port(std::move(p)), beforeHandover(std::move(b)) {}

  Lines HandedOver() {
    std::lock_guard lock(mutex);
    return lines;
  }
  bool HasHandedOver(const std::string& line) {
    return Eventually([&] { return std::ranges::count(HandedOver(), line) > 0; });
  }
  // Resumes, sends a line, and checks that the lines handed over are then `before` and it.
  void ExpectOnlyANewLineAfterResume(SerialPort& device, Lines before) {
    thread.Resume();
    device.Write(std::string_view("$B\n"));
    ASSERT_TRUE(HasHandedOver("$B"));
    before.push_back("$B");
    EXPECT_EQ(HandedOver(), before);
  }

  void Run(ReaderThread& self) {
    std::string line;
    std::array<char, 64> bytes{};
    while (!self.StopRequested()) {
      if (!port->WaitForInput(self.StopToken())) {
        if (!self.SleepFor(10))
          return;
        continue;
      }
      const ReaderThread::PortRead read = self.ReadPort(*port, bytes);
      bytesRead += read.count;
      if (read.suspendedSinceLastRead)
        line.clear();
      for (char byte : std::span(bytes).first(read.count)) {
        if (byte == '$') {
          line = "$";
        } else if (byte == '\n' && !line.empty()) {
          if (beforeHandover)
            beforeHandover(line);
          self.Handover([&] {
            std::lock_guard lock(mutex);
            lines.push_back(line);
          });
          line.clear();
        } else if (!line.empty()) {
          line += byte;
        }
      }
    }
  }

  PortHandle port;
  std::function<void(const std::string&)> beforeHandover;
  std::mutex mutex;
  Lines lines;
  std::atomic<std::size_t> bytesRead{0};
  ReaderThread thread{[this](ReaderThread& self) { Run(self); }};  // last: it uses the rest
};

TEST(ReaderThreadTest, SuspendedReaderLeavesTheArrivingBytesForTheUiThread) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A\n"));
  ASSERT_TRUE(reader.HasHandedOver("$A"));
  reader.thread.Suspend();
  device->Write(std::string_view("OK\r"));  // the reply to a command the UI thread sent
  LetItRun();
  std::string reply(3, '\0');
  EXPECT_EQ(ui->ReadAvailable(reply), 3u);
  EXPECT_EQ(reply, "OK\r");
  reader.ExpectOnlyANewLineAfterResume(*device, {"$A"});
}

TEST(ReaderThreadTest, HalfALineReadBeforeSuspendIsDroppedNotFinishedAfterResume) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A,1"));
  ASSERT_TRUE(Eventually([&] { return reader.bytesRead == 4; }));
  reader.thread.Suspend();
  // The UI thread could have read bytes between; the rest no longer belongs to that line.
  device->Write(std::string_view(",2\n"));
  LetItRun();
  reader.ExpectOnlyANewLineAfterResume(*device, {});
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
  reader.thread.Suspend();
  suspended.count_down();
  LetItRun();
  reader.ExpectOnlyANewLineAfterResume(*device, {});
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
  auto suspending = std::async(std::launch::async, [&] { reader.thread.Suspend(); });
  LetItRun();
  EXPECT_EQ(suspending.wait_for(0s), std::future_status::timeout);
  release.count_down();
  ResultWithoutHang([&] { suspending.wait(); });
  // The line that read brought may have gone over before Suspend returned, not after.
  const Lines atSuspend = reader.HandedOver();
  LetItRun();
  reader.ExpectOnlyANewLineAfterResume(*device, atSuspend);
}

TEST(ReaderThreadTest, SuspendReturnsWhileTheReaderWaitsForInput) {
  auto [ui, device] = MakeMemoryPortPair();
  LineReader reader(ui);
  device->Write(std::string_view("$A\n"));
  ASSERT_TRUE(reader.HasHandedOver("$A"));  // and back in its wait, with nothing to read
  ResultWithoutHang([&] { reader.thread.Suspend(); });
  EXPECT_TRUE(reader.thread.IsSuspended());
}

TEST(ReaderThreadTest, StopEndsAPortWaitAndTheDestructorJoins) {
  for (const PortLine& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line.kind);
    std::optional<LineReader> reader(std::in_place, line.port);
    LetItRun();  // into its wait for input, which nothing arrives to end
    ResultWithoutHang([&] { reader.reset(); });
    EXPECT_TRUE(line.port->IsOpen());  // the stop, not a close, ended the wait
  }
}

TEST(HungUpPortTest, AReaderOnAHungUpPortBacksOffInsteadOfSpinning) {
  for (const PortLine& line : BothKindsOfPortLine()) {
    SCOPED_TRACE(line.kind);
    line.hangUp();
    auto counting = std::make_shared<CountingPort>(line.port);
    {
      LineReader reader(counting);
      std::this_thread::sleep_for(500ms);
    }
    // A pause of 10 ms after each failed wait allows about fifty calls; a reader that tries
    // again at once makes hundreds of thousands, and one that gives up makes one.
    EXPECT_GT(counting->Calls(), 1);
    EXPECT_LT(counting->Calls(), 1000);
  }
}

// A suspension before the body's first read is reported by that read, as any later one is.
TEST(ReaderThreadTest, TheFirstReadReportsASuspensionSinceTheStart) {
  for (const bool suspendFirst : {false, true}) {
    SCOPED_TRACE(suspendFirst ? "suspended and resumed before the first read" : "no suspension");
    const PortHandle ui = MakeMemoryPortPair().first;
    std::latch mayRead(1);
    std::promise<bool> firstReport;
    std::future<bool> reported = firstReport.get_future();
    ReaderThread thread([&](ReaderThread& self) {
      std::array<char, 8> bytes{};
      mayRead.wait();
      firstReport.set_value(self.ReadPort(*ui, bytes).suspendedSinceLastRead);
    });
    if (suspendFirst) {
      thread.Suspend();
      thread.Resume();
    }
    mayRead.count_down();
    EXPECT_EQ(reported.get(), suspendFirst);
  }
}

// A body that does not read the port: its hand-overs wait while it is suspended. After the stop
// an hour's sleep must end at once.
TEST(ReaderThreadTest, HandoverWaitsWhileSuspendedAndAStopEndsTheWait) {
  std::atomic<ReaderThread*> current{nullptr};
  std::atomic<int> handovers{0};
  std::atomic<bool> endedByStop{false};
  ReaderThread thread([&](ReaderThread& self) {
    current = ReaderThread::Current();
    while (self.Handover([&] { ++handovers; }) == ReaderThread::HandoverResult::HandedOver)
      std::this_thread::yield();
    endedByStop = self.StopRequested() && !self.SleepFor(3'600'000);
  });
  ASSERT_TRUE(Eventually([&] { return handovers > 0; }));
  thread.Suspend();
  const int atSuspend = handovers;
  LetItRun();
  ResultWithoutHang([&] {
    thread.RequestStop();
    thread.Join();
  });
  EXPECT_EQ(handovers.load(), atSuspend);
  EXPECT_TRUE(endedByStop.load());
  EXPECT_EQ(current.load(), &thread);
}

}  // namespace
}  // namespace platform
