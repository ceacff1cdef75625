#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/gfx/Color.h"

namespace gradlog {

// gpsDataType of the total station, which sends label records instead of NMEA sentences.
inline constexpr std::int32_t GPS_DATA_TYPE_RTS_TRIMBLE = 8;

// The persistent settings, in the order the settings file stores them. Index-valued fields
// hold the 0-based position of the choice in the list of the editing dialog; values read
// from a hand-edited file are kept as they are, so every table lookup checks its index.
struct SurveySettings {
  std::int32_t instrumentEnabled = 1;
  std::int32_t gradSensorCount = 2;
  std::int32_t distanceUnits = 0;
  std::int32_t speedUnits = 0;
  std::int32_t instrumentPort = 0;
  std::int32_t audio = 1;
  std::int32_t pauseKey = 0;
  std::array<std::int32_t, 8> channelShown{1, 1, 1, 1, 1, 1, 1, 1};
  std::array<std::int32_t, 8> channelThickness{2, 3, 4, 1, 2, 4, 3, 1};
  std::array<std::int32_t, 8> channelColor{static_cast<std::int32_t>(platform::Rgb(0, 0, 255)),
                                           static_cast<std::int32_t>(platform::Rgb(0, 255, 0)),
                                           static_cast<std::int32_t>(platform::Rgb(255, 0, 0)),
                                           static_cast<std::int32_t>(platform::Rgb(255, 0, 255)),
                                           static_cast<std::int32_t>(platform::Rgb(0, 255, 255)),
                                           static_cast<std::int32_t>(platform::Rgb(255, 255, 0)),
                                           static_cast<std::int32_t>(platform::Rgb(128, 128, 0)),
                                           static_cast<std::int32_t>(platform::Rgb(0, 128, 128))};
  std::int32_t profileAmplitude = 0;
  float profileMin = 0.0f;
  float profileMax = 2000.0f;
  std::int32_t gpsInput = 1;
  std::int32_t gpsDataType = 0;
  std::int32_t gpsPort = 1;
  std::int32_t gpsBaud = 1;
  std::int32_t gpsDataBits = 1;
  std::int32_t gpsParity = 0;
  std::int32_t gpsStopBits = 0;
  std::int32_t gpsDisplayRate = 0;
  float speedMin = 0.0f;
  float speedMax = 10.0f;
  std::int32_t surveyMode = 0;
  float stationIncrementAuto = 1.0f;
  float stationIncrementWheel = 0.2f;
  float stationIncrementManual = 2.0f;
  float readingInterval = 0.2f;
  std::string surveyLine = "0";  // at most SURVEY_LINE_MAX characters
  float lineIncrement = 1.0f;
  std::int32_t lineSequence = 0;
  std::int32_t lineDirection = 1;
  double startStation = 0.0;
  std::int32_t dataStorage = 0;
  std::int32_t mapCurrentMarkerSize = 1;
  std::int32_t mapSavedPointSize = 4;
  std::int32_t mapExternalPointSize = 3;
  std::int32_t mapCurrentColor = static_cast<std::int32_t>(platform::Rgb(0, 0, 255));
  std::int32_t mapSavedColor = static_cast<std::int32_t>(platform::Rgb(255, 0, 0));
  std::int32_t mapExternalColor = static_cast<std::int32_t>(platform::Rgb(0, 255, 0));
  std::int32_t asciiLatitudeColumn = 1;
  std::int32_t asciiLongitudeColumn = 0;
  std::int32_t asciiDelimiter = 0;
  float mapGridInterval = 1.5f;
  std::int32_t mapScale = 10;
  std::int32_t mapMarginStep = 1;
  std::int32_t gpsWarning = 1;
  std::int32_t gpsWarnQuality = 1;
  std::int32_t gpsWarnSatellites = 5;
  float gpsWarnPdop = 4.0f;
};

inline constexpr std::size_t SURVEY_LINE_MAX = 11;

}  // namespace gradlog
