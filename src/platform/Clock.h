// Waiting. Everything that waits goes through this port, so tests run it on a virtual clock.
#pragma once

#include <cstdint>
#include <memory>

// A manual-reset event: once set it stays set, and every wait on it returns at once.
class IEvent {
public:
  virtual ~IEvent() = default;
  // SetEvent.
  virtual void Set() = 0;
  // WaitForSingleObject: true when the event is set, false when the time ran out first.
  [[nodiscard]] virtual bool Wait(std::uint32_t milliseconds) = 0;
};

class IClock {
public:
  virtual ~IClock() = default;
  // Sleep(0) gives up the rest of the time slice; it never waits for a message.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // timeBeginPeriod/timeEndPeriod: the system's timer resolution. Windows' default tick of
  // 15.6 ms would round every Sleep up to it; requests are counted, each begin needs its end.
  virtual void TimeBeginPeriod(std::uint32_t milliseconds) = 0;
  virtual void TimeEndPeriod(std::uint32_t milliseconds) = 0;
  // CreateEvent, manual reset, not set. Null when the system has no handle left.
  [[nodiscard]] virtual std::unique_ptr<IEvent> NewEvent() = 0;
};

// Holds a 1 ms timer resolution for as long as it lives.
class TTimerResolution {
public:
  explicit TTimerResolution(IClock& clock, std::uint32_t ms = 1) : FClock(clock), FMs(ms) {
    FClock.TimeBeginPeriod(FMs);
  }
  ~TTimerResolution() { FClock.TimeEndPeriod(FMs); }
  TTimerResolution(const TTimerResolution&) = delete;
  TTimerResolution& operator=(const TTimerResolution&) = delete;

private:
  IClock& FClock;
  std::uint32_t FMs;
};
