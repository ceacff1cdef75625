#pragma once

#include <cstdint>

namespace gradlog {

// Messages the reader threads hand to the logging window.
inline constexpr std::uint32_t UM_EM61MK2_DATA = 0x40A;
inline constexpr std::uint32_t UM_GPS_FIX = 0x40B;
inline constexpr std::uint32_t UM_EM_DATA = 0x40C;
inline constexpr std::uint32_t UM_EM61_DATA = 0x40D;
inline constexpr std::uint32_t UM_G823_DATA = 0x40E;
inline constexpr std::uint32_t UM_TPS_POSITION = 0x40F;
inline constexpr std::uint32_t UM_GPS_GSA = 0x410;
inline constexpr std::uint32_t UM_GPS_SENTENCE = 0x411;
inline constexpr std::uint32_t UM_GRAD_DATA = 0x412;
// Posted to the main window when the program is told to end from outside (SIGTERM, SIGINT).
inline constexpr std::uint32_t UM_END_PROGRAM = 0x420;
// Posted by the GPS monitor's reader to the monitor window: one line for its list.
inline constexpr std::uint32_t UM_GPS_MONITOR_LINE = 0x421;

}  // namespace gradlog
