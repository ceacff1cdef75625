#pragma once

#include <chrono>
#include <string>

namespace gradsim {

// A moment of UTC broken into the fields NMEA time and date stamps print.
struct UtcStamp {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int centiseconds = 0;
};

UtcStamp ToUtcStamp(std::chrono::system_clock::time_point moment);

std::string FormatTimeOfDay(const UtcStamp& stamp);  // hhmmss.ss
std::string FormatDateDmy(const UtcStamp& stamp);    // ddmmyy (RMC)
std::string FormatDateMdy(const UtcStamp& stamp);    // mmddyy (Trimble sentences)

}  // namespace gradsim
