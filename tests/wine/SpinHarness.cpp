#include "SpinHarness.h"

#include <commctrl.h>

namespace harness {

HWND Host = nullptr;
bool DialogKeys = true;
TSeen Arrows, Edits;
std::vector<double> Steps;

bool CheckText(const std::string& got, const std::string& expected, const std::string& what) {
  return Check(got == expected, what, Shown(expected), Shown(got));
}

std::string RectText(const RECT& r) {
  return Format("(%ld,%ld)-(%ld,%ld)", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right), static_cast<long>(r.bottom));
}

bool SameRect(const RECT& r, long left, long top, long right, long bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

void UseProgramPump(std::function<void()> programPump) {
  SetPump([programPump = std::move(programPump)] {
    if (DialogKeys) programPump();
    else PumpQueue();
  });
}

POINT ScreenOf(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

LRESULT CALLBACK ArrowSpy(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_LBUTTONDOWN:
      ++Arrows.LeftDowns;
      Arrows.LeftDownAt = NowMs();
      break;
    case WM_LBUTTONUP:
      ++Arrows.LeftUps;
      Arrows.StepsAtLeftUp = Steps.size();
      break;
    case WM_RBUTTONDOWN: ++Arrows.RightDowns; break;
    case WM_RBUTTONUP: ++Arrows.RightUps; break;
    case WM_MOUSEMOVE:
      Arrows.LastMove = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      Arrows.StepsAtMove = Steps.size();
      Arrows.TimersAtMove = Arrows.Timers;
      break;
    case WM_TIMER: ++Arrows.Timers; break;
    default: break;
  }
  return DefSubclassProc(h, msg, w, l);
}

LRESULT CALLBACK EditSpy(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
  if (msg == WM_CHAR) Edits.Chars.push_back(static_cast<unsigned>(w));
  if (msg == WM_PASTE) ++Edits.Pastes;
  return DefSubclassProc(h, msg, w, l);
}

void Shot(const char* name) {
  RECT r;
  GetWindowRect(Host, &r);
  const std::wstring base = Widen(name);
  Check(kit::Shot(base) && kit::Shot(base + L"-zoom", r, 4), Format("screenshot \"%s\" taken", name),
        "the screen and the window enlarged", "no picture");
}

}  // namespace harness
