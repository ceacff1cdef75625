#pragma once

#include <cstdint>
#include <optional>

#include "config/ConfigState.h"
#include "config/SettingChoices.h"
#include "platform/ui/Window.h"

namespace gradlog {

// What "New Line" offers when it opens: the next line and, on an alternate sequence, the
// walk back from where the last line ended.
struct NewLineProposal {
  double line = 0.0;  // the line name read as a number (0 when it is none) + lineIncrement
  float lineIncrement = 0.0f;
  std::int32_t sequence = 0;
  std::int32_t direction = 0;
  double startStation = 0.0;
  float stationIncrement = 0.0f;
};

NewLineProposal ProposeNewLine(const ConfigState& config);

// West and East, South and North swapped; a value outside the list stays as it is.
std::int32_t OppositeDirection(std::int32_t direction);

// "New Line": OK stores the line, its increment, sequence, direction, start station (also
// the current station) and station increment; the caller writes the line-start records and
// saves the settings. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunNewLineDialog(ConfigState& config, platform::Hwnd owner);

}  // namespace gradlog
