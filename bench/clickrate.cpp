// Click-rate benchmark, the Windows side: a large window stamps every left button-down with
// QueryPerformanceCounter while a clicker clicks on it, first the bare reference loop, then
// Vantrel itself (started, driven by its hotkeys and closed again for each interval).
//
//   clickrate.exe key=value...
//     vantrel=C:\path\Vantrel.exe   Vantrel to measure (omit to skip)
//     bare=C:\path\bareloop.exe     reference loop (omit to skip)
//     vi=1,20,100                   intervals for Vantrel; each but the default needs the
//                                   IntTime setting in Vantrel.ini, which is written first
//     bi=1,20,100                   intervals for the reference loop
//     n=1:500,20:300,100:300        clicks to measure per interval (default 300)
//     idle=10                       seconds of idle Vantrel to watch (0: none)
//     busy=100                      interval during whose measurement the run script
//                                   counts Vantrel's context switches
//
//     ack=C:\path\dir                after each MARK, wait for the run script to create
//                                   dir\<mark> (its sample taken) before going on
//
// Output, one fact per line, for run-bench.sh to put into a table:
//   USER <name>                              the section name Vantrel.ini needs
//   RESULT who=... interval=... clicks=... mean=... median=... min=... max=... sd=...
//   MARK <name>-begin / MARK <name>-end      moments the run script takes its samples
//   NOTE ...                                 anything that went wrong
// The waits of a measurement block on messages only: a poll loop would add context switches
// of its own to the very numbers being measured. Readiness and the ends, outside the
// measurements, wait as the tests do (tests/kit).

#include "kit/Files.h"
#include "kit/Input.h"
#include "kit/Process.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace kit;

namespace {

void Out(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Out(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::vprintf(fmt, ap);
  va_end(ap);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

long long Deadline(double ms) { return Now() + Ticks(ms); }

// Blocks until a message arrives, `h` is signalled or `untilTicks` passes; handles the
// messages. Returns true when `h` was signalled.
bool WaitSome(HANDLE h, long long untilTicks) {
  const long long left = untilTicks - Now();
  const DWORD ms = left <= 0 ? 0 : static_cast<DWORD>(Ms(left)) + 1;
  const DWORD r = h ? MsgWaitForMultipleObjects(1, &h, FALSE, ms, QS_ALLINPUT)
                    : MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  PumpQueue();
  return h && r == WAIT_OBJECT_0;
}

// The times of the left button-downs the target has seen since it was last cleared.
std::vector<long long> Downs() {
  std::vector<long long> t;
  for (size_t i : LeftDownsFrom(0)) t.push_back(Events()[i].when);
  return t;
}

// Blocks on messages until `n` downs have come or the deadline passes.
bool CollectDowns(size_t n, long long deadline) {
  while (CountLeftDownsFrom(0) < n) {
    if (Now() >= deadline) return false;
    WaitSome(nullptr, deadline);
  }
  return true;
}

// Waits a span on messages only (the idle watch: nothing here may wake up on its own).
void Idle(double ms) {
  const long long end = Deadline(ms);
  while (Now() < end) WaitSome(nullptr, end);
}

void Report(const char* who, int interval, const std::vector<long long>& downs) {
  std::vector<double> p;
  for (size_t i = 1; i < downs.size(); ++i) p.push_back(Ms(downs[i] - downs[i - 1]));
  if (p.empty()) {
    Out("RESULT who=%s interval=%d clicks=0", who, interval);
    return;
  }
  double sum = 0;
  for (double v : p) sum += v;
  const double mean = sum / static_cast<double>(p.size());
  double var = 0;
  for (double v : p) var += (v - mean) * (v - mean);
  std::vector<double> s = p;
  std::sort(s.begin(), s.end());
  Out("RESULT who=%s interval=%d clicks=%d mean=%.3f median=%.3f min=%.3f max=%.3f sd=%.3f "
      "span=%.1f",
      who, interval, static_cast<int>(p.size()), mean, s[s.size() / 2], s.front(), s.back(),
      std::sqrt(var / static_cast<double>(p.size())), Ms(downs.back() - downs.front()));
}

std::wstring g_ackDir;

// Announces a moment to the run script and, when it acknowledges marks, waits until it has
// taken its sample, so that the sample belongs to the phase it names.
void Mark(const char* name) {
  Out("MARK %s", name);
  if (g_ackDir.empty()) return;
  const std::wstring flag = g_ackDir + L"\\" + Wide(name);
  const long long end = Deadline(20000);
  while (GetFileAttributesW(flag.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (Now() >= end) {
      Out("NOTE no acknowledgement for mark %s", name);
      return;
    }
    WaitSome(nullptr, Deadline(2));
  }
}

std::vector<int> Ints(const std::string& s) {
  std::vector<int> r;
  size_t i = 0;
  while (i < s.size()) {
    r.push_back(std::atoi(s.c_str() + i));
    const size_t c = s.find(',', i);
    if (c == std::string::npos) break;
    i = c + 1;
  }
  return r;
}

bool Started(const std::wstring& exe, Proc& p, const std::wstring& args = L"") {
  if (Start(exe, p, args)) return true;
  Out("NOTE cannot start %s: %s", Utf8(exe).c_str(), LastError().c_str());
  return false;
}

// Waits until no button-down has come for `quietMs`, at most `maxMs`.
void WaitQuiet(double quietMs, double maxMs) {
  const long long end = Deadline(maxMs);
  for (;;) {
    const size_t seen = Events().size();
    const long long quietEnd = Deadline(quietMs);
    while (Now() < quietEnd && Events().size() == seen) WaitSome(nullptr, quietEnd);
    if (Events().size() == seen || Now() >= end) return;
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::map<std::string, std::string> opt;
  for (int i = 1; i < argc; ++i) {
    const std::string a = Utf8(argv[i]);
    const size_t eq = a.find('=');
    if (eq != std::string::npos) opt[a.substr(0, eq)] = a.substr(eq + 1);
  }
  std::map<int, int> counts;
  for (const std::string& part : {opt["n"]}) {
    size_t i = 0;
    while (i < part.size()) {
      const int iv = std::atoi(part.c_str() + i);
      const size_t colon = part.find(':', i);
      if (colon == std::string::npos) break;
      counts[iv] = std::atoi(part.c_str() + colon + 1);
      const size_t c = part.find(',', colon);
      if (c == std::string::npos) break;
      i = c + 1;
    }
  }
  g_ackDir = Wide(opt["ack"]);
  auto countFor = [&](int iv) { return counts.count(iv) ? counts[iv] : 300; };

  char user[256] = {};
  DWORD userLen = sizeof user;
  if (!GetUserNameA(user, &userLen)) user[0] = 0;
  Out("USER %s", user);

  RECT area{};
  if (!CreateTarget(area)) {
    Out("NOTE cannot create the target window: %s", LastError().c_str());
    return 1;
  }
  MoveCursor({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
  int failures = 0;

  // The reference loop: its first click only starts the clock.
  if (!opt["bare"].empty()) {
    for (int iv : Ints(opt["bi"].empty() ? "1,20,100" : opt["bi"])) {
      const int n = countFor(iv);
      Events().clear();
      Proc p;
      if (!Started(Wide(opt["bare"]), p, Wide(std::to_string(iv) + " " + std::to_string(n + 1)))) {
        ++failures;
        continue;
      }
      if (!CollectDowns(static_cast<size_t>(n) + 1, Deadline(20000.0 + 3.0 * n * iv))) {
        Out("NOTE bare loop at %d ms: only %d of %d clicks arrived", iv, static_cast<int>(CountLeftDownsFrom(0)),
            n + 1);
        ++failures;
      }
      const std::vector<long long> downs = Downs();
      DWORD code = 0;
      WaitExit(p, 10000, code);
      Kill(p);
      Report("bare", iv, downs);
    }
  }

  if (!opt["vantrel"].empty()) {
    const std::wstring exe = Wide(opt["vantrel"]);
    const std::string ini = Utf8(exe.substr(0, exe.find_last_of(L"\\/") + 1)) + "Vantrel.ini";
    const int idleSeconds = opt["idle"].empty() ? 0 : std::atoi(opt["idle"].c_str());
    const int busy = opt["busy"].empty() ? 100 : std::atoi(opt["busy"].c_str());
    bool idleDone = false;
    for (int iv : Ints(opt["vi"].empty() ? "100" : opt["vi"])) {
      const int n = countFor(iv);
      // Vantrel reads its options when it starts; each interval is a fresh start.
      WritePrivateProfileStringA(user, "IntTime", std::to_string(iv).c_str(), ini.c_str());
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());  // flush
      Proc p;
      if (!StartReady(exe, p)) {
        Out("NOTE Vantrel at %d ms did not become ready", iv);
        ++failures;
        Kill(p);
        continue;
      }
      if (idleSeconds > 0 && !idleDone) {
        idleDone = true;
        Mark("idle-begin");
        Idle(idleSeconds * 1000.0);
        Mark("idle-end");
      }
      Events().clear();
      Tap(VK_HOME);
      const long long deadline = Deadline(20000.0 + 3.0 * n * iv);
      CollectDowns(1, deadline);
      if (iv == busy) Mark("busy-begin");
      if (!CollectDowns(static_cast<size_t>(n) + 1, deadline)) {
        Out("NOTE Vantrel at %d ms: only %d of %d clicks arrived", iv, static_cast<int>(CountLeftDownsFrom(0)),
            n + 1);
        ++failures;
      }
      if (iv == busy) Mark("busy-end");
      std::vector<long long> measured = Downs();
      measured.resize(std::min<size_t>(measured.size(), n + 1));
      Tap(VK_END);
      WaitQuiet(std::max(300.0, 3.0 * iv), 5000);
      Report("vantrel", iv, measured);
      if (HWND w = AppWindowOf(p).found) PostMessageW(w, WM_CLOSE, 0, 0);
      DWORD code = 0;
      if (!WaitExit(p, 10000, code)) {
        Out("NOTE Vantrel did not exit on WM_CLOSE");
        ++failures;
      }
      Kill(p);
    }
  }
  DestroyWindow(Target());
  return failures == 0 ? 0 : 1;
}
