#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

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

// Copies `block` of `source` to `to` on `target` pixel by pixel: each destination pixel inside
// the clip whose source pixel lies on the source, then compares with `actual`.
void ExpectCopied(const Surface& actual, Surface target, const Surface& source, const Rect& block,
                  Point to, const Region& clip, const std::string& what) {
  for (int y = 0; y < block.Height(); ++y) {
    for (int x = 0; x < block.Width(); ++x) {
      const Point from{block.left + x, block.top + y};
      if (source.Bounds().Contains(from) && clip.Contains({to.x + x, to.y + y}))
        target.Row(to.y + y)[to.x + x] = source.At(from.x, from.y);
    }
  }
  for (std::size_t i = 0; i < actual.Pixels().size(); ++i) {
    ASSERT_EQ(actual.Pixels()[i], target.Pixels()[i])
        << what << ": pixel " << i % actual.Width() << "," << i / actual.Width();
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
      ExpectCopied(screen, original, original, block, to, clip,
                   "move " + std::to_string(move.x) + "," + std::to_string(move.y) + " in " +
                       std::to_string(clip.Rects().size()) + " pieces");
    }
  }
}

TEST(BitBltTest, CopiesBetweenABitmapAndTheScreenBothWays) {
  Surface screen(40, 30, WHITE);
  DeviceContext screenDc(screen, {3, 2}, Region(Rect{0, 0, 40, 14}));
  Bitmap bitmap(10, 10, Rgb(0, 0, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.SetPixel(5, 5, Rgb(255, 0, 0));
  // The block reaches 5 pixels past the bitmap's left and top edges and below the clip.
  screenDc.BitBlt(0, 0, 15, 15, bitmapDc, -5, -5);
  ExpectCopied(screen, Surface(40, 30, WHITE), bitmap.Pixels(), {-5, -5, 10, 10}, {3, 2},
               Region(Rect{0, 0, 40, 14}), "into the screen");

  Surface pattern = Pattern(40, 30);
  DeviceContext patternDc = test::WholeSurface(pattern);
  const Surface bitmapBefore = bitmap.Pixels();
  bitmapDc.BitBlt(1, 1, 6, 6, patternDc, 20, 10);
  ExpectCopied(bitmap.Pixels(), bitmapBefore, pattern, {20, 10, 26, 16}, {1, 1},
               Region(bitmap.Pixels().Bounds()), "into the bitmap");
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
  // Text drawn off-screen arrives with its pixels.
  Bitmap bitmap(100, 30, Rgb(255, 255, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.TextOut(5, 5, "Grid 3");
  dc.BitBlt(0, 30, 100, 30, bitmapDc, 0, 0);
  EXPECT_TRUE(screen.Trace().IsVisibleIn("Grid 3", {5, 35, 10, 40}));
}

}  // namespace
}  // namespace platform
