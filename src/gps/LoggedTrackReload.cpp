#include "gps/LoggedTrackReload.h"

#include <algorithm>

#include "gps/RecordedSentences.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

// A long run's file is tens of megabytes: larger reads keep the system calls few.
constexpr std::size_t BLOCK_RECORDS = 1024;

}  // namespace

std::optional<PlanePoint> ReloadLoggedTrack(TrackBuffers& track, const BlockReadAt& readAt,
                                            const TrackDecoding& decoding,
                                            const TrackPlane& plane) {
  if (track.trackBuffersReserved == 0)
    return std::nullopt;
  track.points.Reset(static_cast<std::size_t>(std::max(track.trackBufferSize, 0)));
  track.trackPositionCount = 0;
  TrackDecoding logged = decoding;
  logged.source = TrackSource::Logged;
  std::optional<PlanePoint> last;
  ForEachRecordedSentence(
      readAt,
      [&track, &logged, &plane, &last](const RecordedSentence& sentence) {
        if (sentence.status != FIX_STATUS)
          return;
        const std::optional<PlanePoint> position = DecodeTrackSentence(sentence.text, logged);
        if (!position)
          return;
        last = position;
        if (track.trackPositionCount < track.maxTrackPositions &&
            track.points.Append(ToTrackPixel(plane, *position))) {
          ++track.trackPositionCount;
        }
      },
      BLOCK_RECORDS);
  // Appended in walking order and sorted once: inserted one by one, every turn of a survey
  // line would move much of the store.
  track.points.SortByY();
  return last;
}

std::optional<PlanePoint> ReloadLoggedTrackFromFile(TrackBuffers& track,
                                                    std::string_view devicePath,
                                                    const TrackDecoding& decoding,
                                                    const TrackPlane& plane) {
  if (track.trackBuffersReserved == 0)
    return std::nullopt;
  std::optional<platform::File> file = platform::File::OpenExisting(devicePath);
  if (!file)
    return std::nullopt;
  return ReloadLoggedTrack(track, FileReadAt(*file), decoding, plane);
}

}  // namespace gradlog
