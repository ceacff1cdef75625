#include "platform/sys/RegularFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <filesystem>

#include "platform/sys/DevicePaths.h"

namespace platform {

namespace {

constexpr std::size_t READ_BLOCK_SIZE = 4096;

FileReadResult Status(FileReadStatus status) {
  return FileReadResult{.status = status};
}

FileReadResult FailureFromErrno() {
  return FileReadResult{.status = FileReadStatus::Failed,
                        .reason = std::error_code(errno, std::generic_category())};
}

// What stands at a name that stat(2) cannot follow: nothing, or a link to nothing.
FileReadResult ClassifyUnfollowable(const std::filesystem::path& path) {
  if (errno != ENOENT && errno != ENOTDIR)
    return FailureFromErrno();
  struct stat link {};
  return Status(::lstat(path.c_str(), &link) == 0 ? FileReadStatus::NotRegularFile
                                                  : FileReadStatus::Missing);
}

FileReadResult ReadOpenFile(int fd, std::size_t maxBytes) {
  // Checked again on the open file: the name may have been replaced since the first look.
  struct stat info {};
  if (::fstat(fd, &info) != 0)
    return FailureFromErrno();
  if (!S_ISREG(info.st_mode))
    return Status(FileReadStatus::NotRegularFile);
  if (static_cast<std::uintmax_t>(info.st_size) > maxBytes)
    return Status(FileReadStatus::TooLarge);
  FileReadResult result{.status = FileReadStatus::Read};
  std::array<char, READ_BLOCK_SIZE> block;
  for (;;) {
    const ssize_t count = ::read(fd, block.data(), block.size());
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      return FailureFromErrno();
    if (count == 0)
      return result;
    result.bytes.append(block.data(), static_cast<std::size_t>(count));
    if (result.bytes.size() > maxBytes)
      return Status(FileReadStatus::TooLarge);
  }
}

}  // namespace

FileReadResult ReadRegularFile(std::string_view devicePath, std::size_t maxBytes) {
  const std::filesystem::path path = MapDevicePath(devicePath);
  // A look before opening, since opening a FIFO or a serial device already acts on it.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return ClassifyUnfollowable(path);
  if (!S_ISREG(info.st_mode))
    return Status(FileReadStatus::NotRegularFile);
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0)
    return FailureFromErrno();
  FileReadResult result = ReadOpenFile(fd, maxBytes);
  ::close(fd);
  return result;
}

}  // namespace platform
