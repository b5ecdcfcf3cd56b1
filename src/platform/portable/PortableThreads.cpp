#include "platform/portable/PortableThreads.h"

#include <chrono>
#include <future>
#include <thread>

#include "platform/WinApi.h"

void TPortableEvent::Set() {
  {
    std::lock_guard lock(FLock);
    FSet = true;
  }
  FChanged.notify_all();
}

bool TPortableEvent::Wait(std::uint32_t ms) {
  std::unique_lock lock(FLock);
  if (ms == win::INFINITE) {
    FChanged.wait(lock, [this] { return FSet; });
    return true;
  }
  return FChanged.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FSet; });
}

namespace {

class TPortableThread final : public IThread {
public:
  explicit TPortableThread(std::function<void()> body) : FEnded(std::make_shared<TPortableEvent>()) {
    std::shared_future<bool> go = FGo.get_future().share();
    FThread = std::thread([go, ended = FEnded, body = std::move(body)]() mutable {
      if (go.get()) body();
      body = nullptr;  // release what the body holds on this thread
      ended->Set();
    });
  }
  ~TPortableThread() override {
    if (!FResumed) FGo.set_value(false);
    FThread.detach();
  }
  bool SetPriority(int priority) override {
    FPriority = priority;
    return true;
  }
  void Resume() override {
    if (FResumed) return;
    FResumed = true;
    FGo.set_value(true);
  }
  bool Wait(std::uint32_t ms) override { return FEnded->Wait(ms); }

private:
  std::promise<bool> FGo;
  std::shared_ptr<TPortableEvent> FEnded;  // shared with the thread, which may outlive us
  std::thread FThread;
  bool FResumed = false;
  int FPriority = 0;
};

}  // namespace

std::unique_ptr<IThread> TPortableThreads::CreateSuspended(std::function<void()> body) {
  try {
    return std::make_unique<TPortableThread>(std::move(body));
  } catch (const std::system_error&) {
    return nullptr;
  }
}
