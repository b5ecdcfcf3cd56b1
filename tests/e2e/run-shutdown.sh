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
# WS_KEEP=1 keeps the temp folder (and the log, wine.log in it). Exits 0 when every check
# passed, 77 (skipped) where this machine cannot run the width.
set -uo pipefail

# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -ge 2 ] || { echo "usage: $0 <Vantrel.exe> <e2e_shutdown.exe> [win32|win64]" >&2; exit 2; }
export WS_WINEDEBUG=${WS_WINEDEBUG:-err+seh}
ws_test_session run-shutdown "${3:-}" "$1" "$2"

# A crash must end the process, not wait for a person at Wine's crash dialog; the debugger
# still writes its backtrace to the log.
ws_regedit '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' ||
  echo "run-shutdown: could not turn the crash dialog off" >&2

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

# Wine's output goes to a log, read for crashes below. The driver has its own limits on every
# wait; these only guard against a hung Wine.
export WS_RUN_LOG=$WS_DIR/wine.log
: >"$WS_RUN_LOG"
app=$WS_TESTS_WIN\\Vantrel.exe
ws_run 300 e2e_shutdown.exe "$app"
ws_run USER=Łukasz LC_ALL=en_US.UTF-8 LOCPATH="$locales" 120 e2e_shutdown.exe "$app" --user pl
ws_run USER=山田 LC_ALL=ja_JP.UTF-8 LOCPATH="$locales" 120 e2e_shutdown.exe "$app" --user ja

# Wine reports an exception nobody handled as "Unhandled page fault on ..." (or
# "Unhandled exception: ..." from the debugger), whichever program it hit; the driver's
# "e2e_shutdown: ..." marks before it tell the run.
crashes=$(tr -d '\r' <"$WS_RUN_LOG" | awk '
  /^e2e_shutdown: / { where = substr($0, 15) }
  /Unhandled (page fault|exception|illegal|stack overflow|privileged|divide)/ { print where ": " $0 }')
[ -z "$crashes" ]
report_check $? "Wine reports no unhandled exception" "none" "$(wc -l <<<"$crashes"): $(head -1 <<<"$crashes")"
[ -z "$crashes" ] || head -40 <<<"$crashes" >&2
report_summary
