// The numeric field: an edit that holds one signed 32-bit integer as decimal text, within a
// range, with a pair of arrow buttons inside its right edge. The value rules (conversion,
// range, steps, character filter, focus leave) and the layout formulas use nothing but
// integers and characters, so they run without a window; once the field has one (the
// system's multi-line edit, subclassed), its text lives in the window and its hook runs the
// rules on the window's keys, focus changes and sizes.
#pragma once

#include <functional>
#include <optional>

#include "framework/StandardControls.h"
#include "platform/Drawing.h"
#include "ui/SpinButton.h"
#include "ui/SpinLayout.h"

class TSpinEdit : public TCustomEdit, public IFocusControl {
public:
  TSpinEdit(TComponent* owner, std::string name);
  ~TSpinEdit() override;

  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 0;
  std::int32_t Increment = 1;
  bool EditorEnabled = true;
  bool AutoSelect = true;
  // The height follows the font when the window is made and when the font changes.
  bool AutoSize = true;
  bool TabStop = true;
  // The sunken 3-D edge (on systems from version 4 on); without it a plain border.
  bool Ctl3D = true;
  // The locale's decimal separator, which the filter lets through; the window's locale
  // replaces it when the window is made.
  char DecimalSeparator = '.';
  // The default beep for refused input; unset, the system's (MessageBeep(0)) once there is
  // a window.
  std::function<void()> Beep;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The most characters the user can type (0: the edit's own limit); writing Value is not
  // limited by it.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  // No editing, and steps only beep.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);

  // The text converted; a text that is no number reads as MinValue. No range applies.
  std::int32_t Value() const;
  // The text becomes the decimal form of ClampValue(v), which is the last valid value.
  void SetValue(std::int32_t v);
  // The value as the program takes it (OK, a start of clicking, leaving the field, saving):
  // a text that is not a whole number goes back to the last valid value, and a number
  // beyond the range (also one beyond 32 bits) becomes the nearest end of it; the field then
  // shows that number. A whole number within the range stays as it was typed.
  std::int32_t TakeValue();
  std::int32_t LastValidValue() const { return FLastValid; }
  // No range at all while MinValue equals MaxValue.
  std::int32_t ClampValue(std::int32_t v) const;

  virtual bool IsAcceptedChar(char c) const;
  virtual void StepUp();
  virtual void StepDown();

  // Key-down hook: Up and Down step; the key then goes on to the edit either way.
  void KeyDown(std::uint8_t vk);
  // Key-press hook: false when the character is refused (it is dropped, with the beep).
  bool KeyPress(char c);
  // Paste and cut are carried out only on an editable field; otherwise ignored silently.
  bool CanPasteOrCut() const { return EditorEnabled && !FReadOnly; }
  // Leaving the field: the exit event, then the value is taken (TakeValue).
  void DoExit();

  // The arrow pair inside the field; null once the field's destruction has begun.
  TSpinButton* Button() const { return FButton; }

  // The window: an edit on parent's client area at bounds, with the arrow pair inside.
  using TCustomEdit::CreateHandle;
  void CreateHandle(const TControlPorts& ports, TWnd parent, const TRect& bounds);
  TWnd FocusHandle() const override { return Handle(); }
  bool IsTabStop() const override { return TabStop; }
  // The lowest height that shows the field's font.
  int MinimumHeight() const;
  // The edit's formatting rectangle: the client area less the arrows, one pixel taller.
  void UpdateEditRect();

protected:
  // The system's multi-line edit; a derived field adds its own style bits.
  void CreateParams(TWinCreateParams& params) const override;
  void WindowCreated() override;
  void WindowDestroying() override;
  // The height follows the font, and the arrows the height.
  void FontChanged() override;
  TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

private:
  // The edit's own paste, cut back to the clipboard text's first line.
  TLResult PasteFirstLine(TWnd window, TWParam wParam, TLParam lParam);
  void Step(std::int64_t delta);
  void DoBeep();
  void AdjustHeight();
  void Resize();
  bool Look3D() const;

  TSpinButton* FButton = nullptr;
  int FMaxLength = 0;
  bool FReadOnly = false;
  std::int32_t FLastValid = 0;
  // A left press on the edit itself is giving it the focus: the caret goes where it was.
  bool FClickFocus = false;
  // A Tab key moved the focus on; the tab character the key makes is not for the text.
  bool FTabPending = false;
};

// The field with a text alignment; its numbers stand at the right by default.
class TSpEdit : public TSpinEdit {
public:
  TSpEdit(TComponent* owner, std::string name);
  TAlignment Alignment() const { return FAlignment; }
  // A new alignment re-creates the window, if there is one: the edit takes it only then.
  void SetAlignment(TAlignment value);

protected:
  void CreateParams(TWinCreateParams& params) const override;

private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
};
