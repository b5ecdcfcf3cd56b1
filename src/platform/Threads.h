// Threads with priorities. A thread is created suspended so its owner can set the priority
// and finish setting up before the body runs; once resumed it runs detached, and the body
// (with everything it captured) is released on the thread itself when it returns.
#pragma once

#include <functional>
#include <memory>

#include "platform/WinApi.h"  // the THREAD_PRIORITY_* values

class IThread {
public:
  // Destroying a thread that was never resumed discards its body without running it;
  // destroying a resumed one only lets go of the handle.
  virtual ~IThread() = default;
  // SetThreadPriority with one of the THREAD_PRIORITY_* values.
  [[nodiscard]] virtual bool SetPriority(int priority) = 0;
  virtual void Resume() = 0;
  // WaitForSingleObject on the thread: true once it has ended (its body returned and was
  // released), false when the time ran out first. Never call it from the thread itself.
  [[nodiscard]] virtual bool Wait(std::uint32_t milliseconds) = 0;
};

class IThreads {
public:
  virtual ~IThreads() = default;
  // Returns null when the system could not create the thread. The body must not throw.
  [[nodiscard]] virtual std::unique_ptr<IThread> CreateSuspended(std::function<void()> body) = 0;
};
