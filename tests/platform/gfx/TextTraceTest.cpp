#include "platform/gfx/TextTrace.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextTraceTest, CoverDropsEntriesHalfOrMoreCoveredAndCopyTakesThePartInside) {
  TextTrace trace;
  trace.Record("left", {0, 0, 10, 10});
  trace.Record("middle", {10, 0, 20, 10});
  trace.DropCovered(Rect{10, 0, 15, 10});  // exactly half of "middle"
  trace.DropCovered(Rect{0, 0, 4, 10});    // less than half of "left"
  EXPECT_FALSE(trace.IsVisible("middle"));
  EXPECT_TRUE(trace.IsVisible("left"));
  // Two pieces of 30% each: neither alone, but together more than half.
  Region area(Rect{0, 0, 3, 10});
  area.Add(Rect{7, 0, 10, 10});
  trace.DropCovered(area);
  EXPECT_TRUE(trace.Entries().empty());

  trace.Record("half in", {26, 10, 34, 20});
  trace.Record("mostly out", {27, 10, 40, 20});
  TextTrace target;
  target.CopyFrom(trace, {10, 10, 30, 30}, -5, 40);
  ASSERT_EQ(target.Entries().size(), 1u);
  EXPECT_EQ(target.Entries()[0].text, "half in");
  EXPECT_EQ(target.Entries()[0].rect, (Rect{21, 50, 25, 60}));
}

}  // namespace
}  // namespace platform
