#!/usr/bin/env bash
# Screenshots of the configuration window (the first show and every action panel) and of the
# options dialog, the time-entry wizard, the shortcut dialog, the about box and the alarm popup,
# saved as PNG files into the folder given (default build/screenshots). Not part of test.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/screenshots}"
mkdir -p "$out"

"$root/scripts/build.sh" >/dev/null
win="$root/build/win"
# The program's resources (icons, pictures, manifest), so the windows show what they show in
# Klaxora.exe rather than the system's stand-in icon.
x86_64-w64-mingw32-windres -I"$win/src/win/generated" -I"$root/src/resources" \
  "$root/src/resources/klaxora.rc" -O coff -o "$win/shots_resources.o"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -municode -mwindows -static \
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 \
  -I"$root/src" -I"$root/src/core" "$root/tools/alarm_shots.cpp" "$win/shots_resources.o" \
  "$win/src/win/libklaxora_win.a" "$win/src/core/libklaxora_core.a" \
  -lcomctl32 -lcomdlg32 -lshell32 -lshlwapi -lole32 -loleaut32 -luuid -lwinmm -lgdi32 -lmsimg32 \
  -luser32 -lkernel32 -ladvapi32 -o "$win/bin/alarm_shots.exe"
x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -municode -mwindows -static \
  -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 \
  -I"$root/src" -I"$root/src/core" -I"$root/tests" "$root/tools/dialog_shots.cpp" "$win/shots_resources.o" \
  "$win/src/win/libklaxora_win.a" "$win/src/core/libklaxora_core.a" \
  -lcomctl32 -lcomdlg32 -lshell32 -lshlwapi -lole32 -loleaut32 -luuid -lwinmm -lgdi32 -lmsimg32 \
  -luser32 -lkernel32 -ladvapi32 -lws2_32 -o "$win/bin/dialog_shots.exe"

source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
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
