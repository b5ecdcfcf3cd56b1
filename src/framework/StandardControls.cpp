#include "framework/StandardControls.h"

#include "framework/Actions.h"

using namespace win;

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

void TLabel::CreateParams(TWinCreateParams& params) const {
  TWinControl::CreateParams(params);
  params.ClassName = "STATIC";
  params.SystemClass = true;
  params.Text = Caption;
  params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT;
  if (!AutoSize) return;
  // As large as the text: labels stand close to each other and to their fields.
  const TPoint extent = Ports()->Drawing.TextExtent(Font(), Caption);
  const TRect at = BoundsRect();
  params.Bounds = {at.Left, at.Top, at.Left + extent.x, at.Top + extent.y};
}

void TLabel::SetCaption(const std::string& caption) {
  Caption = caption;
  if (Handle()) Ports()->Windows.WriteText(Handle(), caption);
}

void THotKeyField::CreateParams(TWinCreateParams& params) const {
  TWinControl::CreateParams(params);
  params.ClassName = WindowClassName;
  params.SystemClass = true;
  params.Style |= WS_TABSTOP;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

std::uint16_t THotKeyField::HotKey() const {
  if (!Handle()) return FHotKey;
  const auto value = static_cast<std::uint16_t>(Ports()->Windows.SendMessageTo(Handle(), HKM_GETHOTKEY, 0, 0));
  return static_cast<std::uint16_t>(value & ~(HOTKEYF_EXT << 8));
}

void THotKeyField::SetHotKey(std::uint16_t value) {
  if (Handle())
    ShowHotKey(value);
  else
    FHotKey = value;
}

void THotKeyField::ShowHotKey(std::uint16_t value) {
  // The keys of the navigation block and a few others are extended keys: without the flag
  // the field would name them after the number pad's keys of the same code.
  const std::uint8_t vk = value & 0xFF;
  const bool extended = (vk >= 0x21 && vk <= 0x28) || vk == 0x2C || vk == 0x2D || vk == 0x2E ||
                        vk == 0x6F || vk == 0x90;
  const auto shown = static_cast<TWParam>(extended ? value | (HOTKEYF_EXT << 8) : value);
  Ports()->Windows.SendMessageTo(Handle(), HKM_SETHOTKEY, shown, 0);
}
