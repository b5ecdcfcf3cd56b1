#include "framework/Controls.h"

#include <algorithm>
#include <stdexcept>

#include "framework/Actions.h"
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
  if (FSystemClass && !ports.Windows.SubclassWindow(handle, FWindowProc)) {
    // SetWindowSubclass leaves no error code to tell.
    ports.Windows.DestroyWindow(handle);
    throw std::runtime_error("Error creating window");
  }
  FHandle = handle;
  try {
    WindowCreated();
    for (TControl* child : FWindowed) static_cast<TWinControl*>(child)->CreateHandle(ports, handle);
  } catch (...) {
    DestroyHandle();
    throw;
  }
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
  const TWnd handle = FHandle;
  WindowDestroying();
  FHandle = 0;
  if (FSystemClass) FPorts->Windows.RemoveSubclass(handle, FWindowProc);
}

bool TWinControl::HandleGoing() const { return FGoing || (Parent() && Parent()->HandleGoing()); }

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const TControlPorts ports = *FPorts;
  const bool focused = ports.Controls.GetFocus() == FHandle;
  DestroyHandle();
  CreateHandle(ports, FParentWindow);
  if (focused) ports.Controls.SetFocus(FHandle);
}

TLResult TWinControl::TWindowProc::HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam,
                                                 TLParam lParam) {
  if (msg != WM_DESTROY) return FControl.WndProc(window, msg, wParam, lParam);
  const TLResult result = FControl.WndProc(window, msg, wParam, lParam);
  if (window == FControl.FHandle) FControl.LoseHandle();
  return result;
}

bool TWinControl::IsNotification(std::uint32_t msg) {
  return msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_DRAWITEM || msg == WM_MEASUREITEM ||
         (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

TLResult TWinControl::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (IsNotification(msg) && FPorts) {
    // Each control handles its own notifications: the parent hands them to the child's control.
    const TWnd source = FPorts->Controls.NotificationSource(window, msg, wParam, lParam);
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

void TCustomEdit::SetText(const std::string& text) {
  FText = text;
  if (Peer()) Peer()->SetText(text);
  if (OnChange) OnChange(this);
}

TButtonControl::~TButtonControl() { SetAction(nullptr); }

void TButtonControl::SetAction(TAction* action) {
  if (FAction == action) return;
  if (FAction) FAction->RemoveClient(*this);
  FAction = action;
  if (FAction) FAction->AddClient(*this);
}

void TButtonControl::Click() {
  // A bound action's handler takes the place of OnClick, unless OnClick is a handler of its own.
  if (FAction && !OnClick) {
    FAction->Execute();
    return;
  }
  TControl::Click();
}

void TButtonControl::ActionChanged(TAction& action) { Caption = action.Caption(); }

void TButtonControl::ActionDestroyed(TAction& action) {
  if (FAction == &action) FAction = nullptr;
}

void TCustomCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SetProp(TPeerProperty::Checked, FChecked, checked ? 1 : 0);
  Click();
}

void TCustomCheckBox::ActionChanged(TAction& action) {
  TButtonControl::ActionChanged(action);
  // Follows the action quietly: the change came from the action, not from a click.
  if (Checked() != action.Checked())
    SetProp(TPeerProperty::Checked, FChecked, action.Checked() ? 1 : 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SetProp(TPeerProperty::Checked, FChecked, checked ? 1 : 0);
  if (!checked) return;
  if (Parent())
    for (TControl* sibling : Parent()->Controls())
      if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this)
        radio->SetChecked(false);
  Click();
}

TGroupButton::TGroupButton(TComponent* owner, TCustomRadioGroup& group, int index)
    : TRadioButton(owner), FGroup(group), FIndex(index) {}

void TGroupButton::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (checked) {
    FGroup.SetItemIndex(FIndex);
    Click();
  } else {
    FGroup.SetItemIndex(-1);
  }
}

void TCustomRadioGroup::SetItems(std::vector<std::string> items) {
  for (TGroupButton* b : FButtons) DestroyComponent(*b);
  FButtons.clear();
  FItems = std::move(items);
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    TGroupButton& button = Create<TGroupButton>(*this, static_cast<int>(i));
    button.Caption = FItems[i];
    button.SetParent(this);
    FButtons.push_back(&button);
  }
  SetItemIndex(FItemIndex);
}

void TCustomRadioGroup::SetItemIndex(std::int32_t index) {
  const auto count = static_cast<std::int32_t>(FItems.size());
  if (index < -1) index = -1;
  if (index >= count) index = count - 1;
  SetProp(TPeerProperty::ItemIndex, FItemIndex, index);
}
