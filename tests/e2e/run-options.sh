#!/usr/bin/env bash
# Runs e2e_options.exe against Vantrel.exe under Wine in a virtual desktop with a taskbar
# (whose tray holds Vantrel's icon): first the whole session at 96 dpi, then, with the Wine
# server restarted, the window's frame and layout only, at 144 dpi and with LC_ALL=C (Wine in
# an English, code page 1252 locale, the Japanese texts still shown through the linked fonts).
#
#   tests/e2e/run-options.sh <Vantrel.exe> <e2e_options.exe> [win32|win64]
#
# Exits 0 when both runs passed, 77 (skipped) where this machine cannot run the width.
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -ge 2 ] || { echo "usage: $0 <Vantrel.exe> <e2e_options.exe> [win32|win64]" >&2; exit 2; }
ws_test_session run-options "${3:-}" "$1" "$2"
ws_shell_desktop
app=$WS_TESTS_WIN\\Vantrel.exe
ws_run 200 e2e_options.exe "$app"
ws_dpi 144 || { echo "run-options: cannot set 144 dpi" >&2; exit 1; }
ws_run LC_ALL=C 60 e2e_options.exe "$app" layout dpi144-C
report_summary
