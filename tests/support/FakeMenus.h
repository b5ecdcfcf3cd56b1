// Fake popup menus: the entries appended, and the system's part of showing one: every
// owner-drawn item measured (WM_MEASUREITEM to the owner), then drawn one below the other
// from the top of the menu, or Inset pixels in (WM_DRAWITEM); what the user then does is the
// test's (OnTrack).
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/PopupMenus.h"
#include "support/FakeDrawing.h"

class TFakeMenus : public IMenus {
public:
  TFakeMenus(TFakeWindows& windows, TFakeDrawing& drawing);

  TMenuHandle CreatePopupMenu() override;
  void DestroyMenu(TMenuHandle menu) override;
  bool AppendEntry(TMenuHandle menu, const TMenuEntry& entry) override;
  std::uint32_t TrackPopupMenu(TMenuHandle menu, TPoint at, TWnd owner) override;
  bool ReadMeasureItem(TLParam lParam, TMeasureItem& item) override;
  void WriteMeasureItem(TLParam lParam, int width, int height) override;
  bool ReadDrawItem(TLParam lParam, TDrawItem& item) override;
  void PaintOn(std::uintptr_t deviceContext, const std::function<void(ICanvas&)>& paint) override;
  void MeasureOn(const std::function<void(ICanvas&)>& measure) override;
  std::uint32_t SysColor(int index) override;
  TFontHandle MenuFont() override { return FMenuFont; }

  // While a menu is shown: what the user does; returns the id chosen (0: none).
  std::function<std::uint32_t(TMenuHandle menu)> OnTrack;
  // The user pressing a character key in the open menu: WM_MENUCHAR's answer.
  TLResult PressChar(char16_t ch);
  // The user moving the highlight to the item at position: WM_MENUSELECT, then the item is
  // drawn again, selected.
  void Highlight(std::size_t position);

  struct TMenu {
    std::vector<TMenuEntry> Entries;
    std::vector<TRect> Rects;  // where each was drawn, the last time the menu was shown
  };
  // Live menus by handle.
  std::map<TMenuHandle, TMenu> Menus;
  struct TShowing {
    std::vector<TMenuEntry> Entries;
    TPoint At;
    TWnd Owner;
  };
  std::vector<TShowing> Shown;
  std::map<int, std::uint32_t> Colors;
  // The items' distance from the menu window's left and top edges (themed menus, and Wine's,
  // inset them).
  int Inset = 0;

private:
  void Draw(TMenuHandle menu, std::size_t position, std::uint32_t extraState);
  TFakeWindows& FWindows;
  TFakeDrawing& FDrawing;
  TMenuHandle FNext = 0xE000;
  TMenuHandle FOpen = 0;
  TWnd FOwner = 0;
  TFontHandle FMenuFont;
};
