#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

// An open file on the device, by device path. Closed on destruction.
class File {
 public:
  static std::optional<File> OpenExisting(std::string_view devicePath);  // read only
  static std::optional<File> CreateAlways(std::string_view devicePath);  // write, truncated

  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // Bytes read: 0 at end of file or on failure.
  std::size_t Read(std::span<char> buffer);
  // Bytes read from `offset` on, without moving the position: fewer than asked only at the
  // end of the file or on a failure.
  std::size_t ReadAt(std::uint64_t offset, std::span<char> buffer);
  // True when every byte was written.
  bool Write(std::span<const char> bytes);
  bool WriteText(std::string_view text) {
    return Write(std::span<const char>(text.data(), text.size()));
  }
  // Bytes written before the first error (all of them on success); a full disk or a file
  // size limit can stop a write part of the way.
  std::size_t WritePartial(std::span<const char> bytes);
  // Cuts the file to `length` bytes and moves the position there, so the next write
  // continues at the new end.
  bool Truncate(std::uint64_t length);
  // Moves the position to the end of the file; the new position, or nothing on failure.
  std::optional<std::uint64_t> SeekToEnd();
  // Makes the data written so far durable (fdatasync); false when the disk refused.
  bool SyncData();
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateDirectoryPath(std::string_view devicePath);
bool DirectoryExists(std::string_view devicePath);
bool FileExists(std::string_view devicePath);
bool DeleteFile(std::string_view devicePath);

}  // namespace platform
