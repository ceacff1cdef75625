#include "platform/sys/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>

#include "platform/sys/DevicePaths.h"

namespace platform {

namespace {

// Enough tries to pass temporary files left behind by crashed runs that had the same pid.
constexpr int TEMPORARY_NAME_TRIES = 100;

FileError ErrorFromErrno(std::string step) {
  return FileError{std::move(step), std::error_code(errno, std::generic_category())};
}

// A descriptor closed on every path out; Close reports what close(2) says, since some file
// systems report a failed write only there.
class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (fd_ >= 0)
      ::close(fd_);
  }

  int Fd() const { return fd_; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_;
};

// Creates a new file beside `path` under a name no other writer uses: the pid and a counter.
// Its mode is an ordinary new file's (0644 less the umask), as the old one had when first written.
int CreateTemporaryFile(const std::filesystem::path& path, std::filesystem::path& temporary) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < TEMPORARY_NAME_TRIES; ++attempt) {
    temporary = path;
    temporary += "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    int fd;
    do {
      fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, std::span<const char> bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0) {
      if (count == 0)
        errno = EIO;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(count));
  }
  return true;
}

bool SyncFd(int fd) {
  int result;
  do {
    result = ::fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

// Writes the whole temporary file and makes it durable.
std::optional<FileError> FillTemporaryFile(OpenFile& file, std::span<const char> bytes) {
  if (!WriteAll(file.Fd(), bytes))
    return ErrorFromErrno("writing");
  if (!SyncFd(file.Fd()))
    return ErrorFromErrno("syncing");
  if (!file.Close())
    return ErrorFromErrno("closing");
  return std::nullopt;
}

// Makes the rename durable. A file system without folder sync (EINVAL) gives nothing better.
std::optional<FileError> SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return ErrorFromErrno("opening the folder to sync it");
  OpenFile open(fd);
  if (!SyncFd(fd) && errno != EINVAL)
    return ErrorFromErrno("syncing the folder");
  return std::nullopt;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::filesystem::path folder = path.parent_path();
  return folder.empty() ? std::filesystem::path(".") : folder;
}

}  // namespace

std::optional<FileError> ReplaceFile(std::string_view devicePath, std::span<const char> bytes) {
  const std::filesystem::path path = MapDevicePath(devicePath);
  std::filesystem::path temporary;
  const int fd = CreateTemporaryFile(path, temporary);
  if (fd < 0)
    return ErrorFromErrno("creating a temporary file");
  OpenFile file(fd);
  std::optional<FileError> failure = FillTemporaryFile(file, bytes);
  if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0)
    failure = ErrorFromErrno("renaming the temporary file");
  if (failure) {
    ::unlink(temporary.c_str());
    return failure;
  }
  return SyncFolder(FolderOf(path));
}

std::optional<FileError> RenameFile(std::string_view devicePath, std::string_view newDevicePath) {
  if (::rename(MapDevicePath(devicePath).c_str(), MapDevicePath(newDevicePath).c_str()) != 0)
    return ErrorFromErrno("renaming");
  return std::nullopt;
}

}  // namespace platform
