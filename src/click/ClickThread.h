// AutoClicker: the thread that presses and releases a mouse button at a fixed interval.
// It works on frozen copies of its options and shares nothing with the rest of the program;
// when the user moves the mouse it stops itself by injecting a press of the stop key (End),
// which comes back to the controller as the stop hotkey. With a click limit it ends after
// that many clicks and says so through its callback.
#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/Threads.h"
#include "platform/Types.h"

struct TClickerSettings {
  std::int32_t Interval = 100;     // milliseconds, as typed (also 0 or negative: see SplitInterval)
  int PriorityChoice = 3;          // index 0..6, see PriorityOfChoice
  std::uint32_t UpFlag = 0;
  std::uint32_t DownFlag = 0;
  bool AutoStop = false;
  bool UseFixPoint = false;
  TPoint FixPoint;
  std::int32_t Tolerance = 0;      // pixels per axis
  TShortCut StopKey = win::VK_END; // injected on a move beyond the tolerance
  std::int64_t ClickLimit = 0;     // clicks before the worker ends by itself; 0: no limit
  // Called on the worker's thread once the limit's last click is done.
  std::function<void()> OnLimitReached;
};

struct THoldWait {
  std::int32_t Hold;
  std::int32_t Wait;
};

// The interval is split so that hold + wait = interval; the hold never exceeds 20 ms. An
// interval below 1 ms (a field can hold a typed "0" or "-5" until it loses the focus, and the
// settings file can hold anything) acts as 1 ms: no one means "no pause at all", and a loop
// without one floods the system's input stream.
THoldWait SplitInterval(std::int32_t interval);

// Priority choice 0..6 -> time critical .. idle; false for any other index (priority untouched).
bool PriorityOfChoice(int choice, int& priority);

class AutoClicker : public std::enable_shared_from_this<AutoClicker> {
public:
  // Creates the worker and starts it. The owner's pointer is a share of the worker's life, so
  // a terminate request after the thread has ended by itself is harmless. Throws
  // std::runtime_error when the system cannot create the thread.
  static std::shared_ptr<AutoClicker> Create(IThreads& threads, IInput& input, IClock& clock,
                                             const TClickerSettings& settings);

  AutoClicker(const AutoClicker&) = delete;
  AutoClicker& operator=(const AutoClicker&) = delete;

  // Sets the terminate flag and returns. A press under way still ends with its release; the
  // idle wait after it is cut short, and the loop ends at the top of its next cycle.
  void Terminate();
  // Waits until the thread has ended (true) or the time ran out (false). Main thread only.
  bool WaitFor(std::uint32_t milliseconds) { return FThread->Wait(milliseconds); }
  bool Terminated() const { return FTerminated.load(std::memory_order_relaxed); }
  bool Finished() const { return FFinished.load(std::memory_order_acquire); }

  std::int32_t HoldTime() const { return FHoldTime; }
  std::int32_t WaitTime() const { return FWaitTime; }

private:
  struct TToken {};

public:
  AutoClicker(TToken, IInput& input, IClock& clock, std::unique_ptr<IEvent> stop)
      : FInput(input), FClock(clock), FStop(std::move(stop)) {}

private:
  void Execute();
  bool MovedBeyondTolerance() const;
  void Idle(std::int32_t ms);
  // The stop key pressed and released, with those of its modifiers that are not down already
  // (a lock may hold Ctrl or Shift: it keeps holding them).
  void PressStopKey();

  IInput& FInput;
  IClock& FClock;
  std::unique_ptr<IEvent> FStop;     // set by Terminate: ends the idle wait early
  std::unique_ptr<IThread> FThread;  // set before the thread runs, never changed after
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};

  TPoint FCurPos;
  std::uint32_t FDownFlag = 0;
  std::uint32_t FUpFlag = 0;
  TPoint FLastPos;
  TPoint FFixPoint;
  bool FUseFixPoint = false;
  std::int32_t FWaitTime = 0;
  std::int32_t FHoldTime = 0;
  bool FAutoStop = false;
  std::int32_t FTolerance = 0;
  TShortCut FStopKey = 0;
  std::int64_t FClickLimit = 0;
  std::function<void()> FOnLimitReached;
};
