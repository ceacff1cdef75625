#pragma once

#include <cstdio>
#include <string>
#include <string_view>

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

// A GGA sentence of `talker` at the index-th point, with the latitude's hemisphere letter.
inline std::string GgaAt(int index, std::string_view talker = "GPGGA", char hemisphere = 'N') {
  char body[96];
  std::snprintf(body, sizeof body, "%.*s,123519,48%06.3f,%c,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
                static_cast<int>(talker.size()), talker.data(), 7.0 + index * 0.1, hemisphere);
  return Framed(body);
}

}  // namespace gradlog::testing
