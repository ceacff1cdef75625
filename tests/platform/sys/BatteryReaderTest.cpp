#include "platform/sys/BatteryReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/TempFolder.h"

namespace platform {
namespace {

using Supply = std::pair<std::string, std::map<std::string, std::string>>;

Supply Battery(const char* name, const char* capacity, const char* status = "Discharging") {
  return {name, {{"type", "Battery"}, {"capacity", capacity}, {"status", status}}};
}

// A battery that reports only the "charge" or "energy" counters its capacity comes from.
Supply Counters(const std::string& kind, const char* now, const char* full) {
  return {"BAT0", {{"type", "Battery"}, {kind + "_now", now}, {kind + "_full", full}}};
}

std::string Text(const BatteryStatus& s) {
  return "mains " + std::to_string(s.onMains) + ", charging " + std::to_string(s.charging) +
         ", percent " + std::to_string(s.percent);
}

// Lays the supplies out as the kernel does, one folder each, in a fresh temporary folder.
BatteryStatus ReadFakeSupplies(const std::vector<Supply>& supplies) {
  const testing_support::TempFolder root;
  for (const auto& [name, attributes] : supplies) {
    for (const auto& [attribute, value] : attributes)
      root.WriteFile(root.Path() / name / attribute, value + "\n");
  }
  return ReadBatteryStatus(root.Path().string());
}

TEST(BatteryReaderTest, ReadsMainsAndBatteryState) {
  const Supply mainsOn{"AC", {{"type", "Mains"}, {"online", "1"}}};
  const Supply mainsOff{"AC", {{"type", "Mains"}, {"online", "0"}}};
  const Supply usbOn{"usb", {{"type", "USB"}, {"online", "1"}}};
  const struct {
    const char* description;
    std::vector<Supply> supplies;
    BatteryStatus expected;
  } cases[] = {
      {"empty folder: no battery", {}, {true, false, -1}},
      {"mains only", {mainsOn}, {true, false, -1}},
      {"battery 57% discharging", {mainsOff, Battery("BAT0", "57")}, {false, false, 57}},
      {"battery charging", {mainsOn, Battery("BAT0", "83", "Charging")}, {true, true, 83}},
      {"charging without a listed charger", {Battery("BAT1", "40", "Charging")}, {true, true, 40}},
      {"full battery on USB power", {usbOn, Battery("BAT0", "100", "Full")}, {true, false, 100}},
      {"a mouse battery is not the machine's",
       {{"hid-mouse", {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "12"}}}},
       {true, false, -1}},
      {"first battery by name", {Battery("BAT1", "20"), Battery("BAT0", "90")}, {false, false, 90}},
      {"charge counters", {Counters("charge", "1500", "2000")}, {false, false, 75}},
      {"energy counters", {Counters("energy", "10", "40")}, {false, false, 25}},
      {"garbage counters", {Counters("charge", "5", "0")}, {false, false, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(Text(ReadFakeSupplies(c.supplies)), Text(c.expected));
  }
  EXPECT_EQ(Text(ReadBatteryStatus("/nonexistent/gradlog/power_supply")), Text({true, false, -1}));
  for (const char* capacity : {"", "abc", "57abc", "-3", "101", "99999999999999999999", "\xff"}) {
    SCOPED_TRACE(std::string("capacity \"") + capacity + "\"");
    EXPECT_EQ(Text(ReadFakeSupplies({Battery("BAT0", capacity)})), Text({false, false, -1}));
  }
}

}  // namespace
}  // namespace platform
