# shellcheck shell=bash
# Configures and builds one CMake build folder with Ninja. Sourced after common.sh.
set -euo pipefail

# Extra arguments go to cmake (-D options). Configuring an existing folder again is cheap
# and picks up option changes.
configure_build() {
  local dir=$1
  shift
  cmake -S "${REPO_ROOT}" -B "${dir}" -G Ninja "$@"
}

# Without targets, builds everything.
build_targets() {
  local dir=$1
  shift
  ninja -C "${dir}" "$@"
}
