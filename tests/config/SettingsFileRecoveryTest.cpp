// The settings file against power cuts, hand edits and things that are no settings file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "config/SettingsFile.h"
#include "config/SettingsFileFixture.h"

namespace gradlog {
namespace {

namespace fs = std::filesystem;
using testing::FileWithLine;
using testing_support::FirstStartLines;
using testing_support::JoinCrLf;

constexpr int EXIT_SAVED = 10;
constexpr int EXIT_NOT_SAVED = 11;

struct ChildOutcome {
  int exitCode = -1;
  std::string errorOutput;
};

// Runs `body` in a child process whose files may grow to `limitBytes` at most; a write beyond
// fails with EFBIG (SIGXFSZ is ignored), as on a full card. Its stderr is collected.
ChildOutcome RunWithFileSizeLimit(rlim_t limitBytes, const std::function<int()>& body) {
  int errorPipe[2];
  if (::pipe(errorPipe) != 0)
    return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(errorPipe[1], STDERR_FILENO);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = limitBytes;
    ::_exit(::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? body() : 127);
  }
  ::close(errorPipe[1]);
  ChildOutcome outcome;
  char buffer[512];
  for (ssize_t count; (count = ::read(errorPipe[0], buffer, sizeof buffer)) > 0;)
    outcome.errorOutput.append(buffer, static_cast<std::size_t>(count));
  ::close(errorPipe[0]);
  int status = 0;
  if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
    outcome.exitCode = WEXITSTATUS(status);
  return outcome;
}

class SettingsFileRecoveryTest : public testing::SettingsFileFixture {
 protected:
  fs::path SetAsidePath() const { return root.SettingsPath().string() + ".bad"; }
  std::set<std::string> SettingsFolderNames() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(root.SettingsPath().parent_path()))
      names.insert(entry.path().filename().string());
    return names;
  }
  // Start-up with a fresh record; what it wrote on stderr.
  std::string StartUpFresh() {
    config = std::make_unique<ConfigState>();
    ::testing::internal::CaptureStderr();
    StartUp(*config);
    return ::testing::internal::GetCapturedStderr();
  }
};

std::string JoinCr(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += line + "\r";
  return out;
}

std::string EveryByte() {
  std::string bytes;
  for (int i = 0; i < 4 * 256; ++i)
    bytes += static_cast<char>(i * 7);
  return bytes;
}

TEST_F(SettingsFileRecoveryTest, UnreadableFileIsKeptAsBadBeforeTheDefaultsAreWritten) {
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  const std::vector<Case> cases{
      {"CR-only line ends", JoinCr(FirstStartLines()), "first line is not Ver1.34"},
      {"binary garbage", EveryByte(), "first line is not Ver1.34"},
      {"an older version", FileWithLine(1, "Ver1.33"), "first line is not Ver1.34"},
      {"empty", "", "first line is not Ver1.34"},
      {"a 5 MB line", FileWithLine(51, std::string(5 << 20, 'L')), "larger than 65536 bytes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSettings(c.bytes);
    root.WriteFile(SetAsidePath(), "an older .bad");
    const std::string errorOutput = StartUpFresh();
    EXPECT_EQ(root.ReadFile(SetAsidePath()), c.bytes);
    EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
    EXPECT_EQ(config->readingIntervalMs, 200) << "the written defaults are read back";
    EXPECT_NE(errorOutput.find(root.SettingsPath().string() + " is unreadable"), std::string::npos)
        << errorOutput;
    EXPECT_NE(errorOutput.find(c.reason), std::string::npos) << errorOutput;
    EXPECT_NE(errorOutput.find("kept as Z601CX.INI.bad"), std::string::npos) << errorOutput;
    EXPECT_EQ(std::count(errorOutput.begin(), errorOutput.end(), '\n'), 1) << errorOutput;
  }
}

// Neither reading a FIFO without a writer nor an endless device may hold up start-up.
TEST_F(SettingsFileRecoveryTest, FifoOrDeviceInPlaceOfTheFileIsSetAsideWithoutReadingIt) {
  fs::create_directories(root.SettingsPath().parent_path());
  ASSERT_EQ(::mkfifo(root.SettingsPath().c_str(), 0644), 0);
  std::string errorOutput = StartUpFresh();
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(SetAsidePath())));
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  EXPECT_NE(errorOutput.find("(not a regular file)"), std::string::npos) << errorOutput;

  fs::remove(root.SettingsPath());
  fs::create_symlink("/dev/zero", root.SettingsPath());
  errorOutput = StartUpFresh();
  EXPECT_EQ(fs::read_symlink(SetAsidePath()), "/dev/zero");
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
  EXPECT_NE(errorOutput.find("(not a regular file)"), std::string::npos) << errorOutput;
}

TEST_F(SettingsFileRecoveryTest, MissingFileIsWrittenWithoutAWord) {
  EXPECT_EQ(StartUpFresh(), "");
  EXPECT_EQ(SettingsFolderNames(), std::set<std::string>{"Z601CX.INI"});
  EXPECT_EQ(SettingsBytes(), JoinCrLf(FirstStartLines()));
}

// Where the unreadable file cannot be kept (a folder with files holds the .bad name), it is
// not written over either.
TEST_F(SettingsFileRecoveryTest, UnreadableFileThatCannotBeKeptIsLeftAlone) {
  const std::string older = FileWithLine(1, "Ver1.20");
  WriteSettings(older);
  root.WriteFile(SetAsidePath() / "inside", "x");
  const std::string errorOutput = StartUpFresh();
  EXPECT_EQ(SettingsBytes(), older);
  EXPECT_NE(errorOutput.find("cannot be kept as Z601CX.INI.bad"), std::string::npos) << errorOutput;
}

// A save that fails part of the way leaves the old file byte for byte and no temporary file.
TEST_F(SettingsFileRecoveryTest, FailedSaveIsReportedAndLeavesTheOldFileWhole) {
  StartUp(*config);
  const std::string before = SettingsBytes();
  ASSERT_GT(before.size(), 100u);
  config->settings.gpsPort = 7;
  const ChildOutcome outcome =
      RunWithFileSizeLimit(100, [&] { return SaveSettings(*config) ? EXIT_SAVED : EXIT_NOT_SAVED; });
  EXPECT_EQ(outcome.exitCode, EXIT_NOT_SAVED);
  EXPECT_EQ(SettingsBytes(), before);
  EXPECT_EQ(SettingsFolderNames(), std::set<std::string>{"Z601CX.INI"});
  EXPECT_NE(outcome.errorOutput.find(root.SettingsPath().string() + " cannot be saved"),
            std::string::npos)
      << outcome.errorOutput;
  EXPECT_NE(outcome.errorOutput.find("File too large"), std::string::npos) << outcome.errorOutput;

  // With room again the same save goes through.
  EXPECT_TRUE(SaveSettings(*config));
  EXPECT_EQ(SettingsBytes(), FileWithLine(38, "7"));
}

}  // namespace
}  // namespace gradlog
