#!/usr/bin/env bash
# Screenshots of the configuration window (the first show and every action panel) and of the
# options dialog, the time-entry wizard, the shortcut dialog, the about box and the alarm popup,
# saved as PNG files into the folder given (default build/screenshots). Not part of test.sh.
#   --dpi N          lay the windows out as Windows does at N DPI (Wine's LogPixels): 96, 144 ...
#   --high-contrast  a black high-contrast colour scheme, painted as with high contrast on
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dpi=96
contrast=0
while [ $# -gt 0 ]; do
  case "$1" in
    --dpi) dpi="$2"; shift 2 ;;
    --high-contrast) contrast=1; shift ;;
    *) break ;;
  esac
done
out="${1:-$root/build/screenshots}"
mkdir -p "$out"

# The Windows tree builds the screenshot programs (tools/) with the program's resources.
"$root/scripts/build.sh" >/dev/null
win="$root/build/win"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
HOME="$KLAXORA_HOME" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d "$dpi" /f >/dev/null 2>&1
if [ "$contrast" = 1 ]; then
  # Wine cannot switch high contrast on: the black scheme's colours are set for the session and
  # the test seam paints as with the setting on.
  HOME="$KLAXORA_HOME" wine "$win/bin/contrast_colours.exe"
  export KLAXORA_HIGH_CONTRAST=1
fi
shots="$KLAXORA_TMP/shots"
mkdir -p "$shots"
HOME="$KLAXORA_HOME" wine "$win/bin/alarm_shots.exe" "$(winepath -w "$shots")"
HOME="$KLAXORA_HOME" wine "$win/bin/dialog_shots.exe" "$(winepath -w "$shots")" &
shots_pid=$!
# The popup is taken from the screen while it stands, at the place the program wrote.
for _ in $(seq 1 600); do
  [ -s "$shots/popup.rect" ] && break
  kill -0 "$shots_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -s "$shots/popup.rect" ]; then
  sleep 1
  import -window root -crop "$(cat "$shots/popup.rect")" +repage "$out/popup.png"
fi
wait "$shots_pid"
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "$out/$(basename "${bmp%.bmp}").png"
done
ls "$out"
