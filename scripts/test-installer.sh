#!/usr/bin/env bash
# Tests the installer under Wine, inside the prefix and display that wine-env.sh's
# wine_env_start has set up (test.sh calls this between start and stop): a silent install puts
# the files, the Start-menu entry and the uninstall entry in place; the installed program starts
# and seeds its sounds; an update over it closes it and starts it again to take over the alarm it
# kept; a silent uninstall closes it, removes the files, the kept alarms and the entries that
# start this copy, and keeps the settings unless /PURGE is given. The installed program reads no
# environment variable: it carries none of the test seams' names and writes no start-up trace.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${WINEPREFIX:?run inside wine_env_start (scripts/wine-env.sh)}"

installer="$(ls -t "$root"/build/installer/Klaxora-*-setup.exe | head -n 1)"  # the newest
settings='HKCU\Software\Vantrelix\Klaxora'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Klaxora'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
runonce_key='HKCU\Software\Microsoft\Windows\CurrentVersion\RunOnce'
armed_key="$settings\\Uzbrojone"
after_start_key="$settings\\PoStarcie"
passed=0
failed=0

check() {  # description command...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "test-installer: FAILED: $what" >&2
  fi
}
# Waits up to 60 s for a condition; true when it came.
wait_for() {
  local deadline=$((SECONDS + 60))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}
win_text() { wine cmd /c echo "$1" 2>/dev/null | tr -d '\r'; }
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
has_key() { wine reg query "$1" >/dev/null 2>&1; }
has_value() { wine reg query "$1" /v "$2" >/dev/null 2>&1; }
no_key() { ! has_key "$1"; }
no_value() { ! has_value "$1" "$2"; }
gone() { [ ! -e "$1" ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
same_text() { [ "${1,,}" = "${2,,}" ]; }
# Whether a program holds a test seam's name (KLAXORA_..., in UTF-16 as its literals are, or in
# bytes).
carries_seams() { LC_ALL=C grep -aqP 'K\x00L\x00A\x00X\x00O\x00R\x00A\x00_\x00|KLAXORA_' "$1"; }
carries_no_seam() { ! carries_seams "$1"; }
# This prefix's running Klaxora.exe processes, also those another program started (Wine names
# a process by its Windows path).
klaxora_pids() {
  local p exe
  for p in /proc/[0-9]*; do
    IFS= read -r -d '' exe 2>/dev/null <"$p/cmdline" || continue
    [[ "${exe,,}" == *'\klaxora.exe' ]] &&
      grep -qzxF "WINEPREFIX=$WINEPREFIX" "$p/environ" 2>/dev/null && echo "${p#/proc/}"
  done
}
no_klaxora() { [ -z "$(klaxora_pids)" ]; }
# The kept alarm $1 is there and held by a running copy of the installed program, which wrote
# the alarm's one-time run again as it took it over.
holds_kept() {
  has_key "$armed_key\\$1" && [ -n "$(klaxora_pids)" ] &&
    same_text "$(reg_value "$runonce_key" "Klaxora $1")" "\"$exe_win\" /alarm-po-starcie"
}
no_kept_alarm() { no_key "$armed_key" && no_key "$after_start_key"; }

program_dir_win="$(win_text '%LOCALAPPDATA%')\\Programs\\Klaxora"
program_dir="$(winepath -u "$program_dir_win" 2>/dev/null)"
start_menu="$(winepath -u "$(win_text '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)"
exe_win="$program_dir_win\\Klaxora.exe"

echo "test-installer: silent install of $(basename "$installer")"
check "the silent install succeeds" wine "$installer" /S
check "Klaxora.exe is installed" test -f "$program_dir/Klaxora.exe"
check "the help is installed" test -f "$program_dir/help/alarm.html"
check "eight sounds are installed" test "$(ls "$program_dir/sound" | wc -l)" -eq 8
check "the Telefon sound is installed" test -f "$program_dir/sound/Telefon.wav"
check "the uninstaller is installed" test -f "$program_dir/uninstall.exe"
check "the Start menu entry exists" test -f "$start_menu/Klaxora.lnk"
if command -v lnkinfo >/dev/null; then
  check "the Start menu entry starts the installed program" \
    bash -c 'lnkinfo "$1" | tr -d "\r" | grep -qiF "$2"' _ "$start_menu/Klaxora.lnk" 'Programs\Klaxora\Klaxora.exe'
fi
check "the uninstall entry names the uninstaller" \
  same_text "$(reg_value "$uninstall_key" UninstallString)" "\"$program_dir_win\\uninstall.exe\""
check "the uninstall entry names the program" same_text "$(reg_value "$uninstall_key" DisplayName)" Klaxora

echo "test-installer: the installed program starts, ignoring the test seams"
# The search below finds the names where they are: the tests' build carries them.
tests_build="$root/build/win/bin/Klaxora.exe"
if [ -f "$tests_build" ]; then
  check "the tests' program carries the test seams" carries_seams "$tests_build"
fi
check "the installed program carries no test seam" carries_no_seam "$program_dir/Klaxora.exe"
# A first run is what is checked: no settings left by an earlier program in the prefix.
wine reg delete "$settings" /f >/dev/null 2>&1 || true
trace="$WINEPREFIX/drive_c/startup-trace.txt"
rm -f "$trace"
KLAXORA_STARTUP_TRACE='C:\startup-trace.txt' wine "$program_dir/Klaxora.exe" >/dev/null 2>&1 &
program=$!
check "the first run stores the installed path" \
  wait_for bash -c 'p="$(wine reg query "$1" /v Path 2>/dev/null | tr -d "\r")"; [[ "${p,,}" == *"${2,,}"* ]]' \
  _ "$settings" "$exe_win"
check "the first run offers the installed sounds" \
  wait_for has_value "$settings\\Sound_MRU" "$program_dir_win\\sound\\Budzik.mp3"
# The trace's first stage is written before the main window stores the path.
check "the installed program writes no start-up trace" gone "$trace"

echo "test-installer: an update over the running program resumes a kept alarm"
# A count-down kept half an hour ahead, as a copy closed at log-off leaves it: the definition
# as a shortcut's parameters (each after a space), the version written last. Its one-time run is
# left out: the copy that takes it over writes that.
kept_id=4242-1
now_ms=$(date +%s%3N)
# Wine reads a command line's "¶" in the locale's character set.
put() {
  LC_ALL=C.UTF-8 wine reg add "$armed_key\\$kept_id" /v "$1" /t "$2" /d "$3" /f >/dev/null 2>&1
}
put Definicja REG_SZ ' "OD: 0:30:0" "Komunikat" "UWAGA !!!|Po aktualizacji"'
put Kod REG_SZ OD
for name in Godzina Minuta Sekunda Powtorka; do put "$name" REG_DWORD 0; done
put Sekundy REG_DWORD 1800
for name in Program Szczegol ZabijPlik ZabijStart; do put "$name" REG_SZ ''; done
put Akcja REG_SZ Komunikat
put Parametr REG_SZ 'UWAGA !!!¶Po aktualizacji'
put Termin REG_SZ $((now_ms + 1800000))
put Uzbrojono REG_SZ "$now_ms"
put Wersja REG_DWORD 1
check "the silent update succeeds" wine "$installer" /S
check "the update closes the running program" wait_for ended "$program"
check "the updated program runs again, holding the kept alarm" wait_for holds_kept "$kept_id"
# An earlier version's alarm after Windows start goes with the kept alarms.
wine reg add "$after_start_key" /v ActionCaption /t REG_SZ /d Komunikat /f >/dev/null 2>&1

# Entries that start this copy, and one that starts another program.
wine reg add "$run_key" /v Alarm /t REG_SZ /d "$exe_win" /f >/dev/null 2>&1
wine reg add "$runonce_key" /v KlaxoraAlarm /t REG_SZ /d "\"$exe_win\" \"PW:\" \"Domyślne okno\"" /f >/dev/null 2>&1
wine reg add "$runonce_key" /v SomethingElse /t REG_SZ /d 'C:\other\tool.exe' /f >/dev/null 2>&1

echo "test-installer: silent uninstall, keeping the settings"
check "the silent uninstall starts" wine "$program_dir/uninstall.exe" /S
check "the uninstaller closes the running program" wait_for no_klaxora
for pid in $(klaxora_pids); do kill "$pid" 2>/dev/null || true; done
# The uninstall entry goes last: once it is gone, the uninstaller has done everything.
check "the uninstall entry is removed" wait_for no_key "$uninstall_key"
check "the program folder is removed" wait_for gone "$program_dir"
check "the Start menu entry is removed" gone "$start_menu/Klaxora.lnk"
check "the autostart of this copy is removed" no_value "$run_key" Alarm
check "the one-time run of this copy is removed" no_value "$runonce_key" KlaxoraAlarm
check "another program's one-time run stays" has_value "$runonce_key" SomethingElse
check "the kept alarms are removed" no_kept_alarm
check "the kept alarm's one-time run is removed" no_value "$runonce_key" "Klaxora $kept_id"
check "the settings stay" has_key "$settings"

echo "test-installer: install again, silent uninstall with /PURGE"
check "the second silent install succeeds" wine "$installer" /S
wine reg add "$run_key" /v Alarm /t REG_SZ /d 'C:\other\alarm.exe' /f >/dev/null 2>&1
check "the silent uninstall with /PURGE starts" wine "$program_dir/uninstall.exe" /S /PURGE
check "the uninstall entry is removed again" wait_for no_key "$uninstall_key"
check "the program folder is removed again" wait_for gone "$program_dir"
check "the settings are removed" no_key "$settings"
check "another program's autostart value \"Alarm\" stays" has_value "$run_key" Alarm
wine reg delete "$run_key" /v Alarm /f >/dev/null 2>&1 || true
wine reg delete "$runonce_key" /v SomethingElse /f >/dev/null 2>&1 || true

echo "test-installer: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
