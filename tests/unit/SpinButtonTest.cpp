// The arrow pair and its arrows on the virtual clock: pressed faces, clicks on release,
// auto-repeat, the capture, focus rules, painting, pictures, and the stand-alone pair's keys.
#include "SpinFixture.h"

using namespace win;

namespace {
// Steps seen as the times (virtual ms) at which the text changed, and the texts.
struct TStepLog {
  std::vector<std::uint64_t> Times;
  std::vector<std::string> Texts;
};
}  // namespace

struct SpinArrows : SpinFixture {
  TStepLog log;
  TSpEdit& Logged(TSpEdit& f) {
    f.OnChange = [this, &f](TComponent*) {
      log.Times.push_back(sys.Clock.Now());
      log.Texts.push_back(f.Text());
    };
    return f;
  }
  bool TimerRuns(const TSpEdit& f, std::uintptr_t id = TSpinButton::UpTimerId) {
    return sys.Windows.HasTimer(Pair(f), id);
  }
};

TEST_F(SpinArrows, HoldingAnArrowStepsAt400MsThenEvery100MsAndOnceMoreAtTheRelease) {
  TSpEdit& f = Logged(IntTime());
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  EXPECT_TRUE(f.Button()->UpButton().Down());
  sys.Windows.Advance(399);
  EXPECT_TRUE(log.Times.empty()) << "nothing before the first repeat";
  sys.Windows.Advance(451);  // to 850
  EXPECT_EQ(log.Times, (std::vector<std::uint64_t>{400, 500, 600, 700, 800}));
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(log.Times.back(), 850u) << "the release over the arrow steps once more";
  EXPECT_EQ(f.Text(), "160");
  EXPECT_FALSE(f.Button()->UpButton().Down());
  EXPECT_FALSE(TimerRuns(f));
  EXPECT_EQ(input.GetCapture(), 0u);
  sys.Windows.Advance(1000);
  EXPECT_EQ(log.Times.size(), 6u);
}

TEST_F(SpinArrows, WhatAPressAndItsReleaseGive) {
  const struct {
    const char* what;
    int downX, downY;
    std::uint64_t hold;
    int upX, upY;
    const char* text;
  } cases[] = {
      {"a short press steps at the release", 7, 3, 50, 7, 3, "110"},
      {"released off the arrow: no step", 7, 3, 50, 7, 30, "100"},
      {"released on the other arrow: no step", 7, 3, 50, 7, 12, "100"},
      {"held past 400 ms, released off: only the repeat", 7, 3, 450, -3, 3, "110"},
      {"the shared row belongs to the down arrow", 7, 7, 50, 7, 7, "90"},
      {"the down arrow's last row", 7, 15, 50, 7, 15, "90"},
      {"the up arrow's row above the shared one", 14, 6, 50, 14, 6, "110"},
  };
  int n = 0;
  for (const auto& c : cases) {
    TSpEdit& f = Field(("F" + std::to_string(n++)).c_str(), 1, 86400000, 10, 100, {8, 104, 89, 125});
    Mouse(f, WM_LBUTTONDOWN, c.downX, c.downY, MK_LBUTTON);
    sys.Windows.Advance(c.hold);
    Mouse(f, WM_MOUSEMOVE, c.upX, c.upY, MK_LBUTTON);
    Mouse(f, WM_LBUTTONUP, c.upX, c.upY, 0);
    EXPECT_EQ(f.Text(), c.text) << c.what;
    sys.Windows.Advance(500);
    EXPECT_EQ(f.Text(), c.text) << c.what << ": nothing after the release";
  }
}

TEST_F(SpinArrows, ThePointerOffTheArrowPausesTheRepeatsAndOnItResumesThem) {
  TSpEdit& f = Logged(IntTime());
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  sys.Windows.Advance(450);
  EXPECT_EQ(log.Times, (std::vector<std::uint64_t>{400}));
  Mouse(f, WM_MOUSEMOVE, 30, 3, MK_LBUTTON);
  EXPECT_FALSE(f.Button()->UpButton().Down()) << "the face comes up off the arrow";
  sys.Windows.Advance(500);
  EXPECT_EQ(log.Times.size(), 1u) << "no steps while off";
  EXPECT_TRUE(TimerRuns(f)) << "the timer still runs";
  Mouse(f, WM_MOUSEMOVE, 7, 3, MK_LBUTTON);  // at 950
  EXPECT_TRUE(f.Button()->UpButton().Down());
  sys.Windows.Advance(100);
  EXPECT_EQ(log.Times, (std::vector<std::uint64_t>{400, 1000}));
  Mouse(f, WM_MOUSEMOVE, 7, 40, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 7, 40, 0);
  EXPECT_EQ(log.Times.size(), 2u);
  EXPECT_FALSE(TimerRuns(f));
}

TEST_F(SpinArrows, TheRightButtonArmsTheTimerButNeverSteps) {
  TSpEdit& f = Logged(IntTime());
  Mouse(f, WM_RBUTTONDOWN, 7, 3, MK_RBUTTON);
  EXPECT_TRUE(TimerRuns(f));
  EXPECT_FALSE(f.Button()->UpButton().Down());
  sys.Windows.Advance(1000);
  Mouse(f, WM_RBUTTONUP, 7, 3, 0);
  EXPECT_TRUE(log.Times.empty());
  EXPECT_FALSE(TimerRuns(f));
  EXPECT_EQ(input.GetCapture(), 0u);

  // The middle button the same; and the left one still steps afterwards.
  Mouse(f, WM_MBUTTONDOWN, 7, 12, MK_MBUTTON);
  EXPECT_TRUE(TimerRuns(f, TSpinButton::DownTimerId));
  sys.Windows.Advance(600);
  Mouse(f, WM_MBUTTONUP, 7, 12, 0);
  EXPECT_TRUE(log.Times.empty());
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(f.Text(), "110");

  // The right button pressed and released while the left one holds the arrow: the release
  // stops the repeats, but the left button keeps the arrow and the capture.
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  Mouse(f, WM_RBUTTONDOWN, 7, 3, MK_LBUTTON | MK_RBUTTON);
  Mouse(f, WM_RBUTTONUP, 7, 3, MK_LBUTTON);
  EXPECT_EQ(input.GetCapture(), Pair(f));
  EXPECT_TRUE(f.Button()->UpButton().Down());
  EXPECT_FALSE(TimerRuns(f));
  sys.Windows.Advance(1000);
  EXPECT_EQ(f.Text(), "110");
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(f.Text(), "120");
  EXPECT_EQ(input.GetCapture(), 0u);
}

TEST_F(SpinArrows, APressGoesToTheArrowUnderItWhileAnotherButtonHoldsTheOther) {
  // A first button held on one arrow, a second pressed on an arrow; 650 ms later the second
  // is released, 200 ms after that the first. IntTime starts at 100, steps 10.
  struct TPress {
    std::uint32_t down, up;
    TWParam key;
    int y;
  };
  const auto left = [](int y) { return TPress{WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, y}; };
  const auto right = [](int y) { return TPress{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, y}; };
  const auto middle = [](int y) { return TPress{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, y}; };
  constexpr int Up = 3, Down = 12;
  const struct {
    const char* what;
    TPress first, second;
    bool upPressed, downPressed;
    const char* held;   // at 650 ms: repeats at 400, 500 and 600
    const char* after;  // after both releases
  } cases[] = {
      {"right on up, left on down", right(Up), left(Down), false, true, "70", "60"},
      {"right on down, left on up", right(Down), left(Up), true, false, "130", "140"},
      {"middle on up, left on down", middle(Up), left(Down), false, true, "70", "60"},
      {"left on up, right on down: up repeats on", left(Up), right(Down), true, false, "130", "160"},
      {"left on down, middle on up: down repeats on", left(Down), middle(Up), false, true, "70", "40"},
      {"right on up, left on up", right(Up), left(Up), true, false, "130", "140"},
  };
  int n = 0;
  for (const auto& c : cases) {
    TSpEdit& f = Field(("F" + std::to_string(n++)).c_str(), 1, 86400000, 10, 100, {8, 104, 89, 125});
    Mouse(f, c.first.down, 7, c.first.y, c.first.key);
    Mouse(f, c.second.down, 7, c.second.y, c.first.key | c.second.key);
    sys.Windows.Advance(650);
    EXPECT_EQ(f.Button()->UpButton().Down(), c.upPressed) << c.what;
    EXPECT_EQ(f.Button()->DownButton().Down(), c.downPressed) << c.what;
    EXPECT_EQ(f.Text(), c.held) << c.what;
    Mouse(f, c.second.up, 7, c.second.y, c.first.key);
    EXPECT_EQ(input.GetCapture(), Pair(f)) << c.what << ": the first button still holds it";
    sys.Windows.Advance(200);
    Mouse(f, c.first.up, 7, c.first.y, 0);
    EXPECT_EQ(f.Text(), c.after) << c.what;
    EXPECT_EQ(input.GetCapture(), 0u) << c.what;
    EXPECT_FALSE(TimerRuns(f, TSpinButton::UpTimerId)) << c.what;
    EXPECT_FALSE(TimerRuns(f, TSpinButton::DownTimerId)) << c.what;
    owner.DestroyComponent(f);
  }
}

TEST_F(SpinArrows, EachPressOfADoubleClickCountsAsAPress) {
  for (std::uint32_t second : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    TSpEdit& f = IntTime();
    Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
    Mouse(f, WM_LBUTTONUP, 7, 3, 0);
    sys.Windows.Advance(30);
    Mouse(f, second, 7, 3, MK_LBUTTON);
    Mouse(f, WM_LBUTTONUP, 7, 3, 0);
    EXPECT_EQ(f.Text(), "120") << second;
    owner.DestroyComponent(f);
  }
}

TEST_F(SpinArrows, ALostCaptureLetsTheArrowGoWithoutAClick) {
  TSpEdit& f = Logged(IntTime());
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  EXPECT_EQ(input.GetCapture(), Pair(f));
  sys.Windows.Advance(400);
  input.SetCapture(form);  // say, a menu opens
  EXPECT_FALSE(f.Button()->UpButton().Down());
  EXPECT_FALSE(TimerRuns(f));
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  sys.Windows.Advance(500);
  EXPECT_EQ(log.Times, (std::vector<std::uint64_t>{400}));
}

TEST_F(SpinArrows, AnErrorFromARepeatedStepStopsTheRepeatsAndIsReported) {
  TSpEdit& f = IntTime();
  int steps = 0;
  f.OnChange = [&](TComponent*) {
    if (++steps == 2) throw std::runtime_error("no more");
  };
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  sys.Windows.Advance(500);
  EXPECT_EQ(steps, 2);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_FALSE(TimerRuns(f));
  sys.Windows.Advance(500);
  EXPECT_EQ(steps, 2);
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(steps, 3) << "the release still clicks";
  EXPECT_EQ(errors.size(), 1u);

  // A failing release click still stops the timer and lets the capture go.
  f.OnChange = [](TComponent*) { throw std::runtime_error("again"); };
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(errors.size(), 2u);
  EXPECT_FALSE(TimerRuns(f));
  EXPECT_EQ(input.GetCapture(), 0u);
}

TEST_F(SpinArrows, APressOnAnArrowHandsTheFocusToTheFieldNeverToThePair) {
  const struct {
    const char* what;
    bool fieldTabStop, fieldFocused;
    bool fieldGetsFocus;
  } cases[] = {
      {"from elsewhere", true, false, true},
      {"already in the field: no new entry", true, true, false},
      {"a field that is no tab stop", false, false, false},
  };
  const TWnd box = CheckBox();
  int n = 0;
  for (const auto& c : cases) {
    TSpEdit& f = Field(("F" + std::to_string(n++)).c_str(), 1, 86400000, 10, 100, {8, 104, 89, 125});
    f.TabStop = c.fieldTabStop;
    windows.SetFocus(c.fieldFocused ? f.Handle() : box);
    int entries = 0;
    f.OnEnter = [&](TComponent*) { ++entries; };
    Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
    Mouse(f, WM_LBUTTONUP, 7, 3, 0);
    EXPECT_EQ(entries, c.fieldGetsFocus ? 1 : 0) << c.what;
    EXPECT_EQ(windows.GetFocus(), c.fieldGetsFocus || c.fieldFocused ? f.Handle() : box) << c.what;
    EXPECT_EQ(f.Text(), "110") << c.what;
  }
  // The right button does not move the focus.
  TSpEdit& f = IntTime();
  windows.SetFocus(box);
  Mouse(f, WM_RBUTTONDOWN, 7, 3, MK_RBUTTON);
  Mouse(f, WM_RBUTTONUP, 7, 3, 0);
  EXPECT_EQ(windows.GetFocus(), box);
}

TEST_F(SpinArrows, TheArrowsPaintTheirFacesAndCentredPictures) {
  TSpEdit& f = IntTime();
  const TBitmapHandle up = f.Button()->UpGlyph(), down = f.Button()->DownGlyph();
  EXPECT_EQ(drawing.BitmapName(up), "SPINUP");
  EXPECT_EQ(drawing.BitmapName(down), "SPINDOWN");
  using Op = TFakeDrawing::TPaintOp;
  const TWnd pair = Pair(f);
  const auto paint = [&] {
    drawing.Painted.clear();
    sys.Windows.Send(pair, WM_PAINT);
    return drawing.Painted;
  };
  EXPECT_EQ(paint(), (std::vector<Op>{
                         {Op::Face, pair, {0, 0, 15, 8}, false, 0, {}, true},
                         {Op::Glyph, pair, {3, 1, 12, 7}, false, up, {0, 0, 9, 6}, true},
                         {Op::Face, pair, {0, 7, 15, 16}, false, 0, {}, true},
                         {Op::Glyph, pair, {3, 8, 12, 14}, false, down, {0, 0, 9, 6}, true},
                     }));
  const int before = windows.Child(pair)->Invalidations;
  Mouse(f, WM_LBUTTONDOWN, 7, 10, MK_LBUTTON);
  EXPECT_GT(windows.Child(pair)->Invalidations, before);
  const auto pressed = paint();
  EXPECT_EQ(pressed[2], (Op{Op::Face, pair, {0, 7, 15, 16}, true, 0, {}, true}));
  EXPECT_EQ(pressed[3].Rect, (TRect{4, 9, 13, 15})) << "the pressed picture sits one pixel lower right";
  EXPECT_EQ(sys.Windows.Send(pair, WM_ERASEBKGND), 1) << "the pair paints itself opaque";

  // A disabled arrow draws its picture disabled and takes no press.
  Mouse(f, WM_LBUTTONUP, 7, 10, 0);
  f.Button()->DownButton().SetEnabled(false);
  EXPECT_FALSE(paint()[3].Enabled);
  Mouse(f, WM_LBUTTONDOWN, 7, 10, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 7, 10, 0);
  EXPECT_EQ(f.Text(), "90") << "only the first press stepped";
  Mouse(f, WM_LBUTTONDOWN, 7, 7, MK_LBUTTON);  // the shared row: the up arrow's, now
  Mouse(f, WM_LBUTTONUP, 7, 7, 0);
  EXPECT_EQ(f.Text(), "100");
}

TEST_F(SpinArrows, PicturesOfItsOwnAndBackToTheDefault) {
  TSpEdit& f = IntTime();
  TSpinButton& pair = *f.Button();
  ASSERT_EQ(drawing.LiveBitmaps(), 2u);
  const TBitmapHandle mine = drawing.MakeBitmap(30, 6);  // three images side by side
  pair.SetUpGlyph(mine);
  pair.SetUpNumGlyphs(3);
  EXPECT_EQ(drawing.LiveBitmaps(), 2u) << "the default up picture went, the test's came";
  using Op = TFakeDrawing::TPaintOp;
  const auto glyphOf = [&](int index) {
    drawing.Painted.clear();
    sys.Windows.Send(Pair(f), WM_PAINT);
    return drawing.Painted[index];
  };
  EXPECT_EQ(glyphOf(1).Source, (TRect{0, 0, 10, 6}));
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  EXPECT_EQ(glyphOf(1).Source, (TRect{20, 0, 30, 6})) << "the third image while pressed";
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  pair.UpButton().SetEnabled(false);
  EXPECT_EQ(glyphOf(1).Source, (TRect{10, 0, 20, 6})) << "the second while disabled";

  pair.SetUpGlyph(0);
  EXPECT_EQ(drawing.BitmapName(pair.UpGlyph()), "SPINUP");
  EXPECT_EQ(pair.UpNumGlyphs(), 1);
  EXPECT_EQ(glyphOf(1).Kind, Op::Glyph);
  owner.DestroyComponent(f);
  EXPECT_EQ(drawing.LiveBitmaps(), 1u) << "only the test's own is left";
  drawing.ReleaseBitmap(mine);
  EXPECT_EQ(drawing.BadBitmapReleases, 0);
}

TEST_F(SpinArrows, SettingTheBoundsKeepsThePairAtLeast15Wide) {
  TSpEdit& f = IntTime();
  TSpinButton& pair = *f.Button();
  pair.SetBounds({2, 1, 11, 26});
  EXPECT_EQ(windows.Bounds(Pair(f)), (TRect{2, 1, 17, 26}));
  EXPECT_EQ(pair.UpButton().BoundsRect(), (TRect{0, 0, 15, 12}));
  EXPECT_EQ(pair.DownButton().BoundsRect(), (TRect{0, 11, 15, 25}));
  // Someone sizes the window itself: it widens itself again.
  windows.MoveWindow(Pair(f), {2, 1, 8, 21});
  EXPECT_EQ(windows.Bounds(Pair(f)), (TRect{2, 1, 17, 21}));
  EXPECT_EQ(pair.DownButton().BoundsRect(), (TRect{0, 9, 15, 20}));
}

// ---- the stand-alone pair ----------------------------------------------------------------

struct StandAlonePair : SpinFixture {
  TSpinButton& pair = owner.Create<TSpinButton>("SpinButton1");
  int ups = 0, downs = 0;
  StandAlonePair() {
    pair.OnUpClick = [this](TComponent* sender) {
      EXPECT_EQ(sender, &pair);
      ++ups;
    };
    pair.OnDownClick = [this](TComponent*) { ++downs; };
  }
  void Make(bool tabStop) {
    pair.TabStop = tabStop;
    pair.CreateHandle(ports, form);
  }
  bool Frame(const TTimerSpeedButton& b) const { return b.FocusRect(); }
};

TEST_F(StandAlonePair, ANewPairIs20By25WithTheUpArrowFocused) {
  Make(false);
  EXPECT_EQ(windows.Bounds(pair.Handle()), (TRect{0, 0, 20, 25}));
  EXPECT_EQ(pair.UpButton().BoundsRect(), (TRect{0, 0, 20, 12}));
  EXPECT_EQ(pair.DownButton().BoundsRect(), (TRect{0, 11, 20, 25}));
  EXPECT_EQ(&pair.FocusedButton(), &pair.UpButton());
  EXPECT_EQ(sys.Windows.Send(pair.Handle(), WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(StandAlonePair, OnAFormAt144DpiThePairIsScaledFromTheBoundsItWasGiven) {
  drawing.Dpi = 144;
  owner.ClientWidth = owner.ClientHeight = 100;
  owner.CreateFormWindow(ports, 0);
  pair.SetParent(&owner);
  pair.SetBounds({10, 10, 30, 35});
  owner.CreateControlWindows();
  EXPECT_EQ(windows.Bounds(pair.Handle()), (TRect{15, 15, 45, 53}));
  EXPECT_EQ(pair.DownButton().BoundsRect(), (TRect{0, 18, 30, 38}));
}

TEST_F(StandAlonePair, KeysClickTheArrowsOnlyOnAFocusedTabStop) {
  Make(true);
  EXPECT_NE(windows.Child(pair.Handle())->Style & WS_TABSTOP, 0u);
  windows.SetFocus(pair.Handle());
  EXPECT_TRUE(Frame(pair.UpButton()));
  const struct { std::uint8_t vk; int ups, downs; bool downFocused; } keys[] = {
      {VK_DOWN, 0, 1, true}, {VK_SPACE, 0, 2, true}, {VK_UP, 1, 2, false}, {VK_SPACE, 2, 2, false},
      {0x41, 2, 2, false}};
  for (const auto& k : keys) {
    windows.PressKey(k.vk);
    EXPECT_EQ(ups, k.ups) << int(k.vk);
    EXPECT_EQ(downs, k.downs) << int(k.vk);
    EXPECT_EQ(&pair.FocusedButton() == &pair.DownButton(), k.downFocused) << int(k.vk);
    EXPECT_EQ(Frame(pair.FocusedButton()), true);
    EXPECT_FALSE(Frame(k.downFocused ? pair.UpButton() : pair.DownButton()));
  }
  windows.SetFocus(0);
  EXPECT_FALSE(Frame(pair.UpButton()));

  // Not a tab stop: keys that reach it do nothing.
  pair.TabStop = false;
  windows.SetFocus(pair.Handle());
  windows.PressKey(VK_DOWN);
  EXPECT_EQ(downs, 2);
}

TEST_F(StandAlonePair, TheFocusFrameIsInsetThreePixelsAndFollowsThePressedFace) {
  Make(true);
  windows.SetFocus(pair.Handle());
  using Op = TFakeDrawing::TPaintOp;
  const auto frame = [&] {
    drawing.Painted.clear();
    sys.Windows.Send(pair.Handle(), WM_PAINT);
    for (const Op& op : drawing.Painted)
      if (op.Kind == Op::FocusFrame) return op.Rect;
    return TRect{};
  };
  EXPECT_EQ(frame(), (TRect{3, 3, 17, 9}));
  const TLParam at = (5 << 16) | 5;
  sys.Windows.Send(pair.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  EXPECT_EQ(frame(), (TRect{4, 4, 18, 10}));
  sys.Windows.Send(pair.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(ups, 1);
}

TEST_F(StandAlonePair, APressMakesTheArrowFocusedAndHandsTheFocusOn) {
  TSpEdit& field = IntTime();
  const TWnd box = CheckBox();
  const struct {
    const char* what;
    bool withField, fieldFocused;
    TWnd (*expected)(const TSpEdit&, const TSpinButton&, TWnd box);
  } cases[] = {
      {"to the focus control", true, false, [](const TSpEdit& f, const TSpinButton&, TWnd) { return f.Handle(); }},
      {"the focus control has it: the pair takes it", true, true,
       [](const TSpEdit&, const TSpinButton& p, TWnd) { return p.Handle(); }},
      {"no focus control: the pair takes it", false, false,
       [](const TSpEdit&, const TSpinButton& p, TWnd) { return p.Handle(); }},
  };
  Make(true);
  for (const auto& c : cases) {
    pair.SetFocusControl(c.withField ? &field : nullptr);
    windows.SetFocus(c.fieldFocused ? field.Handle() : box);
    const TLParam down = (20 << 16) | 5;
    sys.Windows.Send(pair.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, down);
    sys.Windows.Send(pair.Handle(), WM_LBUTTONUP, 0, down);
    EXPECT_EQ(&pair.FocusedButton(), &pair.DownButton()) << c.what;
    EXPECT_EQ(windows.GetFocus(), c.expected(field, pair, box)) << c.what;
    pair.SetFocusBtn(pair.UpButton());
  }
  EXPECT_EQ(downs, 3);
  EXPECT_EQ(field.Text(), "100") << "the pair's events are its own";
}

TEST_F(StandAlonePair, TheFocusControlGoingAwayClearsTheReference) {
  TSpEdit& field = IntTime();
  Make(true);
  pair.SetFocusControl(&field);
  owner.DestroyComponent(field);
  EXPECT_EQ(pair.FocusControl(), nullptr);
  const TLParam at = (5 << 16) | 5;
  sys.Windows.Send(pair.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  sys.Windows.Send(pair.Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(windows.GetFocus(), pair.Handle());
  EXPECT_EQ(ups, 1);
}

TEST_F(StandAlonePair, MakingAnotherArrowFocusedMovesTheFrameOnlyWhileThePairHasTheFocus) {
  Make(true);
  pair.SetFocusBtn(pair.DownButton());
  EXPECT_FALSE(Frame(pair.DownButton()));
  windows.SetFocus(pair.Handle());
  EXPECT_TRUE(Frame(pair.DownButton()));
  pair.SetFocusBtn(pair.UpButton());
  EXPECT_TRUE(Frame(pair.UpButton()));
  EXPECT_FALSE(Frame(pair.DownButton()));
}
