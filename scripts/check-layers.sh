#!/usr/bin/env bash
# Fails on an include in src/win that climbs a layer. From the bottom: the system layer (sys),
# the control kit (ui, which also includes no domain header of the core), the windows by
# feature (cmdline, config, dialogs, actions), the application that composes them (app).
set -euo pipefail
win="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/win"
status=0
check() {  # folder, pattern of what it may not include, why
  local found
  found="$(grep -nE "^#include \"($2)" "$win/$1"/*.h "$win/$1"/*.cpp || true)"
  if [ -n "$found" ]; then
    echo "check-layers: $1 $3:" >&2
    echo "$found" | sed "s|$win/||" >&2
    status=1
  fi
}
check sys 'win/(ui|cmdline|config|dialogs|actions|app)/' "includes a layer above the system"
check ui 'win/(cmdline|config|dialogs|actions|app)/' "includes a layer above the control kit"
check ui '(app|config|actions|cmdline|dialogs)/' "includes a domain header of the core"
for feature in cmdline config dialogs actions; do
  check "$feature" 'win/app/' "includes the application"
done
[ "$status" = 0 ] && echo "check-layers: no include climbs a layer"
exit "$status"
