#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FreeTypeFont.h"
#include "platform/gfx/GfxTestSupport.h"
#include "platform/gfx/TextTrace.h"

namespace platform {
namespace {

using namespace test;

TEST(FontTest, CellHeightsAreKeptWithTheLargestFaceThatFits) {
  for (int height = 7; height <= 30; ++height) {
    const TextMetrics bold = CreateFont(height, 700)->Metrics();
    EXPECT_EQ(bold.height, height);
    EXPECT_EQ(bold.ascent + bold.descent, height);
    // One size smaller than the largest that fits would leave the ascent well short.
    EXPECT_GE(bold.ascent * 10, height * 7) << height;
  }
  EXPECT_EQ(CreateFont(-5, 400)->Metrics().height, 1);
  // The weight picks the face.
  EXPECT_GT(CreateFont(13, 700)->MeasureText("Logging").width,
            SystemFont()->MeasureText("Logging").width);
  EXPECT_THAT([] { OpenFontFile("/nonexistent/DejaVuSans.ttf", 13); },
              testing::ThrowsMessage<std::runtime_error>(testing::HasSubstr("fonts-dejavu-core")));
}

class TextTest : public ::testing::Test {
 protected:
  Surface surface{200, 80, WHITE};
  DeviceContext dc = test::WholeSurface(surface);
  const TextTrace& trace = surface.Trace();
};

TEST_F(TextTest, Utf8IsDecodedAndUnknownOrBrokenCharactersStillShow) {
  const FontHandle font = SystemFont();
  // A-umlaut is one character as wide as its letter, not two bytes' worth of glyphs.
  EXPECT_EQ(font->MeasureText("\xC3\x84").width, font->MeasureText("A").width);
  EXPECT_GT(font->MeasureText("A\xFF").width, font->MeasureText("A").width);
  EXPECT_GT(font->MeasureText("\xE2\x82").width, 0);
  dc.TextOut(2, 2, "\xEE\x80\x80");  // private use: the face's missing-glyph box
  EXPECT_FALSE(Changed(surface, WHITE, {2, 2, 40, 15}).empty());
}

// A window lying across a box that is rewritten again and again (a dialog over the logging
// screen while readings arrive): each fill of the box's visible pieces drops the text before,
// so the trace does not grow with every rewrite.
TEST_F(TextTest, ABoxRewrittenAroundAWindowAcrossItKeepsOneEntry) {
  // Two windows over the middle of the text with a one-pixel gap between them.
  Region visible(Rect{0, 0, 200, 80});
  visible.Subtract({20, 0, 80, 16});
  visible.Subtract({20, 17, 80, 80});
  DeviceContext covered(surface, {0, 0}, visible);
  const Rect box{10, 10, 190, 25};
  const BrushHandle grey = CreateSolidBrush(Rgb(192, 192, 192));
  for (int i = 0; i < 50; ++i) {
    covered.FillRect(box, grey);
    covered.ExtTextOut(10, 10, ETO_CLIPPED, &box, "Reading " + std::to_string(1000 + i));
  }
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].text, "Reading 1049");
}

TEST_F(TextTest, TextIsDrawnInItsCellAndRecordedWithItsRect) {
  dc.TextOut(10, 20, "Line 7");
  const Size extent = dc.GetTextExtent("Line 7");
  const Rect cell = Rect::FromSize(10, 20, extent.width, extent.height);
  EXPECT_TRUE(Changed(surface, WHITE, cell, true).empty());
  EXPECT_FALSE(Changed(surface, WHITE, cell).empty());
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].text, "Line 7");
  EXPECT_EQ(trace.Entries()[0].rect, cell);

  // Opaque text fills its cell with the background and replaces the text under it.
  dc.SetBackgroundColor(Rgb(0, 0, 255));
  dc.TextOut(10, 20, "Line 8");
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(10, 20, "Line 8");  // drawn again in place, with no fill: recorded once
  EXPECT_EQ(surface.At(cell.left, cell.top), 0x0000FFu);
  EXPECT_EQ(surface.At(cell.right - 1, cell.bottom - 1), 0x0000FFu);
  EXPECT_TRUE(Changed(surface, WHITE, cell, true).empty());
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_TRUE(trace.IsVisible("ine 8"));
}

TEST_F(TextTest, FillsDropTheTextTheyCoverAndKeepTheirNeighbours) {
  dc.TextOut(10, 10, "Battery");
  dc.TextOut(10, 40, "Memory");
  dc.FillRect(trace.Entries()[0].rect, GetStockBrush(StockObject::WhiteBrush));
  EXPECT_FALSE(trace.IsVisible("Battery"));
  EXPECT_TRUE(trace.IsVisible("Memory"));
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(0, 35, 200, 60);
  EXPECT_TRUE(trace.IsVisible("Memory"));
  dc.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  dc.Ellipse(0, 30, 200, 70);
  EXPECT_FALSE(trace.IsVisible("Memory"));
}

TEST_F(TextTest, ClippedTextRecordsOnlyTheVisiblePart) {
  DeviceContext clipped(surface, {0, 0}, Region(Rect{0, 0, 30, 80}));
  clipped.TextOut(20, 10, "Fiducial");
  clipped.TextOut(40, 40, "Hidden");
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].rect, (Rect{20, 10, 30, 23}));
  EXPECT_TRUE(Changed(surface, WHITE, {30, 0, 200, 80}).empty());
  Rect box{100, 10, 130, 20};
  dc.DrawText("A long label that will not fit", box, DT_LEFT);
  EXPECT_EQ(trace.Entries().back().rect, box);
  EXPECT_TRUE(Changed(surface, WHITE, {130, 0, 200, 80}).empty());
}

TEST_F(TextTest, MnemonicIsUnderlinedUnderItsLetterOnly) {
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  Rect box{10, 10, 150, 40};
  dc.DrawText("&Exit", box, DT_LEFT);
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].text, "Exit");
  const TextMetrics m = dc.GetTextMetrics();
  const int widthE = dc.GetTextExtent("E").width;
  // Below the baseline: "Exit" has no descenders, so only the underline shows.
  const Rect belowE{10, 10 + m.ascent, 10 + widthE, 10 + m.height};
  const Rect belowRest{10 + widthE, 10 + m.ascent, 10 + dc.GetTextExtent("Exit").width,
                       10 + m.height};
  EXPECT_GE(Changed(surface, WHITE, belowE).size(), static_cast<std::size_t>(widthE - 1));
  EXPECT_TRUE(Changed(surface, WHITE, belowRest).empty());
  dc.DrawText("Exit", box = {10, 40, 150, 80}, DT_LEFT);
  EXPECT_TRUE(Changed(surface, WHITE, belowE.Offset(0, 30)).empty());
  dc.DrawText("Save && E&xit", box, DT_LEFT);
  EXPECT_EQ(trace.Entries().back().text, "Save & Exit");
  dc.DrawText("A&B", box, DT_LEFT | DT_NOPREFIX);
  EXPECT_EQ(trace.Entries().back().text, "A&B");
}

TEST_F(TextTest, DrawTextMeasuresWithCalcRectAndAlignsLinesInItsRectangle) {
  Rect box{5, 7, 6, 8};
  EXPECT_EQ(dc.DrawText("Start\r\nStop logging", box, DT_CALCRECT), 26);
  EXPECT_EQ(box, (Rect{5, 7, 5 + dc.GetTextExtent("Stop logging").width, 7 + 26}));
  Rect single{0, 0, 0, 0};
  EXPECT_EQ(dc.DrawText("one\ntwo", single, DT_CALCRECT | DT_SINGLELINE), 13);
  EXPECT_TRUE(Changed(surface, WHITE, surface.Bounds()).empty());
  EXPECT_TRUE(trace.Entries().empty());

  box = {20, 10, 180, 70};
  dc.DrawText("Left\nLonger line", box, DT_LEFT);
  dc.DrawText("Mid", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const int width = dc.GetTextExtent("Mid").width;
  ASSERT_EQ(trace.Entries().size(), 3u);
  EXPECT_EQ(trace.Entries()[1].rect.top, 23);
  EXPECT_EQ(trace.Entries()[2].rect,
            Rect::FromSize(20 + (160 - width) / 2, 10 + (60 - 13) / 2, width, 13));
}

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
