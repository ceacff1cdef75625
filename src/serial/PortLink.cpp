#include "serial/PortLink.h"

#include <utility>

namespace gradlog {

void PortLink::StartReader(platform::ReaderThread::Body body) {
  reader_ = std::make_unique<platform::ReaderThread>(std::move(body));
}

void PortLink::Stop() {
  if (reader_)
    reader_->RequestStop();
  port_.Close();
  reader_.reset();
}

}  // namespace gradlog
