// TTimerSpeedButton: one arrow of a spin button. A push button without a window of its own:
// it shows a pressed face while the left button holds it and the pointer is over it, clicks
// when the left button is released over it, and, while held, clicks again from a repeat
// timer (400 ms after the press, then every 100 ms). Its host, the arrow pair, routes the
// mouse to it and owns the window its timer and its painting go through.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/WinControl.h"
#include "platform/Drawing.h"

class TTimerSpeedButton;

// A window timer on the host's window: WM_TIMER with Id arrives there every Interval while
// enabled. Made on a button's first press; killed when disabled or destroyed.
class TRepeatTimer {
public:
  TRepeatTimer(IWindows& windows, TWnd window, std::uintptr_t id)
      : FWindows(windows), FWindow(window), FId(id) {}
  ~TRepeatTimer();
  TRepeatTimer(const TRepeatTimer&) = delete;
  TRepeatTimer& operator=(const TRepeatTimer&) = delete;

  std::uintptr_t Id() const { return FId; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  std::uint32_t Interval() const { return FInterval; }
  // A new interval restarts a running timer, so the next tick comes one full interval
  // later; writing the current value changes nothing.
  void SetInterval(std::uint32_t value);

private:
  IWindows& FWindows;
  TWnd FWindow;
  std::uintptr_t FId;
  bool FEnabled = false;
  std::uint32_t FInterval = 1000;
};

// What an arrow needs of the pair it sits in.
class ISpeedButtonHost {
public:
  virtual ~ISpeedButtonHost() = default;
  // A repeat timer for the button on the host's window; null while the host has none.
  virtual std::unique_ptr<TRepeatTimer> CreateRepeatTimer(TTimerSpeedButton& button) = 0;
  // The host's window holds the mouse capture, on behalf of this button.
  virtual bool HoldsCapture(const TTimerSpeedButton& button) const = 0;
  virtual void InvalidateButton(TTimerSpeedButton& button) = 0;
};

class TTimerSpeedButton : public TControl {
public:
  static constexpr std::uint32_t FirstRepeatDelay = 400;
  static constexpr std::uint32_t RepeatInterval = 100;

  TTimerSpeedButton(TComponent* owner, ISpeedButtonHost& host);
  ~TTimerSpeedButton() override;

  // Where the button sits in the host's client area.
  const TRect& BoundsRect() const { return FBounds; }
  void SetBoundsRect(const TRect& bounds);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // The focus frame: set on the focused arrow of a stand-alone pair while it has the focus.
  bool FocusRect() const { return FFocusRect; }
  void SetFocusRect(bool value);
  // Repeat allowed: a press arms the repeat timer.
  bool AllowTimer = false;
  // The picture, of NumGlyphs images side by side (up, disabled, pressed); 0 draws none.
  // The button does not own it.
  TBitmapHandle Glyph = 0;
  int NumGlyphs = 1;

  // Shows the pressed face.
  bool Down() const { return FDown; }
  // The left button went down on it and has not been released.
  bool Dragging() const { return FDragging; }
  const TRepeatTimer* RepeatTimer() const { return FRepeatTimer.get(); }

  // The host's mouse-down handler, run first on every press.
  std::function<void(TTimerSpeedButton& Sender, TMouseButton Button)> OnMouseDown;

  // The mouse, in the button's own coordinates (0, 0 is its top-left corner).
  void MouseDown(TMouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(TMouseButton button, int x, int y);
  // The host lost the capture while the button held it: no click, no more repeats.
  void CancelMode();
  // A tick of the repeat timer.
  void TimerExpired();
  // The host's window is going: its timers go with it.
  void FreeTimer() { FRepeatTimer.reset(); }

  void Paint(ICanvas& canvas, IDrawing& drawing) const;

private:
  bool Contains(int x, int y) const;
  void SetDown(bool value);

  ISpeedButtonHost& FHost;
  TRect FBounds;
  bool FEnabled = true;
  bool FFocusRect = false;
  bool FDown = false;
  bool FDragging = false;
  std::unique_ptr<TRepeatTimer> FRepeatTimer;
};
