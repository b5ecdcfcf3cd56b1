# shellcheck shell=bash
# What the Wine end-to-end scripts share: checks reported in the drivers' style, and the
# conversation with e2e_tray.exe, which starts Vantrel and acts on one command per line.
# Source it after tools/wine-session, once ws_begin has run.

passed=0 failed=0
check() {  # check <ok 0|1> <what> [detail]
  if [ "$1" = 0 ]; then
    passed=$((passed + 1)); echo "ok - $2"
  else
    failed=$((failed + 1)); echo "FAIL - $2${3:+: $3}"
  fi
}

# start_tray_helper <limit s>: e2e_tray.exe and Vantrel.exe from C:\e2e, as a coprocess.
# Wine's messages go to $WS_DIR/helper.log; wine_log_tail shows them after a failure.
start_tray_helper() {
  coproc HELPER { timeout "$1" "$WS_WINE" 'C:\e2e\e2e_tray.exe' 'C:\e2e\Vantrel.exe' 2>"$WS_DIR/helper.log"; }
}
wine_log_tail() { tail -n 20 "$WS_DIR/helper.log" 2>/dev/null | sed 's/^/# wine: /'; }
say() { printf '%s\n' "$1" >&"${HELPER[1]}"; }
hear() {  # hear <timeout s>: the helper's next answer in $reply
  reply=
  IFS= read -r -t "$1" reply <&"${HELPER[0]}" || return 1
  reply=${reply%$'\r'}
}
