#include "app/DblChkNF.h"

std::string ProgramFileName(const std::string& modulePath) {
  const std::size_t slash = modulePath.find_last_of("\\/");
  return slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
}

TInstanceGuard DblChkNF(IProcess& process) {
  TInstanceGuard guard;
  const std::string name = ProgramFileName(process.ModuleFileName());
  if (process.MutexExists(name)) {
    guard.AnotherRuns = true;
    return guard;
  }
  guard.Mutex = process.CreateNamedMutex(name);
  return guard;
}
