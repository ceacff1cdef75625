#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace gradlog {

// Which sentence the fix decoder reads, and which of its fields carry what.
struct GpsSentenceSelection {
  std::array<char, 4> tag{};
  std::int32_t fieldCount = 0;
  std::array<std::int32_t, 7> fieldRole{};
  std::array<std::int32_t, 7> fieldIndex{};
};

// The map track's position buffers, reserved once for the program's life.
struct TrackBuffers {
  std::int32_t maxTrackPositions = 14400;
  std::int32_t trackBufferSize = 14600;
  std::int32_t trackBuffersReserved = 0;
  std::int32_t trackPositionCount = 0;  // positions stored in this run
  std::vector<std::int32_t> trackX;
  std::vector<std::int32_t> trackY;
};

// What the fix decoding keeps from one fix to the next.
struct GpsFix {
  float speed = 2.0f;  // metres (or feet) a second; shown before the first speed is computed
};

// The positioning side's state; touched on the UI thread only.
struct GpsState {
  GpsSentenceSelection sentence;
  TrackBuffers track;
  GpsFix fix;
};

}  // namespace gradlog
