#pragma once

#include <cstdint>

#include "config/SurveySettings.h"
#include "display/DisplayState.h"
#include "gps/FixDecoder.h"
#include "platform/gfx/DeviceContext.h"

namespace gradlog {

// Writes what a fix gives into the GPS boxes, each by the drawing rule; boxes without a text
// are left as they are.
void ShowFixTexts(platform::DeviceContext& dc, const DisplayState& display,
                  const FixBoxTexts& texts);

// Blinks the two lamps: the one `blinkPhase` names is lit (green, or red when `warning`) and
// the other white; then the phase moves on to the other lamp.
void BlinkFixLamps(platform::DeviceContext& dc, const DisplayState& display,
                   std::int32_t& blinkPhase, bool warning);

// The speed bar window's picture: blue, with the `whiteLength` right-hand pixels white.
void DrawSpeedBar(platform::DeviceContext& dc, const DisplayState& display,
                  std::int32_t whiteLength);

// The speed as text (in the logging window) and as the bar (in the speed bar window).
void ShowSpeed(platform::DeviceContext& loggingDc, platform::DeviceContext& speedbarDc,
               const DisplayState& display, const SurveySettings& settings, float speed);

}  // namespace gradlog
