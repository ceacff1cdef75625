#include "config/DerivedSettings.h"

#include "common/SafeConvert.h"

namespace gradlog {

namespace {

constexpr std::int64_t DISPLAY_INTERVAL_AT_1_HZ_MS = 910;
constexpr std::int64_t DISPLAY_INTERVAL_STEP_MS = 500;

}  // namespace

std::int32_t GpsDisplayIntervalMs(std::int32_t displayRate) {
  return ClampToInt32(DISPLAY_INTERVAL_AT_1_HZ_MS - DISPLAY_INTERVAL_STEP_MS * displayRate);
}

std::int32_t ReadingIntervalMs(float readingInterval) {
  return TruncateToInt32(readingInterval * 1000.0f);
}

void ApplySurveyMode(ConfigState& config) {
  const SurveySettings& settings = config.settings;
  config.activeSurveyMode = settings.surveyMode;
  switch (settings.surveyMode) {
    case 0:
      config.currentStationIncrement = settings.stationIncrementAuto;
      break;
    case 1:
      config.currentStationIncrement = settings.stationIncrementWheel;
      break;
    case 2:
      config.currentStationIncrement = settings.stationIncrementManual;
      break;
    default:
      break;
  }
}

// Integer arithmetic is widened and every float becomes an int through the clamping
// conversion, since a hand-edited file may hold any number.
void ComputeDerivedSettings(ConfigState& config) {
  SurveySettings& settings = config.settings;
  config.gpsDisplayIntervalMs = GpsDisplayIntervalMs(settings.gpsDisplayRate);
  config.readingIntervalMs = ReadingIntervalMs(settings.readingInterval);
  config.currentStation = settings.startStation;
  ApplySurveyMode(config);
  if (settings.dataStorage == 1 && config.storageCardPresent == 0)
    settings.dataStorage = 0;
}

}  // namespace gradlog
