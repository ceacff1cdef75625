#include "gps/TrackBuffers.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"

namespace gradlog {

namespace {

constexpr std::int64_t FULL_TRACK_POSITIONS = 14400;
constexpr std::int64_t POSITIONS_PER_STEP = 1800;
constexpr std::int64_t SPARE_ENTRIES = 200;
constexpr std::int64_t BYTES_PER_POSITION = 8;  // one 32-bit entry in each of the two buffers
constexpr int LAST_USABLE_STEP = 6;

}  // namespace

// At step 9 the need is negative, so the search always ends there at the latest.
int TrackReductionStep(std::uint64_t budget) {
  int k = 0;
  for (;; ++k) {
    const std::int64_t need =
        BYTES_PER_POSITION * (FULL_TRACK_POSITIONS + SPARE_ENTRIES - POSITIONS_PER_STEP * k);
    if (need < 0 || static_cast<std::uint64_t>(need) < budget)
      return k;
  }
}

int ReserveTrackBuffers(TrackBuffers& track, const SurveySettings& settings) {
  if (settings.gpsInput != 1 || track.trackBuffersReserved != 0)
    return 0;

  const std::uint64_t freeBytes = platform::Services().FreeMemoryBytes();
  const std::uint64_t budget = 4 * (freeBytes / 5);  // leave a fifth of the memory free
  const int k = TrackReductionStep(budget);
  track.maxTrackPositions =
      static_cast<std::int32_t>(FULL_TRACK_POSITIONS - POSITIONS_PER_STEP * k);
  track.trackBufferSize = track.maxTrackPositions + static_cast<std::int32_t>(SPARE_ENTRIES);
  if (k > LAST_USABLE_STEP)
    return k;

  track.points.Reset(static_cast<std::size_t>(track.trackBufferSize));
  track.trackBuffersReserved = 1;
  return k;
}

std::optional<TrackBufferNotice> TrackBufferNoticeFor(int k, int maxTrackPositions) {
  if (k > LAST_USABLE_STEP) {
    return TrackBufferNotice{"PROGRAM STOP", "Not enough memory to run this program\r\n", true};
  }
  if (k < 1)
    return std::nullopt;
  char text[128];
  std::snprintf(text, sizeof text, "%s %ld\r\n(%3.1f%s",
                "Max Number of Positions:", static_cast<long>(maxTrackPositions), 4.0 - 0.5 * k,
                " hours at 1 position/s)");
  return TrackBufferNotice{"WARNING", text, false};
}

void ShowTrackBufferNotice(platform::Hwnd owner, int k, int maxTrackPositions) {
  const std::optional<TrackBufferNotice> notice = TrackBufferNoticeFor(k, maxTrackPositions);
  if (!notice)
    return;
  platform::MessageBox(owner, notice->text, notice->caption, platform::MB_ICONEXCLAMATION);
  if (notice->fatal)
    platform::ExitProcess(0);
}

}  // namespace gradlog
