#!/usr/bin/env bash
# The GPS sentence path side by side with a peer: gpsd's gpsdecode decodes the recorded logs
# of tests/gps/nmea repeated to 300,000 sentences, and BM_GpsSentencePath takes the same
# stream through framing, checks, sorting, decoding and the record groups. Prints both rates
# and their ratio.
#   bench/compare-gpsdecode.sh [BUILD_DIR]     (default build/, with GRADLOG_BENCH=ON)
set -euo pipefail
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD=${1:-${REPO}/build}
readonly SENTENCES=300000

if ! command -v gpsdecode >/dev/null; then
  apt-get install -y gpsd-clients >/dev/null
fi
stream=$(mktemp)
trap 'rm -f "${stream}"' EXIT
once=$(mktemp)
for log in $(printf '%s\n' "${REPO}"/tests/gps/nmea/*.log | LC_ALL=C sort); do
  tr -d '\r' <"${log}" | grep '^\$' | sed 's/$/\r/'
done >"${once}"
per_copy=$(wc -l <"${once}")
copies=$(((SENTENCES + per_copy - 1) / per_copy))
for _ in $(seq "${copies}"); do cat "${once}"; done >"${stream}"
rm -f "${once}"
sentences=$(wc -l <"${stream}")

start=$(date +%s.%N)
gpsdecode <"${stream}" >/dev/null
end=$(date +%s.%N)
peer=$(awk -v n="${sentences}" -v a="${start}" -v b="${end}" 'BEGIN { print n / (b - a) }')

ours=$("${BUILD}/bench/gradlog_bench" --benchmark_filter='^BM_GpsSentencePath/' \
  --benchmark_repetitions=1 --benchmark_format=json |
  sed -n 's/.*"items_per_second": \([0-9.e+]*\).*/\1/p' | head -1)

printf 'sentences:       %d\n' "${sentences}"
printf 'gpsdecode:       %.0f sentences/s\n' "${peer}"
printf 'gradlog path:    %.0f sentences/s\n' "${ours}"
printf 'ratio:           %.2f\n' "$(awk -v a="${ours}" -v b="${peer}" 'BEGIN { print a / b }')"
