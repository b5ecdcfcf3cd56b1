#include "support/FakeDrawing.h"

#include <algorithm>
#include <cctype>

using namespace win;

class TFakeDrawing::TCanvas final : public TFakeCanvas {
public:
  TCanvas(TFakeDrawing& owner, TWnd window)
      : TFakeCanvas(owner.CanvasOps, [&owner](TFontHandle f) { return owner.FontHeight(f); }),
        FOwner(owner),
        FWindow(window) {}
  void DrawButtonFace(const TRect& rect, bool pressed) override {
    FOwner.Painted.push_back({TPaintOp::Face, FWindow, rect, pressed, 0, {}, true});
  }
  void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool enabled) override {
    const TRect place{x, y, x + source.Right - source.Left, y + source.Bottom - source.Top};
    FOwner.Painted.push_back({TPaintOp::Glyph, FWindow, place, false, bitmap, source, enabled});
  }
  void DrawFocusRect(const TRect& rect) override {
    FOwner.Painted.push_back({TPaintOp::FocusFrame, FWindow, rect, false, 0, {}, true});
  }

private:
  TFakeDrawing& FOwner;
  TWnd FWindow;
};

void TFakeDrawing::Invalidate(TWnd window) {
  if (TFakeWindows::TChild* c = FWindows.Child(window)) ++c->Invalidations;
}

void TFakeDrawing::Paint(TWnd window, const std::function<void(ICanvas&)>& paint) {
  TCanvas canvas(*this, window);
  paint(canvas);
}

TBitmapHandle TFakeDrawing::LoadBitmapResource(const std::string& name) {
  std::string upper = name;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  auto it = BitmapResources.find(upper);
  if (it == BitmapResources.end()) return 0;
  const TBitmapHandle handle = FNextBitmap++;
  FBitmaps[handle] = {upper, it->second.first, it->second.second};
  return handle;
}

TBitmapHandle TFakeDrawing::MakeBitmap(int width, int height) {
  const TBitmapHandle handle = FNextBitmap++;
  FBitmaps[handle] = {"", width, height};
  return handle;
}

std::string TFakeDrawing::BitmapName(TBitmapHandle bitmap) const {
  auto it = FBitmaps.find(bitmap);
  return it == FBitmaps.end() ? std::string() : it->second.Name;
}

void TFakeDrawing::ReleaseBitmap(TBitmapHandle bitmap) {
  if (!FBitmaps.erase(bitmap)) ++BadBitmapReleases;
}

bool TFakeDrawing::BitmapSize(TBitmapHandle bitmap, int& width, int& height) {
  auto it = FBitmaps.find(bitmap);
  if (it == FBitmaps.end()) return false;
  width = it->second.Width;
  height = it->second.Height;
  return true;
}

int TFakeDrawing::FontHeight(TFontHandle font) {
  if (!font) return SystemFontHeight;
  auto it = FontHeights.find(font);
  return it == FontHeights.end() ? SystemFontHeight : it->second;
}

TFontHandle TFakeDrawing::MakeFont(const TFontSpec& spec) {
  const TFontHandle font = FNextFont++;
  LiveFonts[font] = spec;
  FontHeights[font] = spec.Height < 0 ? -spec.Height : spec.Height;
  return font;
}

bool TFakeDrawing::FontSpecOf(TFontHandle font, TFontSpec& spec) {
  auto it = LiveFonts.find(font);
  if (it == LiveFonts.end()) return false;
  spec = it->second;
  return true;
}

bool TFakeDrawing::FontHasGlyphs(TFontHandle font, const std::string& text) {
  auto it = LiveFonts.find(font);
  if (it == LiveFonts.end()) return false;
  if (!LatinOnlyFaces.count(it->second.Face)) return true;
  // UTF-8 lead bytes from 0xC4 on start characters from U+0100 on.
  return std::none_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xC4; });
}

void TFakeDrawing::ReleaseFont(TFontHandle font) {
  LiveFonts.erase(font);
  FontHeights.erase(font);
}

TPoint TFakeDrawing::TextExtent(TFontHandle font, const std::string& text) {
  int characters = 0;
  for (const unsigned char c : text)
    if ((c & 0xC0) != 0x80 && c != '&') ++characters;
  const int height = FontHeight(font);
  return {characters * height / 2, height};
}
