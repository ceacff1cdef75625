// Any byte stream on the total station's port: every finished record is one whole record
// that fits the buffer, and every position is a pair of finite numbers at float precision.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gps/TotalStationFramer.h"

namespace {

bool IsWholeRecord(std::string_view record) {
  return record.starts_with('>') && record.size() < gradlog::TotalStationFramer::BUFFER_SIZE &&
         record.find_first_of(std::string_view("\r\n\0>", 4), 1) == std::string_view::npos;
}

bool IsFloatValue(double value) {
  return std::isfinite(value) && static_cast<double>(static_cast<float>(value)) == value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gradlog::TotalStationFramer framer;
  std::uint32_t recordTick = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const auto tick = static_cast<std::uint32_t>(i);
    const gradlog::TotalStationFramer::Output output =
        framer.Feed(static_cast<char>(data[i]), tick);
    if (output.finishedRecord &&
        (!IsWholeRecord(*output.finishedRecord) || output.finishedRecordTick != recordTick)) {
      std::abort();
    }
    if (output.position &&
        (!IsFloatValue(output.position->north) || !IsFloatValue(output.position->east) ||
         output.position->tick != recordTick || data[i] != '\n')) {
      std::abort();
    }
    if (data[i] == '>')
      recordTick = tick;
  }
  return 0;
}
