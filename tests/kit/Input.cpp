#include "Input.h"

#include "Report.h"
#include "Wait.h"

namespace kit {

namespace {
bool Extended(WORD vk) {
  switch (vk) {
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      return true;
    default:
      return false;
  }
}

// A mouse event at p, normalised 0..65535 over the screen and rounded up so that it maps
// back onto p.
INPUT MouseInput(POINT p, DWORD flags) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65536LL + cx - 1) / cx);
  in.mi.dy = static_cast<LONG>((p.y * 65536LL + cy - 1) / cy);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return in;
}

DWORD ButtonFlag(Btn b, bool down) {
  static const DWORD flags[][2] = {{MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN},
                                   {MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_RIGHTDOWN},
                                   {MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_MIDDLEDOWN}};
  return flags[static_cast<int>(b)][down];
}
}  // namespace

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (Extended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &in, sizeof in);
}

void Tap(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

void Chord(UINT mods, WORD vk) {
  if (mods & MOD_SHIFT) Key(VK_SHIFT, false);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, false);
  if (mods & MOD_ALT) Key(VK_MENU, false);
  Tap(vk);
  if (mods & MOD_ALT) Key(VK_MENU, true);
  if (mods & MOD_CONTROL) Key(VK_CONTROL, true);
  if (mods & MOD_SHIFT) Key(VK_SHIFT, true);
}

std::string ChordName(UINT mods, WORD vk) {
  std::string s;
  if (mods & MOD_SHIFT) s += "Shift+";
  if (mods & MOD_CONTROL) s += "Ctrl+";
  if (vk >= VK_F1 && vk <= VK_F24) return s + Format("F%d", vk - VK_F1 + 1);
  s += vk == VK_HOME ? "Home" : vk == VK_END ? "End" : Format("vk%02X", vk);
  return s;
}

bool KeyDown(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

void ReleaseModifiers() {
  static const WORD mods[] = {VK_SHIFT,    VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL,
                              VK_RCONTROL, VK_MENU,   VK_LMENU,  VK_RMENU};
  for (WORD vk : mods)
    if (KeyDown(vk)) Key(vk, true);
}

bool ModifiersUp() { return !KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU); }

void EnsureModifiersUp(const char* when) {
  ReleaseModifiers();
  Check(WaitFor(ModifiersUp, 5000), Format("Shift, Ctrl and Alt are up %s", when), "all up",
        "a modifier still down");
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

std::string Pt(POINT p) { return Format("(%ld,%ld)", static_cast<long>(p.x), static_cast<long>(p.y)); }

void MouseTo(POINT p) {
  INPUT in = MouseInput(p, 0);
  SendInput(1, &in, sizeof in);
}

bool MouseButton(POINT p, Btn b, bool down) {
  INPUT in = MouseInput(p, ButtonFlag(b, down));
  return SendInput(1, &in, sizeof in) == 1;
}

bool MouseButton(Btn b, bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = ButtonFlag(b, down);
  return SendInput(1, &in, sizeof in) == 1;
}

bool MouseClick(POINT p, Btn b) {
  INPUT in[2] = {MouseInput(p, ButtonFlag(b, true)), MouseInput(p, ButtonFlag(b, false))};
  return SendInput(2, in, sizeof in[0]) == 2;
}

void HandleCrossings() {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  // In the screen's last pixel, away from the cursor: its own mapping crosses nothing.
  HWND w = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"STATIC", L"",
                           WS_POPUP, sw - 1, sh - 1, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(w, SW_SHOWNOACTIVATE);
  DestroyWindow(w);
  Pump();
}

}  // namespace kit
