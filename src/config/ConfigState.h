#pragma once

#include <cstdint>

#include "config/SurveySettings.h"

namespace gradlog {

// The settings and the values derived from them; touched on the UI thread only. Threads that
// need a setting get a copy of it when they start.
struct ConfigState {
  SurveySettings settings;
  std::int32_t storageCardPresent = 0;
  // The antenna offsets are entered for one session and never stored.
  float gpsOffsetX = 0.0f;
  float gpsOffsetY = 0.0f;
  double currentStation = 0.0;
  std::int32_t activeSurveyMode = 0;
  float currentStationIncrement = 1.0f;
  std::int32_t readingIntervalMs = 200;
  std::int32_t gpsDisplayIntervalMs = 910;
};

}  // namespace gradlog
