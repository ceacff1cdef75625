#include "platform/sys/FileReplace.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>

#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  // The names in a folder, to see that no temporary file stays behind.
  std::set<std::string> NamesIn(const fs::path& folder) const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  }
  std::string Read(const std::string& name) const { return root.ReadFile(root.Path() / name); }

  gradlog::testing::TempDeviceRoot root;
};

TEST_F(FileReplaceTest, WritesANewFileAndReplacesAnOldOneWhole) {
  EXPECT_EQ(ReplaceFile("f.ini", std::string_view("first\r\n")), std::nullopt);
  EXPECT_EQ(Read("f.ini"), "first\r\n");
  EXPECT_EQ(ReplaceFile("f.ini", std::string_view("2")), std::nullopt);
  EXPECT_EQ(Read("f.ini"), "2");
  EXPECT_EQ(NamesIn(root.Path()), std::set<std::string>{"f.ini"});
}

TEST_F(FileReplaceTest, LinkAtTheNameIsReplacedAndItsTargetKept) {
  root.WriteFile(root.Path() / "target", "kept");
  fs::create_symlink("target", root.Path() / "f.ini");
  EXPECT_EQ(ReplaceFile("f.ini", std::string_view("new")), std::nullopt);
  EXPECT_FALSE(fs::is_symlink(root.Path() / "f.ini"));
  EXPECT_EQ(Read("f.ini"), "new");
  EXPECT_EQ(Read("target"), "kept");
}

TEST_F(FileReplaceTest, FailureLeavesWhatStoodAndNoTemporaryFile) {
  // A folder with something in it cannot be renamed over, not even by root.
  root.WriteFile(root.Path() / "f.ini" / "inside", "old");
  const std::optional<FileError> failure = ReplaceFile("f.ini", std::string_view("new"));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->step, "renaming the temporary file");
  EXPECT_EQ(failure->Message().rfind("renaming the temporary file: ", 0), 0u);
  EXPECT_EQ(Read("f.ini/inside"), "old");
  EXPECT_EQ(NamesIn(root.Path()), std::set<std::string>{"f.ini"});

  const std::optional<FileError> noFolder = ReplaceFile("missing\\f.ini", std::string_view("x"));
  ASSERT_TRUE(noFolder.has_value());
  EXPECT_EQ(noFolder->step, "creating a temporary file");
  EXPECT_EQ(noFolder->reason, std::error_code(ENOENT, std::generic_category()));
  EXPECT_EQ(NamesIn(root.Path()), std::set<std::string>{"f.ini"});
}

TEST_F(FileReplaceTest, RenameReplacesAnOlderFileOfTheNewName) {
  root.WriteFile(root.Path() / "f.ini", "bad bytes");
  root.WriteFile(root.Path() / "f.ini.bad", "older");
  EXPECT_EQ(RenameFile("f.ini", "f.ini.bad"), std::nullopt);
  EXPECT_EQ(NamesIn(root.Path()), std::set<std::string>{"f.ini.bad"});
  EXPECT_EQ(Read("f.ini.bad"), "bad bytes");
  const std::optional<FileError> failure = RenameFile("f.ini", "f.ini.bad");
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->reason, std::error_code(ENOENT, std::generic_category()));
  EXPECT_EQ(Read("f.ini.bad"), "bad bytes");
}

}  // namespace
}  // namespace platform
