// The control model: controls with a parent, a tag and their state. A control keeps its
// state in the object while it has no window; once a peer (its window) is attached, the
// state is read from and written to the window through IControlPeer, so the settings
// store, the click controller and the tests work the same with or without windows.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "platform/Types.h"

class TAction;
class TGroupButton;
class TWinControl;

// What a control's window offers; the Win32 peers implement it.
enum class TPeerProperty { Checked, ItemIndex, Color, Left, Top, Width, Height };

class IControlPeer {
public:
  virtual ~IControlPeer() = default;
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::int32_t GetInt(TPeerProperty property) = 0;
  virtual void SetInt(TPeerProperty property, std::int32_t value) = 0;
};

using TNotifyEvent = std::function<void(TComponent* Sender)>;

enum class TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// A set of ssShift … ssMiddle.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;

using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift,
                                       std::int32_t X, std::int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TComponent* Sender, TShiftState Shift, std::int32_t X, std::int32_t Y)>;


class TControl : public TComponent {
public:
  using TComponent::TComponent;
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  std::int32_t Tag = 0;
  virtual bool IsWindowed() const { return false; }

  void SetPeer(IControlPeer* peer) { FPeer = peer; }
  IControlPeer* Peer() const { return FPeer; }

  TNotifyEvent OnClick;
  // The click notification: runs the bound action or the OnClick handler.
  virtual void Click();

protected:
  // Reads and writes an integer property: through the window while there is one.
  std::int32_t GetProp(TPeerProperty p, std::int32_t stored) const {
    return FPeer ? FPeer->GetInt(p) : stored;
  }
  void SetProp(TPeerProperty p, std::int32_t& stored, std::int32_t value) {
    stored = value;
    if (FPeer) FPeer->SetInt(p, value);
  }

private:
  TWinControl* FParent = nullptr;
  IControlPeer* FPeer = nullptr;
};

class TWinControl : public TControl {
public:
  using TControl::TControl;
  ~TWinControl() override;
  bool IsWindowed() const override { return true; }
  // Windowless children first, then windowed ones, each in the order they were added.
  std::vector<TControl*> Controls() const;

private:
  friend class TControl;
  std::vector<TControl*> FWindowless;
  std::vector<TControl*> FWindowed;
};

class TCustomEdit : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Text() const { return Peer() ? Peer()->GetText() : FText; }
  void SetText(const std::string& text);
  TNotifyEvent OnChange;

private:
  std::string FText;
};

using TEdit = TCustomEdit;

// Something bound to an action shows its caption, image and checked state.
class IActionClient {
public:
  virtual ~IActionClient() = default;
  virtual void ActionChanged(TAction& action) = 0;
  // The action is being destroyed: the client lets go of it, without calling it back.
  virtual void ActionDestroyed(TAction& action) = 0;
};

class TButtonControl : public TWinControl, public IActionClient {
public:
  using TWinControl::TWinControl;
  ~TButtonControl() override;
  std::string Caption;
  void SetAction(TAction* action);
  TAction* Action() const { return FAction; }
  void Click() override;

protected:
  void ActionChanged(TAction& action) override;
  void ActionDestroyed(TAction& action) override;

private:
  TAction* FAction = nullptr;
};

class TCustomCheckBox : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  bool Checked() const { return GetProp(TPeerProperty::Checked, FChecked) != 0; }
  // A change of state raises the click notification, as a user's click does; setting the
  // state the box already has does nothing.
  void SetChecked(bool checked);

protected:
  void ActionChanged(TAction& action) override;

private:
  std::int32_t FChecked = 0;
};

using TCheckBox = TCustomCheckBox;

class TRadioButton : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  virtual bool Checked() const { return GetProp(TPeerProperty::Checked, FChecked) != 0; }
  // Becoming checked unchecks the other radio buttons of the parent and raises the click
  // notification; becoming unchecked raises nothing.
  virtual void SetChecked(bool checked);

private:
  std::int32_t FChecked = 0;
};

class TButton : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  bool Default = false;
  bool Cancel = false;
};

class TCustomRadioGroup : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Caption;
  const std::vector<std::string>& Items() const { return FItems; }
  void SetItems(std::vector<std::string> items);
  std::int32_t ItemIndex() const { return GetProp(TPeerProperty::ItemIndex, FItemIndex); }
  // Clamps: below -1 is -1 (no item), at or above the item count the last item.
  void SetItemIndex(std::int32_t index);

private:
  std::vector<std::string> FItems;
  std::vector<TGroupButton*> FButtons;
  std::int32_t FItemIndex = -1;
};

using TRadioGroup = TCustomRadioGroup;

// One item's button inside a radio group; its state is the group's item index.
class TGroupButton : public TRadioButton {
public:
  TGroupButton(TComponent* owner, TCustomRadioGroup& group, int index);
  bool Checked() const override { return FGroup.ItemIndex() == FIndex; }
  void SetChecked(bool checked) override;

private:
  TCustomRadioGroup& FGroup;
  int FIndex;
};

// A list of items with one selected index (-1: none), as list boxes and combo boxes have.
class TCustomListControl : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::vector<std::string> Items;
  std::int32_t ItemIndex() const { return GetProp(TPeerProperty::ItemIndex, FItemIndex); }
  void SetItemIndex(std::int32_t index) { SetProp(TPeerProperty::ItemIndex, FItemIndex, index); }

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

class TLabel : public TControl {
public:
  using TControl::TControl;
  std::string Caption;
  TWinControl* FocusControl = nullptr;
};

class TShape : public TControl {
public:
  using TControl::TControl;
  std::int32_t BrushColor() const { return GetProp(TPeerProperty::Color, FColor); }
  void SetBrushColor(std::int32_t color) { SetProp(TPeerProperty::Color, FColor, color); }

private:
  std::int32_t FColor = 0x00FFFFFF;  // clWhite
};

// A top-level window: position and outer size, read and set at once, also while hidden.
class TCustomForm : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Caption;
  std::int32_t Top() const { return GetProp(TPeerProperty::Top, FTop); }
  std::int32_t Left() const { return GetProp(TPeerProperty::Left, FLeft); }
  std::int32_t Height() const { return GetProp(TPeerProperty::Height, FHeight); }
  std::int32_t Width() const { return GetProp(TPeerProperty::Width, FWidth); }
  void SetTop(std::int32_t v) { SetProp(TPeerProperty::Top, FTop, v); }
  void SetLeft(std::int32_t v) { SetProp(TPeerProperty::Left, FLeft, v); }
  void SetHeight(std::int32_t v) { SetProp(TPeerProperty::Height, FHeight, v); }
  void SetWidth(std::int32_t v) { SetProp(TPeerProperty::Width, FWidth, v); }

private:
  std::int32_t FTop = 0, FLeft = 0, FHeight = 0, FWidth = 0;
};
