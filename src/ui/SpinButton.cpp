#include "ui/SpinButton.h"

#include "framework/Finally.h"

#include <algorithm>
#include <utility>

#include "ui/SpinLayout.h"

using namespace win;

namespace {

TPoint MousePoint(TLParam lParam) {
  // Client coordinates are signed: a captured mouse reports points left of or above the
  // window as negative numbers.
  return {static_cast<std::int16_t>(LoWord(static_cast<std::uintmax_t>(lParam))),
          static_cast<std::int16_t>(HiWord(static_cast<std::uintmax_t>(lParam)))};
}
}  // namespace

TSpinButton::TSpinButton(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  FUpButton = &CreateButton();
  FDownButton = &CreateButton();
  FFocusedButton = FUpButton;
  SetBounds({0, 0, 20, 25});
}

TSpinButton::~TSpinButton() { DestroyHandle(); }

TTimerSpeedButton& TSpinButton::CreateButton() {
  TTimerSpeedButton& button = Create<TTimerSpeedButton>(static_cast<ISpeedButtonHost&>(*this));
  button.SetParent(this);
  button.AllowTimer = true;
  button.OnClick = [this](TComponent* sender) { BtnClick(static_cast<TTimerSpeedButton&>(*sender)); };
  button.OnMouseDown = [this](TTimerSpeedButton& sender, TMouseButton b) { BtnMouseDown(sender, b); };
  return button;
}

// ---- focus ------------------------------------------------------------------------------

void TSpinButton::SetFocusBtn(TTimerSpeedButton& button) {
  if (&button == FFocusedButton) return;
  FFocusedButton->SetFocusRect(false);
  FFocusedButton = &button;
  if (Focused()) FFocusedButton->SetFocusRect(true);
}

void TSpinButton::SetFocusControl(TWinControl* control) {
  if (control == FFocusControl) return;
  if (FFocusControl) RemoveFreeNotification(*FFocusControl);
  FFocusControl = control;
  if (FFocusControl) FreeNotification(*FFocusControl);
}

void TSpinButton::Notification(TComponent& component) {
  TWinControl::Notification(component);
  if (&component == FFocusControl) FFocusControl = nullptr;
}

bool TSpinButton::Focused() const { return Handle() && Ports()->Windows.GetFocus() == Handle(); }

void TSpinButton::BtnMouseDown(TTimerSpeedButton& sender, TMouseButton button) {
  if (button != TMouseButton::mbLeft || !Handle()) return;
  IWindows& windows = Ports()->Windows;
  if (TabStop && windows.CanFocus(Handle())) SetFocusBtn(sender);
  const auto* target = dynamic_cast<const IFocusControl*>(FFocusControl);
  const TWnd targetWindow = target ? target->FocusHandle() : 0;
  if (targetWindow && target->IsTabStop() && windows.CanFocus(targetWindow) &&
      windows.GetFocus() != targetWindow)
    windows.SetFocus(targetWindow);
  else if (TabStop && windows.GetFocus() != Handle() && windows.CanFocus(Handle()))
    windows.SetFocus(Handle());
}

void TSpinButton::BtnClick(TTimerSpeedButton& sender) {
  if (&sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

// ---- glyphs -----------------------------------------------------------------------------

void TSpinButton::SetGlyph(TTimerSpeedButton& button, TBitmapHandle bitmap, const char* defaultName) {
  TOwnedBitmap& owned = &button == FUpButton ? FOwnedUpGlyph : FOwnedDownGlyph;
  if (bitmap) {
    owned.Reset();
    button.Glyph = bitmap;
  } else {
    // None: the default picture again, as one image.
    if (!owned && Ports()) owned = TOwnedBitmap(Ports()->Drawing, Ports()->Drawing.LoadBitmapResource(defaultName));
    button.Glyph = owned.Get();
    button.NumGlyphs = 1;
  }
  InvalidateButton(button);
}

void TSpinButton::SetUpNumGlyphs(int count) {
  FUpButton->NumGlyphs = count;
  InvalidateButton(*FUpButton);
}

void TSpinButton::SetDownNumGlyphs(int count) {
  FDownButton->NumGlyphs = count;
  InvalidateButton(*FDownButton);
}

void TSpinButton::LoadDefaultGlyphs() {
  if (!FUpButton->Glyph) SetGlyph(*FUpButton, 0, UpGlyphName);
  if (!FDownButton->Glyph) SetGlyph(*FDownButton, 0, DownGlyphName);
}

void TSpinButton::ReleaseDefaultGlyphs() {
  for (auto [button, owned] : {std::pair{FUpButton, &FOwnedUpGlyph}, std::pair{FDownButton, &FOwnedDownGlyph}}) {
    if (*owned && button->Glyph == owned->Get()) button->Glyph = 0;
    owned->Reset();
  }
}

// ---- bounds -----------------------------------------------------------------------------

void TSpinButton::FitArrows() {
  const TRect r = BoundsRect();
  const SpinLayout::TArrowLayout fit = SpinLayout::FitArrows(r.Right - r.Left, r.Bottom - r.Top);
  FUpButton->SetBoundsRect(fit.Up);
  FDownButton->SetBoundsRect(fit.Down);
}

void TSpinButton::ConstrainBounds(TRect& bounds) {
  const SpinLayout::TArrowLayout fit =
      SpinLayout::FitArrows(bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
  bounds.Right = bounds.Left + fit.Width;
  FUpButton->SetBoundsRect(fit.Up);
  FDownButton->SetBoundsRect(fit.Down);
}

void TSpinButton::Loaded() {
  TWinControl::Loaded();
  FitArrows();
}

// ---- window -----------------------------------------------------------------------------

void TSpinButton::CreateParams(TWinCreateParams& params) const {
  TWinControl::CreateParams(params);
  params.ClassName = WindowClassName;
  if (TabStop) params.Style |= WS_TABSTOP;
}

void TSpinButton::WindowCreated() { LoadDefaultGlyphs(); }

void TSpinButton::WindowDestroying() {
  FPressed = {};
  for (TTimerSpeedButton* button : {FUpButton, FDownButton}) {
    button->FreeTimer();
    button->CancelMode();
    button->SetFocusRect(false);
  }
  ReleaseDefaultGlyphs();
}

std::unique_ptr<TRepeatTimer> TSpinButton::CreateRepeatTimer(TTimerSpeedButton& button) {
  if (!Handle()) return nullptr;
  return std::make_unique<TRepeatTimer>(Ports()->Windows, Handle(),
                                        &button == FUpButton ? UpTimerId : DownTimerId);
}

bool TSpinButton::HoldsCapture(const TTimerSpeedButton& button) const {
  return Handle() && std::find(FPressed.begin(), FPressed.end(), &button) != FPressed.end() &&
         Ports()->Input.GetCapture() == Handle();
}

std::vector<TTimerSpeedButton*> TSpinButton::PressedArrows() const {
  std::vector<TTimerSpeedButton*> arrows;
  for (TTimerSpeedButton* b : FPressed)
    if (b && std::find(arrows.begin(), arrows.end(), b) == arrows.end()) arrows.push_back(b);
  return arrows;
}

void TSpinButton::InvalidateButton(TTimerSpeedButton&) {
  if (Handle()) Ports()->Drawing.Invalidate(Handle());
}

TTimerSpeedButton* TSpinButton::ButtonAt(int x, int y) const {
  // The down arrow lies over the up arrow's last row: it was made later.
  for (TTimerSpeedButton* button : {FDownButton, FUpButton}) {
    const TRect& r = button->BoundsRect();
    if (button->Enabled() && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return button;
  }
  return nullptr;
}

void TSpinButton::MouseDown(TMouseButton button, TLParam lParam) {
  const TPoint p = MousePoint(lParam);
  // A press goes to the arrow under it, also while another button holds the other arrow:
  // the held arrow keeps that button, and the pressed one is the one the user pointed at.
  TTimerSpeedButton* target = ButtonAt(p.x, p.y);
  if (!target) return;
  FPressed[static_cast<std::size_t>(button)] = target;
  if (Ports()->Input.GetCapture() != Handle()) Ports()->Input.SetCapture(Handle());
  const TRect& r = target->BoundsRect();
  target->MouseDown(button, p.x - r.Left, p.y - r.Top);
}

void TSpinButton::MouseUp(TMouseButton button, TWParam wParam, TLParam lParam) {
  const TPoint p = MousePoint(lParam);
  // A release goes to the arrow its press went to. One whose press the pair did not take
  // (off the arrows while the pair held the mouse) is no arrow's.
  const bool captured = Handle() && Ports()->Input.GetCapture() == Handle();
  TTimerSpeedButton* target = std::exchange(FPressed[static_cast<std::size_t>(button)], nullptr);
  if (!target && !captured) target = ButtonAt(p.x, p.y);
  // wParam names the buttons still down; the capture goes with the last of them, also when
  // this release's click fails.
  const bool stillHeld = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
  TFinally release{[this, captured, stillHeld] {
    if (stillHeld || !captured) return;
    FPressed = {};
    if (Handle()) Ports()->Input.ReleaseCapture();
  }};
  if (!target) return;
  const TRect& r = target->BoundsRect();
  target->MouseUp(button, p.x - r.Left, p.y - r.Top);
}

void TSpinButton::KeyDown(std::uint8_t vk) {
  if (!TabStop || !Focused()) return;
  switch (vk) {
    case VK_UP:
      SetFocusBtn(*FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SetFocusBtn(*FDownButton);
      FDownButton->Click();
      break;
    case VK_SPACE:
      FFocusedButton->Click();
      break;
    default:
      break;
  }
}

TLResult TSpinButton::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDown(TMouseButton::mbLeft, lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: MouseDown(TMouseButton::mbRight, lParam); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: MouseDown(TMouseButton::mbMiddle, lParam); return 0;
    case WM_LBUTTONUP: MouseUp(TMouseButton::mbLeft, wParam, lParam); return 0;
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, wParam, lParam); return 0;
    case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, wParam, lParam); return 0;
    case WM_MOUSEMOVE: {
      const TPoint p = MousePoint(lParam);
      for (TTimerSpeedButton* arrow : PressedArrows()) {
        const TRect& r = arrow->BoundsRect();
        arrow->MouseMove(p.x - r.Left, p.y - r.Top);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Taken away (a menu, a message box, another window): the held arrows let go unclicked.
      if (static_cast<TWnd>(lParam) != window) {
        const std::vector<TTimerSpeedButton*> held = PressedArrows();
        FPressed = {};
        for (TTimerSpeedButton* arrow : held) arrow->CancelMode();
      }
      return 0;
    case WM_TIMER:
      if (wParam == UpTimerId) FUpButton->TimerExpired();
      if (wParam == DownTimerId) FDownButton->TimerExpired();
      return 0;
    case WM_PAINT: {
      IDrawing& drawing = Ports()->Drawing;
      drawing.Paint(window, [this, &drawing](ICanvas& canvas) {
        FUpButton->Paint(canvas, drawing);
        FDownButton->Paint(canvas, drawing);
      });
      return 0;
    }
    case WM_ERASEBKGND: return 1;  // the arrows cover the whole pair
    case WM_SIZE: {
      // Someone sized the window directly: the arrows follow, and the rule may widen it again.
      FitArrows();
      const int width = LoWord(static_cast<std::uintmax_t>(lParam));
      const int height = HiWord(static_cast<std::uintmax_t>(lParam));
      const TRect r = BoundsRect();
      if (SpinLayout::FitArrows(width, height).Width != width)
        SetBounds({r.Left, r.Top, r.Left + width, r.Top + height});
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: KeyDown(static_cast<std::uint8_t>(wParam)); return 0;
    case WM_SETFOCUS: FFocusedButton->SetFocusRect(true); return 0;
    case WM_KILLFOCUS: FFocusedButton->SetFocusRect(false); return 0;
    default: return TWinControl::WndProc(window, msg, wParam, lParam);
  }
}
