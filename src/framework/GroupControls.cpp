#include "framework/GroupControls.h"

using namespace win;

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
