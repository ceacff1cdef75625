#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "platform/sys/Files.h"

namespace gradlog {

// Reads up to `buffer.size()` bytes at `offset`: fewer only at the end or on a failure. The
// track files are walked through this, so that a walk can start again at the beginning and
// tests can hand over bytes held in memory.
using BlockReadAt = std::function<std::size_t(std::uint64_t offset, std::span<char> buffer)>;

// Reads from `bytes`, which must outlive the function.
BlockReadAt BytesReadAt(std::string_view bytes);
// Reads from `file`, which must stay open while the function is used.
BlockReadAt FileReadAt(platform::File& file);

}  // namespace gradlog
