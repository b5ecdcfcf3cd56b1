#include "SpinHarness.h"

#include <commctrl.h>

#include <cstdarg>
#include <cstdio>

namespace harness {

HWND Host = nullptr;
bool DialogKeys = true;
std::function<void()> ProgramPump;
TSeen Arrows, Edits;
std::vector<double> Steps;
std::wstring ShotFolder;

void Note(const std::string& text) {
  std::printf("# %s\n", text.c_str());
  std::fflush(stdout);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (static_cast<unsigned char>(c) < 32) out += Format("\\x%02x", static_cast<unsigned char>(c));
    else out += c;
  }
  return out;
}

bool CheckText(const std::string& got, const std::string& expected, const std::string& what) {
  // Quoted by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + temporary.
  const auto quoted = [](const std::string& text) {
    std::string q(1, '"');
    q += Escaped(text);
    q += '"';
    return q;
  };
  return Check(got == expected, what, quoted(expected), quoted(got));
}

std::string RectText(const RECT& r) {
  return Format("(%ld,%ld)-(%ld,%ld)", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right), static_cast<long>(r.bottom));
}

bool SameRect(const RECT& r, long left, long top, long right, long bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

double NowMs() {
  static LARGE_INTEGER freq{};
  if (!freq.QuadPart) QueryPerformanceFrequency(&freq);
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Pump() {
  if (DialogKeys && ProgramPump) {
    ProgramPump();
    return;
  }
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

bool WaitFor(const std::function<bool()>& cond, double timeoutMs) {
  const double end = NowMs() + timeoutMs;
  for (;;) {
    Pump();
    if (cond()) return true;
    if (NowMs() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

namespace {
void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_UP || vk == VK_DOWN) in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &in, sizeof in);
}
}  // namespace

void Tap(WORD vk) {
  Key(vk, false);
  Key(vk, true);
}

void Chord(WORD modifier, WORD vk) {
  Key(modifier, false);
  Tap(vk);
  Key(modifier, true);
}

void MouseTo(POINT screen) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65536 + w - 1) / w);
  in.mi.dy = static_cast<LONG>((screen.y * 65536 + h - 1) / h);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void Button(DWORD mouseEventFlag) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = mouseEventFlag;
  SendInput(1, &in, sizeof in);
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

std::vector<std::uint32_t> Pixels(HWND window, int& width, int& height) {
  RECT r;
  GetClientRect(window, &r);
  width = r.right;
  height = r.bottom;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width * height));
  HDC dc = GetDC(window);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      out[static_cast<std::size_t>(y * width + x)] =
          (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  ReleaseDC(window, dc);
  return out;
}

void Shot(const char* name) {
  if (ShotFolder.empty()) return;
  RECT r;
  GetWindowRect(Host, &r);
  const std::wstring base = ShotFolder + L"\\" + Widen(name);
  // Written whole under another name first, so the script never reads half of it.
  if (FILE* f = _wfopen((base + L".tmp").c_str(), L"w")) {
    std::fprintf(f, "%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                 static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
    std::fclose(f);
    MoveFileW((base + L".tmp").c_str(), (base + L".req").c_str());
  }
  const bool done = WaitFor(
      [&] { return GetFileAttributesW((base + L".done").c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
  Check(done, Format("screenshot \"%s\" taken", name), "taken within 30 s", "no answer");
}

}  // namespace harness
