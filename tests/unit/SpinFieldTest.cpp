// The numeric field with a window: styles, layout, the key and character hooks, the
// dialog-code answer, Tab, paste and cut, focus enter and leave, alignment and teardown.
#include <algorithm>

#include "SpinFixture.h"

using namespace win;

namespace {
constexpr std::uint32_t WM_SETTEXT = 0x000C;
bool Got(const TFakeWindows::TChild& edit, std::uint32_t msg) {
  return std::find(edit.EditMessages.begin(), edit.EditMessages.end(), msg) != edit.EditMessages.end();
}
std::pair<std::size_t, std::size_t> Selection(const TFakeWindows::TChild& e) { return {e.SelStart, e.SelEnd}; }
}  // namespace

using SpinField = SpinFixture;

TEST_F(SpinField, TheOptionsWindowsFieldsGetTheirStylesSizesAndArrows) {
  const struct {
    TSpEdit& field;
    TRect bounds, pair, editRect;
    std::size_t limit;
    const char* text;
  } cases[] = {
      {IntTime(), {8, 104, 89, 125}, {61, 0, 76, 16}, {0, 0, 60, 18}, 0, "100"},
      {ChkDot(), {24, 184, 65, 205}, {21, 0, 36, 16}, {0, 0, 20, 18}, 2, "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field.Name());
    const auto& e = Edit(c.field);
    EXPECT_EQ(e.ClassName, "EDIT");
    EXPECT_EQ(e.Parent, form);
    const std::uint32_t style = ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                                WS_CLIPCHILDREN | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
    EXPECT_EQ(e.Style, style);
    EXPECT_EQ(e.ExStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(e.Bounds, c.bounds) << "the 12-pixel font's 20 raised to 21";
    EXPECT_EQ(e.EditRect, c.editRect) << "one pixel taller than the client area";
    EXPECT_EQ(e.Limit, c.limit);
    EXPECT_EQ(e.Font, Font12);
    EXPECT_EQ(e.Text, c.text);

    const TWnd pair = Pair(c.field);
    ASSERT_NE(pair, 0u);
    EXPECT_EQ(windows.Child(pair)->Parent, c.field.Handle());
    EXPECT_EQ(windows.Child(pair)->Style & WS_TABSTOP, 0u) << "the pair never takes the focus";
    EXPECT_EQ(windows.Bounds(pair), c.pair);
    EXPECT_EQ(c.field.Button()->UpButton().BoundsRect(), (TRect{0, 0, 15, 8}));
    EXPECT_EQ(c.field.Button()->DownButton().BoundsRect(), (TRect{0, 7, 15, 16}));
  }
  EXPECT_EQ(drawing.LiveBitmaps(), 4u) << "each pair loads its two pictures";
}

TEST_F(SpinField, TheHeightFollowsTheFontAndNeverFallsBelowTheMinimum) {
  const struct {
    int font, system;
    bool ctl3D;
    std::uint32_t major;
    TRect asked;
    int height;
    TRect pair;
  } cases[] = {
      {12, 16, true, 5, {0, 0, 81, 21}, 21, {61, 0, 76, 16}},
      {12, 16, true, 5, {0, 0, 81, 60}, 21, {61, 0, 76, 16}},  // the height follows the font
      {12, 8, true, 5, {0, 0, 81, 21}, 20, {61, 0, 76, 15}},   // 12 + 2 + 4 + 2 = automatic 20
      {20, 16, true, 5, {0, 0, 81, 21}, 30, {61, 0, 76, 25}},  // 20 + 4 + 4 + 2 above 28
      {12, 16, false, 5, {0, 0, 41, 21}, 21, {26, 1, 41, 19}},  // a plain border: 18 raised to 21
      {12, 16, true, 3, {0, 0, 41, 21}, 21, {26, 1, 41, 19}},   // no 3-D look before version 4
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(n);
    drawing.FontHeights[Font12] = c.font;
    drawing.SystemFontHeight = c.system;
    sys.Environment.Major = c.major;
    TSpEdit& f = Field(("F" + std::to_string(n++)).c_str(), 0, 99, 1, 5, c.asked, false);
    f.Ctl3D = c.ctl3D;
    f.CreateHandle(ports, form, c.asked);
    EXPECT_EQ(windows.Bounds(f.Handle()).Bottom, c.height);
    EXPECT_EQ(windows.Bounds(Pair(f)), c.pair);
    const bool look3D = c.ctl3D && c.major >= 4;
    EXPECT_EQ(Edit(f).ExStyle, look3D ? WS_EX_CLIENTEDGE : 0u);
    EXPECT_EQ((Edit(f).Style & WS_BORDER) != 0, !look3D);
    const TRect client = windows.ClientRect(f.Handle());
    EXPECT_EQ(Edit(f).EditRect, (TRect{0, 0, client.Right - 17, client.Bottom + 1}));
  }
}

TEST_F(SpinField, UpAndDownKeysStepAndThenReachTheEdit) {
  TSpEdit& f = IntTime();
  windows.SetFocus(f.Handle());
  const struct { std::uint8_t vk; const char* text; } keys[] = {
      {VK_UP, "110"}, {VK_UP, "120"}, {VK_DOWN, "110"}, {0x25 /* left */, "110"}};
  for (const auto& k : keys) {
    windows.Child(f.Handle())->EditMessages.clear();
    windows.PressKey(k.vk);
    EXPECT_EQ(Edit(f).Text, k.text) << int(k.vk);
    EXPECT_TRUE(Got(Edit(f), WM_KEYDOWN)) << "the edit gets every key after the hook";
  }
  EXPECT_EQ(f.Value(), 110);
}

TEST_F(SpinField, RefusedCharactersBeepAndNeverReachTheEdit) {
  TSpEdit& f = IntTime();
  sys.Environment.Separator = ',';
  TSpEdit& g = ChkDot();  // made after the locale changed: takes its separator
  windows.SetFocus(g.Handle());
  const struct { unsigned ch; bool accepted; } cases[] = {
      {'4', true}, {',', true}, {'.', false}, {'a', false}, {' ', false}, {'\r', false},
      {0x3042, false} /* hiragana a */, {0xFF11, false} /* full-width 1 */, {0x1B, true} /* Escape */,
  };
  for (const auto& c : cases) {
    windows.Child(g.Handle())->EditMessages.clear();
    windows.Beeps.clear();
    g.SetText("");
    windows.PressKey(0x41, c.ch);
    EXPECT_EQ(Got(Edit(g), WM_CHAR), c.accepted) << c.ch;
    EXPECT_EQ(windows.Beeps, c.accepted ? std::vector<std::uint32_t>{} : std::vector<std::uint32_t>{0})
        << c.ch;
  }
  EXPECT_EQ(f.DecimalSeparator, '.');
  EXPECT_EQ(g.DecimalSeparator, ',');
  // An input method's characters come another way; they are refused all the same.
  windows.Beeps.clear();
  sys.Windows.Send(g.Handle(), WM_IME_CHAR, 0x3042, 1);
  EXPECT_EQ(windows.Beeps.size(), 1u);
  EXPECT_FALSE(Got(Edit(g), WM_IME_CHAR));
}

TEST_F(SpinField, NoLineBreakEntersTheTextTypedOrPasted) {
  // IntTime at "100" with the caret after the 1; the key's character, or a paste.
  const struct {
    const char* what;
    std::uint8_t vk;
    unsigned ch;
    const char* clipboard;
    const char* text;
    std::size_t caret;
    std::size_t beeps;
  } cases[] = {
      {"Ctrl+Enter", 0x0D, '\n', "", "100", 1, 1},
      {"Ctrl+J", 'J', '\n', "", "100", 1, 1},
      {"Enter", 0x0D, '\r', "", "100", 1, 1},
      {"Ctrl+M", 'M', '\r', "", "100", 1, 1},
      {"a pasted number with its line break", 'V', 0x16, "25\r\n", "12500", 3, 0},
      {"pasted lines: the first one only", 'V', 0x16, "5\n7\r\n8", "1500", 2, 0},
      {"a paste that starts with a line break", 'V', 0x16, "\r\n7", "100", 1, 0},
  };
  TSpEdit& f = IntTime();
  windows.SetFocus(f.Handle());
  for (const auto& c : cases) {
    f.SetText("100");
    windows.SendMessageTo(f.Handle(), EM_SETSEL, 1, 1);
    windows.Clipboard = c.clipboard;
    windows.Beeps.clear();
    windows.PressKey(c.vk, c.ch);
    EXPECT_EQ(Edit(f).Text, c.text) << c.what;
    EXPECT_EQ(f.Value(), std::stoi(c.text)) << c.what;
    EXPECT_EQ(Selection(Edit(f)), std::make_pair(c.caret, c.caret)) << c.what;
    EXPECT_EQ(windows.Beeps.size(), c.beeps) << c.what;
  }
}

TEST_F(SpinField, ATypedThirdCharacterInChkDotIsDroppedByTheEdit) {
  TSpEdit& f = ChkDot();
  windows.SetFocus(f.Handle());  // selects the "0"
  windows.TypeText("123");
  EXPECT_EQ(f.Text(), "12");
  f.SetValue(345);
  EXPECT_EQ(f.Text(), "99") << "a write meets the range, not the limit";
  f.MinValue = f.MaxValue = 0;
  f.SetValue(12345);
  EXPECT_EQ(f.Text(), "12345") << "the limit is for typing only";
}

TEST_F(SpinField, TheDialogCodeAsksForEveryKeyButTab) {
  TSpEdit& f = IntTime();
  using Q = TFakeWindows::TQueriedMessage;
  const struct { Q query; bool allKeys; } cases[] = {
      {{WM_KEYDOWN, 0x0D /* Enter */}, true},
      {{WM_KEYDOWN, 0x1B /* Escape */}, true},
      {{WM_KEYDOWN, VK_UP}, true},
      {{WM_CHAR, '\t'}, true},
      {{WM_KEYDOWN, VK_TAB}, false},
  };
  for (const auto& c : cases) {
    const TLResult code = sys.Windows.Send(f.Handle(), WM_GETDLGCODE, c.query.WParam,
                                           reinterpret_cast<TLParam>(&c.query));
    EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.allKeys) << c.query.Msg << " " << c.query.WParam;
    EXPECT_EQ(code & DLGC_WANTTAB, 0) << c.query.WParam;
    EXPECT_NE(code & DLGC_WANTARROWS, 0);
    EXPECT_NE(code & DLGC_WANTCHARS, 0);
  }
  EXPECT_NE(sys.Windows.Send(f.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0) << "a plain query";

  // Enter and Escape then stay in the field: the edit was never told it sits in a dialog,
  // where it would press the default button or close the window by itself.
  windows.SetFocus(f.Handle());
  windows.PressKey(0x0D, '\r');
  windows.PressKey(0x1B, 0x1B);
  sys.Windows.Pump();
  for (const auto& m : sys.Windows.DefaultHandled)
    if (m.Window == form) {
      EXPECT_NE(m.Msg, 0x0111u) << "WM_COMMAND reached the window";
      EXPECT_NE(m.Msg, WM_CLOSE) << "WM_CLOSE reached the window";
    }
  EXPECT_EQ(windows.Beeps.size(), 1u) << "Enter beeps";
  EXPECT_EQ(f.Text(), "100");
}

TEST_F(SpinField, TabMovesTheFocusAlongAndLeavesNoTabInTheText) {
  TSpEdit& interval = IntTime();
  const TWnd box = CheckBox();
  TSpEdit& dot = ChkDot();
  interval.SetText("0");
  windows.SetFocus(interval.Handle());
  windows.PressKey(VK_TAB, '\t');
  EXPECT_EQ(windows.GetFocus(), box);
  EXPECT_EQ(interval.Text(), "1") << "leaving the field clamped it";
  EXPECT_FALSE(Got(Edit(interval), WM_CHAR)) << "the tab character was not for the text";

  windows.SetFocus(dot.Handle());
  windows.PressKey(VK_TAB, '\t');
  EXPECT_EQ(windows.GetFocus(), interval.Handle()) << "round to the first tab stop";
  input.KeysDown.insert(VK_SHIFT);
  windows.PressKey(VK_TAB, '\t');
  EXPECT_EQ(windows.GetFocus(), dot.Handle()) << "Shift+Tab goes back";
  input.KeysDown.clear();
  EXPECT_EQ(dot.Text(), "0");
  EXPECT_EQ(interval.Text(), "1");

  // A tab character that comes without a Tab key (Ctrl+I) is an ordinary control character.
  windows.PressKey(0x49, '\t');
  EXPECT_EQ(dot.Text(), "\t");
}

TEST_F(SpinField, PasteAndCutOnlyOnAnEditableFieldAndSilentlyRefused) {
  const struct { bool editorEnabled, readOnly, allowed; } cases[] = {
      {true, false, true}, {false, false, false}, {true, true, false}, {false, true, false}};
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(n);
    TSpEdit& f = Field(("F" + std::to_string(n++)).c_str(), 1, 86400000, 10, 100, {8, 104, 89, 125});
    f.EditorEnabled = c.editorEnabled;
    f.SetReadOnly(c.readOnly);
    windows.SetFocus(f.Handle());  // selects all
    windows.Beeps.clear();
    windows.Clipboard = "12 ";
    windows.PressKey('V', 0x16);  // Ctrl+V
    EXPECT_EQ(f.Text(), c.allowed ? "12 " : "100") << "pasted text skips the filter";
    EXPECT_TRUE(windows.Beeps.empty());
    f.SetText("100");
    windows.SendMessageTo(f.Handle(), EM_SETSEL, 0, -1);
    windows.PressKey('X', 0x18);  // Ctrl+X
    EXPECT_EQ(f.Text(), c.allowed ? "" : "100");
    EXPECT_TRUE(windows.Beeps.empty());
  }
}

TEST_F(SpinField, PastedTextThatIsNoNumberStaysOnLeavingAndReadsAsTheMinimum) {
  TSpEdit& f = IntTime();
  const TWnd box = CheckBox();
  windows.SetFocus(f.Handle());
  windows.Clipboard = "12 ";
  windows.PressKey('V', 0x16);
  windows.SetFocus(box);
  EXPECT_EQ(f.Text(), "12 ");
  EXPECT_EQ(f.Value(), 1);
}

TEST_F(SpinField, EnteringSelectsAllUnlessALeftPressOnTheEditItselfBroughtTheFocus) {
  TSpEdit& f = IntTime();
  const TWnd box = CheckBox();
  TSpEdit& dot = ChkDot();
  const auto pressEdit = [&] { sys.Windows.Send(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0); };
  const auto pressArrow = [&] { Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON); Mouse(f, WM_LBUTTONUP, 40, 40, 0); };
  const auto program = [&] { windows.SetFocus(f.Handle()); };
  const auto tab = [&] { windows.SetFocus(dot.Handle()); windows.PressKey(VK_TAB, '\t'); };
  const struct {
    const char* how;
    std::function<void()> enter;
    bool autoSelect;
    std::pair<std::size_t, std::size_t> selection;
  } cases[] = {
      {"program", program, true, {0, 3}},
      {"tab", tab, true, {0, 3}},
      {"arrow", pressArrow, true, {0, 3}},
      {"click", pressEdit, true, {3, 3}},
      {"program without AutoSelect", program, false, {0, 0}},
  };
  for (const auto& c : cases) {
    windows.SetFocus(box);
    f.AutoSelect = c.autoSelect;
    windows.SendMessageTo(f.Handle(), EM_SETSEL, 0, 0);
    c.enter();
    EXPECT_EQ(windows.GetFocus(), f.Handle()) << c.how;
    EXPECT_EQ(Selection(Edit(f)), c.selection) << c.how;
  }
}

TEST_F(SpinField, LeavingRunsTheExitEventFirstThenClampsThroughTheWindow) {
  TSpEdit& f = IntTime();
  const TWnd box = CheckBox();
  std::vector<std::string> seen;
  f.OnExit = [&](TComponent*) { seen.push_back(f.Text()); };
  windows.SetFocus(f.Handle());
  windows.TypeText("0");
  EXPECT_EQ(f.Value(), 0) << "no range while typing";
  windows.SetFocus(box);
  EXPECT_EQ(seen, std::vector<std::string>{"0"});
  EXPECT_EQ(Edit(f).Text, "1");

  windows.SetFocus(f.Handle());
  windows.TypeText("007");
  windows.SetFocus(box);
  EXPECT_EQ(Edit(f).Text, "007") << "within the range: stays as typed";
}

TEST_F(SpinField, ReadOnlyReachesTheEditAndMakesStepsBeep) {
  TSpEdit& f = IntTime();
  f.SetReadOnly(true);
  EXPECT_TRUE(Edit(f).ReadOnly);
  windows.SetFocus(f.Handle());
  windows.PressKey(VK_UP);
  Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);
  Mouse(f, WM_LBUTTONUP, 7, 3, 0);
  EXPECT_EQ(f.Text(), "100");
  EXPECT_EQ(windows.Beeps, (std::vector<std::uint32_t>{0, 0})) << "the system's default beep";
  f.SetReadOnly(false);
  EXPECT_FALSE(Edit(f).ReadOnly);
}

TEST_F(SpinField, TheTextLivesInTheWindowAndComesBackOutWhenTheWindowGoes) {
  TSpEdit& f = IntTime();
  int changes = 0;
  f.OnChange = [&](TComponent*) { ++changes; };
  f.SetValue(250);
  EXPECT_EQ(Edit(f).Text, "250");
  EXPECT_EQ(changes, 1);
  windows.Child(f.Handle())->Text = "777";  // the user typed
  EXPECT_EQ(f.Value(), 777);
  f.DestroyHandle();
  EXPECT_EQ(f.Handle(), 0u);
  EXPECT_EQ(f.Text(), "777");
  EXPECT_EQ(changes, 1) << "moving out of the window is no change";
  EXPECT_EQ(drawing.LiveBitmaps(), 0u);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
}

TEST_F(SpinField, ANewAlignmentRecreatesTheWindowKeepingTextFocusAndArrows) {
  TSpEdit& f = IntTime();
  CheckBox();
  windows.SetFocus(f.Handle());
  windows.TypeText("0");  // out of range; the re-creation is no leaving
  const TWnd old = f.Handle();
  const TWnd oldPair = Pair(f);
  const struct { TAlignment a; std::uint32_t bits; } cases[] = {
      {TAlignment::taCenter, ES_CENTER}, {TAlignment::taLeftJustify, ES_LEFT}, {TAlignment::taRightJustify, ES_RIGHT}};
  for (const auto& c : cases) {
    f.SetAlignment(c.a);
    EXPECT_EQ(Edit(f).Style & 3u, c.bits);
    EXPECT_EQ(Edit(f).Style & ES_MULTILINE, ES_MULTILINE);
    EXPECT_EQ(f.Text(), "0");
    EXPECT_EQ(windows.GetFocus(), f.Handle());
    EXPECT_EQ(windows.Bounds(Pair(f)), (TRect{61, 0, 76, 16}));
  }
  EXPECT_FALSE(windows.Exists(old));
  EXPECT_FALSE(windows.Exists(oldPair));
  EXPECT_EQ(drawing.LiveBitmaps(), 2u);
  const TWnd now = f.Handle();
  f.SetAlignment(TAlignment::taRightJustify);
  EXPECT_EQ(f.Handle(), now) << "the same alignment again changes nothing";
}

TEST_F(SpinField, DestroyingTheFieldTakesItsWindowsTimersAndPictures) {
  int exits = 0;
  {
    TCustomForm local{nullptr, "Local"};
    TSpEdit& f = local.Create<TSpEdit>("F");
    f.CreateHandle(ports, form, {0, 0, 81, 21});
    windows.SetFocus(f.Handle());
    f.OnExit = [&](TComponent*) { ++exits; };
    Mouse(f, WM_LBUTTONDOWN, 7, 3, MK_LBUTTON);  // held while the field goes
    EXPECT_EQ(sys.Windows.TimerCount(), 1u);
    EXPECT_EQ(windows.Children(form).size(), 1u);
  }
  EXPECT_TRUE(windows.Children(form).empty());
  EXPECT_EQ(drawing.LiveBitmaps(), 0u);
  EXPECT_EQ(drawing.BadBitmapReleases, 0);
  EXPECT_EQ(sys.Windows.TimerCount(), 0u);
  EXPECT_EQ(input.GetCapture(), 0u);
  EXPECT_EQ(exits, 0) << "the window's end is no leaving of the field";
  EXPECT_TRUE(errors.empty());
}
