#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "gps/LocalPlane.h"

namespace gradlog {

// Which track a recorded sentence is read for. The logged track holds the run's own fixes,
// which passed every test when they arrived, and reads their hemisphere letters leniently;
// an external file is anyone's, so a sentence with a missing field or a hemisphere letter
// that is not one of the axis's two gives no position there.
enum class TrackSource { Logged, External };

// How the sentences of a track are read and converted.
struct TrackDecoding {
  TrackSource source = TrackSource::Logged;
  std::int32_t gpsDataType = 0;    // of the file the sentence comes from
  double eastScale = 1.0;          // EastScaleAt the run's origin latitude
  std::int32_t distanceUnits = 0;  // the run's: 0 metres, else feet
};

// The local position a recorded sentence text (without its record markers) gives, in the
// run's units; nullopt when it gives none. Every known tag that occurs in the text is
// decoded, and the last that gives a position wins: GGA of every talker (grid coordinates
// from fields 3 and 5 when gpsDataType is "Leica TPS"), POS, LLK, LLQ, GLL, Trimble GGK and
// the total station's '>' record, which needs both its north and east labels.
std::optional<PlanePoint> DecodeTrackSentence(std::string_view text, const TrackDecoding& decoding);

// Whether the text carries one of the tags DecodeTrackSentence reads for `source`: the
// sentences an external file's thinning counts as positions.
bool CarriesTrackTag(std::string_view text, TrackSource source);

// Whether a sentence of an external data file may be used: it holds a '*', and its checksum
// matches unless the file's gpsDataType is "Leica TPS" or later (whose sentences are recorded
// unchecked).
bool ExternalSentenceUsable(std::string_view text, std::int32_t gpsDataType);

}  // namespace gradlog
