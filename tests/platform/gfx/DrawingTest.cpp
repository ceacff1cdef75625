#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using namespace test;

constexpr Color RED = Rgb(255, 0, 0);

class DrawingTest : public ::testing::Test {
 protected:
  Surface surface{40, 30, WHITE};
  DeviceContext dc = test::WholeSurface(surface);
};

TEST(LineTest, LinesFollowTheIdealLineAndLeaveOutTheirEndPoint) {
  using Line = std::array<int, 4>;  // from x, y, to x, y
  for (const auto& [x0, y0, x1, y1] : {Line{2, 2, 8, 2}, Line{8, 4, 2, 4}, Line{3, 9, 3, 1},
                                       Line{20, 20, 14, 14}, Line{1, 3, 31, 13}}) {
    SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " to " << x1 << "," << y1);
    Surface s(40, 30, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.MoveTo(x0, y0);
    d.LineTo(x1, y1);
    EXPECT_EQ(d.CurrentPosition(), (Point{x1, y1}));
    EXPECT_EQ(s.At(x1, y1), WHITE);
    // One pixel per step, the one nearest to the ideal line.
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    EXPECT_EQ(Changed(s, WHITE, s.Bounds()).size(), static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
      EXPECT_EQ(s.At(std::lround(x0 + (x1 - x0) * static_cast<double>(i) / steps),
                     std::lround(y0 + (y1 - y0) * static_cast<double>(i) / steps)),
                BLACK)
          << "step " << i;
    }
  }
}

TEST(LineTest, WidePensAreCentredOnTheLine) {
  for (int width : {2, 3}) {
    Surface s(20, 20, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.SelectPen(CreatePen(PenStyle::Solid, width, Rgb(0, 0, 0)));
    d.Polyline(std::vector<Point>{{0, 10}, {12, 10}});
    // Width 2 covers rows 9..10, width 3 rows 9..11.
    EXPECT_TRUE(Changed(s, BLACK, {0, 9, 12, 9 + width}).empty()) << width;
    EXPECT_TRUE(Changed(s, WHITE, {-1, 9, 13, 9 + width}, true).empty()) << width;
  }
}

TEST_F(DrawingTest, RectangleOutlinesItsEdgesFillsInsideAndLeavesOutRightAndBottom) {
  dc.SelectBrush(CreateSolidBrush(RED));
  dc.Rectangle(2, 3, 8, 7);
  Region outline(Rect{2, 3, 8, 7});
  outline.Subtract({3, 4, 7, 6});
  EXPECT_TRUE(Changed(surface, BLACK, outline).empty());
  EXPECT_TRUE(Changed(surface, ToPixel(RED), {3, 4, 7, 6}).empty());
  EXPECT_TRUE(Changed(surface, WHITE, {2, 3, 8, 7}, true).empty());
  // A hollow brush and the corners the other way round: the same outline only.
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(28, 27, 22, 23);
  EXPECT_EQ(Changed(surface, WHITE, {20, 20, 40, 30}).size(), outline.Area());
  outline.Offset(20, 20);
  EXPECT_TRUE(Changed(surface, BLACK, outline).empty());
}

TEST_F(DrawingTest, EllipsesStayInTheirBoxAreSymmetricAndOutlinedWithThePen) {
  dc.SelectBrush(CreateSolidBrush(RED));
  dc.Ellipse(5, 5, 25, 19);
  for (const Point p : {Point{5, 12}, Point{24, 12}, Point{15, 5}, Point{15, 18}})
    EXPECT_EQ(surface.At(p.x, p.y), BLACK) << p.x << "," << p.y;
  EXPECT_TRUE(Changed(surface, ToPixel(RED), {6, 12, 24, 13}).empty());
  EXPECT_TRUE(Changed(surface, WHITE, {5, 5, 25, 19}, true).empty());
  EXPECT_EQ(surface.At(5, 5), WHITE);
  for (int y = 5; y < 19; ++y) {
    for (int x = 5; x < 25; ++x) {
      EXPECT_EQ(surface.At(x, y), surface.At(29 - x, y)) << x << "," << y;
      EXPECT_EQ(surface.At(x, y), surface.At(x, 23 - y)) << x << "," << y;
    }
  }
}

TEST_F(DrawingTest, NothingIsDrawnOutsideAClipOfTwoRectangles) {
  Region clip(Rect{2, 2, 10, 8});
  clip.Add(Rect{20, 15, 30, 25});
  DeviceContext clipped(surface, {0, 0}, clip);
  clipped.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  clipped.Ellipse(0, 0, 40, 30);
  clipped.SelectPen(CreatePen(PenStyle::Solid, 3, RED));
  clipped.LineTo(40, 30);
  clipped.SetPixel(15, 10, RED);
  clipped.TextOut(0, 0, "clipped text here");
  clipped.FillRect({0, 0, 40, 30}, GetStockBrush(StockObject::BlackBrush));
  EXPECT_TRUE(Changed(surface, WHITE, clip, true).empty());
  EXPECT_TRUE(Changed(surface, BLACK, clip).empty());
}

TEST_F(DrawingTest, OriginMovesLogicalCoordinatesAndTheClipStaysOnTheSurface) {
  DeviceContext moved(surface, {10, 5}, Region(Rect{-100, -100, 100, 100}));
  moved.SetPixel(0, 0, RED);
  EXPECT_EQ(surface.At(10, 5), ToPixel(RED));
  moved.FillRect({0, 0, 100, 100}, GetStockBrush(StockObject::BlackBrush));
  moved.FillRect({-10, -5, 0, 0}, nullptr);
  EXPECT_TRUE(Changed(surface, BLACK, {10, 5, 40, 30}).empty());
  EXPECT_EQ(Changed(surface, WHITE, surface.Bounds()).size(), 30u * 25u);
}

TEST_F(DrawingTest, ExtremeCoordinatesNeitherHangNorWriteOutside) {
  dc.MoveTo(INT_MIN, 10);
  dc.LineTo(INT_MAX, 10);
  EXPECT_TRUE(Changed(surface, BLACK, {0, 10, 40, 11}).empty());
  dc.SelectPen(CreatePen(PenStyle::Solid, INT_MAX, RED));
  dc.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  dc.LineTo(INT_MIN, INT_MAX);
  dc.Rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  dc.BitBlt(INT_MAX, INT_MIN, INT_MAX, INT_MAX, dc, INT_MIN, 0);
  // The surface lies deep inside the shape: filled, with the outline far away.
  EXPECT_TRUE(Changed(surface, 0x808080, surface.Bounds()).empty());
  dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
  dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(Changed(surface, BLACK, surface.Bounds()).empty());
}

TEST_F(DrawingTest, TheSaveGuardRestoresTheState) {
  {
    auto saved = dc.Save();
    dc.SelectPen(NullPen());
    dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
    dc.MoveTo(7, 7);
  }
  dc.Rectangle(0, 0, 3, 3);  // a black outline around a white pixel
  EXPECT_EQ(Changed(surface, BLACK, {0, 0, 3, 3}), std::vector<std::string>{"(1,1)"});
  EXPECT_EQ(dc.CurrentPosition(), (Point{0, 0}));
}

// Every pixel different, so a pixel copied from the wrong place shows.
Surface Pattern(int width, int height) {
  Surface surface(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      surface.Row(y)[x] = static_cast<Pixel>(y * 1000 + x);
  }
  return surface;
}

// Copies `block` of `source` to `to` on `target` pixel by pixel: each destination pixel inside
// the clip whose source pixel lies on the source, then compares with `actual`.
void ExpectCopied(const Surface& actual, Surface target, const Surface& source, const Rect& block,
                  Point to, const Region& clip) {
  for (int y = 0; y < block.Height(); ++y) {
    for (int x = 0; x < block.Width(); ++x) {
      const Point from{block.left + x, block.top + y};
      if (source.Bounds().Contains(from) && clip.Contains({to.x + x, to.y + y}))
        target.Row(to.y + y)[to.x + x] = source.At(from.x, from.y);
    }
  }
  for (std::size_t i = 0; i < actual.Pixels().size(); ++i) {
    ASSERT_EQ(actual.Pixels()[i], target.Pixels()[i])
        << "pixel " << i % actual.Width() << "," << i / actual.Width();
  }
}

TEST(BitBltTest, OverlappingCopiesOnOneSurfaceMatchACopyFromTheOriginal) {
  Region twoPieces(Rect{0, 0, 20, 30});
  twoPieces.Add(Rect{20, 10, 40, 30});
  for (const Region& clip : {Region(Rect{0, 0, 40, 30}), twoPieces}) {
    for (const Point move :
         {Point{-2, 0}, Point{2, 0}, Point{0, -2}, Point{0, 2}, Point{3, -1}, Point{-1, 3}}) {
      Surface screen = Pattern(40, 30);
      const Surface original = screen;
      DeviceContext dc(screen, {0, 0}, clip);
      const Rect block = Rect::FromSize(5, 4, 25, 20);
      const Point to{block.left + move.x, block.top + move.y};
      dc.BitBlt(to.x, to.y, block.Width(), block.Height(), dc, block.left, block.top);
      SCOPED_TRACE(testing::Message() << "move " << move.x << "," << move.y << " in "
                                      << clip.Rects().size() << " pieces");
      ExpectCopied(screen, original, original, block, to, clip);
    }
  }
}

// The start screen's way: a picture made on a bitmap, shown on the clipped, moved screen.
TEST(BitBltTest, CopiesFromABitmapCutAtItsEdgesAndTheClip) {
  Surface screen(40, 30, WHITE);
  DeviceContext screenDc(screen, {3, 2}, Region(Rect{0, 0, 40, 14}));
  Bitmap bitmap(10, 10);
  bitmap.Pixels() = Pattern(10, 10);
  BitmapContext bitmapDc(bitmap);
  // The block reaches 5 pixels past the bitmap's left and top edges and below the clip.
  screenDc.BitBlt(0, 0, 15, 15, bitmapDc, -5, -5);
  ExpectCopied(screen, Surface(40, 30, WHITE), bitmap.Pixels(), {-5, -5, 10, 10}, {3, 2},
               Region(Rect{0, 0, 40, 14}));
}

TEST(BitBltTest, TextArrivesWithThePixelsAndCoveredTextGoes) {
  Surface screen(200, 60, WHITE);
  DeviceContext dc = test::WholeSurface(screen);
  dc.TextOut(10, 35, "old");
  Bitmap bitmap(100, 30, Rgb(255, 255, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.TextOut(5, 5, "Grid 3");
  dc.BitBlt(0, 30, 100, 30, bitmapDc, 0, 0);
  ASSERT_EQ(screen.Trace().Entries().size(), 1u);
  EXPECT_EQ(screen.Trace().Entries()[0].text, "Grid 3");
  EXPECT_EQ(screen.Trace().Entries()[0].rect,
            bitmap.Pixels().Trace().Entries()[0].rect.Offset(0, 30));
}

}  // namespace
}  // namespace platform
