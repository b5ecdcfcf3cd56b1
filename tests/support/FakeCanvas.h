// A canvas that records what is drawn on it, as data a test compares; text is measured in
// the fake fonts' heights (each character half the height wide).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Drawing.h"

struct TCanvasOp {
  enum TKind { Fill, Text, Caption, Icon, Separator, CheckMark, Bitmap } Kind;
  TRect Rect;               // Fill, Caption, Separator, CheckMark; Text's clip; Icon's and Bitmap's place
  std::uint32_t Color = 0;  // Fill's colour; the text colour of Text and Caption
  std::string Str;          // Text, Caption
  TFontHandle Font = 0;     // the font Text and Caption were drawn in
  std::uintptr_t Handle = 0;  // Icon, Bitmap
  int X = 0, Y = 0;         // Text's starting point
  friend bool operator==(const TCanvasOp&, const TCanvasOp&) = default;
};

class TFakeCanvas : public ICanvas {
public:
  TFakeCanvas(std::vector<TCanvasOp>& ops, std::function<int(TFontHandle)> fontHeight)
      : FOps(ops), FFontHeight(std::move(fontHeight)) {}
  void DrawButtonFace(const TRect&, bool) override {}
  void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool) override {
    DrawBitmap(bitmap, source, x, y, true);
  }
  void DrawFocusRect(const TRect&) override {}
  void DrawBitmap(TBitmapHandle bitmap, const TRect& source, int x, int y, bool) override {
    Add(TCanvasOp::Bitmap, {x, y, x + source.Right - source.Left, y + source.Bottom - source.Top}, 0, {}, 0, bitmap);
  }
  void FillRect(const TRect& rect, std::uint32_t color) override { Add(TCanvasOp::Fill, rect, color); }
  TFontHandle SelectFont(TFontHandle font) override {
    const TFontHandle old = FFont;
    FFont = font;
    return old;
  }
  void SetTextColor(std::uint32_t color) override { FTextColor = color; }
  TPoint TextExtent(const std::string& text) override {
    int characters = 0;
    for (const unsigned char c : text)
      if ((c & 0xC0) != 0x80) ++characters;
    const int h = FFontHeight(FFont);
    return {characters * h / 2, h};
  }
  void TextOutClipped(int x, int y, const TRect& clip, const std::string& text) override {
    Add(TCanvasOp::Text, clip, FTextColor, text, FFont, 0, x, y);
  }
  void DrawCaption(const TRect& rect, const std::string& text) override {
    Add(TCanvasOp::Caption, rect, FTextColor, text, FFont);
  }
  void DrawIcon(TIconHandle icon, int x, int y, int size) override {
    Add(TCanvasOp::Icon, {x, y, x + size, y + size}, 0, {}, 0, icon);
  }
  void DrawSeparator(const TRect& rect) override { Add(TCanvasOp::Separator, rect); }
  void DrawCheckMark(const TRect& rect) override { Add(TCanvasOp::CheckMark, rect, FTextColor); }
  TFontHandle Font() const { return FFont; }

private:
  void Add(TCanvasOp::TKind kind, const TRect& rect, std::uint32_t color = 0, const std::string& text = {},
           TFontHandle font = 0, std::uintptr_t handle = 0, int x = 0, int y = 0) {
    TCanvasOp op{kind, rect, color, text, font, handle, x, y};
    FOps.push_back(op);
  }

  std::vector<TCanvasOp>& FOps;
  std::function<int(TFontHandle)> FFontHeight;
  TFontHandle FFont = 0;
  std::uint32_t FTextColor = 0;
};
