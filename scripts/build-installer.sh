#!/usr/bin/env bash
# Builds the Windows installer with NSIS into build/installer/Klaxora-VERSION-setup.exe from
# its own tree, build/ship: Klaxora.exe built without the test seams (it reads no environment
# variable), help\ and sound\ beside it; only those targets are built there. The installer
# holds exactly the files listed here, and its uninstaller removes exactly those.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
win="$root/build/ship"
out="$root/build/installer"
# makensis reads the generated lists and the file names (Płacz tarzana.mp3) as UTF-8.
export LC_ALL=C.UTF-8

cmake -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKLAXORA_TEST_SEAMS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$win" -j "$(nproc)" --target Klaxora klaxora_help klaxora_sounds

version="$(sed -n 's/^#define KLAXORA_VERSION_TEXT "\(.*\)"$/\1/p' "$win/src/win/generated/version.h")"
[ -n "$version" ] || { echo "build-installer: no version in version.h" >&2; exit 1; }
bin="$win/bin"
mkdir -p "$out"

# One File line per shipped file and the matching Delete line, folder by folder.
install_list="$out/files_install.nsh"
uninstall_list="$out/files_uninstall.nsh"
: >"$install_list"
: >"$uninstall_list"
add_folder() {  # folder-relative-to-bin (empty for the top) pattern
  local rel=$1 pattern=$2 dest='$INSTDIR' file name count=0
  [ -n "$rel" ] && dest="\$INSTDIR\\$rel"
  echo "SetOutPath \"$dest\"" >>"$install_list"
  for file in "$bin/${rel:+$rel/}"$pattern; do
    [ -f "$file" ] || continue
    name="$(basename "$file")"
    echo "File \"$file\"" >>"$install_list"
    echo "Delete \"$dest\\$name\"" >>"$uninstall_list"
    count=$((count + 1))
  done
  [ "$count" -gt 0 ] || { echo "build-installer: nothing in $bin/$rel" >&2; exit 1; }
}
add_folder "" Klaxora.exe
add_folder help '*'
add_folder sound '*'

installer="$out/Klaxora-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION="$version" -DICON="$root/src/resources/images/klaxora.ico" \
  -DFILES_INSTALL="$install_list" -DFILES_UNINSTALL="$uninstall_list" \
  -DOUTFILE="$installer" "$root/installer/klaxora.nsi"
echo "build-installer: $installer"
