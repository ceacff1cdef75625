#pragma once

#include <cstdint>
#include <string>

#include "gps/AsciiPositions.h"
#include "gps/BlockReads.h"
#include "gps/GpsState.h"
#include "gps/TrackPlane.h"
#include "gps/TrackSentences.h"

namespace gradlog {

enum class ExternalLoadMode { First, Reload };

// What a load needs besides the file: how its positions become pixels of this run's map.
struct ExternalLoadRequest {
  ExternalLoadMode mode = ExternalLoadMode::First;
  AsciiColumns columns;    // for an ASCII file
  TrackDecoding decoding;  // the run's eastScale and units; the source and data type are the file's
  TrackPlane plane;
  std::uint64_t availableBytes = 0;  // free physical memory, for the thinning (first load)
};

enum class ExternalLoadOutcome {
  Loaded,       // the points are in, at the file's step; `message` tells the user (first load)
  Refused,      // too many positions for the memory, or none fit; nothing stays loaded
  NoPositions,  // the file holds no position at all; nothing stays loaded
};

struct ExternalLoadResult {
  ExternalLoadOutcome outcome = ExternalLoadOutcome::NoPositions;
  std::string caption;  // for the message box: "INFORMATION", or why nothing was loaded
  std::string message;  // the box's text; empty on a reload that went well
};

// Reads the external file through `readAt` and fills `external.points` at the current scale.
// The first load probes a data file's header, counts the positions and the candidates, and
// plans the thinning from the free memory; a reload keeps the file's step and sizes. Whatever
// the outcome, nothing half-read stays: a refused or empty load leaves `external.loaded` 0 and
// its points released.
ExternalLoadResult LoadExternalTrack(ExternalTrack& external, const BlockReadAt& readAt,
                                     const ExternalLoadRequest& request);

// The same for the file at `external.filePath`, opened for reading only and closed before it
// returns. A file that cannot be opened any more (a storage card pulled) drops the track, and
// the result says so.
ExternalLoadResult LoadExternalTrackFromFile(ExternalTrack& external,
                                             const ExternalLoadRequest& request);

}  // namespace gradlog
