#include "Target.h"

#include "Process.h"
#include "Wait.h"

namespace kit {

namespace {
std::vector<ButtonEvent> Recorded = [] {
  std::vector<ButtonEvent> v;
  v.reserve(1 << 16);
  return v;
}();
HWND TargetWindow = nullptr;

void Record(HWND w, Btn b, bool down, LPARAM lp) {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(w, &p);
  Recorded.push_back({b, down, p, Now(), static_cast<DWORD>(GetMessageTime())});
}
}  // namespace

std::vector<ButtonEvent>& Events() { return Recorded; }

HWND Target() { return TargetWindow; }

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

bool CreateTarget(RECT& area, bool topmost) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TargetProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"VantrelE2ETarget";
  // No CS_DBLCLKS: a quick second click must arrive as a plain button-down.
  if (!RegisterClassW(&wc)) {
    RememberLastError();
    return false;
  }
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  // A margin keeps the window clear of any "full screen" handling in the window system.
  if (IsRectEmpty(&area)) area = {16, 16, sw - 16, sh - 16};
  TargetWindow = CreateWindowExW(topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, L"Vantrel e2e target",
                                 WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left,
                                 area.bottom - area.top, nullptr, nullptr, wc.hInstance, nullptr);
  if (!TargetWindow) {
    RememberLastError();
    return false;
  }
  SetForegroundWindow(TargetWindow);
  UpdateWindow(TargetWindow);
  return true;
}

size_t CountLeftDownsFrom(size_t from) { return LeftDownsFrom(from).size(); }

std::vector<size_t> LeftDownsFrom(size_t from) {
  std::vector<size_t> r;
  for (size_t i = from; i < Recorded.size(); ++i)
    if (Recorded[i].button == Btn::Left && Recorded[i].down) r.push_back(i);
  return r;
}

bool AnyOtherButtonFrom(size_t from) {
  for (size_t i = from; i < Recorded.size(); ++i)
    if (Recorded[i].button != Btn::Left) return true;
  return false;
}

double MeanPeriod(const std::vector<size_t>& d, size_t first, size_t last) {
  if (last <= first) return 0;
  return Ms(Recorded[d[last]].when - Recorded[d[first]].when) / static_cast<double>(last - first);
}

size_t FirstAlternationBreak(size_t from) {
  bool expectDown = true;
  bool started = false;
  for (size_t i = from; i < Recorded.size(); ++i) {
    const ButtonEvent& e = Recorded[i];
    if (e.button != Btn::Left) continue;
    if (!started && !e.down) continue;
    started = true;
    if (e.down != expectDown) return i;
    expectDown = !expectDown;
  }
  return SIZE_MAX;
}

double MeanHold(size_t from, int& pairs) {
  double sum = 0;
  pairs = 0;
  for (size_t i = from; i + 1 < Recorded.size(); ++i) {
    const ButtonEvent& a = Recorded[i];
    if (a.button != Btn::Left || !a.down) continue;
    for (size_t j = i + 1; j < Recorded.size(); ++j) {
      const ButtonEvent& b = Recorded[j];
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

bool AllDownsAt(const std::vector<size_t>& d, size_t first, POINT p, POINT& bad) {
  for (size_t k = first; k < d.size(); ++k) {
    const POINT at = Recorded[d[k]].at;
    if (at.x != p.x || at.y != p.y) {
      bad = at;
      return false;
    }
  }
  return true;
}

TScreenCover::TScreenCover(POINT at) {
  GetWindowRect(TargetWindow, &FWas);
  FWasTopmost = (GetWindowLongW(TargetWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetWindowPos(TargetWindow, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOACTIVATE);
  MoveCursor(at);
  HandleCrossings();
}

TScreenCover::~TScreenCover() {
  SetWindowPos(TargetWindow, FWasTopmost ? HWND_TOPMOST : HWND_NOTOPMOST, FWas.left, FWas.top,
               FWas.right - FWas.left, FWas.bottom - FWas.top, SWP_NOACTIVATE);
}

bool WaitClickingStopped(double intervalMs) {
  return WaitFor(
      [intervalMs] {
        if (Recorded.empty()) return true;
        const ButtonEvent& last = Recorded.back();
        return !(last.button == Btn::Left && last.down) && Ms(Now() - last.when) > 2.5 * intervalMs;
      },
      10000);
}

std::string NotStopped() {
  if (!Recorded.empty() && Recorded.back().down) return "the button stays down";
  return "clicks go on";
}

bool StartAndWait(size_t n, size_t& from, double timeoutMs, WORD startKey) {
  Pump();
  from = Recorded.size();
  Chord(0, startKey);
  return WaitFor([&] { return CountLeftDownsFrom(from) >= n; }, timeoutMs);
}

bool StopAndWait(double intervalMs, WORD stopKey) {
  Chord(0, stopKey);
  return WaitClickingStopped(intervalMs);
}

}  // namespace kit
