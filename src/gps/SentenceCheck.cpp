#include "gps/SentenceCheck.h"

#include <algorithm>
#include <cstdlib>

#include "gps/GpsDataTypes.h"

namespace gradlog {

namespace {

// The tag as text: the array holds up to three letters and a terminator.
std::string_view TagText(const GpsSentenceSelection& selection) {
  const auto end = std::find(selection.tag.begin(), selection.tag.end(), '\0');
  return std::string_view(selection.tag.data(),
                          static_cast<std::size_t>(end - selection.tag.begin()));
}

// Anywhere in the text, as receivers put talker prefixes ("GP", "GN") or a proprietary
// address ("$PASHR,POS") before it. No selection (an empty tag) matches nothing.
bool Contains(std::string_view sentence, std::string_view tag) {
  return !tag.empty() && sentence.find(tag) != std::string_view::npos;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

SentenceVerdict FixOrTooSoon(std::uint32_t tick, std::int32_t displayIntervalMs, GpsFix& fix) {
  // Signed, so that the wrap of the tick count reads as the short interval it is; in 64 bits,
  // so that the absolute value of the most negative difference exists.
  const std::int64_t sinceLastFix = static_cast<std::int32_t>(tick - fix.lastFixTick);
  if (std::abs(sinceLastFix) <= displayIntervalMs)
    return {.recordCase = SentenceCase::TooSoon};
  fix.lastFixTick = tick;
  fix.gsaPending = 1;
  return {.recordCase = SentenceCase::Fix, .decodeFix = true};
}

}  // namespace

bool IsFramedSentence(std::string_view sentence) {
  return sentence.starts_with('$') && sentence.find('*') != std::string_view::npos;
}

bool ChecksumMatches(std::string_view sentence) {
  if (!IsFramedSentence(sentence))
    return false;
  unsigned computed = 0;
  for (const char c : sentence.substr(1, sentence.find('*') - 1))
    computed ^= static_cast<unsigned char>(c);
  const std::string_view number = sentence.substr(sentence.rfind('*') + 1);
  unsigned received = 0;
  std::size_t digits = 0;
  for (; digits < number.size() && HexDigitValue(number[digits]) >= 0; ++digits) {
    received = received * 16 + static_cast<unsigned>(HexDigitValue(number[digits]));
    // Beyond a byte no XOR can match; stopping here also keeps a long number from overflowing.
    if (received > 0xFF)
      return false;
  }
  return digits > 0 && received == computed;
}

SentenceMarkers MarkersFor(SentenceCase recordCase) {
  switch (recordCase) {
    case SentenceCase::Bad:
      return {.first = '?', .continuation = '"', .end = '!', .status = ' ', .counted = false};
    case SentenceCase::Fix:
      return {.status = 'p', .counted = true};
    case SentenceCase::TooSoon:
    case SentenceCase::LeicaWithoutTag:
      return {.counted = true};
    case SentenceCase::GsaAfterFix:
    case SentenceCase::NotRecorded:
      return {};
  }
  return {};
}

SentenceVerdict ClassifySentence(std::string_view sentence, std::uint32_t tick,
                                 const GpsSentenceSelection& selection, std::int32_t gpsDataType,
                                 std::int32_t displayIntervalMs, GpsFix& fix) {
  if (!IsFramedSentence(sentence))
    return {.recordCase = SentenceCase::Bad};
  const std::string_view tag = TagText(selection);
  if (gpsDataType == GPS_DATA_TYPE_LEICA_TPS) {
    // The total station's checksum is not compared, and its other sentences are recorded too.
    if (!Contains(sentence, tag))
      return {.recordCase = SentenceCase::LeicaWithoutTag};
    return FixOrTooSoon(tick, displayIntervalMs, fix);
  }
  if (!ChecksumMatches(sentence))
    return {.recordCase = SentenceCase::Bad};
  if (Contains(sentence, tag))
    return FixOrTooSoon(tick, displayIntervalMs, fix);
  if (gpsDataType == GPS_DATA_TYPE_GGA_GSA && fix.gsaPending != 0 && Contains(sentence, "GSA")) {
    fix.gsaPending = 0;
    return {.recordCase = SentenceCase::GsaAfterFix, .decodeGsa = true};
  }
  return {};
}

}  // namespace gradlog
