#include "gps/SentenceSelection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

namespace gradlog {
namespace {

// The selection as "TAG role:field role:field ...".
std::string Describe(const AppState& app) {
  std::ostringstream text;
  text << app.gpsSentenceTag.data();
  for (std::int32_t i = 0; i < app.gpsFieldCount; ++i) {
    text << ' ' << app.gpsFieldRole[i] << ':' << app.gpsFieldIndex[i];
  }
  return text.str();
}

TEST(SentenceSelectionTest, EachPositionInputSelectsItsSentenceAndFields) {
  const std::string expected[] = {
      "GGA 0:8 1:7 2:4 3:3 4:6 5:5",        // GGA/GSA
      "GGA 0:8 1:7 2:4 3:3 4:6 5:5 7:9",    // GGA
      "POS 0:4 1:3 2:7 3:6 4:9 5:8 6:15",   // POS
      "LLK 0:9 1:8 8:6 9:4 10:10",          // LLK
      "LLQ 0:9 1:8 8:6 9:4 10:10",          // LLQ
      "GLL 2:3 3:2 4:5 5:4",                // GLL
      "GGK 0:10 1:9 2:6 3:5 4:8 5:7 6:11",  // GGK
      "GGA 8:3 9:5",                        // Leica TPS
  };
  for (std::int32_t type = 0; type < 8; ++type) {
    SCOPED_TRACE("gpsDataType " + std::to_string(type));
    auto app = std::make_unique<AppState>();
    app->settings.gpsDataType = type;
    SelectGpsSentence(*app);
    EXPECT_EQ(Describe(*app), expected[type]);
  }
}

TEST(SentenceSelectionTest, ChangingTheTypeReplacesTheWholeSelection) {
  auto app = std::make_unique<AppState>();
  app->settings.gpsDataType = 2;
  SelectGpsSentence(*app);
  app->settings.gpsDataType = 7;
  SelectGpsSentence(*app);
  EXPECT_EQ(Describe(*app), "GGA 8:3 9:5");
  EXPECT_EQ(app->gpsSentenceTag[3], '\0');
}

TEST(SentenceSelectionTest, TotalStationAndUnknownTypesKeepThePreviousSelection) {
  for (const std::int32_t type : {GPS_DATA_TYPE_RTS_TRIMBLE, -1, 9, 1000, INT32_MIN, INT32_MAX}) {
    SCOPED_TRACE("gpsDataType " + std::to_string(type));
    auto app = std::make_unique<AppState>();
    app->settings.gpsDataType = 5;
    SelectGpsSentence(*app);
    app->settings.gpsDataType = type;
    SelectGpsSentence(*app);
    EXPECT_EQ(Describe(*app), "GLL 2:3 3:2 4:5 5:4");
  }
}

}  // namespace
}  // namespace gradlog
