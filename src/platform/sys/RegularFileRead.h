#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

enum class FileReadStatus {
  Read,            // `bytes` holds the whole file
  Missing,         // nothing stands at the name
  NotRegularFile,  // a folder, FIFO, device, socket, or a link to one or to nothing
  TooLarge,        // more than the bytes asked for at most
  Failed,          // the system refused; `reason` says why
};

struct FileReadResult {
  FileReadStatus status = FileReadStatus::Missing;
  std::string bytes;
  std::error_code reason;
};

// Reads the whole file at `devicePath` when it is a regular file (links followed) of at most
// `maxBytes`, in blocks. Anything else is not read: a FIFO or device is never opened in a way
// that could wait, and a file that keeps growing stops being read past the limit.
FileReadResult ReadRegularFile(std::string_view devicePath, std::size_t maxBytes);

}  // namespace platform
