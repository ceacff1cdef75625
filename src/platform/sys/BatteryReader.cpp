#include "platform/sys/BatteryReader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace platform {

namespace {

// First line of a sysfs attribute without surrounding blanks; empty when unreadable.
std::string ReadAttribute(const std::filesystem::path& supply, const char* name) {
  std::ifstream in(supply / name);
  std::string line;
  if (!in || !std::getline(in, line))
    return {};
  const auto first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos)
    return {};
  const auto last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

std::optional<std::int64_t> ReadNumber(const std::filesystem::path& supply, const char* name) {
  const std::string text = ReadAttribute(supply, name);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return {};
  return value;
}

std::optional<int> PercentOf(std::optional<std::int64_t> now, std::optional<std::int64_t> full) {
  if (!now || !full || *now < 0 || *full <= 0 || *now > *full)
    return {};
  return static_cast<int>(*now * 100 / *full);
}

// Some batteries report no "capacity", only the charge or energy counters it comes from.
std::optional<int> ReadPercent(const std::filesystem::path& supply) {
  std::error_code error;
  if (std::filesystem::exists(supply / "capacity", error)) {
    const auto capacity = ReadNumber(supply, "capacity");
    if (!capacity || *capacity < 0 || *capacity > 100)
      return {};
    return static_cast<int>(*capacity);
  }
  if (auto percent = PercentOf(ReadNumber(supply, "charge_now"), ReadNumber(supply, "charge_full")))
    return percent;
  return PercentOf(ReadNumber(supply, "energy_now"), ReadNumber(supply, "energy_full"));
}

bool IsExternalPowerType(const std::string& type) {
  return type == "Mains" || type.starts_with("USB") || type == "Wireless";
}

std::vector<std::filesystem::path> SupplyFolders(const std::filesystem::path& root) {
  std::vector<std::filesystem::path> supplies;
  std::error_code error;
  std::filesystem::directory_iterator it(root, error);
  if (error)
    return supplies;
  for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
    if (error)
      break;
    supplies.push_back(it->path());
  }
  // Directory order is arbitrary; sorting makes "the first battery" the same on every call.
  std::sort(supplies.begin(), supplies.end());
  return supplies;
}

}  // namespace

BatteryStatus ReadBatteryStatus(const std::filesystem::path& powerSupplyRoot) {
  bool externalPowerOnline = false;
  bool batteryFound = false;
  bool charging = false;
  std::optional<int> percent;
  for (const auto& supply : SupplyFolders(powerSupplyRoot)) {
    const std::string type = ReadAttribute(supply, "type");
    if (IsExternalPowerType(type)) {
      if (ReadNumber(supply, "online") == 1)
        externalPowerOnline = true;
      continue;
    }
    // A battery of scope "Device" powers a peripheral (a wireless mouse), not this machine.
    if (type != "Battery" || ReadAttribute(supply, "scope") == "Device")
      continue;
    batteryFound = true;
    if (ReadAttribute(supply, "status") == "Charging")
      charging = true;
    if (!percent)
      percent = ReadPercent(supply);
  }
  BatteryStatus status;
  status.charging = charging;
  status.percent = percent.value_or(-1);
  // A charging battery has power from somewhere even when the charger is not listed.
  status.onMains = externalPowerOnline || charging || !batteryFound;
  return status;
}

}  // namespace platform
