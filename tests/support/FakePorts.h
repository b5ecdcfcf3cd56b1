// The fake system's ports, each in memory: clock, input, threads, atoms, hotkeys, windows
// with message queues, process, profile and environment.
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

class TFakeInput : public IInput {
public:
  explicit TFakeInput(TFakeClock& clock) : FClock(clock) {}
  void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                   std::uintptr_t extraInfo) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                   std::uintptr_t extraInfo) override;
  bool GetCursorPos(TPoint& point) override;
  bool SetCursorPos(std::int32_t x, std::int32_t y) override;
  std::int16_t GetAsyncKeyState(int vk) override;
  std::uint32_t GetDoubleClickTime() override { return DoubleClickTime; }

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

private:
  void Record(TInputEvent e);
  TFakeClock& FClock;
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

class TFakeWindows : public IWindows {
public:
  // log: the fake system's call log, where SetForegroundWindow and RegisterWindowMessage
  // go among the shell's calls.
  TFakeWindows(TFakeClock& clock, std::vector<std::string>& log) : FClock(clock), FLog(log) {}
  struct TMessage { TWnd Window; std::uint32_t Msg; TWParam WParam; TLParam LParam; };
  struct TMessageBox { TWnd Owner; std::string Text; std::string Caption; std::uint32_t Flags; };

  // Who hears of windows made and destroyed (the fake controls keep their state per window).
  class IObserver {
  public:
    virtual ~IObserver() = default;
    virtual void WindowCreated(TWnd window, const TCreateParams& params) = 0;
    // Before the first WM_DESTROY of a DestroyWindow, for the window destroyed.
    virtual void WindowDestroying(TWnd window) = 0;
    // Each window of the family, once every one of them has had its WM_DESTROY.
    virtual void WindowDestroyed(TWnd window) = 0;
  };

  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;
  TWnd CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) override;
  // The window and its children (and windows it owns), as the system does: WM_DESTROY to the
  // window first, then to its children, each with its family still in place.
  void DestroyWindow(TWnd window) override;
  // A system class's procedure. "BUTTON" and "STATIC" have the default procedure from the
  // start; a class with none cannot be made, as on a system without it.
  void SetSystemClass(const std::string& className, IMessageHandler* procedure);
  void SetObserver(IObserver* observer) { FObserver = observer; }
  // Our classes, registered on first use.
  const std::set<std::string>& RegisteredClasses() const { return FRegisteredClasses; }
  // The window's parent (or owner) and its create parameters as given.
  TWnd Parent(TWnd window) const;
  const TCreateParams* Params(TWnd window) const;
  // GetClientRect: the rectangle less a child's border (2 pixels for the client edge, 1 for
  // WS_BORDER); a top-level window's frame is not modelled.
  TRect ClientOf(TWnd window) const;
  TLResult DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool SubclassWindow(TWnd window, IMessageHandler& hook) override;
  void RemoveSubclass(TWnd window, IMessageHandler& hook) override;
  TLResult DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool GetWindowRect(TWnd window, TRect& rect) override;
  bool SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, std::uint32_t flags) override;
  bool ShowWindow(TWnd window, int command) override;
  bool IsWindowVisible(TWnd window) override;
  bool SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) override;
  bool KillTimer(TWnd window, std::uintptr_t id) override;
  // Runs the virtual clock on by ms, delivering WM_TIMER to each due timer at its time.
  void Advance(std::uint64_t ms);
  bool HasTimer(TWnd window, std::uintptr_t id) const { return FTimers.count({window, id}) > 0; }
  std::size_t TimerCount() const { return FTimers.size(); }
  bool PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  int RunMessageLoop() override;
  void ProcessMessages() override;
  // HWND_BROADCAST: posts to every window (they are all top-level here).
  void Broadcast(std::uint32_t msg, TWParam wParam, TLParam lParam);
  void PostQuitMessage(int exitCode) override;
  int ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                     std::uint32_t flags) override;
  // Logged as "SetForegroundWindow <window>"; a window that exists becomes Foreground.
  bool SetForegroundWindow(TWnd window) override;
  // Logged as "RegisterWindowMessage <name>"; ids are handed out from 0xC0F0.
  std::uint32_t RegisterMessageName(const std::string& name) override;
  // The id a name was registered under; 0 when nobody registered it.
  std::uint32_t MessageId(const std::string& name) const;
  // A name the system itself registers (Explorer's "TaskbarCreated"): not logged.
  std::uint32_t SystemMessageName(const std::string& name);
  TWnd Foreground = 0;
  // The last error, as a failed CreateWindowFrom leaves it (or a test sets it), and the
  // system's texts of those codes.
  std::uint32_t LastError() override { return LastErrorCode; }
  std::string ErrorMessage(std::uint32_t code) override;
  std::uint32_t LastErrorCode = 0;

  // SendMessage: through the window's hooks, newest first, to its procedure.
  TLResult Send(TWnd window, std::uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
  // Dispatches queued messages until the queue is empty or WM_QUIT comes; true on WM_QUIT.
  bool Pump();
  std::optional<int> QuitCode() const { return FQuitCode; }
  bool HasQueued() const { return !FQueue.empty(); }
  TWnd FindWindow(const std::string& className) const;
  bool IsWindow(TWnd window) const;
  std::size_t HookCount(TWnd window) const;
  std::size_t WindowCount() const;
  std::vector<TMessageBox> MessageBoxes;
  // Messages that reached the system's default procedure.
  std::vector<TMessage> DefaultHandled;

private:
  struct TWindow {
    TCreateParams Params;
    IMessageHandler* Handler;
    std::vector<IMessageHandler*> Hooks;  // in order of installation
    TRect Rect{0, 0, 336, 296};
    bool Visible = false;
  };
  class TDefaultProcedure final : public IMessageHandler {
  public:
    explicit TDefaultProcedure(TFakeWindows& windows) : FWindows(windows) {}
    TLResult HandleMessage(TWnd w, std::uint32_t msg, TWParam wp, TLParam lp) override {
      return FWindows.DefaultProc(w, msg, wp, lp);
    }

  private:
    TFakeWindows& FWindows;
  };
  void Family(TWnd window, std::vector<TWnd>& out) const;
  TLResult CallLevel(TWnd window, std::size_t level, std::uint32_t msg, TWParam w, TLParam l);
  TLResult Guarded(const std::function<TLResult()>& call);
  // A failed call: sets the last error, returns no window.
  TWnd Fail(std::uint32_t error);
  static constexpr std::uint32_t ErrorInvalidWindowHandle = 1400;
  static constexpr std::uint32_t ErrorCannotFindWndClass = 1407;
  static constexpr std::uint32_t ErrorClassAlreadyExists = 1410;

  struct TTimer { std::uint32_t Interval; std::uint64_t Due; };
  TFakeClock& FClock;
  std::vector<std::string>& FLog;
  std::map<std::string, std::uint32_t> FMessages;
  std::uint32_t FNextMessage = 0xC0F0;
  TDefaultProcedure FDefaultProcedure{*this};
  std::map<std::string, IMessageHandler*> FSystemClasses{{"BUTTON", &FDefaultProcedure},
                                                         {"STATIC", &FDefaultProcedure}};
  std::set<std::string> FRegisteredClasses;
  IObserver* FObserver = nullptr;
  std::map<std::pair<TWnd, std::uintptr_t>, TTimer> FTimers;
  std::function<void(std::exception_ptr)> FErrorHandler;
  std::map<TWnd, TWindow> FWindows;
  TWnd FNextHandle = 0x10010;
  std::vector<TMessage> FQueue;
  std::optional<int> FQuitCode;
  std::vector<std::pair<TWnd, std::size_t>> FLevels;  // subclass level being served, per call
};

class TFakeProcess : public IProcess {
public:
  std::string ModuleFileName() override { return FileName; }
  bool MutexExists(const std::string& name) override;
  std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name) override;
  bool HasMutex(const std::string& name) const { return FMutexes.count(name) > 0; }

  std::string FileName = "C:\\Games\\Tools\\Vantrel.exe";
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

  std::uint32_t Platform = win::VER_PLATFORM_WIN32_NT, Major = 5, Minor = 1;
  std::optional<std::string> UserName = "taro";
  // Version resources by file: sub-block -> value.
  std::map<std::string, std::map<std::string, std::string>> VersionInfo;
};

