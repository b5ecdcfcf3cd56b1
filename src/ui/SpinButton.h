// TSpinButton: the pair of arrows at a numeric field's right edge, a small window of its own
// holding two windowless arrows (the up arrow above the down arrow, sharing one pixel row).
// Its window procedure routes the mouse to the arrow under it and keeps the capture while a
// button is held, runs the arrows' repeat timers, paints them, and, as a stand-alone pair
// that is a tab stop, steps with the Up, Down and Space keys.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "framework/DrawingObjects.h"
#include "framework/WinControl.h"
#include "platform/Drawing.h"
#include "ui/TimerSpeedButton.h"

// A windowed control that a press on an arrow may hand the focus to.
class IFocusControl {
public:
  virtual ~IFocusControl() = default;
  virtual TWnd FocusHandle() const = 0;  // 0 while it has no window
  virtual bool IsTabStop() const = 0;
};

class TSpinButton : public TWinControl, private ISpeedButtonHost {
public:
  static constexpr const char* WindowClassName = "TSpinButton";
  static constexpr const char* UpGlyphName = "SpinUp";
  static constexpr const char* DownGlyphName = "SpinDown";
  // The timer ids of the arrows on the pair's window.
  static constexpr std::uintptr_t UpTimerId = 1;
  static constexpr std::uintptr_t DownTimerId = 2;

  explicit TSpinButton(TComponent* owner, std::string name = {});
  ~TSpinButton() override;

  TTimerSpeedButton& UpButton() const { return *FUpButton; }
  TTimerSpeedButton& DownButton() const { return *FDownButton; }
  // The arrow that Space clicks and that shows the focus frame while the pair has the focus.
  TTimerSpeedButton& FocusedButton() const { return *FFocusedButton; }
  void SetFocusBtn(TTimerSpeedButton& button);

  // The control that takes the focus when an arrow is pressed; it must be an IFocusControl
  // to be given it. Cleared when that control is destroyed.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);

  bool TabStop = false;
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  // The arrows' pictures. None (0) is the program's "SpinUp" or "SpinDown" bitmap, loaded
  // while the pair has a window; a bitmap set here stays the caller's.
  TBitmapHandle UpGlyph() const { return FUpButton->Glyph; }
  void SetUpGlyph(TBitmapHandle bitmap) { SetGlyph(*FUpButton, bitmap, UpGlyphName); }
  TBitmapHandle DownGlyph() const { return FDownButton->Glyph; }
  void SetDownGlyph(TBitmapHandle bitmap) { SetGlyph(*FDownButton, bitmap, DownGlyphName); }
  int UpNumGlyphs() const { return FUpButton->NumGlyphs; }
  void SetUpNumGlyphs(int count);
  int DownNumGlyphs() const { return FDownButton->NumGlyphs; }
  void SetDownNumGlyphs(int count);

  void Loaded() override;

  // The window (CreateHandle): a visible child of our class at BoundsRect.
  bool Focused() const;

protected:
  void Notification(TComponent& component) override;
  void CreateParams(TWinCreateParams& params) const override;
  // The size rule: at least 15 wide, the arrows sharing the height (SpinLayout::FitArrows).
  void ConstrainBounds(TRect& bounds) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

private:
  std::unique_ptr<TRepeatTimer> CreateRepeatTimer(TTimerSpeedButton& button) override;
  bool HoldsCapture(const TTimerSpeedButton& button) const override;
  void InvalidateButton(TTimerSpeedButton& button) override;

  TTimerSpeedButton& CreateButton();
  void FitArrows();
  void SetGlyph(TTimerSpeedButton& button, TBitmapHandle bitmap, const char* defaultName);
  void LoadDefaultGlyphs();
  void ReleaseDefaultGlyphs();
  TTimerSpeedButton* ButtonAt(int x, int y) const;
  void MouseDown(TMouseButton button, TLParam lParam);
  void MouseUp(TMouseButton button, TWParam wParam, TLParam lParam);
  // Each arrow that a held button went down on, once.
  std::vector<TTimerSpeedButton*> PressedArrows() const;
  void KeyDown(std::uint8_t vk);
  void BtnMouseDown(TTimerSpeedButton& sender, TMouseButton button);
  void BtnClick(TTimerSpeedButton& sender);

  TTimerSpeedButton* FUpButton = nullptr;
  TTimerSpeedButton* FDownButton = nullptr;
  TTimerSpeedButton* FFocusedButton = nullptr;
  // The arrow each held mouse button (by TMouseButton) went down on: its release goes there.
  // The pair keeps the capture while any of them is held.
  std::array<TTimerSpeedButton*, 3> FPressed{};
  TWinControl* FFocusControl = nullptr;
  // The default pictures the pair loaded and must release.
  TOwnedBitmap FOwnedUpGlyph;
  TOwnedBitmap FOwnedDownGlyph;
};
