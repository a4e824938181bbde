#!/usr/bin/env bash
# Soak run (not part of scripts/test.sh): under Wine on a private display, bench/soak_driver.exe
# starts Klaxora.exe and works it from outside: popup previews, sound previews, then a repeating
# 1-second count-down left to fire many times with the program's clocks compressed
# (KLAXORA_CLOCK_SCALE), printing the program's handles, GDI and USER objects, windows and
# private memory before and after each stage. Prints figures; passes or fails nothing.
#
#   scripts/soak.sh [previews] [firings] [scale] [popups=N] [sound=WINDOWS-PATH]
#                                                       (default 1000 100000 100)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

"$root/scripts/build.sh" >/dev/null
bin="$root/build/win/bin"
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

HOME="$KLAXORA_HOME" wine "$bin/soak_driver.exe" "${1:-1000}" "${2:-100000}" "${3:-100}" "${@:4}" \
  </dev/null | tr -d '\r'

# The same playback with none of the program's code: handles the system's player of a file type
# keeps per opened file show here as well.
for f in Budzik.mp3 Telefon.wav; do
  HOME="$KLAXORA_HOME" wine "$bin/mci_reopen.exe" "Z:${bin//\//\\}\\sound\\$f" 30 </dev/null 2>/dev/null | tr -d '\r'
done
