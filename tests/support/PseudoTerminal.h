#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace gradlog::testing {

// A pseudo-terminal pair standing in for a serial device. The test holds the slave open too,
// to read the line settings a port set on it, and plays the device on the master.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
      throw std::runtime_error("no pseudo-terminal");
    slavePath_ = ::ptsname(master_);
    slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave_ < 0)
      throw std::runtime_error("cannot open " + slavePath_);
  }
  ~PseudoTerminal() {
    ::close(slave_);
    CloseMaster();
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Links <root>/dev/<name> (e.g. "COM12") to the slave side.
  void LinkAs(const std::filesystem::path& root, const std::string& name) const {
    std::filesystem::create_directories(root / "dev");
    std::filesystem::create_symlink(slavePath_, root / "dev" / name);
  }
  int Master() const { return master_; }
  // The device goes away, as a USB adapter pulled out: the slave side is hung up.
  void CloseMaster() {
    if (master_ >= 0)
      ::close(master_);
    master_ = -1;
  }
  int Slave() const { return slave_; }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace gradlog::testing
