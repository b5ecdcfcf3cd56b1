// The simple timer on the fake system's virtual clock: its three states (disabled, running,
// suspended), what restarts its count, one-shot ticks, and the one shared window that all
// timers of a program tick on.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeSystem.h"
#include "tray/SimpleTimer.h"

using namespace win;

namespace {

struct SimpleTimerTest : ::testing::Test {
  TFakeSystem sys;
  TSimpleTimerUnit unit{sys.Windows};
  std::vector<std::uint64_t> ticks;  // virtual times of the callbacks

  TSimpleTimer::TTimerEvent Record() {
    return [this](TSimpleTimer&) { ticks.push_back(sys.Clock.Now()); };
  }
  TWnd SharedWindow() const { return sys.Windows.FindWindow(TSimpleTimerUnit::WindowClassName); }
  // Runs the clock to t, then does what is due at t.
  void At(std::uint64_t t, const std::function<void()>& action) {
    sys.Windows.Advance(t - sys.Clock.Now());
    action();
  }
};

}  // namespace

TEST(SimpleTimer, StateRules) {
  using TRecorder = TSimpleTimer::TTimerEvent;
  struct TStep {
    std::uint64_t At;
    std::function<void(TSimpleTimer&, const TRecorder&)> Do;
  };
  struct TCase {
    const char* Name;
    std::vector<TStep> Steps;          // on a disabled timer of 100 ms that records its ticks
    std::vector<std::uint64_t> Ticks;  // up to 1000 ms
    bool Enabled;                      // at the end
  };
  const auto enable = [](bool on) { return [on](TSimpleTimer& t, const TRecorder&) { t.SetEnabled(on); }; };
  const auto interval = [](std::uint32_t ms) {
    return [ms](TSimpleTimer& t, const TRecorder&) { t.SetInterval(ms); };
  };
  const auto noCallback = [](TSimpleTimer& t, const TRecorder&) { t.SetOnTimer(nullptr); };
  const auto callback = [](TSimpleTimer& t, const TRecorder& record) { t.SetOnTimer(record); };
  const TCase cases[] = {
      {"a new timer is disabled and never ticks", {}, {}, false},
      {"enabled, it ticks one full interval after the start", {{50, enable(true)}},
       {150, 250, 350, 450, 550, 650, 750, 850, 950}, true},
      {"Enabled true with Interval 0 leaves it disabled",
       {{0, interval(0)}, {0, enable(true)}}, {}, false},
      {"Interval 0 on a running timer stops the ticks but leaves it enabled",
       {{0, enable(true)}, {250, interval(0)}}, {100, 200}, true},
      {"a later non-zero Interval starts it again, counting from then",
       {{0, enable(true)}, {250, interval(0)}, {600, interval(200)}}, {100, 200, 800, 1000}, true},
      {"Enabled true while suspended by Interval 0 keeps it suspended",
       {{0, enable(true)}, {250, interval(0)}, {300, enable(true)}}, {100, 200}, true},
      {"writing the current Interval does not restart the count",
       {{0, enable(true)}, {150, interval(100)}}, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000},
       true},
      {"a different Interval restarts the count with the new period",
       {{0, enable(true)}, {150, interval(120)}}, {100, 270, 390, 510, 630, 750, 870, 990}, true},
      {"Enabled true on a running timer restarts its count",
       {{0, enable(true)}, {150, enable(true)}}, {100, 250, 350, 450, 550, 650, 750, 850, 950}, true},
      {"Enabled false stops it", {{0, enable(true)}, {350, enable(false)}}, {100, 200, 300}, false},
      {"an empty OnTimer suspends it; a new callback does not bring the ticks back",
       {{0, enable(true)}, {250, noCallback}, {400, callback}}, {100, 200}, true},
      {"after a new callback, Enabled true does",
       {{0, enable(true)}, {250, noCallback}, {400, callback}, {450, enable(true)}},
       {100, 200, 550, 650, 750, 850, 950}, true},
      {"Enabled false ends the suspension as disabled",
       {{0, enable(true)}, {250, interval(0)}, {300, enable(false)}, {400, interval(100)}},
       {100, 200}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeSystem sys;
    TSimpleTimerUnit unit(sys.Windows);
    std::vector<std::uint64_t> ticks;
    const TRecorder record = [&](TSimpleTimer&) { ticks.push_back(sys.Clock.Now()); };
    TSimpleTimer timer(unit, 100, record);
    for (const TStep& step : c.Steps) {
      sys.Windows.Advance(step.At - sys.Clock.Now());
      step.Do(timer, record);
    }
    sys.Windows.Advance(1000 - sys.Clock.Now());
    EXPECT_EQ(ticks, c.Ticks);
    EXPECT_EQ(timer.Enabled(), c.Enabled);
  }
}

TEST_F(SimpleTimerTest, ADefaultTimerHasOneSecondAndNoCallback) {
  TSimpleTimer timer(unit);
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.OnTimer());
  EXPECT_FALSE(timer.OneShot);
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Enabled());
}

TEST_F(SimpleTimerTest, AOneShotTimerTicksOnceAndItsCallbackMayStartItAgain) {
  int again = 1;
  TSimpleTimer timer(unit, 100, nullptr);
  timer.OneShot = true;
  timer.SetOnTimer([&](TSimpleTimer& t) {
    ticks.push_back(sys.Clock.Now());
    EXPECT_FALSE(t.Enabled()) << "disabled before the callback runs";
    if (again-- > 0) t.SetEnabled(true);
  });
  timer.SetEnabled(true);
  sys.Windows.Advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 200}));
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
}

TEST_F(SimpleTimerTest, AllTimersShareOneWindowThatLivesFromTheFirstToTheLast) {
  EXPECT_EQ(SharedWindow(), 0u);
  std::optional<TSimpleTimer> a, b;
  a.emplace(unit, 100, Record());
  const TWnd window = SharedWindow();
  ASSERT_NE(window, 0u);
  b.emplace(unit, 130, [this](TSimpleTimer&) { ticks.push_back(10000 + sys.Clock.Now()); });
  EXPECT_EQ(SharedWindow(), window);
  EXPECT_EQ(sys.Windows.WindowCount(), 1u);
  EXPECT_NE(a->TimerId(), b->TimerId());
  EXPECT_NE(a->TimerId(), 0u);
  EXPECT_NE(b->TimerId(), 0u);

  a->SetEnabled(true);
  b->SetEnabled(true);
  EXPECT_TRUE(sys.Windows.HasTimer(window, a->TimerId()));
  At(320, [&] { a.reset(); });
  EXPECT_EQ(sys.Windows.TimerCount(), 1u) << "the destroyed timer's system timer is killed";
  EXPECT_EQ(SharedWindow(), window);
  sys.Windows.Advance(180);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100, 10130, 200, 10260, 300, 10390}));

  b.reset();
  EXPECT_EQ(SharedWindow(), 0u) << "the last timer takes the window with it";
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
  TSimpleTimer c(unit);
  EXPECT_NE(SharedWindow(), 0u) << "the next timer makes a new one";
}

TEST_F(SimpleTimerTest, ATickThatOutlivesItsTimerOrItsRunIsDropped) {
  std::optional<TSimpleTimer> timer;
  timer.emplace(unit, 100, Record());
  TSimpleTimer other(unit, 100, nullptr);  // keeps the window
  const TWnd window = SharedWindow();
  const std::uint32_t id = timer->TimerId();

  // A WM_TIMER already queued when the timer stops (the system leaves it in the queue).
  timer->SetEnabled(true);
  sys.Windows.PostMessageTo(window, WM_TIMER, id, 0);
  timer->SetEnabled(false);
  sys.Windows.Pump();
  EXPECT_TRUE(ticks.empty());

  // One for a timer that is gone, and one for an id that never was.
  sys.Windows.PostMessageTo(window, WM_TIMER, id, 0);
  timer.reset();
  sys.Windows.PostMessageTo(window, WM_TIMER, 999, 0);
  sys.Windows.Pump();
  EXPECT_TRUE(ticks.empty());

  // The next timer takes the freed slot under a new id: a late tick for the old one still
  // finds nobody.
  TSimpleTimer successor(unit, 100, Record());
  EXPECT_NE(successor.TimerId(), id);
  successor.SetEnabled(true);
  sys.Windows.PostMessageTo(window, WM_TIMER, id, 0);
  sys.Windows.Pump();
  EXPECT_TRUE(ticks.empty());

  // Nor does anyone close the shared window: WM_CLOSE never reaches the default procedure,
  // which would destroy it.
  sys.Windows.Send(window, WM_CLOSE);
  for (const auto& m : sys.Windows.DefaultHandled) EXPECT_NE(m.Msg, WM_CLOSE);
}

TEST_F(SimpleTimerTest, ACallbackMayDestroyItsOwnTimer) {
  std::optional<TSimpleTimer> timer;
  TSimpleTimer keeper(unit);
  timer.emplace(unit, 100, [&](TSimpleTimer&) {
    ticks.push_back(sys.Clock.Now());
    timer.reset();
  });
  timer->SetEnabled(true);
  sys.Windows.Advance(500);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100}));
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
}

TEST_F(SimpleTimerTest, AFailedSetTimerLeavesTheTimerDisabledAlsoWhenItRan) {
  TSimpleTimer timer(unit, 100, Record());
  timer.SetEnabled(true);
  sys.Windows.Advance(150);
  // The window is gone under the timer (the system refuses every SetTimer now).
  sys.Windows.DestroyWindow(SharedWindow());
  timer.SetInterval(200);
  EXPECT_FALSE(timer.Enabled());
  sys.Windows.Advance(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{100}));
}
