#include <gtest/gtest.h>

#include "click/ClickThread.h"
#include "support/FakeSystem.h"

using namespace win;

namespace {

TClickerSettings LeftButton(std::int32_t interval) {
  TClickerSettings s;
  s.Interval = interval;
  s.DownFlag = MOUSEEVENTF_LEFTDOWN;
  s.UpFlag = MOUSEEVENTF_LEFTUP;
  return s;
}

TInputEvent Mouse(std::uint32_t flags, TPoint p, std::uint64_t t) {
  return {TInputEvent::Mouse, flags, 0, p, t};
}
TInputEvent Key(std::uint8_t vk, std::uint32_t flags, std::uint64_t t) {
  return {TInputEvent::Key, flags, vk, {}, t};
}

struct ClickThreadTest : ::testing::Test {
  TFakeSystem sys;
  std::shared_ptr<AutoClicker> Start(const TClickerSettings& s) {
    return AutoClicker::Create(sys.Threads, sys.Input, sys.Clock, s);
  }
  void TerminateAt(std::uint64_t t, const std::shared_ptr<AutoClicker>& worker) {
    sys.Clock.At(t, [worker] { worker->Terminate(); });
  }
};

}  // namespace

TEST(SplitInterval, HoldAndWaitAddUpToTheIntervalWithAtMost20msHeld) {
  const struct { std::int32_t interval, hold, wait; } cases[] = {
      {1, 1, 0}, {2, 1, 1}, {7, 4, 3}, {20, 10, 10}, {21, 20, 1}, {100, 20, 80},
      {86400000, 20, 86399980},
      // below 1 ms acts as 1: a cycle without a pause would flood the input stream
      {0, 1, 0}, {-1, 1, 0}, {-5, 1, 0}, {INT32_MIN, 1, 0}};
  for (const auto& c : cases) {
    const THoldWait split = SplitInterval(c.interval);
    EXPECT_EQ(split.Hold, c.hold) << "interval " << c.interval;
    EXPECT_EQ(split.Wait, c.wait) << "interval " << c.interval;
  }
}

TEST_F(ClickThreadTest, PriorityChoiceMapsToThreadPriorityAndOtherIndicesLeaveItNormal) {
  const struct { int choice; std::optional<int> priority; } cases[] = {
      {0, 15}, {1, 2}, {2, 1}, {3, 0}, {4, -1}, {5, -2}, {6, -15}, {-1, {}}, {7, {}}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    TClickerSettings s = LeftButton(100);
    s.PriorityChoice = cases[i].choice;
    Start(s)->Terminate();
    EXPECT_EQ(sys.Threads.Thread(i).Priority, cases[i].priority) << "choice " << cases[i].choice;
    EXPECT_TRUE(sys.Threads.Thread(i).Resumed);
  }
}

TEST_F(ClickThreadTest, ClicksAtTheCursorEveryIntervalAndStopsQuietlyAtTheTopOfTheNextCycle) {
  auto worker = Start(LeftButton(100));
  // Requested during the third wait: the wait is cut short, then the loop ends.
  TerminateAt(250, worker);
  sys.Clock.At(10, [&] { EXPECT_EQ(sys.Clock.TimerPeriodRequests(), 1); });
  sys.Threads.RunThreads();

  const TPoint at = sys.Input.Cursor();
  const std::vector<TInputEvent> expected = {
      Mouse(MOUSEEVENTF_LEFTDOWN, at, 0),   Mouse(MOUSEEVENTF_LEFTUP, at, 20),
      Mouse(MOUSEEVENTF_LEFTDOWN, at, 100), Mouse(MOUSEEVENTF_LEFTUP, at, 120),
      Mouse(MOUSEEVENTF_LEFTDOWN, at, 200), Mouse(MOUSEEVENTF_LEFTUP, at, 220)};
  EXPECT_EQ(sys.Input.Events(), expected);  // no key event on a requested stop
  EXPECT_EQ(sys.Clock.Now(), 250u);
  EXPECT_TRUE(worker->Finished());
  EXPECT_EQ(sys.Clock.TimerPeriodRequests(), 0) << "the 1 ms resolution is released at the end";
}

TEST_F(ClickThreadTest, AStopEndsTheIdleWaitAtOnceButLetsAPressEndWithItsRelease) {
  const struct { std::int32_t interval; std::uint64_t stopAt, endsAt; std::size_t mouse; } cases[] = {
      {100, 10, 20, 2},              // during the hold: the release still comes at 20
      {100, 150, 150, 4},            // during the wait
      {86400000, 60000, 60000, 2},   // a day-long wait ends with the request
      {86400000, 0, 20, 2},          // before the first press: that cycle still completes
  };
  for (const auto& c : cases) {
    TFakeSystem s;
    auto worker = AutoClicker::Create(s.Threads, s.Input, s.Clock, LeftButton(c.interval));
    s.Clock.At(c.stopAt, [worker] { worker->Terminate(); });
    s.Threads.RunThreads();
    EXPECT_EQ(s.Clock.Now(), c.endsAt) << "interval " << c.interval << ", stop at " << c.stopAt;
    const auto mouse = s.Input.MouseEvents();
    ASSERT_EQ(mouse.size(), c.mouse) << "interval " << c.interval << ", stop at " << c.stopAt;
    EXPECT_EQ(mouse.back().Flags, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(worker->Finished());
  }
}

TEST_F(ClickThreadTest, IntervalsOfOneAndBelowHoldOneMillisecondAndFollowAtOnce) {
  for (std::int32_t interval : {1, 0, -5}) {
    TFakeSystem s;
    auto worker = AutoClicker::Create(s.Threads, s.Input, s.Clock, LeftButton(interval));
    s.Clock.At(3, [worker] { worker->Terminate(); });
    s.Threads.RunThreads();
    const auto sleeps = s.Clock.Sleeps();
    ASSERT_GE(sleeps.size(), 4u) << "interval " << interval;
    EXPECT_EQ(std::vector<std::uint32_t>(sleeps.begin(), sleeps.begin() + 4),
              (std::vector<std::uint32_t>{1, 0, 1, 0}))
        << "interval " << interval;
    EXPECT_EQ(s.Input.MouseEvents().size(), 6u) << "one click per millisecond, no more";
  }
}

TEST_F(ClickThreadTest, AutoStopTestsEachAxisAgainstTheToleranceAndInjectsEnd) {
  const struct { std::int32_t tolerance; TPoint move; bool stops; } cases[] = {
      {5, {5, 5}, false},  {5, {6, 0}, true},  {5, {0, -6}, true},
      {0, {1, 0}, true},   {0, {0, 0}, false}, {99, {-99, 99}, false}};
  for (const auto& c : cases) {
    TFakeSystem s;
    TClickerSettings settings = LeftButton(100);
    settings.AutoStop = true;
    settings.Tolerance = c.tolerance;
    auto worker = AutoClicker::Create(s.Threads, s.Input, s.Clock, settings);
    const TPoint start = s.Input.Cursor();
    s.Clock.At(150, [&] { s.Input.MoveCursor({start.x + c.move.x, start.y + c.move.y}); });
    s.Clock.At(450, [worker] { worker->Terminate(); });
    s.Threads.RunThreads();

    const auto keys = s.Input.KeyEvents();
    if (c.stops) {
      // Detected at the top of the cycle at 200: no click in it, End pressed and released.
      ASSERT_EQ(keys.size(), 2u) << "tolerance " << c.tolerance;
      EXPECT_EQ(keys[0], Key(VK_END, 0, 200));
      EXPECT_EQ(keys[1], Key(VK_END, KEYEVENTF_KEYUP, 200));
      EXPECT_EQ(s.Input.MouseEvents().size(), 4u);
    } else {
      EXPECT_TRUE(keys.empty()) << "tolerance " << c.tolerance;
      EXPECT_EQ(s.Input.MouseEvents().size(), 10u);
    }
  }
}

TEST_F(ClickThreadTest, WithoutAutoStopMovementIsNeverLookedAt) {
  auto worker = Start(LeftButton(100));
  sys.Clock.At(50, [&] { sys.Input.MoveCursor({0, 0}); });
  TerminateAt(250, worker);
  sys.Threads.RunThreads();
  EXPECT_TRUE(sys.Input.KeyEvents().empty());
  const auto mouse = sys.Input.MouseEvents();
  ASSERT_EQ(mouse.size(), 6u);
  EXPECT_EQ(mouse[2].Point, (TPoint{0, 0})) << "clicks follow the cursor";
}

TEST_F(ClickThreadTest, FixedPointMovesTheCursorAtCreationAndBeforeEveryClick) {
  TClickerSettings s = LeftButton(100);
  s.UseFixPoint = true;
  s.FixPoint = {40, 30};
  s.AutoStop = true;
  s.Tolerance = 3;
  auto worker = Start(s);
  // Before the thread runs at all, the cursor is already there.
  EXPECT_EQ(sys.Input.Cursor(), (TPoint{40, 30}));
  sys.Clock.At(50, [&] { sys.Input.MoveCursor({43, 27}); });   // within tolerance: undone
  sys.Clock.At(150, [&] { sys.Input.MoveCursor({44, 30}); });  // beyond: stops at 200
  sys.Threads.RunThreads();

  const std::vector<TInputEvent> expected = {
      {TInputEvent::SetCursor, 0, 0, {40, 30}, 0},
      {TInputEvent::SetCursor, 0, 0, {40, 30}, 0},
      Mouse(MOUSEEVENTF_LEFTDOWN, {40, 30}, 0), Mouse(MOUSEEVENTF_LEFTUP, {40, 30}, 20),
      {TInputEvent::SetCursor, 0, 0, {40, 30}, 100},
      Mouse(MOUSEEVENTF_LEFTDOWN, {40, 30}, 100), Mouse(MOUSEEVENTF_LEFTUP, {40, 30}, 120),
      Key(VK_END, 0, 200), Key(VK_END, KEYEVENTF_KEYUP, 200)};
  EXPECT_EQ(sys.Input.Events(), expected);
}

TEST_F(ClickThreadTest, ThreadCreationFailureIsAnErrorAndNothingIsInjected) {
  sys.Threads.RefuseCreation = true;
  EXPECT_THROW(Start(LeftButton(100)), std::runtime_error);
  sys.Threads.RefuseCreation = false;
  sys.Clock.RefuseEvents = true;
  EXPECT_THROW(Start(LeftButton(100)), std::runtime_error);
  EXPECT_TRUE(sys.Input.Events().empty());
}
