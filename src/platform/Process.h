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
  // OpenMutex(MUTEX_ALL_ACCESS, FALSE, name): whether a mutex of that name exists. The handle
  // opened to find out is closed again.
  [[nodiscard]] virtual bool MutexExists(const std::string& name) = 0;
  // CreateMutex(default security, not owned, name); null when it could not be created.
  [[nodiscard]] virtual std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name) = 0;
};
