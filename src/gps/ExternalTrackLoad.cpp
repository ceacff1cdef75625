#include "gps/ExternalTrackLoad.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "gps/ExternalPositionCount.h"
#include "gps/ExternalThinning.h"
#include "gps/RecordedSentences.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

constexpr char INFORMATION_CAPTION[] = "INFORMATION";
constexpr char FILE_ERROR_CAPTION[] = "FILE ERROR";
constexpr char NO_POSITIONS_TEXT[] = "No positions found";
// Large reads: an external file may hold millions of positions.
constexpr std::size_t BLOCK_RECORDS = 1024;
constexpr std::size_t ASCII_BLOCK_SIZE = 64 * 1024;

// Picks every step-th candidate. Once the count has reached the step, the next candidate
// that gives a position is taken and the count starts again: a bad sentence at the step's
// place only delays the next point, where a test for equality would pass the step and
// never show another.
class StepCounter {
 public:
  explicit StepCounter(std::int32_t step) : step_(std::max(step, 1)), count_(step_ - 1) {}
  // Counts one candidate; true when it is to be taken if it gives a position.
  bool Due() {
    count_ = std::min(count_ + 1, step_);
    return count_ >= step_;
  }
  void Restart() { count_ = 0; }

 private:
  std::int32_t step_;
  std::int32_t count_;
};

ExternalLoadResult Drop(ExternalTrack& external, ExternalLoadOutcome outcome, std::string caption,
                        std::string message) {
  external.points.Release();
  external.loaded = 0;
  return {.outcome = outcome, .caption = std::move(caption), .message = std::move(message)};
}

void Store(ExternalTrack& external, const TrackPlane& plane, PlanePoint position) {
  if (static_cast<std::int64_t>(external.points.Count()) < external.displayCount)
    external.points.Append(ToTrackPixel(plane, position));
}

void FillFromDataFile(ExternalTrack& external, const BlockReadAt& readAt,
                      const ExternalLoadRequest& request) {
  TrackDecoding decoding = request.decoding;
  decoding.source = TrackSource::External;
  decoding.gpsDataType = external.gpsDataType;
  const bool fixMarked = external.fixMarked != 0;
  StepCounter counter(external.step);
  ForEachRecordedSentence(
      readAt,
      [&external, &request, &decoding, fixMarked, &counter](const RecordedSentence& sentence) {
        if (!IsExternalCandidate(sentence, fixMarked) || !counter.Due() ||
            !ExternalSentenceUsable(sentence.text, decoding.gpsDataType)) {
          return;
        }
        const std::optional<PlanePoint> position = DecodeTrackSentence(sentence.text, decoding);
        if (!position)
          return;
        counter.Restart();
        Store(external, request.plane, *position);
      },
      BLOCK_RECORDS);
}

void FillFromAsciiFile(ExternalTrack& external, const BlockReadAt& readAt,
                       const ExternalLoadRequest& request) {
  StepCounter counter(external.step);
  ForEachTextLine(
      readAt,
      [&external, &request, &counter](std::string_view line) {
        if (!counter.Due())
          return;
        const std::optional<PlanePoint> position = DecodeAsciiLine(
            line, request.columns, request.decoding.eastScale, request.decoding.distanceUnits);
        if (!position)
          return;
        counter.Restart();
        Store(external, request.plane, *position);
      },
      ASCII_BLOCK_SIZE);
}

// The external buffer made anew with `capacity` entries and filled from the file.
void Fill(ExternalTrack& external, const BlockReadAt& readAt, const ExternalLoadRequest& request,
          std::size_t capacity) {
  external.points.Reset(capacity);
  if (external.isAscii != 0)
    FillFromAsciiFile(external, readAt, request);
  else
    FillFromDataFile(external, readAt, request);
  // Appended in file order and sorted once: a file walked in lines, inserted point by point,
  // would move much of the store at every turn.
  external.points.SortByY();
  external.loaded = 1;
}

// The file's positions and candidates; nullopt when it holds no position to show.
std::optional<ExternalPositionCount> CountPositions(ExternalTrack& external,
                                                    const BlockReadAt& readAt,
                                                    const ExternalLoadRequest& request) {
  if (external.isAscii != 0) {
    const AsciiScan scan = ScanAsciiPositions(readAt, request.columns);
    if (!scan.anyPosition)
      return std::nullopt;
    return ExternalPositionCount{.total = scan.lines, .candidates = scan.lines};
  }
  const ExternalHeader header = ProbeExternalHeader(readAt);
  external.gpsDataType = header.gpsDataType;
  external.fixMarked = header.fixMarked ? 1 : 0;
  const ExternalPositionCount count =
      CountExternalPositions(readAt, header.fixMarked, BLOCK_RECORDS);
  if (count.candidates == 0)
    return std::nullopt;
  return count;
}

ExternalLoadResult LoadFirst(ExternalTrack& external, const BlockReadAt& readAt,
                             const ExternalLoadRequest& request) {
  const std::optional<ExternalPositionCount> count = CountPositions(external, readAt, request);
  if (!count)
    return Drop(external, ExternalLoadOutcome::NoPositions, INFORMATION_CAPTION, NO_POSITIONS_TEXT);
  ExternalThinningPlan plan = PlanExternalThinning(count->total, count->candidates,
                                                   ExternalPositionLimit(request.availableBytes));
  if (plan.refused)
    return Drop(external, ExternalLoadOutcome::Refused, INFORMATION_CAPTION,
                std::move(plan.message));
  external.step = plan.step;
  external.displayCount = plan.displayCount;
  Fill(external, readAt, request, static_cast<std::size_t>(plan.capacity));
  return {.outcome = ExternalLoadOutcome::Loaded,
          .caption = INFORMATION_CAPTION,
          .message = std::move(plan.message)};
}

std::string OpenFailureText(const std::string& path, const std::error_code& error) {
  if (error == std::errc::no_such_file_or_directory)
    return "External file not found:\r\n" + path;
  return "External file cannot be opened:\r\n" + path + "\r\n" + error.message();
}

}  // namespace

ExternalLoadResult LoadExternalTrack(ExternalTrack& external, const BlockReadAt& readAt,
                                     const ExternalLoadRequest& request) {
  if (request.mode == ExternalLoadMode::First)
    return LoadFirst(external, readAt, request);
  // A reload keeps the step and sizes the first load planned; there is nothing to refill
  // when that load left nothing.
  if (external.loaded == 0)
    return Drop(external, ExternalLoadOutcome::NoPositions, "", "");
  Fill(external, readAt, request, external.points.Capacity());
  return {.outcome = ExternalLoadOutcome::Loaded};
}

ExternalLoadResult LoadExternalTrackFromFile(ExternalTrack& external,
                                             const ExternalLoadRequest& request) {
  std::error_code error;
  std::optional<platform::File> file = platform::File::OpenExisting(external.filePath, &error);
  // Points of a file that is gone would show a track nobody can load again.
  if (!file) {
    return Drop(external, ExternalLoadOutcome::Refused, FILE_ERROR_CAPTION,
                OpenFailureText(external.filePath, error));
  }
  return LoadExternalTrack(external, FileReadAt(*file), request);
}

}  // namespace gradlog
