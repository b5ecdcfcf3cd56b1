#!/usr/bin/env bash
# Runs the private-profile differential test under Wine, in a fresh prefix in a temp folder,
# and exits with its code.
#
#   tests/wine/run-differential.sh <wine_profile_differential.exe> [win32|win64]
#
# The width is read from the exe's PE header unless given. The Japanese cases need the ANSI
# code page 932: Wine takes it from LC_ALL (LANG and LC_CTYPE are not enough when the Unix
# locale is not installed, and no Unix locale is needed). Everything the run makes is
# removed on exit (WS_KEEP=1 keeps it).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 1 ]; then
  echo "usage: $0 <wine_profile_differential.exe> [win32|win64]" >&2
  exit 2
fi
exe=$1
[ -f "$exe" ] || { echo "run-differential: no such file: $exe" >&2; exit 2; }
arch=${2:-$(ws_pe_arch "$exe")} || exit 2

trap ws_end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A console program needs no display; the session starts one anyway, which costs a second.
ws_begin "$arch" || exit 1

mkdir -p "$WS_DRIVE_C/profile"
cp "$exe" "$WS_DRIVE_C/profile/wine_profile_differential.exe"

echo "run-differential: $arch, $exe" >&2
# The corpus takes seconds; this only guards against a hung Wine.
LC_ALL=ja_JP.UTF-8 timeout 120 "$WS_WINE" 'C:\profile\wine_profile_differential.exe' </dev/null
rc=$?
if [ $rc -eq 124 ]; then
  echo "run-differential: the test did not finish within 120 s" >&2
fi
exit $rc
