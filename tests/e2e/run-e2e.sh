#!/usr/bin/env bash
# Runs the end-to-end driver against Vantrel.exe under Wine, in a fresh prefix on a private
# Xvfb display, and exits with the driver's code.
#
#   tests/e2e/run-e2e.sh <Vantrel.exe> <e2e_driver.exe> [win32|win64]
#
# The width is read from Vantrel.exe's PE header unless given. Needs no network, no
# terminal and no person; everything it makes is removed on exit (WS_KEEP=1 keeps it).
# The prefix is a copy of the one booted in $WS_TEMPLATE when that is set (CTest's Wine
# fixture boots one per build), else booted here. Exits with 77 (skipped) where this machine
# cannot run the width.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 2 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_driver.exe> [win32|win64]" >&2
  exit 2
fi
app=$1 driver=$2
ws_need_files run-e2e "$app" "$driver"
arch=${3:-$(ws_pe_arch "$app")} || exit 2
ws_same_arch run-e2e "$arch" "$driver"

ws_session "$arch"

mkdir -p "$WS_DRIVE_C/e2e"
cp "$app" "$WS_DRIVE_C/e2e/Vantrel.exe"
cp "$driver" "$WS_DRIVE_C/e2e/e2e_driver.exe"

echo "run-e2e: $arch, $(basename "$app") from $app" >&2
# The driver has its own timeouts on every wait; this one only guards against a hung Wine.
timeout 240 "$WS_WINE" 'C:\e2e\e2e_driver.exe' 'C:\e2e\Vantrel.exe' </dev/null
rc=$?
if [ $rc -eq 124 ]; then
  echo "run-e2e: the driver did not finish within 240 s" >&2
fi
# Screenshots a driver saved beside the exe, as PNGs for a person to look at.
shots=${VANTREL_SHOTS:-/tmp/vantrel-shots}
for bmp in "$WS_DRIVE_C"/e2e/shots/*.bmp; do
  [ -f "$bmp" ] || continue
  mkdir -p "$shots"
  name=$(basename "$bmp" .bmp)
  /usr/bin/convert "$bmp" "$shots/$arch-$name.png" 2>/dev/null &&
    echo "run-e2e: screenshot $shots/$arch-$name.png" >&2
done
if [ $rc -ne 0 ] && [ "${WS_SHOT_ON_FAIL:-0}" = 1 ]; then
  ws_screenshot "${TMPDIR:-/tmp}/vantrel-e2e-fail-$arch.png" 2>/dev/null &&
    echo "run-e2e: screenshot in ${TMPDIR:-/tmp}/vantrel-e2e-fail-$arch.png" >&2
fi
exit $rc
