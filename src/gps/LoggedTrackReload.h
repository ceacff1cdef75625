#pragma once

#include <optional>
#include <string_view>

#include "gps/BlockReads.h"
#include "gps/GpsState.h"
#include "gps/TrackPlane.h"
#include "gps/TrackSentences.h"

namespace gradlog {

// Rebuilds the logged track from the run's data file at the current scale: every recorded
// sentence that became a fix (status 'p') is decoded, and its pixel stored while
// trackPositionCount is below maxTrackPositions. The track and its count start again from
// empty. Returns the last position decoded, whether stored or not, for the caller to keep the
// view around it; nullopt when the file holds no fix (the view then stays).
std::optional<PlanePoint> ReloadLoggedTrack(TrackBuffers& track, const BlockReadAt& readAt,
                                            const TrackDecoding& decoding, const TrackPlane& plane);

// The same from the data file at `devicePath`, opened for reading only; nullopt, with the
// track left as it was, when the file cannot be opened or there are no buffers reserved.
std::optional<PlanePoint> ReloadLoggedTrackFromFile(TrackBuffers& track,
                                                    std::string_view devicePath,
                                                    const TrackDecoding& decoding,
                                                    const TrackPlane& plane);

}  // namespace gradlog
