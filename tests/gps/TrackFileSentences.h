#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/RecordFormat.h"
#include "gps/LocalPlane.h"
#include "gps/TrackPlane.h"

namespace gradlog::testing {

// `body` between '$' and '*' framed with its checksum.
inline std::string Framed(std::string_view body) {
  unsigned sum = 0;
  for (const char c : body)
    sum ^= static_cast<unsigned char>(c);
  char tail[8];
  std::snprintf(tail, sizeof tail, "*%02X", sum);
  return "$" + std::string(body) + tail;
}

// The latitude of the index-th point of a test track: a tenth of a minute apart, so that
// each point has its own row on a map of a pixel a metre.
inline double TrackLatitude(int index) {
  return 48.0 + (7.0 + index * 0.1) / 60.0;
}
inline constexpr double TRACK_LONGITUDE = 11.0 + 31.0 / 60.0;
inline constexpr double TRACK_EAST_SCALE = 0.67;
// Half a pixel a metre, with the track's first point at the origin.
inline const TrackPlane TRACK_PLANE{
    .pixelsPerUnit = 0.5,
    .originNorth = TrackLatitude(0) * METRES_PER_DEGREE,
    .originEast = TRACK_LONGITUDE * METRES_PER_DEGREE * TRACK_EAST_SCALE};

// A GGA sentence of `talker` at the index-th point, with the latitude's hemisphere letter.
inline std::string GgaAt(int index, std::string_view talker = "GPGGA", char hemisphere = 'N') {
  char body[96];
  std::snprintf(body, sizeof body, "%.*s,123519,48%06.3f,%c,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
                static_cast<int>(talker.size()), talker.data(), 7.0 + index * 0.1, hemisphere);
  return Framed(body);
}

// The pixels of the points at `indices` in the order a track's store keeps them, by row.
inline std::vector<TrackPoint> SortedPixels(const std::vector<int>& indices,
                                            const TrackPlane& plane = TRACK_PLANE,
                                            double (*latitude)(int) = TrackLatitude,
                                            double longitude = TRACK_LONGITUDE) {
  std::vector<TrackPoint> pixels;
  for (const int index : indices) {
    pixels.push_back(
        ToTrackPixel(plane, ToLocalPlane(latitude(index), longitude, TRACK_EAST_SCALE, 0)));
  }
  std::ranges::stable_sort(pixels, {}, &TrackPoint::y);
  return pixels;
}

// A sentence group as the logging writes it: '@' first for a good sentence, '?' for a bad
// one, then the end record with its fix status.
struct Group {
  std::string text;
  char first = '@';
  char status = 'p';
};
inline std::string GroupRecords(const Group& group) {
  std::string bytes;
  for (const Record& record :
       SplitIntoGroupPieces(group.text, group.first, group.first == '?' ? '"' : '#'))
    bytes.append(record.begin(), record.end());
  const Record end = FormatSentenceEndRecord('!', 12, group.status, 3456);
  return bytes.append(end.begin(), end.end());
}

// A positioning record's text as a build that marks its fixes at offset 21 wrote it.
inline std::string MarkedHeader(char dataType, char mark) {
  std::string text = "G   0.00   0.00   1";
  text.resize(RECORD_TEXT_LENGTH, ' ');
  text[19] = dataType;
  text[21] = mark;
  return text;
}

}  // namespace gradlog::testing
