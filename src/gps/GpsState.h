#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "gps/SortedTrack.h"

namespace gradlog {

// Which sentence the fix decoder reads, and which of its fields carry what.
struct GpsSentenceSelection {
  std::array<char, 4> tag{};
  std::int32_t fieldCount = 0;
  std::array<std::int32_t, 7> fieldRole{};
  std::array<std::int32_t, 7> fieldIndex{};
  // The field that holds the fix's UTC time of day (hhmmss.ss); 0 when the sentence has none.
  std::int32_t timeFieldIndex = 0;
};

// The map's logged track: the run's positions in pixels, sized once to the free memory.
struct TrackBuffers {
  std::int32_t maxTrackPositions = 14400;
  std::int32_t trackBufferSize = 14600;
  std::int32_t trackBuffersReserved = 0;
  std::int32_t trackPositionCount = 0;  // positions stored in this run
  SortedTrack points;                   // capacity trackBufferSize once reserved
};

// The track of another file shown on the map for orientation: an earlier data file or an
// ASCII file of degrees, thinned to the free memory. The file is open only while it is read.
struct ExternalTrack {
  SortedTrack points;
  std::int32_t loaded = 0;        // the points belong to the file at filePath
  std::int32_t isAscii = 0;       // 1 an ASCII position file, 0 a data file
  std::int32_t step = 1;          // only every step-th position of the file is shown
  std::int64_t displayCount = 0;  // the most positions stored
  std::int32_t gpsDataType = 0;   // of an external data file, from its header
  std::int32_t fixMarked = 0;     // the data file marks its fixes with the status 'p'
  std::int32_t recordLength = 27;
  std::string filePath;  // device path, kept for the reloads after a rescale
};

// What the fix decoding keeps from one fix to the next. The initial satellites, quality and
// DOP pass every warning test, so a sentence type without one of them never warns for it.
struct GpsFix {
  std::int32_t blinkPhase = '\\';  // which lamp is lit next: '/' or '\\'
  std::int32_t valid = 1;          // the current fix passed every field test
  std::int32_t satellites = 20;
  std::int32_t quality = 10;
  float dop = -2.0f;
  std::int32_t haveOrigin = 0;  // the run's first valid position has been taken
  double originNorth = 0.0;
  double originEast = 0.0;
  // East is degrees of longitude x 111000 x this factor, cos(latitude of the run's origin),
  // so that a metre east is as long as a metre north; one factor a run keeps the map a plane.
  double eastScale = 1.0;
  double north = 0.0;
  double east = 0.0;
  double prevNorth = 0.0;
  double prevEast = 0.0;
  double timeOfDay = 0.0;  // UTC seconds since midnight
  // The time of the previous position; none when it came without one, so that no speed is
  // taken over the time since an older fix.
  std::optional<double> prevTimeOfDay;
  float speed = 2.0f;  // metres (or feet) a second; shown before the first speed is computed
  std::uint32_t lastFixTick = 0;
  std::int32_t gsaPending = 0;  // a fix came, and no GSA after it yet
};

// The total station's own lamp phase and previous position.
struct TotalStationFix {
  std::int32_t blinkPhase = '\\';
  double prevNorth = 0.0;
  double prevEast = 0.0;
  std::uint32_t prevTick = 0;
};

// The positioning side's state; touched on the UI thread only.
struct GpsState {
  GpsSentenceSelection sentence;
  TrackBuffers track;
  ExternalTrack external;
  GpsFix fix;
  TotalStationFix totalStation;
};

}  // namespace gradlog
