// The Win32 adapter of the drawing port: GDI painting of button faces and transparent
// glyphs, bitmaps, fonts and metrics.
#pragma once

#include <string>

#include "platform/Drawing.h"

class TWin32Drawing final : public IDrawing {
public:
  void Invalidate(TWnd window) override;
  void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) override;
  TBitmapHandle LoadBitmapResource(const std::string& name) override;
  void ReleaseBitmap(TBitmapHandle bitmap) override;
  bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) override;
  int FontHeight(TFontHandle font) override;
  int SystemMetric(int index) override;
  int ScreenDpi() override;
  bool FontFamilyExists(const std::string& face) override;
  TFontHandle MakeFont(const TFontSpec& spec) override;
  bool FontSpecOf(TFontHandle font, TFontSpec& spec) override;
  bool FontHasGlyphs(TFontHandle font, const std::string& text) override;
  void ReleaseFont(TFontHandle font) override;
  TPoint TextExtent(TFontHandle font, const std::string& text) override;
};
