// TBarPopupMenu: a popup menu with a banner down its left side: a strip in a top-to-bottom
// colour gradient, a text written upwards from the bottom in a rotated font, and optionally
// one bitmap. The items keep their standard look, moved right of the strip. Its sizes are
// given for 96 pixels per inch and scaled to the screen's.
// The banner is painted item by item during the menu's first drawing pass: the measuring
// pass before it gives every item's height (the menu's height is their sum), the first item
// drawn places the banner (its rectangle, less the heights of the items above it: the
// system may inset the items from the menu window's edge), each item paints the strip and
// the part of the text in its own rows, and once every item has, the banner is complete.
// Redraws after that (the highlight moving) touch only their item.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/DrawingObjects.h"
#include "framework/Menus.h"
#include "platform/Drawing.h"

enum class TBitmapVertAlignment : std::uint8_t { bvaTop = 0, bvaBottom = 1, bvaMiddle = 2 };
enum class TBitmapHorzAlignment : std::uint8_t { bhaLeft = 0, bhaRight = 1, bhaCenter = 2 };
enum class TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

// Colours: 0x00BBGGRR, or 0xFF000000 plus a system colour index.
using TColor = std::uint32_t;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor SystemColor(int index) { return 0xFF000000u | static_cast<std::uint32_t>(index); }
// RGB of a colour: a system colour (high bit set) is the system's current one.
std::uint32_t ColorToRGB(TColor color, IMenus& menus);
// The colour of row `row` of `rows` on a gradient from `from` (row 0) to `to` (row `rows`),
// each component kept within 0..255 for a row outside the gradient.
std::uint32_t GradientColor(std::uint32_t from, std::uint32_t to, int row, int rows);

// A font as the menu keeps it: its colour is the text colour.
struct TFont {
  std::string Name = "Tahoma";
  int Height = -19;  // 14 points at 96 pixels per inch
  TColor Color = clWhite;
  bool Bold = true;
  bool Italic = true;
  bool Underline = false;
  bool StrikeOut = false;
  TFontPitch Pitch = TFontPitch::fpDefault;
  std::uint8_t CharSet = 1;  // DEFAULT_CHARSET
};

// The logical font of font turned by angle degrees (anticlockwise): its height, weight,
// styles and face, any character set, the pitch as the font has it. The face is cut to the
// 31 characters the record holds.
TFontSpec RotatedFontSpec(const TFont& font, int angle);
// CreateRotatedFont: a new font made from RotatedFontSpec.
TOwnedFont CreateRotatedFont(IDrawing& drawing, const TFont& font, int angle);

// The banner's picture, owned by the menu; empty until a picture is loaded into it.
class TBannerBitmap {
public:
  explicit TBannerBitmap(IDrawing& drawing) : FDrawing(drawing) {}
  TBannerBitmap(const TBannerBitmap&) = delete;
  TBannerBitmap& operator=(const TBannerBitmap&) = delete;
  // The program's bitmap resource, copied in; false when there is none (the picture is
  // then empty).
  bool LoadResource(const std::string& name);
  bool Empty() const { return !FHandle; }
  TBitmapHandle Handle() const { return FHandle.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Drawn leaving out the colour of its lower-left pixel.
  bool Transparent = true;

private:
  IDrawing& FDrawing;
  TOwnedBitmap FHandle;
  int FWidth = 0, FHeight = 0;
};

class TBarPopupMenu : public TPopupMenu {
public:
  // The text is the application's title when the application window exists.
  TBarPopupMenu(TComponent* owner, std::string name, IMenus& menus, IWindows& windows,
                IDrawing& drawing, TWnd applicationWindow, const std::string& applicationTitle);
  ~TBarPopupMenu() override;

  // Made empty, and transparent, on first use.
  TBannerBitmap& Bitmap();
  bool HasBitmap() const { return FBitmap != nullptr; }
  std::int32_t BitmapOffsetX = 0;
  std::int32_t BitmapOffsetY = 0;
  TBitmapVertAlignment BitmapVertAlignment = TBitmapVertAlignment::bvaBottom;
  TBitmapHorzAlignment BitmapHorzAlignment = TBitmapHorzAlignment::bhaLeft;
  TColor GradientStart = clBlue;
  TColor GradientEnd = clBlack;
  // The bitmap's flag; false without a bitmap, and a value set then is dropped.
  bool Transparent() const { return FBitmap && FBitmap->Transparent; }
  void SetTransparent(bool value);
  TFont VerticalFont;
  std::string VerticalText;
  std::int32_t VerticalTextOffsetY = -6;
  // Added to every item's width; the strip is two pixels narrower. Like the offsets and the
  // font's height, at 96 pixels per inch.
  std::int32_t BarWidth = 31;

  // Starts a showing: the banner is painted afresh, and the top-level items are measured and
  // drawn by the two handlers below (submenus keep the standard look).
  void PopupAt(TPoint point) override;
  void BarMeasureItem(TMenuItem& item, ICanvas& canvas, int& width, int& height);
  void BarDrawItem(TMenuItem& item, ICanvas& canvas, const TRect& rect, std::uint32_t state);

  std::int32_t MenuHeight() const { return FMenuHeight; }
  bool BannerDone() const { return FBannerDone; }

private:
  // The item's place among the top-level items.
  std::size_t Position(const TMenuItem& item) const;
  int StripWidth() const;
  void DrawStrip(ICanvas& canvas, const TRect& rect);
  void DrawText(ICanvas& canvas, const TRect& rect);
  void DrawBitmap(ICanvas& canvas);

  std::unique_ptr<TBannerBitmap> FBitmap;
  // For the showing: each top-level item's measured height and whether it has drawn its
  // part of the banner; the banner's top-left corner once placed; the rotated font.
  std::vector<int> FItemHeights;
  std::vector<bool> FPartDrawn;
  std::optional<TPoint> FBannerOrigin;
  TOwnedFont FBannerFont;
  std::int32_t FMenuHeight = 0;
  bool FBannerDone = false;
};
