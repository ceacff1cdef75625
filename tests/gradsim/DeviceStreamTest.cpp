// A device stream on a real pseudo-terminal, driven by a clock of the test's own: each step
// comes exactly when the previous one asked for it, so the counts do not depend on the
// machine's speed.
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

class StreamRun {
 public:
  explicit StreamRun(StreamSettings settings)
      : link_(root_.Path(), 1, SerialFraming{}, notes_),
        reader_(open(link_.LinkPath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)),
        player_(2, WalkerSettings{}, 5),
        noise_(6),
        stream_(
            link_,
            [this](double seconds) {
              ++ticks_;
              return Lines{player_.ReadingAt(seconds, noise_)};
            },
            std::move(settings),
            [this](std::string_view line) {
              sent_.emplace_back(line.substr(0, line.size() - 2));
            }) {}
  ~StreamRun() { close(reader_); }

  // Steps up to `seconds` on the stream's clock; reads the line after each step when
  // `reading`, else leaves it to fill.
  void RunUntil(double seconds, bool reading) {
    ASSERT_GE(reader_, 0);
    while (now_ < seconds) {
      const double next = stream_.Step(now_);
      ASSERT_GT(next, now_);
      if (reading)
        Read(0);
      now_ = next;
    }
  }

  // Reads until the line stays empty for a while: the kernel passes bytes on asynchronously.
  void ReadRest() { Read(200); }

  // The lines received so far, from the last '$' before CR LF, as a reader that starts a line
  // over at each '$' takes them: past garbage and the start of a line cut short.
  Lines Received() const {
    Lines lines;
    for (std::size_t start = 0, end; (end = bytes_.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
      const std::string piece = bytes_.substr(start, end - start);
      lines.push_back(piece.substr(std::min(piece.rfind('$'), piece.size())));
    }
    return lines;
  }
  const Lines& Sent() const { return sent_; }
  std::size_t ReceivedBytes() const { return bytes_.size(); }
  int Ticks() const { return ticks_; }

 private:
  void Read(int idleMs) {
    char buffer[4096];
    for (pollfd fd{reader_, POLLIN, 0}; poll(&fd, 1, idleMs) > 0;) {
      const ssize_t got = read(reader_, buffer, sizeof buffer);
      if (got <= 0)
        break;
      bytes_.append(buffer, static_cast<std::size_t>(got));
    }
  }

  TempFolder root_;
  std::ostringstream notes_;
  PtyLink link_;
  int reader_;
  InstrumentPlayer player_;
  Random noise_;
  int ticks_ = 0;
  Lines sent_;
  DeviceStream stream_;
  std::string bytes_;
  double now_ = 0.0;
};

TEST(DeviceStreamTest, UnpacedLinesOutrunTheBaudRateAndEachLineSentArrivesWhole) {
  struct Case {
    const char* name;
    StreamSettings settings;
    std::size_t fewestLines, mostLines;  // in one second
  };
  const Case cases[] = {
      {"paced, 10 Hz", {.ticksPerSecond = 10, .baud = BAUD}, 10, 11},
      // 960 bytes a second carry about 43 lines, whatever the reading rate.
      {"paced, 400 Hz", {.ticksPerSecond = 400, .baud = BAUD}, 38, 46},
      {"unpaced, 400 Hz", {.ticksPerSecond = 400, .baud = BAUD, .unpaced = true}, 399, 401},
      {"unpaced, 1000 Hz", {.ticksPerSecond = 1000, .baud = BAUD, .unpaced = true}, 999, 1001},
      {"unpaced, silent from 0.25 s for 0.25 s",
       {.ticksPerSecond = 400, .baud = BAUD, .unpaced = true, .silences = {{0.25, 0.25}}},
       299,
       301},
      // Each line in two or three pieces 30 ms apart: 30 to 60 ms a line.
      {"unpaced, split lines",
       {.ticksPerSecond = 400, .baud = BAUD, .unpaced = true, .faults = {.splitLines = true}},
       16,
       35},
      // Up to three lines still wait in the last write being merged.
      {"unpaced, merged lines with garbage",
       {.ticksPerSecond = 400,
        .baud = BAUD,
        .unpaced = true,
        .faults = {.garbageEvery = 3, .mergeLines = 4}},
       396,
       401},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StreamRun run(c.settings);
    run.RunUntil(1.0, true);
    run.ReadRest();
    EXPECT_EQ(run.Received(), run.Sent());
    EXPECT_GE(run.Sent().size(), c.fewestLines);
    EXPECT_LE(run.Sent().size(), c.mostLines);
    for (const std::string& line : run.Received())
      ASSERT_EQ(testing::PbarValues(line).value_or(std::vector<double>{}).size(), 2u) << line;
    // Paced, the bytes keep to the baud rate, the last line begun before the second ended.
    if (!c.settings.unpaced) {
      EXPECT_LE(run.ReceivedBytes(), BAUD / 10 + LONGEST_LINE);
    }
  }
}

TEST(DeviceStreamTest, AFullLineHoldsUnpacedLinesBackButLosesPacedOnes) {
  // 230 kB unpaced or 110 kB paced: more than a pseudo-terminal holds unread.
  StreamRun unpaced({.ticksPerSecond = 1000, .baud = BAUD, .unpaced = true});
  unpaced.RunUntil(10.0, false);
  unpaced.ReadRest();
  unpaced.RunUntil(11.0, true);
  unpaced.ReadRest();
  // Ticks were skipped while the line was full, but every line begun went out whole.
  EXPECT_LT(unpaced.Ticks(), 10000);
  EXPECT_EQ(unpaced.Sent().size(), static_cast<std::size_t>(unpaced.Ticks()));
  EXPECT_EQ(unpaced.Received(), unpaced.Sent());

  StreamRun paced({.ticksPerSecond = 100, .baud = BAUD});
  paced.RunUntil(120.0, false);
  paced.ReadRest();
  paced.RunUntil(121.0, true);
  paced.ReadRest();
  // Lines cut short are not reported as sent; those reported arrived whole, in order.
  EXPECT_LT(paced.Sent().size(), static_cast<std::size_t>(paced.Ticks()));
  const Lines received = paced.Received();
  auto at = received.begin();
  for (const std::string& line : paced.Sent()) {
    at = std::find(at, received.end(), line);
    ASSERT_NE(at, received.end()) << line;
  }
}

}  // namespace
}  // namespace gradsim
