#include "gps/AsciiPositions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gradlog {
namespace {

constexpr double EAST_SCALE = 0.68;

// Every line holds longitude 8.5 and latitude 47.25 (north 5,244,750 m, east 943,500 m
// before the east scale) in the columns given, or lacks a number there.
TEST(AsciiPositionsTest, ColumnsAndDelimiters) {
  struct Case {
    const char* line;
    AsciiColumns columns;
    bool position = true;
  };
  const Case cases[] = {
      {"8.5 47.25", {}},
      {"8.5,47.25", {.delimiter = 1}},
      {"8.5\t47.25", {.delimiter = 2}},
      {"8.5;47.25", {.delimiter = 3}},
      {"8.5 47.25", {.delimiter = 7}},
      {"47.25;8.5", {.latitudeColumn = 0, .longitudeColumn = 1, .delimiter = 3}},
      {"12,x 47.25,y 8.5", {.latitudeColumn = 1, .longitudeColumn = 2, .delimiter = 1}},
      {"8.5 47.25", {.latitudeColumn = -1}, false},
      {"8.5 47.25", {.latitudeColumn = 2}, false},
  };
  for (const Case& c : cases) {
    const std::optional<PlanePoint> point = DecodeAsciiLine(c.line, c.columns, EAST_SCALE, 0);
    ASSERT_EQ(point.has_value(), c.position) << c.line;
    if (point) {
      EXPECT_NEAR(point->north, 5'244'750.0, 1e-6) << c.line;
      EXPECT_NEAR(point->east, 943'500.0 * EAST_SCALE, 1e-6) << c.line;
    }
  }
  for (const char* line : {"", "Longitude Latitude", "8.5", "8.5;47.25", "- .", "8.5 91", "181 4"})
    EXPECT_FALSE(DecodeAsciiLine(line, {}, 1.0, 0)) << line;
  const std::optional<PlanePoint> feet = DecodeAsciiLine("-8.5 -47.25", {}, 1.0, 1);
  ASSERT_TRUE(feet);
  EXPECT_NEAR(feet->north, -5'244'750.0 * 3.28084, 1e-6);
  EXPECT_NEAR(feet->east, -943'500.0 * 3.28084, 1e-6);
}

std::vector<std::string> Lines(const std::string& text, std::size_t blockSize) {
  std::vector<std::string> lines;
  const std::int64_t count = ForEachTextLine(
      BytesReadAt(text), [&lines](std::string_view line) { lines.emplace_back(line); }, blockSize);
  EXPECT_EQ(count, static_cast<std::int64_t>(lines.size()));
  return lines;
}

TEST(AsciiPositionsTest, LinesReadInBlocksAreTheLinesOfTheFile) {
  std::string text = "lon lat\r\n";
  std::vector<std::string> expected{"lon lat"};
  for (int i = 0; i < 500; ++i) {
    const std::string line =
        std::to_string(8 + i % 7) + "." + std::to_string(i) + " 47." + std::to_string(i * 37);
    text += line + (i % 3 == 0 ? "\r\n" : "\n");
    expected.push_back(line);
  }
  text += "\n";
  expected.emplace_back();
  text += std::string(400, '9') + "\n";
  expected.push_back(std::string(MAX_ASCII_LINE_LENGTH, '9'));
  text += "8.5 47.25";
  expected.emplace_back("8.5 47.25");
  for (const std::size_t block : {std::size_t{1}, std::size_t{7}, std::size_t{4096}})
    EXPECT_EQ(Lines(text, block), expected) << block;
}

TEST(AsciiPositionsTest, TheScanCountsLinesAndFindsPositions) {
  const std::string text = "lon lat\nnote\n9.0 46.5\n8.5 47.25\nnote\n";
  const AsciiScan scan = ScanAsciiPositions(BytesReadAt(text), {});
  EXPECT_EQ(scan.lines, 5);
  EXPECT_TRUE(scan.anyPosition);
  EXPECT_EQ(ScanAsciiPositions(BytesReadAt(""), {}).lines, 0);
}

}  // namespace
}  // namespace gradlog
