#include "gps/TotalStationFramer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradlog {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using Events = std::vector<std::string>;

std::string Shown(const TotalStationPosition& position) {
  char text[64];
  std::snprintf(text, sizeof text, "N%.2f E%.2f", position.north, position.east);
  return text;
}

// What the framer gives for `stream`, in order: each event after the number of LF bytes fed
// before it ("2: position N1.00 E2.00", "2: record >37=1,38=2").
Events Frame(std::string_view stream) {
  TotalStationFramer framer;
  Events events;
  int lineFeeds = 0;
  for (const char byte : stream) {
    const TotalStationFramer::Output output = framer.Feed(byte, 0);
    const std::string at = std::to_string(lineFeeds) + ": ";
    if (output.finishedRecord)
      events.push_back(at + "record " + std::string(*output.finishedRecord));
    if (output.position)
      events.push_back(at + "position " + Shown(*output.position));
    lineFeeds += byte == '\n';
  }
  return events;
}

TEST(TotalStationFramerTest, RecordsAndTheirPositions) {
  const std::string longLine(400, '7');
  struct Case {
    const char* what;
    std::string stream;
    Events events;
  } cases[] = {
      {"one label a line",
       ">37=5000.12\r\n38=1000.34\r\n>",
       {"1: position N5000.12 E1000.34", "2: record >37=5000.12,38=1000.34"}},
      {"both labels in one line: the next line's end gives the position",
       ">37=5000.12,38=1000.34\r\n39=12.5\r\n>",
       {"1: position N5000.12 E1000.34", "2: record >37=5000.12,38=1000.34,39=12.5"}},
      {"east first", ">38=1000.34\r\n37=5000.12\r\n", {"1: position N5000.12 E1000.34"}},
      {"other labels between", ">7=1.5\r\n37=1\r\n11=0\r\n38=2\r\n", {"3: position N1.00 E2.00"}},
      {"an empty value is 0", ">37=\r\n38=7\r\n", {"1: position N0.00 E7.00"}},
      {"one position a record",
       ">37=1\r\n38=2\r\n37=3\r\n38=4\r\n>",
       {"1: position N1.00 E2.00", "4: record >37=1,38=2,37=3,38=4"}},
      {"a label must begin a word", ">137=1\r\n38=2\r\n>", {"2: record >137=1,38=2"}},
      {"bytes before the first '>'",
       "38=9\r\n37=1\r\n>37=5\r\n38=6\r\n>",
       {"3: position N5.00 E6.00", "4: record >37=5,38=6"}},
      {"CR ignored anywhere, LF outside a record ignored",
       "\r\n\n>3\r7=1\r\r\n38=2\n\n>",
       {"3: position N1.00 E2.00", "5: record >37=1,38=2,"}},
      {"a record without its last line end keeps its text",
       ">37=1\r\n38=2>",
       {"1: record >37=1,38=2"}},
      {"a record of 400 bytes is dropped whole",
       ">37=1\r\n" + longLine + "\r\n38=2\r\n>37=3\r\n38=4\r\n>",
       {"4: position N3.00 E4.00", "5: record >37=3,38=4"}},
      {"a position given before the record overflows stands",
       ">37=1\r\n38=2\r\n" + longLine + "\r\n>",
       {"1: position N1.00 E2.00"}},
      {"a NUL drops the record",
       ">37=1\r\n\0\r\n38=2\r\n>37=3\r\n38=4\r\n"s,
       {"4: position N3.00 E4.00"}},
      {"a value that is not a number gives no position",
       ">37=12a\r\n38=2\r\n>",
       {"2: record >37=12a,38=2"}},
      {"a label given badly may be given again",
       ">37=x\r\n38=2\r\n,37=1\r\n",
       {"2: position N1.00 E2.00"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Frame(c.stream), c.events);
  }
}

// The longest record kept: its bytes, the joining commas counted, stay below BUFFER_SIZE.
TEST(TotalStationFramerTest, TheLongestRecordKeptFillsTheBufferButForOneByte) {
  const std::size_t fill = TotalStationFramer::BUFFER_SIZE - 1 - std::string(">37=1,").size();
  const std::string kept = ">37=1\r\n" + std::string(fill, '9');
  EXPECT_EQ(Frame(kept + ">"), (Events{"1: record >37=1," + std::string(fill, '9')}));
  EXPECT_EQ(Frame(kept + "9>"), Events{});
}

TEST(TotalStationFramerTest, ValuesAreNumbersAtFloatPrecision) {
  struct Case {
    std::string value;
    std::optional<double> north;  // none: no position
  } cases[] = {
      {"5000.12", 5000.12f},
      {"0.1", 0.1f},
      {"-3.5", -3.5},
      {"+2", 2.0},
      {"", 0.0},
      {"3e38", 3e38f},
      {"4e38", std::nullopt},  // beyond a float
      {"nan", std::nullopt},
      {"12a", std::nullopt},
      {" 5", std::nullopt},
      {"+-5", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("37=" + c.value);
    TotalStationFramer framer;
    std::optional<TotalStationPosition> position;
    for (const char byte : ">37=" + c.value + "\r\n38=0\r\n")
      position = position ? position : framer.Feed(byte, 0).position;
    ASSERT_EQ(position.has_value(), c.north.has_value());
    if (position) {
      EXPECT_EQ(position->north, *c.north);
    }
  }
}

TEST(TotalStationFramerTest, RecordAndPositionCarryTheTickOfTheirOwnAngleBracket) {
  TotalStationFramer framer;
  std::vector<TotalStationFramer::Output> outputs;
  std::uint32_t tick = 100;
  for (const char byte : ">37=1\r\n38=2\r\n>"sv)
    outputs.push_back(framer.Feed(byte, tick++));
  const TotalStationFramer::Output& atLastLineFeed = outputs[outputs.size() - 2];
  ASSERT_TRUE(atLastLineFeed.position);
  EXPECT_EQ(atLastLineFeed.position->tick, 100u);
  ASSERT_TRUE(outputs.back().finishedRecord);
  EXPECT_EQ(outputs.back().finishedRecordTick, 100u);
  const TotalStationFramer::Output next = framer.Feed('>', 500);
  ASSERT_TRUE(next.finishedRecord);
  EXPECT_EQ(*next.finishedRecord, ">");
  EXPECT_EQ(next.finishedRecordTick, 113u);  // the second '>' was byte 13
}

}  // namespace
}  // namespace gradlog
