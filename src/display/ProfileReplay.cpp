#include "display/ProfileReplay.h"

#include <optional>

#include "display/ProfileReplayWalk.h"
#include "display/ProfileStrokes.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

// Drawn from the oldest point to the newest, as the live steps drew it, so that the rebuilt
// curve has the pixels the window showed before.
void DrawCurve(platform::DeviceContext& dc, const std::vector<platform::Point>& newestFirst,
               const platform::PenHandle& pen) {
  if (newestFirst.empty())
    return;
  dc.SelectPen(pen);
  dc.MoveTo(newestFirst.back().x, newestFirst.back().y);
  for (auto point = newestFirst.rbegin() + 1; point != newestFirst.rend(); ++point)
    dc.LineTo(point->x, point->y);
  DrawCurvePoint(dc, newestFirst.front());
}

// G2 after G1, as each reading's step draws them.
void DrawPieces(platform::DeviceContext& dc, const std::vector<ReplayPiece>& pieces,
                const DisplayState& display) {
  const auto guard = dc.Save();
  for (const ReplayPiece& piece : pieces) {
    DrawCurve(dc, piece.g1, display.channels.curvePen[0]);
    DrawCurve(dc, piece.g2, display.channels.curvePen[1]);
  }
}

}  // namespace

void ReplayProfileFromDataFile(platform::DeviceContext& dc, std::string_view dataFilePath,
                               const DisplayState& display, const SurveySettings& settings) {
  if (dataFilePath.empty())
    return;
  std::optional<platform::File> file = platform::File::OpenExisting(dataFilePath);
  if (!file)
    return;
  const std::optional<std::uint64_t> length = file->SeekToEnd();
  if (!length)
    return;
  const auto readAt = [&file](std::uint64_t offset, std::span<char> buffer) {
    return file->ReadAt(offset, buffer);
  };
  DrawPieces(dc, WalkRecordsBackwards(*length, readAt, ReplayOptionsFor(display, settings)),
             display);
}

}  // namespace gradlog
