// Controls that hold a group of items with one chosen: the radio group (a window of ours with
// an automatic radio button per item and a group frame) and the lists.
#pragma once

#include <string>
#include <vector>

#include "framework/StandardControls.h"

class TGroupButton;

class TCustomRadioGroup : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Caption;
  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(std::vector<std::string> items);
  // While the items have windows, the one whose window is checked.
  std::int32_t ItemIndex() const;
  // Clamps: below -1 is -1 (no item), at or above the item count the last item.
  void SetItemIndex(std::int32_t index);

  // The frame that shows the caption (0 while there is no window); its mnemonic gives it the
  // focus, which then steps on to TabStopButton.
  TWnd FrameHandle() const { return FFrame; }
  // The item the group is entered at: the checked one, or the first while none is.
  TWnd TabStopButton() const;

protected:
  // A window of ours holding the item buttons and the group frame; the dialog manager looks
  // inside it (WS_EX_CONTROLPARENT), so Tab stops at the checked item and the arrows move
  // between the items.
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override;
  // From here on the item index lives in the items' windows.
  void ChildWindowsCreated() override;
  void WindowDestroying() override;

private:
  friend class TGroupButton;
  // The items one below the other under the caption, sharing the height evenly.
  void ArrangeButtons();
  // The buttons' windows show the item index: the checked one is the group's tab stop (the
  // first one while none is checked).
  void ShowItemIndex(std::int32_t index);
  std::vector<std::string> FItems;
  std::vector<TGroupButton*> FButtons;
  std::int32_t FItemIndex = -1;
  bool FIndexShown = false;
  TWnd FFrame = 0;
};

using TRadioGroup = TCustomRadioGroup;

// One item's button inside a radio group; its state is the group's item index.
class TGroupButton : public TRadioButton {
public:
  TGroupButton(TComponent* owner, TCustomRadioGroup& group, int index);
  bool Checked() const override { return FGroup.ItemIndex() == FIndex; }
  void SetChecked(bool checked) override;

protected:
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override {}
  void WindowDestroying() override {}
  // The system checked the item: the group shows it as its index.
  void Clicked() override;

private:
  friend class TCustomRadioGroup;
  TCustomRadioGroup& FGroup;
  int FIndex;
};

// A list of items with one selected index (-1: none), as list boxes and combo boxes have.
// The settings store keeps their index; the program makes no window for one.
class TCustomListControl : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::vector<std::string> Items;
  std::int32_t ItemIndex() const { return FItemIndex; }
  void SetItemIndex(std::int32_t index) { FItemIndex = index; }

private:
  std::int32_t FItemIndex = -1;
};

class TCustomListBox : public TCustomListControl {
public:
  using TCustomListControl::TCustomListControl;
};

class TCustomComboBox : public TCustomListControl {
public:
  using TCustomListControl::TCustomListControl;
};
