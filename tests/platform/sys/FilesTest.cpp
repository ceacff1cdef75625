#include "platform/sys/Files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  std::string Bytes() const { return root.ReadFile(root.Path() / "f.dat"); }

  gradlog::testing::TempDeviceRoot root;
};

TEST_F(FilesTest, TruncateMovesTheNextWriteToTheNewEnd) {
  std::optional<File> file = File::CreateAlways("f.dat");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->WritePartial(std::string_view("0123456789")), 10u);
  EXPECT_TRUE(file->Truncate(4));
  EXPECT_EQ(Bytes(), "0123");
  EXPECT_EQ(file->WritePartial(std::string_view("ab")), 2u);
  EXPECT_EQ(Bytes(), "0123ab");
  EXPECT_EQ(file->SeekToEnd(), 6u);
  EXPECT_TRUE(file->SyncData());
  file->Close();
  EXPECT_EQ(file->WritePartial(std::string_view("late")), 0u);
  EXPECT_FALSE(file->Truncate(0));
  EXPECT_EQ(file->SeekToEnd(), std::nullopt);
  EXPECT_FALSE(file->SyncData());
  EXPECT_EQ(Bytes(), "0123ab");
}

TEST_F(FilesTest, SeekToEndGivesTheSizeOfAFileWithContent) {
  root.WriteFile(root.Path() / "f.dat", std::string(54, 'x'));
  std::optional<File> file = File::OpenExisting("f.dat");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->SeekToEnd(), 54u);
}

TEST_F(FilesTest, WriteToAFullDeviceWritesNothing) {
  const int probe = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  if (probe < 0)
    GTEST_SKIP() << "/dev/full cannot be opened here";
  ::close(probe);
  std::filesystem::create_symlink("/dev/full", root.Path() / "full");
  std::optional<File> file = File::CreateAlways("full");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->WritePartial(std::string_view("record")), 0u);
  EXPECT_FALSE(file->Write(std::string_view("record")));
}

}  // namespace
}  // namespace platform
