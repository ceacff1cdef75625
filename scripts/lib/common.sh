# shellcheck shell=bash
# Shared by the gradlog scripts: messages, the repository root and stage timing.
set -euo pipefail

REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck disable=SC2034 # read by the scripts that source this file
readonly REPO_ROOT

info() {
  printf '==> %s\n' "$*"
}

warn() {
  printf 'warning: %s\n' "$*" >&2
}

die() {
  printf 'error: %s\n' "$*" >&2
  exit 1
}

# "75" -> "1m 15s": stage times are read by people, not parsed.
format_duration() {
  local seconds=$1
  printf '%dm %02ds' $((seconds / 60)) $((seconds % 60))
}

require_command() {
  local name=$1 hint=$2
  command -v "$name" >/dev/null 2>&1 || die "'$name' is not installed ($hint)"
}
