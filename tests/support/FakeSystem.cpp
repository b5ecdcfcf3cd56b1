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

TFakeInput::TFakeInput(TFakeClock& clock, TFakeWindows& windows) : FClock(clock), FWindows(windows) {
  FWindows.SetObserver(this);
}

TFakeInput::~TFakeInput() { FWindows.SetObserver(nullptr); }

void TFakeInput::WindowDestroying(const std::vector<TWnd>& family) {
  if (std::find(family.begin(), family.end(), FCapture) != family.end()) ReleaseCapture();
}

void TFakeInput::SetCapture(TWnd window) {
  const TWnd old = FCapture;
  FCapture = window;
  if (old && old != window && FWindows.IsWindow(old))
    FWindows.Send(old, WM_CAPTURECHANGED, 0, static_cast<TLParam>(window));
}

void TFakeInput::ReleaseCapture() {
  const TWnd old = FCapture;
  FCapture = 0;
  if (old && FWindows.IsWindow(old)) FWindows.Send(old, WM_CAPTURECHANGED, 0, 0);
}

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

std::unique_ptr<IHeldHandle> TFakeProcess::CreateNamedMutex(const std::string& name, bool& existed) {
  Calls.push_back("CreateMutex " + name);
  existed = false;
  if (RefuseMutex) return nullptr;
  existed = FMutexes.count(name) > 0;
  return HoldMutex(name);
}

std::unique_ptr<IHeldHandle> TFakeProcess::HoldMutex(const std::string& name) {
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

bool TFakeProfile::DeleteIniKey(const std::string& section, const std::string& key, const std::string& path) {
  Calls.push_back("delete " + section + " " + key);
  if (ReadOnly.count(path)) return false;
  return FEngine.DeleteIniKey(section, key, path);
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
