// The fake system's ports, each in memory: clock, input, threads, atoms, hotkeys, process,
// profile and environment; the windows with their message queues are in FakeWindows.h.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/System.h"
#include "platform/portable/IniEngine.h"
#include "support/FakeFiles.h"
#include "support/FakeIcons.h"
#include "support/FakeShell.h"
#include "support/FakeWindows.h"

// One recorded call of the input port, at a virtual time.
struct TInputEvent {
  enum TKind { Mouse, Key, SetCursor } Kind;
  std::uint32_t Flags;  // mouse_event / keybd_event flags
  std::uint8_t Vk;      // keybd_event
  TPoint Point;         // mouse_event coordinates or the new cursor position
  std::uint64_t Time;
  friend bool operator==(const TInputEvent&, const TInputEvent&) = default;
};

class TFakeClock : public IClock {
public:
  void Sleep(std::uint32_t milliseconds) override;
  void TimeBeginPeriod(std::uint32_t ms) override;
  void TimeEndPeriod(std::uint32_t ms) override;
  // Events whose waits pass virtual time like Sleep, and end at the moment they are set.
  std::unique_ptr<IEvent> NewEvent() override;
  bool RefuseEvents = false;

  std::uint64_t Now() const;
  // Runs action when virtual time reaches at, from inside the Sleep that passes it.
  void At(std::uint64_t at, std::function<void()> action);
  int TimerPeriodRequests() const;  // begins minus ends
  std::vector<std::uint32_t> Sleeps() const;

private:
  friend class TFakeEvent;
  // Sleep, or a wait that ends when stop() holds after an action ran; true if it ended so.
  bool Pass(std::uint32_t milliseconds, const std::function<bool()>& stop);
  mutable std::mutex FLock;
  std::uint64_t FNow = 0;
  std::multimap<std::uint64_t, std::function<void()>> FActions;
  int FPeriodRequests = 0;
  std::vector<std::uint32_t> FSleeps;
};

// Injected input recorded at virtual times, the cursor, the keys' state a test sets, and the
// mouse capture with its notifications (a window destroyed lets go of it).
class TFakeInput : public IInput, private TFakeWindows::IObserver {
public:
  TFakeInput(TFakeClock& clock, TFakeWindows& windows);
  ~TFakeInput() override;
  void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                   std::uintptr_t extraInfo) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                   std::uintptr_t extraInfo) override;
  bool GetCursorPos(TPoint& point) override;
  bool SetCursorPos(std::int32_t x, std::int32_t y) override;
  std::int16_t GetAsyncKeyState(int vk) override;
  std::uint32_t GetDoubleClickTime() override { return DoubleClickTime; }
  std::int16_t GetKeyState(int vk) override { return KeysDown.count(vk) ? -128 : 0; }
  void SetCapture(TWnd window) override;
  void ReleaseCapture() override;
  TWnd GetCapture() override { return FCapture; }

  // The user moving the mouse.
  void MoveCursor(TPoint p);
  TPoint Cursor() const;
  std::vector<TInputEvent> Events() const;
  std::vector<TInputEvent> MouseEvents() const;
  std::vector<TInputEvent> KeyEvents() const;
  void ClearEvents();
  // Keys held down by injected key events.
  bool IsKeyDown(std::uint8_t vk) const;
  // Called on every key event, on the thread that injects it.
  std::function<void(std::uint8_t vk, std::uint32_t flags)> OnKey;
  // The keys the user holds down now (GetAsyncKeyState), set by a test.
  std::set<int> AsyncKeysDown;
  std::uint32_t DoubleClickTime = 500;
  // The keys down when the message being handled was sent (GetKeyState), set by a test.
  std::set<int> KeysDown;

private:
  void WindowDestroying(const std::vector<TWnd>& family) override;
  void Record(TInputEvent e);
  TFakeClock& FClock;
  TFakeWindows& FWindows;
  TWnd FCapture = 0;
  mutable std::mutex FLock;
  TPoint FCursor{500, 400};
  std::vector<TInputEvent> FEvents;
  std::set<std::uint8_t> FDown;
};

// Threads that run only when the test says so, on the test's own thread.
class TFakeThreads : public IThreads {
public:
  struct TThreadRecord {
    std::function<void()> Body;
    std::optional<int> Priority;
    bool Resumed = false;
    bool Ran = false;
    bool Discarded = false;
  };
  ~TFakeThreads() override;
  std::unique_ptr<IThread> CreateSuspended(std::function<void()> body) override;
  // Runs the bodies of resumed threads that have not run yet, oldest first. Waiting for a
  // thread (IThread::Wait) runs its body, if it has not run yet, as if it ran meanwhile.
  void RunThreads();
  std::size_t Count() const { return FThreads.size(); }
  const TThreadRecord& Thread(std::size_t i) const { return *FThreads[i]; }
  bool RefuseCreation = false;

private:
  std::vector<std::shared_ptr<TThreadRecord>> FThreads;
};

class TFakeAtoms : public IAtoms {
public:
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  std::uint16_t DeleteGlobalAtom(std::uint16_t atom) override;
  int RefCount(const std::string& name) const;  // 0 when the atom does not exist
  std::optional<std::uint16_t> Find(const std::string& name) const;
  bool TableFull = false;

private:
  struct TAtom { std::string Name; int Count; };
  std::map<std::uint16_t, TAtom> FAtoms;
  std::uint16_t FNext = 0xC000;
};

class TFakeHotKeys : public IHotKeys {
public:
  struct TRegistration { TWnd Window; int Id; std::uint32_t Modifiers; std::uint32_t Vk; };
  bool RegisterHotKey(TWnd window, int id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(TWnd window, int id) override;
  // The registration a key combination triggers; MOD_WIN and the rest must match exactly.
  std::optional<TRegistration> Lookup(std::uint32_t modifiers, std::uint32_t vk) const;
  const std::vector<TRegistration>& Registered() const { return FRegistered; }
  std::vector<std::string> Calls;  // "register 36 0 24", "unregister 36"

private:
  std::vector<TRegistration> FRegistered;
};

class TFakeProcess : public IProcess {
public:
  std::string ModuleFileName() override { return FileName; }
  std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name, bool& existed) override;
  // A holder of the mutex of that name, as another process would be.
  std::unique_ptr<IHeldHandle> HoldMutex(const std::string& name);
  bool HasMutex(const std::string& name) const { return FMutexes.count(name) > 0; }
  // Integrity levels: a process named in Levels has that one (empty: it cannot be asked);
  // any other has this process's own.
  std::optional<std::uint32_t> IntegrityLevel(std::uint32_t processId) override {
    const auto it = Levels.find(processId);
    return it == Levels.end() ? std::optional<std::uint32_t>{OwnLevel} : it->second;
  }
  std::optional<std::uint32_t> OwnIntegrityLevel() override { return OwnLevel; }

  std::string FileName = "C:\\Games\\Tools\\Vantrel.exe";
  std::map<std::uint32_t, std::optional<std::uint32_t>> Levels;
  std::uint32_t OwnLevel = 0x2000;
  bool RefuseMutex = false;
  std::vector<std::string> Calls;

private:
  friend class TFakeMutex;
  std::multiset<std::string> FMutexes;
};

// INI files in memory, kept as the private-profile functions keep them: sections and keys
// in the order they were first written, names compared without regard to case.
class TFakeProfile : public IProfile {
public:
  std::string ReadIniString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& path,
                            std::size_t bufferSize) override;
  bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& path) override;
  bool DeleteIniKey(const std::string& section, const std::string& key, const std::string& path) override;
  void FlushIni(const std::string& path) override;

  // The file's bytes; empty when it does not exist.
  std::string Text(const std::string& path) const;
  void SetText(const std::string& path, const std::string& text);
  std::set<std::string> ReadOnly;   // paths the system refuses to write
  std::vector<std::string> Calls;   // "read S K", "write S K=V", "flush"

private:
  TFakeFiles FFiles;
  TIniEngine FEngine{FFiles};
};

class TFakeEnvironment : public IEnvironment {
public:
  bool GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major, std::uint32_t& minor) override;
  bool GetLogonUserName(std::string& name) override;
  bool GetFileVersionBlock(const std::string& path, std::vector<std::uint8_t>& block) override;
  bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& subBlock,
                         std::string& value) override;
  char DecimalSeparator() override { return Separator; }

  std::uint32_t Platform = win::VER_PLATFORM_WIN32_NT, Major = 5, Minor = 1;
  std::optional<std::string> UserName = "taro";
  // Version resources by file: sub-block -> value.
  std::map<std::string, std::map<std::string, std::string>> VersionInfo;
  char Separator = '.';
};

