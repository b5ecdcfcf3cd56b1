#!/usr/bin/env bash
# Runs e2e_journey.exe against the release zip under Wine: the zip unpacked with Python's
# zipfile into C:\ゲーム\ of a fresh prefix, a virtual desktop with a taskbar, and .pdf files
# opened by shell_recorder.exe.
#
#   tests/e2e/run-journey.sh <Vantrel-<version>.zip> <e2e_journey.exe> <shell_recorder.exe> <win32|win64>
#
# The zip is the one tools/release makes (under CTest its fixture, release_zip, runs it first,
# so that the session plays the exes of this tree). Exits 0 when every check passed, 77
# (skipped) where this machine cannot run the width.
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -eq 4 ] || { echo "usage: $0 <zip> <e2e_journey.exe> <shell_recorder.exe> <win32|win64>" >&2; exit 2; }
zip=$1 arch=$4
case $arch in win32) bits=32bit ;; win64) bits=64bit ;; *) echo "run-journey: bad width $arch" >&2; exit 2 ;; esac
[ -f "$zip" ] || { echo "run-journey: no $zip (tools/release makes it)" >&2; exit 2; }
ws_test_session run-journey "$arch" "$2" "$3"
ws_shell_desktop
ws_shell_recorder .pdf
mkdir -p "$WS_DRIVE_C/ゲーム"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$WS_DRIVE_C/ゲーム" ||
  { echo "run-journey: cannot unpack $zip" >&2; exit 1; }
ws_run 150 e2e_journey.exe "C:\\ゲーム\\$(basename "$zip" .zip)\\$bits\\Vantrel.exe"
report_summary
