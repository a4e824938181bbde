#!/usr/bin/env bash
# Firing benchmark under Wine: count-downs and times of day of a few seconds armed many times
# while other processes spin, the firing error (median, p99, max) of the watch loop beside a
# loop that counts timer ticks, armed at the same moment in the same run; the processor time
# of one look per trigger; and the wake-ups of the idle, unarmed program. Prints figures; it
# passes or fails nothing and is not part of scripts/test.sh.
#
#   scripts/bench-firing.sh [rounds] [loaders]      (default 20 rounds, 3 spinning processes)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" >/dev/null
bin="$root/build/win/bin"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
HOME="$KLAXORA_HOME" wine "$bin/firing_bench.exe" "$bin/watch_target.exe" \
  "${1:-20}" "${2:-3}" 2>/dev/null
