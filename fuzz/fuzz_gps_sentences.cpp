// Any byte stream on the GPS port, read as each of the eight NMEA sentence types: framing,
// checks, decoding and the run's positions never crash, and what they hand on holds.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "gps/FixDecoder.h"
#include "gps/FixMotion.h"
#include "gps/GpsState.h"
#include "gps/LocalPlane.h"
#include "gps/SentenceCheck.h"
#include "gps/SentenceFramer.h"
#include "gps/SentenceSelection.h"

namespace {

using namespace gradlog;

constexpr std::int32_t NMEA_TYPES = 8;
constexpr std::int32_t AT_2_HZ_MS = 410;
constexpr std::string_view NOT_AVAILABLE = "     N/A     ";

void Check(bool condition) {
  if (!condition)
    std::abort();
}

bool FiniteOrAbsent(const std::optional<double>& value) {
  return !value || std::isfinite(*value);
}

struct TypeRun {
  GpsSentenceSelection selection;
  GpsFix fix;
};

void CheckDecodedFix(const DecodedFix& decoded) {
  Check(FiniteOrAbsent(decoded.north) && FiniteOrAbsent(decoded.east));
  Check(!decoded.latitude || std::abs(*decoded.latitude) < 101.0);
  Check(!decoded.longitude || std::abs(*decoded.longitude) < 1001.0);
  Check(!decoded.timeOfDay || (*decoded.timeOfDay >= 0.0 && *decoded.timeOfDay < 86401.0));
  if (!decoded.valid)
    Check(decoded.texts.coordinate1 == NOT_AVAILABLE && decoded.texts.coordinate2 == NOT_AVAILABLE);
}

// What the fix handler does with a valid position: the first one sets the run's east scale.
void TakePosition(TypeRun& run, const DecodedFix& decoded, std::int32_t distanceUnits) {
  std::optional<PlanePoint> position;
  if (decoded.latitude && decoded.longitude) {
    if (run.fix.haveOrigin == 0)
      run.fix.eastScale = EastScaleAt(*decoded.latitude);
    position =
        ToLocalPlane(*decoded.latitude, *decoded.longitude, run.fix.eastScale, distanceUnits);
  } else if (decoded.north && decoded.east) {
    position = PlanePoint{.north = *decoded.north, .east = *decoded.east};
  }
  if (!position)
    return;
  AdvanceFix(run.fix, *position, decoded.timeOfDay);
  Check(std::isfinite(run.fix.speed) && run.fix.speed >= 0.0f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1)
    return 0;
  const std::int32_t distanceUnits = data[0] % 3;
  std::array<TypeRun, NMEA_TYPES> runs{};
  for (std::int32_t type = 0; type < NMEA_TYPES; ++type)
    SelectGpsSentence(runs[static_cast<std::size_t>(type)].selection, type);
  SentenceFramer framer;
  // 5 ms a byte: a sentence of 70 characters comes 350 ms after the last, so the display
  // interval lets some through and holds others back; the tick wraps after 800 bytes.
  std::uint32_t tick = 0xFFFFF000u;
  for (std::size_t i = 1; i < size; ++i) {
    tick += 5;
    const auto sentence = framer.Feed(static_cast<char>(data[i]), tick);
    if (!sentence)
      continue;
    Check(sentence->starts_with('$') && sentence->size() <= SentenceFramer::MAX_SENTENCE_LENGTH);
    Check(sentence->find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos);
    for (std::int32_t type = 0; type < NMEA_TYPES; ++type) {
      TypeRun& run = runs[static_cast<std::size_t>(type)];
      const SentenceVerdict verdict = ClassifySentence(*sentence, framer.SentenceStartTick(),
                                                       run.selection, type, AT_2_HZ_MS, run.fix);
      Check(verdict.decodeFix == (verdict.recordCase == SentenceCase::Fix));
      Check(verdict.decodeGsa == (verdict.recordCase == SentenceCase::GsaAfterFix));
      if (verdict.recordCase != SentenceCase::Bad)
        Check(IsFramedSentence(*sentence));
      if (verdict.decodeGsa)
        GsaPdopText(*sentence);
      // Every sentence, not only the fixes: the decoder must stand any text.
      const DecodedFix decoded = DecodeFix(*sentence, run.selection, type, distanceUnits);
      CheckDecodedFix(decoded);
      if (decoded.valid)
        TakePosition(run, decoded, distanceUnits);
      GpsWarningApplies(run.fix, 1, type, 1, 4.0f, 5);
    }
  }
  return 0;
}
