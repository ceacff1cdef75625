#include "gradsim/Simulator.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>

#include "gradsim/ByteEscape.h"
#include "gradsim/DeviceStream.h"
#include "gradsim/InstrumentPlayer.h"
#include "gradsim/PositionPlayer.h"
#include "gradsim/Replay.h"
#include "gradsim/SentLog.h"

namespace gradsim {

namespace {

constexpr int INSTRUMENT_BAUD = 9600;
constexpr double LONGEST_WAIT_S = 0.1;  // how late a stop request or a signal may be seen
constexpr double LINE_CHECK_PERIOD_S = 0.2;
constexpr std::size_t MOST_STALE_BYTES = 2048;

struct Port {
  std::string name;
  SerialFraming expected;
  SerialFraming lastSeen;
  std::unique_ptr<PtyLink> link;
  std::unique_ptr<DeviceStream> stream;
  std::string description;
};

std::string FormatRate(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

FaultSettings FaultsFor(const Options& options, FaultTarget device) {
  FaultSettings faults = options.faults;
  if (options.faultTarget != FaultTarget::BOTH && options.faultTarget != device) {
    faults.garbageEvery = 0;
    faults.splitLines = false;
    faults.mergeLines = 1;
  }
  return faults;
}

std::unique_ptr<Port> MakePort(const Options& options, int number, int baud, std::ostream& err) {
  auto port = std::make_unique<Port>();
  port->name = "COM" + std::to_string(number);
  port->expected.baud = baud;
  port->lastSeen = port->expected;
  port->link = std::make_unique<PtyLink>(options.root, number, port->expected, err);
  return port;
}

// Lists each line written whole in `file`, when one is asked for.
LineSent SentLogger(const std::optional<std::filesystem::path>& file) {
  if (!file)
    return {};
  auto log = std::make_shared<SentLog>(*file);
  return [log](std::string_view line) { log->Add(line); };
}

void AddInstrument(const Options& options, std::uint64_t seed,
                   std::vector<std::unique_ptr<Port>>& ports, std::ostream& err) {
  auto port = MakePort(options, options.instrumentPort, INSTRUMENT_BAUD, err);
  auto player = std::make_shared<InstrumentPlayer>(options.sensors, options.walk, seed);
  auto noise = std::make_shared<Random>(seed + 1);
  LineSource source = [player, noise](double seconds) {
    return std::vector<std::string>{player->ReadingAt(seconds, *noise)};
  };
  LineSent onSent = SentLogger(options.sentLog);
  port->stream = std::make_unique<DeviceStream>(
      *port->link, std::move(source),
      StreamSettings{.ticksPerSecond = options.readingRate,
                     .baud = INSTRUMENT_BAUD,
                     .unpaced = options.unpaced,
                     .faults = FaultsFor(options, FaultTarget::INSTRUMENT),
                     .silences = options.instrumentSilences,
                     .seed = seed + 2},
      std::move(onSent));
  port->description = "instrument, " + std::to_string(options.sensors) +
                      (options.sensors == 1 ? " sensor, " : " sensors, ") +
                      FormatRate(options.readingRate) + " Hz" +
                      (options.unpaced ? ", unpaced" : "");
  ports.push_back(std::move(port));
}

void AddGps(const Options& options, std::uint64_t seed, std::vector<std::string> replayLines,
            std::vector<std::unique_ptr<Port>>& ports, std::ostream& err) {
  auto port = MakePort(options, options.gpsPort, options.gpsBaud, err);
  LineSource source;
  double rate = options.gpsRate;
  if (options.replayFile) {
    auto replay = std::make_shared<Replay>(std::move(replayLines));
    source = [replay](double) { return std::vector<std::string>{replay->NextLine()}; };
    rate = options.replayRate;
    port->description =
        "replay " + options.replayFile->filename().string() + ", " + FormatRate(rate) + " lines/s";
  } else {
    auto random = std::make_shared<Random>(seed + 4);
    auto player =
        std::make_shared<PositionPlayer>(options.gpsType, options.origin, options.walk, *random);
    // The sentences other than the selected one go out about once a second.
    const long extrasEvery = std::max(1L, std::lround(options.gpsRate));
    auto fixes = std::make_shared<long>(0);
    source = [player, random, fixes, extrasEvery](double seconds) {
      const bool extras = (*fixes)++ % extrasEvery == 0;
      return player->FixAt(seconds, std::chrono::system_clock::now(), extras, *random);
    };
    port->description =
        std::string(GpsTypeName(options.gpsType)) + ", " + FormatRate(options.gpsRate) + " Hz";
  }
  port->description += ", " + std::to_string(options.gpsBaud) + " baud";
  port->stream =
      std::make_unique<DeviceStream>(*port->link, std::move(source),
                                     StreamSettings{.ticksPerSecond = rate,
                                                    .baud = options.gpsBaud,
                                                    .faults = FaultsFor(options, FaultTarget::GPS),
                                                    .silences = options.gpsSilences,
                                                    .seed = seed + 3},
                                     SentLogger(options.gpsSentLog));
  ports.push_back(std::move(port));
}

std::vector<std::string> LoadReplay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw std::runtime_error("cannot read the log " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<std::string> lines = Replay::LogLines(text.str());
  if (lines.empty())
    throw std::runtime_error("the log " + file.string() + " holds no lines to send");
  return lines;
}

// A real line with different settings at its two ends would carry garbage: say so, once
// each time the logger changes them.
void CheckLineSettings(Port& port, std::ostream& out) {
  const SerialFraming now = port.link->CurrentFraming();
  if (now == port.lastSeen)
    return;
  port.lastSeen = now;
  if (now == port.expected) {
    out << "gradsim: " << port.name << " line settings match again (" << Describe(now) << ")"
        << std::endl;
  } else {
    out << "gradsim: warning: " << port.name << " set to " << Describe(now)
        << " but the device sends " << Describe(port.expected) << std::endl;
  }
}

}  // namespace

int RunSimulator(const Options& options, const volatile std::sig_atomic_t& stopRequested,
                 std::ostream& out, std::ostream& err) {
  const std::uint64_t seed = options.seed ? *options.seed : std::random_device{}();
  std::vector<std::unique_ptr<Port>> ports;
  try {
    std::vector<std::string> replayLines;
    if (options.replayFile)
      replayLines = LoadReplay(*options.replayFile);
    if (options.instrument)
      AddInstrument(options, seed, ports, err);
    if (options.gps)
      AddGps(options, seed, std::move(replayLines), ports, err);
  } catch (const std::exception& failure) {
    err << "gradsim: " << failure.what() << std::endl;
    return 1;
  }

  out << "gradsim:";
  for (std::size_t i = 0; i < ports.size(); ++i) {
    out << (i == 0 ? " " : "; ") << ports[i]->name << " -> " << ports[i]->link->SlaveName() << " ("
        << ports[i]->description << ")";
  }
  out << "; seed " << seed << std::endl;

  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  double nextLineCheck = 0.0;
  std::vector<pollfd> fds;
  for (const auto& port : ports)
    fds.push_back({port->link->MasterFd(), POLLIN, 0});

  while (stopRequested == 0) {
    const double now = elapsed();
    if (options.duration && now >= *options.duration)
      break;
    double wake = now + LONGEST_WAIT_S;
    for (const auto& port : ports)
      wake = std::min(wake, port->stream->Step(now));
    if (now >= nextLineCheck) {
      nextLineCheck = now + LINE_CHECK_PERIOD_S;
      for (const auto& port : ports) {
        CheckLineSettings(*port, out);
        port->link->DropStaleInput(std::min<std::size_t>(
            static_cast<std::size_t>(port->expected.baud / 10), MOST_STALE_BYTES));
      }
    }
    if (options.duration)
      wake = std::min(wake, *options.duration);
    const double waitMs = std::clamp((wake - elapsed()) * 1000.0, 0.0, LONGEST_WAIT_S * 1000.0);
    if (poll(fds.data(), fds.size(), static_cast<int>(std::ceil(waitMs))) < 0) {
      if (errno == EINTR)
        continue;
      err << "gradsim: poll failed: " << std::strerror(errno) << std::endl;
      return 1;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if ((fds[i].revents & POLLIN) == 0)
        continue;
      const std::string bytes = ports[i]->link->ReadAvailable();
      if (!bytes.empty())
        out << ports[i]->name << " <- \"" << EscapeBytes(bytes) << "\"" << std::endl;
    }
  }
  return 0;
}

}  // namespace gradsim
