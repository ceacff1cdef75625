#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/SurveySettings.h"
#include "gps/GpsState.h"
#include "platform/ui/Window.h"

namespace gradlog {

// When GPS input is on and nothing is reserved yet, sizes the two map-track buffers to the
// free memory and reserves them. Returns the reduction step k: 0 full size, 1..6 reduced,
// above 6 not enough memory (then nothing is reserved).
int ReserveTrackBuffers(TrackBuffers& track, const SurveySettings& settings);

// The smallest reduction step whose two buffers fit strictly inside the budget (bytes).
int TrackReductionStep(std::uint64_t budget);

// The message for a reduction step: a warning for 1..6, a fatal stop above 6, none for 0.
struct TrackBufferNotice {
  std::string caption;
  std::string text;
  bool fatal = false;
};
std::optional<TrackBufferNotice> TrackBufferNoticeFor(int k, int maxTrackPositions);

// Shows the notice for step k, if any, and ends the program after the fatal one.
void ShowTrackBufferNotice(platform::Hwnd owner, int k, int maxTrackPositions);

}  // namespace gradlog
