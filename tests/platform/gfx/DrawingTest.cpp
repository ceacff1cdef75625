#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using test::BLACK;
using test::Changed;
using test::ChangedOutside;
using test::WHITE;

constexpr Color RED = Rgb(255, 0, 0);
constexpr Color GREEN = Rgb(0, 255, 0);

class DrawingTest : public ::testing::Test {
 protected:
  Surface surface{40, 30, WHITE};
  DeviceContext dc = test::WholeSurface(surface);
};

TEST_F(DrawingTest, LinesLeaveOutTheirEndPointInEveryDirection) {
  struct Case {
    Point from, to;
  };
  for (const Case& c : {Case{{2, 2}, {8, 2}}, Case{{8, 4}, {2, 4}}, Case{{3, 9}, {3, 1}},
                        Case{{10, 10}, {15, 15}}, Case{{20, 20}, {14, 14}}}) {
    Surface s(40, 30, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.MoveTo(c.from.x, c.from.y);
    d.LineTo(c.to.x, c.to.y);
    const int steps = std::max(std::abs(c.to.x - c.from.x), std::abs(c.to.y - c.from.y));
    EXPECT_EQ(Changed(s, WHITE).size(), static_cast<std::size_t>(steps));
    EXPECT_EQ(s.At(c.from.x, c.from.y), BLACK);
    EXPECT_EQ(s.At(c.to.x, c.to.y), WHITE) << c.to.x << "," << c.to.y;
    EXPECT_EQ(d.CurrentPosition(), c.to);
  }
  // A sloped line: one pixel per column, each nearest to the ideal line.
  dc.MoveTo(1, 3);
  dc.LineTo(31, 14);
  for (int x = 1; x < 31; ++x) {
    std::vector<int> rows;
    for (int y = 0; y < surface.Height(); ++y) {
      if (surface.At(x, y) == BLACK)
        rows.push_back(y);
    }
    ASSERT_EQ(rows.size(), 1u) << "column " << x;
    EXPECT_LE(std::abs(rows[0] - (3 + (x - 1) * 11.0 / 30.0)), 0.5) << "column " << x;
  }
}

TEST_F(DrawingTest, WidePensAreCentredOnTheLine) {
  for (int width : {2, 3}) {
    Surface s(20, 20, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.SelectPen(CreatePen(PenStyle::Solid, width, Rgb(0, 0, 0)));
    d.MoveTo(0, 10);
    d.LineTo(12, 10);
    const int rows = width == 2 ? 2 : 3;  // rows 9..10 or 9..11
    EXPECT_TRUE(Changed(s, BLACK, {0, 9, 12, 9 + rows}).empty()) << width;
    EXPECT_TRUE(ChangedOutside(s, WHITE, Region(Rect{-1, 9, 13, 9 + rows})).empty()) << width;
  }
}

TEST_F(DrawingTest, PolylineJoinsItsPointsAndANullPenOnlyMoves) {
  const std::vector<Point> points = {{1, 1}, {5, 1}, {5, 5}};
  dc.Polyline(points);
  EXPECT_TRUE(Changed(surface, BLACK, {1, 1, 5, 2}).empty());
  EXPECT_TRUE(Changed(surface, BLACK, {5, 1, 6, 5}).empty());
  EXPECT_EQ(Changed(surface, WHITE).size(), 8u);
  EXPECT_EQ(dc.CurrentPosition(), (Point{5, 5}));
  dc.SelectPen(NullPen());
  dc.LineTo(20, 20);
  EXPECT_EQ(Changed(surface, WHITE).size(), 8u);
  EXPECT_EQ(dc.CurrentPosition(), (Point{20, 20}));
}

TEST_F(DrawingTest, RectangleOutlinesOnItsEdgesFillsInsideAndLeavesOutRightAndBottom) {
  dc.SelectBrush(CreateSolidBrush(RED));
  dc.Rectangle(2, 3, 8, 7);
  Region outline(Rect{2, 3, 8, 7});
  outline.Subtract({3, 4, 7, 6});
  for (const Rect& side : outline.Rects())
    EXPECT_TRUE(Changed(surface, BLACK, side).empty());
  EXPECT_TRUE(Changed(surface, ToPixel(RED), {3, 4, 7, 6}).empty());
  EXPECT_TRUE(ChangedOutside(surface, WHITE, Region(Rect{2, 3, 8, 7})).empty());

  // Hollow brush and corners given the other way round: the outline only.
  Surface s(40, 30, WHITE);
  DeviceContext d = test::WholeSurface(s);
  d.SelectBrush(GetStockBrush(StockObject::NullBrush));
  d.Rectangle(8, 7, 2, 3);
  EXPECT_EQ(Changed(s, WHITE), Changed(surface, ToPixel(RED), {2, 3, 8, 7}));
  // Null pen: the brush covers the whole box.
  d.SelectPen(NullPen());
  d.SelectBrush(GetStockBrush(StockObject::BlackBrush));
  d.Rectangle(20, 20, 28, 28);
  EXPECT_EQ(Changed(s, WHITE, {20, 20, 40, 30}).size(), 64u);
}

TEST_F(DrawingTest, FilledCircleStaysInItsBoxAndIsSymmetric) {
  dc.SelectPen(NullPen());
  dc.SelectBrush(CreateSolidBrush(GREEN));
  const int cx = 20;
  const int cy = 15;
  dc.Ellipse(cx - 3, cy - 3, cx + 4, cy + 4);
  EXPECT_TRUE(ChangedOutside(surface, WHITE, Region(Rect{cx - 3, cy - 3, cx + 4, cy + 4})).empty());
  EXPECT_TRUE(Changed(surface, ToPixel(GREEN), {cx - 3, cy, cx + 4, cy + 1}).empty());
  EXPECT_TRUE(Changed(surface, ToPixel(GREEN), {cx, cy - 3, cx + 1, cy + 4}).empty());
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      EXPECT_EQ(surface.At(cx + dx, cy + dy), surface.At(cx - dx, cy + dy)) << dx << "," << dy;
      EXPECT_EQ(surface.At(cx + dx, cy + dy), surface.At(cx + dx, cy - dy)) << dx << "," << dy;
    }
  }
  EXPECT_EQ(surface.At(cx - 3, cy - 3), WHITE);
}

TEST_F(DrawingTest, EllipseOutlineWithThePenAroundTheBrush) {
  dc.SelectBrush(CreateSolidBrush(GREEN));
  dc.Ellipse(5, 5, 25, 19);
  for (const Point p : {Point{5, 12}, Point{24, 12}, Point{15, 5}, Point{15, 18}}) {
    EXPECT_EQ(surface.At(p.x, p.y), BLACK) << p.x << "," << p.y;
  }
  EXPECT_TRUE(Changed(surface, ToPixel(GREEN), {6, 12, 24, 13}).empty());
  EXPECT_TRUE(ChangedOutside(surface, WHITE, Region(Rect{5, 5, 25, 19})).empty());
}

TEST_F(DrawingTest, NothingIsDrawnOutsideAClipOfTwoRectangles) {
  Region clip(Rect{2, 2, 10, 8});
  clip.Add(Rect{20, 15, 30, 25});
  DeviceContext clipped(surface, {0, 0}, clip);
  clipped.SelectBrush(GetStockBrush(StockObject::GrayBrush));
  clipped.Ellipse(0, 0, 40, 30);
  clipped.SelectPen(CreatePen(PenStyle::Solid, 3, RED));
  clipped.MoveTo(0, 0);
  clipped.LineTo(40, 30);
  clipped.SetPixel(15, 10, RED);
  clipped.TextOut(0, 0, "clipped text here");
  clipped.FillRect({0, 0, 40, 30}, GetStockBrush(StockObject::BlackBrush));
  EXPECT_TRUE(ChangedOutside(surface, WHITE, clip).empty());
  EXPECT_TRUE(Changed(surface, BLACK, {2, 2, 10, 8}).empty());
  EXPECT_TRUE(Changed(surface, BLACK, {20, 15, 30, 25}).empty());
}

TEST_F(DrawingTest, OriginMovesLogicalCoordinatesAndTheClipStaysOnTheSurface) {
  DeviceContext moved(surface, {10, 5}, Region(Rect{-100, -100, 100, 100}));
  EXPECT_EQ(moved.Clip().Bounds(), surface.Bounds());
  moved.SetPixel(0, 0, RED);
  EXPECT_EQ(surface.At(10, 5), ToPixel(RED));
  EXPECT_EQ(moved.GetPixel(0, 0), RED);
  EXPECT_EQ(moved.GetPixel(-11, 0), 0xFFFFFFFFu);
  moved.FillRect({0, 0, 100, 100}, GetStockBrush(StockObject::BlackBrush));
  moved.FillRect({-10, -5, 0, 0}, GetStockBrush(StockObject::NullBrush));
  moved.FillRect({-10, -5, 0, 0}, nullptr);
  EXPECT_TRUE(Changed(surface, BLACK, {10, 5, 40, 30}).empty());
  EXPECT_TRUE(ChangedOutside(surface, WHITE, Region(Rect{10, 5, 40, 30})).empty());
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
  EXPECT_TRUE(Changed(surface, 0x808080).empty());
  dc.SelectBrush(GetStockBrush(StockObject::BlackBrush));
  dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(Changed(surface, BLACK).empty());
}

TEST_F(DrawingTest, DefaultStateAndTheSaveGuard) {
  EXPECT_EQ(dc.CurrentPen(), BlackPen());
  EXPECT_EQ(dc.CurrentBrush(), GetStockBrush(StockObject::WhiteBrush));
  EXPECT_EQ(dc.CurrentFont(), SystemFont());
  EXPECT_EQ(GetStockBrush(StockObject::LightGrayBrush)->color, Rgb(192, 192, 192));
  EXPECT_TRUE(GetStockBrush(StockObject::NullBrush)->hollow);
  {
    auto saved = dc.Save();
    dc.SelectPen(NullPen());
    dc.SetTextColor(RED);
    dc.MoveTo(7, 7);
  }
  EXPECT_EQ(dc.CurrentPen(), BlackPen());
  EXPECT_EQ(dc.SetTextColor(0), 0u);
  EXPECT_EQ(dc.CurrentPosition(), (Point{0, 0}));
}

}  // namespace
}  // namespace platform
