#include "platform/sys/RegularFileRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDeviceRoot.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using gradlog::testing::TempDeviceRoot;

constexpr std::size_t LIMIT = 16;

// What a case puts at <root>/f before "f" is read.
struct ReadCase {
  const char* what;
  std::function<void(const fs::path& f)> make;
  FileReadStatus status;
  std::string bytes;
};

void Write(const fs::path& path, const std::string& bytes) {
  TempDeviceRoot::WriteFile(path, bytes);
}

TEST(RegularFileRead, ReadsOnlyRegularFilesWithinTheLimit) {
  const std::vector<ReadCase> cases{
      {"a file", [](const fs::path& f) { Write(f, "Ver1.34\r\n"); }, FileReadStatus::Read,
       "Ver1.34\r\n"},
      {"an empty file", [](const fs::path& f) { Write(f, ""); }, FileReadStatus::Read, ""},
      {"a file of the limit", [](const fs::path& f) { Write(f, std::string(LIMIT, 'x')); },
       FileReadStatus::Read, std::string(LIMIT, 'x')},
      {"a byte beyond the limit", [](const fs::path& f) { Write(f, std::string(LIMIT + 1, 'x')); },
       FileReadStatus::TooLarge, ""},
      {"a link to a file",
       [](const fs::path& f) {
         Write(f.parent_path() / "target", "linked");
         fs::create_symlink("target", f);
       },
       FileReadStatus::Read, "linked"},
      {"nothing", [](const fs::path&) {}, FileReadStatus::Missing, ""},
      {"a link to nothing", [](const fs::path& f) { fs::create_symlink("gone", f); },
       FileReadStatus::NotRegularFile, ""},
      {"a folder", [](const fs::path& f) { fs::create_directory(f); },
       FileReadStatus::NotRegularFile, ""},
      {"a FIFO without a writer",
       [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); },
       FileReadStatus::NotRegularFile, ""},
      {"a link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
       FileReadStatus::NotRegularFile, ""},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    TempDeviceRoot root;
    c.make(root.Path() / "f");
    const FileReadResult result = ReadRegularFile("f", LIMIT);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.bytes, c.bytes);
  }
}

TEST(RegularFileRead, PathThroughAFileIsMissing) {
  TempDeviceRoot root;
  Write(root.Path() / "plain", "x");
  EXPECT_EQ(ReadRegularFile("plain\\f", LIMIT).status, FileReadStatus::Missing);
}

TEST(RegularFileRead, FileOfSeveralBlocksIsReadWhole) {
  TempDeviceRoot root;
  std::string bytes;
  for (int i = 0; bytes.size() < 3 * 4096 + 7; ++i)
    bytes += std::to_string(i) + "\r\n";
  Write(root.Path() / "f", bytes);
  EXPECT_EQ(ReadRegularFile("f", bytes.size()).bytes, bytes);
  EXPECT_EQ(ReadRegularFile("f", bytes.size() - 1).status, FileReadStatus::TooLarge);
}

}  // namespace
}  // namespace platform
