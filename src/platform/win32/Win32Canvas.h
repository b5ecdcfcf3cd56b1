// The canvas on a device context: the drawing the controls and menus of the program do,
// in GDI calls. GDI objects it makes for a call are deleted before the call returns; the
// caller owns the context and the fonts it selects.
#pragma once

#include "platform/Drawing.h"
#include "platform/win32/Win32.h"

#include <algorithm>

// A memory device context and the bitmap selected into it, both let go in reverse order.
class TMemoryDC {
public:
  TMemoryDC(HDC like, HBITMAP bitmap) : FDC(::CreateCompatibleDC(like)) {
    if (FDC) FOld = ::SelectObject(FDC, bitmap);
  }
  ~TMemoryDC() {
    if (!FDC) return;
    ::SelectObject(FDC, FOld);
    ::DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }

private:
  HDC FDC;
  HGDIOBJ FOld = nullptr;
};

class TBitmapHandleOwner {
public:
  explicit TBitmapHandleOwner(HBITMAP bitmap) : FBitmap(bitmap) {}
  ~TBitmapHandleOwner() {
    if (FBitmap) ::DeleteObject(FBitmap);
  }
  TBitmapHandleOwner(const TBitmapHandleOwner&) = delete;
  TBitmapHandleOwner& operator=(const TBitmapHandleOwner&) = delete;
  HBITMAP Get() const { return FBitmap; }

private:
  HBITMAP FBitmap;
};

// PSDPxax: the brush where the mask source is black, the destination where it is white.
inline constexpr DWORD ROP_BRUSH_THROUGH_MASK = 0x00B8074A;

class TWin32Canvas final : public ICanvas {
public:
  explicit TWin32Canvas(HDC dc) : FDC(dc) {}

  void DrawButtonFace(const TRect& rect, bool pressed) override {
    RECT r = ToRECT(rect);
    ::DrawFrameControl(FDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  }

  void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool enabled) override {
    auto* picture = reinterpret_cast<HBITMAP>(bitmap);
    BITMAP info{};
    const int w = source.Right - source.Left, h = source.Bottom - source.Top;
    if (w <= 0 || h <= 0 || !::GetObjectW(picture, sizeof info, &info)) return;
    TMemoryDC image(FDC, picture);
    TBitmapHandleOwner maskBitmap(::CreateBitmap(w, h, 1, 1, nullptr));
    if (!image || !maskBitmap.Get()) return;
    TMemoryDC mask(FDC, maskBitmap.Get());
    if (!mask) return;
    // The mask: white where the picture has the colour of its lower-left pixel, black
    // where it shows (a colour-to-mono copy turns the background colour white).
    const COLORREF transparent = ::GetPixel(image.Get(), 0, info.bmHeight - 1);
    ::SetBkColor(image.Get(), transparent);
    ::BitBlt(mask.Get(), 0, 0, w, h, image.Get(), source.Left, source.Top, SRCCOPY);
    // Mono to colour: black bits take the text colour, white bits the background colour.
    const COLORREF oldText = ::SetTextColor(FDC, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(FDC, RGB(255, 255, 255));
    if (enabled) {
      // XOR the picture in, clear where it shows, XOR it again: the background stays
      // where the picture is transparent and the picture stands where it is not.
      ::BitBlt(FDC, x, y, w, h, image.Get(), source.Left, source.Top, SRCINVERT);
      ::BitBlt(FDC, x, y, w, h, mask.Get(), 0, 0, SRCAND);
      ::BitBlt(FDC, x, y, w, h, image.Get(), source.Left, source.Top, SRCINVERT);
    } else {
      // The shape embossed: highlight one pixel down and right, the shadow over it.
      const HGDIOBJ oldBrush = ::SelectObject(FDC, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
      ::BitBlt(FDC, x + 1, y + 1, w, h, mask.Get(), 0, 0, ROP_BRUSH_THROUGH_MASK);
      ::SelectObject(FDC, ::GetSysColorBrush(COLOR_BTNSHADOW));
      ::BitBlt(FDC, x, y, w, h, mask.Get(), 0, 0, ROP_BRUSH_THROUGH_MASK);
      ::SelectObject(FDC, oldBrush);
    }
    ::SetTextColor(FDC, oldText);
    ::SetBkColor(FDC, oldBack);
  }

  void DrawFocusRect(const TRect& rect) override {
    RECT r = ToRECT(rect);
    ::DrawFocusRect(FDC, &r);
  }

  void DrawBitmap(TBitmapHandle bitmap, const TRect& source, int x, int y, bool transparent) override {
    if (transparent) {
      DrawGlyph(bitmap, source, x, y, true);
      return;
    }
    TMemoryDC image(FDC, reinterpret_cast<HBITMAP>(bitmap));
    if (image)
      ::BitBlt(FDC, x, y, source.Right - source.Left, source.Bottom - source.Top, image.Get(), source.Left,
               source.Top, SRCCOPY);
  }

  void FillRect(const TRect& rect, std::uint32_t color) override {
    // The DC brush: a solid colour without a brush object to make and delete per row.
    RECT r = ToRECT(rect);
    const COLORREF old = ::SetDCBrushColor(FDC, color);
    ::FillRect(FDC, &r, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(FDC, old);
  }

  TFontHandle SelectFont(TFontHandle font) override {
    const HGDIOBJ chosen = font ? reinterpret_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT);
    return reinterpret_cast<TFontHandle>(::SelectObject(FDC, chosen));
  }

  void SetTextColor(std::uint32_t color) override {
    ::SetTextColor(FDC, color);
    ::SetBkMode(FDC, TRANSPARENT);
  }

  TPoint TextExtent(const std::string& text) override {
    const std::wstring wide = Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(FDC, wide.c_str(), static_cast<int>(wide.size()), &size);
    return {size.cx, size.cy};
  }

  void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) override {
    const std::wstring wide = Widen(text);
    RECT r = ToRECT(clip);
    ::ExtTextOutW(FDC, x, y, ETO_CLIPPED, &r, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  }

  void DrawCaption(const TRect& rect, const std::string& text) override {
    const std::wstring wide = Widen(text);
    RECT r = ToRECT(rect);
    ::DrawTextW(FDC, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  }

  void DrawIcon(TIconHandle icon, int x, int y, int size) override {
    ::DrawIconEx(FDC, x, y, reinterpret_cast<HICON>(icon), size, size, 0, nullptr, DI_NORMAL);
  }

  void DrawSeparator(const TRect& rect) override {
    RECT r = ToRECT(rect);
    r.top += (r.bottom - r.top) / 2;
    ::DrawEdge(FDC, &r, EDGE_ETCHED, BF_TOP);
  }

  void DrawCheckMark(const TRect& rect) override {
    // The check mark comes as a black-on-white mask: drawn into a monochrome bitmap, then
    // through it in the text colour.
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    const int side = std::min({w, h, ::GetSystemMetrics(SM_CXMENUCHECK)});
    if (side <= 0) return;
    TBitmapHandleOwner maskBitmap(::CreateBitmap(side, side, 1, 1, nullptr));
    if (!maskBitmap.Get()) return;
    TMemoryDC mask(FDC, maskBitmap.Get());
    if (!mask) return;
    RECT m{0, 0, side, side};
    ::DrawFrameControl(mask.Get(), &m, DFC_MENU, DFCS_MENUCHECK);
    const int x = rect.Left + (w - side) / 2, y = rect.Top + (h - side) / 2;
    const COLORREF oldText = ::SetTextColor(FDC, RGB(0, 0, 0));
    const COLORREF oldBack = ::SetBkColor(FDC, RGB(255, 255, 255));
    const HBRUSH brush = ::CreateSolidBrush(oldText);
    const HGDIOBJ oldBrush = ::SelectObject(FDC, brush);
    ::BitBlt(FDC, x, y, side, side, mask.Get(), 0, 0, ROP_BRUSH_THROUGH_MASK);
    ::SelectObject(FDC, oldBrush);
    ::DeleteObject(brush);
    ::SetTextColor(FDC, oldText);
    ::SetBkColor(FDC, oldBack);
  }

private:
  HDC FDC;
};

