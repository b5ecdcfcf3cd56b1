// Threads on std::thread, for builds without Win32. Priorities are recorded, not applied:
// a non-privileged process cannot raise them on POSIX systems.
#pragma once

#include "platform/Threads.h"

class TPortableThreads final : public IThreads {
public:
  std::unique_ptr<IThread> CreateSuspended(std::function<void()> body) override;
};
