// gradsim as a real process on real pseudo-terminals; each case takes a few seconds.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "gradsim/NmeaFormat.h"
#include "support/TempFolder.h"

namespace gradsim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// gradsim with its stdout and stderr on pipes; killed if still running at the end.
class Simulator {
 public:
  explicit Simulator(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), GRADSIM_BINARY);
    if (pipe2(out_, O_CLOEXEC) != 0 || pipe2(err_, O_CLOEXEC) != 0)
      throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err_[1], 2);
    std::vector<char*> argv;
    for (std::string& a : arguments)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out_[1]);
    close(err_[1]);
    if (failed != 0)
      throw std::runtime_error("cannot start gradsim");
  }
  ~Simulator() {
    if (!exitCode_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    close(out_[0]);
    close(err_[0]);
  }

  // The next stdout line holding `text`, or nullopt after `limit`.
  std::optional<std::string> LineWith(const std::string& text, milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
      std::size_t end;
      while ((end = pending_.find('\n')) != std::string::npos) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        if (line.find(text) != std::string::npos)
          return line;
      }
      const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
      pollfd fd{out_[0], POLLIN, 0};
      if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0)
        return std::nullopt;
      char buffer[1024];
      const ssize_t got = read(out_[0], buffer, sizeof buffer);
      if (got <= 0)
        return std::nullopt;
      pending_.append(buffer, static_cast<std::size_t>(got));
    }
  }

  std::string Errors() {
    std::string text;
    char buffer[1024];
    ssize_t got;
    while ((got = read(err_[0], buffer, sizeof buffer)) > 0)
      text.append(buffer, static_cast<std::size_t>(got));
    return text;
  }

  void Signal(int signal) { kill(pid_, signal); }

  std::optional<int> Wait(milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!exitCode_ && Clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      else
        usleep(10000);
    }
    return exitCode_;
  }

 private:
  pid_t pid_ = -1;
  int out_[2] = {-1, -1};
  int err_[2] = {-1, -1};
  std::string pending_;
  std::optional<int> exitCode_;
};

// Opens a linked port as the logger would, raw, at `baud`.
int OpenPort(const std::filesystem::path& path, speed_t baud = B9600) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return fd;
  termios attributes{};
  tcgetattr(fd, &attributes);
  cfmakeraw(&attributes);
  cfsetispeed(&attributes, baud);
  cfsetospeed(&attributes, baud);
  tcsetattr(fd, TCSANOW, &attributes);
  return fd;
}

// Everything the ports send for `span`, per port.
std::vector<std::string> ReadFor(const std::vector<int>& fds, milliseconds span) {
  std::vector<std::string> received(fds.size());
  const auto deadline = Clock::now() + span;
  while (Clock::now() < deadline) {
    std::vector<pollfd> polled;
    for (const int fd : fds)
      polled.push_back({fd, POLLIN, 0});
    poll(polled.data(), polled.size(), 20);
    for (std::size_t i = 0; i < fds.size(); ++i) {
      char buffer[512];
      ssize_t got;
      while ((got = read(fds[i], buffer, sizeof buffer)) > 0)
        received[i].append(buffer, static_cast<std::size_t>(got));
    }
  }
  return received;
}

std::vector<std::string> CompleteLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t end;
  while ((end = bytes.find("\r\n", start)) != std::string::npos) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool ChecksumValid(const std::string& line) {
  const std::size_t star = line.find('*');
  return line.starts_with("$") && star != std::string::npos && line.size() == star + 3 &&
         NmeaChecksum(std::string_view(line).substr(1, star - 1)) ==
             std::strtoul(line.substr(star + 1).c_str(), nullptr, 16);
}

TEST(EndToEndTest, PlaysBothDevicesHearsTheLoggerAndCleansUpOnSigterm) {
  testing_support::TempFolder root;
  Simulator sim({"--root", root.Path().string(), "--seed", "3", "--duration", "60"});
  const auto start = sim.LineWith("gradsim: COM1 -> /dev/pts/", milliseconds(5000));
  ASSERT_TRUE(start) << sim.Errors();
  EXPECT_NE(start->find("COM2 -> /dev/pts/"), std::string::npos) << *start;
  const std::filesystem::path com1 = root.Path() / "dev" / "COM1";
  const std::filesystem::path com2 = root.Path() / "dev" / "COM2";
  const int instrument = OpenPort(com1);
  const int gps = OpenPort(com2);
  ASSERT_GE(instrument, 0);
  ASSERT_GE(gps, 0);

  const std::vector<std::string> received = ReadFor({instrument, gps}, milliseconds(3000));
  std::vector<std::string> readings = CompleteLines(received[0]);
  ASSERT_FALSE(readings.empty());
  // The first line may have begun before the open.
  readings.erase(readings.begin());
  for (const std::string& line : readings) {
    ASSERT_TRUE(line.starts_with("$PBAR,")) << line;
    ASSERT_EQ(std::count(line.begin(), line.end(), ','), 2) << line;
    ASSERT_EQ(line.find_first_not_of("0123456789.,", 6), std::string::npos) << line;
  }
  RecordProperty("pbar_lines_in_3s", static_cast<int>(readings.size()));
  EXPECT_GE(readings.size(), 20u);
  EXPECT_LE(readings.size(), 40u);

  int sentences = 0;
  int fixes = 0;
  for (const std::string& line : CompleteLines(received[1])) {
    if (!line.starts_with("$"))
      continue;
    ++sentences;
    EXPECT_TRUE(ChecksumValid(line)) << line;
    fixes += line.starts_with("$GPGGA,");
  }
  RecordProperty("nmea_sentences_in_3s", sentences);
  EXPECT_GE(fixes, 2);
  EXPECT_LE(fixes, 4);

  ASSERT_EQ(write(instrument, "HX", 2), 2);
  EXPECT_TRUE(sim.LineWith("COM1 <- \"HX\"", milliseconds(3000)));
  close(instrument);
  close(gps);

  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(milliseconds(5000)), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(com1));
  EXPECT_FALSE(std::filesystem::is_symlink(com2));
}

TEST(EndToEndTest, TotalStationWithSplitLinesAndAWarningForWrongLineSettings) {
  testing_support::TempFolder root;
  Simulator sim({"--root", root.Path().string(), "--no-instrument", "--gps-port", "3", "--gps-type",
                 "RTS Trimble", "--gps-rate", "5", "--gps-baud", "19200", "--split-lines",
                 "--duration", "4"});
  ASSERT_TRUE(sim.LineWith("COM3 -> /dev/pts/", milliseconds(5000))) << sim.Errors();
  const std::filesystem::path com3 = root.Path() / "dev" / "COM3";
  const int port = OpenPort(com3, B9600);
  ASSERT_GE(port, 0);
  const auto warning = sim.LineWith("warning", milliseconds(2000));
  ASSERT_TRUE(warning);
  EXPECT_NE(warning->find("COM3 set to 9600 8N1 but the device sends 19200 8N1"), std::string::npos)
      << *warning;

  const std::string bytes = ReadFor({port}, milliseconds(1500)).front();
  // Split lines arrive in pieces, but the stream of bytes is whole.
  const std::vector<std::string> lines = CompleteLines(bytes);
  int records = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i - 1].starts_with(">37=50"))
      continue;
    ++records;
    EXPECT_TRUE(lines[i].starts_with("38=10")) << lines[i];
  }
  EXPECT_GE(records, 5) << bytes;
  EXPECT_LE(records, 9) << bytes;
  close(port);

  // Ends by itself at --duration and takes its link away.
  EXPECT_EQ(sim.Wait(milliseconds(6000)), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(com3));
}

TEST(EndToEndTest, ReplaysALogLineByLine) {
  testing_support::TempFolder root;
  const std::filesystem::path log = root.Path() / "short.log";
  testing_support::TempFolder::WriteFile(
      log, "# Receiver: test\n$GPGGA,,,,,,0,,,,M,,M,,*66\n\n$GPGLL,,,,,,V,N*64\n");
  Simulator sim({"--root", root.Path().string(), "--no-instrument", "--replay", log.string(),
                 "--replay-rate", "20", "--duration", "30"});
  const auto start = sim.LineWith("COM2 -> /dev/pts/", milliseconds(5000));
  ASSERT_TRUE(start) << sim.Errors();
  EXPECT_NE(start->find("replay short.log"), std::string::npos) << *start;
  const int port = OpenPort(root.Path() / "dev" / "COM2");
  ASSERT_GE(port, 0);
  std::vector<std::string> lines = CompleteLines(ReadFor({port}, milliseconds(1000)).front());
  close(port);
  ASSERT_GE(lines.size(), 10u);
  // The first line may have begun before the open.
  lines.erase(lines.begin());
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const bool gga = lines[i - 1] == "$GPGGA,,,,,,0,,,,M,,M,,*66";
    EXPECT_EQ(lines[i], gga ? "$GPGLL,,,,,,V,N*64" : "$GPGGA,,,,,,0,,,,M,,M,,*66") << i;
  }
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(milliseconds(5000)), 0);
}

TEST(EndToEndTest, SetupProblemsEndWithAClearMessage) {
  {
    SCOPED_TRACE("a regular file where a link should go");
    testing_support::TempFolder root;
    testing_support::TempFolder::WriteFile(root.Path() / "dev" / "COM2", "mine");
    Simulator sim({"--root", root.Path().string(), "--duration", "5"});
    EXPECT_EQ(sim.Wait(milliseconds(5000)), 1);
    EXPECT_NE(sim.Errors().find("COM2 exists and is not a symbolic link"), std::string::npos);
    // The COM1 link made before the failure is gone again; the user's file stays.
    EXPECT_FALSE(std::filesystem::is_symlink(root.Path() / "dev" / "COM1"));
    EXPECT_EQ(testing_support::TempFolder::ReadFile(root.Path() / "dev" / "COM2"), "mine");
  }
  {
    SCOPED_TRACE("a real device linked by the user");
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() / "dev");
    std::filesystem::create_symlink("/dev/ttyUSB0", root.Path() / "dev" / "COM1");
    Simulator sim({"--root", root.Path().string(), "--no-gps", "--duration", "5"});
    EXPECT_EQ(sim.Wait(milliseconds(5000)), 1);
    EXPECT_NE(sim.Errors().find("not to a pseudo-terminal"), std::string::npos);
    EXPECT_EQ(std::filesystem::read_symlink(root.Path() / "dev" / "COM1"), "/dev/ttyUSB0");
  }
  {
    SCOPED_TRACE("a link left by a crashed run");
    testing_support::TempFolder root;
    std::filesystem::create_directories(root.Path() / "dev");
    std::filesystem::create_symlink("/dev/pts/999999", root.Path() / "dev" / "COM1");
    Simulator sim({"--root", root.Path().string(), "--no-gps", "--duration", "0.5"});
    EXPECT_EQ(sim.Wait(milliseconds(5000)), 0);
    EXPECT_NE(sim.Errors().find("replacing the old link"), std::string::npos);
    EXPECT_FALSE(std::filesystem::is_symlink(root.Path() / "dev" / "COM1"));
  }
  {
    SCOPED_TRACE("a bad option");
    Simulator sim({"--root", "/tmp", "--sensors", "4"});
    EXPECT_EQ(sim.Wait(milliseconds(5000)), 64);
    const std::string errors = sim.Errors();
    EXPECT_NE(errors.find("--sensors"), std::string::npos) << errors;
    EXPECT_NE(errors.find("usage: gradsim --root DIR"), std::string::npos) << errors;
  }
}

}  // namespace
}  // namespace gradsim
