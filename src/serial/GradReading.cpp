#include "serial/GradReading.h"

#include "common/NumberFields.h"

namespace gradlog {

namespace {

constexpr char FIELD_DELIMITER = ',';

}  // namespace

GradReading DecodeGradReading(std::string_view text, std::int32_t gradSensorCount) {
  GradReading reading;
  if (gradSensorCount == 2) {
    if (const std::optional<std::string_view> g2 = GetNumberField(text, 2, FIELD_DELIMITER))
      reading.g2 = NumberFieldAsFloat(*g2);
  }
  if (const std::optional<std::string_view> g1 = GetNumberField(text, 1, FIELD_DELIMITER))
    reading.g1 = NumberFieldAsFloat(*g1);
  return reading;
}

}  // namespace gradlog
