#pragma once

#include <filesystem>

#include "platform/sys/SystemServices.h"

namespace platform {

inline constexpr const char* POWER_SUPPLY_ROOT = "/sys/class/power_supply";

// Battery and mains state from a power-supply folder laid out as the kernel's (one folder per
// supply with "type", "online", "capacity", "status" files). A missing or unreadable folder
// reads as a machine without a battery: on mains, percent -1.
BatteryStatus ReadBatteryStatus(const std::filesystem::path& powerSupplyRoot);

}  // namespace platform
