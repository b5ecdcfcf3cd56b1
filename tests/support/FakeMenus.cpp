#include "support/FakeMenus.h"

#include <algorithm>

using namespace win;

TFakeMenus::TFakeMenus(TFakeWindows& windows, TFakeDrawing& drawing)
    : FWindows(windows), FDrawing(drawing), FMenuFont(drawing.MakeFont({"Menu", -16, 1})) {
  Colors = {{COLOR_MENU, 0xF0F0F0}, {COLOR_MENUTEXT, 0x000000}, {COLOR_HIGHLIGHT, 0xD77800},
            {COLOR_HIGHLIGHTTEXT, 0xFFFFFF}, {COLOR_GRAYTEXT, 0x6D6D6D}, {COLOR_BTNFACE, 0xF0F0F0}};
}

TMenuHandle TFakeMenus::CreatePopupMenu() {
  const TMenuHandle menu = FNext++;
  Menus[menu];
  return menu;
}

void TFakeMenus::DestroyMenu(TMenuHandle menu) {
  auto it = Menus.find(menu);
  if (it == Menus.end()) return;
  const std::vector<TMenuEntry> entries = it->second.Entries;
  Menus.erase(it);
  for (const TMenuEntry& e : entries)
    if (e.SubMenu) DestroyMenu(e.SubMenu);
}

bool TFakeMenus::AppendEntry(TMenuHandle menu, const TMenuEntry& entry) {
  auto it = Menus.find(menu);
  if (it == Menus.end()) return false;
  it->second.Entries.push_back(entry);
  return true;
}

void TFakeMenus::Draw(TMenuHandle menu, std::size_t position, std::uint32_t extraState) {
  TMenu& m = Menus.at(menu);
  const TMenuEntry& e = m.Entries[position];
  if (!e.OwnerDraw) return;
  TDrawItem d{ODT_MENU, e.Id, (e.Checked ? ODS_CHECKED : 0u) | extraState, m.Rects[position], 0x1DC};
  FWindows.Send(FOwner, WM_DRAWITEM, 0, reinterpret_cast<TLParam>(&d));
}

std::uint32_t TFakeMenus::TrackPopupMenu(TMenuHandle menu, TPoint at, TWnd owner) {
  FOpen = menu;
  FOwner = owner;
  TMenu& m = Menus.at(menu);
  Shown.push_back({m.Entries, at, owner});
  // Measured first, all of them; then laid out one below the other, as wide as the widest.
  std::vector<int> heights;
  int width = 0;
  for (const TMenuEntry& e : m.Entries) {
    TMeasureItem item{ODT_MENU, e.Id, 0, 0};
    if (e.OwnerDraw) FWindows.Send(owner, WM_MEASUREITEM, 0, reinterpret_cast<TLParam>(&item));
    width = std::max(width, item.Width);
    heights.push_back(e.OwnerDraw ? item.Height : 20);
  }
  m.Rects.clear();
  int y = Inset;
  for (int h : heights) {
    m.Rects.push_back({Inset, y, Inset + width, y + h});
    y += h;
  }
  for (std::size_t i = 0; i < m.Entries.size(); ++i) Draw(menu, i, 0);
  const std::uint32_t chosen = OnTrack ? OnTrack(menu) : 0;
  FOpen = 0;
  return chosen;
}

TLResult TFakeMenus::PressChar(char16_t ch) {
  return FWindows.Send(FOwner, WM_MENUCHAR, (TWParam{0x0010} << 16) | ch, static_cast<TLParam>(FOpen));
}

void TFakeMenus::Highlight(std::size_t position) {
  const TMenuEntry& e = Menus.at(FOpen).Entries[position];
  FWindows.Send(FOwner, WM_MENUSELECT, (TWParam{0x0100} << 16) | e.Id, static_cast<TLParam>(FOpen));
  Draw(FOpen, position, ODS_SELECTED);
}

bool TFakeMenus::ReadMeasureItem(TLParam lParam, TMeasureItem& item) {
  if (!lParam) return false;
  item = *reinterpret_cast<const TMeasureItem*>(lParam);
  return true;
}

void TFakeMenus::WriteMeasureItem(TLParam lParam, int width, int height) {
  auto* item = reinterpret_cast<TMeasureItem*>(lParam);
  item->Width = width;
  item->Height = height;
}

bool TFakeMenus::ReadDrawItem(TLParam lParam, TDrawItem& item) {
  if (!lParam) return false;
  item = *reinterpret_cast<const TDrawItem*>(lParam);
  return true;
}

void TFakeMenus::PaintOn(std::uintptr_t, const std::function<void(ICanvas&)>& paint) {
  TFakeCanvas canvas(FDrawing.CanvasOps, [this](TFontHandle f) { return FDrawing.FontHeight(f); });
  paint(canvas);
}

void TFakeMenus::MeasureOn(const std::function<void(ICanvas&)>& measure) {
  std::vector<TCanvasOp> none;
  TFakeCanvas canvas(none, [this](TFontHandle f) { return FDrawing.FontHeight(f); });
  measure(canvas);
}

std::uint32_t TFakeMenus::SysColor(int index) {
  auto it = Colors.find(index);
  return it == Colors.end() ? 0x808080 : it->second;
}
