// Drawing: painting a window on a canvas, bitmap resources, fonts and the few measurements a
// control needs (text metrics, system metrics, the screen's resolution).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Icons.h"
#include "platform/Shell.h"
#include "platform/WinApi.h"

using TBitmapHandle = std::uintptr_t;  // an HBITMAP's value; 0 is no bitmap
using TFontHandle = std::uintptr_t;    // an HFONT's value; 0 is the system font

// What CreateFontIndirect is given (a LOGFONT): a face, a height in pixels (negative: the
// character height), a character set, and the rest as LOGFONT has them.
struct TFontSpec {
  std::string Face;
  int Height = 0;
  std::uint8_t CharSet = 0;
  int Escapement = 0;  // tenths of a degree, anticlockwise
  int Weight = 400;    // FW_NORMAL; 700 bold
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  std::uint8_t PitchAndFamily = 0;
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

// A paint session of one window (BeginPaint to EndPaint); coordinates are client pixels.
class ICanvas {
public:
  virtual ~ICanvas() = default;
  // DrawFrameControl(DFC_BUTTON, DFCS_BUTTONPUSH, plus DFCS_PUSHED when pressed): a push
  // button's face, edges and the button-face colour inside.
  virtual void DrawButtonFace(const TRect& rect, bool pressed) = 0;
  // The part source of bitmap, drawn with its top-left at (x, y); pixels of the colour of
  // the bitmap's lower-left pixel are left out (transparent). A disabled glyph is drawn as
  // its shape, embossed in the highlight and shadow colours of buttons.
  virtual void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool enabled) = 0;
  // DrawFocusRect: the dotted focus frame, drawn by inverting (drawing it twice removes it).
  virtual void DrawFocusRect(const TRect& rect) = 0;

  // The part source of bitmap at (x, y); transparent as DrawGlyph draws an enabled glyph,
  // else every pixel.
  virtual void DrawBitmap(TBitmapHandle bitmap, const TRect& source, int x, int y, bool transparent) = 0;
  // FillRect with a solid brush of an RGB colour (0x00BBGGRR).
  virtual void FillRect(const TRect& rect, std::uint32_t color) = 0;
  // SelectObject of a font (0: the context's default); returns the one selected before.
  virtual TFontHandle SelectFont(TFontHandle font) = 0;
  // SetTextColor; text is drawn on a transparent background (SetBkMode TRANSPARENT).
  virtual void SetTextColor(std::uint32_t color) = 0;
  // GetTextExtentPoint32 of the text in the selected font.
  [[nodiscard]] virtual TPoint TextExtent(const std::string& text) = 0;
  // ExtTextOut(x, y, ETO_CLIPPED, clip, text) with the context's top-left alignment.
  virtual void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) = 0;
  // DrawText of one line, vertically centred in rect, left-aligned, "&" underlining the
  // character after it, always (never DT_HIDEPREFIX).
  virtual void DrawCaption(const TRect& rect, const std::string& text) = 0;
  // DrawIconEx at its natural size's place (x, y), size × size.
  virtual void DrawIcon(TIconHandle icon, int x, int y, int size) = 0;
  // DrawEdge(EDGE_ETCHED, BF_TOP) across rect's vertical middle: a menu's separator line.
  virtual void DrawSeparator(const TRect& rect) = 0;
  // DrawFrameControl(DFC_MENU, DFCS_MENUCHECK) in the text colour: a check mark in rect.
  virtual void DrawCheckMark(const TRect& rect) = 0;
};

class IDrawing {
public:
  virtual ~IDrawing() = default;

  // InvalidateRect(window, whole client area, no erase).
  virtual void Invalidate(TWnd window) = 0;
  // BeginPaint, paint on a canvas of the window, EndPaint (also when paint throws).
  virtual void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) = 0;

  // LoadBitmap on the program's own module (names compare without regard to case); 0 when
  // the program has no such bitmap. The caller releases it (DeleteObject).
  [[nodiscard]] virtual TBitmapHandle LoadBitmapResource(const std::string& name) = 0;
  virtual void ReleaseBitmap(TBitmapHandle bitmap) = 0;
  // GetObject: the bitmap's size in pixels; false when it is no bitmap.
  [[nodiscard]] virtual bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) = 0;
  // tmHeight of the font selected into the screen's device context; for font 0, of the
  // context's default font (the system font).
  [[nodiscard]] virtual int FontHeight(TFontHandle font) = 0;
  // GetSystemMetrics.
  [[nodiscard]] virtual int SystemMetric(int index) = 0;

  // GetDeviceCaps(LOGPIXELSY) of the screen: 96 unless the user chose larger text and the
  // program declares itself DPI-aware.
  [[nodiscard]] virtual int ScreenDpi() = 0;
  // Whether a font family of that face name is installed (EnumFontFamiliesEx).
  [[nodiscard]] virtual bool FontFamilyExists(const std::string& face) = 0;
  // CreateFontIndirect; 0 on failure. The caller releases it (DeleteObject).
  [[nodiscard]] virtual TFontHandle MakeFont(const TFontSpec& spec) = 0;
  // GetObject of a font: the logical font it was made from; false when it is no font.
  [[nodiscard]] virtual bool FontSpecOf(TFontHandle font, TFontSpec& spec) = 0;
  // Whether the font has a glyph of its own for every character of the text
  // (GetGlyphIndicesW with GGI_MARK_NONEXISTING_GLYPHS: no index is 0xFFFF). The font links
  // the system may follow when it draws are not looked at. False when it cannot be asked.
  [[nodiscard]] virtual bool FontHasGlyphs(TFontHandle font, const std::string& text) = 0;
  virtual void ReleaseFont(TFontHandle font) = 0;
  // The size of one line of text in the font, "&" marking the next character's underline
  // as a static control or a button shows it (DrawText with DT_CALCRECT | DT_SINGLELINE).
  [[nodiscard]] virtual TPoint TextExtent(TFontHandle font, const std::string& text) = 0;
};

