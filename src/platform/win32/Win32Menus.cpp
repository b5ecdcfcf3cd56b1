#include "platform/win32/Win32Menus.h"

#include "platform/win32/Win32.h"
#include "platform/win32/Win32Canvas.h"

TWin32Menus::~TWin32Menus() {
  if (FMenuFont) ::DeleteObject(reinterpret_cast<HFONT>(FMenuFont));
}

TMenuHandle TWin32Menus::CreatePopupMenu() { return reinterpret_cast<TMenuHandle>(::CreatePopupMenu()); }

void TWin32Menus::DestroyMenu(TMenuHandle menu) {
  if (menu) ::DestroyMenu(reinterpret_cast<HMENU>(menu));
}

bool TWin32Menus::AppendEntry(TMenuHandle menu, const TMenuEntry& entry) {
  std::wstring caption = Widen(entry.Caption);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
  info.fType = (entry.Separator ? MFT_SEPARATOR : MFT_STRING) | (entry.OwnerDraw ? MFT_OWNERDRAW : 0);
  info.wID = entry.Id;
  info.fState = (entry.Checked ? MFS_CHECKED : 0) | (entry.Default ? MFS_DEFAULT : 0) |
                (entry.Enabled ? 0 : MFS_DISABLED);
  if (!entry.Separator && !entry.OwnerDraw) {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = caption.data();
  }
  if (entry.SubMenu) {
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = reinterpret_cast<HMENU>(entry.SubMenu);
  }
  auto* handle = reinterpret_cast<HMENU>(menu);
  return ::InsertMenuItemW(handle, static_cast<UINT>(::GetMenuItemCount(handle)), TRUE, &info) != 0;
}

std::uint32_t TWin32Menus::TrackPopupMenu(TMenuHandle menu, TPoint at, TWnd owner) {
  const BOOL chosen = ::TrackPopupMenu(reinterpret_cast<HMENU>(menu), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                       at.x, at.y, 0, ToHwnd(owner), nullptr);
  return static_cast<std::uint32_t>(chosen);
}

bool TWin32Menus::ReadMeasureItem(TLParam lParam, TMeasureItem& item) {
  const auto* m = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
  if (!m) return false;
  item = {m->CtlType, m->itemID, static_cast<int>(m->itemWidth), static_cast<int>(m->itemHeight)};
  return true;
}

void TWin32Menus::WriteMeasureItem(TLParam lParam, int width, int height) {
  auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (!m) return;
  // The system adds the width of a check mark to the item's; what the program measured is
  // the whole width.
  m->itemWidth = static_cast<UINT>(std::max(0, width - (::GetSystemMetrics(SM_CXMENUCHECK) - 1)));
  m->itemHeight = static_cast<UINT>(std::max(0, height));
}

bool TWin32Menus::ReadDrawItem(TLParam lParam, TDrawItem& item) {
  const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (!d) return false;
  item.CtlType = d->CtlType;
  item.ItemId = d->itemID;
  item.State = d->itemState;
  item.Rect = {d->rcItem.left, d->rcItem.top, d->rcItem.right, d->rcItem.bottom};
  item.DeviceContext = reinterpret_cast<std::uintptr_t>(d->hDC);
  return true;
}

void TWin32Menus::PaintOn(std::uintptr_t deviceContext, const std::function<void(ICanvas&)>& paint) {
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  // The menu's own context: its font, colours and modes as the system left them afterwards.
  const int saved = ::SaveDC(dc);
  struct TRestore {
    HDC DC;
    int Saved;
    ~TRestore() {
      if (Saved) ::RestoreDC(DC, Saved);
    }
  } restore{dc, saved};
  TWin32Canvas canvas(dc);
  paint(canvas);
}

void TWin32Menus::MeasureOn(const std::function<void(ICanvas&)>& measure) {
  HDC dc = ::GetDC(nullptr);
  if (!dc) return;
  struct TRelease {
    HDC DC;
    int Saved;
    ~TRelease() {
      ::RestoreDC(DC, Saved);
      ::ReleaseDC(nullptr, DC);
    }
  } release{dc, ::SaveDC(dc)};
  TWin32Canvas canvas(dc);
  measure(canvas);
}

std::uint32_t TWin32Menus::SysColor(int index) { return ::GetSysColor(index); }

TFontHandle TWin32Menus::MenuFont() {
  if (!FMenuFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      FMenuFont = reinterpret_cast<TFontHandle>(::CreateFontIndirectW(&metrics.lfMenuFont));
  }
  return FMenuFont;
}
