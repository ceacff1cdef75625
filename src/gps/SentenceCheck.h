#pragma once

#include <cstdint>
#include <string_view>

#include "gps/GpsState.h"

namespace gradlog {

// Starts with '$' and holds a '*': the frame every sentence the handler accepts has.
bool IsFramedSentence(std::string_view sentence);

// The XOR of the characters after the '$' up to the first '*' equals the hexadecimal number
// after the last '*' (either case; parsing stops at the first non-digit). False for a text
// that is not framed, and for a missing or over-long number.
bool ChecksumMatches(std::string_view sentence);

// How one sentence is recorded in the data file.
enum class SentenceCase {
  NotRecorded,      // a good sentence of no use (another type, a GSA not after a fix)
  Bad,              // not framed, or a wrong checksum
  Fix,              // the selected sentence, taken as a fix
  TooSoon,          // the selected sentence within the display interval of the last fix
  GsaAfterFix,      // "GGA/GSA": the first GSA after a fix
  LeicaWithoutTag,  // "Leica TPS": a sentence other than the selected one
};

// The markers of a case's record group and whether it counts in gpsRecordCount.
struct SentenceMarkers {
  char first = '@';
  char continuation = '#';
  char end = '!';
  char status = ' ';
  bool counted = false;
};
SentenceMarkers MarkersFor(SentenceCase recordCase);

// What the handler does with one sentence.
struct SentenceVerdict {
  SentenceCase recordCase = SentenceCase::NotRecorded;
  bool decodeFix = false;  // send UM_GPS_FIX
  bool decodeGsa = false;  // send UM_GPS_GSA
};

// Checks and sorts one sentence that arrived at `tick`. A sentence taken as a fix stores
// `tick` in fix.lastFixTick and sets fix.gsaPending; the first GSA after it ("GGA/GSA" only)
// clears gsaPending. The interval test compares the absolute signed difference of the ticks
// with `displayIntervalMs`.
SentenceVerdict ClassifySentence(std::string_view sentence, std::uint32_t tick,
                                 const GpsSentenceSelection& selection, std::int32_t gpsDataType,
                                 std::int32_t displayIntervalMs, GpsFix& fix);

}  // namespace gradlog
