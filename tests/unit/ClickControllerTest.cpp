// The controller as the user meets it: hotkeys pressed through the fake system reach the
// main form, and the worker runs on the virtual clock.
#include <gtest/gtest.h>

#include "support/FakeSystem.h"
#include "ui/Form1.h"

using namespace win;

namespace {

struct ClickControllerTest : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  TForm1 form{app, sys.System};
  TClickController& controller = form.Controller();

  // The user presses keys; injected modifiers held down are added as the system would.
  void Press(TShortCut code) {
    sys.UserPress(code);
    sys.Windows.Pump();
  }
  std::vector<std::pair<std::uint8_t, bool>> Keys() const {  // (vk, down)
    std::vector<std::pair<std::uint8_t, bool>> keys;
    for (const TInputEvent& e : sys.Input.KeyEvents())
      keys.push_back({e.Vk, !(e.Flags & KEYEVENTF_KEYUP)});
    return keys;
  }
};

}  // namespace

TEST_F(ClickControllerTest, RegistersTheSevenHotKeysInOrderAndNotCtrlHome) {
  const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
      {0, VK_HOME}, {MOD_SHIFT, VK_HOME}, {MOD_SHIFT | MOD_CONTROL, VK_HOME}, {0, VK_END},
      {MOD_SHIFT, VK_END}, {MOD_CONTROL, VK_END}, {MOD_SHIFT | MOD_CONTROL, VK_END}};
  ASSERT_EQ(sys.HotKeys.Registered().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(sys.HotKeys.Registered()[i].Modifiers, expected[i].first);
    EXPECT_EQ(sys.HotKeys.Registered()[i].Vk, expected[i].second);
    EXPECT_NE(form.HotKeyIds()[i], 0);
  }
  EXPECT_FALSE(sys.HotKeys.Lookup(MOD_CONTROL, VK_HOME).has_value());
}

TEST_F(ClickControllerTest, HomeStartsOneWorkerWithTheOptionsAndAnimatesTheTray) {
  form.IntTime->SetText("50");
  form.Spd->SetItemIndex(1);
  Press(VK_HOME);
  ASSERT_EQ(sys.Threads.Count(), 1u);
  EXPECT_EQ(sys.Threads.Thread(0).Priority, THREAD_PRIORITY_HIGHEST);
  EXPECT_EQ(controller.Clicker()->HoldTime(), 20);
  EXPECT_EQ(controller.Clicker()->WaitTime(), 30);
  EXPECT_TRUE(form.TrayIcon->CycleIcons());

  Press(VK_HOME);
  EXPECT_EQ(sys.Threads.Count(), 1u) << "a second Home starts no second worker";
}

TEST_F(ClickControllerTest, EndStopsTheWorkerWithinOneCycleAndStopsTheAnimation) {
  Press(VK_HOME);
  form.TrayIcon->SetIconIndex(1);
  sys.Clock.At(130, [&] { Press(VK_END); });
  sys.Settle();
  EXPECT_EQ(controller.Clicker(), nullptr);
  EXPECT_FALSE(form.TrayIcon->CycleIcons());
  EXPECT_EQ(form.TrayIcon->IconIndex(), 0);
  // End at 130, during the second wait: the wait is cut short and the worker ends then.
  const auto mouse = sys.Input.MouseEvents();
  ASSERT_EQ(mouse.size(), 4u);
  EXPECT_EQ(sys.Clock.Now(), 130u);
  EXPECT_EQ(mouse.back().Flags, MOUSEEVENTF_LEFTUP) << "the button is left up";
  EXPECT_TRUE(Keys().empty()) << "no lock, no key events";
}

TEST_F(ClickControllerTest, AutoStopComesBackAsEndAndReturnsTheControllerToIdle) {
  form.AutoStop->SetChecked(true);
  form.ChkDot->SetText("2");
  Press(VK_HOME);
  sys.Clock.At(150, [&] { sys.Input.MoveCursor({0, 0}); });
  sys.Settle();
  EXPECT_EQ(controller.Clicker(), nullptr);
  EXPECT_FALSE(form.TrayIcon->CycleIcons());
  EXPECT_EQ(Keys(), (std::vector<std::pair<std::uint8_t, bool>>{{VK_END, true}, {VK_END, false}}));
}

TEST_F(ClickControllerTest, CtrlLockWithoutClickWhileLockedHoldsCtrlOnlyAndCtrlEndReleasesIt) {
  form.CtrlLock->SetChecked(true);
  Press(VK_HOME);
  EXPECT_EQ(sys.Threads.Count(), 0u);
  EXPECT_FALSE(form.TrayIcon->CycleIcons());
  EXPECT_TRUE(sys.Input.IsKeyDown(VK_CONTROL));

  Press(VK_HOME);  // arrives as Ctrl+Home: no hotkey of ours
  EXPECT_EQ(Keys().size(), 1u);

  Press(VK_END);   // arrives as Ctrl+End
  EXPECT_FALSE(sys.Input.IsKeyDown(VK_CONTROL));
  EXPECT_EQ(Keys(), (std::vector<std::pair<std::uint8_t, bool>>{{VK_CONTROL, true},
                                                                 {VK_CONTROL, false}}));
}

TEST_F(ClickControllerTest, ShiftLockTurnsHomeIntoPinningAndEndIntoReleaseAndStop) {
  form.ShiftLock->SetChecked(true);
  form.LockAndClick->SetChecked(true);
  Press(VK_HOME);
  ASSERT_NE(controller.Clicker(), nullptr);
  EXPECT_TRUE(sys.Input.IsKeyDown(VK_SHIFT));

  sys.Input.MoveCursor({7, 8});
  Press(VK_HOME);  // Shift+Home: pin the point for the next start
  EXPECT_TRUE(controller.UseFixPoint());
  EXPECT_EQ(controller.FixPoint(), (TPoint{7, 8}));
  EXPECT_EQ(sys.Threads.Count(), 1u);

  Press(VK_END);   // Shift+End: forget the point, and with the Shift lock on, stop
  EXPECT_FALSE(controller.UseFixPoint());
  EXPECT_EQ(controller.Clicker(), nullptr);
  EXPECT_FALSE(sys.Input.IsKeyDown(VK_SHIFT));
}

TEST_F(ClickControllerTest, CtrlRowsActOnlyWhileTheCtrlLockIsOn) {
  Press(VK_HOME);
  Press(scShift | scCtrl | VK_HOME);
  EXPECT_FALSE(controller.UseFixPoint());
  Press(scCtrl | VK_END);
  EXPECT_NE(controller.Clicker(), nullptr);
  controller.SetFixPoint();
  Press(scShift | scCtrl | VK_END);
  EXPECT_TRUE(controller.UseFixPoint());

  form.CtrlLock->SetChecked(true);
  Press(scShift | scCtrl | VK_END);
  EXPECT_FALSE(controller.UseFixPoint());
  Press(scShift | scCtrl | VK_HOME);
  EXPECT_TRUE(controller.UseFixPoint());
  Press(scCtrl | VK_END);
  EXPECT_EQ(controller.Clicker(), nullptr);
}

TEST_F(ClickControllerTest, ShiftEndWithoutShiftLockOnlyForgetsThePointAndClickingGoesOn) {
  Press(VK_HOME);
  Press(scShift | VK_HOME);
  Press(scShift | VK_END);
  EXPECT_FALSE(controller.UseFixPoint());
  EXPECT_NE(controller.Clicker(), nullptr);
}

TEST_F(ClickControllerTest, EndWithALockOnReleasesTheKeyEvenWithoutAWorker) {
  form.ShiftLock->SetChecked(true);
  controller.StopClick();
  EXPECT_EQ(Keys(), (std::vector<std::pair<std::uint8_t, bool>>{{VK_SHIFT, false}}));
}

TEST_F(ClickControllerTest, ANewFixedPointAppliesFromTheNextStart) {
  sys.Input.MoveCursor({10, 10});
  Press(scShift | VK_HOME);
  Press(VK_HOME);
  sys.Input.MoveCursor({99, 99});
  Press(scShift | VK_HOME);      // while clicking
  sys.Clock.At(150, [&] { Press(VK_END); });
  sys.Settle();
  for (const TInputEvent& e : sys.Input.MouseEvents()) EXPECT_EQ(e.Point, (TPoint{10, 10}));

  sys.Input.ClearEvents();
  Press(VK_HOME);
  EXPECT_EQ(sys.Input.Cursor(), (TPoint{99, 99}));
}

TEST_F(ClickControllerTest, ButtonChoiceMapsToFlagsAndAnUnknownIndexKeepsThem) {
  const struct { int choice; std::uint32_t down, up; } cases[] = {
      {1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
      {-1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
      {2, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP},
      {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}};
  for (const auto& c : cases) {
    form.ButtonClick->SetItemIndex(c.choice);
    controller.ApplyButtonChoice();
    EXPECT_EQ(controller.DownFlag(), c.down) << "choice " << c.choice;
    EXPECT_EQ(controller.UpFlag(), c.up) << "choice " << c.choice;
  }
}

TEST(ClickControllerStart, NoButtonChosenAtCreationClicksWithNoButtonAndNormalPriority) {
  struct TNoChoice final : IClickOptions {
    int ButtonChoice() const override { return -1; }
    bool CtrlLock() const override { return false; }
    bool ShiftLock() const override { return false; }
    bool LockAndClick() const override { return false; }
    std::int32_t Interval() const override { return 100; }
    int PriorityChoice() const override { return -1; }
    bool AutoStop() const override { return false; }
    std::int32_t Tolerance() const override { return 0; }
  } options;
  TFakeSystem sys;
  struct TTraySwitch final : ITrayAnimation {
    bool CycleIcons = false;
    void SetCycleIcons(bool on) override { CycleIcons = on; }
    void SetIconIndex(int) override {}
    void ShowWarning(const std::string&) override {}
  } tray;
  TClickController controller(sys.System, options, tray);
  controller.ApplyButtonChoice();
  controller.StartClick();
  EXPECT_EQ(controller.DownFlag(), 0u);
  EXPECT_FALSE(sys.Threads.Thread(0).Priority.has_value());
  EXPECT_TRUE(tray.CycleIcons);
}

TEST_F(ClickControllerTest, AWorkerThatCannotStartIsReportedAndTheProgramCarriesOn) {
  sys.Threads.RefuseCreation = true;
  form.CtrlLock->SetChecked(true);
  form.LockAndClick->SetChecked(true);
  Press(VK_HOME);
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 1u);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "Thread creation error.");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Caption, "Vantrel");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Flags, MB_OK | MB_ICONERROR);
  EXPECT_FALSE(form.TrayIcon->CycleIcons());

  sys.Threads.RefuseCreation = false;
  Press(VK_END);  // Ctrl+End: the held Ctrl is released
  EXPECT_FALSE(sys.Input.IsKeyDown(VK_CONTROL));
}

// Every way the program ends, while a worker clicks with both locks holding their keys: the
// worker is stopped and waited for (its press ends with its release), the keys are let go,
// and nothing is left to run on into the teardown.
TEST(ClickControllerShutdown, EveryWayOutStopsTheWorkerAndLeavesNothingPressed) {
  const struct {
    const char* way;
    std::function<void(TFakeSystem&, TApplication&, std::unique_ptr<TForm1>&)> end;
  } ways[] = {
      {"WM_CLOSE to the hidden form",
       [](TFakeSystem& s, TApplication&, auto& f) { s.Windows.Send(f->Handle(), WM_CLOSE); }},
      {"WM_CLOSE to the application window",
       [](TFakeSystem& s, TApplication& a, auto&) { s.Windows.Send(a.Handle(), WM_CLOSE); }},
      {"end of session",
       [](TFakeSystem& s, TApplication&, auto& f) {
         EXPECT_EQ(s.Windows.Send(f->Handle(), WM_QUERYENDSESSION), 1);
         s.Windows.Send(f->Handle(), WM_ENDSESSION, 1);
       }},
      {"the form's destruction", [](TFakeSystem&, TApplication&, auto& f) { f.reset(); }},
  };
  for (const auto& w : ways) {
    TFakeSystem sys;
    TApplication app{sys.System, "Vantrel"};
    auto form = std::make_unique<TForm1>(app, sys.System);
    app.OnClose = [&] { if (form) form->Close(); };
    form->CtrlLock->SetChecked(true);
    form->ShiftLock->SetChecked(true);
    form->LockAndClick->SetChecked(true);
    sys.UserPress(VK_HOME);
    sys.Windows.Pump();
    ASSERT_TRUE(sys.Input.IsKeyDown(VK_CONTROL)) << w.way;
    std::weak_ptr<AutoClicker> worker = form->Controller().Clicker();
    // The way out comes during the first idle wait.
    sys.Clock.At(50, [&] { w.end(sys, app, form); });
    sys.Threads.RunThreads();

    EXPECT_FALSE(sys.Input.IsKeyDown(VK_CONTROL)) << w.way;
    EXPECT_FALSE(sys.Input.IsKeyDown(VK_SHIFT)) << w.way;
    const auto mouse = sys.Input.MouseEvents();
    ASSERT_EQ(mouse.size(), 2u) << w.way;
    EXPECT_EQ(mouse.back().Flags, MOUSEEVENTF_LEFTUP) << w.way;
    EXPECT_EQ(sys.Clock.Now(), 50u) << w.way << ": the idle wait ends with the request";
    EXPECT_TRUE(worker.expired()) << w.way << ": the worker has ended and let go";
    if (form) {
      EXPECT_TRUE(app.Terminated()) << w.way;
      EXPECT_TRUE(sys.HotKeys.Registered().empty()) << w.way;
    }
  }
}

TEST(ClickControllerShutdown, KeysPressedByALockAreReleasedAtTheEndEvenIfTheLockWasTurnedOff) {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  TForm1 form{app, sys.System};
  form.CtrlLock->SetChecked(true);
  sys.UserPress(VK_HOME);  // Ctrl goes down; the lock alone clicks nothing
  sys.Windows.Pump();
  form.CtrlLock->SetChecked(false);
  sys.UserPress(VK_END);  // the lock is off now, so End releases nothing
  sys.Windows.Pump();
  ASSERT_TRUE(sys.Input.IsKeyDown(VK_CONTROL));
  sys.Windows.Send(form.Handle(), WM_CLOSE);
  EXPECT_FALSE(sys.Input.IsKeyDown(VK_CONTROL));
  // Released once: a key-up the lock did not cause is never sent.
  sys.Windows.Send(form.Handle(), WM_CLOSE);
  const auto keys = sys.Input.KeyEvents();
  EXPECT_EQ(std::count_if(keys.begin(), keys.end(),
                          [](const TInputEvent& e) { return e.Flags & KEYEVENTF_KEYUP; }),
            1);
}

// Input injected into a window of a process that runs above this program is dropped without
// an error: the player is told once per target process, in a tray balloon, and clicking
// starts all the same. The target is the window under the cursor, else the foreground one.
TEST(ClickControllerStart, ATargetRunningAboveThisProgramIsToldOfOncePerProcess) {
  const struct {
    const char* what;
    std::optional<std::uint32_t> level;
    bool told;
  } cases[] = {{"lower", 0x1000, false}, {"equal", 0x2000, false}, {"higher", 0x3000, true},
               {"cannot be asked", std::nullopt, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TFakeSystem sys;
    TApplication app{sys.System, "Vantrel"};
    TForm1 form{app, sys.System};
    const TWnd game = 0x7000, other = 0x7100;
    sys.Windows.PointWindow = game;
    sys.Windows.ProcessOf = {{game, 42}, {other, 43}};
    sys.Process.Levels = {{42, c.level}, {43, c.level}};
    const auto balloons = [&] {
      std::vector<TNotifyIconData> shown;
      for (const auto& call : sys.Shell.NotifyCalls)
        if (call.Data.uFlags & NIF_INFO) shown.push_back(call.Data);
      return shown;
    };
    const auto homeThenEnd = [&] {
      sys.UserPress(VK_HOME);
      sys.Windows.Pump();
      EXPECT_NE(form.Controller().Clicker(), nullptr) << "clicking starts all the same";
      sys.UserPress(VK_END);
      sys.Windows.Pump();
    };
    homeThenEnd();
    homeThenEnd();
    ASSERT_EQ(balloons().size(), c.told ? 1u : 0u) << "once for the process";
    if (c.told) {
      EXPECT_EQ(balloons()[0].szInfoTitle, "Vantrel");
      EXPECT_EQ(balloons()[0].szInfo, ElevatedTargetWarning);
      EXPECT_EQ(balloons()[0].dwInfoFlags, NIIF_WARNING);
    }
    // Nothing under the cursor: the foreground window's process, told of once more.
    sys.Windows.PointWindow = 0;
    sys.Windows.Foreground = other;
    homeThenEnd();
    EXPECT_EQ(balloons().size(), c.told ? 2u : 0u);
    sys.Threads.RunThreads();
  }
}
