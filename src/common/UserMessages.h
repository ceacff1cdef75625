#pragma once

#include <cstdint>

namespace gradlog {

// Messages the reader threads hand to the logging window.
inline constexpr std::uint32_t UM_GRAD_DATA = 0x412;

}  // namespace gradlog
