#include "tray/SimpleTimer.h"

#include "framework/WindowParams.h"

using namespace win;

// ---- the shared window ----------------------------------------------------------------

TSimpleTimerHandler::TSimpleTimerHandler(IWindows& windows) : FWindows(windows) {
  FMsgWindow = CreateUtilityWindow(FWindows, WindowClassName, *this);
  if (!FMsgWindow) throw LastWindowsError(FWindows, "Cannot create the timer window");
}

TSimpleTimerHandler::~TSimpleTimerHandler() { FWindows.DestroyWindow(FMsgWindow); }

std::uint32_t TSimpleTimerHandler::AddTimer(TSimpleTimer& timer) { return FSlots.Add(timer); }

void TSimpleTimerHandler::RemoveTimer(std::uint32_t id) { FSlots.Remove(id); }

TLResult TSimpleTimerHandler::HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam,
                                            TLParam lParam) {
  switch (msg) {
    case WM_TIMER:
      // A tick queued for a timer that is gone finds nobody: its id is not reused.
      if (TSimpleTimer* timer = FSlots.Find(wParam)) timer->Tick();
      return 0;
    // Nobody closes the shared window but its handler: DefWindowProc would destroy it.
    case WM_CLOSE:
      return 0;
    default:
      return FWindows.DefaultProc(window, msg, wParam, lParam);
  }
}

// ---- the unit ---------------------------------------------------------------------------

TSimpleTimerHandler& TSimpleTimerUnit::AcquireTimerWindow() { return FHandler.Acquire(FWindows); }

void TSimpleTimerUnit::ReleaseTimerWindow() { FHandler.Release(); }

// ---- the timer --------------------------------------------------------------------------

TSimpleTimer::TSimpleTimer(TSimpleTimerUnit& unit, std::uint32_t interval, TTimerEvent onTimer)
    : FUnit(unit), FInterval(interval) {
  SetOnTimer(std::move(onTimer));
  FTimerId = FUnit.AcquireTimerWindow().AddTimer(*this);
}

TSimpleTimer::~TSimpleTimer() {
  if (FEnabled) KillSystemTimer(true);
  if (TSimpleTimerHandler* handler = FUnit.Handler()) handler->RemoveTimer(FTimerId);
  FUnit.ReleaseTimerWindow();
}

TWnd TSimpleTimer::Window() const {
  const TSimpleTimerHandler* handler = FUnit.Handler();
  return handler ? handler->Window() : 0;
}

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
