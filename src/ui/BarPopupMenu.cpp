#include "ui/BarPopupMenu.h"

#include <cmath>

#include "framework/Finally.h"

using namespace win;

std::uint32_t ColorToRGB(TColor color, IMenus& menus) {
  return (color & 0x80000000u) ? menus.SysColor(static_cast<int>(color & 0xFF)) : color;
}

TFontSpec RotatedFontSpec(const TFont& font, int angle) {
  TFontSpec spec;
  spec.Height = font.Height;
  spec.Escapement = angle * 10;
  spec.Weight = font.Bold ? 700 : 400;
  spec.Italic = font.Italic;
  spec.Underline = font.Underline;
  spec.StrikeOut = font.StrikeOut;
  spec.CharSet = 1;  // DEFAULT_CHARSET, whatever the font's own
  spec.PitchAndFamily = font.Pitch == TFontPitch::fpVariable ? 2 : font.Pitch == TFontPitch::fpFixed ? 1 : 0;
  // The record's face field holds 31 characters and the terminating zero: a longer name is
  // cut between characters, never written past the field.
  std::size_t characters = 0, end = 0;
  for (; end < font.Name.size(); ++end) {
    const auto c = static_cast<unsigned char>(font.Name[end]);
    if ((c & 0xC0) == 0x80) continue;
    if (characters == 31) break;
    ++characters;
  }
  spec.Face = font.Name.substr(0, end);
  return spec;
}

TOwnedFont CreateRotatedFont(IDrawing& drawing, const TFont& font, int angle) {
  return TOwnedFont(drawing, drawing.MakeFont(RotatedFontSpec(font, angle)));
}

bool TBannerBitmap::LoadResource(const std::string& name) {
  FHandle.Reset();
  FHandle = TOwnedBitmap(FDrawing, FDrawing.LoadBitmapResource(name));
  FWidth = FHeight = 0;
  if (FHandle && !FDrawing.BitmapSize(FHandle.Get(), FWidth, FHeight)) FHandle.Reset();
  return !Empty();
}

TBarPopupMenu::TBarPopupMenu(TComponent* owner, std::string name, IMenus& menus, IWindows& windows,
                             IDrawing& drawing, TWnd applicationWindow,
                             const std::string& applicationTitle)
    : TPopupMenu(owner, std::move(name), menus, windows), FDrawing(drawing) {
  OwnerDraw = true;
  if (applicationWindow) VerticalText = applicationTitle;
}

TBarPopupMenu::~TBarPopupMenu() = default;

TBannerBitmap& TBarPopupMenu::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBannerBitmap>(FDrawing);
  return *FBitmap;
}

void TBarPopupMenu::SetTransparent(bool value) {
  if (FBitmap) FBitmap->Transparent = value;
}

void TBarPopupMenu::PopupAt(TPoint point) {
  FMenuHeight = 0;
  FBannerDone = false;
  for (TMenuItem* item : Items()) {
    item->OnMeasureItem = [this](TMenuItem& i, ICanvas& c, int& w, int& h) { BarMeasureItem(i, c, w, h); };
    item->OnAdvancedDrawItem = [this](TMenuItem& i, ICanvas& c, const TRect& r, std::uint32_t s) {
      BarDrawItem(i, c, r, s);
    };
  }
  TPopupMenu::PopupAt(point);
}

void TBarPopupMenu::BarMeasureItem(TMenuItem& item, ICanvas&, int& width, int& height) {
  width += BarWidth;
  if (item.Visible) FMenuHeight += height;
}

void TBarPopupMenu::BarDrawItem(TMenuItem& item, ICanvas& canvas, const TRect& rect, std::uint32_t state) {
  // The item's standard look, right of the bar.
  item.DrawStandard(canvas, {rect.Left + BarWidth, rect.Top, rect.Right, rect.Bottom}, state);
  if (FBannerDone) return;
  DrawStrip(canvas, rect);
  DrawText(canvas, rect);
  if (FMenuHeight == rect.Bottom) {
    FBannerDone = true;
    DrawBitmap(canvas);
  }
}

// The strip's rows of this item, from the menu window's left edge whatever the item's: one
// colour step per pixel row over the whole menu's height. The row at the item's bottom edge
// is painted again, in the same colour, by the item below.
void TBarPopupMenu::DrawStrip(ICanvas& canvas, const TRect& rect) {
  const int right = BarWidth - 2;
  if (GradientStart == GradientEnd) {
    canvas.FillRect({0, rect.Top, right, rect.Bottom}, ColorToRGB(GradientStart, Menus()));
    return;
  }
  // Nothing measured since the menu opened: there is no height to spread the colours over.
  if (FMenuHeight == 0) return;
  const std::uint32_t c1 = ColorToRGB(GradientStart, Menus()), c2 = ColorToRGB(GradientEnd, Menus());
  const auto part = [](std::uint32_t c, int shift) { return static_cast<std::int32_t>((c >> shift) & 0xFF); };
  for (std::int32_t y = rect.Top; y <= rect.Bottom; ++y) {
    std::uint32_t color = 0;
    for (int shift : {0, 8, 16}) {
      const std::int32_t a = part(c1, shift), b = part(c2, shift);
      color |= static_cast<std::uint32_t>(a + (b - a) * y / FMenuHeight) << shift;
    }
    canvas.FillRect({0, y, right, y + 1}, color);
  }
}

// Upwards from the bottom of the menu, each item drawing the part in its own rows.
void TBarPopupMenu::DrawText(ICanvas& canvas, const TRect& rect) {
  const TOwnedFont rotated = CreateRotatedFont(FDrawing, VerticalFont, 90);
  const TFontHandle previous = canvas.SelectFont(rotated.Get());
  TFinally restore{[&] { canvas.SelectFont(previous); }};
  const int h = canvas.TextExtent("X").y;
  // The glyph cell, h wide once turned, centred in the bar: halves round to even.
  const int x = static_cast<int>(std::nearbyint((BarWidth - h) / 2.0 - 0.5));
  canvas.SetTextColor(ColorToRGB(VerticalFont.Color, Menus()));
  const TRect clip{rect.Left, rect.Top, rect.Right, rect.Bottom + 1};
  std::int32_t y = FMenuHeight + VerticalTextOffsetY;
  if (FBitmap && BitmapVertAlignment == TBitmapVertAlignment::bvaBottom) y -= FBitmap->Height();
  canvas.TextOutClipped(x - 1, y, clip, VerticalText);
}

void TBarPopupMenu::DrawBitmap(ICanvas& canvas) {
  if (!FBitmap || FBitmap->Empty()) return;
  const int w = FBitmap->Width(), h = FBitmap->Height();
  int by = 0, bx = 0;
  switch (BitmapVertAlignment) {
    case TBitmapVertAlignment::bvaTop: by = BitmapOffsetY; break;
    case TBitmapVertAlignment::bvaBottom: by = FMenuHeight + BitmapOffsetY - h; break;
    case TBitmapVertAlignment::bvaMiddle: by = (FMenuHeight - h) / 2 + BitmapOffsetY; break;
  }
  switch (BitmapHorzAlignment) {
    case TBitmapHorzAlignment::bhaLeft: bx = BitmapOffsetX; break;
    case TBitmapHorzAlignment::bhaRight: bx = BarWidth - 2 + BitmapOffsetX - w; break;
    case TBitmapHorzAlignment::bhaCenter: bx = (BarWidth - 2 - w) / 2 + BitmapOffsetX; break;
  }
  canvas.DrawBitmap(FBitmap->Handle(), {0, 0, w, h}, bx, by, FBitmap->Transparent);
}
