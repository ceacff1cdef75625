#include "gps/GpsReader.h"

#include <string>

#include "common/UserMessages.h"
#include "gps/SentenceFramer.h"
#include "serial/PortByteLoop.h"

namespace gradlog {

void GpsReaderThread(platform::ReaderThread& self, SharedPort& port, platform::Hwnd target) {
  SentenceFramer framer;
  ReadPortBytesUntilStopped(
      self, port, [&framer] { framer.Reset(); },
      [&framer, target](char byte, std::uint32_t tick) {
        const std::optional<std::string_view> sentence = framer.Feed(byte, tick);
        if (!sentence)
          return;
        // Sent, not posted: the receiver's bytes wait in the port while the handler runs, so
        // sentences are handled one at a time and in order. A stop ends the wait.
        platform::SendMessage(target, UM_GPS_SENTENCE, 0, 0,
                              GpsSentence{std::string(*sentence), framer.SentenceStartTick()});
      });
}

void StartGpsReader(SerialState& serial, platform::Hwnd target) {
  serial.gps.StartReader([&serial, target](platform::ReaderThread& self) {
    GpsReaderThread(self, serial.gps.Port(), target);
  });
}

}  // namespace gradlog
