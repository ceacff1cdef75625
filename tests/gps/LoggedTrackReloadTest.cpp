#include "gps/LoggedTrackReload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/DataFileState.h"
#include "datafile/RecordWriters.h"
#include "gps/TrackFileSentences.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing::GgaAt;
using testing::Group;
using testing::SortedPixels;
using testing::TRACK_PLANE;

constexpr char RUN_FILE[] = "RUN.601";
const TrackDecoding DECODING{.source = TrackSource::Logged, .eastScale = testing::TRACK_EAST_SCALE};

// A reading: first marker 'T'.
const Group READING{"$PBAR,1012.43,-998.10", 'T'};

// The run's data file, written by the logging's own record writers.
void WriteRunFile(const std::vector<Group>& groups) {
  DataFileState run;
  run.dataFileHandle.Set(DataFile::Create(RUN_FILE));
  ASSERT_TRUE(WriteDataFileHeader(run, ConfigState{}));
  for (const Group& group : groups) {
    ASSERT_TRUE(group.first == 'T'
                    ? WriteReadingRecords(run, group.text, 10, 'T', '=', '>')
                    : WriteSentenceRecords(run, group.text, 10, group.first,
                                           group.first == '?' ? '"' : '#', '!', group.status));
  }
  run.dataFileHandle.Take();
}

std::vector<Group> Fixes(int count) {
  std::vector<Group> groups;
  for (int i = 0; i < count; ++i) {
    groups.push_back({GgaAt(i)});
    groups.push_back(READING);
  }
  return groups;
}

TEST(LoggedTrackReloadTest, TheRunsFixesMakeTheTrack) {
  struct Case {
    const char* name;
    std::vector<Group> groups;
    std::int32_t maxTrackPositions;
    std::int32_t trackBufferSize;
    std::vector<int> stored;
    int last;  // -1: no fix
  };
  // Every GGA talker is a fix; a sentence that did not become one, or a bad one whatever its
  // status, is not; the run's own hemisphere letters are read leniently.
  const std::vector<Group> mixed{{GgaAt(0)},
                                 READING,
                                 {GgaAt(1, "GNGGA")},
                                 {GgaAt(2), '@', ' '},
                                 {GgaAt(3), '?'},
                                 {GgaAt(4, "GQGGA")},
                                 {GgaAt(5, "GLGGA", 'X')},
                                 READING};
  const Case cases[] = {
      {"talkers and markers", mixed, 100, 120, {0, 1, 4, 5}, 5},
      {"maxTrackPositions reached", Fixes(6), 3, 5, {0, 1, 2}, 5},
      {"the buffer is smaller", Fixes(6), 10, 2, {0, 1}, 5},
      {"no fix", {READING, {GgaAt(0), '@', ' '}}, 10, 12, {}, -1},
  };
  for (const Case& c : cases) {
    const gradlog::testing::TempDeviceRoot root;
    WriteRunFile(c.groups);
    TrackBuffers track{.maxTrackPositions = c.maxTrackPositions,
                       .trackBufferSize = c.trackBufferSize,
                       .trackBuffersReserved = 1,
                       .trackPositionCount = 1};
    track.points.Reset(4);
    track.points.Append({1, 2});  // a rebuild starts from empty
    const std::optional<PlanePoint> last =
        ReloadLoggedTrackFromFile(track, RUN_FILE, DECODING, TRACK_PLANE);
    EXPECT_EQ(std::vector<TrackPoint>(track.points.Points().begin(), track.points.Points().end()),
              SortedPixels(c.stored))
        << c.name;
    EXPECT_EQ(track.trackPositionCount, static_cast<std::int32_t>(c.stored.size())) << c.name;
    // The last position is the one the view follows, stored or not.
    ASSERT_EQ(last.has_value(), c.last >= 0) << c.name;
    if (last) {
      EXPECT_EQ(ToTrackPixel(TRACK_PLANE, *last), SortedPixels({c.last}).front()) << c.name;
    }
  }
}

TEST(LoggedTrackReloadTest, WithoutBuffersOrFileTheTrackStays) {
  const gradlog::testing::TempDeviceRoot root;
  WriteRunFile(Fixes(1));
  for (const bool reserved : {false, true}) {
    TrackBuffers track{.trackBuffersReserved = reserved ? 1 : 0, .trackPositionCount = 1};
    track.points.Reset(4);
    track.points.Append({1, 2});
    EXPECT_FALSE(
        ReloadLoggedTrackFromFile(track, reserved ? "GONE.601" : RUN_FILE, DECODING, TRACK_PLANE));
    EXPECT_EQ(track.trackPositionCount, 1) << reserved;
    EXPECT_EQ(track.points.Count(), 1u) << reserved;
  }
}

}  // namespace
}  // namespace gradlog
