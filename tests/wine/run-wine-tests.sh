#!/usr/bin/env bash
# Runs the Win32 adapter tests under Wine, in one fresh prefix in a temp folder (a copy of
# the one booted in $WS_TEMPLATE when that is set), and exits 0 when every check passed, 77
# (skipped) where this machine cannot run the width.
#
#   tests/wine/run-wine-tests.sh <Vantrel.exe> <test.exe>... [--unlinked <test.exe>...]
#
# Each test gets the path of Vantrel.exe (copied into the prefix) as its argument. The tests
# after --unlinked run last, under LC_ALL=C and with an ordinary Wine's fonts (no Japanese
# face linked behind the UI fonts, no Japanese font name replaced). The width
# is read from the PE header of Vantrel.exe. The Japanese cases need the ANSI code page 932:
# Wine takes it from LC_ALL (LANG and LC_CTYPE are not enough when the Unix locale is not
# installed, and no Unix locale is needed). Everything the run makes is removed on exit
# (WS_KEEP=1 keeps it).
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

files=() unlinked=()
while [ $# -gt 0 ] && [ "$1" != --unlinked ]; do files+=("$1"); shift; done
[ $# -eq 0 ] || { shift; unlinked=("$@"); }
[ ${#files[@]} -ge 1 ] && [ $((${#files[@]} + ${#unlinked[@]})) -ge 2 ] ||
  { echo "usage: $0 <Vantrel.exe> <test.exe>... [--unlinked <test.exe>...]" >&2; exit 2; }
# Console programs need no display; the session starts one anyway, which costs a second.
ws_test_session run-wine-tests "" "${files[@]}" ${unlinked[@]+"${unlinked[@]}"}
for exe in "${files[@]:1}"; do
  # Each test takes seconds; the limit only guards against a hung Wine.
  ws_run LC_ALL=ja_JP.UTF-8 120 "$(basename "$exe")" "$WS_TESTS_WIN\\Vantrel.exe"
done
[ ${#unlinked[@]} -eq 0 ] || ws_unlinked_fonts || { echo "run-wine-tests: cannot unlink the fonts" >&2; exit 1; }
for exe in ${unlinked[@]+"${unlinked[@]}"}; do
  ws_run LC_ALL=C 120 "$(basename "$exe")" "$WS_TESTS_WIN\\Vantrel.exe"
done
report_summary
