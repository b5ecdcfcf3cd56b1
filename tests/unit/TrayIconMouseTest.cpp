// The tray icon's mouse callbacks on the virtual clock: click against double-click with and
// without a double-click handler, the buttons and the popup menu, the disabled icon, the
// enter and exit events, balloon events and the version 3 callbacks.
#include "unit/TrayFixture.h"

using namespace win;

namespace {

const char* ButtonName(TMouseButton b) {
  return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
}

// Hooks every event of the icon to the log as "<ms> <event>".
void Listen(TTrayIcon& icon, TFakeSystem& sys, std::vector<std::string>& log) {
  const auto at = [&sys] { return std::to_string(sys.Clock.Now()) + " "; };
  const auto mouse = [&log, at](const char* what) {
    return [&log, at, what](TComponent*, TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) {
      log.push_back(at() + what + " " + ButtonName(b) + " shift=" + std::to_string(s) + " " +
                    std::to_string(x) + "," + std::to_string(y));
    };
  };
  const auto notify = [&log, at](const char* what) {
    return [&log, at, what](TComponent*) { log.push_back(at() + what); };
  };
  icon.OnMouseDown = mouse("down");
  icon.OnMouseUp = mouse("up");
  icon.OnClick = notify("click");
  icon.OnMouseMove = [&log, at](TComponent*, TShiftState, std::int32_t x, std::int32_t y) {
    log.push_back(at() + "move " + std::to_string(x) + "," + std::to_string(y));
  };
  icon.OnMouseEnter = notify("enter");
  icon.OnMouseExit = notify("exit");
  icon.OnBalloonHintShow = notify("balloon show");
  icon.OnBalloonHintHide = notify("balloon hide");
  icon.OnBalloonHintTimeout = notify("balloon timeout");
  icon.OnBalloonHintClick = notify("balloon click");
}

// Mouse callbacks at virtual times, as the shell sends them.
using TScript = std::vector<std::pair<std::uint64_t, std::uint32_t>>;

}  // namespace

TEST(TrayMouse, ClickAndDoubleClick) {
  struct TCase {
    const char* Name;
    bool DblClickHandler;
    bool DefaultItem;  // the popup menu's second item is its Default item
    TScript Script;
    std::vector<std::string> Log;  // until 2000 ms
  };
  const std::string L = " L shift=8 500,400";
  const TCase cases[] = {
      {"without a double-click handler the click comes at the release, before the up",
       false, false, {{0, WM_LBUTTONDOWN}, {100, WM_LBUTTONUP}},
       {"0 down" + L, "100 click", "100 up" + L}},
      {"without a handler a double-click is a click and a lone second release",
       false, false, {{0, WM_LBUTTONDOWN}, {80, WM_LBUTTONUP}, {160, WM_LBUTTONDBLCLK}, {240, WM_LBUTTONUP}},
       {"0 down" + L, "80 click", "80 up" + L, "240 up" + L}},
      {"a double-click clicks the menu's Default item",
       false, true, {{0, WM_LBUTTONDOWN}, {80, WM_LBUTTONUP}, {160, WM_LBUTTONDBLCLK}, {240, WM_LBUTTONUP}},
       {"0 down" + L, "80 click", "80 up" + L, "160 item 1", "240 up" + L}},
      {"with a handler the click waits for the double-click time after the press",
       true, false, {{0, WM_LBUTTONDOWN}, {100, WM_LBUTTONUP}},
       {"0 down" + L, "100 up" + L, "500 click"}},
      {"with a handler a double-click drops the click",
       true, false, {{0, WM_LBUTTONDOWN}, {80, WM_LBUTTONUP}, {160, WM_LBUTTONDBLCLK}, {240, WM_LBUTTONUP}},
       {"0 down" + L, "80 up" + L, "160 dblclick", "240 up" + L}},
      {"after a dropped click the next single click comes again",
       true, false,
       {{0, WM_LBUTTONDOWN}, {80, WM_LBUTTONUP}, {160, WM_LBUTTONDBLCLK}, {240, WM_LBUTTONUP},
        {1000, WM_LBUTTONDOWN}, {1050, WM_LBUTTONUP}},
       {"0 down" + L, "80 up" + L, "160 dblclick", "240 up" + L, "1000 down" + L, "1050 up" + L,
        "1500 click"}},
      {"with a handler, a press held past the double-click time clicks at the release",
       true, false, {{0, WM_LBUTTONDOWN}, {800, WM_LBUTTONUP}},
       {"0 down" + L, "800 click", "800 up" + L}},
      {"a release without a press is only an up",
       false, false, {{0, WM_LBUTTONUP}}, {"0 up" + L}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeSystem sys;
    TTrayFixtureWorld world(sys);
    TTrayIcon& icon = world.MakeIcon();
    Listen(icon, sys, world.log);
    if (c.DblClickHandler)
      icon.OnDblClick = [&](TComponent*) { world.log.push_back(std::to_string(sys.Clock.Now()) + " dblclick"); };
    std::vector<std::string> menuLog;
    TTestMenu& menu = world.owner.Create<TTestMenu>(
        "MenuR", menuLog, std::vector<bool>{false, c.DefaultItem, c.DefaultItem});
    icon.SetPopupMenu(&menu);
    menu.OnPopup = [&] { world.log.push_back("unexpected popup"); };
    for (const auto& [at, event] : c.Script) {
      sys.Windows.Advance(at - sys.Clock.Now());
      const std::size_t before = menuLog.size();
      world.Callback(icon, event);
      for (std::size_t i = before; i < menuLog.size(); ++i)
        world.log.push_back(std::to_string(at) + " " + menuLog[i]);
    }
    sys.Windows.Advance(2000 - sys.Clock.Now());
    EXPECT_EQ(world.log, c.Log);
    EXPECT_EQ(sys.Windows.TimerCount(), 0u) << "the click delay is over";
  }
}

TEST_F(TrayFixture, TheRightButtonOpensTheMenuAtTheCursorWithTheApplicationInFront) {
  TTrayIcon& icon = MakeIcon();
  Listen(icon, sys, log);
  TTestMenu& menu = owner.Create<TTestMenu>("MenuR", log);
  icon.SetPopupMenu(&menu);
  sys.Input.MoveCursor({1015, 760});
  sys.Input.AsyncKeysDown = {VK_SHIFT, VK_CONTROL};
  // A message waiting when the menu is asked for is served before it opens.
  sys.Windows.PostMessageTo(ownerWindow, WM_USER + 7, 0, 0);
  menu.OnPopup = [&] {
    EXPECT_EQ(sys.Windows.Foreground, app.Handle());
    EXPECT_EQ(ownerProc.Seen, (std::vector<std::uint32_t>{WM_USER + 7}));
  };
  Callback(icon, WM_RBUTTONDOWN);
  Callback(icon, WM_RBUTTONUP);
  EXPECT_EQ(log, (std::vector<std::string>{"0 down R shift=21 1015,760", "popup at 1015,760 from TrayIcon",
                                           "0 up R shift=21 1015,760"}));
  EXPECT_EQ(menu.PopupComponent, &icon);
  // After the menu has closed a WM_NULL goes to the owner, to complete the task switch.
  sys.Windows.Pump();
  EXPECT_EQ(ownerProc.Seen, (std::vector<std::uint32_t>{WM_USER + 7, WM_NULL}));

  // Serving the waiting messages leaves a quit for the message loop.
  menu.OnPopup = nullptr;
  app.Terminate();
  Callback(icon, WM_RBUTTONDOWN);
  EXPECT_TRUE(sys.Windows.Pump());
}

TEST_F(TrayFixture, ButtonsAndTheMenu) {
  struct TCase {
    const char* Name;
    bool AutoPopup;
    bool LeftPopup;
    std::vector<std::uint32_t> Events;
    std::vector<std::string> Log;
  };
  const TCase cases[] = {
      {"a menu whose auto-popup is off opens nothing", false, false,
       {WM_RBUTTONDOWN, WM_RBUTTONUP}, {"0 down R shift=16 500,400", "0 up R shift=16 500,400"}},
      {"the middle button gives down and up and no menu", true, false,
       {WM_MBUTTONDOWN, WM_MBUTTONUP}, {"0 down M shift=32 500,400", "0 up M shift=32 500,400"}},
      {"LeftPopup opens the menu on the left press too", true, true,
       {WM_LBUTTONDOWN, WM_LBUTTONUP},
       {"0 down L shift=8 500,400", "popup at 500,400 from TrayIcon", "0 click", "0 up L shift=8 500,400"}},
      {"LeftPopup keeps a double-click from clicking the Default item", true, true,
       {WM_LBUTTONDBLCLK}, {}},
      {"double-clicks of the right and middle buttons are ignored", true, false,
       {WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}, {}},
      {"version 0 callbacks: WM_CONTEXTMENU and the NIN_ selections mean nothing", true, false,
       {WM_CONTEXTMENU, NIN_SELECT, NIN_KEYSELECT}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    log.clear();
    TTrayIcon& icon = MakeIcon();
    Listen(icon, sys, log);
    TTestMenu& menu = owner.Create<TTestMenu>("MenuR", log, std::vector<bool>{true});
    menu.AutoPopup = c.AutoPopup;
    icon.LeftPopup = c.LeftPopup;
    icon.SetPopupMenu(&menu);
    for (std::uint32_t event : c.Events) Callback(icon, event);
    EXPECT_EQ(log, c.Log);
    owner.DestroyComponent(icon);
    owner.DestroyComponent(menu);
  }
}

TEST_F(TrayFixture, ADisabledIconIgnoresTheMouseButNotTheBalloons) {
  TTrayIcon& icon = MakeIcon();
  Listen(icon, sys, log);
  TTestMenu& menu = owner.Create<TTestMenu>("MenuR", log, std::vector<bool>{true});
  icon.SetPopupMenu(&menu);
  icon.SetWantEnterExitEvents(true);
  icon.Enabled = false;
  for (std::uint32_t event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                              WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP})
    Callback(icon, event);
  EXPECT_TRUE(log.empty());
  for (std::uint32_t event : {NIN_BALLOONSHOW, NIN_BALLOONHIDE, NIN_BALLOONTIMEOUT, NIN_BALLOONUSERCLICK})
    Callback(icon, event);
  EXPECT_EQ(log, (std::vector<std::string>{"0 balloon show", "0 balloon hide", "0 balloon timeout",
                                           "0 balloon click"}));
}

TEST_F(TrayFixture, EnterAndExitArePolledEvery20msOnlyWhileWanted) {
  TTrayIcon& icon = MakeIcon();
  Listen(icon, sys, log);
  sys.Input.MoveCursor({900, 700});
  Callback(icon, WM_MOUSEMOVE);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u) << "no poll unless asked for";
  icon.SetWantEnterExitEvents(true);
  EXPECT_EQ(sys.Windows.TimerCount(), 1u);
  sys.Windows.Advance(100);
  Callback(icon, WM_MOUSEMOVE);  // the first move after the switch enters
  sys.Windows.Advance(100);      // the cursor rests on the icon
  sys.Input.MoveCursor({905, 700});
  Callback(icon, WM_MOUSEMOVE);  // moving on the icon
  sys.Windows.Advance(15);
  sys.Input.MoveCursor({905, 650});  // and off it, with no callback
  sys.Windows.Advance(100);
  EXPECT_EQ(log, (std::vector<std::string>{"0 move 900,700", "100 enter", "100 move 900,700",
                                           "200 move 905,700", "220 exit"}));
  icon.SetWantEnterExitEvents(false);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
}

TEST_F(TrayFixture, Version3CallbacksReleaseTheRightButtonOnTheContextMenuAndTheSelections) {
  TTrayIcon& icon = MakeIcon();
  Listen(icon, sys, log);
  icon.SetIconVisible(true);
  icon.SetUseVersion5Notify(true);
  EXPECT_EQ(sys.Shell.FindIcon(TrayWindow(), icon.TrayId())->uVersion, NOTIFYICON_VERSION);
  for (std::uint32_t event : {WM_RBUTTONUP, WM_CONTEXTMENU, NIN_SELECT, NIN_KEYSELECT})
    Callback(icon, event);
  EXPECT_EQ(log, (std::vector<std::string>(3, "0 up R shift=16 500,400")));
}

TEST_F(TrayFixture, AnEventHandlerErrorIsShownAndWhatItHadNotDoneStaysUndone) {
  TTrayIcon& icon = MakeIcon();
  icon.OnMouseDown = [](TComponent*, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    throw std::runtime_error("No tray today");
  };
  int clicks = 0;
  icon.OnClick = [&](TComponent*) { ++clicks; };
  Callback(icon, WM_LBUTTONDOWN);
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 1u);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "No tray today.");
  Callback(icon, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0) << "the press never counted as one";
}
