#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The settings file a first start leaves, line by line (index 0 is line 1).
inline std::vector<std::string> FirstStartLines() {
  return {"Ver1.34",
          // lines 2..8: instrument, sensors, units, port, audio, pause key
          "1", "2", "0", "0", "0", "1", "0",
          // 9..16 channels shown, 17..24 thickness, 25..32 colours
          "1", "1", "1", "1", "1", "1", "1", "1",                            //
          "2", "3", "4", "1", "2", "4", "3", "1",                            //
          "16711680", "65280", "255", "16711935", "16776960", "65535",       //
          "32896", "8421376",                                                //
          "0", "0.000000", "2000.000000",                                    // 33..35
          "1", "0", "1", "1", "1", "0", "0", "0",                            // 36..43 GPS port
          "0.000000", "10.000000", "0",                                      // 44..46
          "1.000000", "0.200000", "2.000000", "0.200000",                    // 47..50
          "0", "1.000000", "0", "1", "0.000000", "0",                        // 51..56
          "1", "4", "3", "16711680", "255", "65280",                         // 57..62 map
          "1", "0", "0", "1.500000", "10", "1", "1", "1", "5", "4.000000"};  // 63..72
}

inline std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines)
    out += line + "\r\n";
  return out;
}

}  // namespace testing_support
