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
// Waits here block on messages or process handles; a poll loop would add context switches
// of its own to the very numbers being measured.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER g_freq;
std::vector<long long> g_downs;  // QPC of every left button-down
bool g_counting = false;

long long Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

double Ms(long long ticks) {
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(g_freq.QuadPart);
}

void Out(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Out(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::vprintf(fmt, ap);
  va_end(ap);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (g_counting) g_downs.push_back(Now());
      return 0;
    case WM_LBUTTONUP:
    case WM_CLOSE: return 0;
    default: return DefWindowProcA(w, msg, wp, lp);
  }
}

void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// Blocks until a message arrives, `h` is signalled or `untilTicks` passes; pumps messages.
// Returns true when `h` was signalled.
bool WaitSome(HANDLE h, long long untilTicks) {
  const long long left = untilTicks - Now();
  const DWORD ms = left <= 0 ? 0 : static_cast<DWORD>(Ms(left)) + 1;
  const DWORD r = h ? MsgWaitForMultipleObjects(1, &h, FALSE, ms, QS_ALLINPUT)
                    : MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  Pump();
  return h && r == WAIT_OBJECT_0;
}

long long Deadline(double ms) {
  return Now() + static_cast<long long>(ms * static_cast<double>(g_freq.QuadPart) / 1000.0);
}

// Pumps until `n` downs have been stamped or the deadline passes.
bool CollectDowns(size_t n, long long deadline) {
  while (g_downs.size() < n) {
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

void Report(const char* who, int interval) {
  std::vector<double> p;
  for (size_t i = 1; i < g_downs.size(); ++i) p.push_back(Ms(g_downs[i] - g_downs[i - 1]));
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
      std::sqrt(var / static_cast<double>(p.size())), Ms(g_downs.back() - g_downs.front()));
}

std::string g_ackDir;

// Announces a moment to the run script and, when it acknowledges marks, waits until it has
// taken its sample, so that the sample belongs to the phase it names.
void Mark(const char* name) {
  Out("MARK %s", name);
  if (g_ackDir.empty()) return;
  const std::string flag = g_ackDir + "\\" + name;
  const long long end = Deadline(20000);
  while (GetFileAttributesA(flag.c_str()) == INVALID_FILE_ATTRIBUTES) {
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

struct Proc {
  PROCESS_INFORMATION pi{};
  bool ok = false;
};

Proc Start(const std::string& exe, const std::string& args) {
  Proc p;
  std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
  const std::string dir = exe.substr(0, exe.find_last_of("\\/"));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  p.ok = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &p.pi) != 0;
  if (!p.ok) Out("NOTE cannot start %s: error %lu", exe.c_str(), GetLastError());
  return p;
}

bool WaitExit(Proc& p, double ms) {
  const long long end = Deadline(ms);
  while (Now() < end)
    if (WaitSome(p.pi.hProcess, end)) return true;
  return WaitForSingleObject(p.pi.hProcess, 0) == WAIT_OBJECT_0;
}

void Close(Proc& p) {
  if (!p.ok) return;
  if (WaitForSingleObject(p.pi.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(p.pi.hProcess, 1);
    WaitForSingleObject(p.pi.hProcess, 5000);
  }
  CloseHandle(p.pi.hProcess);
  CloseHandle(p.pi.hThread);
  p.ok = false;
}

struct Found {
  DWORD pid;
  HWND wnd = nullptr;
};

BOOL CALLBACK FindProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == f->pid && std::string(cls) == "TApplication") {
    f->wnd = w;
    return FALSE;
  }
  return TRUE;
}

HWND AppWindow(const Proc& p) {
  Found f{p.pi.dwProcessId};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&f));
  return f.wnd;
}

bool HomeHeldElsewhere() {
  if (RegisterHotKey(nullptr, 0x7B00, 0, VK_HOME)) {
    UnregisterHotKey(nullptr, 0x7B00);
    return false;
  }
  return true;
}

// Readiness: the application window, then the Home hotkey refused to us. This is the one
// place that polls, before any measurement starts.
bool WaitReady(const Proc& p) {
  const long long end = Deadline(30000);
  while (!AppWindow(p)) {
    if (Now() >= end || WaitForSingleObject(p.pi.hProcess, 0) == WAIT_OBJECT_0) return false;
    WaitSome(nullptr, Deadline(5));
  }
  WaitForInputIdle(p.pi.hProcess, 10000);
  while (!HomeHeldElsewhere()) {
    if (Now() >= end || WaitForSingleObject(p.pi.hProcess, 0) == WAIT_OBJECT_0) return false;
    WaitSome(nullptr, Deadline(5));
  }
  return true;
}

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
  SendInput(1, &in, sizeof in);
}

void Tap(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

// Waits until no button-down has come for `quietMs`, at most `maxMs`.
void WaitQuiet(double quietMs, double maxMs) {
  const long long end = Deadline(maxMs);
  for (;;) {
    const size_t seen = g_downs.size();
    const long long quietEnd = Deadline(quietMs);
    while (Now() < quietEnd && g_downs.size() == seen) WaitSome(nullptr, quietEnd);
    if (g_downs.size() == seen || Now() >= end) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QueryPerformanceFrequency(&g_freq);
  std::map<std::string, std::string> opt;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
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
  g_ackDir = opt["ack"];
  auto countFor = [&](int iv) { return counts.count(iv) ? counts[iv] : 300; };

  char user[256] = {};
  DWORD userLen = sizeof user;
  if (!GetUserNameA(user, &userLen)) user[0] = 0;
  Out("USER %s", user);

  WNDCLASSA wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "VantrelClickRate";
  RegisterClassA(&wc);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  HWND target =
      CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "click rate", WS_POPUP | WS_VISIBLE, 16, 16,
                      sw - 32, sh - 32, nullptr, nullptr, wc.hInstance, nullptr);
  if (!target) {
    Out("NOTE cannot create the target window: error %lu", GetLastError());
    return 1;
  }
  SetForegroundWindow(target);
  SetCursorPos(sw / 2, sh / 2);
  Pump();
  int failures = 0;

  // The reference loop: its first click only starts the clock.
  if (!opt["bare"].empty()) {
    for (int iv : Ints(opt["bi"].empty() ? "1,20,100" : opt["bi"])) {
      const int n = countFor(iv);
      g_downs.clear();
      g_counting = true;
      Proc p = Start(opt["bare"], std::to_string(iv) + " " + std::to_string(n + 1));
      if (!p.ok) {
        ++failures;
        continue;
      }
      if (!CollectDowns(static_cast<size_t>(n) + 1, Deadline(20000.0 + 3.0 * n * iv))) {
        Out("NOTE bare loop at %d ms: only %d of %d clicks arrived", iv,
            static_cast<int>(g_downs.size()), n + 1);
        ++failures;
      }
      WaitExit(p, 10000);
      g_counting = false;
      Close(p);
      Report("bare", iv);
    }
  }

  if (!opt["vantrel"].empty()) {
    const std::string exe = opt["vantrel"];
    const std::string ini = exe.substr(0, exe.find_last_of("\\/") + 1) + "Vantrel.ini";
    const int idleSeconds = opt["idle"].empty() ? 0 : std::atoi(opt["idle"].c_str());
    const int busy = opt["busy"].empty() ? 100 : std::atoi(opt["busy"].c_str());
    bool idleDone = false;
    for (int iv : Ints(opt["vi"].empty() ? "100" : opt["vi"])) {
      const int n = countFor(iv);
      // Vantrel reads its options when it starts; each interval is a fresh start.
      WritePrivateProfileStringA(user, "IntTime", std::to_string(iv).c_str(), ini.c_str());
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());  // flush
      Proc p = Start(exe, "");
      if (!p.ok || !WaitReady(p)) {
        Out("NOTE Vantrel at %d ms did not become ready", iv);
        ++failures;
        Close(p);
        continue;
      }
      if (idleSeconds > 0 && !idleDone) {
        idleDone = true;
        Mark("idle-begin");
        Idle(idleSeconds * 1000.0);
        Mark("idle-end");
      }
      g_downs.clear();
      g_counting = true;
      Tap(VK_HOME);
      const long long deadline = Deadline(20000.0 + 3.0 * n * iv);
      CollectDowns(1, deadline);
      if (iv == busy) Mark("busy-begin");
      if (!CollectDowns(static_cast<size_t>(n) + 1, deadline)) {
        Out("NOTE Vantrel at %d ms: only %d of %d clicks arrived", iv,
            static_cast<int>(g_downs.size()), n + 1);
        ++failures;
      }
      if (iv == busy) Mark("busy-end");
      g_counting = false;
      const std::vector<long long> measured(
          g_downs.begin(), g_downs.begin() + std::min<size_t>(g_downs.size(), n + 1));
      Tap(VK_END);
      WaitQuiet(std::max(300.0, 3.0 * iv), 5000);
      g_downs = measured;
      Report("vantrel", iv);
      if (HWND w = AppWindow(p)) PostMessageA(w, WM_CLOSE, 0, 0);
      if (!WaitExit(p, 10000)) {
        Out("NOTE Vantrel did not exit on WM_CLOSE");
        ++failures;
      }
      Close(p);
    }
  }
  DestroyWindow(target);
  return failures == 0 ? 0 : 1;
}
