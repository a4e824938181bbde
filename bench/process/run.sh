#!/usr/bin/env bash
# Benchmark of the program-trigger check under Wine with 20 and then 200 extra processes.
# Builds the Windows tree (the benchmark is its target process_bench) and runs it on a private
# display and prefix that it ends afterwards. Not part of the test run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
"$root/scripts/build.sh" >/dev/null
bin="$root/build/win/bin"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
for extra in 20 200; do
  HOME="$KLAXORA_HOME" wine "$bin/process_bench.exe" "$bin/watch_target.exe" \
    "$extra" "${ROUNDS:-200}"
done
