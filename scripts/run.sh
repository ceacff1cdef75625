#!/usr/bin/env bash
# Builds gradlog and gradsim, and runs the logger on the demo device root ./demo against the
# simulated instruments.
#   ./scripts/run.sh [gradlog options]
# With a display the program opens its window and the options go to it; without one it
# runs headless through scripts/demo.script and saves pictures of the start screen and of a
# short survey run.
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
readonly LOGGING_SCREEN=${DEMO_ROOT}/logging-screen.png
readonly SIMULATOR_LOG=${DEMO_ROOT}/gradsim.log
SIMULATOR_PID=

# No "Storage Card" folder: the logger would take it for an inserted card.
prepare_demo_root() {
  mkdir -p "${DEMO_ROOT}/C_DRIVE" "${DEMO_ROOT}/dev"
}

# The logger opens COMn through demo/dev/COMn. gradsim plays the gradiometer on COM1 and
# the GPS receiver on COM2, the ports of the default settings, for as long as this runs.
start_simulator() {
  local waited=0
  if user_devices_linked; then
    info "Using the devices linked in ${DEMO_ROOT}/dev instead of gradsim"
    return
  fi
  rm -f "${SIMULATOR_LOG}"
  "./${BUILD_DIR}/gradsim" --root "./${DEMO_ROOT}" >"${SIMULATOR_LOG}" 2>&1 &
  SIMULATOR_PID=$!
  trap stop_simulator EXIT
  until [[ -L ${DEMO_ROOT}/dev/COM1 && -L ${DEMO_ROOT}/dev/COM2 ]]; do
    if ! kill -0 "${SIMULATOR_PID}" 2>/dev/null || ((waited >= 50)); then
      cat "${SIMULATOR_LOG}" >&2 || true
      die "gradsim did not start (log: ${SIMULATOR_LOG})"
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  info "gradsim: instrument on ${DEMO_ROOT}/dev/COM1, GPS on ${DEMO_ROOT}/dev/COM2 (log: ${SIMULATOR_LOG})"
}

# A link to anything but a pseudo-terminal is a real device the user connected.
user_devices_linked() {
  local link found=1
  for link in "${DEMO_ROOT}"/dev/COM*; do
    [[ -L ${link} ]] || continue
    [[ $(readlink "${link}") == /dev/pts/* ]] && continue
    info "${link} -> $(readlink "${link}")"
    found=0
  done
  return "${found}"
}

stop_simulator() {
  if [[ -n ${SIMULATOR_PID:-} ]]; then
    kill -TERM "${SIMULATOR_PID}" 2>/dev/null || true
    wait "${SIMULATOR_PID}" 2>/dev/null || true
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
  rm -f "${START_SCREEN}" "${LOGGING_SCREEN}"
  "./${BUILD_DIR}/gradlog" --root "./${DEMO_ROOT}" --display headless \
    --script "${DEMO_SCRIPT}" "$@" || status=$?
  if ((status != 0)); then
    printf 'error: the headless demo ended with exit status %d\n' "${status}" >&2
    exit "${status}"
  fi
  [[ -f ${START_SCREEN} && -f ${LOGGING_SCREEN} ]] ||
    die "gradlog ended without writing ${START_SCREEN} and ${LOGGING_SCREEN}"
  printf 'Start screen written to %s, a survey run to %s\n' "${REPO_ROOT}/${START_SCREEN}" \
    "${REPO_ROOT}/${LOGGING_SCREEN}"
}

main() {
  cd "${REPO_ROOT}"
  ensure_packages
  configure_build "${BUILD_DIR}"
  build_targets "${BUILD_DIR}" gradlog gradsim
  prepare_demo_root
  start_simulator
  if display_requested "$@" || display_reachable; then
    run_with_display "$@"
  else
    info "No display found: running headless with ${DEMO_SCRIPT}"
    run_headless_demo "$@"
  fi
}

main "$@"
