#include "tray/SimpleTimer.h"

using namespace win;

// ---- the shared window ----------------------------------------------------------------

TSimpleTimerUnit::TSimpleTimerUnit(IWindows& windows)
    : FWindows(windows),
      FWindow(windows, WindowClassName, "Cannot create the timer window",
              [this](std::uint32_t msg, TWParam wParam, TLParam) -> std::optional<TLResult> {
                if (msg != WM_TIMER) return std::nullopt;
                // A tick queued for a timer that is gone finds nobody: its id is not reused.
                if (TSimpleTimer* timer = FWindow.Find(wParam)) timer->Tick();
                return 0;
              }) {}

// ---- the timer --------------------------------------------------------------------------

TSimpleTimer::TSimpleTimer(TSimpleTimerUnit& unit, std::uint32_t interval, TTimerEvent onTimer)
    : FUnit(unit), FInterval(interval) {
  SetOnTimer(std::move(onTimer));
  FTimerId = FUnit.SharedWindow().Join(*this);
}

TSimpleTimer::~TSimpleTimer() {
  if (FEnabled) KillSystemTimer(true);
  FUnit.SharedWindow().Leave(FTimerId);
}

TWnd TSimpleTimer::Window() const { return FUnit.SharedWindow().Window(); }

bool TSimpleTimer::StartSystemTimer() {
  if (FInterval == 0) return false;
  if (FEnabled) KillSystemTimer(true);
  // Setting it anew rather than changing it: a start always restarts the count.
  if (FUnit.Windows().SetTimer(Window(), FTimerId, FInterval)) {
    FEnabled = true;
    FRunning = true;
  }
  return FEnabled;
}

bool TSimpleTimer::KillSystemTimer(bool clear) {
  if (clear) FEnabled = false;
  FRunning = false;
  return FUnit.Windows().KillTimer(Window(), FTimerId);
}

void TSimpleTimer::SetEnabled(bool value) {
  if (value)
    StartSystemTimer();
  else
    KillSystemTimer(true);
}

void TSimpleTimer::SetInterval(std::uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  if (!FEnabled) return;
  if (value != 0)
    StartSystemTimer();
  else
    KillSystemTimer(false);
}

void TSimpleTimer::SetOnTimer(TTimerEvent value) {
  FOnTimer = std::move(value);
  if (!FOnTimer && FEnabled) KillSystemTimer(false);
}

void TSimpleTimer::Tick() {
  if (!FRunning) return;
  if (OneShot) KillSystemTimer(true);
  // Called through a copy: the callback may replace OnTimer or destroy this timer. A small
  // callable (an object and a method) is copied without an allocation.
  if (FOnTimer) {
    const TTimerEvent call = FOnTimer;
    call(*this);
  }
}
