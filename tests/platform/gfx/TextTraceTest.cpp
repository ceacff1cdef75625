#include "platform/gfx/TextTrace.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextTraceTest, TextIsFoundBySubstringAndAreaAndRecordedOncePerPlace) {
  TextTrace trace;
  trace.Record("Line 12", {10, 10, 50, 23});
  trace.Record("Line 12", {10, 10, 50, 23});
  trace.Record("", {0, 0, 5, 5});
  trace.Record("hidden", {0, 0, 0, 13});
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_TRUE(trace.IsVisible("ne 1"));
  EXPECT_FALSE(trace.IsVisible("Line 13"));
  EXPECT_FALSE(trace.IsVisible("hidden"));
  EXPECT_TRUE(trace.IsVisibleIn("Line", {40, 20, 60, 30}));
  EXPECT_FALSE(trace.IsVisibleIn("Line", {50, 10, 60, 23}));
  EXPECT_EQ(trace.EntriesIn({0, 0, 11, 11}).size(), 1u);
  EXPECT_TRUE(trace.EntriesIn({0, 0, 10, 10}).empty());
}

TEST(TextTraceTest, FillsDropEntriesHalfOrMoreCoveredCountingAllTheirPieces) {
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
}

TEST(TextTraceTest, CopyMovesTheCopiedPartOfEntriesMostlyInsideTheSource) {
  TextTrace source;
  source.Record("inside", {12, 12, 20, 20});
  source.Record("half in", {26, 10, 34, 20});
  source.Record("mostly out", {27, 10, 40, 20});
  TextTrace target;
  target.CopyFrom(source, {10, 10, 30, 30}, -5, 40);
  ASSERT_EQ(target.Entries().size(), 2u);
  EXPECT_EQ(target.Entries()[0].rect, (Rect{7, 52, 15, 60}));
  EXPECT_EQ(target.Entries()[1].text, "half in");
  EXPECT_EQ(target.Entries()[1].rect, (Rect{21, 50, 25, 60}));
  // Within one trace the original stays; dropping it is the copier's business.
  source.CopyFrom(source, {0, 0, 25, 25}, -2, 0);
  ASSERT_EQ(source.Entries().size(), 4u);
  EXPECT_EQ(source.Entries()[3].rect, (Rect{10, 12, 18, 20}));
}

}  // namespace
}  // namespace platform
