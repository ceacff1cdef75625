#include "serial/PortSetup.h"

#include <array>
#include <functional>
#include <iostream>

#include "config/SettingChoices.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

namespace {

constexpr std::size_t GPS_INPUT_QUEUE = 9128;
constexpr std::size_t GPS_OUTPUT_QUEUE = 256;

// An index outside the list keeps `value`.
template <typename T, std::size_t N>
void ApplyChoice(const std::array<Choice<T>, N>& choices, std::int32_t index, T& value) {
  value = ChoiceValue(choices, index).value_or(value);
}

// Opens the port into `field` with its time-outs and line; on failure tells the operator
// and leaves the field closed. Failures of the settings requests are ignored: a port that
// opened is used as it is.
platform::PortHandle OpenIntoField(
    platform::Hwnd owner, SharedPort& field, std::int32_t portSetting,
    const platform::CommTimeouts& timeouts,
    const std::function<platform::LineSettings(const platform::LineSettings&)>& lineFor,
    const char* failureText) {
  platform::PortOpening opening = platform::OpenSerialPortOrExplain(ComPortName(portSetting));
  const platform::PortHandle port = opening.port;
  field.Set(port);
  if (!port) {
    // The box's text is fixed; the cause (missing device, permission, busy) goes to stderr.
    std::cerr << "gradlog: " << failureText << ": " << opening.error << '\n';
    platform::MessageBox(owner, failureText, "Serial Port", platform::MB_OK);
    return nullptr;
  }
  port->SetTimeouts(timeouts);
  platform::LineSettings line;
  port->GetLineSettings(line);
  port->SetLineSettings(lineFor(line));
  return port;
}

}  // namespace

std::string ComPortName(std::int32_t zeroBasedPort) {
  return "COM" + std::to_string(static_cast<std::int64_t>(zeroBasedPort) + 1) + ":";
}

platform::LineSettings GpsLineSettings(const SurveySettings& settings,
                                       platform::LineSettings current) {
  ApplyChoice(GPS_BAUD_RATES, settings.gpsBaud, current.baud);
  ApplyChoice(GPS_PARITIES, settings.gpsParity, current.parity);
  ApplyChoice(GPS_DATA_BITS, settings.gpsDataBits, current.dataBits);
  ApplyChoice(GPS_STOP_BITS, settings.gpsStopBits, current.stopBits);
  current.ctsFlow = false;
  current.dsrFlow = false;
  current.xonXoffOutput = true;
  current.xonXoffInput = true;
  return current;
}

platform::LineSettings InstrumentLineSettings(platform::LineSettings current) {
  current.baud = 9600;
  current.dataBits = 8;
  current.parity = platform::Parity::None;
  current.stopBits = platform::StopBits::One;
  current.ctsFlow = false;
  current.dsrFlow = false;
  current.dtrOn = false;
  current.rtsOn = false;
  current.xonXoffOutput = false;
  current.xonXoffInput = false;
  return current;
}

bool OpenGpsPort(SharedPort& field, const SurveySettings& settings, platform::Hwnd owner) {
  const platform::PortHandle port = OpenIntoField(
      owner, field, settings.gpsPort, GPS_TIMEOUTS,
      [&](const platform::LineSettings& line) { return GpsLineSettings(settings, line); },
      "Cannot open GPS port");
  if (port)
    port->SetQueueSizes(GPS_INPUT_QUEUE, GPS_OUTPUT_QUEUE);
  return port != nullptr;
}

bool OpenInstrumentPort(SharedPort& field, std::int32_t instrumentPort, platform::Hwnd owner) {
  // The same text for every instrument family.
  return OpenIntoField(owner, field, instrumentPort, INSTRUMENT_TIMEOUTS, InstrumentLineSettings,
                       "Cannot open EM61-MK2 port") != nullptr;
}

}  // namespace gradlog
