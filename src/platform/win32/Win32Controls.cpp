#include "platform/win32/Win32Controls.h"

#include "platform/win32/Win32.h"
#include "platform/win32/Win32Canvas.h"

#include <utility>

namespace {

TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

TLResult TWin32Controls::SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return ::SendMessageW(ToHwnd(window), msg, wParam, lParam);
}

std::string TWin32Controls::ReadText(TWnd window) {
  const int length = ::GetWindowTextLengthW(ToHwnd(window));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(ToHwnd(window), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return Narrow(text);
}

void TWin32Controls::WriteText(TWnd window, const std::string& text) {
  ::SetWindowTextW(ToHwnd(window), Widen(text).c_str());
}

TRect TWin32Controls::Bounds(TWnd window) {
  RECT r{};
  if (!::GetWindowRect(ToHwnd(window), &r)) return {};
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(ToHwnd(window)), reinterpret_cast<POINT*>(&r), 2);
  return FromRECT(r);
}

TRect TWin32Controls::ClientRect(TWnd window) {
  RECT r{};
  ::GetClientRect(ToHwnd(window), &r);
  return FromRECT(r);
}

void TWin32Controls::MoveWindow(TWnd window, const TRect& bounds) {
  ::MoveWindow(ToHwnd(window), bounds.Left, bounds.Top, bounds.Right - bounds.Left,
               bounds.Bottom - bounds.Top, TRUE);
}

void TWin32Controls::SetEditRect(TWnd edit, const TRect& rect) {
  RECT r = ToRECT(rect);
  ::SendMessageW(ToHwnd(edit), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TWin32Controls::Invalidate(TWnd window) { ::InvalidateRect(ToHwnd(window), nullptr, FALSE); }

void TWin32Controls::Paint(TWnd window, const std::function<void(ICanvas&)>& paint) {
  PAINTSTRUCT ps;
  HWND hwnd = ToHwnd(window);
  HDC dc = ::BeginPaint(hwnd, &ps);
  if (!dc) return;
  // The paint session ends also when painting fails, or the window is painted forever.
  struct TEnd {
    HWND Window;
    PAINTSTRUCT* Session;
    ~TEnd() { ::EndPaint(Window, Session); }
  } end{hwnd, &ps};
  TWin32Canvas canvas(dc);
  paint(canvas);
}

TWnd TWin32Controls::GetFocus() { return FromHwnd(::GetFocus()); }

void TWin32Controls::SetFocus(TWnd window) { ::SetFocus(ToHwnd(window)); }

bool TWin32Controls::CanFocus(TWnd window) {
  for (HWND h = ToHwnd(window); h; h = ::GetParent(h)) {
    if (!::IsWindowVisible(h) || !::IsWindowEnabled(h)) return false;
    // GetParent of a top-level window is its owner, which has no say.
    if (!(::GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return window != 0;
}

TWnd TWin32Controls::NextTabStop(TWnd window, bool previous) {
  HWND h = ToHwnd(window);
  HWND root = ::GetAncestor(h, GA_ROOT);
  // Asked about the top-level window itself: its first (or last) tab stop.
  return FromHwnd(::GetNextDlgTabItem(root, h == root ? nullptr : h, previous ? TRUE : FALSE));
}

std::int16_t TWin32Controls::GetKeyState(int vk) { return ::GetKeyState(vk); }

bool TWin32Controls::DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) {
  if (!lParam) return false;
  const auto* queried = reinterpret_cast<const MSG*>(lParam);
  msg = queried->message;
  wParam = queried->wParam;
  return true;
}

TWnd TWin32Controls::NotificationSource(TWnd parent, std::uint32_t msg, TWParam, TLParam lParam) {
  switch (msg) {
    case WM_COMMAND: return static_cast<TWnd>(lParam);
    case WM_NOTIFY: return lParam ? FromHwnd(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom) : 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? FromHwnd(item->hwndItem) : 0;
    }
    case WM_MEASUREITEM: {
      // The only message of the five that carries no window: the control is found by its id.
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (!item || item->CtlType == ODT_MENU) return 0;
      return FromHwnd(::GetDlgItem(ToHwnd(parent), static_cast<int>(item->CtlID)));
    }
    default:
      return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC ? static_cast<TWnd>(lParam) : 0;
  }
}

void TWin32Controls::SetCapture(TWnd window) { ::SetCapture(ToHwnd(window)); }
void TWin32Controls::ReleaseCapture() { ::ReleaseCapture(); }
TWnd TWin32Controls::GetCapture() { return FromHwnd(::GetCapture()); }

void TWin32Controls::MessageBeep(std::uint32_t type) { ::MessageBeep(type); }

char TWin32Controls::DecimalSeparator() {
  wchar_t buffer[8] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  // n counts the terminating null: one character is 2.
  if (n == 2 && buffer[0] > 32 && buffer[0] < 128) return static_cast<char>(buffer[0]);
  return '.';
}

TBitmapHandle TWin32Controls::LoadBitmapResource(const std::string& name) {
  return reinterpret_cast<TBitmapHandle>(
      ::LoadBitmapW(::GetModuleHandleW(nullptr), Widen(name).c_str()));
}

void TWin32Controls::ReleaseBitmap(TBitmapHandle bitmap) {
  if (bitmap) ::DeleteObject(reinterpret_cast<HBITMAP>(bitmap));
}

bool TWin32Controls::BitmapSize(TBitmapHandle bitmap, int& width, int& height) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info)) return false;
  width = info.bmWidth;
  height = info.bmHeight;
  return true;
}

int TWin32Controls::FontHeight(TFontHandle font) {
  HDC dc = ::GetDC(nullptr);
  if (!dc) return 0;
  const HGDIOBJ old = font ? ::SelectObject(dc, reinterpret_cast<HFONT>(font)) : nullptr;
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  if (old) ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

int TWin32Controls::SystemMetric(int index) { return ::GetSystemMetrics(index); }

namespace {
// The screen's device context for a measurement, given back at the end of the scope.
class TScreenDC {
public:
  TScreenDC() : FDC(::GetDC(nullptr)) {}
  ~TScreenDC() {
    if (FDC) ::ReleaseDC(nullptr, FDC);
  }
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HDC FDC;
};

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}
}  // namespace

int TWin32Controls::ScreenDpi() {
  TScreenDC dc;
  return dc.Get() ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
}

bool TWin32Controls::FontFamilyExists(const std::string& face) {
  const std::wstring wide = Widen(face);
  if (wide.empty() || wide.size() >= LF_FACESIZE) return false;
  TScreenDC dc;
  if (!dc.Get()) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wide.copy(query.lfFaceName, wide.size());
  bool found = false;
  ::EnumFontFamiliesExW(dc.Get(), &query, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

TFontHandle TWin32Controls::MakeFont(const TFontSpec& spec) {
  LOGFONTW font{};
  font.lfHeight = spec.Height;
  font.lfEscapement = spec.Escapement;
  font.lfWeight = spec.Weight;
  font.lfItalic = spec.Italic ? 1 : 0;
  font.lfUnderline = spec.Underline ? 1 : 0;
  font.lfStrikeOut = spec.StrikeOut ? 1 : 0;
  font.lfCharSet = spec.CharSet;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = spec.PitchAndFamily;
  // The face field holds 31 characters and the terminating zero: a longer name is cut.
  const std::wstring face = Widen(spec.Face).substr(0, LF_FACESIZE - 1);
  face.copy(font.lfFaceName, face.size());
  return reinterpret_cast<TFontHandle>(::CreateFontIndirectW(&font));
}

void TWin32Controls::ReleaseFont(TFontHandle font) {
  if (font) ::DeleteObject(reinterpret_cast<HFONT>(font));
}

TPoint TWin32Controls::TextExtent(TFontHandle font, const std::string& text) {
  TScreenDC dc;
  if (!dc.Get()) return {};
  const HGDIOBJ old = font ? ::SelectObject(dc.Get(), reinterpret_cast<HFONT>(font)) : nullptr;
  RECT r{0, 0, 0, 0};
  const std::wstring wide = Widen(text);
  ::DrawTextW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
  if (old) ::SelectObject(dc.Get(), old);
  return {r.right - r.left, r.bottom - r.top};
}

TRect TWin32Controls::WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) {
  RECT r = ToRECT(client);
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return FromRECT(r);
}

std::uint32_t TWin32Controls::GetStyle(TWnd window) {
  return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

void TWin32Controls::SetStyle(TWnd window, std::uint32_t style) {
  ::SetWindowLongW(ToHwnd(window), GWL_STYLE, static_cast<LONG>(style));
}

bool TWin32Controls::IsChild(TWnd parent, TWnd window) {
  return ::IsChild(ToHwnd(parent), ToHwnd(window)) != 0;
}
