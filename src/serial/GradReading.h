#pragma once

#include <cstdint>
#include <string_view>

namespace gradlog {

// One gradiometer reading: channel "G1" and, with two sensors, "G2". A value the text lacks
// is 0.0.
struct GradReading {
  float g1 = 0.0f;
  float g2 = 0.0f;
};

// Field 1 is G1; field 2 is G2 and is read only with two sensors. The text is a reading line
// as the instrument sent it ("$PBAR,<G1>,<G2>"), without CR LF.
GradReading DecodeGradReading(std::string_view text, std::int32_t gradSensorCount);

}  // namespace gradlog
