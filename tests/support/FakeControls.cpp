#include "support/FakeControls.h"

#include <algorithm>
#include <cctype>

using namespace win;

namespace {
constexpr std::uint32_t WM_SETTEXT = 0x000C;
constexpr TLParam MakeLParam(int low, int high) {
  return static_cast<TLParam>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                              static_cast<std::uint32_t>(low & 0xFFFF));
}
}  // namespace

// The system's edit control, as far as the tests lean on it.
class TFakeControls::TEditProc final : public IMessageHandler {
public:
  TEditProc(TFakeControls& owner) : FOwner(owner) {}

  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override {
    TChild& e = *FOwner.Child(window);
    e.EditMessages.push_back(msg);
    switch (msg) {
      case WM_CHAR: Char(window, e, static_cast<unsigned>(wParam)); return 0;
      case WM_PASTE:
        if (!e.ReadOnly) Insert(e, FOwner.Clipboard);
        return 0;
      case WM_CUT:
        if (!e.ReadOnly && e.SelEnd > e.SelStart) {
          FOwner.Clipboard = e.Text.substr(e.SelStart, e.SelEnd - e.SelStart);
          Insert(e, "");
        }
        return 0;
      case EM_SETSEL: {
        const auto end = static_cast<std::intptr_t>(lParam);
        const auto start = static_cast<std::intptr_t>(static_cast<std::int32_t>(wParam));
        e.SelEnd = end < 0 ? e.Text.size() : std::min<std::size_t>(static_cast<std::size_t>(end), e.Text.size());
        e.SelStart = start < 0 ? e.SelEnd : std::min<std::size_t>(static_cast<std::size_t>(start), e.SelEnd);
        return 0;
      }
      case EM_GETSEL: return MakeLParam(static_cast<int>(e.SelStart), static_cast<int>(e.SelEnd));
      case EM_LIMITTEXT: e.Limit = static_cast<std::size_t>(wParam); return 0;
      case EM_SETREADONLY: e.ReadOnly = wParam != 0; return 1;
      case WM_SETFONT: e.Font = static_cast<TFontHandle>(wParam); return 0;
      case WM_GETDLGCODE:
        // Asked about a key by a dialog manager, the edit takes itself to be in a dialog.
        if (lParam) e.DialogMode = true;
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
               ((e.Style & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
      case WM_KEYDOWN:
        // A multi-line edit in a dialog, without ES_WANTRETURN, presses the default button
        // on Enter and closes the dialog on Escape.
        if (e.DialogMode && (e.Style & ES_MULTILINE) && wParam == 0x0D)
          FOwner.FWindows.Send(e.Parent, WM_COMMAND, 1 /* IDOK */, static_cast<TLParam>(window));
        if (e.DialogMode && (e.Style & ES_MULTILINE) && wParam == 0x1B)
          FOwner.FWindows.PostMessageTo(e.Parent, WM_CLOSE, 0, 0);
        return 0;
      case WM_LBUTTONDOWN:
        // The edit puts the caret where the press was (here: at the end), then takes the
        // focus, all in its own handling of the press.
        e.SelStart = e.SelEnd = e.Text.size();
        FOwner.SetFocus(window);
        return 0;
      default: return FOwner.FWindows.DefaultProc(window, msg, wParam, lParam);
    }
  }

private:
  void Char(TWnd window, TChild& e, unsigned ch) {
    if (ch == 0x16) {  // Ctrl+V: the edit asks itself, through any subclass
      FOwner.FWindows.Send(window, WM_PASTE);
      return;
    }
    if (ch == 0x18) {  // Ctrl+X
      FOwner.FWindows.Send(window, WM_CUT);
      return;
    }
    if (e.ReadOnly) return;
    if (ch == 8) {
      if (e.SelEnd == e.SelStart && e.SelStart > 0) --e.SelStart;
      Insert(e, "");
      return;
    }
    // A multi-line edit breaks the line on Enter's character, unless it takes itself to be in
    // a dialog (where Enter, without ES_WANTRETURN, is the default button's), and on the line
    // feed of Ctrl+Enter or Ctrl+J always. A single-line edit takes neither.
    if (ch == '\r' || ch == '\n') {
      if ((e.Style & ES_MULTILINE) && !(ch == '\r' && e.DialogMode)) Insert(e, "\r\n");
      return;
    }
    if (ch < 32 && ch != '\t') return;
    Insert(e, std::string(1, static_cast<char>(ch)));
  }
  // Replaces the selection, within the limit: what does not fit is dropped.
  static void Insert(TChild& e, std::string text) {
    const std::size_t kept = e.Text.size() - (e.SelEnd - e.SelStart);
    if (e.Limit && kept + text.size() > e.Limit) text.resize(e.Limit > kept ? e.Limit - kept : 0);
    e.Text.replace(e.SelStart, e.SelEnd - e.SelStart, text);
    e.SelStart = e.SelEnd = e.SelStart + text.size();
  }
  TFakeControls& FOwner;
};

class TFakeControls::TCanvas final : public TFakeCanvas {
public:
  TCanvas(TFakeControls& owner, TWnd window)
      : TFakeCanvas(owner.CanvasOps, [&owner](TFontHandle f) { return owner.FontHeight(f); }),
        FOwner(owner),
        FWindow(window) {}
  void DrawButtonFace(const TRect& rect, bool pressed) override {
    FOwner.Painted.push_back({TPaintOp::Face, FWindow, rect, pressed, 0, {}, true});
  }
  void DrawGlyph(TBitmapHandle bitmap, const TRect& source, int x, int y, bool enabled) override {
    const TRect place{x, y, x + source.Right - source.Left, y + source.Bottom - source.Top};
    FOwner.Painted.push_back({TPaintOp::Glyph, FWindow, place, false, bitmap, source, enabled});
  }
  void DrawFocusRect(const TRect& rect) override {
    FOwner.Painted.push_back({TPaintOp::FocusFrame, FWindow, rect, false, 0, {}, true});
  }

private:
  TFakeControls& FOwner;
  TWnd FWindow;
};

TFakeControls::TFakeControls(TFakeWindows& windows)
    : FWindows(windows), FEditProc(std::make_unique<TEditProc>(*this)) {
  FWindows.SetSystemClass("EDIT", FEditProc.get());
  FWindows.SetObserver(this);
}

TFakeControls::~TFakeControls() {
  FWindows.SetObserver(nullptr);
  FWindows.SetSystemClass("EDIT", nullptr);
}

void TFakeControls::WindowCreated(TWnd window, const TCreateParams& params) {
  if (!(params.Style & WS_CHILD)) return;
  TChild& c = FChildren[window];
  c.ClassName = params.ClassName;
  c.Parent = params.Parent;
  c.Style = params.Style;
  c.ExStyle = params.ExStyle;
  c.Id = params.Id;
  c.Bounds = params.Bounds;
  c.Text = params.Text;
  c.ReadOnly = (params.Style & ES_READONLY) != 0;
}

void TFakeControls::WindowDestroying(TWnd window) {
  std::vector<TWnd> family{window};
  Descendants(window, family);
  if (std::find(family.begin(), family.end(), FFocus) != family.end()) SetFocus(0);
  if (std::find(family.begin(), family.end(), FCapture) != family.end()) ReleaseCapture();
}

void TFakeControls::WindowDestroyed(TWnd window) { FChildren.erase(window); }

void TFakeControls::Descendants(TWnd parent, std::vector<TWnd>& out) const {
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent) {
      out.push_back(handle);
      Descendants(handle, out);
    }
}

TLResult TFakeControls::SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return FWindows.Send(window, msg, wParam, lParam);
}

std::string TFakeControls::ReadText(TWnd window) {
  const TChild* c = Child(window);
  return c ? c->Text : std::string();
}

void TFakeControls::WriteText(TWnd window, const std::string& text) {
  TChild* c = Child(window);
  if (!c) return;
  c->EditMessages.push_back(WM_SETTEXT);
  c->Text = text;
  c->SelStart = c->SelEnd = 0;
}

TRect TFakeControls::Bounds(TWnd window) {
  const TChild* c = Child(window);
  return c ? c->Bounds : TRect{};
}

TRect TFakeControls::ClientRect(TWnd window) { return FWindows.ClientOf(window); }

void TFakeControls::MoveWindow(TWnd window, const TRect& bounds) {
  TChild* c = Child(window);
  if (!c) return;
  const bool resized = bounds.Right - bounds.Left != c->Bounds.Right - c->Bounds.Left ||
                       bounds.Bottom - bounds.Top != c->Bounds.Bottom - c->Bounds.Top;
  c->Bounds = bounds;
  FWindows.SetWindowPos(window, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                        bounds.Bottom - bounds.Top, SWP_NOZORDER);
  if (!resized) return;
  const TRect client = ClientRect(window);
  FWindows.Send(window, WM_SIZE, 0, MakeLParam(client.Right, client.Bottom));
}

void TFakeControls::SetEditRect(TWnd edit, const TRect& rect) {
  if (TChild* c = Child(edit)) c->EditRect = rect;
}

void TFakeControls::Invalidate(TWnd window) {
  if (TChild* c = Child(window)) ++c->Invalidations;
}

void TFakeControls::Paint(TWnd window, const std::function<void(ICanvas&)>& paint) {
  TCanvas canvas(*this, window);
  paint(canvas);
}

void TFakeControls::SetFocus(TWnd window) {
  if (window == FFocus) return;
  const TWnd old = FFocus;
  FFocus = window;
  if (old && FWindows.IsWindow(old)) FWindows.Send(old, WM_KILLFOCUS, window, 0);
  if (window && FFocus == window) FWindows.Send(window, WM_SETFOCUS, old, 0);
}

bool TFakeControls::CanFocus(TWnd window) {
  for (TWnd w = window;;) {
    const TChild* c = Child(w);
    if (!c) return FWindows.IsWindowVisible(w);
    if (!(c->Style & WS_VISIBLE) || !c->Enabled) return false;
    w = c->Parent;
  }
}

TWnd TFakeControls::Root(TWnd window) const {
  while (const TChild* c = Child(window)) window = c->Parent;
  return window;
}

TWnd TFakeControls::NextTabStop(TWnd window, bool previous) {
  std::vector<TWnd> all, stops;
  Descendants(Root(window), all);
  std::sort(all.begin(), all.end());  // handles grow: the order the controls were made in
  for (TWnd w : all)
    if ((Child(w)->Style & WS_TABSTOP) && CanFocus(w)) stops.push_back(w);
  if (stops.empty()) return 0;
  auto it = std::find(stops.begin(), stops.end(), window);
  if (it == stops.end()) {
    // From a window that is no tab stop (a label), the stops made after it, or before it.
    if (std::find(all.begin(), all.end(), window) == all.end()) return previous ? stops.back() : stops.front();
    const auto after = std::upper_bound(stops.begin(), stops.end(), window);
    if (previous) return after == stops.begin() ? stops.back() : *(after - 1);
    return after == stops.end() ? stops.front() : *after;
  }
  const std::size_t i = static_cast<std::size_t>(it - stops.begin());
  return stops[previous ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size()];
}

TWnd TFakeControls::NotificationSource(TWnd parent, std::uint32_t msg, TWParam, TLParam lParam) {
  const auto* notice = reinterpret_cast<const TNotice*>(lParam);
  switch (msg) {
    case WM_COMMAND: return static_cast<TWnd>(lParam);
    case WM_NOTIFY: return notice ? notice->Window : 0;
    case WM_DRAWITEM: return notice && notice->CtlType != ODT_MENU ? notice->Window : 0;
    case WM_MEASUREITEM:
      // The item names its control by id alone.
      if (!notice || notice->CtlType == ODT_MENU) return 0;
      for (const auto& [handle, c] : FChildren)
        if (c.Parent == parent && c.Id == notice->CtlId) return handle;
      return 0;
    default: return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC ? static_cast<TWnd>(lParam) : 0;
  }
}

bool TFakeControls::DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) {
  if (!lParam) return false;
  const auto* q = reinterpret_cast<const TQueriedMessage*>(lParam);
  msg = q->Msg;
  wParam = q->WParam;
  return true;
}

void TFakeControls::SetCapture(TWnd window) {
  const TWnd old = FCapture;
  FCapture = window;
  if (old && old != window && FWindows.IsWindow(old))
    FWindows.Send(old, WM_CAPTURECHANGED, 0, static_cast<TLParam>(window));
}

void TFakeControls::ReleaseCapture() {
  const TWnd old = FCapture;
  FCapture = 0;
  if (old && FWindows.IsWindow(old)) FWindows.Send(old, WM_CAPTURECHANGED, 0, 0);
}

TBitmapHandle TFakeControls::LoadBitmapResource(const std::string& name) {
  std::string upper = name;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  auto it = BitmapResources.find(upper);
  if (it == BitmapResources.end()) return 0;
  const TBitmapHandle handle = FNextBitmap++;
  FBitmaps[handle] = {upper, it->second.first, it->second.second};
  return handle;
}

TBitmapHandle TFakeControls::MakeBitmap(int width, int height) {
  const TBitmapHandle handle = FNextBitmap++;
  FBitmaps[handle] = {"", width, height};
  return handle;
}

std::string TFakeControls::BitmapName(TBitmapHandle bitmap) const {
  auto it = FBitmaps.find(bitmap);
  return it == FBitmaps.end() ? std::string() : it->second.Name;
}

void TFakeControls::ReleaseBitmap(TBitmapHandle bitmap) {
  if (!FBitmaps.erase(bitmap)) ++BadBitmapReleases;
}

bool TFakeControls::BitmapSize(TBitmapHandle bitmap, int& width, int& height) {
  auto it = FBitmaps.find(bitmap);
  if (it == FBitmaps.end()) return false;
  width = it->second.Width;
  height = it->second.Height;
  return true;
}

int TFakeControls::FontHeight(TFontHandle font) {
  if (!font) return SystemFontHeight;
  auto it = FontHeights.find(font);
  return it == FontHeights.end() ? SystemFontHeight : it->second;
}

TFontHandle TFakeControls::MakeFont(const TFontSpec& spec) {
  const TFontHandle font = FNextFont++;
  LiveFonts[font] = spec;
  FontHeights[font] = spec.Height < 0 ? -spec.Height : spec.Height;
  return font;
}

void TFakeControls::ReleaseFont(TFontHandle font) {
  LiveFonts.erase(font);
  FontHeights.erase(font);
}

TPoint TFakeControls::TextExtent(TFontHandle font, const std::string& text) {
  int characters = 0;
  for (const unsigned char c : text)
    if ((c & 0xC0) != 0x80 && c != '&') ++characters;
  const int height = FontHeight(font);
  return {characters * height / 2, height};
}

TRect TFakeControls::WindowRectForClient(const TRect& client, std::uint32_t, std::uint32_t) {
  return {client.Left - 3, client.Top - 23, client.Right + 3, client.Bottom + 3};
}

std::uint32_t TFakeControls::GetStyle(TWnd window) {
  const TChild* c = Child(window);
  return c ? c->Style : 0;
}

void TFakeControls::SetStyle(TWnd window, std::uint32_t style) {
  if (TChild* c = Child(window)) c->Style = style;
}

bool TFakeControls::IsChild(TWnd parent, TWnd window) {
  for (const TChild* c = Child(window); c; c = Child(c->Parent))
    if (c->Parent == parent) return true;
  return false;
}

const TFakeControls::TChild* TFakeControls::Child(TWnd window) const {
  auto it = FChildren.find(window);
  return it == FChildren.end() ? nullptr : &it->second;
}

TFakeControls::TChild* TFakeControls::Child(TWnd window) {
  auto it = FChildren.find(window);
  return it == FChildren.end() ? nullptr : &it->second;
}

std::vector<TWnd> TFakeControls::Children(TWnd parent) const {
  std::vector<TWnd> result;
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent) result.push_back(handle);
  return result;
}

TWnd TFakeControls::ChildOf(TWnd parent, const std::string& className) const {
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent && c.ClassName == className) return handle;
  return 0;
}

void TFakeControls::PressKey(std::uint8_t vk, unsigned ch) {
  const TWnd target = FFocus;
  if (!target) return;
  FWindows.Send(target, WM_KEYDOWN, vk, 1);
  // TranslateMessage posts the character to the window the key went to, wherever the
  // focus has moved meanwhile.
  if (ch && FWindows.IsWindow(target)) FWindows.Send(target, WM_CHAR, ch, 1);
  if (FWindows.IsWindow(target)) FWindows.Send(target, WM_KEYUP, vk, static_cast<TLParam>(0xC0000001u));
}

void TFakeControls::TypeText(const std::string& text) {
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const std::uint8_t vk = std::isalnum(c) ? static_cast<std::uint8_t>(std::toupper(c)) : 0xBE;
    PressKey(vk, c);
  }
}
