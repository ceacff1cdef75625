#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using test::BLACK;
using test::PixelsNotEqual;
using test::PixelsOutside;
using test::WHITE;

constexpr Color RED = Rgb(255, 0, 0);
constexpr Color GREEN = Rgb(0, 255, 0);

class DrawingTest : public ::testing::Test {
 protected:
  Surface surface{40, 30, WHITE};
  DeviceContext dc = test::WholeSurface(surface);

  bool Black(int x, int y) const { return surface.At(x, y) == BLACK; }
};

TEST_F(DrawingTest, LineToLeavesOutItsEndPointInEveryDirection) {
  struct Case {
    Point from, to;
  };
  for (const Case& c : {Case{{2, 2}, {8, 2}}, Case{{8, 4}, {2, 4}}, Case{{3, 1}, {3, 9}},
                        Case{{5, 9}, {5, 1}}, Case{{10, 10}, {15, 15}}, Case{{20, 20}, {14, 14}}}) {
    Surface s(40, 30, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.MoveTo(c.from.x, c.from.y);
    d.LineTo(c.to.x, c.to.y);
    const int steps = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
    EXPECT_EQ(PixelsNotEqual(s, WHITE).size(), static_cast<std::size_t>(steps));
    EXPECT_EQ(s.At(c.from.x, c.from.y), BLACK);
    EXPECT_EQ(s.At(c.to.x, c.to.y), WHITE) << c.to.x << "," << c.to.y;
    EXPECT_EQ(d.CurrentPosition(), c.to);
  }
}

TEST_F(DrawingTest, ASlopedLineHasOnePixelPerColumnNearTheIdealLine) {
  dc.MoveTo(1, 3);
  dc.LineTo(31, 14);
  for (int x = 1; x < 31; ++x) {
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y) {
      if (!Black(x, y)) continue;
      ++count;
      const double ideal = 3 + (x - 1) * 11.0 / 30.0;
      EXPECT_LE(std::abs(y - ideal), 0.5) << "column " << x;
    }
    EXPECT_EQ(count, 1) << "column " << x;
  }
  EXPECT_TRUE(PixelsNotEqual(surface, WHITE, {31, 0, 40, 30}).empty());
}

TEST_F(DrawingTest, WidePensAreCentredOnTheLine) {
  for (int width : {2, 3}) {
    Surface s(20, 20, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.SelectPen(CreatePen(PenStyle::Solid, width, Rgb(0, 0, 0)));
    d.MoveTo(0, 10);
    d.LineTo(12, 10);
    const int lastRow = width == 2 ? 10 : 11;
    for (int x = 0; x < 12; ++x) {
      for (int y = 9; y <= lastRow; ++y) EXPECT_EQ(s.At(x, y), BLACK) << width << ":" << x << "," << y;
      EXPECT_EQ(s.At(x, 8), WHITE) << width;
      EXPECT_EQ(s.At(x, lastRow + 1), WHITE) << width;
    }
  }
}

TEST_F(DrawingTest, NullPenDrawsNothingButMovesThePosition) {
  dc.SelectPen(NullPen());
  dc.MoveTo(0, 0);
  dc.LineTo(20, 20);
  dc.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(dc.CurrentPosition(), (Point{20, 20}));
  // The brush still fills the rectangle, over its whole box.
  EXPECT_EQ(PixelsNotEqual(surface, WHITE).size(), 0u);
  dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
  dc.Rectangle(2, 2, 10, 10);
  EXPECT_EQ(PixelsNotEqual(surface, WHITE).size(), 64u);
}

TEST_F(DrawingTest, PolylineJoinsItsPointsAndLeavesOutTheLast) {
  const std::vector<Point> points = {{1, 1}, {5, 1}, {5, 5}};
  dc.Polyline(points);
  for (int x = 1; x < 5; ++x) EXPECT_TRUE(Black(x, 1));
  for (int y = 1; y < 5; ++y) EXPECT_TRUE(Black(5, y));
  EXPECT_FALSE(Black(5, 5));
  EXPECT_EQ(PixelsNotEqual(surface, WHITE).size(), 8u);
  EXPECT_EQ(dc.CurrentPosition(), (Point{5, 5}));
}

TEST_F(DrawingTest, RectangleOutlinesOnTheBoxEdgesAndLeavesOutRightAndBottom) {
  dc.SelectBrush(CreateSolidBrush(RED));
  dc.Rectangle(2, 3, 8, 7);
  for (int x = 2; x < 8; ++x) {
    EXPECT_TRUE(Black(x, 3)) << x;
    EXPECT_TRUE(Black(x, 6)) << x;
  }
  for (int y = 3; y < 7; ++y) {
    EXPECT_TRUE(Black(2, y)) << y;
    EXPECT_TRUE(Black(7, y)) << y;
  }
  for (int x = 3; x < 7; ++x) {
    for (int y = 4; y < 6; ++y) EXPECT_EQ(surface.At(x, y), ToPixel(RED));
  }
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(Rect{2, 3, 8, 7})).empty());
}

TEST_F(DrawingTest, HollowBrushKeepsTheInsideAndInvertedCornersAreNormalised) {
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(8, 7, 2, 3);
  EXPECT_TRUE(Black(2, 3));
  EXPECT_TRUE(Black(7, 6));
  EXPECT_EQ(surface.At(4, 4), WHITE);
  EXPECT_EQ(PixelsNotEqual(surface, WHITE).size(), 16u);
}

TEST_F(DrawingTest, FilledCircleStaysInItsBoxAndIsSymmetric) {
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(GREEN));
  const int cx = 20;
  const int cy = 15;
  dc.Ellipse(cx - 3, cy - 3, cx + 4, cy + 4);
  const Rect box{cx - 3, cy - 3, cx + 4, cy + 4};
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(box)).empty());
  for (int d = -3; d <= 3; ++d) {
    EXPECT_NE(surface.At(cx + d, cy), WHITE) << "row through the centre, " << d;
    EXPECT_NE(surface.At(cx, cy + d), WHITE) << "column through the centre, " << d;
  }
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      EXPECT_EQ(surface.At(cx + dx, cy + dy), surface.At(cx - dx, cy + dy)) << dx << "," << dy;
      EXPECT_EQ(surface.At(cx + dx, cy + dy), surface.At(cx + dx, cy - dy)) << dx << "," << dy;
    }
  }
  EXPECT_EQ(surface.At(cx - 3, cy - 3), WHITE);
  EXPECT_EQ(surface.At(cx + 3, cy + 3), WHITE);
}

TEST_F(DrawingTest, EllipseOutlineWithPenAroundTheBrush) {
  dc.SelectBrush(CreateSolidBrush(GREEN));
  dc.Ellipse(5, 5, 25, 19);
  EXPECT_EQ(surface.At(5, 12), BLACK);
  EXPECT_EQ(surface.At(24, 12), BLACK);
  EXPECT_EQ(surface.At(15, 5), BLACK);
  EXPECT_EQ(surface.At(15, 18), BLACK);
  EXPECT_EQ(surface.At(15, 12), ToPixel(GREEN));
  EXPECT_EQ(surface.At(6, 12), ToPixel(GREEN));
  EXPECT_TRUE(PixelsOutside(surface, WHITE, Region(Rect{5, 5, 25, 19})).empty());
}

TEST_F(DrawingTest, NothingIsDrawnOutsideAClipOfTwoRectangles) {
  Region clip(Rect{2, 2, 10, 8});
  clip.Add(Rect{20, 15, 30, 25});
  DeviceContext clipped(surface, {0, 0}, clip);
  clipped.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  clipped.Rectangle(0, 0, 40, 30);
  clipped.Ellipse(0, 0, 40, 30);
  clipped.SelectPen(CreatePen(PenStyle::Solid, 3, RED));
  clipped.MoveTo(0, 0);
  clipped.LineTo(40, 30);
  clipped.SetPixel(15, 10, RED);
  clipped.TextOut(0, 0, "clipped text here");
  EXPECT_TRUE(PixelsOutside(surface, WHITE, clip).empty());
  EXPECT_FALSE(PixelsNotEqual(surface, WHITE, {2, 2, 10, 8}).empty());
  EXPECT_FALSE(PixelsNotEqual(surface, WHITE, {20, 15, 30, 25}).empty());
}

TEST_F(DrawingTest, OriginMovesLogicalCoordinatesAndClipStaysOnTheSurface) {
  DeviceContext moved(surface, {10, 5}, Region(Rect{-100, -100, 100, 100}));
  EXPECT_EQ(moved.Clip().Bounds(), surface.Bounds());
  moved.SetPixel(0, 0, RED);
  EXPECT_EQ(surface.At(10, 5), ToPixel(RED));
  EXPECT_EQ(moved.GetPixel(0, 0), RED);
  EXPECT_EQ(moved.GetPixel(-11, 0), 0xFFFFFFFFu);
  EXPECT_EQ(moved.GetPixel(30, 0), 0xFFFFFFFFu);
  moved.FillRect({0, 0, 100, 100}, GetStockBrush(StockObject::BlackBrush));
  EXPECT_TRUE(PixelsNotEqual(surface, BLACK, {10, 5, 40, 30}).empty());
  EXPECT_EQ(surface.At(9, 4), WHITE);
}

TEST_F(DrawingTest, FillRectWithHollowOrMissingBrushChangesNothing) {
  dc.FillRect({0, 0, 40, 30}, GetStockBrush(StockObject::NullBrush));
  dc.FillRect({0, 0, 40, 30}, nullptr);
  dc.FillRect({10, 10, 5, 5}, GetStockBrush(StockObject::BlackBrush));
  EXPECT_TRUE(PixelsNotEqual(surface, WHITE).empty());
  dc.FillRect({1, 2, 4, 6}, GetStockBrush(StockObject::DarkGrayBrush));
  EXPECT_EQ(PixelsNotEqual(surface, WHITE).size(), 12u);
  EXPECT_EQ(surface.At(1, 2), 0x404040u);
}

TEST_F(DrawingTest, ExtremeCoordinatesNeitherHangNorWriteOutside) {
  dc.MoveTo(INT_MIN, 10);
  dc.LineTo(INT_MAX, 10);
  for (int x = 0; x < 40; ++x) EXPECT_TRUE(Black(x, 10)) << x;
  dc.MoveTo(-1000000000, -1000000000);
  dc.LineTo(1000000000, 1000000000);
  EXPECT_TRUE(Black(20, 20));
  dc.SelectPen(CreatePen(PenStyle::Solid, INT_MAX, RED));
  dc.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  dc.LineTo(INT_MIN, INT_MAX);
  dc.Rectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  dc.BitBlt(INT_MAX, INT_MIN, INT_MAX, INT_MAX, dc, INT_MIN, 0);
  // The surface lies deep inside these shapes: filled, with the outline far away.
  EXPECT_TRUE(PixelsNotEqual(surface, 0x808080).empty());
  dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
  dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(PixelsNotEqual(surface, BLACK).empty());
}

TEST_F(DrawingTest, DefaultStateAndSaveGuard) {
  EXPECT_EQ(dc.CurrentPen(), BlackPen());
  EXPECT_EQ(dc.CurrentBrush(), GetStockBrush(StockObject::WhiteBrush));
  EXPECT_EQ(dc.CurrentFont(), SystemFont());
  {
    auto saved = dc.Save();
    dc.SelectPen(NullPen());
    dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
    dc.SetTextColor(RED);
    dc.MoveTo(7, 7);
    EXPECT_EQ(dc.SetTextColor(GREEN), RED);
  }
  EXPECT_EQ(dc.CurrentPen(), BlackPen());
  EXPECT_EQ(dc.CurrentBrush(), GetStockBrush(StockObject::WhiteBrush));
  EXPECT_EQ(dc.SetTextColor(0), 0u);
  EXPECT_EQ(dc.CurrentPosition(), (Point{0, 0}));
}

TEST(ObjectsTest, StockObjectsAreSharedAndHaveTheirColours) {
  EXPECT_EQ(GetStockBrush(StockObject::GrayBrush), GetStockBrush(StockObject::GrayBrush));
  EXPECT_EQ(GetStockBrush(StockObject::WhiteBrush)->color, Rgb(255, 255, 255));
  EXPECT_EQ(GetStockBrush(StockObject::LightGrayBrush)->color, Rgb(192, 192, 192));
  EXPECT_EQ(GetStockBrush(StockObject::GrayBrush)->color, Rgb(128, 128, 128));
  EXPECT_EQ(GetStockBrush(StockObject::DarkGrayBrush)->color, Rgb(64, 64, 64));
  EXPECT_EQ(GetStockBrush(StockObject::BlackBrush)->color, Rgb(0, 0, 0));
  EXPECT_TRUE(GetStockBrush(StockObject::NullBrush)->hollow);
  EXPECT_FALSE(GetStockBrush(StockObject::BlackBrush)->hollow);
  EXPECT_EQ(NullPen()->style, PenStyle::Null);
  EXPECT_EQ(CreatePen(PenStyle::Solid, 0, RED)->width, 1);
  EXPECT_NE(CreateSolidBrush(RED), CreateSolidBrush(RED));
}

}  // namespace
}  // namespace platform
