#include "ui/Spin.h"

#include "framework/Finally.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "framework/StrToInt.h"

using namespace win;


// ---- value rules ----------------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* owner, std::string name) : TCustomEdit(owner, std::move(name)) {
  FButton = &Create<TSpinButton>();
  FButton->SetParent(this);
  FButton->SetBounds({0, 0, SpinLayout::ArrowPairWidth, 17});
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TComponent*) { StepUp(); };
  FButton->OnDownClick = [this](TComponent*) { StepDown(); };
  SetText("0");
}

TSpinEdit::~TSpinEdit() {
  // Size handling during the teardown leaves the pair alone; it goes with the owned
  // components, after the window (its own window is a child of ours and goes with it).
  FButton = nullptr;
  DestroyHandle();
}

std::int32_t TSpinEdit::Value() const { return StrToIntDef(Text(), MinValue); }

void TSpinEdit::SetValue(std::int32_t v) {
  FLastValid = ClampValue(v);
  SetText(std::to_string(FLastValid));
}

std::int32_t TSpinEdit::TakeValue() {
  const std::optional<std::int64_t> number = WholeNumber(Text());
  // A number too large for 32 bits saturates first; then the range applies.
  const std::int32_t v = ClampValue(number ? static_cast<std::int32_t>(std::clamp<std::int64_t>(
                                                 *number, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()))
                                           : FLastValid);
  if (number && v == *number)
    FLastValid = v;
  else
    SetValue(v);
  return FLastValid;
}

std::int32_t TSpinEdit::ClampValue(std::int32_t v) const {
  if (MinValue == MaxValue) return v;
  if (v < MinValue) return MinValue;
  if (v > MaxValue) return MaxValue;
  return v;
}

void TSpinEdit::DoBeep() {
  if (Beep)
    Beep();
  else if (Ports())
    Ports()->Windows.MessageBeep(0);
}

// A step near the 32-bit limits saturates instead of wrapping round to the other end, then
// meets the range rule.
void TSpinEdit::Step(std::int64_t delta) {
  if (FReadOnly) {
    DoBeep();
    return;
  }
  const std::int64_t sum = std::int64_t{Value()} + delta;
  SetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max())));
}

void TSpinEdit::StepUp() { Step(Increment); }
void TSpinEdit::StepDown() { Step(-std::int64_t{Increment}); }

bool TSpinEdit::IsAcceptedChar(char ch) const {
  const auto c = static_cast<unsigned char>(ch);
  // No line break, neither Enter's CR nor the LF of Ctrl+Enter or Ctrl+J: the edit is a
  // multi-line one, and a second line would hide behind the first while the value reads
  // as no number.
  const bool accepted = (c >= '0' && c <= '9') || c == '+' || c == '-' ||
                        c == static_cast<unsigned char>(DecimalSeparator) ||
                        (c < 32 && c != '\r' && c != '\n');
  if (!EditorEnabled && (c >= 32 || c == 8)) return false;
  return accepted;
}

void TSpinEdit::KeyDown(std::uint8_t vk) {
  if (vk == VK_UP) StepUp();
  if (vk == VK_DOWN) StepDown();
}

bool TSpinEdit::KeyPress(char c) {
  if (IsAcceptedChar(c)) return true;
  DoBeep();
  return false;
}

void TSpinEdit::DoExit() {
  if (OnExit) OnExit(this);
  (void)TakeValue();
}

void TSpinEdit::SetMaxLength(int value) {
  FMaxLength = value;
  if (Handle()) Ports()->Windows.SendMessageTo(Handle(), EM_LIMITTEXT, static_cast<TWParam>(value), 0);
}

void TSpinEdit::SetReadOnly(bool value) {
  FReadOnly = value;
  if (Handle()) Ports()->Windows.SendMessageTo(Handle(), EM_SETREADONLY, value ? 1 : 0, 0);
}

// ---- the window -----------------------------------------------------------------------

void TSpinEdit::CreateParams(TWinCreateParams& params) const {
  TCustomEdit::CreateParams(params);
  // The system's multi-line edit, because only those take a formatting rectangle (kept
  // clear of the arrows); the automatic scrolling keeps its one line from wrapping.
  // Clipping the children keeps the edit's painting off the arrows.
  params.ClassName = "EDIT";
  params.SystemClass = true;
  params.Style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | WS_CLIPCHILDREN;
  if (TabStop) params.Style |= WS_TABSTOP;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (!Look3D()) params.Style |= WS_BORDER;
  params.ExStyle = Look3D() ? WS_EX_CLIENTEDGE : 0;
  params.Bounds = BoundsRect();
}

bool TSpinEdit::Look3D() const {
  std::uint32_t platform = 0, major = 0, minor = 0;
  return Ctl3D && Ports() && Ports()->Environment.GetVersionInfo(platform, major, minor) && major >= 4;
}

void TSpinEdit::CreateHandle(const TControlPorts& ports, TWnd parent, const TRect& bounds) {
  if (Handle()) return;
  SetBounds(bounds);
  CreateHandle(ports, parent);
}

void TSpinEdit::WindowCreated() {
  IWindows& windows = Ports()->Windows;
  DecimalSeparator = Ports()->Environment.DecimalSeparator();
  TCustomEdit::WindowCreated();
  windows.SendMessageTo(Handle(), EM_LIMITTEXT, static_cast<TWParam>(FMaxLength), 0);
  UpdateEditRect();
  // The arrow pair, a child, is made after this at the place this leaves it.
  AdjustHeight();
  Resize();
}

void TSpinEdit::WindowDestroying() {
  // The text moves back into the object. Losing the focus to the window's end (a
  // re-creation, the field's destruction) is no leaving of the field (see WM_KILLFOCUS).
  TCustomEdit::WindowDestroying();
}

void TSpinEdit::FontChanged() {
  AdjustHeight();
  Resize();
}

int TSpinEdit::MinimumHeight() const {
  if (!Ports()) return 0;
  IDrawing& drawing = Ports()->Drawing;
  return SpinLayout::MinimumHeight(drawing.FontHeight(Font()), drawing.FontHeight(0),
                                   drawing.SystemMetric(SM_CYBORDER));
}

void TSpinEdit::AdjustHeight() {
  if (!AutoSize || !Handle()) return;
  IDrawing& drawing = Ports()->Drawing;
  TRect r = BoundsRect();
  r.Bottom = r.Top + SpinLayout::AutoHeight(drawing.FontHeight(Font()),
                                            drawing.SystemMetric(SM_CYBORDER), Look3D());
  SetBounds(r);
}

void TSpinEdit::Resize() {
  if (!Handle()) return;
  TRect r = BoundsRect();
  const int width = r.Right - r.Left, height = r.Bottom - r.Top;
  const int minimum = MinimumHeight();
  if (height < minimum) {
    // The move brings a size change of its own, which places the arrows.
    r.Bottom = r.Top + minimum;
    SetBounds(r);
    return;
  }
  if (FButton) {
    const TRect pair = SpinLayout::ArrowPairBounds(width, height, Look3D());
    FButton->SetBounds(pair);
  }
  UpdateEditRect();
}

void TSpinEdit::UpdateEditRect() {
  if (!Handle()) return;
  const TRect client = Ports()->Windows.ClientRect(Handle());
  Ports()->Windows.SetEditRect(Handle(), SpinLayout::EditRect(client.Right, client.Bottom));
}

namespace {
// Edit positions count UTF-16 units; the text here is UTF-8. A character takes one unit, or
// two beyond the basic plane (where UTF-8 takes four bytes).
std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++units;
    if (c >= 0xF0) ++units;
  }
  return units;
}

// The byte at which the given UTF-16 unit starts; the end for one past the last.
std::size_t ByteOfUnit(std::string_view text, std::size_t unit) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c & 0xC0) == 0x80) continue;
    if (units >= unit) return i;
    units += c >= 0xF0 ? 2 : 1;
  }
  return text.size();
}
}  // namespace

TLResult TSpinEdit::PasteFirstLine(TWnd window, TWParam wParam, TLParam lParam) {
  // The multi-line edit pastes every line; the field keeps the first, as a one-line edit
  // does. What stood before and after the selection is where it was: the paste lies between.
  IWindows& windows = Ports()->Windows;
  const std::string before = windows.ReadText(window);
  const auto selection = static_cast<std::uintmax_t>(windows.SendMessageTo(window, EM_GETSEL, 0, 0));
  const std::size_t length = Utf16Length(before);
  const std::size_t tail = length - std::min<std::size_t>(HiWord(selection), length);
  const TLResult result = DefaultHandler(window, WM_PASTE, wParam, lParam);
  const std::string after = windows.ReadText(window);
  const std::size_t afterLength = Utf16Length(after);
  const std::size_t start = ByteOfUnit(after, LoWord(selection));
  const std::size_t end = ByteOfUnit(after, afterLength - std::min(tail, afterLength));
  const std::size_t lineBreak = after.find_first_of("\r\n", start);
  if (lineBreak >= end) return result;
  const std::string kept = after.substr(0, lineBreak);
  windows.WriteText(window, kept + after.substr(end));
  const auto caret = static_cast<TWParam>(Utf16Length(kept));
  windows.SendMessageTo(window, EM_SETSEL, caret, static_cast<TLParam>(caret));
  return result;
}

TLResult TSpinEdit::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  IWindows& windows = Ports()->Windows;
  IInput& input = Ports()->Input;
  const auto next = [&] { return TCustomEdit::WndProc(window, msg, wParam, lParam); };
  switch (msg) {
    case WM_KEYDOWN:
      FTabPending = false;
      if (wParam == VK_TAB) {
        // No dialog manager took the key (the field does not ask for it), so the field
        // moves the focus itself, as Tab does everywhere else in a window.
        FTabPending = true;
        const TWnd target = windows.NextTabStop(window, input.GetKeyState(VK_SHIFT) < 0);
        if (target && target != window) windows.SetFocus(target);
        return 0;
      }
      if (wParam <= 0xFF) KeyDown(static_cast<std::uint8_t>(wParam));
      return next();
    case WM_CHAR:
      if (wParam == '\t' && std::exchange(FTabPending, false)) return 0;
      // Beyond ASCII nothing is accepted: every such character meets the filter as one
      // byte of 128 or above.
      if (!KeyPress(wParam < 0x80 ? static_cast<char>(wParam) : static_cast<char>(0x80))) return 0;
      return next();
    case WM_IME_CHAR:
      KeyPress(static_cast<char>(0x80));
      return 0;
    case WM_IME_COMPOSITION:
      // The edit would insert a finished composition itself, past the filter; the default
      // handling hands it on as WM_IME_CHAR, which the filter refuses.
      if (lParam & GCS_RESULTSTR) return windows.DefaultProc(window, msg, wParam, lParam);
      return next();
    case WM_GETDLGCODE: {
      // As a multi-line edit: every key, so that Enter and Escape stay in the field and do
      // not press the window's default or cancel button. But not Tab, which a dialog
      // manager then uses to move the focus. The edit itself is asked without the key: one
      // that sees a dialog manager's question takes itself to be in a dialog and then
      // presses the default button on Enter and closes the window on Escape by itself.
      TLResult code = DefaultHandler(window, msg, wParam, 0) | DLGC_WANTALLKEYS |
                      DLGC_WANTARROWS | DLGC_WANTCHARS;
      std::uint32_t queried = 0;
      TWParam key = 0;
      if (windows.DialogQueryMessage(lParam, queried, key) && queried == WM_KEYDOWN && key == VK_TAB)
        code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      return code;
    }
    case WM_PASTE:
      if (!CanPasteOrCut()) return 0;
      return PasteFirstLine(window, wParam, lParam);
    case WM_CUT:
      if (!CanPasteOrCut()) return 0;
      return next();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The edit takes the focus inside its own handling of the press.
      FClickFocus = true;
      TFinally done{[this] { FClickFocus = false; }};
      return next();
    }
    case WM_SETFOCUS: {
      const TLResult result = next();
      if (AutoSelect && !FClickFocus) windows.SendMessageTo(window, EM_SETSEL, 0, -1);
      if (OnEnter) OnEnter(this);
      return result;
    }
    case WM_KILLFOCUS: {
      const TLResult result = next();
      if (!HandleGoing()) DoExit();
      return result;
    }
    case WM_SIZE: {
      const TLResult result = next();
      Resize();
      return result;
    }
    default:
      return next();
  }
}

// ---- alignment --------------------------------------------------------------------------

TSpEdit::TSpEdit(TComponent* owner, std::string name) : TSpinEdit(owner, std::move(name)) {
  SetAlignment(TAlignment::taRightJustify);
}

void TSpEdit::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  RecreateWnd();
}

void TSpEdit::CreateParams(TWinCreateParams& params) const {
  TSpinEdit::CreateParams(params);
  params.Style |= SpinLayout::AlignmentStyle(FAlignment);
}
