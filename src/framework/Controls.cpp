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
  if (FSystemClass && !ports.Windows.SubclassWindow(handle, FWindowProc)) {
    // SetWindowSubclass leaves no error code to tell.
    ports.Windows.DestroyWindow(handle);
    throw std::runtime_error("Error creating window");
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
  const TWnd handle = FHandle;
  WindowDestroying();
  FHandle = 0;
  if (FSystemClass) FPorts->Windows.RemoveSubclass(handle, FWindowProc);
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

std::string TCustomEdit::Text() const { return Handle() ? Ports()->Windows.ReadText(Handle()) : FText; }

void TCustomEdit::SetText(const std::string& text) {
  if (Handle())
    Ports()->Windows.WriteText(Handle(), text);
  else
    FText = text;
  if (OnChange) OnChange(this);
}

void TCustomEdit::WindowCreated() { Ports()->Windows.WriteText(Handle(), FText); }

void TCustomEdit::WindowDestroying() { FText = Ports()->Windows.ReadText(Handle()); }

TButtonControl::~TButtonControl() { SetAction(nullptr); }

void TButtonControl::CreateParams(TWinCreateParams& params) const {
  params.ClassName = "BUTTON";
  params.SystemClass = true;
  params.Text = Caption;
  params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
  params.Bounds = BoundsRect();
}

bool TButtonControl::NotificationReflected(std::uint32_t msg, TWParam wParam, TLParam, TLResult& result) {
  if (msg != WM_COMMAND || HiWord(wParam) != BN_CLICKED) return false;
  Clicked();
  result = 0;
  return true;
}

void TButtonControl::SetCaption(const std::string& caption) {
  Caption = caption;
  if (Handle()) Ports()->Windows.WriteText(Handle(), caption);
}

void TButtonControl::ShowCheck(bool checked) {
  Ports()->Windows.SendMessageTo(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::ShownCheck() const {
  return Ports()->Windows.SendMessageTo(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TButton::CreateParams(TWinCreateParams& params) const {
  TButtonControl::CreateParams(params);
  params.Style |= Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (Default) params.Id = IDOK;
  if (Cancel) params.Id = IDCANCEL;
}

void TCustomCheckBox::CreateParams(TWinCreateParams& params) const {
  TButtonControl::CreateParams(params);
  params.Style |= BS_CHECKBOX;
}

void TRadioButton::CreateParams(TWinCreateParams& params) const {
  TButtonControl::CreateParams(params);
  params.Style |= BS_AUTORADIOBUTTON;
}

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

void TButtonControl::ActionChanged(TAction& action) {
  if (Caption != action.Caption()) SetCaption(action.Caption());
}

void TButtonControl::ActionDestroyed(TAction& action) {
  if (FAction == &action) FAction = nullptr;
}

void TCustomCheckBox::StoreChecked(bool checked) {
  if (Handle())
    ShowCheck(checked);
  else
    FChecked = checked;
}

void TCustomCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  StoreChecked(checked);
  Click();
}

void TCustomCheckBox::ActionChanged(TAction& action) {
  TButtonControl::ActionChanged(action);
  // Follows the action quietly: the change came from the action, not from a click.
  if (Checked() != action.Checked()) StoreChecked(action.Checked());
}

void TRadioButton::SetChecked(bool checked) {
  if (Checked() == checked) return;
  if (Handle())
    ShowCheck(checked);
  else
    FChecked = checked;
  if (!checked) return;
  UncheckSiblings();
  Click();
}

void TRadioButton::Clicked() {
  if (Handle()) ShowCheck(true);
  UncheckSiblings();
  Click();
}

void TRadioButton::UncheckSiblings() {
  if (Parent())
    for (TControl* sibling : Parent()->Controls())
      if (auto* radio = dynamic_cast<TRadioButton*>(sibling); radio && radio != this)
        radio->SetChecked(false);
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

void TGroupButton::Clicked() {
  FGroup.SetItemIndex(FIndex);
  Click();
}

void TGroupButton::CreateParams(TWinCreateParams& params) const {
  TRadioButton::CreateParams(params);
  params.Style &= ~WS_CLIPSIBLINGS;  // the group's frame lies over the items
  if (FIndex == 0) params.Style |= WS_GROUP;
  const bool stop = FGroup.ItemIndex() < 0 ? FIndex == 0 : Checked();
  if (!stop) params.Style &= ~WS_TABSTOP;
}

void TCustomRadioGroup::CreateParams(TWinCreateParams& params) const {
  TWinControl::CreateParams(params);
  params.ClassName = "TRadioGroup";
  params.ClassBackground = COLOR_BTNFACE;
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

// The frame with the caption comes first, before the items: the dialog manager's search for
// a mnemonic walks the windows in z-order from the focused one on, so from an item of the
// group it reaches the next control with the same mnemonic rather than the group's own
// frame, and the step after the frame's mnemonic lands on the group's item. The frame is
// painted after the items (WS_EX_TRANSPARENT) and draws only its edge and caption; the items
// do not clip it out, or they would clip themselves away under it.
void TCustomRadioGroup::WindowCreated() {
  const TRect r = BoundsRect();
  TCreateParams frame;
  frame.ClassName = "BUTTON";
  frame.Text = Caption;
  frame.Style = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
  frame.ExStyle = WS_EX_TRANSPARENT;
  frame.Bounds = {0, 0, r.Right - r.Left, r.Bottom - r.Top};
  frame.Parent = Handle();
  frame.Id = 0xFFFF;  // IDC_STATIC: a frame is never asked for by its id
  FFrame = Ports()->Windows.CreateWindowFrom(frame, nullptr);
  if (!FFrame) throw LastWindowsError(Ports()->Windows, "Error creating window");
  if (Font()) Ports()->Windows.SendMessageTo(FFrame, WM_SETFONT, Font(), 0);
  ArrangeButtons();
}

TWnd TCustomRadioGroup::TabStopButton() const {
  const std::int32_t index = ItemIndex();
  for (const TGroupButton* b : FButtons)
    if (b->FIndex == (index < 0 ? 0 : index)) return b->Handle();
  return 0;
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  const TRect r = BoundsRect();
  const int width = r.Right - r.Left, height = r.Bottom - r.Top;
  const int fontHeight = Ports()->Drawing.FontHeight(Font());
  const int count = static_cast<int>(FButtons.size());
  // Below the caption and above the frame's bottom edge, each item gets an equal share; what
  // does not divide evenly is split above and below.
  const int room = height - fontHeight - 5;
  const int itemHeight = room / count;
  const int top = fontHeight + 1 + (room % count) / 2;
  for (int i = 0; i < count; ++i)
    FButtons[static_cast<std::size_t>(i)]->SetBounds({8, top + i * itemHeight, width - 2, top + (i + 1) * itemHeight});
}

void TCustomRadioGroup::ChildWindowsCreated() {
  FIndexShown = true;
  ShowItemIndex(FItemIndex);
}

void TCustomRadioGroup::WindowDestroying() {
  // The items' windows go after the group's: they still show the index.
  FItemIndex = ItemIndex();
  FIndexShown = false;
  FFrame = 0;
}

std::int32_t TCustomRadioGroup::ItemIndex() const {
  if (!FIndexShown) return FItemIndex;
  for (const TGroupButton* b : FButtons)
    if (b->Handle() && b->ShownCheck()) return b->FIndex;
  return -1;
}

void TCustomRadioGroup::ShowItemIndex(std::int32_t index) {
  for (TGroupButton* b : FButtons) {
    if (!b->Handle()) continue;
    IWindows& windows = Ports()->Windows;
    b->ShowCheck(b->FIndex == index);
    const bool stop = index < 0 ? b->FIndex == 0 : b->FIndex == index;
    const std::uint32_t style = windows.GetStyle(b->Handle());
    windows.SetStyle(b->Handle(), stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

void TCustomRadioGroup::SetItems(std::vector<std::string> items) {
  const std::int32_t index = ItemIndex();
  for (TGroupButton* b : FButtons) DestroyComponent(*b);
  FButtons.clear();
  FItems = std::move(items);
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    TGroupButton& button = Create<TGroupButton>(*this, static_cast<int>(i));
    button.Caption = FItems[i];
    button.SetParent(this);
    FButtons.push_back(&button);
  }
  if (Handle()) {
    CreateChildHandles();
    ArrangeButtons();
  }
  SetItemIndex(index);
}

void TCustomRadioGroup::SetItemIndex(std::int32_t index) {
  const auto count = static_cast<std::int32_t>(FItems.size());
  if (index < -1) index = -1;
  if (index >= count) index = count - 1;
  if (FIndexShown)
    ShowItemIndex(index);
  else
    FItemIndex = index;
}

void TLabel::CreateParams(TWinCreateParams& params) const {
  TWinControl::CreateParams(params);
  params.ClassName = "STATIC";
  params.SystemClass = true;
  params.Text = Caption;
  params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT;
  // As large as the text: labels stand close to each other and to their fields.
  const TPoint extent = Ports()->Drawing.TextExtent(Font(), Caption);
  const TRect at = BoundsRect();
  params.Bounds = {at.Left, at.Top, at.Left + extent.x, at.Top + extent.y};
}
