#!/usr/bin/env bash
# Runs e2e_shutdown against Vantrel.exe under Wine, in a fresh prefix on a private Xvfb
# display: once as the prefix's user (the ways out, the intervals), then once per logon name
# outside the ANSI code page (Łukasz under code page 1252, 山田 under 932). Wine's error
# output goes to a log (WINEDEBUG=err+seh unless WS_WINEDEBUG says otherwise); an unhandled
# exception in it fails the run whatever the driver counted, since a crash at exit can leave
# an exit code that looks fine.
#
#   tests/e2e/run-shutdown.sh <Vantrel.exe> <e2e_shutdown.exe> [win32|win64]
#
# WS_KEEP=1 keeps the temp folder (and the log, wine.log in it).
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 2 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_shutdown.exe> [win32|win64]" >&2
  exit 2
fi
app=$1 driver=$2
ws_need_files run-shutdown "$app" "$driver"
arch=${3:-$(ws_pe_arch "$app")} || exit 2
ws_same_arch run-shutdown "$arch" "$driver"

export WS_WINEDEBUG=${WS_WINEDEBUG:-err+seh}
ws_session "$arch"

# A crash must end the process, not wait for a person at Wine's crash dialog; the debugger
# still writes its backtrace to the log.
"$WS_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  </dev/null >/dev/null 2>&1 || echo "run-shutdown: could not turn the crash dialog off" >&2

# Wine takes the logon name from USER and decodes it (like the command line) in the charset
# of the Unix locale that LC_ALL names; the ANSI code page follows that name as well. Where
# the locale is not installed the charset is ASCII and every byte beyond it loses its high
# bit (Łukasz arrives as "E\x01ukasz"), so both names stand for glibc's C.UTF-8 in a locale
# folder of our own.
locales=$WS_DIR/locale
utf8=/usr/lib/locale/C.utf8
mkdir -p "$locales"
for name in en_US ja_JP; do
  for codeset in UTF-8 utf8; do ln -s "$utf8" "$locales/$name.$codeset"; done
done
[ -d "$utf8" ] || echo "run-shutdown: no $utf8; the logon names will not decode" >&2

mkdir -p "$WS_DRIVE_C/e2e"
cp "$app" "$WS_DRIVE_C/e2e/Vantrel.exe"
cp "$driver" "$WS_DRIVE_C/e2e/e2e_shutdown.exe"
log=$WS_DIR/wine.log report=$WS_DIR/report.txt
: >"$log"
: >"$report"

echo "run-shutdown: $arch, $(basename "$app") from $app" >&2
status=0
# drive <limit in s> [NAME=value...] -- [driver arguments]: one driver run; its report is
# shown and kept, Wine's output only kept.
drive() {
  local limit=$1 rc
  local -a vars=()
  shift
  while [ "$1" != -- ]; do vars+=("$1"); shift; done
  shift
  echo "# e2e_shutdown $* ${vars[*]}" | tee -a "$report"
  env ${vars[@]+"${vars[@]}"} timeout "$limit" "$WS_WINE" 'C:\e2e\e2e_shutdown.exe' \
    'C:\e2e\Vantrel.exe' "$@" </dev/null 2>>"$log" | tee -a "$report"
  rc=${PIPESTATUS[0]}
  [ "$rc" -eq 124 ] && echo "run-shutdown: the driver did not finish within $limit s" >&2
  [ "$rc" -eq 0 ] || status=1
}
# The driver has its own timeouts on every wait; these only guard against a hung Wine.
drive 300 --
drive 120 USER=Łukasz LC_ALL=en_US.UTF-8 LOCPATH="$locales" -- --user pl
drive 120 USER=山田 LC_ALL=ja_JP.UTF-8 LOCPATH="$locales" -- --user ja

# Wine reports an exception nobody handled as "Unhandled page fault on ..." (or
# "Unhandled exception: ..." from the debugger), whichever program it hit; the driver's
# "e2e_shutdown: ..." marks before it tell the run.
crashes=$(tr -d '\r' <"$log" | awk '
  /^e2e_shutdown: / { where = substr($0, 15) }
  /Unhandled (page fault|exception|illegal|stack overflow|privileged|divide)/ { print where ": " $0 }')
if [ -z "$crashes" ]; then
  echo "ok - Wine reports no unhandled exception" | tee -a "$report"
else
  echo "FAIL - Wine reports no unhandled exception: expected none, got $(wc -l <<<"$crashes"):" |
    tee -a "$report"
  head -40 <<<"$crashes" >&2
  status=1
fi
# One closing line for the three driver runs and the log.
tr -d '\r' <"$report" | awk '
  /^[0-9]+ passed, [0-9]+ failed$/ { p += $1; f += $3 } /^ok - Wine/ { p++ } /^FAIL - Wine/ { f++ }
  END { printf "%d passed, %d failed\n", p, f }'
exit $status
