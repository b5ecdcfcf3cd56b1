// End-to-end driver: runs Vantrel.exe as a user would meet it, through global hotkeys,
// and watches the clicks it produces land on a window of our own.
//
//   e2e_driver.exe <path\to\Vantrel.exe>
//
// Prints one line per check ("ok - ..." / "FAIL - ...: expected ..., got ...") and a final
// "N passed, M failed"; exits 0 only when every check passed.
//
// Every wait below is for a condition (pumping our window's messages meanwhile) with a
// generous timeout. The only fixed spans are observation windows that prove an absence
// ("no click after End"), which cannot be proved any other way.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------
// Reporting

int g_passed = 0;
int g_failed = 0;

void Note(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Note(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::fputs("# ", stdout);
  std::vfprintf(stdout, fmt, ap);
  std::fputc('\n', stdout);
  va_end(ap);
  std::fflush(stdout);
}

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* fmt, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  return buf;
}

bool Check(bool good, const std::string& what, const std::string& expected,
           const std::string& got) {
  if (good) {
    ++g_passed;
    std::printf("ok - %s\n", what.c_str());
  } else {
    ++g_failed;
    std::printf("FAIL - %s: expected %s, got %s\n", what.c_str(), expected.c_str(), got.c_str());
  }
  std::fflush(stdout);
  return good;
}

// The "got" text computed only after the check itself ran: C++ leaves the order in which
// arguments are evaluated open, and many checks describe a state their own condition has
// just changed.
bool Check(bool good, const std::string& what, const std::string& expected,
           const std::function<std::string()>& got) {
  return Check(good, what, expected, good ? std::string() : got());
}

DWORD g_err = 0;  // GetLastError of the last failed call, for the report

std::string LastError() { return Format("error %lu", g_err); }

std::string Pt(POINT p) {
  return Format("(%ld,%ld)", static_cast<long>(p.x), static_cast<long>(p.y));
}

// ---------------------------------------------------------------------------------------
// Time

LARGE_INTEGER g_freq;

long long Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

double Ms(long long ticks) {
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(g_freq.QuadPart);
}

long long Ticks(double ms) {
  return static_cast<long long>(ms * static_cast<double>(g_freq.QuadPart) / 1000.0);
}

// ---------------------------------------------------------------------------------------
// The target window: a large visible window that records every button event on it.

enum class Btn { Left, Right, Middle };

struct ButtonEvent {
  Btn button;
  bool down;
  POINT at;        // screen coordinates
  long long when;  // QueryPerformanceCounter when our window saw it
};

std::vector<ButtonEvent> g_events;
HWND g_target = nullptr;

void Record(HWND w, Btn b, bool down, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(w, &p);
  g_events.push_back({b, down, p, Now()});
}

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_LBUTTONDOWN: Record(w, Btn::Left, true, lp); return 0;
    case WM_LBUTTONUP: Record(w, Btn::Left, false, lp); return 0;
    case WM_RBUTTONDOWN: Record(w, Btn::Right, true, lp); return 0;
    case WM_RBUTTONUP: Record(w, Btn::Right, false, lp); return 0;
    case WM_MBUTTONDOWN: Record(w, Btn::Middle, true, lp); return 0;
    case WM_MBUTTONUP: Record(w, Btn::Middle, false, lp); return 0;
    // Keep the right button from opening anything and the window from being closed by keys.
    case WM_CONTEXTMENU: return 0;
    case WM_CLOSE: return 0;
    default: return DefWindowProcW(w, msg, wp, lp);
  }
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps our messages until cond() holds or timeoutMs passes; returns cond()'s last value.
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs = 10000) {
  const long long end = Now() + Ticks(timeoutMs);
  for (;;) {
    Pump();
    if (cond()) return true;
    if (Now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Pumps messages for a fixed observation span (used only to prove that nothing happens).
void Observe(DWORD ms) {
  const long long end = Now() + Ticks(ms);
  while (Now() < end) {
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  Pump();
}

bool CreateTarget(HINSTANCE inst, RECT& area) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"VantrelE2ETarget";
  // No CS_DBLCLKS: a quick second click must arrive as a plain button-down.
  if (!RegisterClassW(&wc)) {
    g_err = GetLastError();
    return false;
  }
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  // A margin keeps the window clear of any "full screen" handling in the window system.
  area = {16, 16, sw - 16, sh - 16};
  g_target = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Vantrel e2e target",
                             WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left,
                             area.bottom - area.top, nullptr, nullptr, inst, nullptr);
  if (!g_target) {
    g_err = GetLastError();
    return false;
  }
  SetForegroundWindow(g_target);
  UpdateWindow(g_target);
  return true;
}

// ---------------------------------------------------------------------------------------
// Event queries

size_t CountLeftDownsFrom(size_t from) {
  size_t n = 0;
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button == Btn::Left && g_events[i].down) ++n;
  return n;
}

std::vector<size_t> LeftDownsFrom(size_t from) {
  std::vector<size_t> r;
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button == Btn::Left && g_events[i].down) r.push_back(i);
  return r;
}

bool AnyOtherButtonFrom(size_t from) {
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button != Btn::Left) return true;
  return false;
}

// Mean spacing in ms between consecutive downs d[first..last].
double MeanPeriod(const std::vector<size_t>& d, size_t first, size_t last) {
  if (last <= first) return 0;
  return Ms(g_events[d[last]].when - g_events[d[first]].when) / static_cast<double>(last - first);
}

// Checks the left-button events from `from` on strictly alternate down, up, down, up...
// (ignoring a leading up that belongs to a click begun before `from`); returns the first
// index that breaks the pattern, or SIZE_MAX.
size_t FirstAlternationBreak(size_t from) {
  bool expectDown = true;
  bool started = false;
  for (size_t i = from; i < g_events.size(); ++i) {
    const ButtonEvent& e = g_events[i];
    if (e.button != Btn::Left) continue;
    if (!started && !e.down) continue;
    started = true;
    if (e.down != expectDown) return i;
    expectDown = !expectDown;
  }
  return SIZE_MAX;
}

// Mean time the button was held, over down/up pairs from `from` on.
double MeanHold(size_t from, int& pairs) {
  double sum = 0;
  pairs = 0;
  for (size_t i = from; i + 1 < g_events.size(); ++i) {
    const ButtonEvent& a = g_events[i];
    if (a.button != Btn::Left || !a.down) continue;
    for (size_t j = i + 1; j < g_events.size(); ++j) {
      const ButtonEvent& b = g_events[j];
      if (b.button != Btn::Left) continue;
      if (!b.down) {
        sum += Ms(b.when - a.when);
        ++pairs;
      }
      break;
    }
  }
  return pairs ? sum / pairs : 0;
}

// ---------------------------------------------------------------------------------------
// Input injection

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  // Home and End sit on the navigation cluster: extended keys, as a real keyboard sends them.
  if (vk == VK_HOME || vk == VK_END) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &in, sizeof in);
}

bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

// Releases every modifier the window system believes is down.
void ReleaseModifiers() {
  static const WORD mods[] = {VK_SHIFT,    VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL,
                              VK_RCONTROL, VK_MENU,   VK_LMENU,  VK_RMENU};
  for (WORD vk : mods)
    if (KeyDown(vk)) Key(vk, true);
}

bool ModifiersUp() { return !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

// Presses and releases vk with the given MOD_ flags held, releasing in reverse order.
void Chord(UINT mods, WORD vk) {
  if (mods & MOD_SHIFT) Key(VK_SHIFT, false);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, false);
  Key(vk, false);
  Key(vk, true);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, true);
  if (mods & MOD_SHIFT) Key(VK_SHIFT, true);
}

std::string ChordName(UINT mods, WORD vk) {
  std::string s;
  if (mods & MOD_SHIFT) s += "Shift+";
  if (mods & MOD_CONTROL) s += "Ctrl+";
  s += vk == VK_HOME ? "Home" : vk == VK_END ? "End" : Format("vk%02X", vk);
  return s;
}

bool MoveCursor(POINT p) {
  SetCursorPos(p.x, p.y);
  return WaitFor(
      [&] {
        POINT c;
        return GetCursorPos(&c) && c.x == p.x && c.y == p.y;
      },
      5000);
}

POINT Cursor() {
  POINT c{-1, -1};
  GetCursorPos(&c);
  return c;
}

// ---------------------------------------------------------------------------------------
// Hotkey probing: a combination we cannot register is held by someone else.

const int kProbeId = 0x7A00;

bool HotKeyHeldElsewhere(UINT mods, UINT vk) {
  if (RegisterHotKey(nullptr, kProbeId, mods, vk)) {
    UnregisterHotKey(nullptr, kProbeId);
    return false;
  }
  return true;
}

struct Combo {
  UINT mods;
  WORD vk;
};

const Combo kServed[] = {
    {0, VK_HOME},        {MOD_SHIFT, VK_HOME},  {MOD_SHIFT | MOD_CONTROL, VK_HOME}, {0, VK_END},
    {MOD_SHIFT, VK_END}, {MOD_CONTROL, VK_END}, {MOD_SHIFT | MOD_CONTROL, VK_END}};

// ---------------------------------------------------------------------------------------
// Processes

struct Proc {
  PROCESS_INFORMATION pi{};
  bool started = false;
};

bool Start(const std::wstring& exe, Proc& p) {
  std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  p.started = CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                             dir.empty() ? nullptr : dir.c_str(), &si, &p.pi) != 0;
  if (!p.started) g_err = GetLastError();
  return p.started;
}

bool Running(const Proc& p) {
  return p.started && WaitForSingleObject(p.pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool WaitExit(const Proc& p, DWORD ms, DWORD& code) {
  // Our own window keeps answering while we wait.
  const bool ended = WaitFor([&] { return !Running(p); }, ms);
  code = 0xFFFFFFFF;
  if (ended) GetExitCodeProcess(p.pi.hProcess, &code);
  return ended;
}

void Kill(Proc& p) {
  if (!p.started) return;
  if (Running(p)) {
    TerminateProcess(p.pi.hProcess, 1);
    WaitForSingleObject(p.pi.hProcess, 5000);
  }
  CloseHandle(p.pi.hThread);
  CloseHandle(p.pi.hProcess);
  p.started = false;
}

struct FindAppWindow {
  DWORD pid;
  HWND found = nullptr;
  int visible = 0;  // visible top-level windows of the process
};

BOOL CALLBACK FindAppWindowProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindAppWindow*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != f->pid) return TRUE;
  if (IsWindowVisible(w)) ++f->visible;
  wchar_t cls[64] = {}, title[64] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 64);
  if (!f->found && lstrcmpW(cls, L"TApplication") == 0 && lstrcmpW(title, L"Vantrel") == 0)
    f->found = w;
  return TRUE;
}

FindAppWindow AppWindowOf(const Proc& p) {
  FindAppWindow f{p.pi.dwProcessId};
  EnumWindows(FindAppWindowProc, reinterpret_cast<LPARAM>(&f));
  return f;
}

// ---------------------------------------------------------------------------------------
// Scenario helpers

const double kInterval = 100;  // Vantrel's default interval, ms
const double kMinPeriod = 80, kMaxPeriod = 130;

// After End: waits until the button has been up for longer than a whole cycle.
bool WaitClickingStopped() {
  return WaitFor(
      [] {
        if (g_events.empty()) return true;
        const ButtonEvent& last = g_events.back();
        return !(last.button == Btn::Left && last.down) && Ms(Now() - last.when) > 2.5 * kInterval;
      },
      10000);
}

// Why WaitClickingStopped gave up, for the report.
std::string NotStopped() {
  if (!g_events.empty() && g_events.back().down) return "the button stays down";
  return "clicks go on";
}

// Presses Home and waits for n downs after it; returns the index where they start.
bool StartAndWait(size_t n, size_t& from, DWORD timeoutMs = 10000) {
  Pump();
  from = g_events.size();
  Chord(0, VK_HOME);
  return WaitFor([&] { return CountLeftDownsFrom(from) >= n; }, timeoutMs);
}

bool StopAndWait() {
  Chord(0, VK_END);
  return WaitClickingStopped();
}

bool AllDownsAt(const std::vector<size_t>& d, size_t first, POINT p, POINT& bad) {
  for (size_t k = first; k < d.size(); ++k) {
    const POINT at = g_events[d[k]].at;
    if (at.x != p.x || at.y != p.y) {
      bad = at;
      return false;
    }
  }
  return true;
}

void EnsureModifiersUp(const char* when) {
  ReleaseModifiers();
  Check(WaitFor(ModifiersUp, 5000), Format("Shift, Ctrl and Alt are up %s", when), "all up",
        "a modifier still down");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  QueryPerformanceFrequency(&g_freq);
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_driver <path\\to\\Vantrel.exe>\n");
    return 2;
  }
  const std::wstring exe = argv[1];
  const std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/") + 1);
  const std::wstring copy = dir + L"Vantrel2.exe";
  g_events.reserve(1 << 16);

  RECT area{};
  if (!Check(CreateTarget(GetModuleHandleW(nullptr), area), "target window created", "a window",
             LastError)) {
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return 1;
  }
  const LONG w = area.right - area.left, h = area.bottom - area.top;
  const POINT A{area.left + w / 2, area.top + h / 2};
  const POINT P{area.left + w / 4, area.top + h / 4};
  const POINT Q{area.left + 3 * w / 4, area.top + 3 * h / 4};
  const POINT R{area.left + w / 3, area.top + 2 * h / 3};
  const POINT S{area.left + 2 * w / 3, area.top + h / 3};
  Check(MoveCursor(A), "cursor can be placed on the target", Pt(A), [] { return Pt(Cursor()); });
  EnsureModifiersUp("at the start");

  Proc first, second, renamed;
  bool ready = false;

  // --- a. readiness, then Home clicks at the cursor at about the interval -------------
  {
    Check(!HotKeyHeldElsewhere(0, VK_HOME), "Home is free before Vantrel starts", "registrable",
          "held by someone");
    const long long t0 = Now();
    if (Check(Start(exe, first), "Vantrel starts", "CreateProcess succeeds", LastError)) {
      // The application window first, then the hotkeys: probing only once the window
      // exists keeps our momentary registrations out of the way of Vantrel's own.
      FindAppWindow f{0};
      const bool window = WaitFor(
                              [&] {
                                f = AppWindowOf(first);
                                return f.found != nullptr || !Running(first);
                              },
                              30000) &&
                          f.found;
      Check(window, "Vantrel creates its TApplication window \"Vantrel\"", "a window",
            Running(first) ? "none within 30 s" : "the process ended");
      WaitForInputIdle(first.pi.hProcess, 10000);
      int probesTaken = 0;
      ready = window && WaitFor(
                            [&] {
                              if (!HotKeyHeldElsewhere(0, VK_HOME)) {
                                ++probesTaken;
                                return false;
                              }
                              return true;
                            },
                            30000);
      Check(ready, "Vantrel holds the Home hotkey", "registration refused",
            Running(first) ? "still registrable after 30 s" : "the process ended");
      Note("ready %.0f ms after start; %d probe(s) found Home still free", Ms(Now() - t0),
           probesTaken);
      if (ready) {
        Check(AppWindowOf(first).visible == 0, "Vantrel shows no window", "0 visible windows",
              Format("%d", AppWindowOf(first).visible));
      }
    }
    if (ready) {
      size_t from = 0;
      const bool got = StartAndWait(11, from);
      Check(got, "Home starts clicking (11 clicks within 10 s)", ">= 11 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
      // Let the last click finish so every down has its up.
      WaitFor([] { return !g_events.back().down; }, 2000);
      const std::vector<size_t> d = LeftDownsFrom(from);
      if (got) {
        const double mean = MeanPeriod(d, 0, 10);
        int holdPairs = 0;
        Note("mean period %.1f ms, mean hold %.1f ms", mean, MeanHold(from, holdPairs));
        Check(mean >= kMinPeriod && mean <= kMaxPeriod,
              "mean period of 10 clicks is about the 100 ms interval",
              Format("%.0f..%.0f ms", kMinPeriod, kMaxPeriod), Format("%.1f ms", mean));
        POINT bad{};
        Check(AllDownsAt(d, 0, A, bad), "every click lands at the cursor position", Pt(A),
              [&] { return Pt(bad); });
        const size_t brk = FirstAlternationBreak(from);
        Check(brk == SIZE_MAX, "every button-down is followed by a button-up",
              "down, up, down, up...",
              brk == SIZE_MAX ? ""
                              : Format("a %s at event %d", g_events[brk].down ? "down" : "up",
                                       static_cast<int>(brk)));
        int pairs = 0;
        const double hold = MeanHold(from, pairs);
        Check(pairs >= 10 && hold >= 5 && hold <= 60,
              "the button is held briefly (20 of the 100 ms)", "mean hold 5..60 ms",
              Format("%.1f ms over %d clicks", hold, pairs));
        Check(!AnyOtherButtonFrom(from), "only the left button is clicked", "left only",
              "right or middle events");
      }
    }
  }

  // --- b. a second Home starts no second worker ----------------------------------------
  if (ready) {
    size_t from = 0;
    const bool got = StartAndWait(12, from);
    Check(got, "clicking goes on after a second Home", ">= 12 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      // The first two downs may predate the second Home's handling.
      const std::vector<size_t> d = LeftDownsFrom(from);
      const double mean = MeanPeriod(d, 2, 11);
      Check(mean >= kMinPeriod && mean <= kMaxPeriod,
            "the rate stays after a second Home (no second worker)",
            Format("mean period %.0f..%.0f ms", kMinPeriod, kMaxPeriod), Format("%.1f ms", mean));
      const size_t brk = FirstAlternationBreak(from);
      Check(brk == SIZE_MAX, "clicks still alternate down/up after a second Home",
            "down, up, down, up...",
            brk == SIZE_MAX ? "" : Format("break at event %d", static_cast<int>(brk)));
    }
  }

  // --- c. End stops clicking within one cycle, button up --------------------------------
  if (ready) {
    Pump();
    const size_t from = g_events.size();
    const long long tEnd = Now();
    Chord(0, VK_END);
    // Absence of clicks can only be shown by watching: several cycles past the allowed one.
    Observe(static_cast<DWORD>(6 * kInterval));
    const std::vector<size_t> d = LeftDownsFrom(from);
    double lastDownAfter = -1;
    if (!d.empty()) lastDownAfter = Ms(g_events[d.back()].when - tEnd);
    const double allowed = kInterval + 100;  // one cycle plus slack for message delivery
    Check(d.size() <= 1 && lastDownAfter <= allowed, "End stops clicking within one cycle",
          Format("at most 1 down, none later than %.0f ms after End", allowed),
          Format("%d down(s), the last %.0f ms after End", static_cast<int>(d.size()),
                 lastDownAfter));
    const bool lastUp = g_events.empty() || !(g_events.back().down);
    Check(lastUp, "the last button event after End is an up", "up",
          g_events.empty() ? "none" : "down");
    Check(!KeyDown(VK_LBUTTON), "the left button is not down after End", "up", "down");
    Check(WaitClickingStopped(), "no clicks while stopped", "quiet", NotStopped);
  }

  // --- d. Shift+Home pins the click point ------------------------------------------------
  if (ready) {
    EnsureModifiersUp("before pinning");
    Check(MoveCursor(P), "cursor moved to P", Pt(P), [] { return Pt(Cursor()); });
    Chord(MOD_SHIFT, VK_HOME);
    // Vantrel reads the cursor when it handles Shift+Home; hotkeys are handled in order,
    // so clicks from a following Home prove Shift+Home was handled while still at P.
    size_t from = 0;
    bool got = StartAndWait(2, from);
    Check(got, "Home after Shift+Home clicks", ">= 2 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    Check(StopAndWait(), "End stops clicking", "stopped", NotStopped);
    EnsureModifiersUp("after Shift+Home");

    Check(MoveCursor(Q), "cursor moved away to Q", Pt(Q), [] { return Pt(Cursor()); });
    got = StartAndWait(5, from);
    Check(got, "Home with a pinned point clicks", ">= 5 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      const POINT c = Cursor();
      Check(c.x == P.x && c.y == P.y, "the cursor jumps back to the pinned point P", Pt(P), Pt(c));
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(from), 0, P, bad), "clicks land at the pinned point P", Pt(P),
            [&] { return Pt(bad); });
    }
    // Moving the cursor while pinned: the next clicks still go to P. (No waiting for the
    // cursor to reach Q here: the worker may already have put it back.)
    SetCursorPos(Q.x, Q.y);
    Pump();
    const size_t moved = g_events.size();
    got = WaitFor([&] { return CountLeftDownsFrom(moved) >= 4; });
    if (got) {
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(moved), 1, P, bad),
            "clicks return to P after the cursor was moved away while clicking", Pt(P),
            [&] { return Pt(bad); });
    } else {
      Check(false, "clicking goes on while pinned", ">= 4 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(moved))); });
    }
    Check(StopAndWait(), "End stops pinned clicking", "stopped", NotStopped);
    Check(!KeyDown(VK_LBUTTON), "the left button is up after pinned clicking", "up", "down");
  }

  // --- e. Shift+End forgets the point: clicks follow the cursor again --------------------
  if (ready) {
    EnsureModifiersUp("before unpinning");
    Chord(MOD_SHIFT, VK_END);
    Check(MoveCursor(R), "cursor moved to R", Pt(R), [] { return Pt(Cursor()); });
    // Shift+End is handled before the Home that follows it.
    size_t from = 0;
    bool got = StartAndWait(5, from);
    Check(got, "Home after Shift+End clicks", ">= 5 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(from), 0, R, bad), "clicks land at the cursor R, not at P",
            Pt(R), [&] { return Pt(bad); });
      const POINT c = Cursor();
      Check(c.x == R.x && c.y == R.y, "the cursor stays at R", Pt(R), Pt(c));
    }
    Check(MoveCursor(S), "cursor moved to S while clicking", Pt(S), [] { return Pt(Cursor()); });
    Pump();
    const size_t moved = g_events.size();
    got = WaitFor([&] { return CountLeftDownsFrom(moved) >= 6; });
    Check(got, "clicking goes on after the cursor moved", ">= 6 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(moved))); });
    if (got) {
      // The first down after the move may have been generated just before it.
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(moved), 1, S, bad), "clicks follow the cursor to S", Pt(S),
            [&] { return Pt(bad); });
      const POINT c = Cursor();
      Check(c.x == S.x && c.y == S.y, "the cursor stays at S", Pt(S), Pt(c));
    }
    Check(StopAndWait(), "End stops clicking", "stopped", NotStopped);
    EnsureModifiersUp("after unpinning");
  }

  // --- f. exactly the seven combinations are held ------------------------------------------
  if (ready) {
    for (const Combo& c : kServed) {
      const bool held = HotKeyHeldElsewhere(c.mods, c.vk);
      Check(held, Format("Vantrel holds %s", ChordName(c.mods, c.vk).c_str()),
            "registration refused", "registrable");
    }
    const bool free = !HotKeyHeldElsewhere(MOD_CONTROL, VK_HOME);
    Check(free, "Ctrl+Home is not held", "registrable", "registration refused");
  }

  // --- g. single instance per file name -------------------------------------------------
  if (ready) {
    if (Check(Start(exe, second), "a second Vantrel from the same file starts",
              "CreateProcess succeeds", LastError)) {
      DWORD code = 0;
      const bool ended = WaitExit(second, 10000, code);
      Check(ended, "the second Vantrel exits at once", "exit within 10 s", "still running");
      if (ended) Check(code == 0, "the second Vantrel exits with code 0", "0", Format("%lu", code));
      Kill(second);
    }
    bool allHeld = true;
    for (const Combo& c : kServed) allHeld = allHeld && HotKeyHeldElsewhere(c.mods, c.vk);
    Check(allHeld, "the first Vantrel still holds all seven hotkeys", "all refused",
          "one registrable");
    Check(MoveCursor(A), "cursor moved to the middle", Pt(A), [] { return Pt(Cursor()); });
    size_t from = 0;
    Check(StartAndWait(3, from), "the first Vantrel still clicks on Home", ">= 3 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    Check(StopAndWait(), "and stops on End", "stopped", NotStopped);

    const bool copied = CopyFileW(exe.c_str(), copy.c_str(), FALSE) != 0;
    if (!copied) g_err = GetLastError();
    Check(copied, "Vantrel.exe copied to Vantrel2.exe", "a copy", LastError);
    if (copied &&
        Check(Start(copy, renamed), "Vantrel2.exe starts", "CreateProcess succeeds", LastError)) {
      FindAppWindow f{0};
      const bool window = WaitFor(
                              [&] {
                                f = AppWindowOf(renamed);
                                return f.found != nullptr || !Running(renamed);
                              },
                              30000) &&
                          f.found;
      Check(window, "Vantrel2.exe runs: it creates its own TApplication window", "a window",
            Running(renamed) ? "none within 30 s" : "the process ended");
      if (window) Note("Vantrel2.exe shows %d visible window(s)", AppWindowOf(renamed).visible);
      // The copy's hotkeys are refused; the first one keeps serving.
      bool held = true;
      for (const Combo& c : kServed) held = held && HotKeyHeldElsewhere(c.mods, c.vk);
      Check(held, "the hotkeys are still held while Vantrel2.exe runs", "all refused",
            "one registrable");
      Check(StartAndWait(3, from), "the first Vantrel still clicks on Home beside Vantrel2.exe",
            ">= 3 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
      Check(StopAndWait(), "and stops on End", "stopped", NotStopped);
      Check(Running(renamed), "Vantrel2.exe is still running", "running", "ended");
      if (window) {
        PostMessageW(f.found, WM_CLOSE, 0, 0);
        DWORD code = 0;
        const bool ended = WaitExit(renamed, 10000, code);
        Check(ended, "Vantrel2.exe exits on WM_CLOSE", "exit within 10 s", "still running");
        if (ended) Check(code == 0, "Vantrel2.exe exits with code 0", "0", Format("%lu", code));
      }
    }
  }

  // --- h. WM_CLOSE ends Vantrel and frees the hotkeys ---------------------------------------
  if (first.started) {
    const FindAppWindow f = AppWindowOf(first);
    if (Check(f.found != nullptr, "Vantrel's application window is there to close", "a window",
              Running(first) ? "none" : "the process ended")) {
      PostMessageW(f.found, WM_CLOSE, 0, 0);
      DWORD code = 0;
      const bool ended = WaitExit(first, 10000, code);
      Check(ended, "Vantrel exits on WM_CLOSE", "exit within 10 s", "still running");
      if (ended) {
        Check(code == 0, "Vantrel exits with code 0", "0", Format("%lu", code));
        bool freed = true;
        for (const Combo& c : kServed) freed = freed && !HotKeyHeldElsewhere(c.mods, c.vk);
        Check(freed, "the hotkeys are free after Vantrel ended", "all registrable",
              "one still refused");
      }
    }
  }

  ReleaseModifiers();
  Kill(first);
  Kill(second);
  Kill(renamed);
  DeleteFileW(copy.c_str());
  DestroyWindow(g_target);
  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  return g_failed == 0 && g_passed > 0 ? 0 : 1;
}
