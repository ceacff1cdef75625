#pragma once

#include <cstdint>
#include <optional>

#include "app/AppState.h"

namespace gradlog {

// curveWidth / (speedMax - speedMin). Equal limits give +infinity, as that division does in
// floating point, without dividing by zero; bar lengths come from it only through
// SpeedBarWhiteLength, since converting an infinity to an int is undefined.
float SpeedPixelsPerUnit(std::int32_t curveWidth, float speedMin, float speedMax);

// "Speed Bar Scale": OK stores speedMax, recomputes speedPixelsPerUnit and saves the
// settings. DIALOG_ACCEPTED or DIALOG_CANCELLED; nullopt without the template.
std::optional<int> RunSpeedScaleDialog(AppState& app, platform::Hwnd owner);

}  // namespace gradlog
