#include "gradsim/Options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>

#include "gradsim/SerialFraming.h"

namespace gradsim {

namespace {

constexpr int MAX_PORT = 99;

// Thrown by the option handlers; becomes the one-line error.
struct BadOption {
  std::string message;
};

double Number(const std::string& name, const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || errno != 0 || !std::isfinite(value))
    throw BadOption{name + " wants a number, not \"" + text + "\""};
  return value;
}

double Positive(const std::string& name, const std::string& text, double max) {
  const double value = Number(name, text);
  if (value <= 0.0 || value > max)
    throw BadOption{name + " must be above 0 and at most " +
                    std::to_string(static_cast<long>(max)) + ", not " + text};
  return value;
}

long Integer(const std::string& name, const std::string& text, long low, long high) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || end != text.c_str() + text.size() || errno != 0 || value < low ||
      value > high) {
    throw BadOption{name + " wants a whole number from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", not \"" + text + "\""};
  }
  return value;
}

SilenceWindow Silence(const std::string& name, const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos)
    throw BadOption{name + " wants AT_S:DURATION_S or AT_S:forever, not \"" + text + "\""};
  SilenceWindow window;
  window.start = Number(name, text.substr(0, colon));
  const std::string length = text.substr(colon + 1);
  window.length =
      length == "forever" ? std::numeric_limits<double>::infinity() : Number(name, length);
  if (window.start < 0.0 || window.length <= 0.0)
    throw BadOption{name + " wants a start of 0 or more and a duration above 0, not " + text};
  return window;
}

GeoPoint Origin(const std::string& name, const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos)
    throw BadOption{name + " wants LAT,LON in decimal degrees, not \"" + text + "\""};
  GeoPoint origin{Number(name, text.substr(0, comma)), Number(name, text.substr(comma + 1))};
  if (std::fabs(origin.latitude) > 89.0 || std::fabs(origin.longitude) > 180.0)
    throw BadOption{name + " is out of range (latitude within 89, longitude within 180): " + text};
  return origin;
}

using Handler = std::function<void(Options&, const std::string& name, const std::string& value)>;

struct OptionRule {
  bool takesValue;
  Handler handle;
};

const std::map<std::string, OptionRule>& OptionTable() {
  static const std::map<std::string, OptionRule> table = {
      {"--root", {true, [](Options& o, auto&, auto& v) { o.root = v; }}},
      {"--instrument-port",
       {true, [](Options& o, auto& n,
                 auto& v) { o.instrumentPort = static_cast<int>(Integer(n, v, 1, MAX_PORT)); }}},
      {"--gps-port",
       {true, [](Options& o, auto& n,
                 auto& v) { o.gpsPort = static_cast<int>(Integer(n, v, 1, MAX_PORT)); }}},
      {"--no-instrument", {false, [](Options& o, auto&, auto&) { o.instrument = false; }}},
      {"--no-gps", {false, [](Options& o, auto&, auto&) { o.gps = false; }}},
      {"--sensors",
       {true,
        [](Options& o, auto& n, auto& v) { o.sensors = static_cast<int>(Integer(n, v, 1, 2)); }}},
      {"--reading-rate",
       {true, [](Options& o, auto& n,
                 auto& v) { o.readingRate = Positive(n, v, MOST_UNPACED_READING_RATE); }}},
      {"--unpaced", {false, [](Options& o, auto&, auto&) { o.unpaced = true; }}},
      {"--sent-log", {true, [](Options& o, auto&, auto& v) { o.sentLog = v; }}},
      {"--gps-sent-log", {true, [](Options& o, auto&, auto& v) { o.gpsSentLog = v; }}},
      {"--gps-type",
       {true,
        [](Options& o, auto& n, auto& v) {
          const std::optional<GpsType> type = ParseGpsType(v);
          if (!type)
            throw BadOption{n +
                            " wants one of GGA/GSA, GGA, POS, LLK, LLQ, GLL, GGK, \"Leica TPS\", "
                            "\"RTS Trimble\" or 0 to 8, not \"" +
                            v + "\""};
          o.gpsType = *type;
        }}},
      {"--gps-rate",
       {true, [](Options& o, auto& n, auto& v) { o.gpsRate = Positive(n, v, 20.0); }}},
      {"--gps-baud",
       {true,
        [](Options& o, auto& n, auto& v) {
          o.gpsBaud = static_cast<int>(Integer(n, v, 1200, 230400));
          if (!IsStandardBaud(o.gpsBaud))
            throw BadOption{n + " wants a standard rate (1200 to 230400), not " + v};
        }}},
      {"--gps-silence",
       {true, [](Options& o, auto& n, auto& v) { o.gpsSilences.push_back(Silence(n, v)); }}},
      {"--replay", {true, [](Options& o, auto&, auto& v) { o.replayFile = v; }}},
      {"--replay-rate",
       {true, [](Options& o, auto& n, auto& v) { o.replayRate = Positive(n, v, 1000.0); }}},
      {"--origin", {true, [](Options& o, auto& n, auto& v) { o.origin = Origin(n, v); }}},
      {"--line-length",
       {true, [](Options& o, auto& n, auto& v) { o.walk.lineLength = Positive(n, v, 10000.0); }}},
      {"--line-spacing",
       {true, [](Options& o, auto& n, auto& v) { o.walk.lineSpacing = Positive(n, v, 1000.0); }}},
      {"--speed",
       {true, [](Options& o, auto& n, auto& v) { o.walk.speed = Positive(n, v, 50.0); }}},
      {"--silence",
       {true, [](Options& o, auto& n, auto& v) { o.instrumentSilences.push_back(Silence(n, v)); }}},
      {"--garbage",
       {true,
        [](Options& o, auto& n, auto& v) {
          o.faults.garbageEvery = static_cast<int>(Integer(n, v, 1, 1000000));
        }}},
      {"--bad-checksum",
       {true,
        [](Options& o, auto& n, auto& v) {
          o.faults.badChecksumEvery = static_cast<int>(Integer(n, v, 1, 1000000));
        }}},
      {"--split-lines", {false, [](Options& o, auto&, auto&) { o.faults.splitLines = true; }}},
      {"--merge-lines",
       {true, [](Options& o, auto& n,
                 auto& v) { o.faults.mergeLines = static_cast<int>(Integer(n, v, 1, 100)); }}},
      {"--faults-on",
       {true,
        [](Options& o, auto& n, auto& v) {
          if (v == "instrument")
            o.faultTarget = FaultTarget::INSTRUMENT;
          else if (v == "gps")
            o.faultTarget = FaultTarget::GPS;
          else if (v == "both")
            o.faultTarget = FaultTarget::BOTH;
          else
            throw BadOption{n + " wants instrument, gps or both, not \"" + v + "\""};
        }}},
      {"--seed",
       {true,
        [](Options& o, auto& n, auto& v) {
          o.seed = static_cast<std::uint64_t>(Integer(n, v, 0, std::numeric_limits<long>::max()));
        }}},
      {"--duration",
       {true, [](Options& o, auto& n, auto& v) { o.duration = Positive(n, v, 1e7); }}},
  };
  return table;
}

void CheckTogether(const Options& options) {
  if (options.root.empty())
    throw BadOption{"--root DIR is required"};
  if (!options.instrument && !options.gps)
    throw BadOption{"--no-instrument and --no-gps together leave nothing to play"};
  if (options.instrument && options.gps && options.instrumentPort == options.gpsPort)
    throw BadOption{"the instrument and the GPS cannot share COM" +
                    std::to_string(options.gpsPort)};
  if (!options.unpaced && options.readingRate > MOST_PACED_READING_RATE)
    throw BadOption{"--reading-rate above " +
                    std::to_string(static_cast<int>(MOST_PACED_READING_RATE)) +
                    " needs --unpaced: 9600 baud carries about 45 readings a second"};
  if (!options.instrument && (options.unpaced || options.sentLog))
    throw BadOption{
        "--unpaced and --sent-log are about the instrument, which --no-instrument "
        "turns off"};
  if (options.sentLog && options.sentLog->empty())
    throw BadOption{"--sent-log wants a file name"};
  if (options.gpsSentLog && (!options.gps || options.gpsSentLog->empty()))
    throw BadOption{"--gps-sent-log wants a file name, and the positioning device on"};
  if (options.replayFile && !options.gps)
    throw BadOption{"--replay plays on the GPS port, which --no-gps turns off"};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
  ParsedOptions parsed;
  Options options;
  try {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      std::string name = arguments[i];
      std::optional<std::string> value;
      if (const std::size_t equals = name.find('=');
          name.starts_with("--") && equals != std::string::npos) {
        value = name.substr(equals + 1);
        name.resize(equals);
      }
      if (name == "--help" || name == "-h") {
        parsed.help = true;
        return parsed;
      }
      const auto found = OptionTable().find(name);
      if (found == OptionTable().end())
        throw BadOption{"unknown option \"" + arguments[i] + "\""};
      const OptionRule& rule = found->second;
      if (rule.takesValue && !value) {
        if (i + 1 >= arguments.size())
          throw BadOption{name + " needs a value"};
        value = arguments[++i];
      }
      if (!rule.takesValue && value)
        throw BadOption{name + " takes no value"};
      rule.handle(options, name, value.value_or(""));
    }
    CheckTogether(options);
  } catch (const BadOption& bad) {
    parsed.error = bad.message;
    return parsed;
  }
  parsed.options = std::move(options);
  return parsed;
}

std::string HelpText() {
  return R"(usage: gradsim --root DIR [options]

Plays a GRAD601 gradiometer and a positioning device on pseudo-terminals linked as
DIR/dev/COM<n>, and prints what the other end writes to them ("COM1 <- ...").

Devices:
  --root DIR               device root; the links go into DIR/dev (required)
  --instrument-port N      instrument on COM<N> (default 1); always 9600 8N1
  --gps-port N             positioning device on COM<N> (default 2)
  --no-instrument          play no instrument
  --no-gps                 play no positioning device
Instrument:
  --sensors 1|2            "$PBAR,<g1>" or "$PBAR,<g1>,<g2>" (default 2)
  --reading-rate HZ        readings a second (default 10, at most 100, or 1000 with
                           --unpaced; 9600 baud carries about 45)
  --unpaced                send each reading as fast as the line takes it instead of at
                           9600 baud, for stress tests (e.g. --reading-rate 400); the
                           reading rate still paces the lines
  --sent-log FILE          list each reading written whole to the line in FILE, one a line
                           without CR LF, flushed at once
Positioning:
  --gps-type T             GGA/GSA, GGA, POS, LLK, LLQ, GLL, GGK, "Leica TPS",
                           "RTS Trimble", or the logger's number 0 to 8 (default GGA/GSA)
  --gps-rate HZ            fixes a second (default 1; e.g. 2, 5, 10); fixes that the baud
                           rate cannot carry are skipped, GSV/RMC/VTG go once a second
  --gps-baud B             baud rate, 8N1 (default 9600)
  --gps-sent-log FILE      list each sentence or record line written whole to the GPS line
                           in FILE, as --sent-log does for the instrument
  --replay FILE            send a recorded NMEA log instead ('#' lines and empty lines
                           skipped); starts over after the last line
  --replay-rate LINES_S    replayed lines a second (default 10)
Survey:
  --origin LAT,LON         start of the first line, decimal degrees, south and west
                           negative (default 52.0907,5.1214)
  --line-length M          length of the survey lines (default 30)
  --line-spacing M         distance between lines (default 1)
  --speed M_S              walking speed (default 1)
Faults:
  --silence AT_S:DUR_S     instrument sends nothing from AT_S for DUR_S seconds;
                           AT_S:forever for good; repeatable
  --gps-silence AT_S:DUR_S the same for the positioning device
  --garbage N              1 to 8 garbage bytes after every Nth line
  --bad-checksum N         every Nth NMEA sentence with a wrong checksum (positioning
                           device only: instrument lines carry no checksum)
  --split-lines            every line in 2 or 3 writes, 30 ms apart
  --merge-lines N          N lines in one write
  --faults-on WHICH        instrument, gps or both (default): where --garbage,
                           --split-lines and --merge-lines apply
Run:
  --seed N                 seed for repeatable values (default: a new one each run)
  --duration S             stop after S seconds (default: run until SIGINT or SIGTERM)
  --help                   this text

Exit status: 0 after a signal or --duration, 1 on a setup error, 64 on a bad option.
)";
}

}  // namespace gradsim
