// TCustomPopupMenu: what a tray icon needs of a popup menu, whatever kind of menu it is:
// whether it opens by itself, its top-level items' Default flags and their click, who
// opened it, and opening it at a screen point.
#pragma once

#include <cstddef>

#include "framework/Component.h"
#include "platform/Types.h"

class TCustomPopupMenu : public TComponent {
public:
  using TComponent::TComponent;

  // Off: the menu opens only when the program asks it to, never from a click.
  bool AutoPopup = true;
  // The component that opened the menu last; its handlers may ask.
  TComponent* PopupComponent = nullptr;

  virtual std::size_t TopItemCount() const = 0;
  virtual bool IsDefaultItem(std::size_t index) const = 0;
  // The top-level item's click, as if the user had chosen it.
  virtual void ClickItem(std::size_t index) = 0;
  // Opens the menu at a screen point; returns when it has closed.
  virtual void PopupAt(TPoint point) = 0;
};
