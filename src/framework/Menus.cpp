#include "framework/Menus.h"

#include <algorithm>
#include <cctype>

#include "framework/Finally.h"
#include "framework/Scaling.h"
#include "framework/SubclassHook.h"

using namespace win;

namespace {
// The caption as shown: "&&" is an ampersand, a single "&" only marks the next character.
std::string ShownText(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

// At 96 pixels per inch; scaled to the density of the showing.
constexpr int ImageGap = 3;      // left of the image, and around it
constexpr int TextGap = 8;       // between the image column and the caption
constexpr int RightMargin = 16;  // after the caption, where a submenu's arrow goes
constexpr int TextPadding = 6;   // above and below the caption, together
constexpr int SeparatorHeight = 9;
constexpr int FrameGap = 2;      // between a checked item's image and its frame
constexpr int FrameWidth = 1;
}  // namespace

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

// ---- items ------------------------------------------------------------------------------

TMenuItem::~TMenuItem() { SetAction(nullptr); }

void TMenuItem::SetAction(TAction* action) {
  if (FAction == action) return;
  if (FAction) FAction->RemoveClient(*this);
  FAction = action;
  if (FAction) FAction->AddClient(*this);
}

void TMenuItem::ActionChanged(TAction& action) {
  Caption = action.Caption();
  ImageIndex = action.ImageIndex();
  Checked = action.Checked();
}

void TMenuItem::ActionDestroyed(TAction& action) {
  if (FAction == &action) FAction = nullptr;
}

TMenuItem& TMenuItem::Add(const std::string& name) {
  TMenuItem& item = Create<TMenuItem>(name);
  item.FParentItem = this;
  item.FMenu = FMenu;
  FItems.push_back(&item);
  return item;
}

TPopupMenu* TMenuItem::Menu() const { return FMenu; }

void TMenuItem::Click() {
  // A handler of its own takes the place of the action's.
  if (OnClick) {
    OnClick(this);
  } else if (FAction) {
    FAction->Execute();
  }
}

int TMenuItem::Scaled(int v) const { return FMenu ? FMenu->Scale(v) : v; }

// The image list's images are drawn at their own size, which the list's owner chose for the
// density; the menu font is the system's, already at the density.
void TMenuItem::MeasureStandard(ICanvas& canvas, int& width, int& height) {
  if (IsSeparator()) {
    width = 0;
    height = Scaled(SeparatorHeight);
    return;
  }
  const TImageList* images = FMenu ? FMenu->Images : nullptr;
  const int imageSize = images ? images->Width : 0;
  const TPoint text = canvas.TextExtent(ShownText(Caption));
  width = Scaled(ImageGap) + imageSize + Scaled(TextGap) + text.x + Scaled(RightMargin);
  height = std::max(text.y + Scaled(TextPadding), imageSize + 2 * Scaled(ImageGap));
}

void TMenuItem::DrawStandard(ICanvas& canvas, const TRect& rect, std::uint32_t state) {
  IMenus& menus = FMenu->Menus();
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool disabled = (state & (ODS_GRAYED | ODS_DISABLED)) != 0 || !Enabled;
  const int gap = Scaled(ImageGap);
  if (IsSeparator()) {
    canvas.FillRect(rect, menus.SysColor(COLOR_MENU));
    canvas.DrawSeparator({rect.Left + gap, rect.Top, rect.Right - gap, rect.Bottom});
    return;
  }
  canvas.FillRect(rect, menus.SysColor(selected && !disabled ? COLOR_HIGHLIGHT : COLOR_MENU));
  canvas.SetTextColor(menus.SysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  const TImageList* images = FMenu->Images;
  const int imageSize = images ? images->Width : 0;
  const int height = rect.Bottom - rect.Top;
  const TRect imageBox{rect.Left + gap, rect.Top + (height - imageSize) / 2, rect.Left + gap + imageSize,
                       rect.Top + (height - imageSize) / 2 + imageSize};
  const TIconHandle icon = images ? images->IconHandle(ImageIndex) : 0;
  if (icon) {
    if (Checked) {
      // A checked item with an image: the image sits in a frame of the highlight colour.
      const std::uint32_t frame = menus.SysColor(COLOR_HIGHLIGHT);
      const int out = Scaled(FrameGap), w = Scaled(FrameWidth);
      const TRect r{imageBox.Left - out, imageBox.Top - out, imageBox.Right + out, imageBox.Bottom + out};
      canvas.FillRect({r.Left, r.Top, r.Right, r.Top + w}, frame);
      canvas.FillRect({r.Left, r.Bottom - w, r.Right, r.Bottom}, frame);
      canvas.FillRect({r.Left, r.Top, r.Left + w, r.Bottom}, frame);
      canvas.FillRect({r.Right - w, r.Top, r.Right, r.Bottom}, frame);
    }
    canvas.DrawIcon(icon, imageBox.Left, imageBox.Top, imageSize);
  } else if (Checked) {
    canvas.DrawCheckMark(imageSize ? imageBox : TRect{rect.Left + gap, rect.Top, rect.Left + gap + height, rect.Bottom});
  }
  // The accelerator is always underlined: the program's drawing takes no notice of
  // ODS_NOACCEL, whatever the system's keyboard-cue setting.
  const int textLeft = rect.Left + gap + (imageSize ? imageSize : height) + Scaled(TextGap);
  canvas.DrawCaption({textLeft, rect.Top, rect.Right - gap, rect.Bottom}, Caption);
}

// ---- the menu ---------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner, std::string name, IMenus& menus, IWindows& windows, IDrawing& drawing)
    : TCustomPopupMenu(owner, std::move(name)), FMenus(menus), FWindows(windows), FDrawing(drawing) {
  FRoot = &Create<TMenuItem>("");
  FRoot->FMenu = this;
}

TPopupMenu::~TPopupMenu() = default;

bool TPopupMenu::Build(TMenuHandle menu, const std::vector<TMenuItem*>& items) {
  std::vector<TMenuItem*> shown;
  for (TMenuItem* item : items) {
    if (!item->Visible) continue;
    TMenuEntry entry;
    entry.Caption = item->Caption;
    entry.Separator = item->IsSeparator();
    entry.OwnerDraw = IsOwnerDrawn();
    entry.Checked = item->Checked;
    entry.Default = item->Default;
    entry.Enabled = item->Enabled;
    FShown.push_back(item);
    entry.Id = static_cast<std::uint32_t>(FShown.size());
    if (!item->Items().empty()) {
      entry.SubMenu = FMenus.CreatePopupMenu();
      if (!entry.SubMenu || !Build(entry.SubMenu, item->Items())) return false;
    }
    if (!FMenus.AppendEntry(menu, entry)) {
      if (entry.SubMenu) FMenus.DestroyMenu(entry.SubMenu);
      return false;
    }
    shown.push_back(item);
  }
  FLevels.emplace_back(menu, std::move(shown));
  return true;
}

int TPopupMenu::Scale(int v) const { return ScaleValue(v, FPixelsPerInch, 96); }

// The system's menu font has no Japanese glyphs on a system set to another language (and
// under Wine): such a caption would show as boxes. The first face of the list that is
// installed and has every glyph of the caption draws it instead.
TFontHandle TPopupMenu::CaptionFont(const std::string& caption) {
  const TFontHandle menuFont = FMenus.MenuFont();
  if (FallbackFaces.empty()) return menuFont;
  auto known = FCaptionFonts.find(caption);
  if (known != FCaptionFonts.end()) return known->second;
  const std::string text = ShownText(caption);
  TFontHandle chosen = menuFont;
  if (!FDrawing.FontHasGlyphs(menuFont, text)) {
    for (const std::string& face : FallbackFaces) {
      if (!FDrawing.FontFamilyExists(face)) continue;
      const TFontHandle font = FallbackFont(face);
      if (font && FDrawing.FontHasGlyphs(font, text)) {
        chosen = font;
        break;
      }
    }
  }
  FCaptionFonts[caption] = chosen;
  return chosen;
}

// The menu font with another face: its height, weight and styles, any character set.
TFontHandle TPopupMenu::FallbackFont(const std::string& face) {
  auto made = FFallbackFonts.find(face);
  if (made != FFallbackFonts.end()) return made->second.Get();
  TFontSpec spec;
  if (!FDrawing.FontSpecOf(FMenus.MenuFont(), spec)) return 0;
  spec.Face = face;
  spec.CharSet = DEFAULT_CHARSET;
  spec.Escapement = 0;
  return FFallbackFonts.emplace(face, TOwnedFont(FDrawing, FDrawing.MakeFont(spec))).first->second.Get();
}

TMenuItem* TPopupMenu::ShownItem(std::uint32_t id) const {
  return id >= 1 && id <= FShown.size() ? FShown[id - 1] : nullptr;
}

void TPopupMenu::PopupAt(TPoint point) {
  FShown.clear();
  FLevels.clear();
  FSelected = 0;
  // A system-aware program keeps the density it started with; it is read at every showing
  // all the same, as the menu is made afresh.
  FPixelsPerInch = FDrawing.ScreenDpi();
  const TMenuHandle menu = FMenus.CreatePopupMenu();
  if (!menu) return;
  TFinally destroy{[&] {
    FMenus.DestroyMenu(menu);
    FLevels.clear();
    FCaptionFonts.clear();
    FFallbackFonts.clear();
  }};
  if (!Build(menu, Items())) return;
  std::uint32_t chosen = 0;
  {
    // The owner window hears the menu's questions; this menu answers them while it is open.
    const TSubclassHook hook(FWindows, OwnerWindow,
                             [this](TWnd, std::uint32_t msg, TWParam wParam, TLParam lParam) -> std::optional<TLResult> {
                               TLResult result = 0;
                               if (MenuMessage(msg, wParam, lParam, result)) return result;
                               return std::nullopt;
                             });
    chosen = FMenus.TrackPopupMenu(menu, point, OwnerWindow);
  }
  TMenuItem* item = ShownItem(chosen);
  FShown.clear();
  if (item) item->Click();
}

bool TPopupMenu::MenuMessage(std::uint32_t msg, TWParam wParam, TLParam lParam, TLResult& result) {
  switch (msg) {
    case WM_MEASUREITEM: {
      TMeasureItem m;
      if (!FMenus.ReadMeasureItem(lParam, m) || m.CtlType != ODT_MENU) return false;
      TMenuItem* item = ShownItem(m.ItemId);
      if (!item) return false;
      int width = 0, height = 0;
      FMenus.MeasureOn([&](ICanvas& canvas) {
        canvas.SelectFont(CaptionFont(item->Caption));
        item->MeasureStandard(canvas, width, height);
        if (item->OnMeasureItem) item->OnMeasureItem(*item, canvas, width, height);
      });
      FMenus.WriteMeasureItem(lParam, width, height);
      result = 1;
      return true;
    }
    case WM_DRAWITEM: {
      TDrawItem d;
      if (!FMenus.ReadDrawItem(lParam, d) || d.CtlType != ODT_MENU) return false;
      TMenuItem* item = ShownItem(d.ItemId);
      if (!item) return false;
      FMenus.PaintOn(d.DeviceContext, [&](ICanvas& canvas) {
        canvas.SelectFont(CaptionFont(item->Caption));
        if (item->OnAdvancedDrawItem)
          item->OnAdvancedDrawItem(*item, canvas, d.Rect, d.State);
        else
          item->DrawStandard(canvas, d.Rect, d.State);
      });
      result = 1;
      return true;
    }
    case WM_MENUSELECT:
      FSelected = LoWord(wParam);
      return false;
    case WM_MENUCHAR:
      if (!IsOwnerDrawn()) return false;
      result = MenuChar(static_cast<char16_t>(LoWord(wParam)), static_cast<TMenuHandle>(lParam));
      return true;
    default:
      return false;
  }
}

// The items of the open level whose accelerator is the character: one is chosen at once;
// of several, the one after the highlighted item is highlighted, as the system does for
// items with text.
TLResult TPopupMenu::MenuChar(char16_t ch, TMenuHandle menu) {
  if (ch == 0 || ch > 0x7F) return MNC_IGNORE << 16;
  const char wanted = static_cast<char>(std::tolower(static_cast<int>(ch)));
  for (const auto& [handle, items] : FLevels) {
    if (handle != menu) continue;
    std::vector<std::size_t> matches;
    std::size_t current = items.size();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (ShownItem(FSelected) == items[i]) current = i;
      if (!items[i]->IsSeparator() && items[i]->Enabled && AcceleratorOf(items[i]->Caption) == wanted)
        matches.push_back(i);
    }
    if (matches.empty()) return MNC_IGNORE << 16;
    if (matches.size() == 1) return static_cast<TLResult>((MNC_EXECUTE << 16) | matches[0]);
    std::size_t next = matches[0];
    for (std::size_t m : matches)
      if (current != items.size() && m > current) {
        next = m;
        break;
      }
    return static_cast<TLResult>((MNC_SELECT << 16) | next);
  }
  return MNC_IGNORE << 16;
}
