#pragma once

namespace gradsim {

struct WalkerSettings {
  double lineLength = 30.0;  // metres
  double lineSpacing = 1.0;  // metres
  double speed = 1.0;        // metres per second
};

// Where the operator is, in metres east and north of the start of the first line.
struct WalkerPosition {
  double east = 0.0;
  double north = 0.0;
  int line = 0;                // 0 for the first line
  bool onLine = true;          // false while stepping across to the next line
  double courseDegrees = 0.0;  // 0 north, 90 east, 180 south
};

// Survey lines walked back and forth: line 1 north, a step east, line 2 south, and so on.
WalkerPosition WalkerAt(const WalkerSettings& settings, double seconds);

}  // namespace gradsim
