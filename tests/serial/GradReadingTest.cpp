#include "serial/GradReading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gradlog {
namespace {

TEST(GradReadingTest, DecodesFieldOneAndWithTwoSensorsFieldTwo) {
  struct Case {
    const char* text;
    std::int32_t sensors;
    float g1;
    float g2;
  };
  const std::vector<Case> cases{
      {"$PBAR,  12.345, -3.2", 2, 12.345f, -3.2f},
      {"$PBAR,  12.345, -3.2", 1, 12.345f, 0.0f},
      {"$PBAR,12.5,-3.1", 2, 12.5f, -3.1f},
      {"$PBAR,1000.000,2000.000", 2, 1000.0f, 2000.0f},
      // A sensor count read from a broken settings file counts as one sensor.
      {"$PBAR,12.5,-3.1", 7, 12.5f, 0.0f},
      // What the text lacks is 0.0.
      {"$PBAR,12.5", 2, 12.5f, 0.0f},
      {"$PBAR", 2, 0.0f, 0.0f},
      {"$PBAR,,", 2, 0.0f, 0.0f},
      {"", 2, 0.0f, 0.0f},
      // Without a first number the next one takes its place, as the field splitter skips.
      {"$PBAR,,5", 2, 5.0f, 0.0f},
      {"$PBAR,abc,def", 2, 0.0f, 0.0f},
      {"$PBAR,1e99,-1e99", 2, 3.40282347e38f, -3.40282347e38f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("'") + c.text + "', sensors " + std::to_string(c.sensors));
    const GradReading reading = DecodeGradReading(c.text, c.sensors);
    EXPECT_EQ(reading.g1, c.g1);
    EXPECT_EQ(reading.g2, c.g2);
  }
}

}  // namespace
}  // namespace gradlog
