#!/usr/bin/env bash
# Runs an end-to-end driver against Vantrel.exe under Wine, in a fresh prefix on a private
# Xvfb display, and exits 0 when every check passed.
#
#   tests/e2e/run-e2e.sh [--shell-desktop] <Vantrel.exe> <driver.exe> [win32|win64]
#
# --shell-desktop runs everything in a Wine virtual desktop with a taskbar, whose notification
# area shows Vantrel's icon. The width is read from Vantrel.exe's PE header unless given; the
# driver must have the same. Needs no network, no terminal and no person; everything it makes
# is removed on exit (WS_KEEP=1 keeps it). The prefix is a copy of the one booted in
# $WS_TEMPLATE when that is set (CTest's Wine fixture boots one per build), else booted here.
# Exits with 77 (skipped) where this machine cannot run the width.
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

desktop=
[ "${1:-}" = --shell-desktop ] && { desktop=1; shift; }
[ $# -ge 2 ] || { echo "usage: $0 [--shell-desktop] <Vantrel.exe> <driver.exe> [win32|win64]" >&2; exit 2; }
ws_test_session run-e2e "${3:-}" "$1" "$2"
[ -z "$desktop" ] || ws_shell_desktop
# The driver has its own limits on every wait; this one only guards against a hung Wine.
ws_run 240 "$(basename "$2")" "$WS_TESTS_WIN\\Vantrel.exe"
report_summary
