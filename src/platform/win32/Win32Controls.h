// The Win32 adapter of what controls draw with: GDI painting of button faces and transparent
// glyphs, bitmaps, fonts and metrics.
#pragma once

#include <map>
#include <string>

#include "platform/Controls.h"

class TWin32Windows;

class TWin32Controls final : public IControls {
public:
  // The windows themselves are made by windows (CreateWindowFrom), which this one works beside.
  explicit TWin32Controls(TWin32Windows& windows) : FWindows(windows) {}

  void Invalidate(TWnd window) override;
  void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) override;
  char DecimalSeparator() override;
  TBitmapHandle LoadBitmapResource(const std::string& name) override;
  void ReleaseBitmap(TBitmapHandle bitmap) override;
  bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) override;
  int FontHeight(TFontHandle font) override;
  int SystemMetric(int index) override;
  int ScreenDpi() override;
  bool FontFamilyExists(const std::string& face) override;
  TFontHandle MakeFont(const TFontSpec& spec) override;
  void ReleaseFont(TFontHandle font) override;
  TPoint TextExtent(TFontHandle font, const std::string& text) override;

private:
  TWin32Windows& FWindows;
};
