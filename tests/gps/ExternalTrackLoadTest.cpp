#include "gps/ExternalTrackLoad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "datafile/RecordFormat.h"
#include "gps/GpsDataTypes.h"
#include "gps/TrackFileSentences.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing::Framed;
using testing::GgaAt;
using testing::Group;
using testing::SortedPixels;

constexpr std::uint64_t PLENTY_OF_MEMORY = 1'000'000;
// Room for 4 positions: 10 candidates are shown every third.
constexpr std::uint64_t ROOM_FOR_FOUR = 40;
const std::string GSA = Framed("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");

ExternalLoadRequest Request(std::uint64_t availableBytes,
                            ExternalLoadMode mode = ExternalLoadMode::First) {
  return {.mode = mode,
          .decoding = {.source = TrackSource::External, .eastScale = testing::TRACK_EAST_SCALE},
          .plane = testing::TRACK_PLANE,
          .availableBytes = availableBytes};
}

std::vector<TrackPoint> Stored(const ExternalTrack& external) {
  return {external.points.Points().begin(), external.points.Points().end()};
}

// This build's header, whose fixes are not marked, or an older one that marks them.
std::string ExternalDataFile(bool fixMarked, const std::vector<Group>& groups) {
  const Record format = FormatFormatRecord(SurveySettings{});
  const Record header = fixMarked ? MakeRecord(testing::MarkedHeader('0' + GPS_DATA_TYPE_GGA, 'p'))
                                  : FormatPositioningRecord(SurveySettings{}, 0.0f, 0.0f);
  std::string bytes(format.begin(), format.end());
  bytes.append(header.begin(), header.end());
  for (const Group& group : groups)
    bytes += GroupRecords(group);
  return bytes;
}

// Ten fixes, with `third` in place of sentence 3, where a step of 3 first falls after the start.
std::vector<Group> TenWith(const Group& third) {
  std::vector<Group> groups;
  for (int i = 0; i < 10; ++i)
    groups.push_back(i == 3 ? third : Group{GgaAt(i)});
  return groups;
}

// The marked fixes are the only candidates of a file that marks them, and a bad group ('?')
// never is one. A candidate at the step's place that gives no position only delays the next
// point; the track goes on at the step after it.
TEST(ExternalTrackLoadTest, EveryStepthCandidateThatGivesAPositionIsShown) {
  std::string wrongChecksum = GgaAt(3);
  wrongChecksum.back() = wrongChecksum.back() == '0' ? '1' : '0';
  const std::vector<Group> mixed{{GgaAt(0)}, {GgaAt(1), '@', ' '}, {GgaAt(2)},
                                 {GSA},      {GgaAt(3), '@', ' '}, {GgaAt(4), '?'}};
  struct Case {
    const char* name;
    bool fixMarked;
    std::vector<Group> groups;
    std::uint64_t availableBytes;
    std::int32_t step;
    std::vector<int> shown;
  };
  const Case cases[] = {
      {"unmarked", false, mixed, PLENTY_OF_MEMORY, 1, {0, 1, 2, 3}},
      {"marked", true, mixed, PLENTY_OF_MEMORY, 1, {0, 2}},
      {"good", false, TenWith({GgaAt(3)}), ROOM_FOR_FOUR, 3, {0, 3, 6}},
      {"wrong checksum", false, TenWith({wrongChecksum}), ROOM_FOR_FOUR, 3, {0, 4, 7}},
      {"hemisphere X", false, TenWith({GgaAt(3, "GPGGA", 'X')}), ROOM_FOR_FOUR, 3, {0, 4, 7}},
      {"bad records", false, TenWith({GgaAt(3), '?'}), ROOM_FOR_FOUR, 3, {0, 4, 7}},
  };
  for (const Case& c : cases) {
    ExternalTrack external;
    const ExternalLoadResult result = LoadExternalTrack(
        external, BytesReadAt(ExternalDataFile(c.fixMarked, c.groups)), Request(c.availableBytes));
    EXPECT_EQ(result.outcome, ExternalLoadOutcome::Loaded) << c.name;
    EXPECT_EQ(external.step, c.step) << c.name;
    EXPECT_EQ(Stored(external), SortedPixels(c.shown)) << c.name;
  }
}

// A refused plan or a file without positions leaves nothing of the track loaded before.
TEST(ExternalTrackLoadTest, NothingStaysWhenNothingCanBeShown) {
  struct Case {
    std::string bytes;
    std::int32_t isAscii;
    std::uint64_t availableBytes;
    ExternalLoadOutcome outcome;
  };
  const Case cases[] = {
      {ExternalDataFile(false, {{GgaAt(0)}, {GgaAt(1)}}), 0, 9, ExternalLoadOutcome::Refused},
      {ExternalDataFile(false, {{GSA}, {GgaAt(0), '?'}}), 0, PLENTY_OF_MEMORY,
       ExternalLoadOutcome::NoPositions},
      {"lon lat\nnone\n", 1, PLENTY_OF_MEMORY, ExternalLoadOutcome::NoPositions},
  };
  for (const Case& c : cases) {
    ExternalTrack external{.loaded = 1, .isAscii = c.isAscii};
    external.points.Reset(10);
    external.points.Append({1, 2});
    const ExternalLoadResult result =
        LoadExternalTrack(external, BytesReadAt(c.bytes), Request(c.availableBytes));
    EXPECT_EQ(result.outcome, c.outcome) << c.bytes;
    EXPECT_EQ(external.loaded, 0) << c.bytes;
    EXPECT_EQ(external.points.Capacity(), 0u) << c.bytes;
  }
}

// Longitude in the first column and latitude in the second, as the settings' defaults say:
// north 5,244,750 and east 943,500 x eastScale lie 10 units above and 20 left of the origin.
TEST(ExternalTrackLoadTest, AsciiLinesArePlacedByTheirDegrees) {
  struct Case {
    const char* text;
    std::int32_t delimiter;
    double eastScale;
  };
  for (const Case& c : {Case{"8.5 47.25", 0, 1.0}, Case{"lon;lat\r\n8.5;47.25\r\n", 3, 0.5}}) {
    ExternalLoadRequest request = Request(PLENTY_OF_MEMORY);
    request.columns.delimiter = c.delimiter;
    request.decoding.eastScale = c.eastScale;
    request.plane = {.pixelsPerUnit = 1.0,
                     .originNorth = 5'244'740.0,
                     .originEast = 943'500.0 * c.eastScale + 20.0};
    ExternalTrack external{.isAscii = 1};
    LoadExternalTrack(external, BytesReadAt(c.text), request);
    EXPECT_EQ(Stored(external), (std::vector<TrackPoint>{{86, 96}})) << c.text;
  }
}

double AsciiLatitude(int index) {
  return 48.0 + index * 0.125;
}

// After a rescale the file is read again at its step; a file gone meanwhile takes its track
// with it.
TEST(ExternalTrackLoadTest, ReloadsKeepTheStepUntilTheFileIsGone) {
  const gradlog::testing::TempDeviceRoot root;
  std::string text;
  for (int i = 0; i < 10; ++i)
    text += "11.5 " + std::to_string(AsciiLatitude(i)) + "\n";
  root.WriteFile(root.Path() / "TRACK.ASC", text);
  ExternalTrack external{.isAscii = 1, .filePath = "TRACK.ASC"};
  LoadExternalTrackFromFile(external, Request(ROOM_FOR_FOUR));
  ExternalLoadRequest rescaled = Request(PLENTY_OF_MEMORY, ExternalLoadMode::Reload);
  rescaled.plane.pixelsPerUnit = 0.02;
  EXPECT_EQ(LoadExternalTrackFromFile(external, rescaled).outcome, ExternalLoadOutcome::Loaded);
  EXPECT_EQ(Stored(external), SortedPixels({0, 3, 6}, rescaled.plane, AsciiLatitude, 11.5));

  std::filesystem::remove(root.Path() / "TRACK.ASC");
  const ExternalLoadResult result = LoadExternalTrackFromFile(external, rescaled);
  EXPECT_EQ(result.outcome, ExternalLoadOutcome::Refused);
  EXPECT_EQ(result.message, "External file not found:\r\nTRACK.ASC");
  EXPECT_EQ(external.loaded, 0);
  EXPECT_EQ(external.points.Count(), 0u);
}

}  // namespace
}  // namespace gradlog
