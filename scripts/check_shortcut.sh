#!/bin/sh
# Reads the shortcut the end-to-end test left in the given folder with lnkinfo (liblnk-utils),
# a reader independent of Windows, and checks its target, arguments and working folder against
# the folder's expected.txt (three UTF-8 lines). Run by ctest after e2e_tests.
set -eu
folder="$1"
link="$folder/Klaxora.lnk"
expected="$folder/expected.txt"
[ -f "$link" ] || { echo "no shortcut at $link"; exit 1; }
[ -f "$expected" ] || { echo "no $expected"; exit 1; }
info="$(lnkinfo "$link")"
printf '%s\n' "$info"
# lnkinfo prints each property as "<name><spaces>: <value>".
value() { printf '%s\n' "$info" | sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" | head -n 1; }
target="$(sed -n 1p "$expected")"
arguments="$(sed -n 2p "$expected")"
working="$(sed -n 3p "$expected")"
status=0
check() {
  if [ "$2" != "$3" ]; then
    echo "$1: read <$2>, expected <$3>"
    status=1
  fi
}
check "target" "$(value 'Local path')" "$target"
check "arguments" "$(value 'Command line arguments')" "$arguments"
check "working folder" "$(value 'Working directory')" "$working"
[ "$status" = 0 ] && echo "shortcut read back as written"
rm -f "$link" "$expected"
exit "$status"
