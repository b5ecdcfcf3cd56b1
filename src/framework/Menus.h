// Popup menus and their items. An item shows a caption, an image of the menu's image list,
// a check mark, or a separator line, and runs its click: the bound action's handler or its
// own. A menu with images is drawn by the program (owner-drawn), item by item, in the
// standard way: the system's menu colours and font, the image or the check mark at the
// left, the caption with its accelerator always underlined; its gaps are given for 96
// pixels per inch and scaled to the screen's. Owner-drawn items have no text the system can
// search, so the menu answers WM_MENUCHAR itself.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Actions.h"
#include "framework/CustomPopupMenu.h"
#include "framework/DrawingObjects.h"
#include "framework/ImageList.h"
#include "platform/PopupMenus.h"
#include "platform/Windowing.h"

class TMenuItem;
class TPopupMenu;

using TMenuMeasureItemEvent = std::function<void(TMenuItem& item, ICanvas& canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TMenuItem& item, ICanvas& canvas, const TRect& rect, std::uint32_t state)>;

class TMenuItem : public TComponent, public IActionClient {
public:
  using TComponent::TComponent;
  ~TMenuItem() override;

  // "-" makes a separator.
  std::string Caption;
  int ImageIndex = -1;
  bool Checked = false;
  bool Visible = true;
  bool Enabled = true;
  bool Default = false;
  TNotifyEvent OnClick;
  // Raised after the standard measuring, to adjust the size.
  TMenuMeasureItemEvent OnMeasureItem;
  // While set, the item's drawing is left to it entirely.
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;

  bool IsSeparator() const { return Caption == "-"; }
  // Caption, image and checked state follow the action; the click runs its handler.
  void SetAction(TAction* action);
  TAction* Action() const { return FAction; }
  // The submenu's items, in order (owned by this item).
  const std::vector<TMenuItem*>& Items() const { return FItems; }
  TMenuItem& Add(const std::string& name);
  TMenuItem* Parent() const { return FParentItem; }
  // The menu this item belongs to (through its parents).
  TPopupMenu* Menu() const;

  virtual void Click();
  // The standard size and appearance; rect in the menu window's client area.
  void MeasureStandard(ICanvas& canvas, int& width, int& height);
  void DrawStandard(ICanvas& canvas, const TRect& rect, std::uint32_t state);

protected:
  // A length given for 96 pixels per inch, at the density of the menu's showing.
  int Scaled(int v) const;

  void ActionChanged(TAction& action) override;
  void ActionDestroyed(TAction& action) override;

private:
  friend class TPopupMenu;
  TAction* FAction = nullptr;
  TMenuItem* FParentItem = nullptr;
  TPopupMenu* FMenu = nullptr;
  std::vector<TMenuItem*> FItems;
};

// The character an accelerator marks ("&O" marks 'o'), in lower case; 0 for none.
char AcceleratorOf(const std::string& caption);

class TPopupMenu : public TCustomPopupMenu {
public:
  TPopupMenu(TComponent* owner, std::string name, IMenus& menus, IWindows& windows, IDrawing& drawing);
  ~TPopupMenu() override;

  // The window that owns the menu while it is open (its messages come there); the tray
  // makes it the foreground window first.
  TWnd OwnerWindow = 0;
  // With images the menu is drawn by the program.
  TImageList* Images = nullptr;
  bool OwnerDraw = false;
  // Faces for an owner-drawn caption the system's menu font has no glyphs for, in order:
  // the first installed one that has them all draws it, at the menu font's height.
  std::vector<std::string> FallbackFaces;

  const std::vector<TMenuItem*>& Items() const { return FRoot->Items(); }
  TMenuItem& Add(const std::string& name) { return FRoot->Add(name); }

  std::size_t TopItemCount() const override { return Items().size(); }
  bool IsDefaultItem(std::size_t index) const override { return Items()[index]->Default; }
  void ClickItem(std::size_t index) override { Items()[index]->Click(); }
  // Makes the system menu from the items afresh (so every item is measured again), shows it
  // and, once it has closed, runs the chosen item's click.
  void PopupAt(TPoint point) override;

  IMenus& Menus() const { return FMenus; }
  IDrawing& Drawing() const { return FDrawing; }
  // A length given for 96 pixels per inch, at the screen's density as read when the menu
  // was last shown.
  int Scale(int v) const;
  // The font a caption is measured and drawn in: the menu font, or the fallback that has
  // its glyphs. Fallback fonts live until the menu has closed.
  TFontHandle CaptionFont(const std::string& caption);
  // Owner-drawn: every item with a caption, when the menu draws itself.
  bool IsOwnerDrawn() const { return OwnerDraw || Images != nullptr; }

  // The owner window's messages while the menu is open; true when one was answered here.
  bool MenuMessage(std::uint32_t msg, TWParam wParam, TLParam lParam, TLResult& result);

private:
  // Appends the visible items to menu, each with the id of its place in FShown.
  bool Build(TMenuHandle menu, const std::vector<TMenuItem*>& items);
  TMenuItem* ShownItem(std::uint32_t id) const;
  TLResult MenuChar(char16_t ch, TMenuHandle menu);

  TFontHandle FallbackFont(const std::string& face);

  IMenus& FMenus;
  IWindows& FWindows;
  IDrawing& FDrawing;
  TMenuItem* FRoot;
  int FPixelsPerInch = 96;
  // For the showing: the fallback fonts made, by face, and each caption's font.
  std::map<std::string, TOwnedFont> FFallbackFonts;
  std::map<std::string, TFontHandle> FCaptionFonts;
  // The items of the menu being shown, by id - 1, and the submenu each level is on.
  std::vector<TMenuItem*> FShown;
  std::vector<std::pair<TMenuHandle, std::vector<TMenuItem*>>> FLevels;
  std::uint32_t FSelected = 0;
};
