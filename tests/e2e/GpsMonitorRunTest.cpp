// The GPS monitor of the real logger against gradsim's receiver on a pseudo-terminal, driven by
// a script; the script's "expect" lines end the logger with exit code 3 when text is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/FirstStartSettings.h"

namespace e2e {
namespace {

using std::chrono::seconds;
using testing_support::TempFolder;

// A device root with the first start's settings (GPS input on COM2) and gradsim playing only
// the receiver, with `options`; its stdout and stderr go to files in the root's "sim" folder.
class ReceiverRun {
 public:
  explicit ReceiverRun(std::vector<std::string> options) {
    TempFolder::WriteFile(Root() / "C_DRIVE" / "KELINI" / "Z601CX.INI",
                          testing_support::JoinCrLf(testing_support::FirstStartLines()));
    options.insert(options.begin(),
                   {GRADSIM_BINARY, "--root", Root().string(), "--no-instrument", "--seed", "7"});
    std::filesystem::create_directories(Root() / "sim");
    simulator_.emplace(std::move(options), std::vector<std::string>{}, Root() / "sim");
    EXPECT_TRUE(
        WaitFor([this] { return std::filesystem::exists(Root() / "dev" / "COM2"); }, seconds(10)));
  }

  std::filesystem::path Root() const { return folder_.Path(); }

  // The logger's exit code after the script, or nullopt after a minute.
  std::optional<int> RunLogger(const std::string& script) const {
    return RunGradlogHeadless(Root(), script);
  }

  // What gradsim received on COM2, its escapes as it prints them (CR LF as "\x0D\x0A").
  std::string ReceivedOnCom2() const {
    const std::string out = TempFolder::ReadFile(Root() / "sim" / "stdout");
    const std::string prefix = "COM2 <- \"";
    std::string received;
    for (std::size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1) {
      const std::string line = out.substr(at, end - at);
      if (line.rfind(prefix, 0) == 0 && line.size() > prefix.size())
        received += line.substr(prefix.size(), line.size() - prefix.size() - 1);
    }
    return received;
  }

 private:
  TempFolder folder_;
  std::optional<ChildProcess> simulator_;
};

TEST(GpsMonitorRun, TheMonitorListsTheReceiverSendsACommandAndPausesAndGoesOn) {
  ReceiverRun run({});
  ASSERT_EQ(run.RunLogger("wait 500\nkey N\nwait 2500\nexpect $GPGGA\nexpect Pause\n"
                          "key S\nwait 500\nexpect Enter GPS message\nkey Enter\nwait 500\n"
                          "key P\nwait 300\nexpect Go\nkey G\nwait 1500\nexpect Pause\n"
                          "key X\nwait 300\nexpect Survey Setup\nkey X\n"),
            0);
  const std::string sent = "$PASHS,NME,POS,A,ON\\x0D\\x0A";
  EXPECT_TRUE(
      WaitFor([&] { return run.ReceivedOnCom2().find(sent) != std::string::npos; }, seconds(5)))
      << "gradsim received: " << run.ReceivedOnCom2();
}

TEST(GpsMonitorRun, ASilentReceiverIsReportedAsNoData) {
  ReceiverRun run({"--gps-silence", "0:forever"});
  ASSERT_EQ(run.RunLogger("wait 300\nkey N\nwait 1000\nexpect Pause\nwait 6500\n"
                          "expect NO DATA\nkey X\nwait 300\nkey X\n"),
            0);
}

}  // namespace
}  // namespace e2e
