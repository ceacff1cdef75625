#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

namespace platform {

// An open file on the device, by device path. Closed on destruction. Where a call takes an
// `error`, a failure puts the system's reason there (errno, for a message to the user).
class File {
 public:
  static std::optional<File> OpenExisting(std::string_view devicePath,
                                          std::error_code* error = nullptr);  // read only
  static std::optional<File> CreateAlways(std::string_view devicePath,
                                          std::error_code* error = nullptr);  // write, truncated
  // Read and write, a new file only: fails (file_exists) when anything stands at the name, a
  // link to nothing included. Every write goes to the end of the file.
  static std::optional<File> CreateNew(std::string_view devicePath,
                                       std::error_code* error = nullptr);
  // Read and write, the file as it is or created when missing. Every write goes to the end of
  // the file, also when another descriptor has written there meanwhile.
  static std::optional<File> OpenForAppend(std::string_view devicePath,
                                           std::error_code* error = nullptr);

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
  std::size_t WritePartial(std::span<const char> bytes, std::error_code* error = nullptr);
  // Cuts the file to `length` bytes and moves the position there, so the next write
  // continues at the new end.
  bool Truncate(std::uint64_t length);
  // Moves the position to the end of the file; the new position, or nothing on failure.
  std::optional<std::uint64_t> SeekToEnd();
  // Makes the data written so far durable (fdatasync); false when the disk refused.
  bool SyncData(std::error_code* error = nullptr);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  explicit File(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// Creates the folder and any missing parents; true when it exists afterwards. A file standing
// where the folder or one of its parents should be gives not_a_directory.
bool CreateDirectoryPath(std::string_view devicePath, std::error_code* error = nullptr);
bool DirectoryExists(std::string_view devicePath);
bool FileExists(std::string_view devicePath);
bool DeleteFile(std::string_view devicePath);

}  // namespace platform
