#include "WindowTestSupport.h"

namespace {

using namespace ui_test;

const Color WHITE = Rgb(255, 255, 255);
const Color BLUE = Rgb(0, 0, 255);
const Color RED = Rgb(255, 0, 0);

// A white screen-sized window below, and a blue class for windows above it.
class PaintingTest : public UiTest {
 protected:
  RecordingClass below;
  RecordingClass above;
  Hwnd back;

  void SetUp() override {
    below.Register("Below", WHITE);
    above.Register("Above", BLUE);
    back = MakeTopLevel("Below", {0, 0, 320, 240});
    PumpMessages();
  }
  void FillBack() {
    WindowDC dc(back);
    dc.FillRect({0, 0, 320, 240}, CreateSolidBrush(RED));
  }
  Color At(int x, int y) { return ScreenColor(test.Screen(), x, y); }
};

TEST_F(PaintingTest, DrawingIsClippedUnderAWindowAboveWhoseHidingRepaintsWhatItUncovers) {
  const Hwnd front = MakeTopLevel("Above", {100, 50, 200, 150}, WS_POPUP);
  PumpMessages();
  below.paintRects.clear();
  FillBack();
  EXPECT_EQ(At(99, 100), RED);
  EXPECT_EQ(At(100, 50), BLUE);
  EXPECT_EQ(At(199, 149), BLUE);
  EXPECT_EQ(At(200, 149), RED);
  EXPECT_EQ(At(150, 150), RED);
  ShowWindow(front, false);
  EXPECT_FALSE(IsWindowVisible(front));
  PumpMessages();
  ASSERT_EQ(below.paintRects.size(), 1u);
  EXPECT_EQ(below.paintRects[0], (Rect{100, 50, 200, 150}));
  EXPECT_EQ(At(150, 100), WHITE);  // erased with the class brush
  EXPECT_EQ(At(99, 100), RED);     // outside: untouched
}

TEST_F(PaintingTest, ParentDrawingLeavesVisibleChildrenAlone) {
  const Hwnd child = CreateWindow({.className = "Above",
                                   .style = WS_CHILD | WS_VISIBLE,
                                   .rect = {10, 10, 30, 30},
                                   .parent = back});
  PumpMessages();
  FillBack();
  EXPECT_EQ(At(15, 15), BLUE);
  ShowWindow(child, false);
  PumpMessages();
  // The parent repaints what the child uncovered with its background.
  EXPECT_EQ(At(15, 15), WHITE);
  EXPECT_EQ(At(40, 40), RED);
}

TEST_F(PaintingTest, MovingAndDestroyingUncoverWhatTheWindowLeft) {
  const Hwnd front = MakeTopLevel("Above", {0, 0, 50, 50}, WS_POPUP);
  PumpMessages();
  MoveWindow(front, {100, 100, 150, 150});
  PumpMessages();
  EXPECT_EQ(At(10, 10), WHITE);
  EXPECT_EQ(At(110, 110), BLUE);
  DestroyWindow(front);
  PumpMessages();
  EXPECT_EQ(At(110, 110), WHITE);
  EXPECT_FALSE(IsWindow(front));
}

TEST_F(PaintingTest, InvalidationsMergeIntoOnePaintClippedToTheirUnion) {
  const int paintsBefore = below.Count(WM_PAINT);
  const Rect a{0, 0, 10, 10};
  const Rect b{20, 20, 30, 30};
  Rect painted;
  below.hook = [&](const Message& m) -> LRESULT {
    if (m.message != WM_PAINT)
      return 0;
    PaintDC dc(m.hwnd);
    painted = dc.PaintRect();
    dc.FillRect({0, 0, 320, 240}, CreateSolidBrush(RED));
    return 1;
  };
  InvalidateRect(back, &a, false);
  InvalidateRect(back, &b, false);
  PumpMessages();
  PumpMessages();
  EXPECT_EQ(below.Count(WM_PAINT), paintsBefore + 1);
  EXPECT_EQ(painted, (Rect{0, 0, 30, 30}));
  EXPECT_EQ(At(25, 25), RED);
  EXPECT_EQ(At(35, 35), WHITE);
}

}  // namespace
