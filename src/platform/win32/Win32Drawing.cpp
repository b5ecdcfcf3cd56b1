#include "platform/win32/Win32Drawing.h"

#include "platform/win32/Win32.h"
#include "platform/win32/Win32Canvas.h"

#include <algorithm>
#include <utility>
#include <vector>

void TWin32Drawing::Invalidate(TWnd window) { ::InvalidateRect(ToHwnd(window), nullptr, FALSE); }

void TWin32Drawing::Paint(TWnd window, const std::function<void(ICanvas&)>& paint) {
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

TBitmapHandle TWin32Drawing::LoadBitmapResource(const std::string& name) {
  return reinterpret_cast<TBitmapHandle>(
      ::LoadBitmapW(::GetModuleHandleW(nullptr), Widen(name).c_str()));
}

void TWin32Drawing::ReleaseBitmap(TBitmapHandle bitmap) {
  if (bitmap) ::DeleteObject(reinterpret_cast<HBITMAP>(bitmap));
}

bool TWin32Drawing::BitmapSize(TBitmapHandle bitmap, int& width, int& height) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info)) return false;
  width = info.bmWidth;
  height = info.bmHeight;
  return true;
}

int TWin32Drawing::FontHeight(TFontHandle font) {
  HDC dc = ::GetDC(nullptr);
  if (!dc) return 0;
  const HGDIOBJ old = font ? ::SelectObject(dc, reinterpret_cast<HFONT>(font)) : nullptr;
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  if (old) ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

int TWin32Drawing::SystemMetric(int index) { return ::GetSystemMetrics(index); }

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

int TWin32Drawing::ScreenDpi() {
  TScreenDC dc;
  return dc.Get() ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
}

bool TWin32Drawing::FontFamilyExists(const std::string& face) {
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

TFontHandle TWin32Drawing::MakeFont(const TFontSpec& spec) {
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

bool TWin32Drawing::FontSpecOf(TFontHandle font, TFontSpec& spec) {
  LOGFONTW f{};
  if (!font || ::GetObjectW(reinterpret_cast<HFONT>(font), sizeof f, &f) != sizeof f) return false;
  f.lfFaceName[LF_FACESIZE - 1] = 0;
  spec.Face = Narrow(f.lfFaceName);
  spec.Height = f.lfHeight;
  spec.CharSet = f.lfCharSet;
  spec.Escapement = f.lfEscapement;
  spec.Weight = f.lfWeight;
  spec.Italic = f.lfItalic != 0;
  spec.Underline = f.lfUnderline != 0;
  spec.StrikeOut = f.lfStrikeOut != 0;
  spec.PitchAndFamily = f.lfPitchAndFamily;
  return true;
}

bool TWin32Drawing::FontHasGlyphs(TFontHandle font, const std::string& text) {
  const std::wstring wide = Widen(text);
  if (wide.empty()) return true;
  TScreenDC dc;
  if (!font || !dc.Get()) return false;
  const HGDIOBJ old = ::SelectObject(dc.Get(), reinterpret_cast<HFONT>(font));
  if (!old) return false;
  std::vector<WORD> glyphs(wide.size());
  const DWORD done = ::GetGlyphIndicesW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), glyphs.data(),
                                        GGI_MARK_NONEXISTING_GLYPHS);
  ::SelectObject(dc.Get(), old);
  if (done == GDI_ERROR || done != wide.size()) return false;
  return std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
}

void TWin32Drawing::ReleaseFont(TFontHandle font) {
  if (font) ::DeleteObject(reinterpret_cast<HFONT>(font));
}

TPoint TWin32Drawing::TextExtent(TFontHandle font, const std::string& text) {
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