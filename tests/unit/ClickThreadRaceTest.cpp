// The worker's end against its owner's terminate request, on real threads. Run under
// ThreadSanitizer (tsan preset) and AddressSanitizer (asan preset) this proves that a request
// racing with, or coming after, the worker's own end is harmless.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "click/ClickThread.h"
#include "platform/portable/PortableThreads.h"

namespace {

// A user who never keeps the mouse still: every cursor read is one pixel further on, so an
// auto-stopping worker ends by itself in its first cycle.
class TRestlessInput final : public IInput {
public:
  void mouse_event(std::uint32_t, std::int32_t, std::int32_t, std::uint32_t, std::uintptr_t) override {
    ++Clicks;
  }
  void keybd_event(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override { ++Keys; }
  bool GetCursorPos(TPoint& p) override {
    p = {FX.fetch_add(1), 0};
    return true;
  }
  bool SetCursorPos(std::int32_t, std::int32_t) override { return true; }
  // The worker never asks for the keys' state or the capture: no key is down, nobody holds
  // the mouse.
  std::int16_t GetAsyncKeyState(int) override { return 0; }
  std::uint32_t GetDoubleClickTime() override { return 500; }
  std::int16_t GetKeyState(int) override { return 0; }
  void SetCapture(TWnd) override {}
  void ReleaseCapture() override {}
  TWnd GetCapture() override { return 0; }
  std::atomic<int> Clicks{0};
  std::atomic<int> Keys{0};

private:
  std::atomic<std::int32_t> FX{0};
};

class TInstantClock final : public IClock {
public:
  void Sleep(std::uint32_t) override { std::this_thread::yield(); }
  void TimeBeginPeriod(std::uint32_t) override { ++Requests; }
  void TimeEndPeriod(std::uint32_t) override { --Requests; }
  std::unique_ptr<IEvent> NewEvent() override { return std::make_unique<TPortableEvent>(); }
  std::atomic<int> Requests{0};
};

void WaitUntilReleased(const std::vector<std::weak_ptr<AutoClicker>>& workers) {
  for (const auto& w : workers)
    while (!w.expired()) std::this_thread::yield();
}

}  // namespace

TEST(ClickThreadRace, TerminateRacingWithTheWorkersOwnEndIsHarmless) {
  TPortableThreads threads;
  TRestlessInput input;
  TInstantClock clock;
  TClickerSettings s;
  s.AutoStop = true;
  s.Interval = 1;

  std::vector<std::weak_ptr<AutoClicker>> workers;
  for (int i = 0; i < 500; ++i) {
    std::shared_ptr<AutoClicker> worker = AutoClicker::Create(threads, input, clock, s);
    workers.push_back(worker);
    for (int spin = 0; spin < i % 7; ++spin) std::this_thread::yield();
    worker->Terminate();  // the worker may be anywhere: not started, looping, ending, ended
    worker.reset();
  }
  WaitUntilReleased(workers);
  EXPECT_EQ(input.Keys % 2, 0) << "End always goes out as a press and a release";
  EXPECT_EQ(clock.Requests, 0);
}

TEST(ClickThreadRace, TerminateAfterTheWorkerEndedByItselfIsHarmless) {
  TPortableThreads threads;
  TRestlessInput input;
  TInstantClock clock;
  TClickerSettings s;
  s.AutoStop = true;

  std::vector<std::weak_ptr<AutoClicker>> workers;
  for (int i = 0; i < 200; ++i) {
    std::shared_ptr<AutoClicker> worker = AutoClicker::Create(threads, input, clock, s);
    workers.push_back(worker);
    while (!worker->Finished()) std::this_thread::yield();
    worker->Terminate();
    EXPECT_TRUE(worker->Terminated());
  }
  WaitUntilReleased(workers);
  EXPECT_EQ(input.Keys, 400);
  EXPECT_EQ(input.Clicks, 0) << "the first cycle saw the movement and clicked nothing";
}
