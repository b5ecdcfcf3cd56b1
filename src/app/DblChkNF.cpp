#include "app/DblChkNF.h"

#include "framework/FilePath.h"

TInstanceGuard DblChkNF(IProcess& process) {
  TInstanceGuard guard;
  const std::string name = ExtractFileName(process.ModuleFileName());
  if (process.MutexExists(name)) {
    guard.AnotherRuns = true;
    return guard;
  }
  guard.Mutex = process.CreateNamedMutex(name);
  return guard;
}
