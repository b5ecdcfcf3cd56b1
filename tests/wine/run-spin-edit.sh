#!/usr/bin/env bash
# Runs wine_spin_edit.exe under Wine, in a fresh prefix on a private Xvfb display (a copy of
# the one booted in $WS_TEMPLATE when that is set), and exits 0 when every check passed, 77
# (skipped) where this machine cannot run the width. Its screenshots (the screen, and the
# window enlarged 4 times) go to $VANTREL_SHOTS, by default /tmp/vantrel-shots, as
# spin_edit-<arch>-<name>.png.
#
#   tests/wine/run-spin-edit.sh <wine_spin_edit.exe> [win32|win64]
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -ge 1 ] || { echo "usage: $0 <wine_spin_edit.exe> [win32|win64]" >&2; exit 2; }
ws_test_session run-spin-edit "${2:-}" "$1"
# The program waits for conditions with its own limits; this only guards against a hung Wine.
ws_run 180 wine_spin_edit.exe
report_summary
