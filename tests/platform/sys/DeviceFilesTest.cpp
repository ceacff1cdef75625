#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "platform/sys/DevicePaths.h"
#include "platform/sys/Files.h"
#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

class DeviceFilesTest : public ::testing::Test {
 protected:
  gradlog::testing::TempDeviceRoot root;
};

TEST_F(DeviceFilesTest, DevicePathsStayUnderTheRoot) {
  EXPECT_EQ(MapDevicePath("C_DRIVE\\KELINI\\Z601CX.INI"), root.SettingsPath());
  // A handheld's absolute path does not escape to the host's root.
  EXPECT_EQ(MapDevicePath("\\Storage Card\\x"), root.Path() / "Storage Card" / "x");
  EXPECT_EQ(MapDevicePath("\\\\/etc/passwd"), root.Path() / "etc" / "passwd");
  EXPECT_EQ(MapDevicePath("\\"), root.Path());
  EXPECT_EQ(MapDevicePath(""), root.Path());
}

TEST_F(DeviceFilesTest, WriteReadReplaceDeleteAndFailures) {
  ASSERT_TRUE(CreateDirectoryPath("A\\B"));
  EXPECT_TRUE(CreateDirectoryPath("A\\B"));  // existing already is no error
  root.WriteFile(root.Path() / "A/B/f.txt", "a longer old content");
  {
    std::optional<File> out = File::CreateAlways("A\\B\\f.txt");
    ASSERT_TRUE(out.has_value());
    EXPECT_TRUE(out->Write(std::string_view("hello\r\n")));
    out->Close();
    EXPECT_FALSE(out->Write(std::string_view("late")));
  }
  std::optional<File> in = File::OpenExisting("A\\B\\f.txt");
  ASSERT_TRUE(in.has_value());
  std::array<char, 32> buffer{};
  ASSERT_EQ(in->Read(buffer), 7u);
  EXPECT_EQ(std::string(buffer.data(), 7), "hello\r\n");
  EXPECT_EQ(in->Read(buffer), 0u);

  EXPECT_TRUE(DeleteFile("A\\B\\f.txt"));
  EXPECT_FALSE(FileExists("A\\B\\f.txt"));
  EXPECT_FALSE(DeleteFile("A\\B"));  // folders are not files
  EXPECT_TRUE(DirectoryExists("A\\B"));

  std::filesystem::create_directory(root.Path() / "folder");
  root.WriteFile(root.Path() / "plain", "x");
  EXPECT_FALSE(File::OpenExisting("missing.txt").has_value());
  EXPECT_FALSE(File::OpenExisting("folder").has_value());
  EXPECT_FALSE(File::CreateAlways("folder").has_value());
  EXPECT_FALSE(File::CreateAlways("nowhere\\f.txt").has_value());
  EXPECT_FALSE(CreateDirectoryPath("plain\\sub"));
  EXPECT_FALSE(CreateDirectoryPath("plain"));
}

}  // namespace
}  // namespace platform
