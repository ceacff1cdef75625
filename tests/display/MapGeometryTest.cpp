#include "display/MapGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace gradlog {
namespace {

TEST(MapGeometryTest, ExtentComesFromTheCurveAreaWithAScaleOfAtLeastOne) {
  for (const auto& [scale, pixelsPerUnit] : {std::pair{4, 28.0}, {0, 112.0}, {INT32_MIN, 112.0}}) {
    SCOPED_TRACE("map scale " + std::to_string(scale));
    SurveySettings settings;
    settings.mapScale = scale;
    MapGeometry map;
    map.prevPixelsPerUnit = 3.0;
    ComputeMapExtent(map, 115, 75, settings);
    EXPECT_EQ(map.extent, 112);
    EXPECT_EQ(map.halfWidth, 56);
    EXPECT_EQ(map.halfHeight, 36);
    EXPECT_DOUBLE_EQ(map.pixelsPerUnit, pixelsPerUnit);
    EXPECT_DOUBLE_EQ(map.prevPixelsPerUnit, 3.0);
  }
}

}  // namespace
}  // namespace gradlog
