// Popup menus: the system menu made from the program's items, shown at a screen point, and
// what the system tells the owner window about owner-drawn items (WM_MEASUREITEM,
// WM_DRAWITEM), with a canvas on the item's device context and the menus' colours and font.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Drawing.h"
#include "platform/Types.h"

using TMenuHandle = std::uintptr_t;  // an HMENU's value; 0 is no menu

// One entry of AppendMenu: a separator, or an item with its id, caption and state; an
// owner-drawn one is measured and drawn by the owner window, a submenu opens SubMenu.
struct TMenuEntry {
  std::uint32_t Id = 0;
  std::string Caption;
  bool Separator = false;
  bool OwnerDraw = false;
  bool Checked = false;
  bool Default = false;
  bool Enabled = true;
  TMenuHandle SubMenu = 0;
};

// What WM_MEASUREITEM says of a menu item (MEASUREITEMSTRUCT).
struct TMeasureItem {
  std::uint32_t CtlType = 0;
  std::uint32_t ItemId = 0;
  int Width = 0;
  int Height = 0;
};

// What WM_DRAWITEM says of a menu item (DRAWITEMSTRUCT): its rectangle in the menu window's
// client area and the ODS_* state bits.
struct TDrawItem {
  std::uint32_t CtlType = 0;
  std::uint32_t ItemId = 0;
  std::uint32_t State = 0;
  TRect Rect;
  std::uintptr_t DeviceContext = 0;
};

class IMenus {
public:
  virtual ~IMenus() = default;
  // CreatePopupMenu; 0 on failure. DestroyMenu destroys its submenus with it.
  [[nodiscard]] virtual TMenuHandle CreatePopupMenu() = 0;
  virtual void DestroyMenu(TMenuHandle menu) = 0;
  // AppendMenu (InsertMenuItem at the end); false on failure.
  [[nodiscard]] virtual bool AppendEntry(TMenuHandle menu, const TMenuEntry& entry) = 0;
  // TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON) at the point, left-aligned: the menu's
  // messages go to owner while it is open; returns the chosen item's id, 0 when none was
  // chosen. Returns when the menu has closed.
  [[nodiscard]] virtual std::uint32_t TrackPopupMenu(TMenuHandle menu, TPoint at, TWnd owner) = 0;
  // WM_MEASUREITEM's and WM_DRAWITEM's lParam, read; the measured size written back.
  [[nodiscard]] virtual bool ReadMeasureItem(TLParam lParam, TMeasureItem& item) = 0;
  virtual void WriteMeasureItem(TLParam lParam, int width, int height) = 0;
  [[nodiscard]] virtual bool ReadDrawItem(TLParam lParam, TDrawItem& item) = 0;
  // A canvas on an item's device context for the call; the context's font, colours and
  // background mode are put back afterwards.
  virtual void PaintOn(std::uintptr_t deviceContext, const std::function<void(ICanvas&)>& paint) = 0;
  // A canvas to measure text on (the screen's).
  virtual void MeasureOn(const std::function<void(ICanvas&)>& measure) = 0;
  // GetSysColor.
  [[nodiscard]] virtual std::uint32_t SysColor(int index) = 0;
  // The font menus are drawn in (the system's menu font); owned by the port.
  [[nodiscard]] virtual TFontHandle MenuFont() = 0;
};
