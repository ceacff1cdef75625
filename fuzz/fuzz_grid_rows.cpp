// Arbitrary ranges, scales and heights for the grid rows: bounded count, rows in the window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "display/DisplayScales.h"

namespace {

float TakeFloat(const std::uint8_t* data) {
  float value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 14)
    return 0;
  const int height = 1 + (data[0] | (data[1] << 8)) % 400;
  const float min = TakeFloat(data + 2);
  const float max = TakeFloat(data + 6);
  const float pixelsPerUnit = TakeFloat(data + 10);

  gradlog::GridRows rows;
  std::int32_t barBaseMode = 99;
  gradlog::ComputeGridRows(rows, height, min, max, pixelsPerUnit, barBaseMode);
  if (rows.count < 0 || rows.count > 9)
    abort();
  if (barBaseMode < -1 || barBaseMode > 1)
    abort();
  for (std::int32_t i = 0; i < rows.count; ++i) {
    if (rows.rows[static_cast<std::size_t>(i)] < 0 ||
        rows.rows[static_cast<std::size_t>(i)] > height) {
      abort();
    }
  }
  return 0;
}
