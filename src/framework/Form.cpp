#include "framework/Form.h"

#include "framework/StandardControls.h"

using namespace win;

std::string ChooseFontFace(IDrawing& drawing, const std::vector<std::string>& faces) {
  for (const std::string& face : faces)
    if (drawing.FontFamilyExists(face)) return face;
  return faces.empty() ? std::string{} : faces.back();
}

TCustomForm::~TCustomForm() {
  DestroyHandle();
}

void TCustomForm::CreateParams(TWinCreateParams& params) const {
  params.ClassName = Name().empty() ? "TCustomForm" : "T" + Name();
  params.Text = Caption;
  params.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  params.ClassBackground = COLOR_BTNFACE;
  const int dpi = Ports() ? Ports()->Drawing.ScreenDpi() : DesignPixelsPerInch;
  const TRect client{0, 0, ScaleValue(ClientWidth, dpi, DesignPixelsPerInch),
                     ScaleValue(ClientHeight, dpi, DesignPixelsPerInch)};
  const TRect outer = Ports() ? Ports()->Windows.WindowRectForClient(client, params.Style, params.ExStyle)
                              : client;
  const TRect at = BoundsRect();
  params.Bounds = {at.Left, at.Top, at.Left + outer.Right - outer.Left, at.Top + outer.Bottom - outer.Top};
}

std::int32_t TCustomForm::Height() const {
  const TRect r = BoundsRect();
  return r.Bottom - r.Top;
}

std::int32_t TCustomForm::Width() const {
  const TRect r = BoundsRect();
  return r.Right - r.Left;
}

void TCustomForm::SetTop(std::int32_t v) {
  const TRect r = BoundsRect();
  SetBounds({r.Left, v, r.Right, v + r.Bottom - r.Top});
}

void TCustomForm::SetLeft(std::int32_t v) {
  const TRect r = BoundsRect();
  SetBounds({v, r.Top, v + r.Right - r.Left, r.Bottom});
}

void TCustomForm::SetHeight(std::int32_t v) {
  const TRect r = BoundsRect();
  SetBounds({r.Left, r.Top, r.Right, r.Top + v});
}

void TCustomForm::SetWidth(std::int32_t v) {
  const TRect r = BoundsRect();
  SetBounds({r.Left, r.Top, r.Left + v, r.Bottom});
}

void TCustomForm::CreateFormWindow(const TControlPorts& ports, TWnd owner) { CreateHandle(ports, owner); }

void TCustomForm::WindowCreated() {
  IDrawing& drawing = Ports()->Drawing;
  FPixelsPerInch = drawing.ScreenDpi();
  std::vector<std::string> faces{DesignFont.Face};
  faces.insert(faces.end(), FallbackFaces.begin(), FallbackFaces.end());
  FFontFace = ChooseFontFace(drawing, faces);
  TFontSpec font = DesignFont;
  font.Face = FFontFace;
  font.Height = ScaleValue(DesignFont.Height, FPixelsPerInch, DesignPixelsPerInch);
  FFont = TOwnedFont(drawing, drawing.MakeFont(font));
  SetFont(FFont.Get());
}

void TCustomForm::WindowDestroying() {
  SetFont(0);
  FFont.Reset();
}

void TCustomForm::CreateControlWindows() {
  if (!Handle()) return;
  // Each control is scaled once, just before it gets its window.
  const auto s = [this](std::int32_t v) { return ScaleValue(v, FPixelsPerInch, DesignPixelsPerInch); };
  for (TControl* c : WindowedControls()) {
    auto* child = static_cast<TWinControl*>(c);
    if (child->Handle() || FPixelsPerInch == DesignPixelsPerInch) continue;
    const TRect r = child->BoundsRect();
    child->SetBounds({s(r.Left), s(r.Top), s(r.Left) + s(r.Right - r.Left), s(r.Top) + s(r.Bottom - r.Top)});
  }
  CreateChildHandles();
}

bool TCustomForm::Visible() const { return Handle() && Ports()->Windows.IsWindowVisible(Handle()); }

void TCustomForm::Show() {
  if (!Handle()) return;
  IWindows& windows = Ports()->Windows;
  windows.ShowWindow(Handle(), SW_SHOW);
  // To the top; a window that cannot be raised is still shown.
  (void)windows.SetWindowPos(Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() {
  if (Handle()) Ports()->Windows.ShowWindow(Handle(), SW_HIDE);
}

TButton* TCustomForm::DefaultButton() const {
  const TWnd focus = Ports()->Windows.GetFocus();
  TButton* fallback = nullptr;
  for (TControl* c : WindowedControls()) {
    auto* button = dynamic_cast<TButton*>(c);
    if (!button || !button->Handle()) continue;
    if (button->Handle() == focus) return button;
    if (button->Default && !fallback) fallback = button;
  }
  return fallback;
}

void TCustomForm::FocusFirstControl() {
  IWindows& windows = Ports()->Windows;
  const TWnd first = windows.NextTabStop(Handle(), false);
  if (first && first != Handle()) windows.SetFocus(first);
}

TLResult TCustomForm::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (window != Handle() || !Ports()) return TWinControl::WndProc(window, msg, wParam, lParam);
  IWindows& windows = Ports()->Windows;
  switch (msg) {
    case WM_ACTIVATE:
      // As a dialog: the focus goes back to the control that had it, or to the first one,
      // instead of to the frame, where the keyboard would reach no control.
      if (LoWord(wParam) == WA_INACTIVE) {
        const TWnd focus = windows.GetFocus();
        if (focus && windows.IsChild(Handle(), focus)) FLastFocus = focus;
      } else if (FLastFocus && windows.IsChild(Handle(), FLastFocus) && windows.CanFocus(FLastFocus)) {
        windows.SetFocus(FLastFocus);
      } else {
        FocusFirstControl();
      }
      return 0;
    case WM_NEXTDLGCTL: {
      // A window named (lParam set), or the next or previous tab stop after the focus. A
      // mnemonic of a label or a group frame comes as the first, then as a step to the next.
      TWnd target = 0;
      if (LoWord(static_cast<std::uintmax_t>(lParam))) {
        target = static_cast<TWnd>(wParam);
      } else {
        const TWnd focus = windows.GetFocus();
        target = windows.NextTabStop(focus && windows.IsChild(Handle(), focus) ? focus : Handle(), wParam != 0);
      }
      if (target && target != Handle()) windows.SetFocus(target);
      return 0;
    }
    case DM_GETDEFID:
      if (const TButton* button = DefaultButton())
        return static_cast<TLResult>((static_cast<std::uintmax_t>(DC_HASDEFID) << 16) |
                                     button->ControlId());
      return 0;
    default:
      return TWinControl::WndProc(window, msg, wParam, lParam);
  }
}
