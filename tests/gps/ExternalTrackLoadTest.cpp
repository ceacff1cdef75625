#include "gps/ExternalTrackLoad.h"

#include <gtest/gtest.h>

#include <algorithm>
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

constexpr double EAST_SCALE = 0.67;
constexpr std::uint64_t PLENTY_OF_MEMORY = 1'000'000;
// Room for 4 positions: 10 candidates are shown every third.
constexpr std::uint64_t ROOM_FOR_FOUR = 40;
const std::string GSA = Framed("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");

const TrackPlane PLANE{.pixelsPerUnit = 0.5,
                       .originNorth = testing::TrackLatitude(0) * METRES_PER_DEGREE,
                       .originEast = testing::TRACK_LONGITUDE * METRES_PER_DEGREE * EAST_SCALE};

ExternalLoadRequest Request(std::uint64_t availableBytes,
                            ExternalLoadMode mode = ExternalLoadMode::First) {
  return {.mode = mode,
          .decoding = {.source = TrackSource::External, .eastScale = EAST_SCALE},
          .plane = PLANE,
          .availableBytes = availableBytes};
}

// The pixels of the track points at `indices` (degrees from `latitude`), in drawing order.
std::vector<TrackPoint> SortedPixels(const TrackPlane& plane, const std::vector<int>& indices,
                                     double (*latitude)(int), double longitude) {
  std::vector<TrackPoint> pixels;
  for (const int index : indices)
    pixels.push_back(ToTrackPixel(plane, ToLocalPlane(latitude(index), longitude, EAST_SCALE, 0)));
  std::ranges::stable_sort(pixels, {}, &TrackPoint::y);
  return pixels;
}
std::vector<TrackPoint> GgaPixels(const std::vector<int>& indices) {
  return SortedPixels(PLANE, indices, testing::TrackLatitude, testing::TRACK_LONGITUDE);
}

std::vector<TrackPoint> Stored(const ExternalTrack& external) {
  return {external.points.Points().begin(), external.points.Points().end()};
}

// A sentence group of an earlier data file: '@' or '?' first, and its closing status.
struct Group {
  std::string text;
  char status = 'p';
  char first = '@';
};

// This build's header, whose fixes are not marked, or an older one that marks them.
std::string ExternalDataFile(bool fixMarked, const std::vector<Group>& groups) {
  std::string header = "G   0.00   0.00   1";
  header.resize(RECORD_TEXT_LENGTH, ' ');
  header[19] = static_cast<char>('0' + GPS_DATA_TYPE_GGA);
  header[21] = 'p';
  std::vector<Record> records{
      FormatFormatRecord(SurveySettings{}),
      fixMarked ? MakeRecord(header) : FormatPositioningRecord(SurveySettings{}, 0.0f, 0.0f)};
  for (const Group& group : groups) {
    for (const Record& record :
         SplitIntoGroupPieces(group.text, group.first, group.first == '?' ? '"' : '#'))
      records.push_back(record);
    records.push_back(FormatSentenceEndRecord('!', 1, group.status, 10));
  }
  std::string bytes;
  for (const Record& record : records)
    bytes.append(record.begin(), record.end());
  return bytes;
}

TEST(ExternalTrackLoadTest, FixMarksChooseTheCandidates) {
  const std::vector<Group> groups{{GgaAt(0)}, {GgaAt(1), ' '}, {GgaAt(2)},
                                  {GSA},      {GgaAt(3), ' '}, {GgaAt(4), 'p', '?'}};
  for (const bool fixMarked : {false, true}) {
    const std::string file = ExternalDataFile(fixMarked, groups);
    ExternalTrack external;
    const ExternalLoadResult result =
        LoadExternalTrack(external, BytesReadAt(file), Request(PLENTY_OF_MEMORY));
    EXPECT_EQ(result.outcome, ExternalLoadOutcome::Loaded);
    EXPECT_EQ(result.caption, "INFORMATION");
    EXPECT_EQ(
        result.message,
        std::string("Total Number of Positions:       4\r\n Number of Positions to Display:  ") +
            (fixMarked ? "2" : "4") + "\r\nAll positions will be displayed");
    EXPECT_EQ(external.loaded, 1);
    EXPECT_EQ(Stored(external), fixMarked ? GgaPixels({0, 2}) : GgaPixels({0, 1, 2, 3}));
  }
}

// A candidate at the step's place that gives no position only delays the next point; the
// track goes on at the step after it.
TEST(ExternalTrackLoadTest, ABadCandidateAtTheStepDoesNotEndTheTrack) {
  std::string wrongChecksum = GgaAt(3);
  wrongChecksum.back() = wrongChecksum.back() == '0' ? '1' : '0';
  struct Case {
    const char* name;
    Group third;  // sentence 3, where the step first falls after the start
    std::vector<int> shown;
  };
  const Case cases[] = {
      {"good", {GgaAt(3)}, {0, 3, 6}},
      {"wrong checksum", {wrongChecksum}, {0, 4, 7}},
      {"hemisphere X", {GgaAt(3, "GPGGA", 'X')}, {0, 4, 7}},
      {"no position tag", {Framed("GPVTG,054.7,T,034.4,M")}, {0, 4, 7}},
      {"bad records", {GgaAt(3), 'p', '?'}, {0, 4, 7}},
  };
  for (const Case& c : cases) {
    std::vector<Group> groups;
    for (int i = 0; i < 10; ++i)
      groups.push_back(i == 3 ? c.third : Group{GgaAt(i)});
    const std::string file = ExternalDataFile(false, groups);
    ExternalTrack external;
    LoadExternalTrack(external, BytesReadAt(file), Request(ROOM_FOR_FOUR));
    EXPECT_EQ(external.step, 3) << c.name;
    EXPECT_EQ(external.displayCount, 3) << c.name;
    EXPECT_EQ(Stored(external), GgaPixels(c.shown)) << c.name;
  }
}

TEST(ExternalTrackLoadTest, NothingStaysWhenNothingCanBeShown) {
  struct Case {
    const char* name;
    std::string bytes;
    std::int32_t isAscii;
    std::uint64_t availableBytes;
    ExternalLoadOutcome outcome;
    const char* messageHolds;
  };
  const Case cases[] = {
      {"no memory", ExternalDataFile(false, {{GgaAt(0)}, {GgaAt(1)}}), 0, 9,
       ExternalLoadOutcome::Refused, "memory"},
      {"no position", ExternalDataFile(false, {{GSA}, {GgaAt(0), 'p', '?'}}), 0, PLENTY_OF_MEMORY,
       ExternalLoadOutcome::NoPositions, "No positions found"},
      {"ASCII without numbers", "lon lat\nnone\n", 1, PLENTY_OF_MEMORY,
       ExternalLoadOutcome::NoPositions, "No positions found"},
  };
  for (const Case& c : cases) {
    ExternalTrack external{.loaded = 1, .isAscii = c.isAscii};
    external.points.Reset(10);
    external.points.Append({1, 2});
    const ExternalLoadResult result =
        LoadExternalTrack(external, BytesReadAt(c.bytes), Request(c.availableBytes));
    EXPECT_EQ(result.outcome, c.outcome) << c.name;
    EXPECT_EQ(result.caption, "INFORMATION") << c.name;
    EXPECT_NE(result.message.find(c.messageHolds), std::string::npos) << c.name;
    EXPECT_EQ(external.loaded, 0) << c.name;
    EXPECT_EQ(external.points.Capacity(), 0u) << c.name;
  }
}

// Longitude in the first column and latitude in the second, as the settings' defaults say.
TEST(ExternalTrackLoadTest, AsciiLinesArePlacedByTheirDegrees) {
  struct Case {
    const char* text;
    std::int32_t delimiter;
    double eastScale;
  };
  const Case cases[] = {
      {"8.5 47.25", 0, 1.0},
      {"8.5;47.25", 3, 1.0},
      {"lon;lat\r\n8.5;47.25\r\n", 3, 1.0},
      {"8.5,47.25", 1, 0.5},
  };
  for (const Case& c : cases) {
    ExternalLoadRequest request = Request(PLENTY_OF_MEMORY);
    request.columns.delimiter = c.delimiter;
    request.decoding.eastScale = c.eastScale;
    // North 5,244,750 and east 943,500 x eastScale lie 10 units above and 20 left of it.
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
  EXPECT_EQ(Stored(external), SortedPixels(PLANE, {0, 3, 6}, AsciiLatitude, 11.5));

  ExternalLoadRequest rescaled = Request(PLENTY_OF_MEMORY, ExternalLoadMode::Reload);
  rescaled.plane.pixelsPerUnit = 0.02;
  ExternalLoadResult result = LoadExternalTrackFromFile(external, rescaled);
  EXPECT_EQ(result.outcome, ExternalLoadOutcome::Loaded);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(Stored(external), SortedPixels(rescaled.plane, {0, 3, 6}, AsciiLatitude, 11.5));

  std::filesystem::remove(root.Path() / "TRACK.ASC");
  result = LoadExternalTrackFromFile(external, rescaled);
  EXPECT_EQ(result.outcome, ExternalLoadOutcome::Refused);
  EXPECT_EQ(result.caption, "FILE ERROR");
  EXPECT_EQ(result.message, "External file not found:\r\nTRACK.ASC");
  EXPECT_EQ(external.loaded, 0);
  EXPECT_EQ(external.points.Count(), 0u);
}

}  // namespace
}  // namespace gradlog
