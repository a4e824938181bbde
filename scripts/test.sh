#!/usr/bin/env bash
# Sets up, builds both trees and runs every test: natively first, then the Windows tests
# under Wine on a private display and a fresh prefix. Exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/setup.sh"
"$root/scripts/check-layers.sh"
"$root/scripts/build.sh"

echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure

echo "== fuzzing the core's parsers, about a minute"
"$root/scripts/fuzz.sh" --total 60

echo "== Windows tests under Wine"
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
HOME="$KLAXORA_HOME" ctest --test-dir "$root/build/win" --output-on-failure --timeout 600

echo "== installer under Wine"
"$root/scripts/build-installer.sh"
HOME="$KLAXORA_HOME" "$root/scripts/test-installer.sh"
