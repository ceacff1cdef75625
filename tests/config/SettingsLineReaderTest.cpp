#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/SettingsFile.h"
#include "config/TempDeviceRoot.h"
#include "platform/sys/Files.h"

namespace gradlog {
namespace {

class SettingsLineReaderTest : public ::testing::Test {
 protected:
  // What bytes.size() + 1 calls of ReadSettingsLine return for `bytes`, with a buffer of
  // `capacity` characters: every line, then end of file.
  std::vector<std::string> ReadAll(const std::string& bytes, std::size_t capacity = 64) {
    root.WriteFile(root.Path() / "lines.txt", bytes);
    std::optional<platform::File> file = platform::File::OpenExisting("lines.txt");
    EXPECT_TRUE(file.has_value());
    std::vector<std::string> lines;
    if (!file)
      return lines;
    std::vector<char> buffer(capacity);
    // Each call consumes at least one byte, so the last call is at end of file.
    for (std::size_t call = 0; call <= bytes.size(); ++call) {
      const std::size_t length = ReadSettingsLine(*file, buffer);
      EXPECT_LE(length, capacity);
      lines.emplace_back(buffer.data(), length);
    }
    return lines;
  }

  testing::TempDeviceRoot root;
};

TEST_F(SettingsLineReaderTest, CrLfLinesComeBackWithoutTheirEnds) {
  const std::vector<std::string> lines = ReadAll("\nVer1.34\r\n12\r\n\r\n");
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "");  // a line feed first
  EXPECT_EQ(lines[1], "Ver1.34");
  EXPECT_EQ(lines[2], "12");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "");  // end of file
}

TEST_F(SettingsLineReaderTest, OnlyACarriageReturnIsDroppedBeforeTheLineFeed) {
  const std::vector<std::string> lines = ReadAll("1.5\n2\r\r\nx\ry\r\n");
  EXPECT_EQ(lines[0], "1.5");
  EXPECT_EQ(lines[1], "2\r");
  EXPECT_EQ(lines[2], "x\ry");
}

TEST_F(SettingsLineReaderTest, UnterminatedLastLineReadsAsEndOfFile) {
  const std::vector<std::string> lines = ReadAll("first\r\n4.000000");
  EXPECT_EQ(lines[0], "first");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(ReadAll("no line end at all")[0], "");
  EXPECT_EQ(ReadAll("")[0], "");
}

TEST_F(SettingsLineReaderTest, LongLineIsCutToTheBufferAndTheNextLineFollows) {
  const std::vector<std::string> lines = ReadAll("ABCDEFGHIJ\r\nKL\r\n", 4);
  EXPECT_EQ(lines[0], "ABCD");
  EXPECT_EQ(lines[1], "KL");
  // A CR that falls beyond the buffer takes no kept character with it.
  const std::vector<std::string> exact = ReadAll("ABCD\r\nEF\r\n", 4);
  EXPECT_EQ(exact[0], "ABCD");
  EXPECT_EQ(exact[1], "EF");
  EXPECT_EQ(ReadAll("ABC\r\n", 0)[0], "");
}

}  // namespace
}  // namespace gradlog
