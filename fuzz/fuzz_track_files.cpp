// Any bytes as a track file for the map: an external data file and an external ASCII file,
// each loaded, reloaded at the same scale and at another, and reloaded from a file cut short
// by a failing read; and the run's own data file rebuilt into small track buffers. Three
// header bytes choose the ASCII columns and delimiter, the free memory (mostly small, so that
// the thinning has work to do), the units, the logged track's sizes and where the failing read
// cuts the file; the rest is the file.
//
// Whatever the bytes: no track outgrows its buffer, every track is sorted by y, a track that
// is not loaded holds nothing, the logged track never passes the run's limit, and reading the
// same file again at the same scale gives the same track.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "gps/BlockReads.h"
#include "gps/ExternalTrackLoad.h"
#include "gps/GpsState.h"
#include "gps/LoggedTrackReload.h"
#include "gps/TrackPlane.h"
#include "gps/TrackSentences.h"

namespace {

using namespace gradlog;

constexpr std::size_t HEADER_BYTES = 3;
constexpr double EAST_SCALE = 0.67;
// Near the seeds' positions, so that their tracks land on and around the map square.
const TrackPlane PLANE{.pixelsPerUnit = 0.5,
                       .originNorth = 48.12 * METRES_PER_DEGREE,
                       .originEast = 11.52 * METRES_PER_DEGREE * EAST_SCALE};
const TrackPlane RESCALED = [] {
  TrackPlane plane = PLANE;
  plane.pixelsPerUnit = 21.2;
  return plane;
}();

void Check(bool condition) {
  if (!condition)
    __builtin_trap();
}

struct Header {
  AsciiColumns columns;
  std::uint64_t availableBytes = 0;
  std::int32_t distanceUnits = 0;
  std::int32_t maxTrackPositions = 0;
  std::int32_t trackBufferSize = 0;
  std::size_t cutAt = 0;  // where a failing read cuts the file
};

Header ReadHeader(const std::uint8_t* data, std::size_t fileSize) {
  Header header;
  // Columns 0 to 3; delimiters 4 to 7 are settings out of range, read as the space.
  header.columns = {.latitudeColumn = data[0] & 3,
                    .longitudeColumn = (data[0] >> 2) & 3,
                    .delimiter = (data[0] >> 4) & 7};
  // Ten bytes a position: room for 0 to 63 positions, or plenty.
  header.availableBytes = (data[1] & 0x40) != 0 ? 10'000'000 : 10u * (data[1] & 0x3F);
  header.distanceUnits = data[1] >> 7;
  header.maxTrackPositions = 1 + (data[2] & 0x1F);
  // From three entries fewer than the limit to four more.
  header.trackBufferSize = std::max(0, header.maxTrackPositions + ((data[2] >> 5) & 7) - 3);
  header.cutAt = fileSize * data[2] / 256;
  return header;
}

// The first cutAt bytes read; every read past them fails.
BlockReadAt CutReadAt(std::string_view bytes, std::size_t cutAt) {
  return BytesReadAt(bytes.substr(0, cutAt));
}

std::vector<TrackPoint> PointsOf(const SortedTrack& track) {
  return {track.Points().begin(), track.Points().end()};
}

bool SortedByY(const SortedTrack& track) {
  return std::ranges::is_sorted(track.Points(), {}, &TrackPoint::y);
}

void CheckExternal(const ExternalTrack& external, const ExternalLoadResult& result) {
  const SortedTrack& points = external.points;
  Check(points.Count() <= points.Capacity());
  Check(SortedByY(points));
  Check((external.loaded != 0) == (result.outcome == ExternalLoadOutcome::Loaded));
  if (external.loaded == 0) {
    Check(points.Count() == 0 && points.Capacity() == 0);
    return;
  }
  Check(external.step >= 1);
  Check(static_cast<std::int64_t>(points.Count()) <= external.displayCount);
}

ExternalLoadRequest Request(const Header& header, ExternalLoadMode mode, const TrackPlane& plane) {
  return {.mode = mode,
          .columns = header.columns,
          .decoding = {.source = TrackSource::External,
                       .eastScale = EAST_SCALE,
                       .distanceUnits = header.distanceUnits},
          .plane = plane,
          .availableBytes = header.availableBytes};
}

void LoadExternal(std::string_view file, const Header& header, std::int32_t isAscii) {
  ExternalTrack external{.isAscii = isAscii};
  const BlockReadAt readAt = BytesReadAt(file);
  const ExternalLoadResult first =
      LoadExternalTrack(external, readAt, Request(header, ExternalLoadMode::First, PLANE));
  CheckExternal(external, first);
  const std::vector<TrackPoint> loaded = PointsOf(external.points);

  const ExternalLoadResult again =
      LoadExternalTrack(external, readAt, Request(header, ExternalLoadMode::Reload, PLANE));
  CheckExternal(external, again);
  Check(PointsOf(external.points) == loaded);

  const ExternalLoadResult rescaled =
      LoadExternalTrack(external, readAt, Request(header, ExternalLoadMode::Reload, RESCALED));
  CheckExternal(external, rescaled);
  Check(external.points.Count() == loaded.size());

  const ExternalLoadResult cut = LoadExternalTrack(
      external, CutReadAt(file, header.cutAt), Request(header, ExternalLoadMode::Reload, PLANE));
  CheckExternal(external, cut);
}

void CheckLogged(const TrackBuffers& track, const std::optional<PlanePoint>& last) {
  Check(track.points.Count() <= track.points.Capacity());
  Check(SortedByY(track.points));
  Check(track.trackPositionCount >= 0 && track.trackPositionCount <= track.maxTrackPositions);
  Check(track.points.Count() == static_cast<std::size_t>(track.trackPositionCount));
  if (!last)
    Check(track.trackPositionCount == 0);
}

void ReloadLogged(std::string_view file, const Header& header) {
  const TrackDecoding decoding{.source = TrackSource::Logged,
                               .eastScale = EAST_SCALE,
                               .distanceUnits = header.distanceUnits};
  TrackBuffers unreserved{.maxTrackPositions = header.maxTrackPositions,
                          .trackBufferSize = header.trackBufferSize};
  Check(!ReloadLoggedTrack(unreserved, BytesReadAt(file), decoding, PLANE));
  Check(unreserved.points.Count() == 0 && unreserved.trackPositionCount == 0);

  TrackBuffers track{.maxTrackPositions = header.maxTrackPositions,
                     .trackBufferSize = header.trackBufferSize,
                     .trackBuffersReserved = 1};
  // Left over from before the rebuild, which must start again from empty.
  track.points.Reset(static_cast<std::size_t>(header.trackBufferSize));
  track.points.Append({-7, 7});
  track.trackPositionCount = 1;
  const std::optional<PlanePoint> last =
      ReloadLoggedTrack(track, BytesReadAt(file), decoding, PLANE);
  CheckLogged(track, last);
  const std::vector<TrackPoint> rebuilt = PointsOf(track.points);

  const std::optional<PlanePoint> again =
      ReloadLoggedTrack(track, BytesReadAt(file), decoding, PLANE);
  CheckLogged(track, again);
  Check(PointsOf(track.points) == rebuilt);

  CheckLogged(track, ReloadLoggedTrack(track, CutReadAt(file, header.cutAt), decoding, RESCALED));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < HEADER_BYTES)
    return 0;
  const std::string_view file(reinterpret_cast<const char*>(data) + HEADER_BYTES,
                              size - HEADER_BYTES);
  const Header header = ReadHeader(data, file.size());
  LoadExternal(file, header, 0);
  LoadExternal(file, header, 1);
  ReloadLogged(file, header);
  return 0;
}
