#include "platform/sys/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <utility>

#include "platform/sys/DevicePaths.h"

namespace platform {

namespace {

void SetError(std::error_code* error, int code) {
  if (error != nullptr)
    *error = std::error_code(code, std::generic_category());
}

int OpenDevicePath(std::string_view devicePath, int flags, std::error_code* error) {
  const std::filesystem::path path = MapDevicePath(devicePath);
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0)
    SetError(error, errno);
  return fd;
}

}  // namespace

std::optional<File> File::OpenExisting(std::string_view devicePath, std::error_code* error) {
  const int fd = OpenDevicePath(devicePath, O_RDONLY, error);
  if (fd < 0)
    return std::nullopt;
  // A folder opens for reading on Linux but is no file: callers expect a readable file.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    SetError(error, S_ISDIR(info.st_mode) ? EISDIR : errno);
    ::close(fd);
    return std::nullopt;
  }
  return File(fd);
}

std::optional<File> File::CreateAlways(std::string_view devicePath, std::error_code* error) {
  const int fd = OpenDevicePath(devicePath, O_WRONLY | O_CREAT | O_TRUNC, error);
  if (fd < 0)
    return std::nullopt;
  return File(fd);
}

std::optional<File> File::CreateNew(std::string_view devicePath, std::error_code* error) {
  const int fd = OpenDevicePath(devicePath, O_RDWR | O_CREAT | O_EXCL | O_APPEND, error);
  if (fd < 0)
    return std::nullopt;
  return File(fd);
}

std::optional<File> File::OpenForAppend(std::string_view devicePath, std::error_code* error) {
  const int fd = OpenDevicePath(devicePath, O_RDWR | O_CREAT | O_APPEND, error);
  if (fd < 0)
    return std::nullopt;
  return File(fd);
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

File::~File() {
  Close();
}

std::size_t File::Read(std::span<char> buffer) {
  if (fd_ < 0 || buffer.empty())
    return 0;
  ssize_t count;
  do {
    count = ::read(fd_, buffer.data(), buffer.size());
  } while (count < 0 && errno == EINTR);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::size_t File::ReadAt(std::uint64_t offset, std::span<char> buffer) {
  std::size_t done = 0;
  while (fd_ >= 0 && done < buffer.size()) {
    const std::uint64_t at = offset + done;
    if (at < offset || at > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
      break;
    const ssize_t count =
        ::pread(fd_, buffer.data() + done, buffer.size() - done, static_cast<off_t>(at));
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0)
      break;
    done += static_cast<std::size_t>(count);
  }
  return done;
}

bool File::Write(std::span<const char> bytes) {
  return fd_ >= 0 && WritePartial(bytes) == bytes.size();
}

std::size_t File::WritePartial(std::span<const char> bytes, std::error_code* error) {
  if (fd_ < 0) {
    SetError(error, EBADF);
    return 0;
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0) {
      // A write that takes nothing without a reason is as good as a full disk.
      SetError(error, count < 0 ? errno : ENOSPC);
      break;
    }
    written += static_cast<std::size_t>(count);
  }
  return written;
}

bool File::Truncate(std::uint64_t length) {
  if (fd_ < 0 || length > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
    return false;
  const auto offset = static_cast<off_t>(length);
  int result;
  do {
    result = ::ftruncate(fd_, offset);
  } while (result != 0 && errno == EINTR);
  return result == 0 && ::lseek(fd_, offset, SEEK_SET) == offset;
}

std::optional<std::uint64_t> File::SeekToEnd() {
  if (fd_ < 0)
    return std::nullopt;
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (end < 0)
    return std::nullopt;
  return static_cast<std::uint64_t>(end);
}

bool File::SyncData(std::error_code* error) {
  if (fd_ < 0) {
    SetError(error, EBADF);
    return false;
  }
  int result;
  do {
    result = ::fdatasync(fd_);
  } while (result != 0 && errno == EINTR);
  if (result != 0)
    SetError(error, errno);
  return result == 0;
}

void File::Close() {
  if (fd_ >= 0) {
    ::close(std::exchange(fd_, -1));
  }
}

bool CreateDirectoryPath(std::string_view devicePath, std::error_code* error) {
  const std::filesystem::path path = MapDevicePath(devicePath);
  std::error_code created;
  std::filesystem::create_directories(path, created);
  std::error_code looked;
  if (std::filesystem::is_directory(path, looked))
    return true;
  // A file where the folder should be is no folder, whatever the library made of it.
  if (error != nullptr)
    *error = created && created != std::errc::file_exists
                 ? created
                 : std::make_error_code(std::errc::not_a_directory);
  return false;
}

bool DirectoryExists(std::string_view devicePath) {
  std::error_code error;
  return std::filesystem::is_directory(MapDevicePath(devicePath), error);
}

bool FileExists(std::string_view devicePath) {
  std::error_code error;
  const std::filesystem::file_status status =
      std::filesystem::status(MapDevicePath(devicePath), error);
  return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool DeleteFile(std::string_view devicePath) {
  return ::unlink(MapDevicePath(devicePath).c_str()) == 0;
}

}  // namespace platform
