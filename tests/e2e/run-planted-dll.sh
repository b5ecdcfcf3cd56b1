#!/usr/bin/env bash
# A DLL planted beside Vantrel.exe under the name of a system DLL that is not among the
# system's known DLLs (version.dll, winmm.dll) must never be loaded. Under Wine, whose own
# built-in DLLs would hide the fault, the prefix is told to prefer native DLLs for these two,
# as Windows' search order does.
# - Vantrel.exe beside a planted winmm.dll: it serves its hotkeys and clicks (its 1 ms timer
#   resolution comes from winmm), ends on WM_CLOSE (e2e_tray.exe --no-tray), and the planted
#   DLL leaves no marker.
# - version.dll: Wine's own user32 imports it (Windows' does not), so in any window program
#   a planted copy is loaded before the program's first instruction. dll_search.exe, a
#   console program without user32, loads both DLLs the way Vantrel.exe does and must get
#   the system's; loading them by bare name, as an import is found, must get the planted
#   ones (which shows that the set-up would catch the fault).
#
#   tests/e2e/run-planted-dll.sh <Vantrel.exe> <e2e_tray.exe> <planted_dll.dll> <dll_search.exe>
set -uo pipefail
# shellcheck source=../../tools/wine-session
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-session"

[ $# -ge 4 ] || { echo "usage: $0 <Vantrel.exe> <e2e_tray.exe> <planted_dll.dll> <dll_search.exe>" >&2; exit 2; }
ws_test_session run-planted-dll "" "$1" "$2" "$3" "$4"
search=$WS_DRIVE_C/search
mkdir -p "$search"
cp "$3" "$WS_TESTS/winmm.dll"
cp "$4" "$search/dll_search.exe"
cp "$3" "$search/version.dll"
cp "$3" "$search/winmm.dll"
# A marker is named after the module as it was loaded, in whatever case the loader used.
marker() { find "$1" -maxdepth 1 -iname "$2.dll.loaded" | grep -q .; }

ws_run WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm=n,b" 120 e2e_tray.exe "$WS_TESTS_WIN\\Vantrel.exe" --no-tray
! marker "$WS_TESTS" winmm
report_check $? "the planted winmm.dll beside Vantrel.exe was never loaded" "no marker" "winmm.dll.loaded"

search() {  # search restricted|plain: what dll_search.exe printed
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;version,winmm=n,b" timeout 60 "$WS_WINE" 'C:\search\dll_search.exe' "$1" \
    </dev/null 2>/dev/null | tr -d '\r'
}
out=$(search restricted)
for dll in version winmm; do
  line=$(grep -i "^$dll.dll " <<<"$out")
  grep -qi 'c:\\windows\\system32\\' <<<"$line"
  report_check $? "loaded as Vantrel.exe loads it, $dll.dll comes from the system folder" \
    "C:\\windows\\system32\\$dll.dll" "'${line:-nothing}'"
done
! marker "$search" version && ! marker "$search" winmm
report_check $? "neither planted DLL was loaded" "no marker" "$(ls "$search" | grep -i loaded | tr '\n' ' ')"
out=$(search plain)
grep -qi '^version.dll c:\\search\\' <<<"$out" && marker "$search" version
report_check $? "loaded by bare name, the planted version.dll is found (the check can see the fault)" \
  "C:\\search\\version.dll and its marker" "'$(tr '\n' ' ' <<<"$out")'"
report_summary
