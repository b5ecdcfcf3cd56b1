#include "platform/win32/Win32System.h"

#include "platform/win32/Win32.h"

#include <atomic>

// ---- time -------------------------------------------------------------------

TWin32Clock::TWin32Clock()
    : FWinmm(L"winmm.dll"),
      FBeginPeriod(FWinmm.Proc<TPeriodCall>("timeBeginPeriod")),
      FEndPeriod(FWinmm.Proc<TPeriodCall>("timeEndPeriod")) {}

void TWin32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }
// Without winmm the system's default resolution stays: slower clicks, nothing worse.
void TWin32Clock::TimeBeginPeriod(std::uint32_t ms) {
  if (FBeginPeriod) FBeginPeriod(ms);
}
void TWin32Clock::TimeEndPeriod(std::uint32_t ms) {
  if (FEndPeriod) FEndPeriod(ms);
}

namespace {
class TWin32Event final : public IEvent {
public:
  explicit TWin32Event(HANDLE handle) : FHandle(handle) {}
  ~TWin32Event() override { ::CloseHandle(FHandle); }
  TWin32Event(const TWin32Event&) = delete;
  TWin32Event& operator=(const TWin32Event&) = delete;
  void Set() override { ::SetEvent(FHandle); }
  bool Wait(std::uint32_t ms) override { return ::WaitForSingleObject(FHandle, ms) == WAIT_OBJECT_0; }

private:
  HANDLE FHandle;
};
}  // namespace

std::unique_ptr<IEvent> TWin32Clock::NewEvent() {
  HANDLE handle = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!handle) return nullptr;
  return std::make_unique<TWin32Event>(handle);
}

// ---- threads --------------------------------------------------------------------------

namespace {

struct TThreadStart {
  std::function<void()> Body;
  std::atomic<bool> Cancelled{false};
};

DWORD WINAPI ThreadEntry(LPVOID parameter) {
  std::unique_ptr<TThreadStart> start(static_cast<TThreadStart*>(parameter));
  try {
    if (!start->Cancelled.load()) start->Body();
  } catch (...) {
    // nothing may unwind out of a thread's entry; the body reports its own failures
  }
  return 0;  // the body and what it holds are released here, on this thread
}

class TWin32Thread final : public IThread {
public:
  TWin32Thread(HANDLE handle, TThreadStart* start) : FHandle(handle), FStart(start) {}
  ~TWin32Thread() override {
    if (!FResumed) {
      FStart->Cancelled.store(true);
      ::ResumeThread(FHandle);  // it runs only to release its start block
    }
    ::CloseHandle(FHandle);
  }
  TWin32Thread(const TWin32Thread&) = delete;
  TWin32Thread& operator=(const TWin32Thread&) = delete;
  bool SetPriority(int priority) override { return ::SetThreadPriority(FHandle, priority) != 0; }
  bool Wait(std::uint32_t ms) override { return ::WaitForSingleObject(FHandle, ms) == WAIT_OBJECT_0; }
  void Resume() override {
    if (FResumed) return;
    FResumed = true;
    ::ResumeThread(FHandle);
  }

private:
  HANDLE FHandle;
  TThreadStart* FStart;  // owned by the thread once it runs
  bool FResumed = false;
};

}  // namespace

std::unique_ptr<IThread> TWin32Threads::CreateSuspended(std::function<void()> body) {
  auto start = std::make_unique<TThreadStart>();
  start->Body = std::move(body);
  HANDLE handle = ::CreateThread(nullptr, 0, ThreadEntry, start.get(), CREATE_SUSPENDED, nullptr);
  if (!handle) return nullptr;
  return std::make_unique<TWin32Thread>(handle, start.release());
}

// ---- atoms, hotkeys, process ----------------------------------------------------------

std::uint16_t TWin32Atoms::AddGlobalAtom(const std::string& name) {
  return ::GlobalAddAtomW(Widen(name).c_str());
}

std::uint16_t TWin32Atoms::DeleteGlobalAtom(std::uint16_t atom) { return ::GlobalDeleteAtom(atom); }

bool TWin32HotKeys::RegisterHotKey(TWnd window, int id, std::uint32_t modifiers, std::uint32_t vk) {
  return ::RegisterHotKey(ToHwnd(window), id, modifiers, vk) != 0;
}

bool TWin32HotKeys::UnregisterHotKey(TWnd window, int id) {
  return ::UnregisterHotKey(ToHwnd(window), id) != 0;
}

std::string TWin32Process::ModuleFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);  // truncated: a long path
  }
}

namespace {
class TKernelHandle final : public IHeldHandle {
public:
  explicit TKernelHandle(HANDLE h) : FHandle(h) {}
  ~TKernelHandle() override { ::CloseHandle(FHandle); }

private:
  HANDLE FHandle;
};
}  // namespace

namespace {
std::optional<std::uint32_t> TokenIntegrity(HANDLE process) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  // TOKEN_MANDATORY_LABEL with its SID behind it: 64 bytes hold any label SID.
  alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[64];
  DWORD size = 0;
  const BOOL ok = ::GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size);
  ::CloseHandle(token);
  if (!ok) return std::nullopt;
  const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
  const UCHAR count = *::GetSidSubAuthorityCount(sid);
  if (count == 0) return std::nullopt;
  return static_cast<std::uint32_t>(*::GetSidSubAuthority(sid, count - 1u));
}
}  // namespace

std::optional<std::uint32_t> TWin32Process::IntegrityLevel(std::uint32_t processId) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return std::nullopt;
  const std::optional<std::uint32_t> level = TokenIntegrity(process);
  ::CloseHandle(process);
  return level;
}

std::optional<std::uint32_t> TWin32Process::OwnIntegrityLevel() { return TokenIntegrity(::GetCurrentProcess()); }

std::unique_ptr<IHeldHandle> TWin32Process::CreateNamedMutex(const std::string& name, bool& existed) {
  HANDLE h = ::CreateMutexW(nullptr, FALSE, Widen(name).c_str());
  existed = h && ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (!h) return nullptr;
  return std::make_unique<TKernelHandle>(h);
}
