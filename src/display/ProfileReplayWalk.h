#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "datafile/Record.h"
#include "display/DisplayState.h"
#include "platform/gfx/Geometry.h"

namespace gradlog {

// What a replay needs to know besides the file.
struct ReplayOptions {
  float profileMax = 0.0f;
  ProfileScales scales;
  std::int32_t gradSensorCount = 2;
  bool g1Shown = true;
  bool g2Shown = true;
};

ReplayOptions ReplayOptionsFor(const DisplayState& display, const SurveySettings& settings);

// The points of one unbroken stretch of the curves, in the order the file is walked: from the
// newest reading (right) back to the oldest (left). A list is empty when its channel is not
// drawn.
struct ReplayPiece {
  std::vector<platform::Point> g1;
  std::vector<platform::Point> g2;
};

// Places the readings of the current line, taking the data file's records from the last one
// back: at most 84 readings, the newest at x 167 and each older one 2 pixels further left; a
// station mark leaves a gap of one step and breaks the curves; the line's date-time record
// ends the walk.
class ProfileReplayWalk {
 public:
  explicit ProfileReplayWalk(const ReplayOptions& options) : options_(options) {}

  // The record before every record taken so far (a whole record of the file); false once the
  // walk is over and no earlier record is wanted.
  bool Take(std::string_view record);
  // The pieces, the newest first.
  std::vector<ReplayPiece> Finish();

 private:
  void PlaceReading(std::string_view record);
  void BreakCurves();

  ReplayOptions options_;
  std::int32_t x_ = 167;
  bool over_ = false;
  // The record after the one being taken (the file's next one, none yet at the end), for a
  // reading's continuation.
  Record later_{};
  ReplayPiece open_;
  std::vector<ReplayPiece> pieces_;
};

// Reads up to `buffer.size()` bytes at `offset`; fewer only at the end or on a failure.
using ReadAtFunction = std::function<std::size_t(std::uint64_t offset, std::span<char> buffer)>;

// Walks the whole records of a file of `length` bytes from its end, reading `blockRecords`
// records at a time so that only the records walked are read; a partial record at the end
// is left out and a short read ends the walk.
std::vector<ReplayPiece> WalkRecordsBackwards(std::uint64_t length, const ReadAtFunction& readAt,
                                              const ReplayOptions& options,
                                              std::size_t blockRecords = 128);

// The same over the bytes of a whole file held in memory.
std::vector<ReplayPiece> WalkBytesBackwards(std::string_view bytes, const ReplayOptions& options,
                                            std::size_t blockRecords = 128);

}  // namespace gradlog
