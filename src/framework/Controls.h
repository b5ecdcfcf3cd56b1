// The control model: controls with a parent, a tag and their state. A control keeps its
// state in its own fields while it has no window and in the window while it has one (text,
// bounds, check marks), taking it back when the window goes, so the settings store, the
// click controller and the tests work the same with or without windows.
// A windowed control's window has one lifecycle, written once in TWinControl: create
// parameters, creation (children after their parent, in the order they were added), the
// control bound to its window, notifications about a child reflected to the child, and
// destruction with the control.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "platform/Drawing.h"
#include "platform/Environment.h"
#include "platform/Input.h"
#include "platform/Types.h"
#include "platform/Windowing.h"

class TAction;
class TGroupButton;
class TWinControl;

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

  TNotifyEvent OnClick;
  // The click notification: runs the bound action or the OnClick handler.
  virtual void Click();

private:
  TWinControl* FParent = nullptr;
};

// What a windowed control needs of the system to make and serve its window.
struct TControlPorts {
  IWindows& Windows;
  IInput& Input;
  IDrawing& Drawing;
  IEnvironment& Environment;
};

// A windowed control's create parameters.
struct TWinCreateParams : TCreateParams {
  // The class is the system's ("EDIT", "BUTTON", ...): the system's procedure serves the
  // window and the control sees every message first, as a subclass. Otherwise the class is
  // ours and the control is the window's procedure.
  bool SystemClass = false;
};

class TWinControl : public TControl {
public:
  // The control ids children get when their create parameters name none: clear of IDOK (1),
  // IDCANCEL (2) and the other ids the dialog manager gives a meaning.
  static constexpr std::uint32_t FirstChildId = 0x100;

  using TControl::TControl;
  ~TWinControl() override;
  bool IsWindowed() const override { return true; }
  // Windowless children first, then windowed ones, each in the order they were added.
  std::vector<TControl*> Controls() const;

  // Makes the window on parentWindow (0: a top-level window), bound to this control, then the
  // windows of the windowed children inside it in the order they were added, which is the
  // tab order and the z-order. Throws when a window cannot be made (nothing is left made).
  void CreateHandle(const TControlPorts& ports, TWnd parentWindow);
  // Destroys the window; the children's go with it. Also done by the control's destruction.
  void DestroyHandle();
  // Makes the window again with the current create parameters, keeping the focus on it.
  void RecreateWnd();
  TWnd Handle() const { return FHandle; }
  // The control id the window was made with (0 for a top-level window).
  std::uint32_t ControlId() const { return FId; }

  // In the parent's client area (a top-level window's: on the screen, with its frame); the
  // window's own while there is one. Setting them applies the control's size rule first
  // (ConstrainBounds).
  TRect BoundsRect() const;
  void SetBounds(const TRect& bounds);
  // The font the window shows (0: the parent's, or the system font); the caller keeps it
  // alive. A child without one of its own takes its parent's when its window is made.
  TFontHandle Font() const { return FFont; }
  void SetFont(TFontHandle font);

protected:
  // What the window is made of. The base gives a visible child of our class "TWinControl"
  // (clipping its siblings) at BoundsRect; a control fills in its own.
  virtual void CreateParams(TWinCreateParams& params) const;
  // Bounds about to be set, brought into the sizes the control accepts; the base takes any.
  virtual void ConstrainBounds(TRect& /*bounds*/) {}
  // The window exists (its children's not yet): the control sets it up and moves its state
  // into it.
  virtual void WindowCreated() {}
  // The children's windows exist too.
  virtual void ChildWindowsCreated() {}
  // The window is going (at its WM_DESTROY, while it still exists): the control takes its
  // state back out of it.
  virtual void WindowDestroying() {}
  // Every message of the window, also those that arrive while CreateHandle is making it.
  // The base reflects notifications about a child to that child's control and hands the rest
  // to DefaultHandler.
  virtual TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam);
  // A notification the parent received about this control (WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM): true when the control answered it, with the
  // answer in result; otherwise the parent's procedure handles it.
  virtual bool NotificationReflected(std::uint32_t msg, TWParam wParam, TLParam lParam,
                                     TLResult& result);
  // The procedure behind the control: the system class's, or DefWindowProc.
  TLResult DefaultHandler(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam);
  // From the first CreateHandle on; null before.
  const TControlPorts* Ports() const { return FPorts ? &*FPorts : nullptr; }
  // The window is being destroyed by DestroyHandle, the control's own or a parent's.
  bool HandleGoing() const;
  // Makes the windows of the windowed children that have none yet, in the order they were
  // added (for children added after this control's window was made).
  void CreateChildHandles();
  // The font changed while the window exists (it has been sent WM_SETFONT).
  virtual void FontChanged() {}
  // The windowed children.
  const std::vector<TControl*>& WindowedControls() const { return FWindowed; }

private:
  friend class TControl;
  // The window's procedure or subclass: this control's WndProc.
  class TWindowProc final : public IMessageHandler {
  public:
    explicit TWindowProc(TWinControl& control) : FControl(control) {}
    TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  private:
    TWinControl& FControl;
  };
  static bool IsNotification(std::uint32_t msg);
  std::uint32_t ChildId(TWnd parentWindow) const;
  void LoseHandle();
  void ForgetHandles();

  std::vector<TControl*> FWindowless;
  std::vector<TControl*> FWindowed;
  TRect FBounds;
  TWindowProc FWindowProc{*this};
  std::optional<TControlPorts> FPorts;
  TWnd FHandle = 0;
  TWnd FParentWindow = 0;
  TFontHandle FFont = 0;
  std::uint32_t FId = 0;
  bool FSystemClass = false;
  bool FGoing = false;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomEdit : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Text() const;
  void SetText(const std::string& text);
  TNotifyEvent OnChange;

protected:
  // The text moves into the window and back out of it, without a change event.
  void WindowCreated() override;
  void WindowDestroying() override;

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

// A control of the system's "BUTTON" class: push button, check box, radio button.
class TButtonControl : public TWinControl, public IActionClient {
public:
  using TWinControl::TWinControl;
  ~TButtonControl() override;
  std::string Caption;
  // The caption, also on the window once there is one.
  void SetCaption(const std::string& caption);
  void SetAction(TAction* action);
  TAction* Action() const { return FAction; }
  void Click() override;

protected:
  void ActionChanged(TAction& action) override;
  void ActionDestroyed(TAction& action) override;
  void CreateParams(TWinCreateParams& params) const override;
  bool NotificationReflected(std::uint32_t msg, TWParam wParam, TLParam lParam,
                             TLResult& result) override;
  // The user clicked the window (BN_CLICKED).
  virtual void Clicked() { Click(); }
  // The check mark: BM_SETCHECK and BM_GETCHECK on the window, which must exist.
  void ShowCheck(bool checked);
  bool ShownCheck() const;

private:
  TAction* FAction = nullptr;
};

class TCustomCheckBox : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  bool Checked() const { return Handle() ? ShownCheck() : FChecked; }
  // A change of state raises the click notification, as a user's click does; setting the
  // state the box already has does nothing.
  void SetChecked(bool checked);

protected:
  void ActionChanged(TAction& action) override;
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override { ShowCheck(FChecked); }
  void WindowDestroying() override { FChecked = ShownCheck(); }
  // A click toggles the box: the window's own check mark does not change by itself.
  void Clicked() override { SetChecked(!Checked()); }

private:
  // Quietly: the window's check mark or the field.
  void StoreChecked(bool checked);
  bool FChecked = false;
};

using TCheckBox = TCustomCheckBox;

class TRadioButton : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  virtual bool Checked() const { return Handle() ? ShownCheck() : FChecked; }
  // Becoming checked unchecks the other radio buttons of the parent and raises the click
  // notification; becoming unchecked raises nothing.
  virtual void SetChecked(bool checked);

protected:
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override { ShowCheck(FChecked); }
  void WindowDestroying() override { FChecked = ShownCheck(); }
  // An automatic radio button has checked itself (and unchecked the others of its group)
  // before it tells: the siblings follow, and the click is raised.
  void Clicked() override;

private:
  void UncheckSiblings();
  bool FChecked = false;
};

// A push button. The default one is Enter's and answers to IDOK, the cancel one is Esc's and
// answers to IDCANCEL, as the dialog manager expects of a dialog's buttons.
class TButton : public TButtonControl {
public:
  using TButtonControl::TButtonControl;
  bool Default = false;
  bool Cancel = false;

protected:
  void CreateParams(TWinCreateParams& params) const override;
};

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

// A line of text of the system's "STATIC" class, as wide and high as its text. Its
// mnemonic ("&T") takes the focus to the next tab stop after it, so a label goes just before
// the control it names (FocusControl).
class TLabel : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Caption;
  TWinControl* FocusControl = nullptr;

protected:
  void CreateParams(TWinCreateParams& params) const override;
};

// A windowless figure; the settings store keeps its brush colour.
class TShape : public TControl {
public:
  using TControl::TControl;
  std::int32_t BrushColor() const { return FColor; }
  void SetBrushColor(std::int32_t color) { FColor = color; }

private:
  std::int32_t FColor = 0x00FFFFFF;  // clWhite
};
