#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gradsim/Faults.h"
#include "gradsim/GeoOrigin.h"
#include "gradsim/GpsType.h"
#include "gradsim/Walker.h"

namespace gradsim {

inline constexpr int EXIT_USAGE = 64;
inline constexpr double MOST_PACED_READING_RATE = 100.0;
inline constexpr double MOST_UNPACED_READING_RATE = 1000.0;
inline constexpr std::string_view USAGE_LINE =
    "usage: gradsim --root DIR [options]   (gradsim --help lists the options)";

enum class FaultTarget { INSTRUMENT, GPS, BOTH };

struct Options {
  std::filesystem::path root;

  bool instrument = true;
  int instrumentPort = 1;
  int sensors = 2;
  double readingRate = 10.0;
  bool unpaced = false;  // instrument lines as fast as the line takes them, not at 9600 baud
  std::optional<std::filesystem::path> sentLog;     // where each instrument line sent is listed
  std::optional<std::filesystem::path> gpsSentLog;  // the same for the positioning device
  std::vector<SilenceWindow> instrumentSilences;

  bool gps = true;
  int gpsPort = 2;
  GpsType gpsType = GpsType::GGA_GSA;
  double gpsRate = 1.0;
  int gpsBaud = 9600;
  std::vector<SilenceWindow> gpsSilences;
  std::optional<std::filesystem::path> replayFile;
  double replayRate = 10.0;

  GeoPoint origin{52.0907, 5.1214};
  WalkerSettings walk;

  FaultSettings faults;
  FaultTarget faultTarget = FaultTarget::BOTH;

  std::optional<std::uint64_t> seed;
  std::optional<double> duration;
};

struct ParsedOptions {
  std::optional<Options> options;  // set when the arguments were good
  bool help = false;               // --help was asked for
  std::string error;               // one line, when neither of the above
};

// The arguments after the program name; "--name value" and "--name=value" both work.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

std::string HelpText();

}  // namespace gradsim
