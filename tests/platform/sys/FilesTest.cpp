#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "platform/sys/DevicePaths.h"
#include "platform/sys/FileReplace.h"
#include "platform/sys/Files.h"
#include "platform/sys/RegularFileRead.h"
#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using gradlog::testing::TempDeviceRoot;

using Names = std::set<std::string>;

class FilesTest : public ::testing::Test {
 protected:
  // The names in the root, to see that no temporary file stays behind.
  Names NamesInRoot() const {
    Names names;
    for (const fs::directory_entry& entry : fs::directory_iterator(root.Path()))
      names.insert(entry.path().filename().string());
    return names;
  }
  std::string Read(const std::string& name) const { return root.ReadFile(root.Path() / name); }

  TempDeviceRoot root;
};
using FileReplaceTest = FilesTest;

TEST_F(FilesTest, DevicePathsStayUnderTheRoot) {
  EXPECT_EQ(MapDevicePath("C_DRIVE\\KELINI\\Z601CX.INI"), root.SettingsPath());
  // A handheld's absolute path does not escape to the host's root.
  EXPECT_EQ(MapDevicePath("\\Storage Card\\x"), root.Path() / "Storage Card" / "x");
  EXPECT_EQ(MapDevicePath("\\\\/etc/passwd"), root.Path() / "etc" / "passwd");
  EXPECT_EQ(MapDevicePath(""), root.Path());
}

// Creating, writing and the failures of writes are tested with the data file, which uses them.
TEST_F(FilesTest, FoldersAreMadeOnTheWayAndAClosedFileRefusesEverything) {
  ASSERT_TRUE(CreateDirectoryPath("A\\B"));
  EXPECT_TRUE(CreateDirectoryPath("A\\B"));  // existing already is no error
  EXPECT_TRUE(DirectoryExists("A\\B"));
  root.WriteFile(root.Path() / "plain", "x");
  EXPECT_FALSE(CreateDirectoryPath("plain\\sub"));
  EXPECT_FALSE(CreateDirectoryPath("plain"));
  EXPECT_FALSE(DirectoryExists("plain"));
  std::optional<File> file = File::CreateAlways("A\\B\\f.dat");
  ASSERT_TRUE(file.has_value());
  EXPECT_TRUE(file->Write(std::string_view("0123")));
  file->Close();
  EXPECT_EQ(file->WritePartial(std::string_view("late")), 0u);
  EXPECT_FALSE(file->Truncate(0));
  EXPECT_EQ(file->SeekToEnd(), std::nullopt);
  EXPECT_FALSE(file->SyncData());
  EXPECT_EQ(Read("A/B/f.dat"), "0123");
}

TEST_F(FilesTest, ReadAtReadsFromAnOffsetAndLeavesThePositionAlone) {
  root.WriteFile(root.Path() / "f.dat", "0123456789");
  std::optional<File> file = File::OpenExisting("f.dat");
  ASSERT_TRUE(file.has_value());
  const struct {
    std::uint64_t offset;
    std::size_t size;
    std::string bytes;
  } cases[] = {
      {0, 4, "0123"},
      {6, 4, "6789"},
      {8, 4, "89"},  // fewer at the end
      {10, 4, ""},
      {3, 0, ""},
      {std::uint64_t{1} << 62, 4, ""},  // beyond any offset the system takes
      {~std::uint64_t{0} - 1, 4, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.offset) + " + " + std::to_string(c.size));
    std::string buffer(c.size, '\0');
    const std::size_t count = file->ReadAt(c.offset, buffer);
    EXPECT_EQ(buffer.substr(0, count), c.bytes);
  }
  std::string start(3, '\0');
  EXPECT_EQ(file->Read(start), 3u);
  EXPECT_EQ(start, "012");
  file->Close();
  EXPECT_EQ(file->ReadAt(0, start), 0u);
}

std::error_code Errno(int error) {
  return std::error_code(error, std::generic_category());
}

// The data file's calls, which say why they failed for the message to the operator.
TEST_F(FilesTest, NewFilesAndFilesOpenedForAppendingTellWhyTheyFailed) {
  std::error_code error;
  root.WriteFile(root.Path() / "plain", "x");
  EXPECT_FALSE(CreateDirectoryPath("plain", &error));
  EXPECT_EQ(error, Errno(ENOTDIR));
  error.clear();
  EXPECT_FALSE(CreateDirectoryPath("plain\\sub", &error));
  EXPECT_EQ(error, Errno(ENOTDIR));

  ASSERT_TRUE(File::CreateNew("new.601", &error).has_value());
  EXPECT_EQ(File::CreateNew("new.601", &error), std::nullopt);
  EXPECT_EQ(error, Errno(EEXIST));
  fs::create_symlink("nowhere", root.Path() / "link.601");
  EXPECT_EQ(File::CreateNew("link.601", &error), std::nullopt);
  EXPECT_EQ(error, Errno(EEXIST));
  EXPECT_FALSE(fs::exists(root.Path() / "nowhere"));
  EXPECT_EQ(File::OpenForAppend("gone\\f.601", &error), std::nullopt);
  EXPECT_EQ(error, Errno(ENOENT));
  EXPECT_EQ(File::OpenExisting("gone.601", &error), std::nullopt);
  EXPECT_EQ(error, Errno(ENOENT));
  EXPECT_EQ(File::OpenExisting("", &error), std::nullopt);
  EXPECT_EQ(error, Errno(EISDIR));
}

// Two descriptors of one file, as at a pause while a reader still writes through the old one:
// each write goes to the end, none over another.
TEST_F(FilesTest, FilesOpenedForAppendingWriteAtTheEndWhateverElseWrote) {
  std::optional<File> first = File::CreateNew("f.601");
  std::optional<File> second = File::OpenForAppend("f.601");
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(first->WriteText("1"));
  EXPECT_TRUE(second->WriteText("2"));
  EXPECT_TRUE(first->WriteText("3"));
  EXPECT_TRUE(first->Truncate(2));
  EXPECT_TRUE(second->WriteText("4"));
  EXPECT_EQ(Read("f.601"), "124");
  std::optional<File> again = File::OpenForAppend("f.601");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->SeekToEnd(), 3u);
  EXPECT_TRUE(again->WriteText("5"));
  EXPECT_EQ(Read("f.601"), "1245");
  // Missing, it is made.
  EXPECT_TRUE(File::OpenForAppend("made.601").has_value());
  EXPECT_TRUE(fs::exists(root.Path() / "made.601"));
}

TEST_F(FileReplaceTest, ReplacesALinkAtTheNameWithoutFollowingIt) {
  root.WriteFile(root.Path() / "target", "kept");
  fs::create_symlink("target", root.Path() / "f.ini");
  EXPECT_EQ(ReplaceFile("f.ini", std::string_view("new")), std::nullopt);
  EXPECT_FALSE(fs::is_symlink(root.Path() / "f.ini"));
  EXPECT_EQ(Read("f.ini"), "new");
  EXPECT_EQ(Read("target"), "kept");
  EXPECT_EQ(NamesInRoot(), (Names{"f.ini", "target"}));
}

TEST_F(FileReplaceTest, FailureLeavesWhatStoodAndNoTemporaryFile) {
  // A folder with something in it cannot be renamed over, not even by root.
  root.WriteFile(root.Path() / "f.ini" / "inside", "old");
  const std::optional<FileError> failure = ReplaceFile("f.ini", std::string_view("new"));
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->Message().rfind("renaming the temporary file: ", 0), 0u);
  EXPECT_EQ(Read("f.ini/inside"), "old");
  EXPECT_EQ(NamesInRoot(), Names{"f.ini"});

  const std::optional<FileError> noFolder = ReplaceFile("missing\\f.ini", std::string_view("x"));
  ASSERT_TRUE(noFolder.has_value());
  EXPECT_EQ(noFolder->step, "creating a temporary file");
  EXPECT_EQ(noFolder->reason, std::error_code(ENOENT, std::generic_category()));
  EXPECT_EQ(NamesInRoot(), Names{"f.ini"});
}

TEST(RegularFileRead, ReadsOnlyRegularFilesWithinTheLimitAndNeverBlocks) {
  // Several blocks of the reader's, so that a single read() would not get them all.
  std::string blocks;
  for (int i = 0; blocks.size() < 3 * 4096 + 7; ++i)
    blocks += std::to_string(i) + "\r\n";
  const std::size_t limit = blocks.size();
  const auto file = [](std::string bytes) {
    return [bytes](const fs::path& f) { TempDeviceRoot::WriteFile(f, bytes); };
  };
  const struct {
    const char* what;
    std::function<void(const fs::path& f)> make;  // puts it at <root>/f
    FileReadStatus status;
    std::string bytes;
  } cases[] = {
      {"a file", file("Ver1.34\r\n"), FileReadStatus::Read, "Ver1.34\r\n"},
      {"a file of the limit", file(blocks), FileReadStatus::Read, blocks},
      {"a byte beyond the limit", file(blocks + "x"), FileReadStatus::TooLarge, ""},
      {"a link to a file",
       [](const fs::path& f) {
         TempDeviceRoot::WriteFile(f.parent_path() / "target", "linked");
         fs::create_symlink("target", f);
       },
       FileReadStatus::Read, "linked"},
      {"nothing", [](const fs::path&) {}, FileReadStatus::Missing, ""},
      {"a link to nothing", [](const fs::path& f) { fs::create_symlink("gone", f); },
       FileReadStatus::NotRegularFile, ""},
      {"a FIFO without a writer",
       [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); },
       FileReadStatus::NotRegularFile, ""},
      {"a link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
       FileReadStatus::NotRegularFile, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDeviceRoot root;
    c.make(root.Path() / "f");
    const FileReadResult result = ReadRegularFile("f", limit);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.bytes, c.bytes);
  }
  TempDeviceRoot root;
  TempDeviceRoot::WriteFile(root.Path() / "plain", "x");
  EXPECT_EQ(ReadRegularFile("plain\\f", limit).status, FileReadStatus::Missing);
}

}  // namespace
}  // namespace platform
