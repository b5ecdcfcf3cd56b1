#include "support/FakeSystem.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <stdexcept>

using namespace win;

// ---- clock ----------------------------------------------------------------------------

void TFakeClock::Sleep(std::uint32_t milliseconds) { Pass(milliseconds, nullptr); }

bool TFakeClock::Pass(std::uint32_t milliseconds, const std::function<bool()>& stop) {
  std::unique_lock lock(FLock);
  FSleeps.push_back(milliseconds);
  if (stop && stop()) return true;
  const std::uint64_t end = FNow + milliseconds;
  // Actions due within this wait run at their own time, outside the lock.
  while (!FActions.empty() && FActions.begin()->first <= end) {
    auto node = FActions.extract(FActions.begin());
    FNow = std::max(FNow, node.key());
    lock.unlock();
    node.mapped()();
    lock.lock();
    if (stop && stop()) return true;
  }
  FNow = std::max(FNow, end);
  return false;
}

class TFakeEvent final : public IEvent {
public:
  explicit TFakeEvent(TFakeClock& clock) : FClock(clock) {}
  void Set() override { FSet = true; }
  bool Wait(std::uint32_t ms) override {
    return FClock.Pass(ms, [this] { return FSet.load(); });
  }

private:
  TFakeClock& FClock;
  std::atomic<bool> FSet{false};
};

std::unique_ptr<IEvent> TFakeClock::NewEvent() {
  if (RefuseEvents) return nullptr;
  return std::make_unique<TFakeEvent>(*this);
}

void TFakeClock::TimeBeginPeriod(std::uint32_t) {
  std::lock_guard lock(FLock);
  ++FPeriodRequests;
}

void TFakeClock::TimeEndPeriod(std::uint32_t) {
  std::lock_guard lock(FLock);
  --FPeriodRequests;
}

std::uint64_t TFakeClock::Now() const {
  std::lock_guard lock(FLock);
  return FNow;
}

void TFakeClock::At(std::uint64_t at, std::function<void()> action) {
  std::lock_guard lock(FLock);
  FActions.emplace(at, std::move(action));
}

int TFakeClock::TimerPeriodRequests() const {
  std::lock_guard lock(FLock);
  return FPeriodRequests;
}

std::vector<std::uint32_t> TFakeClock::Sleeps() const {
  std::lock_guard lock(FLock);
  return FSleeps;
}

// ---- input ----------------------------------------------------------------------------

void TFakeInput::Record(TInputEvent e) {
  e.Time = FClock.Now();
  std::lock_guard lock(FLock);
  FEvents.push_back(e);
}

void TFakeInput::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                             std::uint32_t, std::uintptr_t) {
  Record({TInputEvent::Mouse, flags, 0, {dx, dy}, 0});
}

void TFakeInput::keybd_event(std::uint8_t vk, std::uint8_t, std::uint32_t flags, std::uintptr_t) {
  Record({TInputEvent::Key, flags, vk, {}, 0});
  {
    std::lock_guard lock(FLock);
    if (flags & KEYEVENTF_KEYUP)
      FDown.erase(vk);
    else
      FDown.insert(vk);
  }
  if (OnKey) OnKey(vk, flags);
}

bool TFakeInput::GetCursorPos(TPoint& point) {
  std::lock_guard lock(FLock);
  point = FCursor;
  return true;
}

bool TFakeInput::SetCursorPos(std::int32_t x, std::int32_t y) {
  {
    std::lock_guard lock(FLock);
    FCursor = {x, y};
  }
  Record({TInputEvent::SetCursor, 0, 0, {x, y}, 0});
  return true;
}

void TFakeInput::MoveCursor(TPoint p) {
  std::lock_guard lock(FLock);
  FCursor = p;
}

TPoint TFakeInput::Cursor() const {
  std::lock_guard lock(FLock);
  return FCursor;
}

std::vector<TInputEvent> TFakeInput::Events() const {
  std::lock_guard lock(FLock);
  return FEvents;
}

std::vector<TInputEvent> TFakeInput::MouseEvents() const {
  std::vector<TInputEvent> result;
  for (const TInputEvent& e : Events())
    if (e.Kind == TInputEvent::Mouse) result.push_back(e);
  return result;
}

std::vector<TInputEvent> TFakeInput::KeyEvents() const {
  std::vector<TInputEvent> result;
  for (const TInputEvent& e : Events())
    if (e.Kind == TInputEvent::Key) result.push_back(e);
  return result;
}

std::int16_t TFakeInput::GetAsyncKeyState(int vk) {
  return AsyncKeysDown.count(vk) ? static_cast<std::int16_t>(0x8000) : 0;
}

bool TFakeInput::IsKeyDown(std::uint8_t vk) const {
  std::lock_guard lock(FLock);
  return FDown.count(vk) > 0;
}

void TFakeInput::ClearEvents() {
  std::lock_guard lock(FLock);
  FEvents.clear();
}

// ---- threads --------------------------------------------------------------------------

namespace {
class TFakeThread final : public IThread {
public:
  explicit TFakeThread(std::shared_ptr<TFakeThreads::TThreadRecord> record)
      : FRecord(std::move(record)) {}
  ~TFakeThread() override {
    if (!FRecord->Resumed) {
      FRecord->Discarded = true;
      FRecord->Body = nullptr;
    }
  }
  bool SetPriority(int priority) override {
    FRecord->Priority = priority;
    return true;
  }
  void Resume() override { FRecord->Resumed = true; }
  bool Wait(std::uint32_t) override {
    if (FRecord->Resumed && !FRecord->Ran) {
      FRecord->Ran = true;
      std::function<void()> body = std::move(FRecord->Body);
      FRecord->Body = nullptr;
      body();
    }
    return FRecord->Ran;
  }

private:
  std::shared_ptr<TFakeThreads::TThreadRecord> FRecord;
};
}  // namespace

std::unique_ptr<IThread> TFakeThreads::CreateSuspended(std::function<void()> body) {
  if (RefuseCreation) return nullptr;
  auto record = std::make_shared<TThreadRecord>();
  record->Body = std::move(body);
  FThreads.push_back(record);
  return std::make_unique<TFakeThread>(record);
}

// A body that never ran may hold the thread's own owner (a worker holds a share of itself):
// let go of it, outside the record, so nothing is left behind.
TFakeThreads::~TFakeThreads() {
  for (auto& t : FThreads) {
    std::function<void()> body = std::move(t->Body);
    t->Body = nullptr;
  }
}

void TFakeThreads::RunThreads() {
  for (std::size_t i = 0; i < FThreads.size(); ++i) {
    std::shared_ptr<TThreadRecord> t = FThreads[i];
    if (!t->Resumed || t->Ran) continue;
    t->Ran = true;
    std::function<void()> body = std::move(t->Body);
    t->Body = nullptr;
    body();
  }
}

// ---- atoms and hotkeys ----------------------------------------------------------------

std::uint16_t TFakeAtoms::AddGlobalAtom(const std::string& name) {
  for (auto& [atom, entry] : FAtoms)
    if (entry.Name == name) {
      ++entry.Count;
      return atom;
    }
  if (TableFull) return 0;
  const std::uint16_t atom = FNext++;
  FAtoms[atom] = {name, 1};
  return atom;
}

std::uint16_t TFakeAtoms::DeleteGlobalAtom(std::uint16_t atom) {
  auto it = FAtoms.find(atom);
  if (it == FAtoms.end()) return atom;
  if (--it->second.Count == 0) FAtoms.erase(it);
  return 0;
}

int TFakeAtoms::RefCount(const std::string& name) const {
  for (const auto& [atom, entry] : FAtoms)
    if (entry.Name == name) return entry.Count;
  return 0;
}

std::optional<std::uint16_t> TFakeAtoms::Find(const std::string& name) const {
  for (const auto& [atom, entry] : FAtoms)
    if (entry.Name == name) return atom;
  return std::nullopt;
}

bool TFakeHotKeys::RegisterHotKey(TWnd window, int id, std::uint32_t modifiers, std::uint32_t vk) {
  Calls.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                  std::to_string(vk));
  if (Lookup(modifiers, vk)) return false;
  for (const TRegistration& r : FRegistered)
    if (r.Window == window && r.Id == id) return false;  // the id is in use on this window
  FRegistered.push_back({window, id, modifiers, vk});
  return true;
}

bool TFakeHotKeys::UnregisterHotKey(TWnd window, int id) {
  Calls.push_back("unregister " + std::to_string(id));
  auto it = std::find_if(FRegistered.begin(), FRegistered.end(),
                         [&](const TRegistration& r) { return r.Window == window && r.Id == id; });
  if (it == FRegistered.end()) return false;
  FRegistered.erase(it);
  return true;
}

std::optional<TFakeHotKeys::TRegistration> TFakeHotKeys::Lookup(std::uint32_t modifiers,
                                                                std::uint32_t vk) const {
  for (const TRegistration& r : FRegistered)
    if (r.Modifiers == modifiers && r.Vk == vk) return r;
  return std::nullopt;
}

// ---- windows --------------------------------------------------------------------------

void TFakeWindows::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  FErrorHandler = std::move(handler);
}

TWnd TFakeWindows::CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) {
  if (handler) {
    // A class of our own never takes a system class's name.
    if (FSystemClasses.count(params.ClassName)) return Fail(ErrorClassAlreadyExists);
    FRegisteredClasses.insert(params.ClassName);
  } else {
    auto it = FSystemClasses.find(params.ClassName);
    if (it == FSystemClasses.end() || !it->second) return Fail(ErrorCannotFindWndClass);
    handler = it->second;
  }
  if (params.Parent && !FWindows.count(params.Parent)) return Fail(ErrorInvalidWindowHandle);
  const TWnd handle = FNextHandle;
  FNextHandle += 0x10;
  TWindow& w = FWindows[handle];
  w.Params = params;
  w.Handler = handler;
  const TRect& b = params.Bounds;
  // A hidden window asked for no size keeps the fake's default, the options window's size.
  if (b.Right != b.Left || b.Bottom != b.Top || (params.Style & WS_CHILD)) w.Rect = b;
  w.Visible = (params.Style & WS_VISIBLE) != 0;
  if (FObserver) FObserver->WindowCreated(handle, params);
  // As CreateWindowEx does once the window is made.
  if (params.Style & WS_CHILD) {
    const TRect client = ClientOf(handle);
    Send(handle, WM_SIZE, 0, static_cast<TLParam>((static_cast<std::uint32_t>(client.Bottom & 0xFFFF) << 16) |
                                                  static_cast<std::uint32_t>(client.Right & 0xFFFF)));
  }
  return handle;
}

void TFakeWindows::SetSystemClass(const std::string& className, IMessageHandler* procedure) {
  FSystemClasses[className] = procedure;
}

TWnd TFakeWindows::Parent(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? 0 : it->second.Params.Parent;
}

TRect TFakeWindows::ClientOf(TWnd window) const {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return {};
  const TCreateParams& p = it->second.Params;
  const TRect& r = it->second.Rect;
  const int edge = !(p.Style & WS_CHILD)             ? 0
                   : (p.ExStyle & WS_EX_CLIENTEDGE) ? 2
                   : (p.Style & WS_BORDER)          ? 1
                                                    : 0;
  return {0, 0, std::max(0, r.Right - r.Left - 2 * edge), std::max(0, r.Bottom - r.Top - 2 * edge)};
}

const TCreateParams* TFakeWindows::Params(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? nullptr : &it->second.Params;
}

void TFakeWindows::Family(TWnd window, std::vector<TWnd>& out) const {
  out.push_back(window);
  for (const auto& [handle, w] : FWindows)
    if (w.Params.Parent == window) Family(handle, out);
}

void TFakeWindows::DestroyWindow(TWnd window) {
  if (!FWindows.count(window)) return;
  std::vector<TWnd> family;
  Family(window, family);
  if (FObserver) FObserver->WindowDestroying(window);
  for (TWnd w : family)
    if (FWindows.count(w)) Send(w, WM_DESTROY);
  for (TWnd w : family) {
    std::erase_if(FTimers, [w](const auto& t) { return t.first.first == w; });
    FWindows.erase(w);
    if (FObserver) FObserver->WindowDestroyed(w);
  }
}

TLResult TFakeWindows::DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  DefaultHandled.push_back({window, msg, wParam, lParam});
  return 0;
}

bool TFakeWindows::SubclassWindow(TWnd window, IMessageHandler& hook) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  it->second.Hooks.push_back(&hook);
  return true;
}

void TFakeWindows::RemoveSubclass(TWnd window, IMessageHandler& hook) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return;
  auto& hooks = it->second.Hooks;
  hooks.erase(std::remove(hooks.begin(), hooks.end(), &hook), hooks.end());
}

TLResult TFakeWindows::Guarded(const std::function<TLResult()>& call) {
  try {
    return call();
  } catch (...) {
    if (FErrorHandler) FErrorHandler(std::current_exception());
    return 0;
  }
}

TLResult TFakeWindows::CallLevel(TWnd window, std::size_t level, std::uint32_t msg, TWParam w,
                                 TLParam l) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return 0;
  const std::vector<IMessageHandler*> hooks = it->second.Hooks;
  if (level < hooks.size()) {
    IMessageHandler* hook = hooks[hooks.size() - 1 - level];
    FLevels.push_back({window, level});
    const TLResult result = Guarded([&] { return hook->HandleMessage(window, msg, w, l); });
    FLevels.pop_back();
    return result;
  }
  IMessageHandler* handler = it->second.Handler;
  return Guarded([&] { return handler->HandleMessage(window, msg, w, l); });
}

TLResult TFakeWindows::DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam,
                                       TLParam lParam) {
  if (FLevels.empty() || FLevels.back().first != window)
    throw std::logic_error("DefSubclassProc outside a subclass procedure");
  return CallLevel(window, FLevels.back().second + 1, msg, wParam, lParam);
}

TLResult TFakeWindows::Send(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return CallLevel(window, 0, msg, wParam, lParam);
}

bool TFakeWindows::GetWindowRect(TWnd window, TRect& rect) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  rect = it->second.Rect;
  return true;
}

bool TFakeWindows::SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, std::uint32_t flags) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  TRect& r = it->second.Rect;
  if (flags & SWP_NOSIZE) {
    width = r.Right - r.Left;
    height = r.Bottom - r.Top;
  }
  if (flags & SWP_NOMOVE) {
    x = r.Left;
    y = r.Top;
  }
  r = {x, y, x + width, y + height};
  return true;
}

bool TFakeWindows::ShowWindow(TWnd window, int command) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  const bool was = it->second.Visible;
  it->second.Visible = command != SW_HIDE;
  return was;
}

bool TFakeWindows::IsWindowVisible(TWnd window) {
  auto it = FWindows.find(window);
  return it != FWindows.end() && it->second.Visible;
}

bool TFakeWindows::SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) {
  if (!FWindows.count(window)) return false;
  // The system raises intervals below USER_TIMER_MINIMUM (10 ms) to it.
  const std::uint32_t interval = std::max<std::uint32_t>(milliseconds, 10);
  FTimers[{window, id}] = {interval, FClock.Now() + interval};
  return true;
}

bool TFakeWindows::KillTimer(TWnd window, std::uintptr_t id) { return FTimers.erase({window, id}) > 0; }

void TFakeWindows::Advance(std::uint64_t ms) {
  const std::uint64_t end = FClock.Now() + ms;
  for (;;) {
    auto next = std::min_element(FTimers.begin(), FTimers.end(),
                                 [](const auto& a, const auto& b) { return a.second.Due < b.second.Due; });
    if (next == FTimers.end() || next->second.Due > end) break;
    const auto [window, id] = next->first;
    const std::uint64_t due = next->second.Due;
    next->second.Due += next->second.Interval;
    if (due > FClock.Now()) FClock.Sleep(static_cast<std::uint32_t>(due - FClock.Now()));
    Pump();
    Send(window, WM_TIMER, id, 0);
  }
  if (end > FClock.Now()) FClock.Sleep(static_cast<std::uint32_t>(end - FClock.Now()));
  Pump();
}

bool TFakeWindows::PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (!FWindows.count(window)) return false;
  FQueue.push_back({window, msg, wParam, lParam});
  return true;
}

void TFakeWindows::PostQuitMessage(int exitCode) { FQueue.push_back({0, 0x0012, TWParam(exitCode), 0}); }

bool TFakeWindows::Pump() {
  while (!FQueue.empty()) {
    const TMessage m = FQueue.front();
    FQueue.erase(FQueue.begin());
    if (m.Window == 0 && m.Msg == 0x0012) {  // WM_QUIT
      FQuitCode = static_cast<int>(m.WParam);
      return true;
    }
    Send(m.Window, m.Msg, m.WParam, m.LParam);
  }
  return false;
}

void TFakeWindows::ProcessMessages() {
  while (!FQueue.empty() && !(FQueue.front().Window == 0 && FQueue.front().Msg == 0x0012)) {
    const TMessage m = FQueue.front();
    FQueue.erase(FQueue.begin());
    Send(m.Window, m.Msg, m.WParam, m.LParam);
  }
}

void TFakeWindows::Broadcast(std::uint32_t msg, TWParam wParam, TLParam lParam) {
  for (const auto& [handle, w] : FWindows) FQueue.push_back({handle, msg, wParam, lParam});
}

// A loop with nothing left to do would wait forever on a real system; here it returns -1.
int TFakeWindows::RunMessageLoop() { return Pump() ? *FQuitCode : -1; }

TWnd TFakeWindows::Fail(std::uint32_t error) {
  LastErrorCode = error;
  return 0;
}

std::string TFakeWindows::ErrorMessage(std::uint32_t code) {
  switch (code) {
    case ErrorInvalidWindowHandle: return "Invalid window handle.\r\n";
    case ErrorCannotFindWndClass: return "Cannot find window class.\r\n";
    case ErrorClassAlreadyExists: return "Class already exists.\r\n";
    default: return {};
  }
}

int TFakeWindows::ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                                 std::uint32_t flags) {
  MessageBoxes.push_back({owner, text, caption, flags});
  return 1;  // IDOK
}

bool TFakeWindows::SetForegroundWindow(TWnd window) {
  FLog.push_back("SetForegroundWindow " + std::to_string(window));
  if (!IsWindow(window)) return false;
  Foreground = window;
  return true;
}

std::uint32_t TFakeWindows::RegisterMessageName(const std::string& name) {
  FLog.push_back("RegisterWindowMessage " + name);
  return SystemMessageName(name);
}

std::uint32_t TFakeWindows::SystemMessageName(const std::string& name) {
  auto [it, added] = FMessages.try_emplace(name, FNextMessage);
  if (added) ++FNextMessage;
  return it->second;
}

std::uint32_t TFakeWindows::MessageId(const std::string& name) const {
  auto it = FMessages.find(name);
  return it == FMessages.end() ? 0 : it->second;
}

TWnd TFakeWindows::FindWindow(const std::string& className) const {
  for (const auto& [handle, w] : FWindows)
    if (w.Params.ClassName == className) return handle;
  return 0;
}

bool TFakeWindows::IsWindow(TWnd window) const { return FWindows.count(window) > 0; }

std::size_t TFakeWindows::HookCount(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? 0 : it->second.Hooks.size();
}

std::size_t TFakeWindows::WindowCount() const { return FWindows.size(); }

// ---- process --------------------------------------------------------------------------

class TFakeMutex final : public IHeldHandle {
public:
  TFakeMutex(TFakeProcess& process, std::string name) : FProcess(process), FName(std::move(name)) {
    FProcess.FMutexes.insert(FName);
  }
  ~TFakeMutex() override { FProcess.FMutexes.erase(FProcess.FMutexes.find(FName)); }

private:
  TFakeProcess& FProcess;
  std::string FName;
};

bool TFakeProcess::MutexExists(const std::string& name) {
  Calls.push_back("OpenMutex " + name);
  return FMutexes.count(name) > 0;
}

std::unique_ptr<IHeldHandle> TFakeProcess::CreateNamedMutex(const std::string& name) {
  Calls.push_back("CreateMutex " + name);
  if (RefuseMutex) return nullptr;
  return std::make_unique<TFakeMutex>(*this, name);
}

// ---- system ---------------------------------------------------------------------------

TFakeSystem::TFakeSystem() {
  // An injected key-down of a hotkey's key triggers it like a user's press.
  Input.OnKey = [this](std::uint8_t vk, std::uint32_t flags) {
    if (!(flags & KEYEVENTF_KEYUP) && vk != VK_SHIFT && vk != VK_CONTROL) UserPress(vk);
  };
}

bool TFakeSystem::UserPress(TShortCut code) {
  if (Input.IsKeyDown(VK_SHIFT)) code |= scShift;
  if (Input.IsKeyDown(VK_CONTROL)) code |= scCtrl;
  return PressHotKey(code);
}

bool TFakeSystem::Settle() {
  for (;;) {
    if (Windows.Pump()) return true;
    Threads.RunThreads();
    if (!Windows.HasQueued()) return false;
  }
}

bool TFakeSystem::PressHotKey(TShortCut code) {
  std::uint32_t modifiers = 0;
  if (code & scShift) modifiers |= MOD_SHIFT;
  if (code & scCtrl) modifiers |= MOD_CONTROL;
  if (code & scAlt) modifiers |= MOD_ALT;
  const std::uint32_t vk = code & 0xFF;
  const auto reg = HotKeys.Lookup(modifiers, vk);
  if (!reg) return false;
  const TLParam lParam = static_cast<TLParam>((vk << 16) | modifiers);
  return Windows.PostMessageTo(reg->Window, WM_HOTKEY, static_cast<TWParam>(reg->Id), lParam);
}

// ---- profile --------------------------------------------------------------------------

// The proven INI engine over files in memory: the tests see the bytes the system would write.
std::string TFakeProfile::ReadIniString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue, const std::string& path,
                                        std::size_t bufferSize) {
  Calls.push_back("read " + section + " " + key);
  return FEngine.ReadIniString(section, key, defaultValue, path, bufferSize);
}

bool TFakeProfile::WriteIniString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& path) {
  Calls.push_back("write " + section + " " + key + "=" + value);
  if (ReadOnly.count(path)) return false;
  return FEngine.WriteIniString(section, key, value, path);
}

void TFakeProfile::FlushIni(const std::string& path) {
  Calls.push_back("flush");
  FEngine.FlushIni(path);
}

std::string TFakeProfile::Text(const std::string& path) const {
  return FFiles.Get(path).value_or(std::string());
}

void TFakeProfile::SetText(const std::string& path, const std::string& text) { FFiles.Put(path, text); }

// ---- environment ----------------------------------------------------------------------

bool TFakeEnvironment::GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major,
                                      std::uint32_t& minor) {
  platformId = Platform;
  major = Major;
  minor = Minor;
  return true;
}

bool TFakeEnvironment::GetLogonUserName(std::string& name) {
  if (!UserName) return false;
  name = *UserName;
  return true;
}

bool TFakeEnvironment::GetFileVersionBlock(const std::string& path, std::vector<std::uint8_t>& block) {
  auto it = VersionInfo.find(path);
  if (it == VersionInfo.end()) return false;
  block.assign(path.begin(), path.end());  // the block names its file
  return true;
}

bool TFakeEnvironment::QueryVersionValue(const std::vector<std::uint8_t>& block,
                                         const std::string& subBlock, std::string& value) {
  auto file = VersionInfo.find(std::string(block.begin(), block.end()));
  if (file == VersionInfo.end()) return false;
  auto it = file->second.find(subBlock);
  if (it == file->second.end() || it->second.empty()) return false;
  value = it->second;
  return true;
}
