// The fake drawing port: paint sessions recorded as data, bitmaps and fonts of the test's
// choosing with their lifetimes, and metrics.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Drawing.h"
#include "support/FakeCanvas.h"
#include "support/FakePorts.h"

class TFakeDrawing : public IDrawing {
public:
  // The windows keep each child's count of invalidations.
  explicit TFakeDrawing(TFakeWindows& windows) : FWindows(windows) {}

  void Invalidate(TWnd window) override;
  void Paint(TWnd window, const std::function<void(ICanvas&)>& paint) override;
  TBitmapHandle LoadBitmapResource(const std::string& name) override;
  void ReleaseBitmap(TBitmapHandle bitmap) override;
  bool BitmapSize(TBitmapHandle bitmap, int& width, int& height) override;
  int FontHeight(TFontHandle font) override;
  int SystemMetric(int index) override { return index == win::SM_CYBORDER ? CyBorder : 0; }
  int ScreenDpi() override { return Dpi; }
  bool FontFamilyExists(const std::string& face) override { return InstalledFonts.count(face) > 0; }
  TFontHandle MakeFont(const TFontSpec& spec) override;
  bool FontSpecOf(TFontHandle font, TFontSpec& spec) override;
  // A live font has every glyph, unless its face is one of LatinOnlyFaces: those have none
  // beyond U+00FF.
  bool FontHasGlyphs(TFontHandle font, const std::string& text) override;
  void ReleaseFont(TFontHandle font) override;
  // Each character (a UTF-8 sequence, "&" left out) is half the font's height wide.
  TPoint TextExtent(TFontHandle font, const std::string& text) override;

  // One element drawn in a paint session.
  struct TPaintOp {
    enum TKind { Face, Glyph, FocusFrame } Kind;
    TWnd Window;
    TRect Rect;                // face and focus frame; the glyph's place
    bool Pressed = false;      // face
    TBitmapHandle Bitmap = 0;  // glyph
    TRect Source;              // glyph
    bool Enabled = true;       // glyph
    friend bool operator==(const TPaintOp&, const TPaintOp&) = default;
  };
  std::vector<TPaintOp> Painted;
  // Everything else drawn on the fake canvases (menus' items among them).
  std::vector<TCanvasOp> CanvasOps;

  // A bitmap of the test's own, live until released.
  TBitmapHandle MakeBitmap(int width, int height);
  std::string BitmapName(TBitmapHandle bitmap) const;
  std::size_t LiveBitmaps() const { return FBitmaps.size(); }
  int BadBitmapReleases = 0;
  // The program's bitmap resources by upper-case name, with their sizes.
  std::map<std::string, std::pair<int, int>> BitmapResources{{"SPINUP", {9, 6}}, {"SPINDOWN", {9, 6}}};

  int Dpi = 96;
  std::set<std::string> InstalledFonts{"ＭＳ Ｐゴシック"};
  // Faces without Japanese glyphs (a system's menu font on a Windows set to another language).
  std::set<std::string> LatinOnlyFaces;
  // The fonts made and not yet released, with what they were made from.
  std::map<TFontHandle, TFontSpec> LiveFonts;

  int SystemFontHeight = 16;
  std::map<TFontHandle, int> FontHeights;
  int CyBorder = 1;

private:
  class TCanvas;

  TFakeWindows& FWindows;
  struct TBitmap {
    std::string Name;
    int Width, Height;
  };
  std::map<TBitmapHandle, TBitmap> FBitmaps;
  TBitmapHandle FNextBitmap = 0xB0000;
  TFontHandle FNextFont = 0xF0000;
};
