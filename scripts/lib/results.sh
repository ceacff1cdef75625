# shellcheck shell=bash
# Collects pass/fail counts from the stages of a test run into one summary.
# Sourced after common.sh. Each stage runs in a subshell, so counts travel through files.
set -euo pipefail

# RESULTS_DIR is set by the caller to a fresh folder that it removes at the end.

record_results() {
  local stage=$1 passed=$2 failed=$3
  printf '%d %d\n' "${passed}" "${failed}" >"${RESULTS_DIR}/${stage}"
}

has_results() {
  [[ -f ${RESULTS_DIR}/$1 ]]
}

# Records the counts from ctest's closing line in a log, "NN% tests passed, F tests failed
# out of T". A log without that line (ctest never got that far) records nothing.
record_ctest_results() {
  local stage=$1 log=$2 failed total
  read -r failed total < <(sed -n \
    's/^.*tests passed, \([0-9][0-9]*\) tests\{0,1\} failed out of \([0-9][0-9]*\).*$/\1 \2/p' \
    "${log}" | tail -n 1) || return 0
  record_results "${stage}" $((total - failed)) "${failed}"
}

# "N passed, M failed" over every stage that recorded results.
results_summary() {
  local file passed failed passed_sum=0 failed_sum=0
  for file in "${RESULTS_DIR}"/*; do
    [[ -f ${file} ]] || continue
    read -r passed failed <"${file}"
    passed_sum=$((passed_sum + passed))
    failed_sum=$((failed_sum + failed))
  done
  printf '%d passed, %d failed\n' "${passed_sum}" "${failed_sum}"
}
