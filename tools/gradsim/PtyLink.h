#pragma once

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "gradsim/SerialFraming.h"

namespace gradsim {

// One pseudo-terminal pair standing in for a serial line, reachable as <root>/dev/COM<n>.
// The simulator writes and reads the master side; it also holds the slave side open so that
// the line keeps its settings and works before and between the logger's opens.
class PtyLink {
 public:
  // Throws std::runtime_error with a message for the user when the pair or the link cannot
  // be made. A leftover symlink is replaced, with a note on `notes`.
  PtyLink(const std::filesystem::path& root, int port, const SerialFraming& framing,
          std::ostream& notes);
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlaveName() const { return slaveName_; }
  const std::filesystem::path& LinkPath() const { return linkPath_; }

  // Writes what the line takes now and returns how many bytes that was; the rest is lost,
  // as on a serial line that nobody reads.
  std::size_t Write(std::string_view bytes);

  // Whatever the other end has written since the last call (empty when nothing).
  std::string ReadAvailable();

  // The line settings as the logger (or this program) last set them on the slave side.
  SerialFraming CurrentFraming() const;

  // A real port opened later starts empty; a pty would hand over all it has queued. Drops
  // the queued input while no program holds the line exclusively (the logger does) and more
  // than `limit` bytes wait.
  void DropStaleInput(std::size_t limit);

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slaveName_;
  std::filesystem::path linkPath_;
  bool linked_ = false;
};

}  // namespace gradsim
