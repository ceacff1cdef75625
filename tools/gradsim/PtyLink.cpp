#include "gradsim/PtyLink.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace gradsim {

namespace {

std::runtime_error SystemFailure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

void MakeRawLine(int fd, const SerialFraming& framing) {
  termios attributes{};
  if (tcgetattr(fd, &attributes) != 0)
    throw SystemFailure("cannot read the pseudo-terminal settings");
  cfmakeraw(&attributes);
  attributes.c_cflag |= CLOCAL | CREAD;
  ApplyFraming(framing, attributes);
  if (tcsetattr(fd, TCSANOW, &attributes) != 0)
    throw SystemFailure("cannot set the pseudo-terminal raw");
}

// A link to a pseudo-terminal is left by an earlier run and goes; anything else at that
// name is the user's, a real device linked there perhaps, and stays.
void ClearLinkPath(const std::filesystem::path& link, std::ostream& notes) {
  struct stat status {};
  if (lstat(link.c_str(), &status) != 0) {
    if (errno == ENOENT)
      return;
    throw SystemFailure("cannot look at " + link.string());
  }
  if (!S_ISLNK(status.st_mode)) {
    throw std::runtime_error(
        link.string() + " exists and is not a symbolic link; remove it or choose another port");
  }
  std::error_code ignored;
  const std::string target = std::filesystem::read_symlink(link, ignored).string();
  if (!target.starts_with("/dev/pts/")) {
    throw std::runtime_error(link.string() + " links to " + target +
                             ", not to a pseudo-terminal; remove it or choose another port");
  }
  notes << "gradsim: replacing the old link " << link.string() << " -> " << target << "\n";
  if (unlink(link.c_str()) != 0)
    throw SystemFailure("cannot remove the old link " + link.string());
}

}  // namespace

PtyLink::PtyLink(const std::filesystem::path& root, int port, const SerialFraming& framing,
                 std::ostream& notes)
    : linkPath_(root / "dev" / ("COM" + std::to_string(port))) {
  try {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
      throw SystemFailure("cannot open a pseudo-terminal");
    if (fcntl(master_, F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0 ||
        grantpt(master_) != 0 || unlockpt(master_) != 0)
      throw SystemFailure("cannot prepare the pseudo-terminal");
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0)
      throw SystemFailure("cannot name the pseudo-terminal");
    slaveName_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0)
      throw SystemFailure("cannot open " + slaveName_);
    MakeRawLine(slave_, framing);

    std::error_code error;
    std::filesystem::create_directories(linkPath_.parent_path(), error);
    if (error)
      throw std::runtime_error("cannot create " + linkPath_.parent_path().string() + ": " +
                               error.message());
    ClearLinkPath(linkPath_, notes);
    if (symlink(slaveName_.c_str(), linkPath_.c_str()) != 0)
      throw SystemFailure("cannot link " + linkPath_.string());
    linked_ = true;
  } catch (...) {
    if (slave_ >= 0)
      close(slave_);
    if (master_ >= 0)
      close(master_);
    throw;
  }
}

PtyLink::~PtyLink() {
  // Only our own link goes: another run may have taken the name over since.
  std::error_code error;
  if (linked_ && std::filesystem::read_symlink(linkPath_, error).string() == slaveName_ && !error)
    unlink(linkPath_.c_str());
  close(slave_);
  close(master_);
}

std::size_t PtyLink::Write(std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t result = write(master_, bytes.data() + written, bytes.size() - written);
    if (result < 0 && errno == EINTR)
      continue;
    if (result <= 0)
      break;
    written += static_cast<std::size_t>(result);
  }
  return written;
}

std::string PtyLink::ReadAvailable() {
  std::string bytes;
  char buffer[512];
  for (;;) {
    const ssize_t result = read(master_, buffer, sizeof buffer);
    if (result < 0 && errno == EINTR)
      continue;
    if (result <= 0)
      break;
    bytes.append(buffer, static_cast<std::size_t>(result));
  }
  return bytes;
}

SerialFraming PtyLink::CurrentFraming() const {
  termios attributes{};
  tcgetattr(slave_, &attributes);
  return FramingOf(attributes);
}

void PtyLink::DropStaleInput(std::size_t limit) {
  int exclusive = 0;
  int queued = 0;
  if (ioctl(slave_, TIOCGEXCL, &exclusive) != 0 || exclusive != 0)
    return;
  if (ioctl(slave_, FIONREAD, &queued) == 0 && static_cast<std::size_t>(queued) > limit)
    tcflush(slave_, TCIFLUSH);
}

}  // namespace gradsim
