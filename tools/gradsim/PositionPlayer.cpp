#include "gradsim/PositionPlayer.h"

#include <algorithm>
#include <numeric>

namespace gradsim {

namespace {

constexpr int SKY_SIZE = 15;

std::vector<SatelliteInView> MakeSky(Random& random) {
  std::vector<int> prns(32);
  std::iota(prns.begin(), prns.end(), 1);
  std::vector<SatelliteInView> sky;
  for (int i = 0; i < SKY_SIZE; ++i) {
    const auto pick = static_cast<std::size_t>(random.Integer(i, 31));
    std::swap(prns[static_cast<std::size_t>(i)], prns[pick]);
    sky.push_back({.prn = prns[static_cast<std::size_t>(i)],
                   .elevation = random.Integer(5, 85),
                   .azimuth = random.Integer(0, 359)});
  }
  // Receivers use the highest satellites first.
  std::sort(sky.begin(), sky.end(), [](const SatelliteInView& a, const SatelliteInView& b) {
    return a.elevation > b.elevation;
  });
  return sky;
}

}  // namespace

PositionPlayer::PositionPlayer(GpsType type, const GeoPoint& origin, const WalkerSettings& walk,
                               Random& random)
    : type_(type), origin_(origin), walk_(walk), receiver_(type, random), sky_(MakeSky(random)) {}

std::vector<std::string> PositionPlayer::FixAt(double seconds,
                                               std::chrono::system_clock::time_point utc,
                                               bool withExtras, Random& random) {
  const WalkerPosition where = WalkerAt(walk_, seconds);
  FixSnapshot snapshot;
  snapshot.utc = ToUtcStamp(utc);
  snapshot.localEast = where.east;
  snapshot.localNorth = where.north;
  snapshot.position = LocalToGeo(origin_, where.east, where.north);
  snapshot.heightM = 45.0 + 0.02 * where.north;
  snapshot.speedMps = walk_.speed;
  snapshot.courseDegrees = where.courseDegrees;
  snapshot.fix = receiver_.NextFix(random);
  for (SatelliteInView& satellite : sky_)
    satellite.snr = std::clamp(28 + satellite.elevation / 4 + random.Integer(-3, 3), 20, 52);
  snapshot.sky = sky_;
  return PositionSentences(type_, snapshot, withExtras);
}

}  // namespace gradsim
