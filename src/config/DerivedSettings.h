#pragma once

#include <cstdint>

#include "config/ConfigState.h"

namespace gradlog {

// How often the GPS boxes are redrawn for a display-rate setting (0: 1 Hz, 1: 2.5 Hz).
std::int32_t GpsDisplayIntervalMs(std::int32_t displayRate);

// The reading interval setting (seconds) in milliseconds.
std::int32_t ReadingIntervalMs(float readingInterval);

// Makes surveyMode the active mode and takes its station increment.
void ApplySurveyMode(ConfigState& config);

// The values the display and logging code use directly, from freshly loaded settings.
void ComputeDerivedSettings(ConfigState& config);

}  // namespace gradlog
