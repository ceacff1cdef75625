#include "platform/sys/MemoryReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace platform {
namespace {

TEST(MemoryReaderTest, ParsesAvailableMemoryInBytesAndGivesZeroWhenUnreadable) {
  const struct {
    const char* meminfo;
    std::uint64_t expected;
  } cases[] = {
      {"MemTotal: 8038524 kB\nMemFree:  412300 kB\nMemAvailable: 5120000 kB\nCached: 4 kB\n",
       5120000ull * 1024},
      {"MemTotal: 1000 kB\nMemFree: 300 kB\n", 300ull * 1024},  // kernels before MemAvailable
      {"XMemAvailable: 5 kB\nMemAvailableX: 6 kB\nMemFree: 7 kB", 7ull * 1024},
      {"MemTotal: 9 kB\nMemAvailable: 4 kB", 4ull * 1024},  // no final newline
      {"", 0},
      {"MemAvailable:\n", 0},
      {"MemAvailable: lots kB\n", 0},
      {"MemAvailable: -5 kB\n", 0},
      {"MemAvailable: 12 MB\n", 0},
      {"MemAvailable: 99999999999999999999999 kB\n", 0},
      {"MemAvailable: 18014398509481984 kB\n", 0},  // 2^54 kB: the bytes overflow 64 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("meminfo \"") + c.meminfo + "\"");
    EXPECT_EQ(ParseAvailableMemoryBytes(c.meminfo), c.expected);
  }
  EXPECT_EQ(ReadAvailableMemoryBytes("/nonexistent/gradlog/meminfo"), 0u);
  EXPECT_GT(ReadAvailableMemoryBytes(MEMINFO_FILE), 0u);
}

}  // namespace
}  // namespace platform
