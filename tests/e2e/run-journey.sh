#!/usr/bin/env bash
# Runs e2e_journey.exe against the release zip under Wine: the zip unpacked with Python's
# zipfile into C:\ゲーム\ of a fresh prefix, a virtual desktop with a taskbar, and .pdf files
# opened by shell_recorder.exe (it writes C:\e2e\opened.txt).
#
#   tests/e2e/run-journey.sh <Vantrel-<version>.zip> <e2e_journey.exe> <shell_recorder.exe> <win32|win64>
#
# The zip is the one tools/release makes (under CTest its fixture, release_zip, runs it first, so
# that the session plays the exes of this tree). Screenshots go to $VANTREL_SHOTS (default
# /tmp/vantrel-shots) as journey-<arch>-<step>.png. Exits 0 when every check passed, 77
# (skipped) where this machine cannot run the width.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

[ $# -eq 4 ] || { echo "usage: $0 <zip> <e2e_journey.exe> <shell_recorder.exe> <win32|win64>" >&2; exit 2; }
zip=$1 driver=$2 recorder=$3 arch=$4
case $arch in win32) bits=32bit ;; win64) bits=64bit ;; *) echo "run-journey: bad width $arch" >&2; exit 2 ;; esac
ws_need_files run-journey "$driver" "$recorder"
ws_same_arch run-journey "$arch" "$driver" "$recorder"
[ -f "$zip" ] || { echo "run-journey: no $zip (tools/release makes it)" >&2; exit 2; }
release=$(basename "$zip" .zip)
shots=${VANTREL_SHOTS:-/tmp/vantrel-shots}
mkdir -p "$shots" || exit 2

ws_session "$arch"
# The association goes to HKEY_CLASSES_ROOT itself: in this Wine that key is
# HKLM\Software\Classes alone, the per-user HKCU\Software\Classes is not merged into it, and
# the prefix's own .pdf entry (winebrowser) would win over one made there.
reg() { "$WS_WINE" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d shell &&
  reg 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 800x600 &&
  reg 'HKCR\.pdf' /ve /d vantrelpdf &&
  reg 'HKCR\vantrelpdf\shell\open\command' /ve /d '"C:\e2e\shell_recorder.exe" "%1"' ||
  { echo "run-journey: cannot set up the registry" >&2; exit 1; }
mkdir -p "$WS_DRIVE_C/e2e" "$WS_DRIVE_C/ゲーム"
cp "$driver" "$WS_DRIVE_C/e2e/journey.exe"
cp "$recorder" "$WS_DRIVE_C/e2e/shell_recorder.exe"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$WS_DRIVE_C/ゲーム" ||
  { echo "run-journey: cannot unpack $zip" >&2; exit 1; }

timeout 150 "$WS_WINE" 'C:\e2e\journey.exe' "C:\\ゲーム\\$release\\$bits\\Vantrel.exe" </dev/null
rc=$?
[ $rc -ne 124 ] || echo "run-journey: the driver did not finish within 150 s" >&2
for bmp in "$WS_DRIVE_C"/e2e/shots/*.bmp; do
  [ -f "$bmp" ] || continue
  png=$shots/journey-$arch-$(basename "$bmp" .bmp).png
  convert "$bmp" "$png" && echo "run-journey: screenshot $png" >&2
done
exit $rc
