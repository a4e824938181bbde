#!/usr/bin/env bash
# Sets up, builds and starts Klaxora.exe under Wine; the arguments go to the program's
# command line. Uses the current display and the user's own Wine prefix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY is not set). Start an X server or run under xvfb-run," >&2
  echo "        for example: xvfb-run -a scripts/run.sh" >&2
  exit 2
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec wine "$root/build/win/bin/Klaxora.exe" "$@"
