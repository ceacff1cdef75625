#include <gtest/gtest.h>

#include <array>
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
    EXPECT_EQ(Changed(s, WHITE).size(), static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
      EXPECT_EQ(s.At(std::lround(x0 + (x1 - x0) * static_cast<double>(i) / steps),
                     std::lround(y0 + (y1 - y0) * static_cast<double>(i) / steps)),
                BLACK)
          << "step " << i;
    }
  }
}

TEST(LineTest, WidePensAreCentredOnTheLineAndANullPenOnlyMoves) {
  for (int width : {2, 3}) {
    Surface s(20, 20, WHITE);
    DeviceContext d = test::WholeSurface(s);
    d.SelectPen(CreatePen(PenStyle::Solid, width, Rgb(0, 0, 0)));
    d.Polyline(std::vector<Point>{{0, 10}, {12, 10}});
    // Width 2 covers rows 9..10, width 3 rows 9..11.
    EXPECT_TRUE(Changed(s, BLACK, {0, 9, 12, 9 + width}).empty()) << width;
    EXPECT_TRUE(ChangedOutside(s, WHITE, {-1, 9, 13, 9 + width}).empty()) << width;
    d.SelectPen(NullPen());
    d.LineTo(0, 0);
    EXPECT_TRUE(Changed(s, WHITE, {0, 0, 20, 9}).empty()) << width;
  }
}

TEST_F(DrawingTest, RectangleOutlinesItsEdgesFillsInsideAndLeavesOutRightAndBottom) {
  dc.SelectBrush(CreateSolidBrush(RED));
  dc.Rectangle(2, 3, 8, 7);
  Region outline(Rect{2, 3, 8, 7});
  outline.Subtract({3, 4, 7, 6});
  EXPECT_TRUE(Changed(surface, BLACK, outline).empty());
  EXPECT_TRUE(Changed(surface, ToPixel(RED), {3, 4, 7, 6}).empty());
  EXPECT_TRUE(ChangedOutside(surface, WHITE, {2, 3, 8, 7}).empty());
  // A hollow brush and the corners the other way round: the same outline only.
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(28, 27, 22, 23);
  EXPECT_EQ(Changed(surface, WHITE, {20, 20, 40, 30}).size(), outline.Area());
  outline.Offset(20, 20);
  EXPECT_TRUE(Changed(surface, BLACK, outline).empty());
}

TEST_F(DrawingTest, EllipsesStayInTheirBoxAreSymmetricAndOutlinedWithThePen) {
  dc.SelectBrush(CreateSolidBrush(GREEN));
  dc.Ellipse(5, 5, 25, 19);
  for (const Point p : {Point{5, 12}, Point{24, 12}, Point{15, 5}, Point{15, 18}})
    EXPECT_EQ(surface.At(p.x, p.y), BLACK) << p.x << "," << p.y;
  EXPECT_TRUE(Changed(surface, ToPixel(GREEN), {6, 12, 24, 13}).empty());
  EXPECT_TRUE(ChangedOutside(surface, WHITE, {5, 5, 25, 19}).empty());
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
  EXPECT_EQ(Changed(surface, WHITE).size(), 30u * 25u);
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

}  // namespace
}  // namespace platform
