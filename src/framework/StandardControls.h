// The standard controls on the system's window classes: the edit, the push button, the check
// box and the radio button (all of the "BUTTON" class, bound to actions), the label, and the
// windowless shape.
#pragma once

#include <string>

#include "framework/ControlEvents.h"
#include "framework/WinControl.h"

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

// A line of text of the system's "STATIC" class, as wide and high as its text (AutoSize),
// or at the bounds it was given, where a longer text wraps. Its mnemonic ("&T") takes the
// focus to the next tab stop after it, so a label goes just before the control it names
// (FocusControl).
class TLabel : public TWinControl {
public:
  using TWinControl::TWinControl;
  std::string Caption;
  TWinControl* FocusControl = nullptr;
  bool AutoSize = true;
  // The caption, also on the window once there is one.
  void SetCaption(const std::string& caption);

protected:
  void CreateParams(TWinCreateParams& params) const override;
};

// The common controls' hotkey field ("msctls_hotkey32"): the player presses a key with its
// modifiers and the field shows it. Its value has the virtual key in the low byte and the
// HOTKEYF_* modifier flags in the high byte; the extended-key flag, which tells the field
// to name Home rather than Num 7, is the field's own business and never part of the value.
class THotKeyField : public TWinControl {
public:
  static constexpr const char* WindowClassName = "msctls_hotkey32";

  using TWinControl::TWinControl;
  std::uint16_t HotKey() const;
  void SetHotKey(std::uint16_t value);

protected:
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override { ShowHotKey(FHotKey); }
  void WindowDestroying() override { FHotKey = HotKey(); }

private:
  void ShowHotKey(std::uint16_t value);
  std::uint16_t FHotKey = 0;
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
