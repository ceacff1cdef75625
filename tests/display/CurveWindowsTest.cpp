// The paint handlers of the curve and bar windows, on a headless screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CurveTestSupport.h"
#include "display/ProfileCurves.h"
#include "platform/ui/Window.h"
#include "support/TestPlatform.h"

namespace gradlog {
namespace {

using namespace testing;
using namespace platform;

constexpr Rect CURVE_RECT{3, 3, 218, 218};
constexpr Rect BARS_RECT{221, 28, 253, 108};

class CurveWindowsTest : public ::testing::Test {
 protected:
  CurveWindowsTest() {
    setup.display.layout.charHeight = 13;
    RegisterClass({.name = "CurveWnd",
                   .procedure = [this](const Message& m) -> LRESULT {
                     if (m.message != WM_PAINT)
                       return DefWindowProc(m);
                     if (bars)
                       PaintBarsWindow(m.hwnd, setup.display);
                     else
                       PaintCurveWindow(m.hwnd, setup.display, setup.settings);
                     return 0;
                   },
                   .background = CreateSolidBrush(WHITE)});
  }
  Hwnd Open(const Rect& rect) {
    const Hwnd window = CreateWindow({.className = "CurveWnd", .style = WS_VISIBLE, .rect = rect});
    PumpMessages();
    return window;
  }
  std::vector<Pixel> PixelsIn(const Rect& area) {
    std::vector<Pixel> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x)
        pixels.push_back(test.Screen().At(x, y));
    }
    return pixels;
  }
  void Repaint(Hwnd window) {
    InvalidateRect(window, nullptr, true);
    PumpMessages();
  }

  testing_support::TestPlatform test;
  CurveSetup setup;
  bool bars = false;
};

// The profile view shows the grid and the range at the right edge, a wide label clear of the
// newest curve point at x 167; the map view paints only the background.
TEST_F(CurveWindowsTest, TheProfileViewShowsTheGridAndTheRangeAndTheMapViewNothing) {
  setup.SetRange(-1000000.0f, 1.5f);
  Hwnd window = Open(CURVE_RECT);
  const std::vector<TextTraceEntry> texts = test.Screen().Trace().EntriesIn(CURVE_RECT);
  ASSERT_EQ(texts.size(), 2u);
  const std::pair<const char*, int> labels[] = {{"-1000000", CURVE_RECT.top + 215 - 13 - 1},
                                                {"2", CURVE_RECT.top}};
  for (std::size_t i = 0; i < 2; ++i) {
    const int width = WindowDC(window).GetTextExtent(labels[i].first).width;
    EXPECT_EQ(texts[i].text, labels[i].first);
    EXPECT_EQ(texts[i].rect.left, CURVE_RECT.left + std::max(175, 215 - width - 3));
    EXPECT_EQ(texts[i].rect.top, labels[i].second);
  }
  const int gridRow = CURVE_RECT.top + setup.display.profile.profileGridRows.rows[1];
  EXPECT_EQ(FromPixel(test.Screen().At(CURVE_RECT.left, gridRow)), GRID_GREY);
  EXPECT_EQ(FromPixel(test.Screen().At(CURVE_RECT.right - 1, gridRow)), GRID_GREY);
  DestroyWindow(window);

  setup.display.mapViewShown = 1;
  window = Open(CURVE_RECT);
  EXPECT_TRUE(test.Screen().Trace().EntriesIn(CURVE_RECT).empty());
  EXPECT_EQ(ShadesIn(WindowDC(window), {0, 0, 215, 215}), std::set<char>{'w'});
}

// Rising, hanging and zero-based bars; before the first reading of a restart only the grid.
TEST_F(CurveWindowsTest, ARepaintOfTheBarWindowShowsTheBarsAsTheyWereDrawn) {
  bars = true;
  const std::vector<std::pair<float, std::vector<std::vector<std::int32_t>>>> cases{
      {0.0f, {{30, 60}, {50, 10}, {-20, 95}}},
      {-2000.0f, {{30, 60}, {10, 50}}},
      {-100.0f, {{30, 60}, {55, 20}, {40, 40}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "range from " << c.first);
    setup.SetRange(c.first, c.first == -100.0f ? 100.0f : c.first + 2000.0f);
    RestartProfileCurves(setup.display.curves, true);
    const Hwnd window = Open(BARS_RECT);
    {
      WindowDC dc(window);
      for (const std::vector<std::int32_t>& rows : c.second)
        DrawBars(dc, setup.display, rows);
    }
    const std::vector<Pixel> drawn = PixelsIn(BARS_RECT);
    Repaint(window);
    EXPECT_EQ(PixelsIn(BARS_RECT), drawn);

    RestartProfileCurves(setup.display.curves, true);
    Repaint(window);
    EXPECT_EQ(ShadesIn(WindowDC(window), {0, 0, 32, 80}), (std::set<char>{'w', '-'}));
    DestroyWindow(window);
    PumpMessages();
  }
}

}  // namespace
}  // namespace gradlog
