#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "config/TempDeviceRoot.h"
#include "platform/sys/DevicePaths.h"
#include "platform/sys/Files.h"

namespace platform {
namespace {

class DeviceFilesTest : public ::testing::Test {
 protected:
  gradlog::testing::TempDeviceRoot root;
};

TEST_F(DeviceFilesTest, DevicePathsLiveUnderTheRoot) {
  EXPECT_EQ(MapDevicePath("C_DRIVE\\KELINI\\Z601CX.INI"),
            root.Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI");
  EXPECT_EQ(MapDevicePath("Storage Card\\DATAZEP601"), root.Path() / "Storage Card/DATAZEP601");
  // A handheld's absolute path does not escape to the host's root.
  EXPECT_EQ(MapDevicePath("\\Storage Card\\x"), root.Path() / "Storage Card" / "x");
  EXPECT_EQ(MapDevicePath("\\\\/etc/passwd"), root.Path() / "etc" / "passwd");
  EXPECT_EQ(MapDevicePath(""), root.Path());
  EXPECT_EQ(MapDevicePath("\\"), root.Path());
  EXPECT_EQ(DeviceRoot(), root.Path());
}

TEST_F(DeviceFilesTest, CreateWriteReadAndDelete) {
  ASSERT_TRUE(CreateDirectoryPath("A\\B\\C"));
  EXPECT_TRUE(CreateDirectoryPath("A\\B\\C"));  // existing already is no error
  EXPECT_TRUE(DirectoryExists("A\\B"));
  EXPECT_FALSE(FileExists("A\\B"));

  std::optional<File> out = File::CreateAlways("A\\B\\C\\f.txt");
  ASSERT_TRUE(out.has_value());
  EXPECT_TRUE(out->Write(std::string_view("hello\r\n")));
  out->Close();
  EXPECT_FALSE(out->IsOpen());
  EXPECT_FALSE(out->Write(std::string_view("late")));
  EXPECT_TRUE(FileExists("A\\B\\C\\f.txt"));
  EXPECT_FALSE(DirectoryExists("A\\B\\C\\f.txt"));
  using std::filesystem::perms;
  const perms mode = std::filesystem::status(root.Path() / "A/B/C/f.txt").permissions();
  EXPECT_NE(mode & perms::owner_write, perms::none);
  EXPECT_EQ(mode & (perms::owner_exec | perms::group_write | perms::others_write), perms::none);

  std::optional<File> in = File::OpenExisting("A\\B\\C\\f.txt");
  ASSERT_TRUE(in.has_value());
  std::array<char, 32> buffer{};
  EXPECT_EQ(in->Read(buffer), 7u);
  EXPECT_EQ(std::string(buffer.data(), 7), "hello\r\n");
  EXPECT_EQ(in->Read(buffer), 0u);

  EXPECT_TRUE(DeleteFile("A\\B\\C\\f.txt"));
  EXPECT_FALSE(FileExists("A\\B\\C\\f.txt"));
  EXPECT_FALSE(DeleteFile("A\\B\\C\\f.txt"));
  EXPECT_FALSE(DeleteFile("A\\B\\C"));  // folders are not files
  EXPECT_TRUE(DirectoryExists("A\\B\\C"));
}

TEST_F(DeviceFilesTest, CreateAlwaysReplacesTheContent) {
  root.WriteFile(root.Path() / "f.txt", "a long old content");
  {
    std::optional<File> out = File::CreateAlways("f.txt");
    ASSERT_TRUE(out.has_value());
    EXPECT_TRUE(out->Write(std::string_view("new")));
  }
  EXPECT_EQ(root.ReadFile(root.Path() / "f.txt"), "new");
}

TEST_F(DeviceFilesTest, MissingFilesAndFoldersDoNotOpen) {
  EXPECT_FALSE(File::OpenExisting("missing.txt").has_value());
  std::filesystem::create_directory(root.Path() / "folder");
  EXPECT_FALSE(File::OpenExisting("folder").has_value());
  EXPECT_FALSE(File::CreateAlways("folder").has_value());
  EXPECT_FALSE(File::CreateAlways("nowhere\\f.txt").has_value());
  root.WriteFile(root.Path() / "plain", "x");
  EXPECT_FALSE(CreateDirectoryPath("plain\\sub"));
  EXPECT_FALSE(CreateDirectoryPath("plain"));
}

}  // namespace
}  // namespace platform
