// The Win32 adapter of the menus port: popup menus, TrackPopupMenu, the owner-draw records
// and a canvas on an item's device context.
#pragma once

#include "platform/PopupMenus.h"

class TWin32Menus final : public IMenus {
public:
  TWin32Menus() = default;
  ~TWin32Menus() override;
  TWin32Menus(const TWin32Menus&) = delete;
  TWin32Menus& operator=(const TWin32Menus&) = delete;

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
  TFontHandle MenuFont() override;

private:
  TFontHandle FMenuFont = 0;
};
