#include "gps/TrackSentences.h"

#include <array>

#include "gps/GpsDataTypes.h"
#include "gps/PositionFields.h"
#include "gps/SentenceCheck.h"
#include "gps/SentenceFields.h"
#include "gps/TotalStationLabels.h"

namespace gradlog {

namespace {

// Where a sentence keeps its angles and their hemisphere letters.
struct AngleLayout {
  std::int32_t latitude;
  std::int32_t latitudeHemisphere;
  std::int32_t longitude;
  std::int32_t longitudeHemisphere;
};

// Where a sentence keeps its grid coordinates.
struct GridLayout {
  std::int32_t north;
  std::int32_t east;
};

constexpr AngleLayout GGA_ANGLES{3, 4, 5, 6};
constexpr AngleLayout POS_ANGLES{6, 7, 8, 9};
constexpr AngleLayout GLL_ANGLES{2, 3, 4, 5};
constexpr AngleLayout GGK_ANGLES{5, 6, 7, 8};
constexpr GridLayout LOCAL_GRID{6, 4};
constexpr GridLayout LEICA_GRID{3, 5};

enum class Style { Gga, Angles, Grid, TotalStation };

struct TagRule {
  std::string_view tag;
  Style style;
  AngleLayout angles{};
};

// In this order, so that the last tag of the list that a text carries gives its position.
// The run's own file matches the proprietary GGK by its "PTNL" address, so that a "GPGGK"
// sentence gives the logged track nothing; an external file is matched on "GGK" alone.
std::array<TagRule, 7> RulesFor(TrackSource source) {
  return {{{"GGA", Style::Gga, GGA_ANGLES},
           {"POS", Style::Angles, POS_ANGLES},
           {"LLK", Style::Grid},
           {"LLQ", Style::Grid},
           {"GLL", Style::Angles, GLL_ANGLES},
           {source == TrackSource::Logged ? "PTNL,GGK" : "GGK", Style::Angles, GGK_ANGLES},
           {">", Style::TotalStation}}};
}

// +1 or -1 from a hemisphere field; nullopt when the field may not be used.
std::optional<int> HemisphereSign(std::optional<std::string_view> field, char positive,
                                  char negative, TrackSource source) {
  const char letter = field && !field->empty() ? field->front() : '\0';
  if (letter == negative)
    return -1;
  if (letter == positive || source == TrackSource::Logged)
    return 1;
  return std::nullopt;
}

std::optional<double> SignedAngle(std::string_view text, std::int32_t angleField,
                                  std::int32_t hemisphereField, std::size_t degreeDigits,
                                  char positive, char negative, TrackSource source) {
  const std::optional<std::string_view> field = GetSentenceField(text, angleField);
  const std::optional<double> degrees =
      field ? AngleFieldDegrees(*field, degreeDigits) : std::nullopt;
  const std::optional<int> sign =
      HemisphereSign(GetSentenceField(text, hemisphereField), positive, negative, source);
  if (!degrees || !sign)
    return std::nullopt;
  return *sign * *degrees;
}

std::optional<PlanePoint> FromAngles(std::string_view text, const AngleLayout& layout,
                                     const TrackDecoding& decoding) {
  const std::optional<double> latitude =
      SignedAngle(text, layout.latitude, layout.latitudeHemisphere, LATITUDE_DEGREE_DIGITS, 'N',
                  'S', decoding.source);
  const std::optional<double> longitude =
      SignedAngle(text, layout.longitude, layout.longitudeHemisphere, LONGITUDE_DEGREE_DIGITS, 'E',
                  'W', decoding.source);
  if (!latitude || !longitude)
    return std::nullopt;
  return ToLocalPlane(*latitude, *longitude, decoding.eastScale, decoding.distanceUnits);
}

std::optional<PlanePoint> FromGrid(std::string_view text, const GridLayout& layout,
                                   double unitFactor) {
  const std::optional<std::string_view> northField = GetSentenceField(text, layout.north);
  const std::optional<std::string_view> eastField = GetSentenceField(text, layout.east);
  const std::optional<double> north = northField ? GridFieldValue(*northField) : std::nullopt;
  const std::optional<double> east = eastField ? GridFieldValue(*eastField) : std::nullopt;
  if (!north || !east)
    return std::nullopt;
  return PlanePoint{.north = *north * unitFactor, .east = *east * unitFactor};
}

std::optional<PlanePoint> FromTotalStation(std::string_view text) {
  const std::optional<double> north = TotalStationLabelValue(text, TOTAL_STATION_NORTH_LABEL);
  const std::optional<double> east = TotalStationLabelValue(text, TOTAL_STATION_EAST_LABEL);
  if (!north || !east)
    return std::nullopt;
  return PlanePoint{.north = *north, .east = *east};
}

std::optional<PlanePoint> Decode(std::string_view text, const TagRule& rule,
                                 const TrackDecoding& decoding) {
  const double feetFactor = decoding.distanceUnits != 0 ? FEET_PER_METRE : 1.0;
  switch (rule.style) {
    case Style::Gga:
      if (decoding.gpsDataType == GPS_DATA_TYPE_LEICA_TPS) {
        return FromGrid(text, LEICA_GRID,
                        GridUnitFactor(text, GPS_DATA_TYPE_LEICA_TPS, decoding.distanceUnits));
      }
      return FromAngles(text, rule.angles, decoding);
    case Style::Angles:
      return FromAngles(text, rule.angles, decoding);
    case Style::Grid:
      return FromGrid(text, LOCAL_GRID, feetFactor);
    case Style::TotalStation:
      return FromTotalStation(text);
  }
  return std::nullopt;
}

}  // namespace

std::optional<PlanePoint> DecodeTrackSentence(std::string_view text,
                                              const TrackDecoding& decoding) {
  std::optional<PlanePoint> position;
  for (const TagRule& rule : RulesFor(decoding.source)) {
    if (text.find(rule.tag) == std::string_view::npos)
      continue;
    if (const std::optional<PlanePoint> decoded = Decode(text, rule, decoding))
      position = decoded;
  }
  return position;
}

bool CarriesTrackTag(std::string_view text, TrackSource source) {
  for (const TagRule& rule : RulesFor(source)) {
    if (text.find(rule.tag) != std::string_view::npos)
      return true;
  }
  return false;
}

bool ExternalSentenceUsable(std::string_view text, std::int32_t gpsDataType) {
  if (text.find('*') == std::string_view::npos)
    return false;
  return gpsDataType >= GPS_DATA_TYPE_LEICA_TPS || ChecksumMatches(text);
}

}  // namespace gradlog
