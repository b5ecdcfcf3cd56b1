// End-to-end driver for Vantrel's tray menus, run by run-menus.sh in a Wine virtual desktop
// whose taskbar shows the tray icon. The icon is found by its pixels and clicked with the
// real mouse buttons; the menus are read from the screen and worked with the keyboard:
//   - the right button opens the banner menu: a strip from blue to black, white text low down;
//   - its letters: About (a message box, while the hotkeys go on clicking), the options window,
//     the help file and the web page (handed to the shell, which opens them with
//     shell_recorder.exe in this prefix);
//   - the left button opens the lock menu: the Ctrl lock holds Ctrl while Home clicks;
//   - exit: code 0, the lock saved, the icon gone, nothing left pressed.
// With `look <name>` (run-menus.sh, at other densities and locales) it only looks: the tray
// icon's picture, the banner menu, and screenshots of both menus and the options window, each
// window alone, named after the run.
//
//   e2e_menus.exe <path\to\Vantrel.exe> [look <name>]
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed"; exits 0 only when
// every check passed. Screenshots go to shots\ beside the exe.

#include "kit/Driver.h"
#include "kit/Files.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include <algorithm>
#include <cstdlib>
#include <map>

using namespace kit;

const char kDriverArguments[] = "[look <name>]";

namespace {

std::wstring g_dir;  // Vantrel's folder, with its backslash
Proc g_app;
POINT g_spot{};  // where Home's clicks land: inside the target window
POINT g_icon{};  // where the last click on the tray icon was

std::vector<bool> g_withCtrl;  // per left-button down on the target: Ctrl was down with it
std::wstring g_exe, g_look;    // Vantrel.exe; the look run's name and a dash ("": the full run)
int g_dpi = 96;

int Px(int v) { return MulDiv(v, g_dpi, 96); }

// A screenshot: the whole screen, or in a look run the window alone.
void Snap(const wchar_t* name, HWND w) {
  RECT r{};
  if (g_look.empty() || !GetWindowRect(w, &r)) Shot(name);
  else Shot(g_look + name, r);
}

// The icon resource `name` of Vantrel.exe at `size` pixels, found in `area` of the screen over
// the colour `back`, pixel for pixel, where its 16-pixel picture stretched to that size is not.
void CheckPicture(const std::string& what, const TScreenPixels& area, const wchar_t* name, int size,
                  std::uint32_t back) {
  POINT at{}, stretchedAt{};
  const int own = Differing(area, IconPicture(g_exe, name, size, back), at), limit = size * size / 50;
  Check(own >= 0 && own <= limit, what + Format(" is its own %d-pixel picture", size),
        Format("<= %d pixels differing", limit), Format("%d at (%ld,%ld)", own, at.x, at.y));
  if (size == 16) return;
  const int stretched = Differing(area, IconPicture(g_exe, name, size, back, 16), stretchedAt);
  Check(stretched > 4 * limit, what + " is not the 16-pixel picture stretched",
        Format("> %d pixels differing", 4 * limit), Format("%d", stretched));
}

std::uint32_t SysRgb(int index) {
  const COLORREF c = GetSysColor(index);
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

LRESULT CALLBACK NoActivateProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (msg == WM_LBUTTONDOWN) g_withCtrl.push_back((wp & MK_CONTROL) != 0);
  return TargetProc(w, msg, wp, lp);
}

bool Owns(const Proc& p, HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return w && pid == p.pi.dwProcessId;
}

std::string Describe(HWND w) {
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  return Utf8(cls) + (Owns(g_app, w) ? " of Vantrel" : " of another process");
}

HWND Menu() { return VisibleWindowOf(g_app, L"#32768"); }

// A real click on the icon: the right button opens its menu on the way down, the left one
// once it is up. The cursor then leaves the menu, so that no item is highlighted under it.
// Reported the first time for each button, and whenever it fails.
HWND OpenMenu(bool right) {
  static bool reported[2];
  static DWORD clicked = GetTickCount() - GetDoubleClickTime();
  HWND menu = nullptr;
  // Waited for: the taskbar is drawn again late after a window over it goes away.
  if (WaitFor([] { return TrayIcon(g_icon); }, 10000) && MoveCursor(g_icon)) {
    // A second click on the icon within the double-click time would be a double click.
    WaitFor([] { return GetTickCount() - clicked > GetDoubleClickTime(); }, 5000);
    // At the icon's place: a late reader of an earlier move may have put the cursor elsewhere.
    const Btn b = right ? Btn::Right : Btn::Left;
    MouseButton(g_icon, b, true);
    if (right) WaitFor([] { return Menu() != nullptr; }, 5000);
    MouseButton(g_icon, b, false);
    clicked = GetTickCount();
    // The menu takes keys once Vantrel's window is the foreground one.
    if (!WaitFor([&] { return (menu = Menu()) && Owns(g_app, GetForegroundWindow()); }, 10000))
      menu = nullptr;
    MoveCursor(g_spot);
  }
  if (!menu || !reported[right]) {
    reported[right] = true;
    Check(menu != nullptr,
          Format("a %s click on the tray icon opens the %s menu", right ? "right" : "left",
                 right ? "banner" : "lock"),
          "a visible #32768 window of Vantrel, Vantrel in the foreground", [] {
            return std::string(Menu() ? "a menu" : "no menu") + ", the foreground window is " +
                   Describe(GetForegroundWindow()) + ", at the icon " + Describe(WindowFromPoint(g_icon));
          });
  }
  return menu;
}

// Painted once its text shows: enough dark pixels in the client area, right of `skip` columns
// (a message box's icon).
bool Painted(HWND w, int skip = 0) {
  // Whatever of it waits to be painted is painted now, by its own thread, children included.
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  GetClientRect(w, &r);
  MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
  r.left += skip;
  const TScreenPixels s = GrabScreen(r);
  return std::count_if(s.px.begin(), s.px.end(), Dark) > 50;
}

bool MenuClosed() {
  return WaitFor([] { return Menu() == nullptr; }, 5000);
}

// ---------------------------------------------------------------------------------------
// 1. The banner menu's strip, read from the screen

std::string Hex(std::uint32_t c) { return Format("#%06X", static_cast<unsigned>(c)); }

bool Shade(std::uint32_t c) {  // the strip's colours: dark, blue the largest part
  return Red(c) < 80 && Green(c) < 80 && Blue(c) >= Red(c) && Blue(c) >= Green(c);
}

bool White(std::uint32_t c) { return Red(c) > 200 && Green(c) > 200 && Blue(c) > 200; }

void CheckBanner(HWND menu) {
  RECT c{};
  GetClientRect(menu, &c);
  MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&c), 2);
  TScreenPixels s;
  int left = -1, right = -1;  // the strip's columns, left to right - 1 (Wine draws the
                              // menu's frame inside the client area)
  int top = -1, bottom = -1;  // the strip's rows: from its first shade to its last
  int x = 0;                  // where the gradient is read: left of the text across the middle
  const auto read = [&] {
    s = GrabScreen(c);
    left = top = bottom = -1;
    for (int i = 0; i < 8 && i < s.width && left < 0; ++i)
      if (Shade(s.At(i, s.height / 2))) left = i;
    if (left < 0) return false;
    x = left + 1;
    for (int y = 0; y < s.height; ++y)
      if (Shade(s.At(x, y))) bottom = y, top = top < 0 ? y : top;
    if (top < 0) return false;
    for (right = left; right < s.width && Shade(s.At(right, top));) ++right;
    // Painted once the top is blue and the strip reaches down the menu.
    return Blue(s.At(x, top)) > 150 && bottom > s.height / 2;
  };
  WaitFor(read, 5000);
  Snap(L"banner", menu);
  Note("menu client area (%ld,%ld)-(%ld,%ld); strip in columns %d..%d, rows %d..%d", c.left, c.top,
       c.right, c.bottom, left, right - 1, top, bottom);
  const std::uint32_t head = top < 0 ? 0xFFFFFF : s.At(x, top);
  if (!Check(top >= 0 && top <= 4 && Blue(head) > 150 && Red(head) < 80 && Green(head) < 80,
             "the banner strip is blue at the menu's top", "b > 150, r and g < 80 within 4 rows",
             Format("row %d ", top) + Hex(head)))
    return;
  int lighter = -1;  // the first row that is lighter than the one above, or not a shade
  for (int y = top + 1; y <= bottom && lighter < 0; ++y)
    if (!Shade(s.At(x, y)) || Blue(s.At(x, y)) > Blue(s.At(x, y - 1))) lighter = y;
  Check(lighter < 0, "the strip darkens row by row downwards", "blue never growing", [&] {
    return Format("row %d ", lighter) + Hex(s.At(x, lighter)) + " below " +
           Hex(s.At(x, lighter - 1));
  });
  const std::uint32_t last = s.At(x, bottom);
  Check(bottom >= s.height - 5 && Red(last) < 40 && Green(last) < 40 && Blue(last) < 40,
        "the strip is near black at the menu's bottom",
        "r, g and b < 40 within 4 rows of the bottom",
        [&] { return Format("row %d of %d ", bottom, s.height) + Hex(last); });
  const auto whites = [&](int from, int to) {
    int n = 0;
    for (int y = from; y <= to; ++y)
      for (int i = left; i < right; ++i) n += White(s.At(i, y));
    return n;
  };
  const int lower = whites((top + bottom) / 2, bottom),
            upper = whites(top, top + (bottom - top) / 5);
  Check(lower > 20 && upper == 0,
        "the strip's white text is in its lower half, none in its top fifth",
        "> 20 and 0 white pixels", [&] { return Format("%d and %d", lower, upper); });

  // At the screen's density: the strip 29 pixels wide at 96 dpi, from the items' inset (as far
  // from the left as from the top), over the entries' rows: six entries of the picture's size
  // and 3 above and below it, two separators of 9 (150 rows at 96 dpi).
  const int picture = Px(16), entry = picture + 2 * Px(3), rule = Px(9);
  Check(std::abs(right - left - Px(29)) <= 1 && left == top,
        Format("at %d dpi the strip is %d pixels wide, from the items' inset", g_dpi, Px(29)),
        Format("%d (+-1) columns from %d", Px(29), top),
        [&] { return Format("%d columns from %d", right - left, left); });
  Check(Blue(head) > 250 && std::abs(bottom - top + 1 - (6 * entry + 2 * rule)) <= 2,
        "the strip runs from pure blue over the entries' rows",
        Format("blue > 250, %d (+-2) rows", 6 * entry + 2 * rule),
        Hex(head) + Format(", %d rows", bottom - top + 1));
  const int items = left + Px(31);  // where the entries' own drawing starts
  TScreenPixels first;
  first.width = s.width - items;
  first.height = std::min(entry, s.height - top);
  for (int y = top; y < top + first.height; ++y)
    for (int i = items; i < s.width; ++i) first.px.push_back(s.At(i, y));
  CheckPicture("the options entry's picture", first, L"MENUIMAGE4", picture, SysRgb(COLOR_MENU));
  // Each caption's ink (right of the pictures) lies within its entry, clear of its first and
  // last row: no caption is cut by the entry's height.
  std::string ink;
  bool inside = true;
  int y = top;
  for (const char kind : std::string("EESEEESE")) {
    const int h = kind == 'E' ? entry : rule;
    int n = 0, edge = 0;
    for (int r = y; kind == 'E' && r < std::min(y + h, s.height); ++r)
      for (int i = items + Px(3) + picture + 1; i < s.width - 4; ++i)
        if (Dark(s.At(i, r))) ++n, edge += r == y || r == y + h - 1;
    if (kind == 'E') ink += Format(" %d%s", n, edge ? "!" : ""), inside = inside && n > 20 && !edge;
    y += h;
  }
  Check(inside, "every caption lies inside its entry's rows",
        "> 20 dark pixels per entry, none on its first or last row (!)", "ink" + ink);
}

// ---------------------------------------------------------------------------------------
// 2. The banner menu's entries by their letters

// A file beside the exe ("" when there is none).
std::string FileText(const wchar_t* name) {
  std::string bytes;
  ReadBytes(g_dir + name, bytes);
  return bytes;
}

// What the shell opened for the letter: the recorder's next line.
std::string ShellOpens(WORD letter) {
  const size_t before = FileText(L"opened.txt").size();
  if (!OpenMenu(true)) return "no menu";
  Tap(letter);
  std::string line;
  const auto written = [&] {
    const std::string all = FileText(L"opened.txt");
    line = all.substr(std::min(before, all.size()));
    return line.find('\n') != std::string::npos;
  };
  if (!WaitFor(written, 15000)) {
    const MessageBoxSeen box = MessageBoxOf(g_app);
    return box.box ? "a message box: " + Utf8(box.text) : "nothing";
  }
  return line.substr(0, line.find_first_of("\r\n"));
}

void CheckEntries(HWND form) {
  if (OpenMenu(true)) {
    Tap('A');
    MessageBoxSeen about;
    WaitFor([&] { return (about = MessageBoxOf(g_app)).caption == L"情報" && Painted(about.box); },
            10000);
    Shot(L"about");
    Check(about.caption == L"情報" &&
              about.text == L"Vantrel  Copyright (C) Brindlework\r\n\r\nFileVersion : " VANTREL_VERSION
                            L"\r\n\r\n開始キー: Home　停止キー: End\r\n(詳細設定で変更できます)",
          "'a' shows the About box with the file version and the keys",
          "情報: the notice, FileVersion : " VANTREL_VERSION " and Home / End",
          [&] { return Utf8(about.caption) + ": " + Shown(Utf8(about.text)); });
    size_t from = 0;
    bool clicked = false, stopped = false;
    {
      const TScreenCover cover(g_spot);
      clicked = StartAndWait(3, from);
      stopped = clicked && StopAndWait();
    }
    Check(stopped, "while the About box is open Home clicks and End stops", "3 clicks, then none",
          [&] {
            return clicked ? NotStopped()
                           : Format("%u clicks", static_cast<unsigned>(CountLeftDownsFrom(from)));
          });
    // The clicks may have moved the foreground; Enter is for the box.
    SetForegroundWindow(about.box);
    WaitFor([&] { return GetForegroundWindow() == about.box; }, 3000);
    Tap(VK_RETURN);
    Check(WaitFor([&] { return !IsWindowVisible(about.box); }, 5000), "Enter closes the About box",
          "gone", [&] {
            return "still open, the foreground window is " + Describe(GetForegroundWindow());
          });
  }
  if (OpenMenu(true)) {
    Tap('O');
    Check(WaitFor([&] { return IsWindowVisible(form) && Painted(form); }, 5000),
          "'o' shows the options window", "visible, with its controls",
          IsWindowVisible(form) ? "nothing drawn in it" : "hidden");
    Snap(L"options", form);
    PostMessageW(form, WM_CLOSE, 0, 0);
    Check(WaitFor([&] { return !IsWindowVisible(form); }, 5000) && Running(g_app),
          "WM_CLOSE only hides the shown options window", "hidden, Vantrel running", "not so");
  }
  const std::string help = ShellOpens('H'), pdf = Utf8(g_dir) + "Vantrel.pdf";
  Check(lstrcmpiA(help.c_str(), pdf.c_str()) == 0,
        "'h' has the shell open Vantrel.pdf beside the exe", pdf, help);
  const std::string web = ShellOpens('W');
  Check(web == "https://brindlework.example/vantrel/",
        "'w' has the shell open the maker's web page", "https://brindlework.example/vantrel/", web);
}

// ---------------------------------------------------------------------------------------
// 3. The lock menu: the Ctrl lock

void CheckCtrlLock(HWND form) {
  HWND box = FindWindowExW(form, nullptr, L"Button", L"Ctrl Key Lock");
  if (HWND menu = OpenMenu(false)) {
    WaitFor([&] { return Painted(menu); }, 5000);
    Snap(L"lock-menu", menu);
    // At the point of the click, moved into the work area above the taskbar when it is low.
    RECT r{};
    GetWindowRect(menu, &r);
    InflateRect(&r, 16, 16);
    Check(PtInRect(&r, g_icon) != 0, "the lock menu opens by the icon",
          "within 16 px of " + Pt(g_icon),
          [&] { return Format("(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom); });
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    MenuClosed();
  }
  Check(WaitFor([&] { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000),
        "choosing Ctrl Key Lock checks the options window's Ctrl Key Lock box", "checked",
        box ? "unchecked" : "no such box");
  // Wine answers a change of the keyboard focus (the menu's close) by taking the keys' state
  // from the X server, which knows nothing of injected keys: Home waits for a round trip
  // through Vantrel's thread, behind what the close queued there.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  const TScreenCover cover(g_spot);
  const size_t first = g_withCtrl.size();
  size_t from = 0;
  const bool clicked = StartAndWait(3, from), held = KeyDown(VK_CONTROL);
  std::string flags;  // per click: C with Ctrl, - without
  for (size_t i = first; i < g_withCtrl.size(); ++i) flags += g_withCtrl[i] ? 'C' : '-';
  Check(clicked && held && flags.find('-') == std::string::npos,
        "with the Ctrl lock Home holds Ctrl while clicking", "3 or more Ctrl+clicks, Ctrl down",
        [&] { return "clicks " + flags + (held ? ", Ctrl down" : ", Ctrl up"); });
  const bool stopped = StopAndWait(), released = WaitFor([] { return !KeyDown(VK_CONTROL); }, 5000);
  Check(stopped && released, "End stops clicking and releases Ctrl", "no clicks, Ctrl up",
        [&] { return stopped ? std::string("Ctrl down") : NotStopped(); });
}

// ---------------------------------------------------------------------------------------
// 4. Exit

bool SavedCtrlLock(const std::string& user) {
  const std::string bytes = FileText(L"Vantrel.ini");
  const size_t at = bytes.find("[" + user + "]\r\n");
  if (at == std::string::npos) return false;
  const std::string section = bytes.substr(at, bytes.find("\n[", at) - at) + "\r\n";
  return section.find("\nCtrlLock=1\r\n") != std::string::npos;
}

void CheckExit(const std::string& user) {
  if (OpenMenu(true)) Tap('X');
  DWORD code = 0;
  const bool ended = WaitExit(g_app, 10000, code);
  Check(ended && code == 0, "'x' ends Vantrel with exit code 0", "0",
        [&] { return ended ? Format("%lu", code) : std::string("still running"); });
  Check(SavedCtrlLock(user), "the exit saved CtrlLock=1 in Vantrel.ini",
        "[" + user + "] with CtrlLock=1", [] { return Shown(FileText(L"Vantrel.ini")); });
  POINT p{};
  int dark = 0;
  Check(WaitFor([&] { return (dark = TrayIconPixels(p)) < 20; }, 10000),
        "the tray icon is gone after the exit", "< 20 dark pixels",
        [&] { return Format("%d", dark); });
  Shot(L"exited");
  std::string down;
  for (int vk :
       {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, VK_CONTROL, VK_SHIFT, VK_MENU, VK_HOME, VK_END})
    if (KeyDown(vk)) down += Format(" vk%02X", vk);
  Check(down.empty(), "no key or mouse button is left down", "none", down);
}

// ---------------------------------------------------------------------------------------
// 5. A look at another density or locale

// The tray's picture: Vantrel's icon at the small-icon size of the density, over the
// taskbar's colour (the commonest in the tray area).
void CheckTrayPicture() {
  const TScreenPixels tray = GrabScreen(TrayArea());
  std::map<std::uint32_t, int> count;
  for (const std::uint32_t c : tray.px) ++count[c];
  const auto back = std::max_element(count.begin(), count.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  CheckPicture("the tray icon", tray, L"MAINICON", Px(16), back == count.end() ? 0 : back->first);
  Shot(g_look + L"tray", TrayArea(), 4);
}

void Look(HWND form) {
  CheckTrayPicture();
  if (HWND menu = OpenMenu(true)) {
    CheckBanner(menu);
    Tap('O');
    Check(WaitFor([&] { return IsWindowVisible(form) && Painted(form); }, 5000),
          "'o' shows the options window", "visible, with its controls", "not so");
    Snap(L"options", form);
    PostMessageW(form, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindowVisible(form); }, 5000);
  }
  if (HWND menu = OpenMenu(false)) {
    WaitFor([&] { return Painted(menu); }, 5000);
    Snap(L"lock-menu", menu);
    Tap(VK_ESCAPE);
    MenuClosed();
  }
  DWORD code = 0;
  const bool ended = CloseAndWait(g_app, code);
  int dark = 0;
  POINT p{};
  // The next run finds its own icon alone.
  Check(ended && code == 0 && WaitFor([&] { return (dark = TrayIconPixels(p)) < 20; }, 10000),
        "WM_CLOSE ends Vantrel with code 0 and takes its icon away", "0, < 20 dark pixels",
        [&] { return ended ? Format("%lu, %d", code, dark) : std::string("still running"); });
}

}  // namespace

int Drive(const TDriverArgs& args) {
  const std::wstring& exe = args.exe;
  g_exe = exe;
  g_dir = args.dir;
  const bool look = args.more.size() == 2 && args.more[0] == L"look";
  if (!args.more.empty() && !look) return Usage();
  if (look) g_look = args.more[1] + L"-";
  // Our own coordinates unscaled, as Vantrel's (it declares itself DPI-aware).
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  char name[257] = {};
  DWORD size = sizeof name;
  GetUserNameA(name, &size);
  const std::string user = name;
  Note("%d dpi, ANSI code page %u", g_dpi, GetACP());
  if (!look) {
    // The lock off before the menu turns it on; with LockAndClick a lock clicks too.
    RECT area{};
    if (!Check(WriteBytes(g_dir + L"Vantrel.ini",
                          "[" + user + "]\r\nCtrlLock=0\r\nLockAndClick=1\r\n") &&
                   CreateTarget(area, false),
               "the settings are seeded and the target window is up", "both", LastError()))
      return Summary();
    // Top right, clear of the taskbar, the menus above it and the options window at (0,0).
    SetWindowPos(Target(), HWND_TOP, 480, 16, 300, 200, 0);
    // Clicks leave the foreground window as it is: an open About box keeps the keyboard, and
    // no focus change (see CheckCtrlLock) comes while the lock holds Ctrl.
    SetWindowLongPtrW(Target(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoActivateProc));
  }
  g_spot = {630, 116};
  const bool ready = StartReady(exe, g_app);
  HWND form = WindowOf(g_app, L"TForm1", L"Vantrel");
  if (Check(ready && form && WaitFor([] { return TrayIcon(g_icon); }, 15000),
            "Vantrel starts, holds its hotkeys and shows its tray icon", "all three",
            ready ? "no icon in the taskbar" : "no start")) {
    if (look) {
      Look(form);
    } else {
      if (HWND menu = OpenMenu(true)) {
        CheckBanner(menu);
        Tap(VK_ESCAPE);
        Check(MenuClosed(), "Esc closes the banner menu", "closed", "still open");
      }
      CheckEntries(form);
      CheckCtrlLock(form);
      CheckExit(user);
    }
  }
  Kill(g_app);
  return Summary();
}
