#include "gps/SentenceSelection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "config/SurveySettings.h"

namespace gradlog {
namespace {

// The selection as "TAG role:field role:field ...".
std::string Describe(const GpsSentenceSelection& selection) {
  std::ostringstream text;
  text << selection.tag.data();
  for (std::int32_t i = 0; i < selection.fieldCount; ++i) {
    text << ' ' << selection.fieldRole[i] << ':' << selection.fieldIndex[i];
  }
  return text.str();
}

// Each case starts from the POS selection, so a type that keeps the selection (the total
// station's label records, or out of range) shows POS, and a shorter one leaves no POS fields.
TEST(SentenceSelectionTest, EachTypeSelectsItsSentenceAndFields) {
  const std::string pos = "POS 0:4 1:3 2:7 3:6 4:9 5:8 6:15";
  const std::pair<std::int32_t, std::string> cases[] = {
      {0, "GGA 0:8 1:7 2:4 3:3 4:6 5:5"},  // GGA/GSA
      {1, "GGA 0:8 1:7 2:4 3:3 4:6 5:5 7:9"},
      {2, pos},
      {3, "LLK 0:9 1:8 8:6 9:4 10:10"},
      {4, "LLQ 0:9 1:8 8:6 9:4 10:10"},
      {5, "GLL 2:3 3:2 4:5 5:4"},
      {6, "GGK 0:10 1:9 2:6 3:5 4:8 5:7 6:11"},
      {7, "GGA 8:3 9:5"},  // total station over NMEA
      {GPS_DATA_TYPE_RTS_TRIMBLE, pos},
      {-1, pos},
      {9, pos},
      {INT32_MIN, pos},
      {INT32_MAX, pos}};
  for (const auto& [type, expected] : cases) {
    SCOPED_TRACE("gpsDataType " + std::to_string(type));
    GpsSentenceSelection selection;
    SelectGpsSentence(selection, 2);
    SelectGpsSentence(selection, type);
    EXPECT_EQ(Describe(selection), expected);
  }
}

}  // namespace
}  // namespace gradlog
