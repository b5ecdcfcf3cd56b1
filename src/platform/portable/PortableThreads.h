// Threads and events on the standard library, for builds without Win32. Priorities are
// recorded, not applied: a non-privileged process cannot raise them on POSIX systems.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/Clock.h"
#include "platform/Threads.h"

class TPortableThreads final : public IThreads {
public:
  std::unique_ptr<IThread> CreateSuspended(std::function<void()> body) override;
};

// A manual-reset event on a condition variable.
class TPortableEvent final : public IEvent {
public:
  void Set() override;
  [[nodiscard]] bool Wait(std::uint32_t milliseconds) override;

private:
  std::mutex FLock;
  std::condition_variable FChanged;
  bool FSet = false;
};
