#include "framework/WinControl.h"

#include <algorithm>
#include <stdexcept>

#include "framework/Finally.h"

using namespace win;

namespace {
void Erase(std::vector<TControl*>& list, TControl* control) {
  list.erase(std::remove(list.begin(), list.end(), control), list.end());
}
}  // namespace

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  if (FParent) {
    Erase(FParent->FWindowless, this);
    Erase(FParent->FWindowed, this);
  }
  FParent = parent;
  if (FParent) (IsWindowed() ? FParent->FWindowed : FParent->FWindowless).push_back(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

TWinControl::~TWinControl() {
  // The derived control has gone already: its window ends without its own handling.
  DestroyHandle();
  // Children may be owned by someone who destroys them after us.
  for (TControl* c : Controls()) c->SetParent(nullptr);
}

std::vector<TControl*> TWinControl::Controls() const {
  std::vector<TControl*> all = FWindowless;
  all.insert(all.end(), FWindowed.begin(), FWindowed.end());
  return all;
}

// ---- the window ---------------------------------------------------------------------------

void TWinControl::CreateParams(TWinCreateParams& params) const {
  params.ClassName = "TWinControl";
  params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  params.Bounds = FBounds;
}

std::uint32_t TWinControl::ChildId(TWnd parentWindow) const {
  // Only a parent control of ours knows its children; a window of someone else's numbers
  // its children itself.
  if (!Parent() || Parent()->FHandle != parentWindow) return 0;
  const std::vector<TControl*>& siblings = Parent()->FWindowed;
  const auto index = std::find(siblings.begin(), siblings.end(), this) - siblings.begin();
  return FirstChildId + static_cast<std::uint32_t>(index);
}

void TWinControl::CreateHandle(const TControlPorts& ports, TWnd parentWindow) {
  if (FHandle) return;
  FPorts.emplace(ports);
  FParentWindow = parentWindow;
  TWinCreateParams params;
  CreateParams(params);
  params.Parent = parentWindow;
  if (!params.Id && (params.Style & WS_CHILD)) params.Id = ChildId(parentWindow);
  FSystemClass = params.SystemClass;
  // A window of our class is bound from its first message on; a system one from here on.
  const TWnd handle = ports.Windows.CreateWindowFrom(params, FSystemClass ? nullptr : &FWindowProc);
  if (!handle) throw LastWindowsError(ports.Windows, "Error creating window");
  if (FSystemClass) {
    // The subclass stays with the control until its next window or its end: at the window's
    // end the system lets go of it, and taking it out later finds no window, harmlessly.
    FSubclass.emplace(ports.Windows, handle,
                      [this](TWnd w, std::uint32_t msg, TWParam wParam, TLParam lParam) -> std::optional<TLResult> {
                        return FWindowProc.HandleMessage(w, msg, wParam, lParam);
                      });
    if (!FSubclass->Installed()) {
      // SetWindowSubclass leaves no error code to tell.
      ports.Windows.DestroyWindow(handle);
      throw std::runtime_error("Error creating window");
    }
  }
  FHandle = handle;
  FId = params.Id;
  try {
    if (FFont) ports.Windows.SendMessageTo(handle, WM_SETFONT, FFont, 0);
    WindowCreated();
    CreateChildHandles();
    ChildWindowsCreated();
  } catch (...) {
    DestroyHandle();
    throw;
  }
}

void TWinControl::CreateChildHandles() {
  for (TControl* c : FWindowed) {
    auto* child = static_cast<TWinControl*>(c);
    if (child->FHandle) continue;
    if (!child->FFont) child->FFont = FFont;
    child->CreateHandle(*FPorts, FHandle);
  }
}

TRect TWinControl::BoundsRect() const { return FHandle ? FPorts->Windows.Bounds(FHandle) : FBounds; }

void TWinControl::SetBounds(const TRect& bounds) {
  TRect accepted = bounds;
  ConstrainBounds(accepted);
  if (FHandle)
    FPorts->Windows.MoveWindow(FHandle, accepted);
  else
    FBounds = accepted;
}

void TWinControl::SetFont(TFontHandle font) {
  FFont = font;
  if (!FHandle) return;
  FPorts->Windows.SendMessageTo(FHandle, WM_SETFONT, font, 1);
  FontChanged();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FGoing = true;
  TFinally done{[this] { FGoing = false; }};
  FPorts->Windows.DestroyWindow(FHandle);
  ForgetHandles();  // the windows are gone whether or not they said so
}

void TWinControl::ForgetHandles() {
  if (FHandle) LoseHandle();
  for (TControl* child : FWindowed) static_cast<TWinControl*>(child)->ForgetHandles();
}

void TWinControl::LoseHandle() {
  WindowDestroying();
  FHandle = 0;
}

bool TWinControl::HandleGoing() const { return FGoing || (Parent() && Parent()->HandleGoing()); }

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const TControlPorts ports = *FPorts;
  const bool focused = ports.Windows.GetFocus() == FHandle;
  DestroyHandle();
  CreateHandle(ports, FParentWindow);
  if (focused) ports.Windows.SetFocus(FHandle);
}

TLResult TWinControl::TWindowProc::HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam,
                                                 TLParam lParam) {
  if (msg != WM_DESTROY) return FControl.WndProc(window, msg, wParam, lParam);
  const TLResult result = FControl.WndProc(window, msg, wParam, lParam);
  if (window == FControl.FHandle) {
    // The window still exists here: its bounds move back into the control.
    FControl.FBounds = FControl.FPorts->Windows.Bounds(window);
    FControl.LoseHandle();
  }
  return result;
}

bool TWinControl::IsNotification(std::uint32_t msg) {
  return msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_MEASUREITEM ||
         (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

TLResult TWinControl::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (IsNotification(msg) && FPorts) {
    // Each control handles its own notifications: the parent hands them to the child's control.
    const TWnd source = FPorts->Windows.NotificationSource(window, msg, wParam, lParam);
    for (TControl* c : FWindowed) {
      auto* child = static_cast<TWinControl*>(c);
      if (!source || child->FHandle != source) continue;
      TLResult result = 0;
      if (child->NotificationReflected(msg, wParam, lParam, result)) return result;
      break;
    }
  }
  return DefaultHandler(window, msg, wParam, lParam);
}

bool TWinControl::NotificationReflected(std::uint32_t, TWParam, TLParam, TLResult&) { return false; }

TLResult TWinControl::DefaultHandler(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  IWindows& windows = FPorts->Windows;
  return FSystemClass ? windows.DefSubclassProc(window, msg, wParam, lParam)
                      : windows.DefaultProc(window, msg, wParam, lParam);
}
