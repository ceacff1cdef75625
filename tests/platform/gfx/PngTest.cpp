#include "platform/gfx/Png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(PngTest, PixelsReadBackTheSameAndBrokenFilesReadAsNothing) {
  const testing_support::TempFolder folder;
  const fs::path& dir = folder.Path();
  Surface original(37, 23);
  for (std::size_t i = 0; i < original.Pixels().size(); ++i)
    original.Pixels()[i] = static_cast<Pixel>(i * 0x010307 & 0xFFFFFF);
  const std::string path = dir / "shot.png";
  ASSERT_TRUE(WritePng(original, path));
  EXPECT_FALSE(fs::exists(path + ".tmp"));
  const std::optional<Surface> read = ReadPng(path);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(read->Bounds(), original.Bounds());
  EXPECT_TRUE(std::ranges::equal(read->Pixels(), original.Pixels()));
  EXPECT_FALSE(WritePng(original, dir / "missing/shot.png"));
  EXPECT_FALSE(WritePng(Surface(0, 0), dir / "empty.png"));

  const auto size = fs::file_size(path);
  for (const auto keep : {size / 2, size - 13, std::uintmax_t{40}, std::uintmax_t{8}}) {
    const std::string cut = dir / ("cut" + std::to_string(keep) + ".png");
    fs::copy_file(path, cut);
    fs::resize_file(cut, keep);
    EXPECT_FALSE(ReadPng(cut).has_value()) << "cut to " << keep << " bytes";
  }
  std::ofstream(dir / "text.png") << "this is not an image at all";
  for (const fs::path& bad : {dir / "text.png", dir / "absent.png", dir})
    EXPECT_FALSE(ReadPng(bad).has_value()) << bad;
}

}  // namespace
}  // namespace platform
