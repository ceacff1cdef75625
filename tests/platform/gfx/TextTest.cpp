#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FreeTypeFont.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using test::BLACK;
using test::PixelsNotEqual;
using test::PixelsOutside;
using test::WHITE;

TEST(FontTest, CellHeightThirteenHasThatHeightAndAPlausibleWidth) {
  const FontHandle font = CreateFont(13, 400);
  const TextMetrics& m = font->Metrics();
  EXPECT_EQ(m.height, 13);
  EXPECT_EQ(m.ascent + m.descent, 13);
  EXPECT_GT(m.descent, 0);
  EXPECT_GE(m.averageCharWidth, 5);
  EXPECT_LE(m.averageCharWidth, 9);
  EXPECT_GE(m.maxCharWidth, m.averageCharWidth);
  EXPECT_EQ(font->MeasureText("Wg").height, 13);
}

TEST(FontTest, EveryCellHeightIsKeptAndLargerCellsGetLargerFaces) {
  int previousWidth = 0;
  for (int height = 7; height <= 30; ++height) {
    const TextMetrics m = CreateFont(height, 700)->Metrics();
    EXPECT_EQ(m.height, height);
    EXPECT_EQ(m.ascent + m.descent, height);
    // The largest size that fits: one size smaller would leave the ascent well short.
    EXPECT_GE(m.ascent * 10, height * 7) << height;
    EXPECT_GE(m.averageCharWidth, previousWidth) << height;
    previousWidth = m.averageCharWidth;
  }
  EXPECT_GT(CreateFont(30, 400)->Metrics().averageCharWidth,
            CreateFont(10, 400)->Metrics().averageCharWidth);
}

TEST(FontTest, EqualRequestsShareOneFontAndWeightPicksTheFace) {
  EXPECT_EQ(CreateFont(13, 400), CreateFont(13, 100));
  EXPECT_EQ(CreateFont(12, 600), CreateFont(12, 900));
  EXPECT_NE(CreateFont(13, 599), CreateFont(13, 600));
  EXPECT_EQ(SystemFont(), CreateFont(13, 400));
  // The bold face is wider.
  EXPECT_GT(CreateFont(13, 700)->MeasureText("Logging").width,
            CreateFont(13, 400)->MeasureText("Logging").width);
  EXPECT_EQ(CreateFont(-5, 400)->Metrics().height, 1);
}

TEST(FontTest, FontsCreatedFromTwoThreadsAreTheSameObjects) {
  std::vector<FontHandle> first(20);
  std::vector<FontHandle> second(20);
  std::thread a([&] {
    for (int i = 0; i < 20; ++i) first[i] = CreateFont(40 + i, i % 2 ? 700 : 400);
  });
  std::thread b([&] {
    for (int i = 19; i >= 0; --i) second[i] = CreateFont(40 + i, i % 2 ? 700 : 400);
  });
  a.join();
  b.join();
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(first[i], second[i]) << i;
    EXPECT_EQ(first[i]->Metrics().height, 40 + i);
  }
}

TEST(FontTest, AMissingFontFileNamesThePackage) {
  try {
    OpenFontFile("/nonexistent/DejaVuSans.ttf", 13);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("fonts-dejavu-core"), std::string::npos) << e.what();
  }
}

TEST(FontTest, Utf8IsDecodedAndBrokenBytesStillDrawSomething) {
  const FontHandle font = SystemFont();
  // One character as wide as its base letter, not two bytes' worth of glyphs.
  EXPECT_EQ(font->MeasureText("\xC3\x84").width, font->MeasureText("A").width);
  EXPECT_GT(font->MeasureText("A\xFF").width, font->MeasureText("A").width);
  EXPECT_GT(font->MeasureText("\xE2\x82").width, 0);

  Surface surface(40, 20, WHITE);
  DeviceContext dc = test::WholeSurface(surface);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(2, 2, "\xEE\x80\x80");  // a private-use character: the missing-glyph box
  EXPECT_FALSE(PixelsNotEqual(surface, WHITE).empty());
}

class TextTest : public ::testing::Test {
 protected:
  Surface surface{200, 80, WHITE};
  DeviceContext dc = test::WholeSurface(surface);
  const TextTrace& trace = surface.Trace();
};

TEST_F(TextTest, TextOutDrawsInItsCellAndRecordsIt) {
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.TextOut(10, 20, "Line 7");
  const Size extent = dc.GetTextExtent("Line 7");
  const Rect cell = Rect::FromSize(10, 20, extent.width, extent.height);
  EXPECT_EQ(extent.height, 13);
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(cell)).empty());
  EXPECT_FALSE(PixelsNotEqual(surface, WHITE, cell).empty());
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].text, "Line 7");
  EXPECT_EQ(trace.Entries()[0].rect, cell);
}

TEST_F(TextTest, OpaqueTextFillsItsCellWithTheBackground) {
  dc.FillRect(surface.Bounds(), GetStockBrush(StockObject::BlackBrush));
  dc.SetTextColor(Rgb(255, 0, 0));
  dc.SetBackgroundColor(Rgb(0, 0, 255));
  dc.TextOut(5, 5, "Hi");
  const Rect cell = Rect::FromSize(5, 5, dc.GetTextExtent("Hi").width, 13);
  EXPECT_EQ(surface.At(cell.left, cell.top), ToPixel(Rgb(0, 0, 255)));
  EXPECT_EQ(surface.At(cell.right - 1, cell.bottom - 1), ToPixel(Rgb(0, 0, 255)));
  EXPECT_EQ(surface.At(cell.right, cell.top), BLACK);
  EXPECT_FALSE(PixelsNotEqual(surface, ToPixel(Rgb(0, 0, 255)), cell).empty());
  EXPECT_TRUE(PixelsNotEqual(surface, BLACK, {0, 0, 200, 5}).empty());
}

TEST_F(TextTest, ExtTextOutOpaqueFillsTheRectAndClippedKeepsTextInside) {
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetBackgroundColor(Rgb(0, 255, 0));
  const Rect box{10, 10, 30, 30};
  dc.ExtTextOut(12, 12, ETO_OPAQUE | ETO_CLIPPED, &box, "Gradiometer");
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(box)).empty());
  EXPECT_EQ(surface.At(29, 29), ToPixel(Rgb(0, 255, 0)));
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].rect, (Rect{12, 12, 30, 25}));
}

TEST_F(TextTest, FillsDropTheTextTheyCoverAndKeepTheirNeighbours) {
  dc.TextOut(10, 10, "Battery");
  dc.TextOut(10, 40, "Memory");
  const Rect battery = trace.Entries()[0].rect;
  dc.FillRect(battery, GetStockBrush(StockObject::WhiteBrush));
  EXPECT_FALSE(trace.IsVisible("Battery"));
  EXPECT_TRUE(trace.IsVisible("Memory"));
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(0, 35, 200, 60);
  EXPECT_TRUE(trace.IsVisible("Memory"));
  dc.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  dc.Ellipse(0, 30, 200, 70);
  EXPECT_FALSE(trace.IsVisible("Memory"));
}

TEST_F(TextTest, OpaqueTextReplacesTheTextUnderIt) {
  dc.TextOut(50, 5, "10.0");
  dc.TextOut(50, 5, "10.5");
  EXPECT_FALSE(trace.IsVisible("10.0"));
  EXPECT_TRUE(trace.IsVisible("10.5"));
}

TEST_F(TextTest, ClippedTextRecordsOnlyTheVisiblePart) {
  DeviceContext clipped(surface, {0, 0}, Region(Rect{0, 0, 30, 80}));
  clipped.TextOut(20, 10, "Fiducial");
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].rect, (Rect{20, 10, 30, 23}));
  clipped.TextOut(40, 40, "Hidden");
  EXPECT_FALSE(trace.IsVisible("Hidden"));
  EXPECT_TRUE(PixelsNotEqual(surface, WHITE, {30, 0, 200, 80}).empty());
}

TEST_F(TextTest, MnemonicIsUnderlinedUnderItsLetterOnly) {
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  Rect box{10, 10, 150, 40};
  dc.DrawText("&Exit", box, DT_LEFT);
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].text, "Exit");
  const TextMetrics m = dc.GetTextMetrics();
  const int widthE = dc.GetTextExtent("E").width;
  const int widthAll = dc.GetTextExtent("Exit").width;
  // Rows below the baseline: 'E', 'x', 'i', 't' have no descenders, so only the underline.
  const Rect belowE{10, 10 + m.ascent, 10 + widthE, 10 + m.height};
  const Rect belowRest{10 + widthE, 10 + m.ascent, 10 + widthAll, 10 + m.height};
  EXPECT_GE(PixelsNotEqual(surface, WHITE, belowE).size(), static_cast<std::size_t>(widthE - 1));
  EXPECT_TRUE(PixelsNotEqual(surface, WHITE, belowRest).empty());

  Surface plain(200, 40, WHITE);
  DeviceContext plainDc = test::WholeSurface(plain);
  plainDc.SetBackgroundMode(BackgroundMode::Transparent);
  Rect plainBox{10, 10, 150, 40};
  plainDc.DrawText("Exit", plainBox, DT_LEFT);
  EXPECT_TRUE(PixelsNotEqual(plain, WHITE, belowE).empty());
}

TEST_F(TextTest, PrefixesAreKeptWithNoPrefixAndDoubledAmpersandIsLiteral) {
  Rect box{0, 0, 200, 80};
  dc.DrawText("Save && E&xit", box, DT_LEFT);
  EXPECT_EQ(trace.Entries().back().text, "Save & Exit");
  dc.DrawText("A&B", box, DT_LEFT | DT_NOPREFIX);
  EXPECT_EQ(trace.Entries().back().text, "A&B");
}

TEST_F(TextTest, CalcRectMeasuresLinesWithoutDrawing) {
  Rect box{5, 7, 6, 8};
  const int height = dc.DrawText("Start\r\nStop logging", box, DT_CALCRECT);
  EXPECT_EQ(height, 26);
  EXPECT_EQ(box, (Rect{5, 7, 5 + dc.GetTextExtent("Stop logging").width, 7 + 26}));
  Rect single{0, 0, 0, 0};
  dc.DrawText("one\ntwo\nthree", single, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(single.bottom, 13);
  EXPECT_TRUE(PixelsNotEqual(surface, WHITE).empty());
  EXPECT_TRUE(trace.Entries().empty());
}

TEST_F(TextTest, DrawTextAlignsLinesInItsRectangle) {
  Rect box{20, 10, 180, 70};
  dc.DrawText("Left\nLonger line", box, DT_LEFT);
  ASSERT_EQ(trace.Entries().size(), 2u);
  EXPECT_EQ(trace.Entries()[0].rect.left, 20);
  EXPECT_EQ(trace.Entries()[1].rect.top, 23);

  Surface s(200, 80, WHITE);
  DeviceContext d = test::WholeSurface(s);
  const int width = d.GetTextExtent("Mid").width;
  d.DrawText("Mid", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  d.DrawText("End", box, DT_RIGHT);
  const auto& entries = s.Trace().Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].rect, Rect::FromSize(20 + (160 - width) / 2, 10 + (60 - 13) / 2, width, 13));
  EXPECT_EQ(entries[1].rect.right, 180);
  EXPECT_EQ(entries[1].rect.top, 10);
}

TEST_F(TextTest, DrawTextClipsToItsRectangle) {
  Rect box{10, 10, 40, 20};
  dc.DrawText("A long label that will not fit", box, DT_LEFT);
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(box)).empty());
  ASSERT_EQ(trace.Entries().size(), 1u);
  EXPECT_EQ(trace.Entries()[0].rect, box);
}

}  // namespace
}  // namespace platform
