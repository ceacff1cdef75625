#include "platform/sys/BatteryReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "platform/sys/TempFolder.h"

namespace platform {
namespace {

// A power-supply folder in a fresh temporary directory, laid out as the kernel's.
class BatteryReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(root_); }

  void AddSupply(const std::string& name, const std::map<std::string, std::string>& attributes) {
    const auto folder = root_ / name;
    std::filesystem::create_directories(folder);
    // The kernel ends every attribute with a newline.
    for (const auto& [attribute, value] : attributes)
      std::ofstream(folder / attribute) << value << "\n";
  }

  TempFolder folder_;
  const std::filesystem::path scratch_ = folder_.Path();
  const std::filesystem::path root_ = scratch_ / "power_supply";
};

void ExpectStatus(const BatteryStatus& status, bool onMains, bool charging, int percent) {
  EXPECT_EQ(status.onMains, onMains);
  EXPECT_EQ(status.charging, charging);
  EXPECT_EQ(status.percent, percent);
}

TEST_F(BatteryReaderTest, MachineWithoutPowerSupplyFolderIsOnMainsWithUnknownPercent) {
  ExpectStatus(ReadBatteryStatus(scratch_ / "absent"), true, false, -1);
  ExpectStatus(ReadBatteryStatus(root_), true, false, -1);
}

TEST_F(BatteryReaderTest, RootThatIsAFileReadsAsNoBattery) {
  std::ofstream(scratch_ / "file") << "Battery\n";
  ExpectStatus(ReadBatteryStatus(scratch_ / "file"), true, false, -1);
}

TEST_F(BatteryReaderTest, MainsOnlyMachineIsOnMains) {
  AddSupply("AC", {{"type", "Mains"}, {"online", "1"}});
  ExpectStatus(ReadBatteryStatus(root_), true, false, -1);
}

TEST_F(BatteryReaderTest, DischargingBatteryWithChargerUnplugged) {
  AddSupply("AC", {{"type", "Mains"}, {"online", "0"}});
  AddSupply("BAT0", {{"type", "Battery"}, {"capacity", "57"}, {"status", "Discharging"}});
  ExpectStatus(ReadBatteryStatus(root_), false, false, 57);
}

TEST_F(BatteryReaderTest, ChargingBatteryWithChargerPlugged) {
  AddSupply("AC", {{"type", "Mains"}, {"online", "1"}});
  AddSupply("BAT0", {{"type", "Battery"}, {"capacity", "83"}, {"status", "Charging"}});
  ExpectStatus(ReadBatteryStatus(root_), true, true, 83);
}

TEST_F(BatteryReaderTest, FullBatteryOnUsbPowerIsOnMainsButNotCharging) {
  AddSupply("usb", {{"type", "USB"}, {"online", "1"}});
  AddSupply("battery", {{"type", "Battery"}, {"capacity", "100"}, {"status", "Full"}});
  ExpectStatus(ReadBatteryStatus(root_), true, false, 100);
}

TEST_F(BatteryReaderTest, ChargingBatteryImpliesExternalPowerEvenWhenChargerIsNotListed) {
  AddSupply("BAT1", {{"type", "Battery"}, {"capacity", "40"}, {"status", "Charging"}});
  ExpectStatus(ReadBatteryStatus(root_), true, true, 40);
}

TEST_F(BatteryReaderTest, PeripheralBatteryIsNotTheMachines) {
  AddSupply(
      "hid-mouse-battery",
      {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "12"}, {"status", "Discharging"}});
  ExpectStatus(ReadBatteryStatus(root_), true, false, -1);
}

TEST_F(BatteryReaderTest, PercentFromChargeOrEnergyCountersWhenCapacityIsMissing) {
  AddSupply("BAT0", {{"type", "Battery"}, {"charge_now", "1500000"}, {"charge_full", "2000000"}});
  EXPECT_EQ(ReadBatteryStatus(root_).percent, 75);
  std::filesystem::remove_all(root_ / "BAT0");
  AddSupply("BAT0", {{"type", "Battery"}, {"energy_now", "10"}, {"energy_full", "40"}});
  EXPECT_EQ(ReadBatteryStatus(root_).percent, 25);
}

TEST_F(BatteryReaderTest, FirstBatteryByNameGivesThePercent) {
  AddSupply("BAT1", {{"type", "Battery"}, {"capacity", "20"}, {"status", "Discharging"}});
  AddSupply("BAT0", {{"type", "Battery"}, {"capacity", "90"}, {"status", "Discharging"}});
  EXPECT_EQ(ReadBatteryStatus(root_).percent, 90);
}

TEST_F(BatteryReaderTest, GarbageCapacityGivesUnknownPercentNeverACrash) {
  const char* garbage[] = {"",    "abc",  "57abc",   "-3", "101", "99999999999999999999999",
                           "5 7", "0x40", "\xff\xfe"};
  for (const char* capacity : garbage) {
    SCOPED_TRACE(std::string("capacity: \"") + capacity + "\"");
    std::filesystem::remove_all(root_ / "BAT0");
    AddSupply("BAT0", {{"type", "Battery"}, {"capacity", capacity}, {"status", "Discharging"}});
    ExpectStatus(ReadBatteryStatus(root_), false, false, -1);
  }
}

TEST_F(BatteryReaderTest, GarbageCountersGiveUnknownPercent) {
  const std::map<std::string, std::string> cases[] = {
      {{"charge_now", "5"}, {"charge_full", "0"}},
      {{"charge_now", "50"}, {"charge_full", "40"}},
      {{"energy_now", "-1"}, {"energy_full", "40"}},
      {{"energy_now", "x"}, {"energy_full", "40"}},
      {{"charge_now", "10"}},
  };
  for (const auto& counters : cases) {
    SCOPED_TRACE(counters.begin()->first + "=" + counters.begin()->second);
    std::filesystem::remove_all(root_ / "BAT0");
    auto attributes = counters;
    attributes["type"] = "Battery";
    AddSupply("BAT0", attributes);
    EXPECT_EQ(ReadBatteryStatus(root_).percent, -1);
  }
}

TEST_F(BatteryReaderTest, UnreadableTypeOrOnlineIsIgnored) {
  AddSupply("odd", {{"online", "1"}});
  AddSupply("AC", {{"type", "Mains"}, {"online", "yes"}});
  AddSupply("BAT0", {{"type", "Battery"}, {"capacity", "33"}});
  ExpectStatus(ReadBatteryStatus(root_), false, false, 33);
}

}  // namespace
}  // namespace platform
