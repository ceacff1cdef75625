// A device stream on a real pseudo-terminal.
#include "gradsim/DeviceStream.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "gradsim/InstrumentPlayer.h"
#include "gradsim/PbarLine.h"
#include "support/TempFolder.h"

namespace gradsim {
namespace {

using testing_support::TempFolder;
using Lines = std::vector<std::string>;

constexpr int BAUD = 9600;
constexpr std::size_t LONGEST_LINE = 23;  // "$PBAR,1999.99,1999.99\r\n"

// A stream whose clock is the test's own: each step comes exactly when the previous one asked
// for it, so the counts do not depend on the machine's speed.
struct StreamRun {
  explicit StreamRun(StreamSettings settings)
      : link(root.Path(), 1, SerialFraming{}, notes),
        reader(open(link.LinkPath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)),
        stream(
            link,
            [this](double seconds) { return Lines{(++ticks, player.ReadingAt(seconds, noise))}; },
            std::move(settings),
            [this](std::string_view line) { sent.emplace_back(line.substr(0, line.size() - 2)); }) {
  }
  ~StreamRun() { close(reader); }

  // Steps up to `seconds`, reading after each step or leaving the line to fill; then reads
  // until the line stays empty a while, as the kernel passes bytes on asynchronously.
  void Run(double seconds, bool reading) {
    ASSERT_GE(reader, 0);
    for (double next; now < seconds; now = next) {
      ASSERT_GT(next = stream.Step(now), now);
      if (reading)
        Read(0);
    }
    Read(200);
  }
  void Read(int idleMs) {
    char buffer[4096];
    for (pollfd fd{reader, POLLIN, 0}; poll(&fd, 1, idleMs) > 0;) {
      const ssize_t got = read(reader, buffer, sizeof buffer);
      if (got <= 0)
        break;
      bytes.append(buffer, static_cast<std::size_t>(got));
    }
  }
  // The lines received, each from its last '$' before CR LF, as a reader that starts a line
  // over at each '$' takes them: past garbage and the start of a line cut short.
  Lines Received() const {
    Lines lines;
    for (std::size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      const std::string piece = bytes.substr(start, end - start);
      lines.push_back(piece.substr(std::min(piece.rfind('$'), piece.size())));
    }
    return lines;
  }

  TempFolder root;
  std::ostringstream notes;
  PtyLink link;
  int reader;
  InstrumentPlayer player{2, WalkerSettings{}, 5};
  Random noise{6};
  int ticks = 0;
  Lines sent;
  DeviceStream stream;
  std::string bytes;
  double now = 0.0;
};

TEST(DeviceStreamTest, UnpacedLinesOutrunTheBaudRateAndEachLineSentArrivesWhole) {
  struct Case {
    const char* name;
    std::size_t fewestLines, mostLines;  // in one second
    StreamSettings settings;             // at BAUD
  };
  // Paced, 960 bytes a second carry about 43 lines whatever the rate; split lines come in two
  // or three pieces 30 ms apart; up to three merged lines wait in the last write.
  const Case cases[] = {
      {"paced, 10 Hz", 10, 11, {.ticksPerSecond = 10}},
      {"paced, 400 Hz", 38, 46, {.ticksPerSecond = 400}},
      {"unpaced", 399, 401, {.ticksPerSecond = 400, .unpaced = true}},
      {"silent", 299, 301, {.ticksPerSecond = 400, .unpaced = true, .silences = {{0.25, 0.25}}}},
      {"split lines",
       16,
       35,
       {.ticksPerSecond = 400, .unpaced = true, .faults = {.splitLines = true}}},
      {"merged, garbage",
       396,
       401,
       {.ticksPerSecond = 400, .unpaced = true, .faults = {.garbageEvery = 3, .mergeLines = 4}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StreamSettings settings = c.settings;
    settings.baud = BAUD;
    StreamRun run(settings);
    run.Run(1.0, true);
    EXPECT_EQ(run.Received(), run.sent);
    EXPECT_GE(run.sent.size(), c.fewestLines);
    EXPECT_LE(run.sent.size(), c.mostLines);
    for (const std::string& line : run.sent)
      ASSERT_EQ(testing::PbarValues(line).value_or(std::vector<double>{}).size(), 2u) << line;
    // Paced, the bytes keep to the baud rate, the last line begun before the second ended.
    EXPECT_TRUE(c.settings.unpaced || run.bytes.size() <= BAUD / 10 + LONGEST_LINE);
  }
}

// 230 kB unpaced or 110 kB paced: more than a pseudo-terminal holds unread.
TEST(DeviceStreamTest, AFullLineHoldsUnpacedLinesBackButLosesPacedOnes) {
  StreamRun unpaced({.ticksPerSecond = 1000, .baud = BAUD, .unpaced = true});
  unpaced.Run(10.0, false);
  unpaced.Run(11.0, true);
  // Ticks were skipped while the line was full, but every line begun went out whole.
  EXPECT_LT(unpaced.ticks, 10000);
  EXPECT_EQ(unpaced.sent.size(), static_cast<std::size_t>(unpaced.ticks));
  EXPECT_EQ(unpaced.Received(), unpaced.sent);

  StreamRun paced({.ticksPerSecond = 100, .baud = BAUD});
  paced.Run(120.0, false);
  paced.Run(121.0, true);
  // Lines cut short are not reported as sent; those reported arrived whole, in order.
  EXPECT_LT(paced.sent.size(), static_cast<std::size_t>(paced.ticks));
  const Lines received = paced.Received();
  auto at = received.begin();
  for (const std::string& line : paced.sent) {
    at = std::find(at, received.end(), line);
    ASSERT_NE(at, received.end()) << line;
  }
}

}  // namespace
}  // namespace gradsim
