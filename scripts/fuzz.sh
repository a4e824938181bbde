#!/usr/bin/env bash
# Builds the libFuzzer targets over the core (clang, natively, with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build/fuzz and runs each for the given number of seconds:
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     (default: 600 s, every *_fuzz target)
#   scripts/fuzz.sh --total SECONDS                      (the time shared among the targets)
#
# test.sh runs it for about a minute in all; run it for hours on demand. The corpus of each target grows in
# build/fuzz/corpus/TARGET from run to run, starting from tests/fuzz/corpus/TARGET. An input
# that crashes is kept as build/fuzz/crashes/TARGET-crash-* and fails the run; make it a
# regular test in tests/core before fixing the fault.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
total=""
if [ "${1:-}" = "--total" ]; then
  total="${2:?--total needs a number of seconds}"
  shift 2
  seconds=0
else
  seconds="${1:-600}"
  shift || true
fi
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKLAXORA_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

if [ -n "$total" ]; then
  seconds=$((total / ${#targets[@]}))
  [ "$seconds" -ge 10 ] || seconds=10
fi

mkdir -p "$build/crashes" "$build/logs"
failed=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  seeds="$root/tests/fuzz/corpus/$target"
  mkdir -p "$corpus" "$seeds"
  log="$build/logs/$target.log"
  if "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" "$corpus" "$seeds" \
      >"$log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "fuzz: $target: ${runs:-?} inputs in ${seconds} s, no failure (corpus $(ls "$corpus" | wc -l))"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FAILED; the input is in $build/crashes, the log in $log" >&2
    tail -n 30 "$log" >&2
  fi
done
[ "$failed" -eq 0 ]
