#include "gps/PositionFields.h"

#include <gtest/gtest.h>

#include <optional>

namespace gradlog {
namespace {

// Grid coordinates and ASCII degrees are read as the C conversion reads a decimal number.
TEST(PositionFieldsTest, GridFieldValues) {
  struct Case {
    const char* field;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"5244750.125", 5244750.125},
      {"-3.25m", -3.25},
      {"1e3,N", 1000.0},
      {"2.5e", 2.5},
      {".5", 0.5},
      {"1e-400", 0.0},
      {"", std::nullopt},
      {".", std::nullopt},
      {"+-5", std::nullopt},
      {"1e400", std::nullopt},
      {"0x1p3", 0.0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GridFieldValue(c.field), c.value) << c.field;
}

}  // namespace
}  // namespace gradlog
