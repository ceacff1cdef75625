// Each case runs in a forked child: the signals stay blocked there after the object goes, and
// a signal that got through would end only the child. An alarm ends a child that hangs.
#include "platform/sys/TerminationSignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "ThreadTestSupport.h"
#include "support/ForkedChild.h"

namespace platform {
namespace {

using gradlog::testing::Eventually;
using gradlog::testing::LetItRun;
using testing_support::ForkedChild;

constexpr unsigned HANG_LIMIT_S = 30;

// The threads of this process named as the watcher is; the sanitizers may run threads of
// their own.
int WatchersRunning() {
  int count = 0;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    count += std::getline(comm, name) && name == TerminationSignals::WATCHER_NAME;
  }
  return count;
}

bool BlocksTerminations() {
  sigset_t mask;
  pthread_sigmask(SIG_BLOCK, nullptr, &mask);
  return sigismember(&mask, SIGTERM) == 1 && sigismember(&mask, SIGINT) == 1;
}

TEST(TerminationSignalsTest, ReportsEachSignalSentToTheProcessWhichGoesOn) {
  const int sent[] = {SIGTERM, SIGINT, SIGTERM};
  ForkedChild child([&](ForkedChild& self) {
    alarm(HANG_LIMIT_S);
    std::atomic<int> calls = 0;
    std::atomic<int> last = 0;
    TerminationSignals signals([&](int signal) {
      last = signal;
      ++calls;
    });
    self.Send(signals.Watching());
    for (const int signal : sent) {
      const int before = calls;
      kill(getpid(), signal);
      self.Send(Eventually([&] { return calls > before; }) ? last.load() : 0);
    }
  });
  EXPECT_EQ(child.Receive<bool>(), std::optional(true));
  for (const int signal : sent)
    EXPECT_EQ(child.Receive<int>(), std::optional(signal));
  EXPECT_EQ(child.Wait(), 0);
}

TEST(TerminationSignalsTest, BlocksInLaterThreadsAndLeavesNoWatcherBehind) {
  struct Report {
    int watchersBefore, watchersWhileAlive, watchersAfter;
    bool blockedInLaterThread, blockedAfter, pendingAfter;
    int callsAfter;
  };
  ForkedChild child([](ForkedChild& self) {
    alarm(HANG_LIMIT_S);
    Report report{.watchersBefore = WatchersRunning()};
    std::atomic<int> calls = 0;
    {
      TerminationSignals signals([&](int) { ++calls; });
      report.watchersWhileAlive = WatchersRunning();
      std::thread([&] { report.blockedInLaterThread = BlocksTerminations(); }).join();
    }
    // A joined thread leaves the task list a moment after the join returns.
    Eventually([] { return WatchersRunning() == 0; });
    report.watchersAfter = WatchersRunning();
    // With no watcher the signal stays pending instead of ending the child.
    kill(getpid(), SIGTERM);
    LetItRun();
    sigset_t pending;
    sigpending(&pending);
    report.pendingAfter = sigismember(&pending, SIGTERM) == 1;
    report.blockedAfter = BlocksTerminations();
    report.callsAfter = calls;
    self.Send(report);
  });
  const std::optional<Report> report = child.Receive<Report>();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->watchersBefore, 0);
  EXPECT_EQ(report->watchersWhileAlive, 1);
  EXPECT_EQ(report->watchersAfter, 0);
  EXPECT_TRUE(report->blockedInLaterThread);
  EXPECT_TRUE(report->blockedAfter);
  EXPECT_TRUE(report->pendingAfter);
  EXPECT_EQ(report->callsAfter, 0);
  EXPECT_EQ(child.Wait(), 0);
}

}  // namespace
}  // namespace platform
