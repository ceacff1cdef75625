#include "platform/gfx/Png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

class PngTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    directory = fs::path(::testing::TempDir()) / (std::string("gfx_png_") + info->name());
    fs::remove_all(directory);
    fs::create_directories(directory);
  }
  void TearDown() override { fs::remove_all(directory); }

  std::string PathOf(const std::string& name) const { return (directory / name).string(); }

  // A 2 x 2 palette image, as other tools write them: red and blue on the diagonals.
  static void WritePalettePng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, 2, 2, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[] = {{255, 0, 0}, {0, 0, 255}};
    png_set_PLTE(png, info, palette, 2);
    png_write_info(png, info);
    png_byte rows[2][2] = {{0, 1}, {1, 0}};
    for (png_bytep row : rows)
      png_write_row(png, row);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
  }

  fs::path directory;
};

Surface Gradient(int width, int height) {
  Surface surface(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      surface.Row(y)[x] = static_cast<Pixel>((x * 7 % 256) << 16 | (y * 13 % 256) << 8 | (x ^ y));
    }
  }
  return surface;
}

TEST_F(PngTest, WrittenPixelsReadBackTheSameAndNoTemporaryIsLeft) {
  const Surface original = Gradient(37, 23);
  const std::string path = PathOf("shot.png");
  ASSERT_TRUE(WritePng(original, path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  const std::optional<Surface> read = ReadPng(path);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->Width(), 37);
  ASSERT_EQ(read->Height(), 23);
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 37; ++x)
      ASSERT_EQ(read->At(x, y), original.At(x, y)) << x << "," << y;
  }
}

TEST_F(PngTest, WriteFailsCleanlyWhereItCannotWrite) {
  const std::string path = PathOf("missing/dir/shot.png");
  EXPECT_FALSE(WritePng(Gradient(4, 4), path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  EXPECT_FALSE(WritePng(Surface(0, 0), PathOf("empty.png")));
}

TEST_F(PngTest, BrokenOrMissingFilesReadAsNothing) {
  const std::string good = PathOf("good.png");
  ASSERT_TRUE(WritePng(Gradient(64, 64), good));
  const auto size = fs::file_size(good);
  for (const auto keep : {size / 2, size - 13, std::uintmax_t{40}, std::uintmax_t{8}}) {
    const std::string cut = PathOf("cut" + std::to_string(keep) + ".png");
    fs::copy_file(good, cut);
    fs::resize_file(cut, keep);
    EXPECT_FALSE(ReadPng(cut).has_value()) << "cut to " << keep << " bytes";
  }
  std::ofstream(PathOf("text.png")) << "this is not an image at all";
  EXPECT_FALSE(ReadPng(PathOf("text.png")).has_value());
  EXPECT_FALSE(ReadPng(PathOf("absent.png")).has_value());
  EXPECT_FALSE(ReadPng(directory.string()).has_value());
}

TEST_F(PngTest, PaletteImagesReadAsRgb) {
  const std::string path = PathOf("palette.png");
  WritePalettePng(path);
  const std::optional<Surface> read = ReadPng(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->At(0, 0), 0xFF0000u);
  EXPECT_EQ(read->At(1, 0), 0x0000FFu);
  EXPECT_EQ(read->At(0, 1), 0x0000FFu);
  EXPECT_EQ(read->At(1, 1), 0xFF0000u);
}

}  // namespace
}  // namespace platform
