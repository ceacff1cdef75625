#pragma once

#include <optional>

#include "gps/GpsState.h"
#include "gps/LocalPlane.h"

namespace gradlog {

// Seconds from the previous fix's time of day to this one's. A time earlier by more than
// half a day crossed midnight and gains a day; nullopt for zero, any other negative
// difference, or a missing time: no speed can be taken from it.
std::optional<double> SecondsBetweenFixes(std::optional<double> previous, double current);

// Takes the position of a valid fix into the run: the first becomes the origin (and sets
// nothing else); later ones give a speed, stored in fix.speed and returned, when the time
// between them allows one (otherwise fix.speed keeps the last good speed and nullopt is
// returned). The position becomes the previous one and its time (or none) the previous time.
std::optional<float> AdvanceFix(GpsFix& fix, PlanePoint position, std::optional<double> timeOfDay);

// The lamp turns red: the warning is on, the type can be judged ("GLL" and "Leica TPS" carry
// no quality), and the quality, DOP or satellites of the last fixes are below the settings.
bool GpsWarningApplies(const GpsFix& fix, std::int32_t gpsWarning, std::int32_t gpsDataType,
                       std::int32_t gpsWarnQuality, float gpsWarnPdop,
                       std::int32_t gpsWarnSatellites);

}  // namespace gradlog
