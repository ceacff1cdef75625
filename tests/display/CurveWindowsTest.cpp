// The paint handlers of the curve and bar windows, on a headless screen.
#include <gtest/gtest.h>

#include <algorithm>
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
    Register("CurveWnd",
             [this](Hwnd hwnd) { PaintCurveWindow(hwnd, setup.display, setup.settings); });
    Register("BarsWnd", [this](Hwnd hwnd) { PaintBarsWindow(hwnd, setup.display); });
  }

  void Register(const std::string& name, std::function<void(Hwnd)> paint) {
    RegisterClass({.name = name,
                   .procedure = [paint](const Message& m) -> LRESULT {
                     if (m.message != WM_PAINT)
                       return DefWindowProc(m);
                     paint(m.hwnd);
                     return 0;
                   },
                   .background = CreateSolidBrush(WHITE)});
  }
  Hwnd Open(const std::string& name, const Rect& rect) {
    const Hwnd window = CreateWindow({.className = name, .style = WS_VISIBLE, .rect = rect});
    PumpMessages();
    return window;
  }
  void Repaint(Hwnd window) {
    InvalidateRect(window, nullptr, true);
    PumpMessages();
  }
  std::vector<Pixel> PixelsIn(const Rect& area) {
    std::vector<Pixel> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x)
        pixels.push_back(test.Screen().At(x, y));
    }
    return pixels;
  }
  std::vector<TextTraceEntry> Texts() { return test.Screen().Trace().EntriesIn(CURVE_RECT); }

  testing_support::TestPlatform test;
  CurveSetup setup;
};

TEST_F(CurveWindowsTest, TheProfileViewShowsTheGridAndTheRangeAtTheRightEdge) {
  struct Case {
    float min;
    float max;
    std::string bottom;
    std::string top;
  };
  const std::vector<Case> cases{
      {0.0f, 2000.0f, "0", "2000"},
      // A wide label keeps clear of the newest curve point at x 167.
      {-1000000.0f, 1.5f, "-1000000", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bottom + ".." + c.top);
    setup.SetRange(c.min, c.max);
    const Hwnd window = Open("CurveWnd", CURVE_RECT);
    const auto labelX = [&](const std::string& text) {
      return CURVE_RECT.left + std::max(175, 215 - WindowDC(window).GetTextExtent(text).width - 3);
    };
    const std::vector<TextTraceEntry> texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, c.bottom);
    EXPECT_EQ(texts[0].rect.left, labelX(c.bottom));
    EXPECT_EQ(texts[0].rect.top, CURVE_RECT.top + 215 - 13 - 1);
    EXPECT_EQ(texts[1].text, c.top);
    EXPECT_EQ(texts[1].rect.left, labelX(c.top));
    EXPECT_EQ(texts[1].rect.top, CURVE_RECT.top);
    const int gridRow = CURVE_RECT.top + setup.display.profile.profileGridRows.rows[1];
    EXPECT_EQ(FromPixel(test.Screen().At(CURVE_RECT.left, gridRow)), GRID_GREY);
    EXPECT_EQ(FromPixel(test.Screen().At(CURVE_RECT.right - 1, gridRow)), GRID_GREY);
    DestroyWindow(window);
    PumpMessages();
  }
}

TEST_F(CurveWindowsTest, TheMapViewPaintsNothingButTheBackground) {
  setup.display.mapViewShown = 1;
  const Hwnd window = Open("CurveWnd", CURVE_RECT);
  EXPECT_TRUE(Texts().empty());
  const std::vector<Pixel> pixels = PixelsIn(CURVE_RECT);
  EXPECT_TRUE(
      std::all_of(pixels.begin(), pixels.end(), [](Pixel p) { return FromPixel(p) == WHITE; }));
  DestroyWindow(window);
}

TEST_F(CurveWindowsTest, ARepaintOfTheBarWindowShowsTheBarsAsTheyWereDrawn) {
  struct Case {
    float min;
    float max;
    std::vector<std::vector<std::int32_t>> readings;
  };
  const std::vector<Case> cases{
      {0.0f, 2000.0f, {{30, 60}, {50, 10}, {-20, 95}}},
      {-2000.0f, 0.0f, {{30, 60}, {10, 50}}},
      {-100.0f, 100.0f, {{30, 60}, {55, 20}, {40, 40}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "range " << c.min << ".." << c.max);
    setup.SetRange(c.min, c.max);
    RestartProfileCurves(setup.display.curves, true);
    const Hwnd window = Open("BarsWnd", BARS_RECT);
    {
      WindowDC dc(window);
      for (const std::vector<std::int32_t>& rows : c.readings)
        DrawBars(dc, setup.display, rows);
    }
    const std::vector<Pixel> drawn = PixelsIn(BARS_RECT);
    Repaint(window);
    EXPECT_EQ(PixelsIn(BARS_RECT), drawn);

    // Before the first reading of a restart there are no bars to repaint, only the grid.
    RestartProfileCurves(setup.display.curves, true);
    Repaint(window);
    WindowDC dc(window);
    EXPECT_EQ(ShadesIn(dc, {0, 0, 32, 80}), (std::set<char>{'w', '-'}));
    DestroyWindow(window);
    PumpMessages();
  }
}

}  // namespace
}  // namespace gradlog
