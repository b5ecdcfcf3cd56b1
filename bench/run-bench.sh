#!/usr/bin/env bash
# Click-rate benchmark: under Wine on a private Xvfb display, in a fresh prefix, measures
# the real click period of Vantrel.exe against its set interval, beside a bare reference
# loop doing the same clicks, and what an idle and a clicking Vantrel cost in context
# switches. A benchmark, not a test: it reports numbers and fails only when it could not
# measure.
#
#   bench/run-bench.sh [build dir]        (default build/win32; build/win64 for 64-bit)
#
# Environment knobs:
#   BENCH_VANTREL_INTERVALS  intervals for Vantrel (default: 1,20,100 when the exe knows the
#                            IntTime setting, else 100 only: it cannot be set otherwise)
#   BENCH_BARE_INTERVALS     intervals for the reference loop (default 1,20,100)
#   BENCH_COUNTS             clicks per interval (default 1:500,20:300,100:300)
#   BENCH_IDLE_SECONDS       idle watch (default 10)
#   BENCH_OUT                also write the report to this file
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../tools/wine-session
source "$root/tools/wine-session"

build=${1:-$root/build/win32}
app=$build/Vantrel.exe
[ -f "$app" ] || { echo "run-bench: no $app (build it first: cmake --build --preset win32)" >&2; exit 2; }

bare_iv=${BENCH_BARE_INTERVALS:-1,20,100}
counts=${BENCH_COUNTS:-1:500,20:300,100:300}
idle=${BENCH_IDLE_SECONDS:-10}
if [ -n "${BENCH_VANTREL_INTERVALS:-}" ]; then
  vantrel_iv=$BENCH_VANTREL_INTERVALS
elif LC_ALL=C grep -qa 'IntTime' "$app" || LC_ALL=C grep -qaP 'I\x00n\x00t\x00T\x00i\x00m\x00e\x00' "$app"; then
  vantrel_iv=1,20,100
else
  vantrel_iv=100
fi

# The bench programs come from the build (cmake --build --preset win32 makes them).
ws_test_session run-bench "" "$app" "$build/bench/clickrate.exe" "$build/bench/bareloop.exe"
arch=$WS_ARCH

# One sample of context switches (voluntary + nonvoluntary, all threads) of the Linux
# processes that run Vantrel.exe, the Wine server and the benchmark window in this prefix,
# as "vantrel=N server=N window=N threads=tid:name:N,...". Processes are told apart by
# argv[0] alone (the benchmark's own command line names Vantrel.exe too), and only bash
# builtins run per process, so that the sample is quick.
sample() {
  local p a0 kind t key val name sum line seen try st
  local -A total=([vantrel]=0 [server]=0 [window]=0)
  local threads= procs=
  for p in /proc/[0-9]*; do
    { IFS= read -r -d '' a0 <"$p/cmdline"; } 2>/dev/null || continue
    case $a0 in
      *'\Vantrel.exe') kind=vantrel ;;
      */wineserver*) kind=server ;;
      *'\clickrate.exe') kind=window ;;
      *) continue ;;
    esac
    { grep -qzx "WINEPREFIX=$WINEPREFIX" "$p/environ"; } 2>/dev/null || continue
    for t in "$p"/task/*; do
      sum=0 name= seen=0
      for try in 1 2 3; do  # a read of /proc can come back short; the count is never 0 lines
        mapfile -t st 2>/dev/null <"$t/status"
        for line in "${st[@]}"; do
          IFS=$': \t' read -r key val _ <<<"$line"
          case $key in
            Name) name=$val ;;
            voluntary_ctxt_switches | nonvoluntary_ctxt_switches) sum=$((sum + val)) seen=$((seen + 1)) ;;
          esac
        done
        [ $seen -eq 2 ] && break
        sum=0 seen=0
      done
      total[$kind]=$((total[$kind] + sum))
      procs+="${p##*/}/${t##*/}:$kind:$sum,"
      [ $kind = vantrel ] && threads+="${t##*/}:${name//[ ,:]/_}:$sum,"
    done
  done
  printf 'vantrel=%s server=%s window=%s threads=%s procs=%s' \
    "${total[vantrel]}" "${total[server]}" "${total[window]}" "${threads%,}" "${procs%,}"
}

raw=$WS_DIR/raw.txt
: >"$raw"
ack=$WS_TESTS/ack
mkdir -p "$ack"
echo "run-bench: $arch, $app; Vantrel at ${vantrel_iv} ms, bare loop at ${bare_iv} ms" >&2
timeout 600 "$WS_WINE" 'C:\tests\clickrate.exe' 'vantrel=C:\tests\Vantrel.exe' \
  'bare=C:\tests\bareloop.exe' "vi=$vantrel_iv" "bi=$bare_iv" "n=$counts" "idle=$idle" busy=100 \
  'ack=C:\tests\ack' </dev/null | while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
      MARK\ *)
        mark=${line#MARK }
        printf 'SAMPLE %s t=%s %s\n' "$mark" "$(date +%s.%N)" "$(sample)" >>"$raw"
        : >"$ack/$mark" ;;
      *) printf '%s\n' "$line" >>"$raw" ;;
    esac
    printf '%s\n' "$line" >&2
  done
rc=${PIPESTATUS[0]}

report() {
  awk -v arch="$arch" '
    function kv(s, k,   n, i, a) { n = split(s, a, " "); for (i = 1; i <= n; i++) if (index(a[i], k "=") == 1) return substr(a[i], length(k) + 2); return "" }
    /^USER / { user = substr($0, 6) }
    /^NOTE / { notes = notes "  " substr($0, 6) "\n" }
    /^RESULT / {
      who = kv($0, "who"); iv = kv($0, "interval") + 0; key = who SUBSEP iv
      clicks[key] = kv($0, "clicks"); mean[key] = kv($0, "mean"); med[key] = kv($0, "median")
      mn[key] = kv($0, "min"); mx[key] = kv($0, "max"); sd[key] = kv($0, "sd")
      if (!(iv in seen)) { seen[iv] = 1; ivs[++nivs] = iv }
    }
    /^SAMPLE / {
      what = $2; t[what] = kv($0, "t"); v[what] = kv($0, "vantrel"); s[what] = kv($0, "server")
      win[what] = kv($0, "window"); th[what] = kv($0, "threads")
    }
    END {
      # intervals in ascending order
      for (i = 1; i <= nivs; i++) for (j = i + 1; j <= nivs; j++) if (ivs[j] < ivs[i]) { x = ivs[i]; ivs[i] = ivs[j]; ivs[j] = x }
      printf "Vantrel click rate under Wine (%s), Windows user \"%s\"\n\n", arch, user
      printf "%-8s %-8s %7s %10s %10s %9s %9s %8s %9s %10s\n", "interval", "clicker", "clicks", "mean ms", "median ms", "min ms", "max ms", "sd ms", "period/iv", "clicks/s"
      for (i = 1; i <= nivs; i++) {
        iv = ivs[i]
        split("bare vantrel", whos, " ")
        for (w = 1; w <= 2; w++) {
          key = whos[w] SUBSEP iv
          if (!(key in clicks)) { printf "%-8s %-8s %7s\n", iv " ms", whos[w], "-"; continue }
          if (clicks[key] + 0 == 0) { printf "%-8s %-8s %7d\n", iv " ms", whos[w], 0; continue }
          cps[key] = 1000 / mean[key]
          printf "%-8s %-8s %7d %10.3f %10.3f %9.3f %9.3f %8.3f %9.3f %10.2f\n", iv " ms", whos[w], clicks[key], mean[key], med[key], mn[key], mx[key], sd[key], mean[key] / iv, cps[key]
        }
      }
      printf "\nVantrel clicks/s relative to the bare loop:\n"
      for (i = 1; i <= nivs; i++) {
        iv = ivs[i]; b = "bare" SUBSEP iv; a = "vantrel" SUBSEP iv
        if ((a in cps) && (b in cps)) printf "  %4d ms: %.3f\n", iv, cps[a] / cps[b]
        else printf "  %4d ms: - (not measured for both)\n", iv
      }
      printf "\nContext switches per second (voluntary + nonvoluntary, all threads):\n"
      printf "  %-26s %12s %12s %14s\n", "", "Vantrel.exe", "wineserver", "bench window"
      split("idle busy", phases, " ")
      label["idle"] = "idle (nothing clicking)"; label["busy"] = "clicking at 100 ms"
      for (k = 1; k <= 2; k++) {
        ph = phases[k]; b = ph "-begin"; e = ph "-end"
        if ((b in t) && (e in t)) {
          dt = t[e] - t[b]
          printf "  %-26s %12.1f %12.1f %14.1f   (over %.1f s)\n", label[ph], (v[e] - v[b]) / dt, (s[e] - s[b]) / dt, (win[e] - win[b]) / dt, dt
        } else printf "  %-26s %12s %12s %14s\n", label[ph], "-", "-", "-"
      }
      printf "  (bench window: the benchmark'"'"'s own Wine GUI program, for scale: idle in the first\n"
      printf "  row, receiving the clicks in the second)\n"
      for (k = 1; k <= 2; k++) {
        ph = phases[k]; b = ph "-begin"; e = ph "-end"
        if (!((b in t) && (e in t))) continue
        dt = t[e] - t[b]
        delete before
        n = split(th[b], xs, ","); for (i = 1; i <= n; i++) { split(xs[i], f, ":"); before[f[1]] = f[3] }
        n = split(th[e], xs, ","); line = ""
        for (i = 1; i <= n; i++) {
          split(xs[i], f, ":")
          if (f[1] in before) { r = (f[3] - before[f[1]]) / dt; if (r >= 0.05) line = line sprintf(" %s/%s %.1f", f[1], f[2], r) }
        }
        printf "  Vantrel.exe threads, %s (tid/name per s):%s\n", label[ph], line == "" ? " none measurable" : line
      }
      if (notes != "") printf "\nNotes:\n%s", notes
    }' "$raw"
}

echo
if [ -n "${BENCH_OUT:-}" ]; then
  report | tee "$BENCH_OUT"
else
  report
fi
if [ "$vantrel_iv" = 100 ]; then
  echo
  echo "(Vantrel.exe has no IntTime setting yet: measured at its default 100 ms only.)"
fi
exit "$rc"
