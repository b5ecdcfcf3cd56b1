// TSimpleTimer: a lightweight timer object (no owner, nothing stored). All simple timers of
// a program share one hidden window, made with the first timer and destroyed with the
// last; each running timer is a system timer on that window.
//
// Timer ids: a WM_TIMER must lead back to its timer without a search, yet on 64-bit an
// object's address does not fit the 32 bits an id is kept in. So each timer takes a slot in
// the shared window's table at construction (SharedMessageWindow.h); a tick indexes the
// table.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/SharedMessageWindow.h"
#include "platform/Windowing.h"

class TSimpleTimer;

// The timers' shared window for one program (a test makes its own). Destroying it is the
// program's end: a window a timer left behind goes with it.
class TSimpleTimerUnit {
public:
  static constexpr const char* WindowClassName = "TSimpleTimerWindow";

  explicit TSimpleTimerUnit(IWindows& windows);
  TSimpleTimerUnit(const TSimpleTimerUnit&) = delete;
  TSimpleTimerUnit& operator=(const TSimpleTimerUnit&) = delete;

  IWindows& Windows() const { return FWindows; }
  TSharedMessageWindow<TSimpleTimer>& SharedWindow() { return FWindow; }

private:
  IWindows& FWindows;
  TSharedMessageWindow<TSimpleTimer> FWindow;
};

class TSimpleTimer {
public:
  using TTimerEvent = std::function<void(TSimpleTimer& Sender)>;

  // Interval 1000 ms, no callback, disabled.
  explicit TSimpleTimer(TSimpleTimerUnit& unit) : TSimpleTimer(unit, 1000, nullptr) {}
  TSimpleTimer(TSimpleTimerUnit& unit, std::uint32_t interval, TTimerEvent onTimer);
  ~TSimpleTimer();
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // True restarts the count (the first tick comes one full interval later); with Interval 0
  // it changes nothing. False stops the timer.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // A new value restarts a running timer with that period; 0 stops its ticks but leaves it
  // enabled (suspended) until a non-zero value or Enabled true starts it again. Writing the
  // current value does nothing.
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t value);
  // An empty callback suspends an enabled timer; a new callback does not resume it.
  const TTimerEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TTimerEvent value);
  // Disables the timer at its first tick, before the callback runs.
  bool OneShot = false;

  std::uint32_t TimerId() const { return FTimerId; }

private:
  friend class TSimpleTimerUnit;
  bool StartSystemTimer();
  bool KillSystemTimer(bool clear);
  void Tick();
  TWnd Window() const;

  TSimpleTimerUnit& FUnit;
  std::uint32_t FTimerId = 0;
  bool FEnabled = false;
  // A system timer is set now. Enabled without it is the suspended state; a WM_TIMER that
  // was queued before the system timer went is dropped by it.
  bool FRunning = false;
  std::uint32_t FInterval = 1000;
  TTimerEvent FOnTimer;
};
