// The tray icon against the fake shell, on the virtual clock: what the shell is told and
// with which record, the animation, the icon index and tooltip rules, the shared window,
// removal of referenced components, and the icon's return after a taskbar restart. Mouse
// callbacks are in TrayIconMouseTest.cpp.
#include "unit/TrayFixture.h"

#include "ui/Form1.h"

using namespace win;

// ---- the program's tray icon ------------------------------------------------------------

TEST(TrayOfTheForm, JoinsTheTrayAtStartWithImage0AndItsTooltipAndRunsNoTimer) {
  TFakeSystem sys;
  TApplication app(sys.System, "Vantrel");
  TForm1 form(app, sys.System);
  const TTrayIcon& icon = *form.TrayIcon;
  const TWnd trayWindow = sys.Windows.FindWindow(TTrayIconUnit::WindowClassName);
  // Loading: the hint and the stored icon reach a tray without the icon (those fail
  // harmlessly); IconVisible adds it; the image list and the loaded notification update it.
  EXPECT_EQ(sys.CallLog, (std::vector<std::string>{
                               "NIM_MODIFY failed",      // Hint
                               "NIM_MODIFY failed",      // the stored Icon
                               "NIM_ADD ok",             // IconVisible
                               "NIM_MODIFY ok",          // IconIndex 0 without a list
                               "NIM_MODIFY ok",          // IconList → IconIndex 0, image 0
                               "NIM_MODIFY ok",          // loaded
                               "NIM_ADD failed",         // loaded: IconVisible again
                               "NIM_SETVERSION ok"}));   // loaded: version 0 callbacks
  ASSERT_EQ(sys.Shell.NotifyCalls.size(), 8u);
  EXPECT_EQ(sys.Icons.NameOf(sys.Shell.NotifyCalls[2].Data.hIcon), "MAINICON")
      << "added with the stored icon, before the image list is attached";

  const TNotifyIconData* shown = sys.Shell.FindIcon(trayWindow, icon.TrayId());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->cbSize, TNotifyIconData::SystemSize);
  EXPECT_EQ(shown->uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  EXPECT_EQ(shown->uCallbackMessage, 0x0800u);
  EXPECT_EQ(shown->szTip, "Vantrel");
  EXPECT_EQ(shown->uVersion, 0u);
  EXPECT_TRUE(shown->szInfo.empty() && shown->szInfoTitle.empty() && shown->dwInfoFlags == 0)
      << "no balloon, ever";
  EXPECT_EQ(sys.Icons.NameOf(shown->hIcon), "MAINICON");
  EXPECT_EQ(sys.Icons.SizeOf(shown->hIcon), 16);
  EXPECT_EQ(icon.CycleInterval(), 300u);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u) << "an idle program runs no timer";
}

TEST(TrayOfTheForm, HomeAnimatesTheIconEvery300msAndEndShowsImage0AgainWithNoTimerLeft) {
  TFakeSystem sys;
  TApplication app(sys.System, "Vantrel");
  TForm1 form(app, sys.System);
  const TWnd trayWindow = sys.Windows.FindWindow(TTrayIconUnit::WindowClassName);
  const auto shown = [&] {
    return sys.Icons.NameOf(sys.Shell.FindIcon(trayWindow, form.TrayIcon->TrayId())->hIcon);
  };
  sys.Windows.Advance(1000);  // whenever the user presses Home
  sys.PressHotKey(VK_HOME);
  sys.Windows.Pump();
  EXPECT_EQ(sys.Windows.TimerCount(), 1u) << "the animation's timer, and only while clicking";
  const std::pair<std::uint64_t, const char*> expected[] = {
      {1000, "MAINICON"}, {1299, "MAINICON"}, {1300, "TRAYIMAGE1"}, {1599, "TRAYIMAGE1"},
      {1600, "MAINICON"}, {1900, "TRAYIMAGE1"}, {2200, "MAINICON"}, {2500, "TRAYIMAGE1"}};
  for (const auto& [at, image] : expected) {
    sys.Windows.Advance(at - sys.Clock.Now());
    EXPECT_EQ(shown(), image) << "at " << at << " ms";
  }
  const std::size_t calls = sys.CallLog.size();
  sys.Windows.Advance(900);
  EXPECT_EQ(sys.CallLog.size() - calls, 3u) << "one update of the tray per step";
  sys.PressHotKey(VK_END);
  sys.Windows.Pump();
  EXPECT_EQ(shown(), "MAINICON");
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
  sys.Windows.Advance(3000);
  EXPECT_EQ(shown(), "MAINICON");
}

TEST(TrayOfTheForm, APressStoresThePointAndALeftClickBringsTheFormForward) {
  TFakeSystem sys;
  TApplication app(sys.System, "Vantrel");
  TForm1 form(app, sys.System);
  const TWnd trayWindow = sys.Windows.FindWindow(TTrayIconUnit::WindowClassName);
  const std::uint32_t id = form.TrayIcon->TrayId();
  sys.Input.MoveCursor({1200, 1010});
  sys.Windows.Send(trayWindow, TrayCallbackMessage, id, WM_MBUTTONDOWN);
  EXPECT_EQ(form.TrayPos(), (TPoint{1200, 1010}));
  sys.Input.MoveCursor({1190, 1005});
  sys.CallLog.clear();
  sys.Windows.Send(trayWindow, TrayCallbackMessage, id, WM_LBUTTONDOWN);
  EXPECT_TRUE(sys.CallLog.empty()) << "nothing before the release";
  sys.Windows.Send(trayWindow, TrayCallbackMessage, id, WM_LBUTTONUP);
  EXPECT_EQ(form.TrayPos(), (TPoint{1190, 1005}));
  EXPECT_EQ(sys.CallLog, (std::vector<std::string>{"SetForegroundWindow " + std::to_string(form.Handle())}))
      << "the click comes at the release, with no double-click wait";
}

// ---- the shell's record -----------------------------------------------------------------

TEST_F(TrayFixture, AddModifyAndDeleteCarryTheRecordOfTheIcon) {
  TTrayIcon& icon = MakeIcon();
  icon.SetHint("Vantrel");
  icon.SetIconList(&list);
  icon.SetIconVisible(true);
  icon.SetIconIndex(1);
  const std::uint32_t id = icon.TrayId();
  ASSERT_NE(id, 0u);
  const TNotifyIconData* shown = sys.Shell.FindIcon(TrayWindow(), id);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->hWnd, TrayWindow());
  EXPECT_EQ(shown->uID, id);
  EXPECT_EQ(Shown(icon), "IMG1");
  EXPECT_EQ(shown->szTip, "Vantrel");

  icon.SetIconVisible(false);
  EXPECT_EQ(sys.Shell.FindIcon(TrayWindow(), id), nullptr);
  EXPECT_FALSE(icon.IconVisible());
  EXPECT_EQ(sys.CallLog.back(), "NIM_DELETE ok");
  icon.SetHint("changed while absent");
  EXPECT_EQ(sys.CallLog.back(), "NIM_MODIFY failed");
  icon.SetIconVisible(true);
  EXPECT_EQ(sys.Shell.FindIcon(TrayWindow(), id)->szTip, "changed while absent");

  owner.DestroyComponent(icon);
  EXPECT_EQ(sys.CallLog.back(), "NIM_DELETE ok");
  EXPECT_EQ(sys.Shell.IconCount(), 0u);
}

TEST_F(TrayFixture, TheTooltipIsTheHintCutAt127BytesOfTheSystemsText) {
  struct TCase {
    std::string Hint;
    bool ShowHint;
    std::string Tip;
  };
  const std::string a127(127, 'a');
  const TCase cases[] = {
      {"Vantrel", true, "Vantrel"},
      {a127, true, a127},
      {a127 + "b", true, a127},
      {std::string(300, 'c'), true, std::string(127, 'c')},
      {std::string(126, 'a') + "\xC3\xA9", true, std::string(126, 'a')},  // é does not fit
      {std::string(125, 'a') + "\xC3\xA9" + "z", true, std::string(125, 'a') + "\xC3\xA9"},
      {"", true, ""},
      {"Vantrel", false, ""},
  };
  TTrayIcon& icon = MakeIcon();
  icon.SetIconVisible(true);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Hint.substr(0, 20) + "… (" + std::to_string(c.Hint.size()) + " bytes)");
    icon.SetShowHint(c.ShowHint);
    icon.SetHint(c.Hint);
    EXPECT_EQ(sys.Shell.FindIcon(TrayWindow(), icon.TrayId())->szTip, c.Tip);
    EXPECT_EQ(icon.Hint(), c.Hint) << "the hint itself is kept whole";
  }
}

TEST_F(TrayFixture, IconIndexRules) {
  struct TCase {
    const char* Name;
    int Images;  // -1: no image list
    std::int32_t Write;
    std::int32_t Index;
    const char* Shown;
  };
  const TCase cases[] = {
      {"an image of the list", 2, 1, 1, "IMG1"},
      {"above the last image: the last", 2, 7, 1, "IMG1"},
      {"negative: an empty icon", 2, -1, -1, ""},
      {"an empty list: -1 and an empty icon", 0, 0, -1, ""},
      {"without a list any write gives 0 and keeps the picture", -1, 5, 0, "MAINICON"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TImageList& images = owner.Create<TImageList>("Images", sys.Icons);
    for (int i = 0; i < c.Images; ++i) images.AddIconResource("IMG" + std::to_string(i));
    TTrayIcon& icon = MakeIcon();
    icon.Icon().LoadResource("MAINICON", 16);
    if (c.Images >= 0) icon.SetIconList(&images);
    icon.SetIconVisible(true);
    icon.SetIconIndex(c.Write);
    EXPECT_EQ(icon.IconIndex(), c.Index);
    EXPECT_EQ(Shown(icon), c.Shown);
    owner.DestroyComponent(icon);
    owner.DestroyComponent(images);
  }
}

// ---- animation ----------------------------------------------------------------------------

TEST_F(TrayFixture, AnimationRules) {
  using TAction = std::function<void(TTrayIcon&)>;
  struct TCase {
    const char* Name;
    std::vector<std::pair<std::uint64_t, TAction>> Steps;  // on an icon at 300 ms, image 1 shown
    std::vector<std::pair<std::uint64_t, const char*>> Shown;
  };
  const auto cycle = [](bool on) { return [on](TTrayIcon& i) { i.SetCycleIcons(on); }; };
  const auto interval = [](std::uint32_t ms) { return [ms](TTrayIcon& i) { i.SetCycleInterval(ms); }; };
  const auto index = [](std::int32_t n) { return [n](TTrayIcon& i) { i.SetIconIndex(n); }; };
  const TCase cases[] = {
      {"image 0 at once, then 1, 0, 1 … every period",
       {{0, cycle(true)}},
       {{0, "IMG0"}, {299, "IMG0"}, {300, "IMG1"}, {600, "IMG0"}, {900, "IMG1"}, {2400, "IMG0"}}},
      {"stopped between two steps, the image of that moment stays until IconIndex is written",
       {{0, cycle(true)}, {400, cycle(false)}, {2000, index(0)}},
       {{400, "IMG1"}, {1999, "IMG1"}, {2000, "IMG0"}, {5000, "IMG0"}}},
      {"a new interval while cycling restarts at image 0 with the new period",
       {{0, cycle(true)}, {350, interval(500)}},
       {{349, "IMG1"}, {350, "IMG0"}, {849, "IMG0"}, {850, "IMG1"}, {1350, "IMG0"}}},
      {"interval 0: image 0 is shown and nothing animates",
       {{0, interval(0)}, {0, cycle(true)}},
       {{0, "IMG0"}, {5000, "IMG0"}}},
      {"interval 0 while cycling stops the animation at image 0",
       {{0, cycle(true)}, {350, interval(0)}},
       {{350, "IMG0"}, {5000, "IMG0"}}},
      {"a new interval while still only sets the period",
       {{0, interval(100)}, {1000, cycle(true)}},
       {{999, "IMG1"}, {1000, "IMG0"}, {1100, "IMG1"}, {1200, "IMG0"}}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeSystem system;
    TTrayFixtureWorld world(system);
    TTrayIcon& icon = world.MakeIcon();
    icon.SetIconList(&world.list);
    icon.SetCycleInterval(300);
    icon.SetIconVisible(true);
    icon.SetIconIndex(1);
    std::size_t step = 0;
    for (const auto& [at, image] : c.Shown) {
      while (step < c.Steps.size() && c.Steps[step].first <= at) {
        system.Windows.Advance(c.Steps[step].first - system.Clock.Now());
        c.Steps[step++].second(icon);
      }
      system.Windows.Advance(at - system.Clock.Now());
      EXPECT_EQ(world.Shown(icon), image) << "at " << at << " ms";
    }
    EXPECT_EQ(system.Windows.TimerCount(), icon.CycleIcons() && icon.CycleInterval() ? 1u : 0u);
  }
}

TEST_F(TrayFixture, OnCycleHearsTheNextIndexBeforeTheStep) {
  TTrayIcon& icon = MakeIcon();
  std::vector<std::string> seen;
  icon.OnCycle = [&](TComponent* sender, std::int32_t next) {
    EXPECT_EQ(sender, &icon);
    seen.push_back(std::to_string(icon.IconIndex()) + "->" + std::to_string(next));
  };
  icon.SetIconList(&list);
  icon.SetCycleInterval(300);
  icon.SetCycleIcons(true);
  sys.Windows.Advance(900);
  EXPECT_EQ(seen, (std::vector<std::string>{"0->1", "1->0", "0->1"}));
}

// ---- the shared window ------------------------------------------------------------------

TEST_F(TrayFixture, TwoIconsShareTheWindowUnderTheirOwnIdsAndOneGoesAlone) {
  TTrayIcon& first = MakeIcon();
  TTrayIcon& second = MakeIcon();
  const TWnd window = TrayWindow();
  first.SetIconVisible(true);
  second.SetIconVisible(true);
  EXPECT_NE(first.TrayId(), second.TrayId());
  EXPECT_EQ(first.NotifyRecord().hWnd, window);
  EXPECT_EQ(second.NotifyRecord().hWnd, window);
  EXPECT_EQ(sys.Shell.IconCount(), 2u);
  const std::uint32_t firstId = first.TrayId();
  int secondDowns = 0;
  second.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    ++secondDowns;
  };
  owner.DestroyComponent(first);
  EXPECT_EQ(TrayWindow(), window);
  EXPECT_EQ(sys.Shell.IconCount(), 1u);
  sys.Windows.Send(window, TrayCallbackMessage, firstId, WM_LBUTTONDOWN);  // late, for the gone one
  sys.Windows.Send(window, TrayCallbackMessage, second.TrayId(), WM_LBUTTONDOWN);
  EXPECT_EQ(secondDowns, 1);
  // A third icon takes the first one's slot under a new id; the late callback still finds nobody.
  TTrayIcon& third = MakeIcon();
  int thirdDowns = 0;
  third.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    ++thirdDowns;
  };
  EXPECT_NE(third.TrayId(), firstId);
  sys.Windows.Send(window, TrayCallbackMessage, firstId, WM_LBUTTONDOWN);
  EXPECT_EQ(thirdDowns, 0);
  owner.DestroyComponent(third);
  owner.DestroyComponent(second);
  EXPECT_EQ(TrayWindow(), 0u) << "the last icon takes the window with it";
  EXPECT_EQ(sys.Windows.FindWindow(TSimpleTimerUnit::WindowClassName), 0u);
}

TEST_F(TrayFixture, TheSharedWindowIsClosedByNobodyAndLetsTheSessionEnd) {
  MakeIcon();
  const std::pair<std::uint32_t, TLResult> answers[] = {
      {WM_CLOSE, 1}, {WM_DESTROY, 1}, {WM_QUIT, 1}, {WM_QUERYENDSESSION, 1}, {WM_ENDSESSION, 1}};
  for (const auto& [msg, result] : answers) {
    EXPECT_EQ(sys.Windows.Send(TrayWindow(), msg), result) << "message " << msg;
    EXPECT_NE(TrayWindow(), 0u);
  }
  EXPECT_TRUE(sys.Windows.DefaultHandled.empty());
  sys.Windows.Send(TrayWindow(), 0x0024);  // anything else: the system's default
  EXPECT_EQ(sys.Windows.DefaultHandled.size(), 1u);
}

// ---- removal of what the icon refers to -------------------------------------------------

TEST_F(TrayFixture, RemovingTheImageListOrTheMenuClearsTheReferences) {
  TTrayIcon& icon = MakeIcon();
  TTestMenu& menu = owner.Create<TTestMenu>("MenuR", log);
  icon.SetPopupMenu(&menu);
  icon.SetIconList(&list);
  icon.SetIconVisible(true);
  icon.SetCycleInterval(300);
  icon.SetCycleIcons(true);
  sys.Windows.Advance(300);
  ASSERT_EQ(Shown(icon), "IMG1");

  owner.DestroyComponent(list);
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  EXPECT_EQ(Shown(icon), "IMG1") << "the icon keeps its last picture";
  sys.Windows.Advance(900);  // the animation's ticks find no list
  EXPECT_EQ(Shown(icon), "IMG1");

  owner.DestroyComponent(menu);
  EXPECT_EQ(icon.PopupMenu(), nullptr);
  Callback(icon, WM_RBUTTONDOWN);
  EXPECT_TRUE(log.empty());
}

// ---- the taskbar restarting ----------------------------------------------------------------

TEST(TrayTaskbar, ARestartedTaskbarGetsTheIconBackWithItsImageAndTooltipFrom471On) {
  struct TCase {
    const char* Name;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> Version;  // of comctl32.dll
    bool Registered;
  };
  const TCase cases[] = {
      {"6.0", std::make_pair(6, 0), true},
      {"5.82", std::make_pair(5, 82), true},
      {"4.71", std::make_pair(4, 71), true},
      {"4.70", std::make_pair(4, 70), false},
      {"4.0", std::make_pair(4, 0), false},
      {"unreadable", std::nullopt, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeSystem sys;
    if (c.Version) sys.Environment.VersionInfo["comctl32.dll"]["\\"] = FixedFileInfo(*c.Version);
    TTrayFixtureWorld world(sys);
    EXPECT_EQ(world.Unit().CommonControlsVersion(),
              c.Version ? c.Version->first * 65536 + c.Version->second : -1);
    EXPECT_EQ(world.Unit().TaskbarCreatedMessage() != 0, c.Registered);
    TTrayIcon& icon = world.MakeIcon();
    TTrayIcon& hidden = world.MakeIcon();
    icon.SetHint("Vantrel");
    icon.SetIconList(&world.list);
    icon.SetIconVisible(true);
    icon.SetIconIndex(1);
    hidden.SetIconVisible(false);

    sys.Shell.StopTaskbar();
    sys.Shell.StartTaskbar();  // "TaskbarCreated" to every top-level window
    sys.Windows.Pump();
    const TNotifyIconData* back = sys.Shell.FindIcon(world.TrayWindow(), icon.TrayId());
    EXPECT_EQ(back != nullptr, c.Registered);
    if (back) {
      EXPECT_EQ(sys.Icons.NameOf(back->hIcon), "IMG1");
      EXPECT_EQ(back->szTip, "Vantrel");
    }
    EXPECT_EQ(sys.Shell.FindIcon(world.TrayWindow(), hidden.TrayId()), nullptr)
        << "an icon that was not visible stays away";
  }
}

TEST(TrayTaskbar, WithoutTheRegisteredMessageAWMNullAddsNothing) {
  TFakeSystem sys;  // no readable comctl32 version: nothing registered, the id is 0
  TTrayFixtureWorld world(sys);
  TTrayIcon& icon = world.MakeIcon();
  icon.SetIconVisible(true);
  sys.Shell.StopTaskbar();
  sys.Shell.StartTaskbar();
  sys.Windows.Send(world.app.Handle(), WM_NULL);
  EXPECT_EQ(sys.Shell.IconCount(), 0u);
}

// ---- the application and owner windows ----------------------------------------------------

TEST_F(TrayFixture, ShowingTheOwnerBringsTheApplicationWindowThenTheOwnerForward) {
  MakeIcon();
  sys.CallLog.clear();
  sys.Windows.Send(ownerWindow, WM_SHOWWINDOW, 1, 0);
  EXPECT_EQ(sys.CallLog, (std::vector<std::string>{
                               "SetForegroundWindow " + std::to_string(app.Handle()),
                               "SetForegroundWindow " + std::to_string(ownerWindow)}));
  EXPECT_EQ(ownerProc.Seen, (std::vector<std::uint32_t>{WM_SHOWWINDOW})) << "and the owner gets it";
  sys.CallLog.clear();
  sys.Windows.Send(ownerWindow, WM_SHOWWINDOW, 0, 0);  // hidden: nothing
  sys.Windows.Send(ownerWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // no minimize-to-tray here
  EXPECT_TRUE(sys.CallLog.empty());
  EXPECT_EQ(ownerProc.Seen.size(), 3u);
}

TEST_F(TrayFixture, MinimizeToTrayHidesTheMainFormAndConsumesTheMinimize) {
  TTrayIcon& icon = MakeIcon();
  app.MainFormHandle = ownerWindow;
  sys.Windows.ShowWindow(ownerWindow, SW_SHOW);
  int told = 0;
  icon.MinimizeToTray = true;
  icon.OnMinimizeToTray = [&](TComponent*) { ++told; };
  EXPECT_EQ(sys.Windows.Send(ownerWindow, WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(ownerProc.Seen.empty()) << "handled: the owner never sees it";
  EXPECT_FALSE(sys.Windows.IsWindowVisible(ownerWindow));
  EXPECT_TRUE(icon.IconVisible());
  // SC_RESTORE on the application window shows the main form again.
  sys.Windows.Send(app.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(sys.Windows.IsWindowVisible(ownerWindow));
}

TEST_F(TrayFixture, DestroyedIconsLeaveNoHookNoTimerAndNoIconHandle) {
  const std::size_t appHooks = sys.Windows.HookCount(app.Handle());
  {
    TTrayIcon& a = MakeIcon();
    TTrayIcon& b = MakeIcon();
    EXPECT_EQ(sys.Windows.HookCount(app.Handle()), appHooks + 2);
    EXPECT_EQ(sys.Windows.HookCount(ownerWindow), 2u);
    for (TTrayIcon* icon : {&a, &b}) {
      icon->SetIconList(&list);
      icon->SetIconVisible(true);
      icon->SetCycleInterval(300);
      icon->SetCycleIcons(true);
      icon->SetWantEnterExitEvents(true);
    }
    sys.Windows.Advance(1000);
    // The first made goes first: removing only its own hooks leaves the other's working.
    owner.DestroyComponent(a);
    EXPECT_EQ(sys.Windows.HookCount(ownerWindow), 1u);
    sys.CallLog.clear();
    sys.Windows.Send(ownerWindow, WM_SHOWWINDOW, 1, 0);
    EXPECT_EQ(sys.CallLog.size(), 2u);
    owner.DestroyComponent(b);
  }
  EXPECT_EQ(sys.Windows.HookCount(app.Handle()), appHooks);
  EXPECT_EQ(sys.Windows.HookCount(ownerWindow), 0u);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
  owner.DestroyComponent(list);
  EXPECT_EQ(sys.Icons.LiveCount(), 0u);
  EXPECT_EQ(sys.Icons.BadReleases, 0);
}

TEST_F(TrayFixture, AnOnStartupThatSaysNoHidesTheMainFormAndTheApplicationWindowAtLoad) {
  TTrayIcon& icon = MakeIcon();
  app.MainFormHandle = ownerWindow;
  sys.Windows.ShowWindow(ownerWindow, SW_SHOW);
  sys.Windows.ShowWindow(app.Handle(), SW_SHOW);
  bool asked = false;
  icon.OnStartup = [&](TComponent*, bool& showMainForm) {
    EXPECT_TRUE(showMainForm);
    asked = true;
    showMainForm = false;
  };
  icon.Loaded();
  EXPECT_TRUE(asked);
  EXPECT_FALSE(app.ShowMainForm);
  EXPECT_FALSE(sys.Windows.IsWindowVisible(ownerWindow));
  EXPECT_FALSE(sys.Windows.IsWindowVisible(app.Handle()));
}
