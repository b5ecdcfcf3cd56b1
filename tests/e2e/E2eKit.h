// Shared pieces of the Wine end-to-end drivers: reporting in the Wine conformance style,
// a target window that records the clicks it receives, waiting on conditions while
// pumping messages, injected keys and cursor moves, hotkey probes, and processes.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "../support/TestReport.h"
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace e2e {


// ---------------------------------------------------------------------------------------
// Reporting

using report::Check;
using report::Format;
inline int& g_passed = report::Passed;
inline int& g_failed = report::Failed;

// One line to out: the prefix, then the formatted text, flushed at once.
inline void PrintLine(std::FILE* out, const char* prefix, const char* fmt, va_list ap) {
  std::fputs(prefix, out);
  std::vfprintf(out, fmt, ap);
  std::fputc('\n', out);
  std::fflush(out);
}

inline void Note(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
inline void Note(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  PrintLine(stdout, "# ", fmt, ap);
  va_end(ap);
}

// The "got" text computed only after the check itself ran: C++ leaves the order in which
// arguments are evaluated open, and many checks describe a state their own condition has
// just changed.
inline bool Check(bool good, const std::string& what, const std::string& expected,
           const std::function<std::string()>& got) {
  return Check(good, what, expected, good ? std::string() : got());
}

inline DWORD g_err = 0;  // GetLastError of the last failed call, for the report

inline std::string LastError() { return Format("error %lu", g_err); }

inline std::string Pt(POINT p) {
  return Format("(%ld,%ld)", static_cast<long>(p.x), static_cast<long>(p.y));
}

// ---------------------------------------------------------------------------------------
// Time

inline LARGE_INTEGER g_freq;

inline long long Now() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart;
}

inline double Ms(long long ticks) {
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(g_freq.QuadPart);
}

inline long long Ticks(double ms) {
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
  DWORD sent;      // the message's time (GetMessageTime): the tick when the input was queued
};

inline std::vector<ButtonEvent> g_events;
inline HWND g_target = nullptr;

inline void Record(HWND w, Btn b, bool down, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(w, &p);
  g_events.push_back({b, down, p, Now(), static_cast<DWORD>(GetMessageTime())});
}

inline LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
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

// Handles what is queued, for at most 50 ms: a program that floods the input stream (a
// click loop that never sleeps) would otherwise keep the queue full and no wait would end.
inline void Pump() {
  const long long end = Now() + Ticks(50);
  MSG m;
  while (Now() < end && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// Pumps our messages until cond() holds or timeoutMs passes; returns cond()'s last value.
inline bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs = 10000) {
  const long long end = Now() + Ticks(timeoutMs);
  for (;;) {
    Pump();
    if (cond()) return true;
    if (Now() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Pumps messages for a fixed observation span (used only to prove that nothing happens).
inline void Observe(DWORD ms) {
  const long long end = Now() + Ticks(ms);
  while (Now() < end) {
    Pump();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  Pump();
}

// The target over `area` (all the screen but a margin when empty); topmost unless it has to
// share the screen with windows the test looks at.
inline bool CreateTarget(HINSTANCE inst, RECT& area, bool topmost = true) {
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
  if (IsRectEmpty(&area)) area = {16, 16, sw - 16, sh - 16};
  g_target = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, L"Vantrel e2e target",
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

inline size_t CountLeftDownsFrom(size_t from) {
  size_t n = 0;
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button == Btn::Left && g_events[i].down) ++n;
  return n;
}

inline std::vector<size_t> LeftDownsFrom(size_t from) {
  std::vector<size_t> r;
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button == Btn::Left && g_events[i].down) r.push_back(i);
  return r;
}

inline bool AnyOtherButtonFrom(size_t from) {
  for (size_t i = from; i < g_events.size(); ++i)
    if (g_events[i].button != Btn::Left) return true;
  return false;
}

// Mean spacing in ms between consecutive downs d[first..last].
inline double MeanPeriod(const std::vector<size_t>& d, size_t first, size_t last) {
  if (last <= first) return 0;
  return Ms(g_events[d[last]].when - g_events[d[first]].when) / static_cast<double>(last - first);
}

// Checks the left-button events from `from` on strictly alternate down, up, down, up...
// (ignoring a leading up that belongs to a click begun before `from`); returns the first
// index that breaks the pattern, or SIZE_MAX.
inline size_t FirstAlternationBreak(size_t from) {
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
inline double MeanHold(size_t from, int& pairs) {
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

inline void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  // Home and End sit on the navigation cluster: extended keys, as a real keyboard sends them.
  if (vk == VK_HOME || vk == VK_END) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &in, sizeof in);
}

inline bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

// Releases every modifier the window system believes is down.
inline void ReleaseModifiers() {
  static const WORD mods[] = {VK_SHIFT,    VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL,
                              VK_RCONTROL, VK_MENU,   VK_LMENU,  VK_RMENU};
  for (WORD vk : mods)
    if (KeyDown(vk)) Key(vk, true);
}

inline bool ModifiersUp() { return !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

// Presses and releases vk with the given MOD_ flags held, releasing in reverse order.
inline void Chord(UINT mods, WORD vk) {
  if (mods & MOD_SHIFT) Key(VK_SHIFT, false);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, false);
  if (mods & MOD_ALT) Key(VK_MENU, false);
  Key(vk, false);
  Key(vk, true);
  if (mods & MOD_ALT) Key(VK_MENU, true);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, true);
  if (mods & MOD_SHIFT) Key(VK_SHIFT, true);
}


inline std::string ChordName(UINT mods, WORD vk) {
  std::string s;
  if (mods & MOD_SHIFT) s += "Shift+";
  if (mods & MOD_CONTROL) s += "Ctrl+";
  s += vk == VK_HOME ? "Home" : vk == VK_END ? "End" : Format("vk%02X", vk);
  return s;
}

inline bool MoveCursor(POINT p) {
  SetCursorPos(p.x, p.y);
  return WaitFor(
      [&] {
        POINT c;
        return GetCursorPos(&c) && c.x == p.x && c.y == p.y;
      },
      5000);
}

inline POINT Cursor() {
  POINT c{-1, -1};
  GetCursorPos(&c);
  return c;
}

// Presses and releases a mouse button at p, as a hand would. Both events carry p: under Wine
// a move warps the X pointer, and another program that reads the X events of an earlier
// warp late puts the cursor back there, where a click at the cursor would then land.
// A mouse event at p, normalised 0..65535 over the screen and rounded up so that it maps
// back onto p.
inline INPUT MouseInput(POINT p, DWORD flags) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65536LL + cx - 1) / cx);
  in.mi.dy = static_cast<LONG>((p.y * 65536LL + cy - 1) / cy);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return in;
}

inline DWORD ButtonFlag(Btn b, bool down) {
  static const DWORD flags[][2] = {{MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN},
                                   {MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_RIGHTDOWN},
                                   {MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_MIDDLEDOWN}};
  return flags[static_cast<int>(b)][down];
}

// One button going down or up at p.
inline bool MouseButton(POINT p, Btn b, bool down) {
  INPUT in = MouseInput(p, ButtonFlag(b, down));
  return SendInput(1, &in, sizeof in) == 1;
}

inline bool MouseClick(POINT p, Btn b = Btn::Left) {
  INPUT in[2] = {MouseInput(p, ButtonFlag(b, true)), MouseInput(p, ButtonFlag(b, false))};
  return SendInput(2, in, sizeof in[0]) == 2;
}

// Under Wine a window that comes under the X pointer brings its process an EnterNotify and a
// KeymapNotify, and Wine answers the latter by setting every key's state to what the X
// server knows. The X server knows nothing of injected keys: a held, injected Ctrl goes up.
// Keys may be held once the crossings of this thread's windows are handled. Showing a window
// makes Wine handle this thread's X events until the window's MapNotify, which the X server
// sends after every event of the requests before it.
inline void HandleCrossings() {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  // In the screen's last pixel, away from the cursor: its own mapping crosses nothing.
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"STATIC", L"",
                           WS_POPUP, sw - 1, sh - 1, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  DestroyWindow(w);
  Pump();
}

// For its lifetime the target covers the whole screen, on top, with the cursor at `at`:
// under Wine a program that reads the X events of an earlier cursor move late puts the cursor
// back there (seen: on the tray icon once clicking began), and clicks must still land on the
// target. Its crossings are handled (see HandleCrossings) before the caller presses keys.
class TScreenCover {
 public:
  explicit TScreenCover(POINT at) {
    GetWindowRect(g_target, &FWas);
    FWasTopmost = (GetWindowLongW(g_target, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(g_target, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_NOACTIVATE);
    MoveCursor(at);
    HandleCrossings();
  }
  ~TScreenCover() {
    SetWindowPos(g_target, FWasTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, FWas.left, FWas.top,
                 FWas.right - FWas.left, FWas.bottom - FWas.top, SWP_NOACTIVATE);
  }
  TScreenCover(const TScreenCover&) = delete;
  TScreenCover& operator=(const TScreenCover&) = delete;

 private:
  RECT FWas{};
  bool FWasTopmost = false;
};

// ---------------------------------------------------------------------------------------
// Hotkey probing: a combination we cannot register is held by someone else.

const int kProbeId = 0x7A00;

inline bool HotKeyHeldElsewhere(UINT mods, UINT vk) {
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

inline bool Start(const std::wstring& exe, Proc& p) {
  std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring cmd = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  p.started = CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                             dir.empty() ? nullptr : dir.c_str(), &si, &p.pi) != 0;
  if (!p.started) g_err = GetLastError();
  return p.started;
}

inline bool Running(const Proc& p) {
  return p.started && WaitForSingleObject(p.pi.hProcess, 0) == WAIT_TIMEOUT;
}

inline bool WaitExit(const Proc& p, DWORD ms, DWORD& code) {
  // Our own window keeps answering while we wait.
  const bool ended = WaitFor([&] { return !Running(p); }, ms);
  code = 0xFFFFFFFF;
  if (ended) GetExitCodeProcess(p.pi.hProcess, &code);
  return ended;
}

inline void Kill(Proc& p) {
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

inline BOOL CALLBACK FindAppWindowProc(HWND w, LPARAM lp) {
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

inline FindAppWindow AppWindowOf(const Proc& p) {
  FindAppWindow f{p.pi.dwProcessId};
  EnumWindows(FindAppWindowProc, reinterpret_cast<LPARAM>(&f));
  return f;
}

// A top-level window of the process by class (and title, when given).
struct FindWindowOf {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* title;
  bool visibleOnly = false;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindWindowOfProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindWindowOf*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[64] = {}, title[256] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 256);
  if (pid == f->pid && lstrcmpW(cls, f->cls) == 0 && (!f->title || lstrcmpW(title, f->title) == 0) &&
      (!f->visibleOnly || IsWindowVisible(w))) {
    f->found = w;
    return FALSE;
  }
  return TRUE;
}

inline HWND WindowOf(const Proc& p, const wchar_t* cls, const wchar_t* title = nullptr) {
  FindWindowOf f{p.pi.dwProcessId, cls, title};
  EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

inline std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

// The text of a visible message box of the process ("" when there is none), and the box.
struct MessageBoxSeen {
  HWND box = nullptr;
  std::wstring caption, text;
};

inline BOOL CALLBACK StaticTextProc(HWND w, LPARAM lp) {
  wchar_t cls[32] = {}, text[1024] = {};
  GetClassNameW(w, cls, 32);
  if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(w, text, 1024) > 0)
    *reinterpret_cast<std::wstring*>(lp) = text;
  return TRUE;
}

inline MessageBoxSeen MessageBoxOf(const Proc& p) {
  MessageBoxSeen seen;
  HWND box = WindowOf(p, L"#32770");
  if (!box || !IsWindowVisible(box)) return seen;
  seen.box = box;
  wchar_t caption[256] = {};
  GetWindowTextW(box, caption, 256);
  seen.caption = caption;
  EnumChildWindows(box, StaticTextProc, reinterpret_cast<LPARAM>(&seen.text));
  return seen;
}

// Starts Vantrel and waits until it holds Home: its application window first, then the
// hotkey (probing only once the window exists keeps our registrations out of its way).
inline bool StartReady(const std::wstring& exe, Proc& p) {
  if (!Start(exe, p)) return false;
  if (!WaitFor([&] { return WindowOf(p, L"TApplication", L"Vantrel") || !Running(p); }, 30000) ||
      !Running(p))
    return false;
  // The hotkeys are registered after that window exists, while the form is made, and a
  // probe of ours at that moment would take Home from it (silently: it then runs without
  // Home). Its first wait for input comes after all that.
  if (!WaitFor([&] { return WaitForInputIdle(p.pi.hProcess, 0) != WAIT_TIMEOUT; }, 30000))
    return false;
  // Input idle can also come earlier (a wait for the shell's tray while the icon is added,
  // before the hotkeys): the atom of the last of the seven hotkeys (Shift+Ctrl+End, 0x6023)
  // is added just before that one is registered, so Home, the first, is registered by then
  // and a probe can no longer take it from Vantrel. A stale atom of an ended run only means
  // the probe comes as early as before.
  WaitFor([] { return GlobalFindAtomW(L"HotKeyManagerHotKey24611") != 0; }, 10000);
  return WaitFor([] { return HotKeyHeldElsewhere(0, VK_HOME); }, 10000);
}

// ---------------------------------------------------------------------------------------
// Files and the hidden main window

inline bool ReadBytes(const std::wstring& path, std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buf[4096];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) bytes.append(buf, n);
  CloseHandle(f);
  return true;
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) != 0;
  CloseHandle(f);
  return ok;
}

// File bytes quoted on one line, for the report.
inline std::string Shown(const std::string& bytes) {
  std::string s;
  for (char c : bytes) s += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return '"' + s + '"';
}

// Posts WM_CLOSE to Vantrel's hidden main window (a close that saves) and waits for the end.
inline bool CloseAndWait(Proc& p, DWORD& code, DWORD timeoutMs = 15000) {
  HWND form = WindowOf(p, L"TForm1", L"Vantrel");
  if (!form) return false;
  PostMessageW(form, WM_CLOSE, 0, 0);
  return WaitExit(p, timeoutMs, code);
}

// The whole screen as a 24-bit BMP, for a person to look at.
inline bool SaveScreen(const std::wstring& path) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u), size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + size), 0, 0,
                      static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader)};
  bool ok = false;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f != INVALID_HANDLE_VALUE) {
    DWORD n = 0;
    ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
         WriteFile(f, &bi.bmiHeader, sizeof bi.bmiHeader, &n, nullptr) &&
         WriteFile(f, bits, size, &n, nullptr);
    CloseHandle(f);
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

// ---------------------------------------------------------------------------------------
// Scenario helpers

const double kInterval = 100;  // Vantrel's default interval, ms
const double kMinPeriod = 80, kMaxPeriod = 130;

// After End: waits until the button has been up for longer than a whole cycle.
inline bool WaitClickingStopped(double intervalMs = kInterval) {
  return WaitFor(
      [intervalMs] {
        if (g_events.empty()) return true;
        const ButtonEvent& last = g_events.back();
        return !(last.button == Btn::Left && last.down) && Ms(Now() - last.when) > 2.5 * intervalMs;
      },
      10000);
}

// Why WaitClickingStopped gave up, for the report.
inline std::string NotStopped() {
  if (!g_events.empty() && g_events.back().down) return "the button stays down";
  return "clicks go on";
}

// Presses Home and waits for n downs after it; returns the index where they start.
inline bool StartAndWait(size_t n, size_t& from, DWORD timeoutMs = 10000) {
  Pump();
  from = g_events.size();
  Chord(0, VK_HOME);
  return WaitFor([&] { return CountLeftDownsFrom(from) >= n; }, timeoutMs);
}

inline bool StopAndWait(double intervalMs = kInterval) {
  Chord(0, VK_END);
  return WaitClickingStopped(intervalMs);
}

inline bool AllDownsAt(const std::vector<size_t>& d, size_t first, POINT p, POINT& bad) {
  for (size_t k = first; k < d.size(); ++k) {
    const POINT at = g_events[d[k]].at;
    if (at.x != p.x || at.y != p.y) {
      bad = at;
      return false;
    }
  }
  return true;
}

inline void EnsureModifiersUp(const char* when) {
  ReleaseModifiers();
  Check(WaitFor(ModifiersUp, 5000), Format("Shift, Ctrl and Alt are up %s", when), "all up",
        "a modifier still down");
}

// ---------------------------------------------------------------------------------------
// Windows that come and go, and the screen's pixels

// A visible top-level window of the process by class: Wine keeps hidden "#32768" menu
// windows around between popups.
inline HWND VisibleWindowOf(const Proc& p, const wchar_t* cls) {
  FindWindowOf f{p.pi.dwProcessId, cls, nullptr, true};
  EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

// A rectangle of the screen, top row first, each pixel 0x00RRGGBB.
struct TScreenPixels {
  int width = 0, height = 0;
  std::vector<std::uint32_t> px;
  std::uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * width + x]; }
};

inline int Red(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return static_cast<int>(c & 0xFF); }

inline TScreenPixels GrabScreen(const RECT& r) {
  TScreenPixels s;
  s.width = r.right - r.left;
  s.height = r.bottom - r.top;
  if (s.width <= 0 || s.height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  // A negative height: a top-down DIB, whose rows come in screen order.
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), s.width, -s.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, s.width, s.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  s.px.assign(p, p + static_cast<size_t>(s.width) * s.height);
  for (std::uint32_t& c : s.px) c &= 0xFFFFFF;
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return s;
}

// The tray icon in a Wine virtual desktop: the centre of the dark pixels (its outline) in the
// notification area, the taskbar's right end. Returns how many there are (0: no taskbar).
inline int TrayIconPixels(POINT& centre) {
  RECT r{};
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!bar || !GetWindowRect(bar, &r)) return 0;
  r.left = r.right - 64;
  const TScreenPixels s = GrabScreen(r);
  long n = 0, sx = 0, sy = 0;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (const std::uint32_t c = s.At(x, y); Red(c) < 90 && Green(c) < 90 && Blue(c) < 90) {
        ++n;
        sx += x;
        sy += y;
      }
  if (n) centre = {r.left + sx / n, r.top + sy / n};
  return static_cast<int>(n);
}

// A window's text by WM_GETTEXT itself: GetWindowText does not ask a window of another
// process, whose edit keeps its text apart from the window's title.
inline std::wstring WindowText(HWND w) {
  wchar_t t[256] = {};
  SendMessageW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(t));
  return t;
}

// The middle of a window, in screen pixels.
inline POINT Middle(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

inline std::wstring Wide(const std::string& s) {
  std::wstring w(s.size(), L'\0');
  w.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), static_cast<int>(w.size()))));
  return w;
}

// A key's value as the INI file at path holds it now (the first section that has it);
// "(none)" when it has none.
inline std::string IniValue(const std::wstring& path, const char* key) {
  std::string bytes;
  ReadBytes(path, bytes);
  const size_t at = bytes.find("\n" + std::string(key) + "=");
  if (at == std::string::npos) return "(none)";
  const size_t from = bytes.find('=', at) + 1;
  return bytes.substr(from, bytes.find('\r', from) - from);
}

}  // namespace e2e
