#!/usr/bin/env bash
# Runs wine_spin_edit.exe under Wine, in a fresh prefix on a private Xvfb display, takes the
# screenshots it asks for, and exits with its code (77, skipped, where this machine cannot run
# the width). The prefix is a copy of the one booted in $WS_TEMPLATE when that is set, else
# booted here.
#
#   tests/win32/run-spin-edit.sh <wine_spin_edit.exe> [win32|win64]
#
# The program writes <name>.req (the window's screen rectangle: x y width height) into its
# shot folder and waits for <name>.done; this script answers with the whole screen and the
# window cut out of it, also enlarged 4 times, in $VANTREL_SHOTS (by default
# /tmp/vantrel-shots) as spin-<arch>-<name>.png, -window.png and -zoom.png.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 1 ]; then
  echo "usage: $0 <wine_spin_edit.exe> [win32|win64]" >&2
  exit 2
fi
exe=$1
[ -f "$exe" ] || { echo "run-spin-edit: no such file: $exe" >&2; exit 2; }
arch=${2:-$(ws_pe_arch "$exe")} || exit 2
shots=${VANTREL_SHOTS:-/tmp/vantrel-shots}
mkdir -p "$shots" || exit 2

watcher=
stop_watcher() {
  if [ -n "$watcher" ]; then
    kill "$watcher" 2>/dev/null
    wait "$watcher" 2>/dev/null
    watcher=
  fi
}
trap 'stop_watcher; ws_end' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

ws_begin "$arch" || exit 1

mkdir -p "$WS_DRIVE_C/spin/shots"
cp "$exe" "$WS_DRIVE_C/spin/wine_spin_edit.exe"
requests=$WS_DRIVE_C/spin/shots

# Answers each request once: the screen, the window cut out of it, and an enlargement.
(
  while :; do
    for req in "$requests"/*.req; do
      [ -e "$req" ] || continue
      name=$(basename "$req" .req)
      [ -e "$requests/$name.done" ] && continue
      read -r x y w h <"$req"
      out=$shots/spin-$arch-$name
      ws_screenshot "$out.png" &&
        convert "$out.png" -crop "${w}x${h}+${x}+${y}" +repage "$out-window.png" &&
        convert "$out-window.png" -filter point -resize 400% "$out-zoom.png"
      : >"$requests/$name.done"
    done
    sleep 0.1
  done
) &
watcher=$!

echo "run-spin-edit: $arch, $exe; screenshots in $shots" >&2
# The program waits for conditions with its own limits; this only guards against a hung Wine.
timeout 180 "$WS_WINE" 'C:\spin\wine_spin_edit.exe' 'C:\spin\shots' </dev/null
rc=$?
[ $rc -eq 124 ] && echo "run-spin-edit: the program did not finish within 180 s" >&2
exit $rc
