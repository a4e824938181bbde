#!/usr/bin/env bash
# Benchmark of the program-trigger check under Wine with 20 and then 200 extra processes.
# Builds the Windows tree, compiles the benchmark against its libraries, and runs it on a
# private display and prefix that it ends afterwards. Not part of the test run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
"$root/scripts/build.sh" >/dev/null
out="$root/build/win/bench"
mkdir -p "$out"
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -municode \
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 \
  -I"$root/src/core" -I"$root/src" "$root/bench/process/process_bench.cpp" \
  "$root/build/win/src/win/libklaxora_win.a" "$root/build/win/src/core/libklaxora_core.a" \
  -lwininet -lpsapi -static -o "$out/process_bench.exe"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
for extra in 20 200; do
  HOME="$KLAXORA_HOME" wine "$out/process_bench.exe" "$root/build/win/bin/watch_target.exe" \
    "$extra" "${ROUNDS:-200}"
done
