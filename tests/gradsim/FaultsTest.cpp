#include "gradsim/Faults.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "gradsim/NmeaFormat.h"
#include "gradsim/Replay.h"

namespace gradsim {
namespace {

std::vector<std::string> Sentences(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back(NmeaSentence("GPGGA,12000" + std::to_string(i) + ".00,,,,,0,,,,M,,M,,"));
  return lines;
}

std::string Joined(const std::vector<Chunk>& chunks) {
  std::string bytes;
  for (const Chunk& chunk : chunks)
    bytes += chunk.bytes;
  return bytes;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line;
  return bytes;
}

TEST(FaultsTest, WithoutFaultsEachLineIsOneWrite) {
  Random random(1);
  LineShaper shaper(FaultSettings{});
  const std::vector<std::string> lines = Sentences(3);
  const std::vector<Chunk> chunks = shaper.Shape(lines, random);
  ASSERT_EQ(chunks.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(chunks[i].bytes, lines[i]);
    EXPECT_EQ(chunks[i].pauseAfterS, 0.0);
  }
}

TEST(FaultsTest, SplitLinesArriveInPiecesWithPausesBetween) {
  Random random(2);
  LineShaper shaper(FaultSettings{.splitLines = true});
  for (const std::string& line : Sentences(50)) {
    const std::vector<Chunk> chunks = shaper.Shape({line}, random);
    ASSERT_GE(chunks.size(), 2u);
    ASSERT_LE(chunks.size(), 3u);
    EXPECT_EQ(Joined(chunks), line);
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      EXPECT_FALSE(chunks[i].bytes.empty());
      EXPECT_EQ(chunks[i].pauseAfterS, i + 1 < chunks.size() ? SPLIT_PAUSE_S : 0.0);
    }
  }
  // A line of two bytes still splits, one byte a piece.
  EXPECT_EQ(shaper.Shape({"\r\n"}, random).size(), 2u);
}

TEST(FaultsTest, MergedLinesGoOutInGroupsAcrossTicks) {
  Random random(3);
  LineShaper shaper(FaultSettings{.mergeLines = 3});
  const std::vector<std::string> lines = Sentences(7);
  std::vector<Chunk> chunks = shaper.Shape({lines[0], lines[1]}, random);
  EXPECT_TRUE(chunks.empty());
  chunks = shaper.Shape({lines[2], lines[3], lines[4], lines[5], lines[6]}, random);
  ASSERT_EQ(chunks.size(), 2u);
  EXPECT_EQ(chunks[0].bytes, lines[0] + lines[1] + lines[2]);
  EXPECT_EQ(chunks[1].bytes, lines[3] + lines[4] + lines[5]);
}

TEST(FaultsTest, GarbageFollowsEveryNthLineAndCannotFrameALine) {
  Random random(4);
  LineShaper shaper(FaultSettings{.garbageEvery = 2});
  const std::vector<std::string> lines = Sentences(40);
  const std::vector<Chunk> chunks = shaper.Shape(lines, random);
  ASSERT_EQ(chunks.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(chunks[i].bytes.starts_with(lines[i]));
    const std::string garbage = chunks[i].bytes.substr(lines[i].size());
    if (i % 2 == 0) {
      EXPECT_TRUE(garbage.empty());
      continue;
    }
    EXPECT_GE(garbage.size(), 1u);
    EXPECT_LE(garbage.size(), 8u);
    EXPECT_EQ(garbage.find_first_of(std::string("$>\r\n\x11\x13")), std::string::npos);
  }
}

TEST(FaultsTest, BadChecksumsHitEveryNthSentenceOnly) {
  Random random(5);
  LineShaper shaper(FaultSettings{.badChecksumEvery = 3});
  std::vector<std::string> lines = Sentences(9);
  // Lines without a checksum (total-station records) neither change nor count.
  lines.insert(lines.begin() + 1, ">37=5000.000\r\n");
  const std::vector<Chunk> chunks = shaper.Shape(lines, random);
  ASSERT_EQ(chunks.size(), lines.size());
  int broken = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& sent = chunks[i].bytes;
    if (sent == lines[i])
      continue;
    ++broken;
    // Only the two checksum digits change.
    EXPECT_EQ(sent.size(), lines[i].size());
    EXPECT_EQ(sent.substr(0, sent.rfind('*')), lines[i].substr(0, lines[i].rfind('*')));
    EXPECT_TRUE(i == 3 || i == 6 || i == 9) << i;
  }
  EXPECT_EQ(broken, 3);
  EXPECT_EQ(BreakChecksum("no checksum\r\n"), "no checksum\r\n");
  EXPECT_EQ(BreakChecksum("$A*4"), "$A*4");
}

TEST(FaultsTest, SilenceWindowsIncludeTheirStartAndMayLastForever) {
  const std::vector<SilenceWindow> windows = {{5.0, 2.0},
                                              {20.0, std::numeric_limits<double>::infinity()}};
  const std::pair<double, bool> cases[] = {{0.0, false}, {4.99, false}, {5.0, true},  {6.99, true},
                                           {7.0, false}, {19.9, false}, {20.0, true}, {1e6, true}};
  for (const auto& [seconds, silent] : cases)
    EXPECT_EQ(IsSilent(windows, seconds), silent) << seconds;
}

TEST(ReplayTest, SkipsNotesAndEmptyLinesAndStartsOverAtTheEnd) {
  const std::vector<std::string> lines =
      Replay::LogLines("# receiver notes\n$GPGGA,1*00\r\n\n\r\n#\n$GPGSA,2*00\n$GPRMC,3*00");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Joined(lines), "$GPGGA,1*00\r\n$GPGSA,2*00\r\n$GPRMC,3*00\r\n");
  Replay replay(lines);
  std::string played;
  for (int i = 0; i < 5; ++i)
    played += replay.NextLine();
  EXPECT_EQ(played, Joined(lines) + lines[0] + lines[1]);
  EXPECT_TRUE(Replay(Replay::LogLines("# only notes\n\n")).Empty());
}

}  // namespace
}  // namespace gradsim
