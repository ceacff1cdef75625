#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// All 32 bits set: as the read interval it means "return as soon as anything has come".
constexpr std::uint32_t MAXDWORD = 0xFFFFFFFF;

// Milliseconds, with the classic meaning: a read returns when its buffer is full, when
// readTotalMultiplier * requested + readTotalConstant has passed since it began, or when the
// line has been silent for readInterval after the first byte. Zero turns a limit off; all
// zero blocks until the buffer is full.
struct CommTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 0;
  std::uint32_t writeTotalMultiplier = 0;
  std::uint32_t writeTotalConstant = 0;
};

enum class Parity { None, Even, Odd };
enum class StopBits { One, Two };

struct LineSettings {
  std::uint32_t baud = 9600;
  int dataBits = 8;
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
  bool xonXoffOutput = false;
  bool xonXoffInput = false;
  bool ctsFlow = false;
  bool dsrFlow = false;
  bool dtrOn = true;
  bool rtsOn = true;
};

// A serial port shared between the thread that opens and closes it and the reader that
// blocks in it. Close() may come from any thread and wakes every blocked call at once.
//
// A hung-up device (a USB adapter pulled out, the far end of a pseudo-terminal closed) is a
// failed port: WaitForInput() returns false at once and reads return 0 at once, so a reader
// must back off (pause) after a failed wait instead of trying again straight away.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  virtual bool GetLineSettings(LineSettings& settings) = 0;
  // False for what the line cannot do (see IsSupportedLineSettings) or a closed port.
  virtual bool SetLineSettings(const LineSettings& settings) = 0;
  virtual bool SetTimeouts(const CommTimeouts& timeouts) = 0;
  virtual bool SetQueueSizes(std::size_t inQueue, std::size_t outQueue) = 0;
  // Discards bytes not yet read (input) and not yet sent (output).
  virtual bool Purge(bool input, bool output) = 0;
  virtual bool TransmitImmediate(char c) = 0;
  // The number of bytes sent; fewer than asked on a write time-out, a failure or a close.
  virtual std::size_t Write(std::span<const char> bytes) = 0;
  // Why the latest Write() sent fewer bytes than asked, for a person: the system's text of the
  // error ("Input/output error" from a hung-up device), CLOSED_PORT_ERROR or
  // WRITE_TIMEOUT_ERROR. Empty when it sent them all.
  virtual std::string LastWriteError() const = 0;
  // Blocks as the time-outs say. 0 on a time-out with nothing, a closed, failed or hung-up
  // port.
  virtual std::size_t Read(std::span<char> buffer) = 0;
  // Never blocks and ignores the time-outs: takes what has arrived, up to the buffer's size;
  // 0 when nothing has, or the port is closed, failed or hung up.
  virtual std::size_t ReadAvailable(std::span<char> buffer) = 0;
  // Blocks until a byte can be read, consuming nothing. False when the port was closed,
  // failed or hung up, or when `stop` was requested (which wakes the wait at once).
  virtual bool WaitForInput(std::stop_token stop) = 0;
  bool WaitForInput() { return WaitForInput(std::stop_token()); }
  // Wakes every blocked call, which then returns 0 or false; every later call fails.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

 protected:
  SerialPort() = default;
};

using PortHandle = std::shared_ptr<SerialPort>;

inline constexpr std::string_view CLOSED_PORT_ERROR = "the port is closed";
inline constexpr std::string_view WRITE_TIMEOUT_ERROR = "the write timed out";

// The system's text of an errno value, e.g. "Input/output error".
std::string SystemErrorText(int error);

// Standard baud rates, 5 to 8 data bits; no DSR flow control, which the host cannot do.
bool IsSupportedLineSettings(const LineSettings& settings);

// "COMn:" (n from 1) names <root>/dev/COMn when that exists, else /dev/ttyS(n-1); "" when the
// name is not of that form.
std::string SerialDevicePath(std::string_view portName);

struct PortOpening {
  PortHandle port;  // nullptr when the port would not open
  // Why it would not open, for a person: the device path and the cause, e.g.
  // "/dev/ttyS3: No such file or directory" or "/dev/ttyUSB0: the device is in use".
  // Empty when the port opened.
  std::string error;
};

// Opens the port exclusively in raw mode, keeping its line settings. Fails (with the cause)
// when the name is no "COMn:", the device is missing or not a terminal, access is denied, or
// the device is open already, in this process or another.
PortOpening OpenSerialPortOrExplain(std::string_view portName);
// The same without the cause: nullptr when the port would not open.
PortHandle OpenSerialPort(std::string_view portName);

// Two ports joined by a null-modem cable: what one writes, the other reads.
std::pair<PortHandle, PortHandle> MakeMemoryPortPair();
// Pulls the cable out of the in-memory pair that `port` belongs to: from then on both ends
// behave as a hung-up device (see SerialPort). Does nothing to other ports.
void HangUpMemoryPortPair(SerialPort& port);

}  // namespace platform
