#include "gps/AsciiPositions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/NumberFields.h"
#include "gps/PositionFields.h"

namespace gradlog {

namespace {

constexpr std::array<char, 4> DELIMITERS{' ', ',', '\t', ';'};
constexpr double MAX_LATITUDE = 90.0;
constexpr double MAX_LONGITUDE = 180.0;

// Column `column` (from 0) read as a number, in full precision: degrees at float precision
// would move a point by up to a metre.
std::optional<double> ColumnValue(std::string_view line, std::int32_t column, char delimiter) {
  if (column < 0 || column >= std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  const std::optional<std::string_view> token = GetNumberField(line, column + 1, delimiter);
  return token ? GridFieldValue(*token) : std::nullopt;
}

}  // namespace

char AsciiDelimiterCharacter(std::int32_t asciiDelimiter) {
  if (asciiDelimiter < 0 || asciiDelimiter >= static_cast<std::int32_t>(DELIMITERS.size()))
    return DELIMITERS[0];
  return DELIMITERS[static_cast<std::size_t>(asciiDelimiter)];
}

std::optional<PlanePoint> DecodeAsciiLine(std::string_view line, const AsciiColumns& columns,
                                          double eastScale, std::int32_t distanceUnits) {
  const char delimiter = AsciiDelimiterCharacter(columns.delimiter);
  const std::optional<double> latitude = ColumnValue(line, columns.latitudeColumn, delimiter);
  const std::optional<double> longitude = ColumnValue(line, columns.longitudeColumn, delimiter);
  if (!latitude || !longitude || std::abs(*latitude) > MAX_LATITUDE ||
      std::abs(*longitude) > MAX_LONGITUDE) {
    return std::nullopt;
  }
  return ToLocalPlane(*latitude, *longitude, eastScale, distanceUnits);
}

std::int64_t ForEachTextLine(const BlockReadAt& readAt,
                             const std::function<void(std::string_view line)>& visit,
                             std::size_t blockSize) {
  std::vector<char> block(std::max<std::size_t>(blockSize, 1));
  std::string line;
  std::int64_t lines = 0;
  const auto finishLine = [&line, &lines, &visit] {
    if (line.ends_with('\r'))
      line.pop_back();
    visit(line);
    ++lines;
    line.clear();
  };
  bool lineOpen = false;
  for (std::uint64_t offset = 0;;) {
    const std::size_t got = readAt(offset, block);
    const std::string_view bytes(block.data(), got);
    for (std::size_t start = 0; start < bytes.size();) {
      const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
      const std::size_t room = MAX_ASCII_LINE_LENGTH - line.size();
      line.append(bytes.substr(start, std::min(end - start, room)));
      lineOpen = lineOpen || end > start;
      if (end == bytes.size())
        break;
      finishLine();
      lineOpen = false;
      start = end + 1;
    }
    if (got < block.size())
      break;
    offset += got;
  }
  if (lineOpen)
    finishLine();
  return lines;
}

AsciiScan ScanAsciiPositions(const BlockReadAt& readAt, const AsciiColumns& columns) {
  AsciiScan scan;
  scan.lines = ForEachTextLine(readAt, [&scan, &columns](std::string_view line) {
    if (!scan.anyPosition)
      scan.anyPosition = DecodeAsciiLine(line, columns, 1.0, 0).has_value();
  });
  return scan;
}

}  // namespace gradlog
