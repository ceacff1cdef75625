#include "gps/BlockReads.h"

namespace gradlog {

BlockReadAt BytesReadAt(std::string_view bytes) {
  return [bytes](std::uint64_t offset, std::span<char> buffer) -> std::size_t {
    if (offset >= bytes.size())
      return 0;
    return bytes.substr(static_cast<std::size_t>(offset)).copy(buffer.data(), buffer.size());
  };
}

BlockReadAt FileReadAt(platform::File& file) {
  return
      [&file](std::uint64_t offset, std::span<char> buffer) { return file.ReadAt(offset, buffer); };
}

}  // namespace gradlog
