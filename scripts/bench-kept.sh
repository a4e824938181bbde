#!/usr/bin/env bash
# Kept-alarm run (not part of scripts/test.sh): under Wine on a private display,
# bench/kept_driver.exe arms a repeating message alarm in Klaxora.exe, then round after round ends
# the copy holding it with TerminateProcess and starts a plain copy, which has to take the kept
# record over. Prints each firing against the kept moment and the moments that fired twice;
# passes or fails nothing.
#
#   scripts/bench-kept.sh [kills] [repeat]                      (default 20 6)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/build.sh" >/dev/null
bin="$root/build/win/bin"
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

HOME="$KLAXORA_HOME" wine "$bin/kept_driver.exe" "${1:-20}" "${2:-6}" </dev/null | tr -d '\r'
