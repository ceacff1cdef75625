#!/usr/bin/env bash
# Builds gradlog with its tests and benchmarks and runs the test suite.
#   ./scripts/test.sh          the suite in build/
#   ./scripts/test.sh --all    also under AddressSanitizer with UndefinedBehaviorSanitizer,
#                              under ThreadSanitizer, and every fuzz target for a while
# The last line is "N passed, M failed" over all stages; any failure gives a non-zero exit.
set -euo pipefail
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/deps.sh"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/build.sh"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "${BASH_SOURCE[0]}")/lib/results.sh"

readonly FUZZ_SECONDS=${GRADLOG_FUZZ_SECONDS:-20}
FAILED_STAGES=()

usage() {
  printf 'usage: %s [--all]\n' "$0"
}

# Runs ctest in a build folder and records its counts under the stage name. ctest's own
# status is returned, after the counts are safe.
run_ctest() {
  local stage=$1 dir=$2 status=0
  ctest --test-dir "${dir}" --output-on-failure --no-tests=error -j2 2>&1 |
    tee "${dir}/ctest.log" || status=$?
  record_ctest_results "${stage}" "${dir}/ctest.log"
  return "${status}"
}

stage_tests() {
  configure_build build -DGRADLOG_TESTS=ON -DGRADLOG_BENCH=ON
  build_targets build
  run_ctest tests build
}

# The sanitizer options are also set while building, because test discovery runs the
# freshly built test programs.
stage_asan() {
  local suppressions=${REPO_ROOT}/build-asan/lsan.supp
  mkdir -p build-asan
  # SDL reaches the session bus through libdbus, which keeps its connection data until the
  # process ends; every leak of our own code is still reported.
  printf 'leak:libdbus-1.so\n' >"${suppressions}"
  export ASAN_OPTIONS=detect_leaks=1
  export LSAN_OPTIONS=suppressions=${suppressions}:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  configure_build build-asan -DGRADLOG_SANITIZE=address,undefined -DGRADLOG_TESTS=ON \
    -DGRADLOG_BENCH=OFF
  build_targets build-asan
  run_ctest asan build-asan
}

stage_tsan() {
  export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
  configure_build build-tsan -DGRADLOG_SANITIZE=thread -DGRADLOG_TESTS=ON -DGRADLOG_BENCH=OFF
  build_targets build-tsan
  run_ctest tsan build-tsan
}

# Runs one fuzz target on a scratch copy of its seed corpus, so neither new inputs nor
# crash files land in the source tree; crash files are kept in the build folder.
run_fuzz_target() {
  local target=$1 dir=$2 scratch=$3
  local name seeds corpus artifacts log status=0
  name=$(basename "${target}")
  seeds=${REPO_ROOT}/fuzz/corpus/${name}
  corpus=${scratch}/${name}
  artifacts=${dir}/fuzz-artifacts/${name}
  log=${dir}/fuzz-logs/${name}.log
  rm -rf "${artifacts}"
  mkdir -p "${corpus}" "${artifacts}" "$(dirname "${log}")"
  if [[ -d ${seeds} ]]; then
    cp -R "${seeds}/." "${corpus}/"
  fi
  info "fuzz ${name} for ${FUZZ_SECONDS} s"
  (cd "${corpus}" && "${target}" -max_total_time="${FUZZ_SECONDS}" -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="${artifacts}/" "${corpus}") >"${log}" 2>&1 ||
    status=$?
  if ((status != 0)); then
    tail -n 40 "${log}"
    printf 'fuzz %s failed (exit %d); log %s, inputs in %s\n' "${name}" "${status}" "${log}" \
      "${artifacts}" >&2
  fi
  return "${status}"
}

stage_fuzz() {
  export ASAN_OPTIONS=detect_leaks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  local dir=${REPO_ROOT}/build-fuzz target passed=0 failed=0
  local targets=()
  # Not local: the trap runs after this function has returned. The stage is a subshell, so
  # the trap only clears the scratch corpora.
  FUZZ_SCRATCH=$(mktemp -d)
  trap 'rm -rf "${FUZZ_SCRATCH}"' EXIT
  require_command clang++ "package clang"
  CXX=clang++ configure_build "${dir}" -DGRADLOG_FUZZ=ON -DGRADLOG_TESTS=OFF \
    -DGRADLOG_BENCH=OFF
  build_targets "${dir}"
  mapfile -t targets < <(find "${dir}" -name CMakeFiles -prune -o -type f -name 'fuzz_*' \
    -perm -u+x -print | sort)
  ((${#targets[@]} > 0)) || die "no fuzz_* programs were built in ${dir}"
  for target in "${targets[@]}"; do
    if run_fuzz_target "${target}" "${dir}" "${FUZZ_SCRATCH}"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
    fi
  done
  record_results fuzz "${passed}" "${failed}"
  ((failed == 0))
}

# Each stage runs in its own subshell with errexit on, so a failing step ends that stage
# only, and the sanitizer settings it exports stay with it.
run_stage() {
  local name=$1 step=$2 start=${SECONDS} status took
  info "stage ${name}: start"
  set +e
  (
    set -e
    "${step}"
  )
  status=$?
  set -e
  took=$(format_duration $((SECONDS - start)))
  if ((status == 0)); then
    info "stage ${name}: passed in ${took}"
    return 0
  fi
  FAILED_STAGES+=("${name}")
  printf 'error: stage %s failed (exit %d) after %s\n' "${name}" "${status}" "${took}" >&2
  # A stage that broke before its tests ran still has to show in the summary as a failure.
  if ! has_results "${name}"; then
    record_results "${name}" 0 1
  fi
}

main() {
  local all=0
  while (($# > 0)); do
    case $1 in
      --all) all=1 ;;
      -h | --help)
        usage
        return 0
        ;;
      *)
        usage >&2
        die "unknown option: $1"
        ;;
    esac
    shift
  done

  cd "${REPO_ROOT}"
  RESULTS_DIR=$(mktemp -d)
  trap 'rm -rf "${RESULTS_DIR}"' EXIT
  ensure_packages

  run_stage tests stage_tests
  if ((all == 1)); then
    run_stage asan stage_asan
    run_stage tsan stage_tsan
    run_stage fuzz stage_fuzz
  fi

  if ((${#FAILED_STAGES[@]} > 0)); then
    printf 'error: failed stages: %s\n' "${FAILED_STAGES[*]}" >&2
  fi
  results_summary
  ((${#FAILED_STAGES[@]} == 0))
}

main "$@"
