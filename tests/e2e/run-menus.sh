#!/usr/bin/env bash
# Runs e2e_menus.exe against Vantrel.exe in a Wine virtual desktop with a taskbar, whose
# notification area shows Vantrel's icon for the driver to click on. The prefix opens .pdf
# files and https: addresses with shell_recorder.exe, which writes down what it was given.
# Then the driver looks at the menus at 96, 144 and 192 dpi, each in the C locale and in a
# Japanese one, with an ordinary Wine's fonts (no Japanese face linked behind the menu font)
# and a desktop that holds the options window at 192 dpi.
#
#   tests/e2e/run-menus.sh <Vantrel.exe> <e2e_menus.exe> <shell_recorder.exe> [win32|win64]
#
# Exits 0 when every check passed, 77 (skipped) where this machine cannot run the width.
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -ge 3 ] || { echo "usage: $0 <Vantrel.exe> <e2e_menus.exe> <shell_recorder.exe> [win32|win64]" >&2; exit 2; }
ws_test_session run-menus "${4:-}" "$1" "$2" "$3"
ws_shell_desktop
ws_shell_recorder .pdf https
# Wine's ShellExecute refuses a document that does not exist: the help file is an empty one.
: >"$WS_TESTS/Vantrel.pdf"
app=$WS_TESTS_WIN\\Vantrel.exe
ws_run 240 e2e_menus.exe "$app"
ws_unlinked_fonts && ws_regedit '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"shell"="1280x960"' ||
  { echo "run-menus: cannot set up the looks" >&2; exit 1; }
for dpi in 96 144 192; do
  ws_dpi "$dpi" || { echo "run-menus: cannot set $dpi dpi" >&2; exit 1; }
  for locale in C ja_JP.UTF-8; do
    ws_run LC_ALL=$locale 60 e2e_menus.exe "$app" look "dpi$dpi-${locale%%_*}"
  done
done
report_summary
