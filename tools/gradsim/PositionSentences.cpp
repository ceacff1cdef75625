#include "gradsim/PositionSentences.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "gradsim/NmeaFormat.h"

namespace gradsim {

namespace {

constexpr double KNOTS_PER_MPS = 1.943844;
constexpr double KMH_PER_MPS = 3.6;
constexpr int SATELLITES_PER_GSV = 4;

using Lines = std::vector<std::string>;
using SentenceBuilder = void (*)(const FixSnapshot&, Lines&);

// Joins fields with commas; the first one is the address without its '$'.
class Fields {
 public:
  explicit Fields(std::string address) : text_(std::move(address)) {}
  Fields& Add(const std::string& field) {
    text_ += ',';
    text_ += field;
    return *this;
  }
  Fields& Add(char field) { return Add(std::string(1, field)); }
  Fields& Add(int field) { return Add(std::to_string(field)); }
  Fields& Add(double field, int decimals) { return Add(FormatFixed(field, decimals)); }
  Fields& AddDigits(int field, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, field);
    return Add(std::string(text));
  }
  Fields& AddTwoDigits(int field) { return AddDigits(field, 2); }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

std::string Latitude(const FixSnapshot& f, int decimals = 4) {
  return FormatLatitude(f.position.latitude, decimals);
}
std::string Longitude(const FixSnapshot& f, int decimals = 4) {
  return FormatLongitude(f.position.longitude, decimals);
}
char NorthSouth(const FixSnapshot& f) {
  return LatitudeHemisphere(f.position.latitude);
}
char EastWest(const FixSnapshot& f) {
  return LongitudeHemisphere(f.position.longitude);
}
bool Differential(const FixSnapshot& f) {
  return f.fix.quality == 2;
}

void BuildGga(const FixSnapshot& f, Lines& out) {
  Fields fields("GPGGA");
  fields.Add(FormatTimeOfDay(f.utc)).Add(Latitude(f)).Add(NorthSouth(f)).Add(Longitude(f));
  fields.Add(EastWest(f)).Add(f.fix.quality).AddTwoDigits(f.fix.satellites).Add(f.fix.hdop, 1);
  fields.Add(f.heightM, 1).Add('M').Add(47.3, 1).Add('M');
  fields.Add(Differential(f) ? "1.0" : "").Add(Differential(f) ? "0120" : "");
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildGsa(const FixSnapshot& f, Lines& out) {
  Fields fields("GPGSA");
  fields.Add('A').Add(3);
  const auto inUse = static_cast<std::size_t>(std::max(0, f.fix.satellites));
  for (std::size_t i = 0; i < 12; ++i)
    if (i < inUse && i < f.sky.size())
      fields.AddTwoDigits(f.sky[i].prn);
    else
      fields.Add("");
  fields.Add(f.fix.pdop, 2).Add(f.fix.hdop, 2).Add(f.fix.vdop, 2);
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildGsv(const FixSnapshot& f, Lines& out) {
  const int inView = static_cast<int>(
      std::min<std::size_t>(f.sky.size(), static_cast<std::size_t>(f.fix.satellites) + 3));
  const int count = std::max(1, (inView + SATELLITES_PER_GSV - 1) / SATELLITES_PER_GSV);
  for (int part = 0; part < count; ++part) {
    Fields fields("GPGSV");
    fields.Add(count).Add(part + 1).AddTwoDigits(inView);
    for (int i = part * SATELLITES_PER_GSV; i < std::min(inView, (part + 1) * SATELLITES_PER_GSV);
         ++i) {
      const SatelliteInView& s = f.sky[static_cast<std::size_t>(i)];
      fields.AddTwoDigits(s.prn).AddTwoDigits(s.elevation).AddDigits(s.azimuth, 3);
      fields.AddTwoDigits(s.snr);
    }
    out.push_back(NmeaSentence(fields.Text()));
  }
}

void BuildRmc(const FixSnapshot& f, Lines& out) {
  Fields fields("GPRMC");
  fields.Add(FormatTimeOfDay(f.utc)).Add('A').Add(Latitude(f)).Add(NorthSouth(f));
  fields.Add(Longitude(f)).Add(EastWest(f)).Add(f.speedMps * KNOTS_PER_MPS, 2);
  fields.Add(f.courseDegrees, 1).Add(FormatDateDmy(f.utc)).Add("").Add("");
  fields.Add(Differential(f) ? 'D' : 'A');
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildVtg(const FixSnapshot& f, Lines& out) {
  Fields fields("GPVTG");
  fields.Add(f.courseDegrees, 1).Add('T').Add("").Add('M');
  fields.Add(f.speedMps * KNOTS_PER_MPS, 2).Add('N').Add(f.speedMps * KMH_PER_MPS, 2).Add('K');
  fields.Add(Differential(f) ? 'D' : 'A');
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildGll(const FixSnapshot& f, Lines& out) {
  Fields fields("GPGLL");
  fields.Add(Latitude(f)).Add(NorthSouth(f)).Add(Longitude(f)).Add(EastWest(f));
  fields.Add(FormatTimeOfDay(f.utc)).Add('A').Add(Differential(f) ? 'D' : 'A');
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildPos(const FixSnapshot& f, Lines& out) {
  Fields fields("PASHR");
  fields.Add("POS").Add(f.fix.quality).AddTwoDigits(f.fix.satellites);
  fields.Add(FormatTimeOfDay(f.utc)).Add(Latitude(f)).Add(NorthSouth(f));
  fields.Add(Longitude(f)).Add(EastWest(f)).Add("+" + FormatFixed(f.heightM, 2)).Add("");
  fields.Add(f.courseDegrees, 1).Add(f.speedMps * KMH_PER_MPS, 1).Add("+0.0");
  fields.Add(f.fix.pdop, 1).Add(f.fix.hdop, 1).Add(f.fix.vdop, 1).Add(1.0, 1).Add("");
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildLocalGrid(const char* address, const FixSnapshot& f, Lines& out) {
  Fields fields(address);
  fields.Add(FormatTimeOfDay(f.utc)).Add(FormatDateMdy(f.utc));
  fields.Add(LLK_FALSE_EAST + f.localEast, 3).Add('M');
  fields.Add(LLK_FALSE_NORTH + f.localNorth, 3).Add('M');
  fields.Add(f.fix.quality).AddTwoDigits(f.fix.satellites).Add(f.fix.coordinateQualityM, 3);
  fields.Add(f.heightM, 3).Add('M');
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildLlk(const FixSnapshot& f, Lines& out) {
  BuildLocalGrid("GPLLK", f, out);
}

void BuildLlq(const FixSnapshot& f, Lines& out) {
  BuildLocalGrid("GPLLQ", f, out);
}

void BuildGgk(const FixSnapshot& f, Lines& out) {
  Fields fields("PTNL");
  fields.Add("GGK").Add(FormatTimeOfDay(f.utc)).Add(FormatDateMdy(f.utc));
  fields.Add(Latitude(f, 7)).Add(NorthSouth(f)).Add(Longitude(f, 7)).Add(EastWest(f));
  fields.Add(f.fix.quality).AddTwoDigits(f.fix.satellites).Add(f.fix.pdop, 1);
  fields.Add("EHT" + FormatFixed(f.heightM, 3)).Add('M');
  out.push_back(NmeaSentence(fields.Text()));
}

// A total station speaking NMEA: a GGA whose position fields hold site grid north and east.
void BuildLeicaTps(const FixSnapshot& f, Lines& out) {
  Fields fields("GPGGA");
  fields.Add(FormatTimeOfDay(f.utc)).Add(SITE_FALSE_NORTH + f.localNorth, 3).Add('N');
  fields.Add(SITE_FALSE_EAST + f.localEast, 3).Add('E').Add(1).AddTwoDigits(f.fix.satellites);
  fields.Add(f.fix.hdop, 1).Add(f.heightM, 3).Add('M').Add(0.0, 1).Add('M').Add("").Add("");
  out.push_back(NmeaSentence(fields.Text()));
}

void BuildTrimbleRecord(const FixSnapshot& f, Lines& out) {
  out.push_back(">37=" + FormatFixed(SITE_FALSE_NORTH + f.localNorth, 3) + "\r\n");
  out.push_back("38=" + FormatFixed(SITE_FALSE_EAST + f.localEast, 3) + "\r\n");
}

struct OutputStep {
  SentenceBuilder build;
  bool everyFix;
};

// Per type, in the order sent: the sentence the logger selects goes out every fix, the
// others (extras) once in a while, around it as real receivers interleave them.
const std::array<std::vector<OutputStep>, GPS_TYPE_COUNT>& OutputTable() {
  static const std::array<std::vector<OutputStep>, GPS_TYPE_COUNT> table = {{
      {{BuildGga, true},
       {BuildGsv, false},
       {BuildGsa, true},
       {BuildRmc, false},
       {BuildVtg, false}},                                                          // GGA/GSA
      {{BuildRmc, false}, {BuildGga, true}, {BuildGsa, false}, {BuildVtg, false}},  // GGA
      {{BuildPos, true}},                                                           // POS
      {{BuildLlk, true}},                                                           // LLK
      {{BuildLlq, true}},                                                           // LLQ
      {{BuildRmc, false}, {BuildGll, true}, {BuildVtg, false}},                     // GLL
      {{BuildGgk, true}},                                                           // GGK
      {{BuildLeicaTps, true}},                                                      // Leica TPS
      {{BuildTrimbleRecord, true}},                                                 // RTS Trimble
  }};
  return table;
}

}  // namespace

std::vector<std::string> PositionSentences(GpsType type, const FixSnapshot& fix, bool withExtras) {
  Lines lines;
  for (const OutputStep& step : OutputTable()[static_cast<std::size_t>(type)]) {
    if (step.everyFix || withExtras)
      step.build(fix, lines);
  }
  return lines;
}

}  // namespace gradsim
