#include "gps/GpsMonitorFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gradlog {
namespace {

std::vector<std::string> Frame(const std::string& bytes) {
  GpsMonitorFramer framer;
  std::vector<std::string> lines;
  for (const char byte : bytes) {
    if (std::optional<std::string> line = framer.Feed(byte))
      lines.push_back(*line);
  }
  return lines;
}

TEST(GpsMonitorFramerTest, ShowsEveryLineAsItCameWithoutItsLineEnd) {
  const std::string long99(99, 'A');
  const std::string long100 = "$" + std::string(99, 'B');
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"sentences with CR LF", "$GPGGA,1*4F\r\n$GPGSA,2\r\n", {"$GPGGA,1*4F", "$GPGSA,2"}},
      {"a bare LF ends a line too", "$GPGGA,1\n", {"$GPGGA,1"}},
      {"the tail of a line whose start was missed", "A,1*4F\r\n$GPGGA,2\r\n", {"$GPGGA,2"}},
      {"after an LF, a line without '$'", "$X\r\n37=1.234\r\n38=5\r\n", {"$X", "37=1.234", "38=5"}},
      {"so also after a first partial line", "tail\r\n37=1\r\n", {"37=1"}},
      {"a '$' restarts the line", "$GPGGA,1$GPRMC,2\r\n", {"$GPRMC,2"}},
      {"an unfinished line is held back", "$GPGGA,1\r\n$GPRMC", {"$GPGGA,1"}},
      {"empty lines are dropped", "$A\r\n\r\n\n$B\n", {"$A", "$B"}},
      {"NUL and control bytes show as '?'", std::string("$A\0B\x01\x7F\xB0\r\n", 9), {"$A?B???"}},
      {"a CR inside a line shows as '?'", "$A\rB\r\r\n", {"$A?B?"}},
      {"99 characters are shown whole", "\n" + long99 + "\r\n", {long99}},
      {"a longer line is cut to 99 with the mark",
       long100 + "\r\n$C\r\n",
       {"$" + std::string(95, 'B') + "...", "$C"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Frame(c.bytes), c.lines) << c.what;
}

TEST(GpsMonitorFramerTest, ResetDropsTheLineUnderWayAndWaitsForTheNextStart) {
  GpsMonitorFramer framer;
  for (const char byte : std::string("$X\n37=1"))
    framer.Feed(byte);
  framer.Reset();
  std::vector<std::string> lines;
  for (const char byte : std::string("2\r\n38=2\r\n$Y\r\n")) {
    if (std::optional<std::string> line = framer.Feed(byte))
      lines.push_back(*line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"38=2", "$Y"}));
}

}  // namespace
}  // namespace gradlog
