#include "Screen.h"

#include "Wait.h"

#include <cstdlib>

namespace kit {

namespace {
// A top-down 32-bit DIB section of w x h selected into a memory DC compatible with `from`.
struct TDib {
  HDC mem = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  void* bits = nullptr;
  TDib(HDC from, int w, int h, int bitsPerPixel, bool topDown) {
    mem = CreateCompatibleDC(from);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, static_cast<WORD>(bitsPerPixel), BI_RGB,
                    0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(from, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(mem, bitmap);
  }
  ~TDib() {
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
  }
  TDib(const TDib&) = delete;
  TDib& operator=(const TDib&) = delete;
};

TScreenPixels Grab(HDC from, int left, int top, int width, int height) {
  TScreenPixels s;
  if (width <= 0 || height <= 0) return s;
  s.width = width;
  s.height = height;
  // A top-down DIB, whose rows come in screen order.
  TDib dib(from, width, height, 32, true);
  BitBlt(dib.mem, 0, 0, width, height, from, left, top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(dib.bits);
  s.px.assign(p, p + static_cast<size_t>(width) * height);
  for (std::uint32_t& c : s.px) c &= 0xFFFFFF;
  return s;
}

std::wstring ShotFolder() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder = self;
  folder = folder.substr(0, folder.find_last_of(L'\\') + 1) + L"shots";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\";
}
}  // namespace

TScreenPixels GrabScreen(const RECT& r) {
  HDC screen = GetDC(nullptr);
  TScreenPixels s = Grab(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return s;
}

TScreenPixels WindowPixels(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  HDC dc = GetDC(w);
  TScreenPixels s = Grab(dc, 0, 0, r.right, r.bottom);
  ReleaseDC(w, dc);
  return s;
}

bool SaveScreen(const std::wstring& path) {
  return SaveScreen(path, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

bool SaveScreen(const std::wstring& path, const RECT& area, int zoom) {
  const int w = (area.right - area.left) * zoom, h = (area.bottom - area.top) * zoom;
  if (w <= 0 || h <= 0) return false;
  HDC screen = GetDC(nullptr);
  bool ok = false;
  {
    TDib dib(screen, w, h, 24, false);
    SetStretchBltMode(dib.mem, COLORONCOLOR);
    StretchBlt(dib.mem, 0, 0, w, h, screen, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u), size = stride * static_cast<DWORD>(h);
    BITMAPINFOHEADER ih{sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof ih + size), 0, 0,
                        static_cast<DWORD>(sizeof fh + sizeof ih)};
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      DWORD n = 0;
      ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) && WriteFile(f, &ih, sizeof ih, &n, nullptr) &&
           WriteFile(f, dib.bits, size, &n, nullptr);
      CloseHandle(f);
    }
  }
  ReleaseDC(nullptr, screen);
  return ok;
}

bool Shot(const std::wstring& name) { return SaveScreen(ShotFolder() + name + L".bmp"); }

bool Shot(const std::wstring& name, const RECT& area, int zoom) {
  return SaveScreen(ShotFolder() + name + L".bmp", area, zoom);
}

TScreenPixels IconPicture(const std::wstring& file, const wchar_t* name, int size, std::uint32_t back,
                          int stored) {
  TScreenPixels s;
  HMODULE m = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  stored = stored ? stored : size;
  HICON icon = m ? static_cast<HICON>(LoadImageW(m, name, IMAGE_ICON, stored, stored, 0)) : nullptr;
  if (icon) {
    HDC screen = GetDC(nullptr);
    {
      TDib dib(screen, size, size, 32, true);
      HBRUSH brush = CreateSolidBrush(RGB(Red(back), Green(back), Blue(back)));
      const RECT all{0, 0, size, size};
      FillRect(dib.mem, &all, brush);
      DeleteObject(brush);
      DrawIconEx(dib.mem, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      s = Grab(dib.mem, 0, 0, size, size);
    }
    ReleaseDC(nullptr, screen);
    DestroyIcon(icon);
  }
  if (m) FreeLibrary(m);
  return s;
}

int Differing(const TScreenPixels& area, const TScreenPixels& picture, POINT& at) {
  const auto differ = [](std::uint32_t a, std::uint32_t b) {
    return std::abs(Red(a) - Red(b)) > 24 || std::abs(Green(a) - Green(b)) > 24 || std::abs(Blue(a) - Blue(b)) > 24;
  };
  int best = -1;
  for (int y = 0; picture.width && y + picture.height <= area.height; ++y)
    for (int x = 0; x + picture.width <= area.width; ++x) {
      int n = 0;
      for (int j = 0; j < picture.height && (best < 0 || n < best); ++j)
        for (int i = 0; i < picture.width; ++i) n += differ(area.At(x + i, y + j), picture.At(i, j));
      if (best < 0 || n < best) best = n, at = {x, y};
    }
  return best;
}

RECT TrayArea() {
  RECT r{};
  HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!bar || !GetWindowRect(bar, &r)) return {};
  r.left = r.right - 64;
  return r;
}

int TrayIconPixels(POINT& centre) {
  const RECT r = TrayArea();
  if (IsRectEmpty(&r)) return 0;
  const TScreenPixels s = GrabScreen(r);
  long n = 0, sx = 0, sy = 0;
  for (int y = 0; y < s.height; ++y)
    for (int x = 0; x < s.width; ++x)
      if (Dark(s.At(x, y))) {
        ++n;
        sx += x;
        sy += y;
      }
  if (n) centre = {r.left + sx / n, r.top + sy / n};
  return static_cast<int>(n);
}

bool TrayIcon(POINT& centre) { return TrayIconPixels(centre) >= 20; }

bool TrayStays(const TScreenPixels& picture, double ms) {
  bool still = true;
  for (const long long end = Now() + Ticks(ms); still && Now() < end; Observe(100))
    still = GrabScreen(TrayArea()) == picture;
  return still;
}

}  // namespace kit
