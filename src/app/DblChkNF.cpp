#include "app/DblChkNF.h"

#include "framework/FilePath.h"

TInstanceGuard DblChkNF(IProcess& process) {
  TInstanceGuard guard;
  const std::string name = ExtractFileName(process.ModuleFileName());
  // One call both asks and takes: of two copies started at the same instant, exactly one
  // makes the mutex (asking first, then making it, let both through).
  bool existed = false;
  guard.Mutex = process.CreateNamedMutex(name, existed);
  if (existed) {
    guard.Mutex.reset();
    guard.AnotherRuns = true;
  }
  return guard;
}
