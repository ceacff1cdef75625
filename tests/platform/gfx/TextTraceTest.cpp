#include "platform/gfx/TextTrace.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextTraceTest, VisibleTextIsFoundBySubstringAndArea) {
  TextTrace trace;
  trace.Record("Line 12", {10, 10, 50, 23});
  trace.Record("", {0, 0, 5, 5});
  trace.Record("hidden", {0, 0, 0, 13});
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_TRUE(trace.IsVisible("Line 12"));
  EXPECT_TRUE(trace.IsVisible("ne 1"));
  EXPECT_FALSE(trace.IsVisible("Line 13"));
  EXPECT_FALSE(trace.IsVisible("hidden"));
  EXPECT_TRUE(trace.IsVisibleIn("Line", {40, 20, 60, 30}));
  EXPECT_FALSE(trace.IsVisibleIn("Line", {50, 10, 60, 23}));
  EXPECT_EQ(trace.EntriesIn({0, 0, 11, 11}).size(), 1u);
  EXPECT_TRUE(trace.EntriesIn({0, 0, 10, 10}).empty());
}

TEST(TextTraceTest, RedrawingTheSameTextInPlaceKeepsOneEntry) {
  TextTrace trace;
  for (int i = 0; i < 5; ++i) trace.Record("GPS", {0, 0, 20, 13});
  trace.Record("GPS", {0, 13, 20, 26});
  EXPECT_EQ(trace.Entries().size(), 2u);
}

TEST(TextTraceTest, AFillDropsEntriesHalfOrMoreCovered) {
  TextTrace trace;
  trace.Record("left", {0, 0, 10, 10});
  trace.Record("right", {20, 0, 30, 10});
  trace.Record("middle", {10, 0, 20, 10});
  // Exactly half of "middle" and nothing of the others.
  trace.DropCovered(Rect{10, 0, 15, 10});
  EXPECT_FALSE(trace.IsVisible("middle"));
  EXPECT_TRUE(trace.IsVisible("left"));
  EXPECT_TRUE(trace.IsVisible("right"));
  // Just under half stays.
  trace.DropCovered(Rect{0, 0, 4, 10});
  EXPECT_TRUE(trace.IsVisible("left"));
}

TEST(TextTraceTest, PiecesOfOneFillAddUpWhenDroppingEntries) {
  TextTrace trace;
  trace.Record("split", {0, 0, 10, 10});
  // Two pieces of 30% each: together more than half, though neither is alone.
  Region area(Rect{0, 0, 3, 10});
  area.Add(Rect{7, 0, 10, 10});
  trace.DropCovered(area);
  EXPECT_TRUE(trace.Entries().empty());
}

TEST(TextTraceTest, CopyMovesEntriesMostlyInsideTheSource) {
  TextTrace source;
  source.Record("inside", {12, 12, 20, 20});
  source.Record("half in", {26, 10, 34, 20});
  source.Record("mostly out", {27, 10, 40, 20});
  source.Record("elsewhere", {100, 100, 110, 110});
  TextTrace target;
  target.CopyFrom(source, {10, 10, 30, 30}, -5, 40);
  ASSERT_EQ(target.Entries().size(), 2u);
  EXPECT_EQ(target.Entries()[0].text, "inside");
  EXPECT_EQ(target.Entries()[0].rect, (Rect{7, 52, 15, 60}));
  EXPECT_EQ(target.Entries()[1].text, "half in");
  EXPECT_EQ(target.Entries()[1].rect, (Rect{21, 50, 25, 60}));  // only the copied part
  EXPECT_EQ(source.Entries().size(), 4u);
}

TEST(TextTraceTest, CopyWithinOneTraceLeavesTheOriginalToTheCaller) {
  TextTrace trace;
  trace.Record("moving", {10, 0, 20, 10});
  trace.CopyFrom(trace, {0, 0, 40, 10}, -2, 0);
  ASSERT_EQ(trace.Entries().size(), 2u);
  EXPECT_EQ(trace.Entries()[1].rect, (Rect{8, 0, 18, 10}));
}

}  // namespace
}  // namespace platform
