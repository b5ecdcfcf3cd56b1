#!/usr/bin/env bash
# Runs the Win32 adapter tests under Wine, in one fresh prefix in a temp folder (a copy of
# the one booted in $WS_TEMPLATE when that is set), and exits non-zero when any of them
# failed, 77 (skipped) where this machine cannot run the width.
#
#   tests/wine/run-wine-tests.sh <Vantrel.exe> <test.exe>...
#
# Each test gets the path of Vantrel.exe (copied into the prefix) as its argument. The width
# is read from the PE header of Vantrel.exe. The Japanese cases need the ANSI code page 932:
# Wine takes it from LC_ALL (LANG and LC_CTYPE are not enough when the Unix locale is not
# installed, and no Unix locale is needed). Everything the run makes is removed on exit
# (WS_KEEP=1 keeps it).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 2 ]; then
  echo "usage: $0 <Vantrel.exe> <test.exe>..." >&2
  exit 2
fi
app=$1
shift
for f in "$app" "$@"; do
  [ -f "$f" ] || { echo "run-wine-tests: no such file: $f" >&2; exit 2; }
done
arch=$(ws_pe_arch "$app") || exit 2

trap ws_end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Console programs need no display; the session starts one anyway, which costs a second.
ws_begin "$arch" || exit 1

mkdir -p "$WS_DRIVE_C/wt"
cp "$app" "$WS_DRIVE_C/wt/Vantrel.exe"
status=0
for exe in "$@"; do
  name=$(basename "$exe")
  cp "$exe" "$WS_DRIVE_C/wt/$name"
  echo "run-wine-tests: $arch, $name" >&2
  # Each test takes seconds; this only guards against a hung Wine.
  LC_ALL=ja_JP.UTF-8 timeout 120 "$WS_WINE" "C:\\wt\\$name" 'C:\wt\Vantrel.exe' </dev/null
  rc=$?
  [ $rc -eq 124 ] && echo "run-wine-tests: $name did not finish within 120 s" >&2
  [ $rc -ne 0 ] && status=1
done
exit $status
