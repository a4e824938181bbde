#!/usr/bin/env bash
# Builds both trees: build/native (the core and its tests) and build/win (Klaxora.exe and the
# Windows tests). Used by test.sh and run.sh. build/win is the tests' and benchmarks' tree: its
# program reads the test seams from the environment (KLAXORA_TEST_SEAMS); the shipped program is
# built apart by build-installer.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"

cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/native" -j "$jobs"

cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKLAXORA_TEST_SEAMS=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$root/build/win" -j "$jobs"
