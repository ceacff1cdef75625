#include "config/SettingsFile.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "config/SettingsStore.h"
#include "display/DisplayScales.h"
#include "display/SafeConvert.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

constexpr std::string_view SETTINGS_FOLDER = "C_DRIVE\\KELINI";
constexpr std::string_view SETTINGS_PATH = "C_DRIVE\\KELINI\\Z601CX.INI";
constexpr std::string_view STORAGE_CARD_FOLDER = "Storage Card";

// From this size step on the current-position marker keeps one large size.
constexpr std::int32_t LARGE_MARKER_SIZE = 5;
constexpr std::int32_t LARGE_MARKER_DIAMETER = 19;
constexpr std::int32_t LARGE_MARKER_HALF = 9;

bool StorageCardPresent() {
  return platform::DirectoryExists(STORAGE_CARD_FOLDER);
}

void ComputeMapMarker(AppState& app) {
  // Sizes below the options window's smallest step (0) would make the marker's bitmap empty
  // or negative; they draw the smallest marker instead. The setting itself is kept.
  const std::int32_t size = std::max(app.settings.mapCurrentMarkerSize, 0);
  if (size >= LARGE_MARKER_SIZE) {
    app.mapMarkerDiameter = LARGE_MARKER_DIAMETER;
    app.mapMarkerHalf = LARGE_MARKER_HALF;
    return;
  }
  app.mapMarkerDiameter = 2 * size + 7;
  app.mapMarkerHalf = size + 3;
}

void ComputeMapMargins(AppState& app) {
  const std::int64_t percent = 10 + 5 * static_cast<std::int64_t>(app.settings.mapMarginStep);
  app.mapMarginPx = TruncateToInt32(static_cast<double>(percent * app.curveWidth) * 0.01);
  app.mapMarginOuterPx = ClampToInt32(static_cast<std::int64_t>(app.mapMarginPx) + 20);
}

// The values the display and logging code use directly, in the order the settings define
// them. Integer arithmetic is widened and every float becomes an int through the clamping
// conversion, since a hand-edited file may hold any number.
void ComputeDerivedValues(AppState& app) {
  SurveySettings& settings = app.settings;
  RecomputeProfileScales(app);
  app.gpsDisplayIntervalMs =
      ClampToInt32(910 - 500 * static_cast<std::int64_t>(settings.gpsDisplayRate));
  app.speedPixelsPerUnit =
      static_cast<float>(app.curveWidth) / (settings.speedMax - settings.speedMin);
  app.activeSurveyMode = settings.surveyMode;
  app.readingIntervalMs = TruncateToInt32(settings.readingInterval * 1000.0f);
  app.currentStation = settings.startStation;
  switch (settings.surveyMode) {
    case 0:
      app.currentStationIncrement = settings.stationIncrementAuto;
      break;
    case 1:
      app.currentStationIncrement = settings.stationIncrementWheel;
      break;
    case 2:
      app.currentStationIncrement = settings.stationIncrementManual;
      break;
    default:
      break;
  }
  if (settings.dataStorage == 1 && app.storageCardPresent == 0)
    settings.dataStorage = 0;
  ComputeMapMarker(app);
  ComputeMapMargins(app);
}

}  // namespace

void LoadSettings(AppState& app) {
  // The antenna offsets are entered for one session only.
  app.gpsOffsetX = 0.0f;
  app.gpsOffsetY = 0.0f;
  app.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);

  if (LoadSettingsFile(SETTINGS_PATH, app.settings))
    ComputeDerivedValues(app);
}

bool SaveSettings(AppState& app) {
  app.storageCardPresent = StorageCardPresent() ? 1 : 0;
  platform::CreateDirectoryPath(SETTINGS_FOLDER);
  return SaveSettingsFile(SETTINGS_PATH, app.settings);
}

}  // namespace gradlog
