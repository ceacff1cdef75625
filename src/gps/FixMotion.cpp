#include "gps/FixMotion.h"

#include <cmath>
#include <cstdint>

#include "common/SafeConvert.h"
#include "gps/GpsDataTypes.h"

namespace gradlog {

namespace {

constexpr double SECONDS_PER_DAY = 86400.0;

}  // namespace

std::optional<double> SecondsBetweenFixes(std::optional<double> previous, double current) {
  if (!previous)
    return std::nullopt;
  double elapsed = current - *previous;
  if (elapsed < -SECONDS_PER_DAY / 2)
    elapsed += SECONDS_PER_DAY;
  // Not "<= 0": NaN must give no speed either.
  if (!(elapsed > 0.0))
    return std::nullopt;
  return elapsed;
}

std::optional<float> AdvanceFix(GpsFix& fix, PlanePoint position, std::optional<double> timeOfDay) {
  std::optional<float> speed;
  if (fix.haveOrigin == 0) {
    fix.originNorth = position.north;
    fix.originEast = position.east;
    fix.haveOrigin = 1;
  } else if (timeOfDay) {
    if (const auto elapsed = SecondsBetweenFixes(fix.prevTimeOfDay, *timeOfDay)) {
      const double distance =
          std::hypot(position.north - fix.prevNorth, position.east - fix.prevEast);
      speed = ClampToFloat(distance / *elapsed);
      fix.speed = *speed;
    }
  }
  fix.north = position.north;
  fix.east = position.east;
  fix.prevNorth = position.north;
  fix.prevEast = position.east;
  if (timeOfDay)
    fix.timeOfDay = *timeOfDay;
  fix.prevTimeOfDay = timeOfDay;
  return speed;
}

bool GpsWarningApplies(const GpsFix& fix, std::int32_t gpsWarning, std::int32_t gpsDataType,
                       std::int32_t gpsWarnQuality, float gpsWarnPdop,
                       std::int32_t gpsWarnSatellites) {
  if (gpsWarning == 0 || gpsDataType == GPS_DATA_TYPE_GLL || gpsDataType == GPS_DATA_TYPE_LEICA_TPS)
    return false;
  return fix.quality < std::int64_t{gpsWarnQuality} + 1 || fix.dop > gpsWarnPdop ||
         fix.satellites < gpsWarnSatellites;
}

}  // namespace gradlog
