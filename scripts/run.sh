#!/usr/bin/env bash
# Builds gradlog and runs it on the demo device root ./demo.
#   ./scripts/run.sh [gradlog options]
# With a display the program opens its window and the options go to it; without one it
# runs headless through scripts/demo.script and saves a picture of the start screen.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/deps.sh"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/build.sh"

readonly BUILD_DIR=build
readonly DEMO_ROOT=demo
readonly DEMO_SCRIPT=scripts/demo.script
readonly START_SCREEN=${DEMO_ROOT}/start-screen.png

# No "Storage Card" folder: the logger would take it for an inserted card.
prepare_demo_root() {
  mkdir -p "${DEMO_ROOT}/C_DRIVE" "${DEMO_ROOT}/dev"
}

# The logger opens COMn through demo/dev/COMn when that link exists, so whatever is linked
# there is what this run talks to.
connect_devices() {
  local link found=0
  for link in "${DEMO_ROOT}"/dev/COM*; do
    [[ -L ${link} ]] || continue
    info "${link} -> $(readlink "${link}")"
    found=1
  done
  if ((found == 0)); then
    info "No devices linked in ${DEMO_ROOT}/dev (e.g. ln -s /dev/ttyUSB0 ${DEMO_ROOT}/dev/COM1)"
  fi
}

display_requested() {
  local arg
  for arg in "$@"; do
    [[ ${arg} == --display || ${arg} == --display=* ]] && return 0
  done
  return 1
}

display_reachable() {
  [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]
}

run_with_display() {
  "./${BUILD_DIR}/gradlog" --root "./${DEMO_ROOT}" "$@"
}

run_headless_demo() {
  local status=0
  rm -f "${START_SCREEN}"
  "./${BUILD_DIR}/gradlog" --root "./${DEMO_ROOT}" --display headless \
    --script "${DEMO_SCRIPT}" "$@" || status=$?
  if ((status != 0)); then
    printf 'error: the headless demo ended with exit status %d\n' "${status}" >&2
    exit "${status}"
  fi
  [[ -f ${START_SCREEN} ]] || die "gradlog ended without writing ${START_SCREEN}"
  printf 'Start screen written to %s\n' "${REPO_ROOT}/${START_SCREEN}"
}

main() {
  cd "${REPO_ROOT}"
  ensure_packages
  configure_build "${BUILD_DIR}"
  build_targets "${BUILD_DIR}" gradlog
  prepare_demo_root
  connect_devices
  if display_requested "$@" || display_reachable; then
    run_with_display "$@"
  else
    info "No display found: running headless with ${DEMO_SCRIPT}"
    run_headless_demo "$@"
  fi
}

main "$@"
