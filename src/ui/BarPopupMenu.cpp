#include "ui/BarPopupMenu.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "framework/Finally.h"

using namespace win;

std::uint32_t ColorToRGB(TColor color, IMenus& menus) {
  return (color & 0x80000000u) ? menus.SysColor(static_cast<int>(color & 0xFF)) : color;
}

std::uint32_t GradientColor(std::uint32_t from, std::uint32_t to, int row, int rows) {
  std::uint32_t color = 0;
  for (int shift : {0, 8, 16}) {
    const std::int64_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    const std::int64_t v = rows > 0 ? a + (b - a) * row / rows : a;
    color |= static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255)) << shift;
  }
  return color;
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
    : TPopupMenu(owner, std::move(name), menus, windows, drawing) {
  OwnerDraw = true;
  if (applicationWindow) VerticalText = applicationTitle;
}

TBarPopupMenu::~TBarPopupMenu() = default;

TBannerBitmap& TBarPopupMenu::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBannerBitmap>(Drawing());
  return *FBitmap;
}

void TBarPopupMenu::SetTransparent(bool value) {
  if (FBitmap) FBitmap->Transparent = value;
}

void TBarPopupMenu::PopupAt(TPoint point) {
  FItemHeights.assign(Items().size(), 0);
  FPartDrawn.assign(Items().size(), false);
  FBannerOrigin.reset();
  FMenuHeight = 0;
  FBannerDone = false;
  for (TMenuItem* item : Items()) {
    item->OnMeasureItem = [this](TMenuItem& i, ICanvas& c, int& w, int& h) { BarMeasureItem(i, c, w, h); };
    item->OnAdvancedDrawItem = [this](TMenuItem& i, ICanvas& c, const TRect& r, std::uint32_t s) {
      BarDrawItem(i, c, r, s);
    };
  }
  TFinally end{[this] { FBannerFont.Reset(); }};
  TPopupMenu::PopupAt(point);
}

std::size_t TBarPopupMenu::Position(const TMenuItem& item) const {
  const auto& items = Items();
  return static_cast<std::size_t>(std::find(items.begin(), items.end(), &item) - items.begin());
}

int TBarPopupMenu::StripWidth() const { return Scale(BarWidth) - Scale(2); }

// An item measured again replaces its height rather than adding to the menu's.
void TBarPopupMenu::BarMeasureItem(TMenuItem& item, ICanvas&, int& width, int& height) {
  width += Scale(BarWidth);
  const std::size_t i = Position(item);
  if (!item.Visible || i >= FItemHeights.size()) return;
  FItemHeights[i] = height;
  FMenuHeight = std::accumulate(FItemHeights.begin(), FItemHeights.end(), 0);
}

void TBarPopupMenu::BarDrawItem(TMenuItem& item, ICanvas& canvas, const TRect& rect, std::uint32_t state) {
  // The item's standard look, right of the bar.
  item.DrawStandard(canvas, {rect.Left + Scale(BarWidth), rect.Top, rect.Right, rect.Bottom}, state);
  const std::size_t i = Position(item);
  // Outside a showing, or this item's part is drawn already.
  if (FBannerDone || i >= FPartDrawn.size() || FPartDrawn[i]) return;
  FPartDrawn[i] = true;
  if (!FBannerOrigin) {
    const int above = std::accumulate(FItemHeights.begin(), FItemHeights.begin() + static_cast<std::ptrdiff_t>(i), 0);
    FBannerOrigin = TPoint{rect.Left, rect.Top - above};
  }
  DrawStrip(canvas, rect);
  DrawText(canvas, rect);
  for (std::size_t j = 0; j < FPartDrawn.size(); ++j)
    if (Items()[j]->Visible && !FPartDrawn[j]) return;
  FBannerDone = true;
  DrawBitmap(canvas);
}

// The strip's rows of this item: one colour step per pixel row over the whole menu's
// height. The row at the item's bottom edge is painted again, in the same colour, by the
// item below.
void TBarPopupMenu::DrawStrip(ICanvas& canvas, const TRect& rect) {
  const TPoint origin = *FBannerOrigin;
  const int right = origin.x + StripWidth();
  if (GradientStart == GradientEnd) {
    canvas.FillRect({origin.x, rect.Top, right, rect.Bottom}, ColorToRGB(GradientStart, Menus()));
    return;
  }
  // Nothing measured since the menu opened: there is no height to spread the colours over.
  if (FMenuHeight == 0) return;
  const std::uint32_t c1 = ColorToRGB(GradientStart, Menus()), c2 = ColorToRGB(GradientEnd, Menus());
  for (std::int32_t y = rect.Top; y <= rect.Bottom; ++y)
    canvas.FillRect({origin.x, y, right, y + 1}, GradientColor(c1, c2, y - origin.y, FMenuHeight));
}

// Upwards from the bottom of the menu, each item drawing the part in its own rows, in one
// rotated font made for the showing.
void TBarPopupMenu::DrawText(ICanvas& canvas, const TRect& rect) {
  if (!FBannerFont) {
    TFont font = VerticalFont;
    font.Height = Scale(font.Height);
    FBannerFont = CreateRotatedFont(Drawing(), font, 90);
  }
  const TFontHandle previous = canvas.SelectFont(FBannerFont.Get());
  TFinally restore{[&] { canvas.SelectFont(previous); }};
  const int h = canvas.TextExtent("X").y;
  // The glyph cell, h wide once turned, centred in the bar: halves round to even.
  const TPoint origin = *FBannerOrigin;
  const int x = origin.x + static_cast<int>(std::nearbyint((Scale(BarWidth) - h) / 2.0 - 0.5));
  canvas.SetTextColor(ColorToRGB(VerticalFont.Color, Menus()));
  const TRect clip{rect.Left, rect.Top, rect.Right, rect.Bottom + 1};
  std::int32_t y = origin.y + FMenuHeight + Scale(VerticalTextOffsetY);
  if (FBitmap && BitmapVertAlignment == TBitmapVertAlignment::bvaBottom) y -= FBitmap->Height();
  canvas.TextOutClipped(x - Scale(1), y, clip, VerticalText);
}

// The picture keeps its own size; its offsets are at 96 pixels per inch.
void TBarPopupMenu::DrawBitmap(ICanvas& canvas) {
  if (!FBitmap || FBitmap->Empty()) return;
  const TPoint origin = *FBannerOrigin;
  const int w = FBitmap->Width(), h = FBitmap->Height();
  const int dx = Scale(BitmapOffsetX), dy = Scale(BitmapOffsetY);
  int by = 0, bx = 0;
  switch (BitmapVertAlignment) {
    case TBitmapVertAlignment::bvaTop: by = dy; break;
    case TBitmapVertAlignment::bvaBottom: by = FMenuHeight + dy - h; break;
    case TBitmapVertAlignment::bvaMiddle: by = (FMenuHeight - h) / 2 + dy; break;
  }
  switch (BitmapHorzAlignment) {
    case TBitmapHorzAlignment::bhaLeft: bx = dx; break;
    case TBitmapHorzAlignment::bhaRight: bx = StripWidth() + dx - w; break;
    case TBitmapHorzAlignment::bhaCenter: bx = (StripWidth() - w) / 2 + dx; break;
  }
  canvas.DrawBitmap(FBitmap->Handle(), {0, 0, w, h}, origin.x + bx, origin.y + by, FBitmap->Transparent);
}
