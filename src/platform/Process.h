// The running process: its file and the named kernel objects it holds.
#pragma once

#include <memory>
#include <string>

class IHeldHandle {
public:
  virtual ~IHeldHandle() = default;  // closes the handle
};

class IProcess {
public:
  virtual ~IProcess() = default;
  // GetModuleFileName of the exe: the full path, as the system started it.
  [[nodiscard]] virtual std::string ModuleFileName() = 0;
  // CreateMutex(default security, not owned, name); null when it could not be made. existed:
  // the mutex was there before (ERROR_ALREADY_EXISTS), and the handle is one more on it.
  [[nodiscard]] virtual std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name,
                                                                      bool& existed) = 0;
};
