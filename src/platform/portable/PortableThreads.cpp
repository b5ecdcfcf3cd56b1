#include "platform/portable/PortableThreads.h"

#include <future>
#include <thread>

namespace {

class TPortableThread final : public IThread {
public:
  explicit TPortableThread(std::function<void()> body) {
    std::shared_future<bool> go = FGo.get_future().share();
    FThread = std::thread([go, body = std::move(body)]() mutable {
      if (go.get()) body();
      body = nullptr;  // release what the body holds on this thread
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

private:
  std::promise<bool> FGo;
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
