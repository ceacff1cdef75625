#include "WindowTestSupport.h"

namespace {

using namespace ui_test;

const Color GREY = Rgb(192, 192, 192);  // the host window's background
const Color BLUE = Rgb(0, 0, 255);
const Color RED = Rgb(255, 0, 0);

class PaintingTest : public HostTest {
 protected:
  RecordingClass above;

  void SetUp() override {
    HostTest::SetUp();
    above.Register("Above", BLUE);
  }
  void FillBack() {
    WindowDC dc(window);
    dc.FillRect({0, 0, 320, 240}, CreateSolidBrush(RED));
  }
};

TEST_F(PaintingTest,
       DrawingIsClippedUnderAWindowAboveWhoseHidingMovingOrDestroyingRepaintsWhatItUncovers) {
  const Hwnd front = MakeTopLevel("Above", {100, 50, 200, 150}, WS_POPUP);
  PumpMessages();
  host.paintRects.clear();
  FillBack();
  EXPECT_EQ(At(99, 100), RED);
  EXPECT_EQ(At(100, 50), BLUE);
  EXPECT_EQ(At(199, 149), BLUE);
  EXPECT_EQ(At(200, 149), RED);
  EXPECT_EQ(At(150, 150), RED);
  ShowWindow(front, false);
  EXPECT_FALSE(IsWindowVisible(front));
  PumpMessages();
  ASSERT_EQ(host.paintRects.size(), 1u);
  EXPECT_EQ(host.paintRects[0], (Rect{100, 50, 200, 150}));
  EXPECT_EQ(At(150, 100), GREY);  // erased with the class brush
  EXPECT_EQ(At(99, 100), RED);    // outside: untouched
  // Moving it uncovers where it was; destroying it, where it is.
  ShowWindow(front, true);
  MoveWindow(front, {0, 0, 50, 50});
  PumpMessages();
  EXPECT_EQ(At(150, 100), GREY);
  EXPECT_EQ(At(10, 10), BLUE);
  DestroyWindow(front);
  PumpMessages();
  EXPECT_EQ(At(10, 10), GREY);
}

TEST_F(PaintingTest, ParentDrawingLeavesVisibleChildrenAlone) {
  const Hwnd child = MakeChild("Above", 0, {10, 10, 30, 30});
  FillBack();
  EXPECT_EQ(At(15, 15), BLUE);
  ShowWindow(child, false);
  PumpMessages();
  // The parent repaints what the child uncovered with its background.
  EXPECT_EQ(At(15, 15), GREY);
  EXPECT_EQ(At(40, 40), RED);
}

TEST_F(PaintingTest, InvalidationsMergeIntoOnePaintClippedToTheirUnion) {
  const int paintsBefore = host.Count(WM_PAINT);
  const Rect a{0, 0, 10, 10};
  const Rect b{20, 20, 30, 30};
  Rect painted;
  host.hook = [&](const Message& m) -> LRESULT {
    if (m.message != WM_PAINT)
      return 0;
    PaintDC dc(m.hwnd);
    painted = dc.PaintRect();
    dc.FillRect({0, 0, 320, 240}, CreateSolidBrush(RED));
    return 1;
  };
  InvalidateRect(window, &a, false);
  InvalidateRect(window, &b, false);
  PumpMessages();
  PumpMessages();
  EXPECT_EQ(host.Count(WM_PAINT), paintsBefore + 1);
  EXPECT_EQ(painted, (Rect{0, 0, 30, 30}));
  EXPECT_EQ(At(25, 25), RED);
  EXPECT_EQ(At(35, 35), GREY);
}

}  // namespace
