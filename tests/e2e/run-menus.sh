#!/usr/bin/env bash
# Runs e2e_menus.exe against Vantrel.exe in a Wine virtual desktop with a taskbar, whose
# notification area shows Vantrel's icon for the driver to click on. The prefix opens .pdf
# files and https: addresses with shell_recorder.exe, which writes down what it was given.
#
#   tests/e2e/run-menus.sh <Vantrel.exe> <e2e_menus.exe> <shell_recorder.exe> [win32|win64]
#
# Screenshots go to $VANTREL_SHOTS, by default /tmp/vantrel-shots, named
# menus-<arch>-<step>.png. Exits with the driver's code, 77 (skipped) where this machine
# cannot run the width. The prefix is a copy of the one booted in $WS_TEMPLATE when that is
# set, else booted here.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 3 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_menus.exe> <shell_recorder.exe> [win32|win64]" >&2
  exit 2
fi
app=$1 driver=$2 recorder=$3
ws_need_files run-menus "$app" "$driver" "$recorder"
arch=${4:-$(ws_pe_arch "$app")} || exit 2
ws_same_arch run-menus "$arch" "$driver" "$recorder"
shots=${VANTREL_SHOTS:-/tmp/vantrel-shots}

ws_session "$arch"
mkdir -p "$WS_DRIVE_C/e2e"
cp "$app" "$WS_DRIVE_C/e2e/Vantrel.exe"
cp "$driver" "$WS_DRIVE_C/e2e/e2e_menus.exe"
cp "$recorder" "$WS_DRIVE_C/e2e/shell_recorder.exe"
: >"$WS_DRIVE_C/e2e/Vantrel.pdf"

# Every program of the prefix runs in the virtual desktop "shell", with a taskbar; .pdf files
# and https: addresses open with the recorder. Wine 8's HKEY_CLASSES_ROOT shows only the
# machine's classes (the user's are not merged in), and its ShellExecute refuses a document
# that does not exist: the help file is an empty one.
open='@="\"C:\\e2e\\shell_recorder.exe\" \"%1\""'
printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="shell"' '' \
  '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"shell"="800x600"' '' \
  '[HKEY_CLASSES_ROOT\.pdf]' '@="vantrel.pdf"' '' \
  '[HKEY_CLASSES_ROOT\vantrel.pdf\shell\open\command]' "$open" '' \
  '[HKEY_CLASSES_ROOT\https\shell\open\command]' "$open" >"$WS_DRIVE_C/e2e/menus.reg"
"$WS_WINE" regedit.exe /S 'C:\e2e\menus.reg' </dev/null >/dev/null 2>&1 ||
  { echo "run-menus: cannot set up the prefix" >&2; exit 1; }

# The driver has its own timeouts on every wait; this one only guards against a hung Wine.
timeout 240 "$WS_WINE" 'C:\e2e\e2e_menus.exe' 'C:\e2e\Vantrel.exe' </dev/null
rc=$?
[ $rc -ne 124 ] || echo "run-menus: the driver did not finish within 240 s" >&2
mkdir -p "$shots"
for bmp in "$WS_DRIVE_C"/e2e/shots/*.bmp; do
  [ -f "$bmp" ] || continue
  name=menus-$arch-$(basename "$bmp" .bmp).png
  /usr/bin/convert "$bmp" "$shots/$name" 2>/dev/null && echo "run-menus: screenshot $shots/$name" >&2
done
exit $rc
