#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace platform {

inline constexpr const char* MEMINFO_FILE = "/proc/meminfo";

// Bytes of memory available to a new program, from the text of /proc/meminfo: MemAvailable,
// or MemFree on kernels that predate it. 0 when neither can be read.
std::uint64_t ParseAvailableMemoryBytes(std::string_view meminfo);
std::uint64_t ReadAvailableMemoryBytes(const std::filesystem::path& meminfoFile);

}  // namespace platform
