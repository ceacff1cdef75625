#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GfxTestSupport.h"

namespace platform {
namespace {

using test::PixelsNotEqual;
using test::WHITE;

// Every pixel different, so a pixel copied from the wrong place shows.
void FillPattern(Surface& surface) {
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) surface.Row(y)[x] = static_cast<Pixel>(y * 1000 + x);
  }
}

// What a copy must give: each destination pixel inside the block, the clip and with a
// source pixel on the surface takes the source pixel of the untouched original.
Surface ReferenceCopy(const Surface& original, const Rect& block, Point to, const Region& clip) {
  Surface expected = original;
  for (int y = 0; y < block.Height(); ++y) {
    for (int x = 0; x < block.Width(); ++x) {
      const Point from{block.left + x, block.top + y};
      const Point at{to.x + x, to.y + y};
      if (!original.Bounds().Contains(from) || !clip.Contains(at)) continue;
      if (!original.Bounds().Contains(at)) continue;
      expected.Row(at.y)[at.x] = original.At(from.x, from.y);
    }
  }
  return expected;
}

void ExpectSamePixels(const Surface& actual, const Surface& expected, const std::string& what) {
  int wrong = 0;
  for (int y = 0; y < actual.Height(); ++y) {
    for (int x = 0; x < actual.Width(); ++x) {
      if (actual.At(x, y) != expected.At(x, y) && ++wrong <= 5) {
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << actual.At(x, y)
                      << ", expected " << expected.At(x, y);
      }
    }
  }
  EXPECT_EQ(wrong, 0) << what;
}

TEST(BitBltTest, OverlappingCopiesOnOneSurfaceMatchACopyFromTheOriginal) {
  struct Move {
    int dx, dy;
  };
  for (const Move m : {Move{-2, 0}, Move{2, 0}, Move{0, -2}, Move{0, 2}, Move{3, -1},
                       Move{-1, 3}, Move{0, 0}}) {
    Surface screen(40, 30);
    FillPattern(screen);
    const Surface original = screen;
    DeviceContext dc = test::WholeSurface(screen);
    const Rect block = Rect::FromSize(5, 4, 25, 20);
    dc.BitBlt(block.left + m.dx, block.top + m.dy, block.Width(), block.Height(), dc, block.left,
              block.top);
    ExpectSamePixels(screen,
                     ReferenceCopy(original, block, {block.left + m.dx, block.top + m.dy},
                                   Region(screen.Bounds())),
                     "move " + std::to_string(m.dx) + "," + std::to_string(m.dy));
  }
}

TEST(BitBltTest, OverlappingCopyThroughAClipOfTwoPiecesReadsTheOriginal) {
  Surface screen(40, 30);
  FillPattern(screen);
  const Surface original = screen;
  Region clip(Rect{0, 0, 20, 30});
  clip.Add(Rect{20, 10, 40, 30});
  DeviceContext dc(screen, {0, 0}, clip);
  const Rect block = Rect::FromSize(4, 2, 30, 25);
  dc.BitBlt(2, 3, block.Width(), block.Height(), dc, block.left, block.top);
  ExpectSamePixels(screen, ReferenceCopy(original, block, {2, 3}, clip), "two-piece clip");
}

TEST(BitBltTest, CopiesBetweenABitmapAndTheScreenBothWays) {
  Surface screen(40, 30, WHITE);
  DeviceContext screenDc(screen, {3, 2}, Region(screen.Bounds()));
  Bitmap bitmap(10, 8, Rgb(0, 0, 255));
  BitmapContext bitmapDc(bitmap);
  bitmapDc.SetPixel(0, 0, Rgb(255, 0, 0));
  screenDc.BitBlt(5, 6, 10, 8, bitmapDc, 0, 0);
  EXPECT_EQ(screen.At(8, 8), ToPixel(Rgb(255, 0, 0)));
  EXPECT_EQ(screen.At(17, 15), ToPixel(Rgb(0, 0, 255)));
  EXPECT_EQ(PixelsNotEqual(screen, WHITE).size(), 80u);

  Surface pattern(40, 30);
  FillPattern(pattern);
  DeviceContext patternDc = test::WholeSurface(pattern);
  bitmapDc.BitBlt(1, 1, 6, 6, patternDc, 20, 10);
  EXPECT_EQ(bitmap.Pixels().At(1, 1), pattern.At(20, 10));
  EXPECT_EQ(bitmap.Pixels().At(6, 6), pattern.At(25, 15));
  EXPECT_EQ(bitmap.Pixels().At(7, 7), ToPixel(Rgb(0, 0, 255)));
}

TEST(BitBltTest, PixelsWithoutASourcePixelAndOutsideTheClipStay) {
  Surface screen(40, 30, WHITE);
  Bitmap bitmap(10, 10, Rgb(0, 0, 0));
  BitmapContext bitmapDc(bitmap);
  DeviceContext dc(screen, {0, 0}, Region(Rect{0, 0, 40, 12}));
  // The block reaches 5 pixels past the bitmap's left and top edges.
  dc.BitBlt(0, 0, 15, 15, bitmapDc, -5, -5);
  EXPECT_TRUE(PixelsNotEqual(screen, WHITE, {0, 0, 5, 30}).empty());
  EXPECT_TRUE(PixelsNotEqual(screen, WHITE, {0, 0, 40, 5}).empty());
  EXPECT_TRUE(PixelsNotEqual(screen, test::BLACK, {5, 5, 15, 12}).empty());
  EXPECT_TRUE(PixelsNotEqual(screen, WHITE, {0, 12, 40, 30}).empty());
}

TEST(BitBltTest, TextTravelsWithThePixelsAndCoveredTextGoes) {
  Surface screen(200, 60, WHITE);
  DeviceContext dc = test::WholeSurface(screen);
  dc.TextOut(40, 10, "12.5");
  dc.TextOut(150, 40, "old");
  const Rect before = screen.Trace().Entries().front().rect;
  // A scroll two pixels left, then a copy of the top band over the old text.
  dc.BitBlt(10, 0, 120, 30, dc, 12, 0);
  dc.BitBlt(120, 35, 80, 20, dc, 0, 40);
  ASSERT_EQ(screen.Trace().EntriesIn(screen.Bounds()).size(), 1u);
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
