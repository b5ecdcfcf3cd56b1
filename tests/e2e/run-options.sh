#!/usr/bin/env bash
# Runs e2e_options.exe against Vantrel.exe under Wine in a virtual desktop with a taskbar
# (whose tray holds Vantrel's icon), in a fresh prefix on a private Xvfb display: first the
# whole session at 96 dpi, then, with the Wine server restarted, the window's frame and
# layout only, at 144 dpi and with LC_ALL=C (Wine in an English, code page 1252 locale, the
# Japanese texts still shown through the linked fonts).
#
#   tests/e2e/run-options.sh <Vantrel.exe> <e2e_options.exe> [win32|win64]
#
# Screenshots go to $VANTREL_SHOTS (default /tmp/vantrel-shots) as options-<arch>-<step>.png.
# Exits 0 when both runs passed, 77 (skipped) where this machine cannot run the width. The
# prefix is a copy of the one booted in $WS_TEMPLATE when that is set, else booted here.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 2 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_options.exe> [win32|win64]" >&2
  exit 2
fi
app=$1 driver=$2
ws_need_files run-options "$app" "$driver"
arch=${3:-$(ws_pe_arch "$app")} || exit 2
ws_same_arch run-options "$arch" "$driver"
shots=${VANTREL_SHOTS:-/tmp/vantrel-shots}
mkdir -p "$shots" || exit 2

ws_session "$arch"
ws_shell_desktop run-options
mkdir -p "$WS_DRIVE_C/e2e"
cp "$app" "$WS_DRIVE_C/e2e/Vantrel.exe"
cp "$driver" "$WS_DRIVE_C/e2e/e2e_options.exe"

# run <limit s> <driver args>...: the driver's exit code; its screenshots become PNGs.
run() {
  local limit=$1 rc bmp
  shift
  rm -rf "$WS_DRIVE_C/e2e/shots"
  timeout "$limit" "$WS_WINE" 'C:\e2e\e2e_options.exe' 'C:\e2e\Vantrel.exe' "$@" </dev/null
  rc=$?
  [ $rc -ne 124 ] || echo "run-options: the driver did not finish within $limit s" >&2
  for bmp in "$WS_DRIVE_C"/e2e/shots/*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "$shots/options-$arch-$(basename "$bmp" .bmp).png" &&
      echo "run-options: screenshot $shots/options-$arch-$(basename "$bmp" .bmp).png" >&2
  done
  return $rc
}

run 120
rc=$?
# The density is read when the Wine server starts: it is stopped first.
"$WS_WINESERVER" -k >/dev/null 2>&1
timeout 30 "$WS_WINESERVER" -w
"$WS_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
  { echo "run-options: cannot set 144 dpi" >&2; exit 1; }
LC_ALL=C run 60 layout dpi144-C || rc=$?
exit $rc
