#include "click/ClickThread.h"

#include <cstdlib>
#include <utility>
#include <vector>
#include <stdexcept>

using namespace win;

THoldWait SplitInterval(std::int32_t interval) {
  if (interval < 1) interval = 1;
  if (interval > 20) return {20, interval - 20};
  const std::int32_t wait = interval / 2;  // C++ division rounds toward zero
  return {wait + interval % 2, wait};
}

bool PriorityOfChoice(int choice, int& priority) {
  static constexpr int priorities[] = {
      THREAD_PRIORITY_TIME_CRITICAL, THREAD_PRIORITY_HIGHEST, THREAD_PRIORITY_ABOVE_NORMAL,
      THREAD_PRIORITY_NORMAL,        THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_LOWEST,
      THREAD_PRIORITY_IDLE};
  if (choice < 0 || choice >= static_cast<int>(std::size(priorities))) return false;
  priority = priorities[choice];
  return true;
}

std::shared_ptr<AutoClicker> AutoClicker::Create(IThreads& threads, IInput& input, IClock& clock,
                                                 const TClickerSettings& s) {
  std::unique_ptr<IEvent> stop = clock.NewEvent();
  if (!stop) throw std::runtime_error("Thread creation error");
  auto self = std::make_shared<AutoClicker>(TToken{}, input, clock, std::move(stop));
  // The thread holds its own share, released on the thread when the loop has ended.
  std::unique_ptr<IThread> thread = threads.CreateSuspended([self] {
    self->Execute();
    self->FFinished.store(true, std::memory_order_release);
  });
  if (!thread) throw std::runtime_error("Thread creation error");

  int priority = THREAD_PRIORITY_NORMAL;
  // A refused priority leaves the worker at the normal one; it clicks all the same.
  if (PriorityOfChoice(s.PriorityChoice, priority)) (void)thread->SetPriority(priority);

  const THoldWait split = SplitInterval(s.Interval);
  self->FWaitTime = split.Wait;
  self->FHoldTime = split.Hold;
  self->FDownFlag = s.DownFlag;
  self->FUpFlag = s.UpFlag;
  self->FAutoStop = s.AutoStop;
  self->FUseFixPoint = s.UseFixPoint;
  self->FFixPoint = s.FixPoint;
  self->FTolerance = s.Tolerance;
  self->FStopKey = s.StopKey;
  self->FClickLimit = s.ClickLimit;
  self->FOnLimitReached = s.OnLimitReached;

  // The cursor's calls fail only while another desktop is active (a locked session); the
  // clicks then go where the cursor is.
  (void)input.GetCursorPos(self->FLastPos);
  if (s.UseFixPoint) {
    (void)input.SetCursorPos(s.FixPoint.x, s.FixPoint.y);
    self->FLastPos = s.FixPoint;
  }
  self->FThread = std::move(thread);
  self->FThread->Resume();
  return self;
}

void AutoClicker::Terminate() {
  FTerminated.store(true, std::memory_order_relaxed);
  FStop->Set();
}

bool AutoClicker::MovedBeyondTolerance() const {
  // 64-bit differences: screen coordinates far apart must not overflow.
  const std::int64_t dx = std::llabs(std::int64_t{FCurPos.x} - FLastPos.x);
  const std::int64_t dy = std::llabs(std::int64_t{FCurPos.y} - FLastPos.y);
  return dx > FTolerance || dy > FTolerance;
}

// The wait between clicks ends early on a stop request, so a stopped worker with a day-long
// interval does not linger for a day (nor keep the program's end waiting). A wait of 0 gives
// up the time slice, as Sleep(0) does.
void AutoClicker::Idle(std::int32_t ms) {
  if (ms <= 0)
    FClock.Sleep(0);
  else
    (void)FStop->Wait(static_cast<std::uint32_t>(ms));
}

void AutoClicker::Execute() {
  // Sleep rounds up to the scheduler tick (15.6 ms by default), so hold the 1 ms resolution
  // while clicking, and only then: an idle program must cost the system nothing.
  TTimerResolution resolution(FClock, 1);
  std::int64_t clicks = 0;
  while (!Terminated()) {
    (void)FInput.GetCursorPos(FCurPos);  // unread, the last position stands: no move
    if (FAutoStop && MovedBeyondTolerance()) {
      PressStopKey();
      return;
    }
    if (FUseFixPoint) {
      FCurPos = FFixPoint;
      (void)FInput.SetCursorPos(FCurPos.x, FCurPos.y);  // unmoved, it clicks where it is
    }
    // A press under way always ends with its release, whatever comes meanwhile.
    FInput.mouse_event(FDownFlag, FCurPos.x, FCurPos.y, 0, 0);
    FClock.Sleep(static_cast<std::uint32_t>(FHoldTime));
    FInput.mouse_event(FUpFlag, FCurPos.x, FCurPos.y, 0, 0);
    if (FClickLimit > 0 && ++clicks == FClickLimit) {
      if (FOnLimitReached) FOnLimitReached();
      return;
    }
    Idle(FWaitTime);
    FLastPos = FCurPos;
  }
}

void AutoClicker::PressStopKey() {
  const auto vk = static_cast<std::uint8_t>(FStopKey & 0xFF);
  std::vector<std::uint8_t> pressed;
  for (const auto& [bit, modifier] : {std::pair{scCtrl, VK_CONTROL}, std::pair{scShift, VK_SHIFT}, std::pair{scAlt, VK_MENU}}) {
    if (!(FStopKey & bit) || FInput.GetAsyncKeyState(modifier) < 0) continue;
    FInput.keybd_event(modifier, 0, 0, 0);
    pressed.push_back(modifier);
  }
  FInput.keybd_event(vk, 0, 0, 0);
  FInput.keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
  for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) FInput.keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
}
