# shellcheck shell=bash
# Installs the Debian packages gradlog needs to build, test and run, and only those missing.
# Sourced after common.sh.
set -euo pipefail

readonly GRADLOG_PACKAGES=(
  cmake ninja-build pkg-config g++
  clang libclang-rt-14-dev
  libsdl2-dev libfreetype-dev fonts-dejavu-core libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libx11-dev
)

# dpkg -s also knows removed packages whose configuration stayed behind, so the status
# line, not the exit code, says whether a package is usable.
package_installed() {
  dpkg -s "$1" 2>/dev/null | grep -qx 'Status: install ok installed'
}

missing_packages() {
  local package
  for package in "$@"; do
    package_installed "$package" || printf '%s\n' "$package"
  done
}

# sudo drops the environment, so the non-interactive setting travels through env.
as_root() {
  if [[ ${EUID} -eq 0 ]]; then
    env DEBIAN_FRONTEND=noninteractive "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo env DEBIAN_FRONTEND=noninteractive "$@"
  else
    die "installing packages needs root: run this script as root or install sudo"
  fi
}

ensure_packages() {
  if ! command -v dpkg >/dev/null 2>&1 || ! command -v apt-get >/dev/null 2>&1; then
    warn "apt-get and dpkg not found; make sure these are installed: ${GRADLOG_PACKAGES[*]}"
    return 0
  fi
  local missing
  mapfile -t missing < <(missing_packages "${GRADLOG_PACKAGES[@]}")
  if ((${#missing[@]} == 0)); then
    return 0
  fi
  info "Installing ${missing[*]}"
  as_root apt-get update || die "apt-get update failed"
  as_root apt-get install -y --no-install-recommends "${missing[@]}" ||
    die "could not install ${missing[*]}"
}
