#include "framework/Controls.h"

#include <algorithm>

#include "framework/Actions.h"

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
  // Children may be owned by someone who destroys them after us.
  for (TControl* c : Controls()) c->SetParent(nullptr);
}

std::vector<TControl*> TWinControl::Controls() const {
  std::vector<TControl*> all = FWindowless;
  all.insert(all.end(), FWindowed.begin(), FWindowed.end());
  return all;
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
