// gradsim as a real process on real pseudo-terminals; each case takes a few seconds.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "e2e/ChildProcess.h"
#include "gradsim/NmeaFormat.h"
#include "gradsim/PbarLine.h"

namespace gradsim {
namespace {

using std::chrono::milliseconds;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// gradsim on `root`, its stdout and stderr in files there.
e2e::ChildProcess Simulator(const fs::path& root, std::vector<std::string> options) {
  options.insert(options.begin(), {GRADSIM_BINARY, "--root", root.string()});
  return e2e::ChildProcess(std::move(options), {}, root);
}

// Whether gradsim on `root` prints the texts, in this order, within `limit`.
bool Printed(const fs::path& root, std::initializer_list<std::string_view> texts,
             milliseconds limit) {
  return e2e::WaitFor(
      [&] {
        const std::string printed = TempFolder::ReadFile(root / "stdout");
        std::size_t at = 0;
        for (std::string_view text : texts)
          at = at == std::string::npos ? at : printed.find(text, at);
        return at != std::string::npos;
      },
      limit);
}

// Opens a linked port as the logger would, raw, at 9600 baud.
int OpenPort(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios attributes{};
  if (fd >= 0 && tcgetattr(fd, &attributes) == 0) {
    cfmakeraw(&attributes);
    cfsetspeed(&attributes, B9600);
    tcsetattr(fd, TCSANOW, &attributes);
  }
  return fd;
}

// The CR LF terminated lines each port sends during `span`.
std::vector<std::vector<std::string>> LinesFor(const std::vector<int>& fds, milliseconds span) {
  using Clock = std::chrono::steady_clock;
  std::vector<std::string> bytes(fds.size());
  std::vector<std::vector<std::string>> lines(fds.size());
  char buffer[512];
  for (const auto deadline = Clock::now() + span; Clock::now() < deadline; usleep(20000))
    for (std::size_t i = 0; i < fds.size(); ++i)
      for (ssize_t got; (got = read(fds[i], buffer, sizeof buffer)) > 0;)
        bytes[i].append(buffer, static_cast<std::size_t>(got));
  for (std::size_t i = 0; i < fds.size(); ++i)
    for (std::size_t start = 0, end; (end = bytes[i].find("\r\n", start)) != std::string::npos;
         start = end + 2)
      lines[i].push_back(bytes[i].substr(start, end - start));
  return lines;
}

TEST(EndToEndTest, PlaysBothDevicesHearsTheLoggerAndCleansUpOnSigterm) {
  TempFolder root;
  e2e::ChildProcess sim = Simulator(root.Path(), {"--seed", "3", "--duration", "60"});
  ASSERT_TRUE(
      Printed(root.Path(), {"gradsim: COM1 -> /dev/pts/", "COM2 -> /dev/pts/"}, milliseconds(5000)))
      << TempFolder::ReadFile(root.Path() / "stderr");
  const fs::path com1 = root.Path() / "dev" / "COM1";
  const fs::path com2 = root.Path() / "dev" / "COM2";
  const int instrument = OpenPort(com1);
  const int gps = OpenPort(com2);
  ASSERT_TRUE(instrument >= 0 && gps >= 0);

  const auto lines = LinesFor({instrument, gps}, milliseconds(3000));
  // The first line may have begun before the open. 10 readings a second.
  ASSERT_GE(lines[0].size(), 21u);
  EXPECT_LE(lines[0].size(), 41u);
  for (std::size_t i = 1; i < lines[0].size(); ++i)
    EXPECT_EQ(testing::PbarValues(lines[0][i]).value_or(std::vector<double>{}).size(), 2u)
        << lines[0][i];
  int fixes = 0;
  for (const std::string& line : lines[1]) {
    if (!line.starts_with("$"))
      continue;  // begun before the open
    // Each sentence exactly as NmeaSentence writes it, checksum included.
    EXPECT_EQ(NmeaSentence(line.substr(1, line.rfind('*') - 1)), line + "\r\n");
    if (!line.starts_with("$GPGGA,"))
      continue;
    ++fixes;  // at 1 m/s north of the default origin, 52.0907 N 5.1214 E
    const std::size_t latitude = line.find(',', 7) + 1;
    EXPECT_EQ(line.substr(latitude, 7), "5205.44") << line;
    EXPECT_EQ(line.substr(line.find(",N,", latitude) + 3, 8), "00507.28") << line;
  }
  EXPECT_GE(fixes, 2);
  EXPECT_LE(fixes, 4);

  ASSERT_EQ(write(instrument, "HX", 2), 2);
  EXPECT_TRUE(Printed(root.Path(), {"COM1 <- \"HX\""}, milliseconds(3000)));
  close(instrument);
  close(gps);
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(milliseconds(5000)), 0);
  EXPECT_FALSE(fs::is_symlink(com1));
  EXPECT_FALSE(fs::is_symlink(com2));
}

// The CR LF terminated lines in `bytes`, without the first, which may have begun earlier.
std::vector<std::string> WholeLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = bytes.find("\r\n");
  for (std::size_t end;
       start != std::string::npos && (end = bytes.find("\r\n", start + 2)) != std::string::npos;
       start = end)
    lines.push_back(bytes.substr(start + 2, end - start - 2));
  return lines;
}

TEST(EndToEndTest, UnpacedReadingsOutrunTheBaudRateAndTheSentLogListsEachOne) {
  TempFolder root;
  const fs::path sentLog = root.Path() / "sent.log";
  e2e::ChildProcess sim =
      Simulator(root.Path(), {"--no-gps", "--unpaced", "--reading-rate", "400", "--sent-log",
                              sentLog.string(), "--duration", "60"});
  ASSERT_TRUE(Printed(root.Path(), {"COM1 -> /dev/pts/", "400 Hz, unpaced"}, milliseconds(5000)))
      << TempFolder::ReadFile(root.Path() / "stderr");
  const int port = OpenPort(root.Path() / "dev" / "COM1");
  ASSERT_GE(port, 0);
  // Held exclusively, as the logger holds it, so that gradsim drops no input as stale.
  ASSERT_EQ(ioctl(port, TIOCEXCL), 0);

  // 1200 lines take 3 s unpaced; at 9600 baud, about 43 lines a second, they would take 28 s,
  // more than twice the limit here.
  constexpr std::size_t WANTED = 1200;
  std::string bytes;
  char buffer[4096];
  for (const auto deadline = std::chrono::steady_clock::now() + milliseconds(12000);
       WholeLines(bytes).size() < WANTED && std::chrono::steady_clock::now() < deadline;) {
    pollfd fd{port, POLLIN, 0};
    if (poll(&fd, 1, 100) > 0)
      for (ssize_t got; (got = read(port, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(port);
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(milliseconds(5000)), 0);

  const std::vector<std::string> received = WholeLines(bytes);
  ASSERT_GE(received.size(), WANTED);
  std::vector<std::string> sent;
  std::istringstream log(TempFolder::ReadFile(sentLog));
  for (std::string line; std::getline(log, line);)
    sent.push_back(line);
  // What arrived is a run of the sent log, nothing missing in between; a line may repeat.
  bool found = false;
  for (auto at = sent.begin(); !found && at != sent.end(); ++at)
    found = sent.end() - at >= static_cast<std::ptrdiff_t>(received.size()) &&
            std::equal(received.begin(), received.end(), at);
  EXPECT_TRUE(found) << received.size() << " lines received, " << sent.size() << " sent";
  for (const std::string& line : received)
    ASSERT_EQ(testing::PbarValues(line).value_or(std::vector<double>{}).size(), 2u) << line;
}

TEST(EndToEndTest, TotalStationWithSplitLinesAndAWarningForWrongLineSettings) {
  TempFolder root;
  e2e::ChildProcess sim = Simulator(
      root.Path(), {"--no-instrument", "--gps-port", "3", "--gps-type", "RTS Trimble", "--gps-rate",
                    "5", "--gps-baud", "19200", "--split-lines", "--duration", "4"});
  ASSERT_TRUE(Printed(root.Path(), {"COM3 -> /dev/pts/"}, milliseconds(5000)))
      << TempFolder::ReadFile(root.Path() / "stderr");
  const fs::path com3 = root.Path() / "dev" / "COM3";
  const int port = OpenPort(com3);
  ASSERT_GE(port, 0);
  EXPECT_TRUE(Printed(root.Path(),
                      {"warning", "COM3 set to 9600 8N1 but the device sends 19200 8N1"},
                      milliseconds(2000)));

  // Split lines arrive in pieces, but the stream of bytes is whole.
  const std::vector<std::string> lines = LinesFor({port}, milliseconds(1500)).front();
  close(port);
  int records = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i - 1].starts_with(">37=50")) {
      ++records;
      EXPECT_TRUE(lines[i].starts_with("38=10")) << lines[i];
    }
  }
  EXPECT_GE(records, 5);
  EXPECT_LE(records, 9);
  // Ends by itself at --duration and takes its link away.
  EXPECT_EQ(sim.Wait(milliseconds(6000)), 0);
  EXPECT_FALSE(fs::is_symlink(com3));
}

TEST(EndToEndTest, SetupProblemsEndWithAClearMessage) {
  TempFolder file, device, stale, bad, noLog;
  TempFolder::WriteFile(file.Path() / "dev" / "COM2", "mine");
  fs::create_directories(device.Path() / "dev");
  fs::create_directories(stale.Path() / "dev");
  fs::create_symlink("/dev/ttyUSB0", device.Path() / "dev" / "COM1");
  fs::create_symlink("/dev/pts/999999", stale.Path() / "dev" / "COM1");
  struct Case {
    const TempFolder& root;
    std::vector<std::string> options;
    int exitCode;
    std::string message;
  };
  const Case cases[] = {
      {file, {"--duration", "5"}, 1, "COM2 exists and is not a symbolic link"},
      {device, {"--no-gps", "--duration", "5"}, 1, "not to a pseudo-terminal"},
      {stale, {"--no-gps", "--duration", "0.5"}, 0, "replacing the old link"},
      {bad, {"--sensors", "4"}, 64, "usage: gradsim --root DIR"},
      {noLog,
       {"--no-gps", "--sent-log", (noLog.Path() / "missing" / "sent.log").string()},
       1,
       "cannot write the sent log"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Simulator(c.root.Path(), c.options).Wait(milliseconds(5000)), c.exitCode);
    const std::string errors = TempFolder::ReadFile(c.root.Path() / "stderr");
    EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
  }
  // The COM1 link made before the failure is gone again; the user's file and device stay.
  EXPECT_FALSE(fs::is_symlink(file.Path() / "dev" / "COM1"));
  EXPECT_EQ(TempFolder::ReadFile(file.Path() / "dev" / "COM2"), "mine");
  EXPECT_EQ(fs::read_symlink(device.Path() / "dev" / "COM1"), "/dev/ttyUSB0");
  EXPECT_FALSE(fs::is_symlink(stale.Path() / "dev" / "COM1"));
  EXPECT_FALSE(fs::is_symlink(noLog.Path() / "dev" / "COM1"));
}

}  // namespace
}  // namespace gradsim
