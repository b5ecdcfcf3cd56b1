// AutoClicker: the thread that presses and releases a mouse button at a fixed interval.
// It works on frozen copies of its options and shares nothing with the rest of the program;
// when the user moves the mouse it stops itself by injecting an End press, which comes back
// to the controller as the End hotkey.
#pragma once

#include <atomic>
#include <memory>

#include "platform/Clock.h"
#include "platform/Input.h"
#include "platform/Threads.h"
#include "platform/Types.h"

struct TClickerSettings {
  std::int32_t Interval = 100;     // milliseconds, as typed (also 0 or negative)
  int PriorityChoice = 3;          // index 0..6, see PriorityOfChoice
  std::uint32_t UpFlag = 0;
  std::uint32_t DownFlag = 0;
  bool AutoStop = false;
  bool UseFixPoint = false;
  TPoint FixPoint;
  std::int32_t Tolerance = 0;      // pixels per axis
};

struct THoldWait {
  std::int32_t Hold;
  std::int32_t Wait;
};

// The interval is split so that hold + wait = interval; the hold never exceeds 20 ms.
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

  // Sets the terminate flag and returns; the loop sees it at the top of its next cycle.
  void Terminate() { FTerminated.store(true, std::memory_order_relaxed); }
  bool Terminated() const { return FTerminated.load(std::memory_order_relaxed); }
  bool Finished() const { return FFinished.load(std::memory_order_acquire); }

  std::int32_t HoldTime() const { return FHoldTime; }
  std::int32_t WaitTime() const { return FWaitTime; }

private:
  struct TToken {};

public:
  AutoClicker(TToken, IInput& input, IClock& clock) : FInput(input), FClock(clock) {}

private:
  void Execute();
  bool MovedBeyondTolerance() const;
  void SleepMs(std::int32_t ms);

  IInput& FInput;
  IClock& FClock;
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
};
