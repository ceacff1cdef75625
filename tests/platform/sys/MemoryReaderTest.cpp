#include "platform/sys/MemoryReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/sys/TempFolder.h"

namespace platform {
namespace {

constexpr const char* TYPICAL_MEMINFO =
    "MemTotal:        8038524 kB\n"
    "MemFree:          412300 kB\n"
    "MemAvailable:    5120000 kB\n"
    "Buffers:          200120 kB\n"
    "Cached:          4100004 kB\n";

TEST(MemoryReaderTest, AvailableMemoryIsMemAvailableInBytes) {
  EXPECT_EQ(ParseAvailableMemoryBytes(TYPICAL_MEMINFO), 5120000ull * 1024);
}

TEST(MemoryReaderTest, OlderKernelsWithoutMemAvailableFallBackToMemFree) {
  EXPECT_EQ(ParseAvailableMemoryBytes("MemTotal: 1000 kB\nMemFree: 300 kB\nCached: 10 kB\n"),
            300ull * 1024);
}

TEST(MemoryReaderTest, KeyMustMatchWholeNameAtLineStart) {
  EXPECT_EQ(ParseAvailableMemoryBytes("XMemAvailable: 5 kB\nMemAvailableX: 6 kB\nMemFree: 7 kB"),
            7ull * 1024);
}

TEST(MemoryReaderTest, LastLineWithoutNewlineIsRead) {
  EXPECT_EQ(ParseAvailableMemoryBytes("MemTotal: 9 kB\nMemAvailable: 4 kB"), 4ull * 1024);
}

TEST(MemoryReaderTest, UnreadableTextGivesZero) {
  const char* garbage[] = {
      "",
      "\n\n",
      "MemAvailable:\n",
      "MemAvailable: lots kB\n",
      "MemAvailable: -5 kB\n",
      "MemAvailable: 12 MB\n",
      "MemAvailable: 99999999999999999999999 kB\n",
      "MemAvailable: 18014398509481984 kB\n",  // 2^54 kB: the bytes overflow 64 bits
      "MemAvailable 12 kB\n",
  };
  for (const char* text : garbage) {
    SCOPED_TRACE(std::string("meminfo: \"") + text + "\"");
    EXPECT_EQ(ParseAvailableMemoryBytes(text), 0u);
  }
}

TEST(MemoryReaderTest, ReadsFileAndGivesZeroWhenItIsMissing) {
  const TempFolder folder;
  const auto file = folder.Path() / "meminfo";
  std::ofstream(file) << TYPICAL_MEMINFO;
  EXPECT_EQ(ReadAvailableMemoryBytes(file), 5120000ull * 1024);
  std::filesystem::remove(file);
  EXPECT_EQ(ReadAvailableMemoryBytes(file), 0u);
}

TEST(MemoryReaderTest, ThisMachineReportsSomeAvailableMemory) {
  EXPECT_GT(ReadAvailableMemoryBytes(MEMINFO_FILE), 0u);
}

}  // namespace
}  // namespace platform
