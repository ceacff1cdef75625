#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "gps/BlockReads.h"
#include "gps/LocalPlane.h"

namespace gradlog {

// Where an ASCII position file keeps its signed decimal degrees: the settings
// asciiLatitudeColumn and asciiLongitudeColumn (from 0) and asciiDelimiter.
struct AsciiColumns {
  std::int32_t latitudeColumn = 1;
  std::int32_t longitudeColumn = 0;
  std::int32_t delimiter = 0;
};

// ' ', ',', tab and ';' for asciiDelimiter 0 to 3; a setting out of range reads as the space.
char AsciiDelimiterCharacter(std::int32_t asciiDelimiter);

// The local position of one line, in the run's units; nullopt for a line without both numbers
// (a heading, a comment) or with degrees beyond the globe, which no map could place.
std::optional<PlanePoint> DecodeAsciiLine(std::string_view line, const AsciiColumns& columns,
                                          double eastScale, std::int32_t distanceUnits);

// Calls `visit` with every line of the file (without its LF or CR LF), reading `blockSize`
// bytes at a time; the last line needs no line end. A line longer than MAX_ASCII_LINE_LENGTH
// is cut to it: the columns of a position come first. Returns the number of lines.
inline constexpr std::size_t MAX_ASCII_LINE_LENGTH = 255;
std::int64_t ForEachTextLine(const BlockReadAt& readAt,
                             const std::function<void(std::string_view line)>& visit,
                             std::size_t blockSize = 4096);

// What a first pass over an ASCII file finds: every line is a candidate for the thinning, and
// `anyPosition` tells the caller whether there is anything to show at all. Lines after the
// first position are only counted, not decoded.
struct AsciiScan {
  std::int64_t lines = 0;
  bool anyPosition = false;
};
AsciiScan ScanAsciiPositions(const BlockReadAt& readAt, const AsciiColumns& columns);

}  // namespace gradlog
