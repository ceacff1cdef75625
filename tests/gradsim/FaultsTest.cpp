#include "gradsim/Faults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gradsim/NmeaFormat.h"
#include "gradsim/Replay.h"

namespace gradsim {
namespace {

TEST(FaultsTest, EachFaultHitsOnlyItsLinesAndKeepsTheStreamWhole) {
  // Six lines fed two a tick; line 1 is a total-station record, with no checksum to break.
  std::vector<std::string> lines;
  for (int i = 0; i < 6; ++i)
    lines.push_back(i == 1 ? ">37=5000.000\r\n" : NmeaSentence("GPGGA,12000" + std::to_string(i)));
  // Per line: '.' as it was, 'g' garbage after it, 'c' a broken checksum, 'b' both.
  const std::pair<FaultSettings, std::string> cases[] = {
      {{}, "......"},
      {{.garbageEvery = 3, .badChecksumEvery = 2}, "..b.cg"},
      {{.splitLines = true}, "......"},
      {{.mergeLines = 3}, "......"},
      {{.garbageEvery = 2, .splitLines = true, .mergeLines = 2}, ".g.g.g"},
  };
  Random random(7);
  for (const auto& [faults, marks] : cases) {
    SCOPED_TRACE(&faults - &cases[0].first);
    LineShaper shaper(faults);
    std::string bytes;
    int chunks = 0;
    int writes = 0;
    for (std::size_t tick = 0; tick < lines.size(); tick += 2) {
      for (const Chunk& chunk : shaper.Shape({lines[tick], lines[tick + 1]}, random)) {
        // Split pieces pause between them; the last piece of a write does not.
        ASSERT_FALSE(chunk.bytes.empty());
        EXPECT_TRUE(chunk.pauseAfterS == 0.0 || chunk.pauseAfterS == SPLIT_PAUSE_S);
        writes += chunk.pauseAfterS == 0.0;
        ++chunks;
        bytes += chunk.bytes;
      }
    }
    // `mergeLines` lines a write, in two or three pieces when split.
    EXPECT_EQ(writes, 6 / faults.mergeLines);
    EXPECT_EQ(chunks == writes, !faults.splitLines);
    EXPECT_LE(chunks, 3 * writes);
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::size_t next = bytes.find_first_of("$>", at + 1);
      const std::string sent = bytes.substr(at, next - at);
      at = next;
      const std::size_t size = lines[i].size();
      ASSERT_GE(sent.size(), size) << sent;
      // Only the two checksum digits change.
      EXPECT_EQ(sent.substr(0, size - 4), lines[i].substr(0, size - 4));
      EXPECT_EQ(sent.substr(0, size) != lines[i], marks[i] == 'c' || marks[i] == 'b') << sent;
      EXPECT_EQ(sent.size() > size, marks[i] == 'g' || marks[i] == 'b') << sent;
    }
    EXPECT_EQ(at, std::string::npos);
  }
  // Garbage can neither start nor end a line, nor stop the flow.
  for (int i = 0; i < 300; ++i) {
    const std::string garbage = GarbageBytes(random);
    ASSERT_TRUE(!garbage.empty() && garbage.size() <= 8) << garbage;
    ASSERT_EQ(garbage.find_first_of(std::string("$>\r\n\x11\x13")), std::string::npos);
  }
  EXPECT_EQ(BreakChecksum("$A*4"), "$A*4");
  EXPECT_EQ(LineShaper({.splitLines = true}).Shape({"\r\n"}, random).size(), 2u);

  const std::vector<SilenceWindow> windows = {{5.0, 2.0}, {20.0, INFINITY}};
  const std::pair<double, bool> silences[] = {{4.99, false}, {5.0, true},   {6.99, true},
                                              {7.0, false},  {19.9, false}, {1e6, true}};
  for (const auto& [seconds, silent] : silences)
    EXPECT_EQ(IsSilent(windows, seconds), silent) << seconds;
}

TEST(ReplayTest, SkipsNotesAndEmptyLinesAndStartsOverAtTheEnd) {
  Replay replay(Replay::LogLines("# receiver notes\n$GPGGA,1*00\r\n\n\r\n#\n$GPGSA,2*00\n$B*00"));
  std::string played;
  for (int i = 0; i < 5; ++i)
    played += replay.NextLine();
  EXPECT_EQ(played, "$GPGGA,1*00\r\n$GPGSA,2*00\r\n$B*00\r\n$GPGGA,1*00\r\n$GPGSA,2*00\r\n");
  EXPECT_TRUE(Replay(Replay::LogLines("# only notes\n\n")).Empty());
}

}  // namespace
}  // namespace gradsim
