// The running process: its file and the named kernel objects it holds.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
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
  // The mandatory integrity level of a process's token (the last sub-authority of its
  // TokenIntegrityLevel SID: 0x2000 medium, 0x3000 high, ...); empty when the process cannot
  // be asked (it is gone, or it denies this one even PROCESS_QUERY_LIMITED_INFORMATION).
  [[nodiscard]] virtual std::optional<std::uint32_t> IntegrityLevel(std::uint32_t processId) = 0;
  // This process's.
  [[nodiscard]] virtual std::optional<std::uint32_t> OwnIntegrityLevel() = 0;
};
