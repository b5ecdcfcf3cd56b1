#!/usr/bin/env bash
# A DLL planted beside Vantrel.exe under the name of a system DLL that is not among the
# system's known DLLs (version.dll, winmm.dll) must never be loaded. Under Wine, whose own
# built-in DLLs would hide the fault, the prefix is told to prefer native DLLs for these two,
# as Windows' search order does.
# - Vantrel.exe beside a planted winmm.dll: it serves its hotkeys and clicks (its 1 ms timer
#   resolution comes from winmm), ends on WM_CLOSE, and the planted DLL leaves no marker.
# - version.dll: Wine's own user32 imports it (Windows' does not), so in any window program
#   a planted copy is loaded before the program's first instruction. dll_search.exe, a
#   console program without user32, loads both DLLs the way Vantrel.exe does and must get
#   the system's; loading them by bare name, as an import is found, must get the planted
#   ones (which shows that the set-up would catch the fault).
#
#   tests/e2e/run-planted-dll.sh <Vantrel.exe> <e2e_tray.exe> <planted_dll.dll> <dll_search.exe>
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 4 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_tray.exe> <planted_dll.dll> <dll_search.exe>" >&2
  exit 2
fi
app=$1 helper=$2 planted=$3 search=$4
ws_need_files run-planted-dll "$app" "$helper" "$planted" "$search"
arch=$(ws_pe_arch "$app") || exit 2

ws_session "$arch"
base_overrides=$WINEDLLOVERRIDES
export WINEDLLOVERRIDES="$base_overrides;winmm=n,b"

dir=$WS_DRIVE_C/e2e
mkdir -p "$dir" "$WS_DRIVE_C/search"
cp "$app" "$dir/Vantrel.exe"
cp "$helper" "$dir/e2e_tray.exe"
cp "$planted" "$dir/winmm.dll"
cp "$search" "$WS_DRIVE_C/search/dll_search.exe"
cp "$planted" "$WS_DRIVE_C/search/version.dll"
cp "$planted" "$WS_DRIVE_C/search/winmm.dll"
# A marker is named after the module as it was loaded, in whatever case the loader used.
marker() { find "$1" -maxdepth 1 -iname "$2.dll.loaded" | grep -q .; }

# shellcheck source=script-kit.sh
source "$here/script-kit.sh"

start_tray_helper 120

hear 90 && [ "$reply" = ready ]
check $? "Vantrel starts beside the planted DLLs and serves its hotkeys" "helper said '${reply:-nothing}'"
[ "$reply" = ready ] || wine_log_tail
if [ "$reply" = ready ]; then
  say home; hear 10 && [ "$reply" = "ok home" ]
  check $? "Home is pressed" "helper said '${reply:-nothing}'"
  say end; hear 10 && [ "$reply" = "ok end" ]
  check $? "End is pressed" "helper said '${reply:-nothing}'"
  say quit; hear 30 && [ "$reply" = "exited 0" ]
  check $? "Vantrel ends on WM_CLOSE with exit code 0" "helper said '${reply:-nothing}'"
fi
! marker "$dir" winmm
check $? "the planted winmm.dll beside Vantrel.exe was never loaded"

export WINEDLLOVERRIDES="$base_overrides;version,winmm=n,b"
out=$(timeout 60 "$WS_WINE" 'C:\search\dll_search.exe' restricted </dev/null 2>/dev/null | tr -d '\r')
for dll in version winmm; do
  line=$(grep -i "^$dll.dll " <<<"$out")
  grep -qi 'c:\\windows\\system32\\' <<<"$line"
  check $? "loaded as Vantrel.exe loads it, $dll.dll comes from the system folder" "got '${line:-nothing}'"
done
! marker "$WS_DRIVE_C/search" version && ! marker "$WS_DRIVE_C/search" winmm
check $? "neither planted DLL was loaded"
out=$(timeout 60 "$WS_WINE" 'C:\search\dll_search.exe' plain </dev/null 2>/dev/null | tr -d '\r')
grep -qi '^version.dll c:\\search\\' <<<"$out" && marker "$WS_DRIVE_C/search" version
check $? "loaded by bare name, the planted version.dll is found (the check can see the fault)" \
  "got '$(tr '\n' ' ' <<<"$out")'"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
