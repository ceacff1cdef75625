#pragma once

#include <memory>

#include "platform/sys/ReaderThread.h"
#include "serial/SharedPort.h"

namespace gradlog {

// A port and the reader thread that reads it, ended together: closing the port is what wakes
// a reader blocked in it, so Stop closes the port before it joins the reader.
class PortLink {
 public:
  PortLink() = default;
  ~PortLink() { Stop(); }
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

  SharedPort& Port() { return port_; }
  const SharedPort& Port() const { return port_; }

  // Starts `body` as the port's reader. One reader a run: a reader from before must have
  // been ended with Stop.
  void StartReader(platform::ReaderThread::Body body);
  // The running reader, or nullptr.
  platform::ReaderThread* Reader() { return reader_.get(); }
  // Asks the reader to stop, closes the port and waits for the reader to end.
  void Stop();

 private:
  SharedPort port_;
  std::unique_ptr<platform::ReaderThread> reader_;
};

}  // namespace gradlog
