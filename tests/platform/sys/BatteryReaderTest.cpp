#include "platform/sys/BatteryReader.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

using Attributes = std::map<std::string, std::string>;

struct Supply {
  std::string name;
  Attributes attributes;
};

struct BatteryCase {
  const char* description;
  std::vector<Supply> supplies;
  BatteryStatus expected;
};

// Lays the supplies out as the kernel does, one folder each, in a fresh temporary folder.
BatteryStatus ReadFakeSupplies(const std::vector<Supply>& supplies) {
  std::string scratch = (std::filesystem::temp_directory_path() / "gradlog-power-XXXXXX");
  if (mkdtemp(scratch.data()) == nullptr)
    throw std::runtime_error("no temp folder");
  for (const auto& supply : supplies) {
    std::filesystem::create_directories(scratch + "/" + supply.name);
    for (const auto& [attribute, value] : supply.attributes)
      std::ofstream(scratch + "/" + supply.name + "/" + attribute) << value << "\n";
  }
  const BatteryStatus status = ReadBatteryStatus(scratch);
  std::filesystem::remove_all(scratch);
  return status;
}

TEST(BatteryReaderTest, ReadsMainsAndBatteryState) {
  const Supply mainsOn{"AC", {{"type", "Mains"}, {"online", "1"}}};
  const Supply mainsOff{"AC", {{"type", "Mains"}, {"online", "0"}}};
  const BatteryCase cases[] = {
      {"empty folder: no battery", {}, {true, false, -1}},
      {"mains only", {mainsOn}, {true, false, -1}},
      {"battery 57% discharging",
       {mainsOff, {"BAT0", {{"type", "Battery"}, {"capacity", "57"}, {"status", "Discharging"}}}},
       {false, false, 57}},
      {"battery charging",
       {mainsOn, {"BAT0", {{"type", "Battery"}, {"capacity", "83"}, {"status", "Charging"}}}},
       {true, true, 83}},
      {"full battery on USB power",
       {{"usb", {{"type", "USB"}, {"online", "1"}}},
        {"BAT0", {{"type", "Battery"}, {"capacity", "100"}, {"status", "Full"}}}},
       {true, false, 100}},
      {"charging without a listed charger",
       {{"BAT1", {{"type", "Battery"}, {"capacity", "40"}, {"status", "Charging"}}}},
       {true, true, 40}},
      {"a mouse battery is not the machine's",
       {{"hid-mouse", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "12"}}}},
       {true, false, -1}},
      {"first battery by name",
       {{"BAT1", {{"type", "Battery"}, {"capacity", "20"}}},
        {"BAT0", {{"type", "Battery"}, {"capacity", "90"}}}},
       {false, false, 90}},
      {"charge counters without capacity",
       {{"BAT0", {{"type", "Battery"}, {"charge_now", "1500"}, {"charge_full", "2000"}}}},
       {false, false, 75}},
      {"energy counters without capacity",
       {{"BAT0", {{"type", "Battery"}, {"energy_now", "10"}, {"energy_full", "40"}}}},
       {false, false, 25}},
      {"garbage counters",
       {{"BAT0", {{"type", "Battery"}, {"charge_now", "5"}, {"charge_full", "0"}}}},
       {false, false, -1}},
      {"unreadable online", {{"AC", {{"type", "Mains"}, {"online", "yes"}}}}, {true, false, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    const BatteryStatus status = ReadFakeSupplies(c.supplies);
    EXPECT_EQ(status.onMains, c.expected.onMains);
    EXPECT_EQ(status.charging, c.expected.charging);
    EXPECT_EQ(status.percent, c.expected.percent);
  }
}

TEST(BatteryReaderTest, MissingFolderIsAMachineWithoutBattery) {
  const BatteryStatus status = ReadBatteryStatus("/nonexistent/gradlog/power_supply");
  EXPECT_TRUE(status.onMains);
  EXPECT_EQ(status.percent, -1);
}

TEST(BatteryReaderTest, GarbageCapacityGivesUnknownPercentNeverACrash) {
  for (const char* capacity : {"", "abc", "57abc", "-3", "101", "99999999999999999999", "\xff"}) {
    SCOPED_TRACE(std::string("capacity \"") + capacity + "\"");
    const BatteryStatus status =
        ReadFakeSupplies({{"BAT0", {{"type", "Battery"}, {"capacity", capacity}}}});
    EXPECT_FALSE(status.onMains);
    EXPECT_EQ(status.percent, -1);
  }
}

}  // namespace
}  // namespace platform
