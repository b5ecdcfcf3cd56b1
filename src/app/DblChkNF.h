// The single-instance guard: a named mutex keyed by the program file's name.
#pragma once

#include <memory>

#include "platform/Process.h"

// Null when another copy started from a file of the same name runs: this copy must end at
// once. Otherwise the guard to hold for the life of the process; it holds no mutex when the
// system could not create one, and the program then runs unguarded.
struct TInstanceGuard {
  bool AnotherRuns = false;
  std::unique_ptr<IHeldHandle> Mutex;
};
TInstanceGuard DblChkNF(IProcess& process);
