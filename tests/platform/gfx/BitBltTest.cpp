#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using test::Changed;
using test::WHITE;

// Every pixel different, so a pixel copied from the wrong place shows.
Surface Pattern(int width, int height) {
  Surface surface(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      surface.Row(y)[x] = static_cast<Pixel>(y * 1000 + x);
  }
  return surface;
}

// Copies pixel by pixel from the untouched source: each destination pixel inside the clip
// whose source pixel lies on the source surface.
Surface ReferenceCopy(const Surface& target, const Surface& original, const Rect& block, Point to,
                      const Region& clip) {
  Surface expected = target;
  for (int y = 0; y < block.Height(); ++y) {
    for (int x = 0; x < block.Width(); ++x) {
      const Point from{block.left + x, block.top + y};
      const Point at{to.x + x, to.y + y};
      if (original.Bounds().Contains(from) && clip.Contains(at)) {
        expected.Row(at.y)[at.x] = original.At(from.x, from.y);
      }
    }
  }
  return expected;
}

void ExpectSamePixels(const Surface& actual, const Surface& expected, const std::string& what) {
  int wrong = 0;
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      if (actual.At(x, y) != expected.At(x, y) && ++wrong <= 3) {
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << actual.At(x, y)
                      << ", expected " << expected.At(x, y);
      }
    }
  }
  EXPECT_EQ(wrong, 0) << what;
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
      ExpectSamePixels(screen, ReferenceCopy(original, original, block, to, clip),
                       "move " + std::to_string(move.x) + "," + std::to_string(move.y) + " in " +
                           std::to_string(clip.Rects().size()) + " pieces");
    }
  }
}

TEST(BitBltTest, CopiesBetweenABitmapAndTheScreenBothWays) {
  Surface screen(40, 30, WHITE);
  DeviceContext screenDc(screen, {3, 2}, Region(screen.Bounds()));
  Bitmap bitmap(10, 8, Rgb(0, 0, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.SetPixel(0, 0, Rgb(255, 0, 0));
  screenDc.BitBlt(5, 6, 10, 8, bitmapDc, 0, 0);
  EXPECT_EQ(screen.At(8, 8), 0xFF0000u);
  EXPECT_TRUE(Changed(screen, 0x0000FF, {9, 8, 18, 16}).empty());
  EXPECT_EQ(Changed(screen, WHITE).size(), 80u);

  Surface pattern = Pattern(40, 30);
  DeviceContext patternDc = test::WholeSurface(pattern);
  const Surface bitmapBefore = bitmap.Pixels();
  bitmapDc.BitBlt(1, 1, 6, 6, patternDc, 20, 10);
  ExpectSamePixels(
      bitmap.Pixels(),
      ReferenceCopy(bitmapBefore, pattern, {20, 10, 26, 16}, {1, 1}, Region(Rect{0, 0, 10, 8})),
      "into the bitmap");
}

TEST(BitBltTest, PixelsWithoutASourcePixelOrOutsideTheClipStay) {
  Surface screen(40, 30, WHITE);
  Bitmap bitmap(10, 10, Rgb(0, 0, 0));
  BitmapContext bitmapDc(bitmap);
  DeviceContext dc(screen, {0, 0}, Region(Rect{0, 0, 40, 12}));
  // The block reaches 5 pixels past the bitmap's left and top edges.
  dc.BitBlt(0, 0, 15, 15, bitmapDc, -5, -5);
  EXPECT_TRUE(Changed(screen, test::BLACK, {5, 5, 15, 12}).empty());
  EXPECT_TRUE(test::ChangedOutside(screen, WHITE, Region(Rect{5, 5, 15, 12})).empty());
}

TEST(BitBltTest, TextTravelsWithThePixelsAndCoveredTextGoes) {
  Surface screen(200, 60, WHITE);
  DeviceContext dc = test::WholeSurface(screen);
  dc.TextOut(40, 10, "12.5");
  dc.TextOut(150, 40, "old");
  const Rect before = screen.Trace().Entries().front().rect;
  // A scroll two pixels left, then a blank band copied over the old text.
  dc.BitBlt(10, 0, 120, 30, dc, 12, 0);
  dc.BitBlt(120, 35, 80, 20, dc, 0, 40);
  ASSERT_EQ(screen.Trace().Entries().size(), 1u);
  EXPECT_EQ(screen.Trace().Entries().front().text, "12.5");
  EXPECT_EQ(screen.Trace().Entries().front().rect, before.Offset(-2, 0));

  Bitmap bitmap(100, 30, Rgb(255, 255, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.TextOut(5, 5, "Grid 3");
  dc.BitBlt(0, 30, 100, 30, bitmapDc, 0, 0);
  EXPECT_TRUE(screen.Trace().IsVisibleIn("Grid 3", {0, 30, 100, 60}));
  EXPECT_TRUE(bitmap.Pixels().Trace().IsVisible("Grid 3"));
}

}  // namespace
}  // namespace platform
