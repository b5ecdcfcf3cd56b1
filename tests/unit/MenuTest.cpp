// The tray's menus on the fake system: the banner menu's drawing, read back from the fake
// canvas, and the entries' letters, actions and handlers.
#include <gtest/gtest.h>

#include <map>

#include "support/FakeSystem.h"
#include "tray/TrayIcon.h"
#include "ui/Form1.h"

using namespace win;

namespace {

// A banner menu of five items, 20 pixels each (a 14-pixel menu font): 100 pixels in all.
struct BannerTest : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  TComponent owner{nullptr, "Owner"};
  TBarPopupMenu& menu =
      owner.Create<TBarPopupMenu>("MenuR", sys.Menus, sys.Windows, sys.Drawing, app.Handle(), app.Title());

  BannerTest() {
    sys.Drawing.FontHeights[sys.Menus.MenuFont()] = 14;
    menu.OwnerWindow = app.Handle();
    for (const char* caption : {"&One", "&Two", "T&hree", "&Four", "F&ive"}) menu.Add(caption).Caption = caption;
  }
  std::vector<TCanvasOp> Show() {
    sys.Drawing.CanvasOps.clear();
    menu.PopupAt({500, 400});
    return sys.Drawing.CanvasOps;
  }
  // The strip's one-row fills, by row.
  static std::map<int, std::uint32_t> StripRows(const std::vector<TCanvasOp>& ops) {
    std::map<int, std::uint32_t> rows;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Fill && op.Rect.Left == 0 && op.Rect.Right == 29 && op.Rect.Bottom == op.Rect.Top + 1)
        rows[op.Rect.Top] = op.Color;
    return rows;
  }
  static std::vector<TCanvasOp> Texts(const std::vector<TCanvasOp>& ops) {
    std::vector<TCanvasOp> texts;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Text) texts.push_back(op);
    return texts;
  }
};

}  // namespace

TEST_F(BannerTest, DefaultsAndTheTransparentFlagWithoutABitmap) {
  EXPECT_EQ(menu.BarWidth, 31);
  EXPECT_EQ(menu.GradientStart, 0xFF0000u);
  EXPECT_EQ(menu.GradientEnd, 0u);
  EXPECT_EQ(menu.VerticalTextOffsetY, -6);
  EXPECT_EQ(menu.BitmapVertAlignment, TBitmapVertAlignment::bvaBottom);
  EXPECT_EQ(menu.BitmapHorzAlignment, TBitmapHorzAlignment::bhaLeft);
  EXPECT_EQ(menu.VerticalText, "Vantrel") << "the application's title";
  EXPECT_FALSE(menu.HasBitmap());
  menu.SetTransparent(false);  // dropped: there is no bitmap
  EXPECT_FALSE(menu.Transparent());
  menu.Bitmap();
  EXPECT_TRUE(menu.Transparent()) << "a bitmap is made transparent";
  // A drawing before anything was measured: no height to spread the colours over, and no
  // division by it.
  std::vector<TCanvasOp> ops;
  TFakeCanvas canvas(ops, [](TFontHandle) { return 14; });
  menu.BarDrawItem(*menu.Items()[0], canvas, {0, 0, 100, 20}, 0);
  EXPECT_TRUE(StripRows(ops).empty());
}

TEST_F(BannerTest, TheStripRunsFromTheStartColourToTheEndColourOneStepPerRow) {
  const auto rows = StripRows(Show());
  EXPECT_EQ(menu.MenuHeight(), 100);
  ASSERT_EQ(rows.size(), 101u) << "rows 0 to 100";
  EXPECT_EQ(rows.at(0), 0xFF0000u);
  EXPECT_EQ(rows.at(50), 0x800000u);
  EXPECT_EQ(rows.at(100), 0u);
  // Equal colours, a system colour among them: one solid fill per item, in its RGB.
  menu.GradientStart = menu.GradientEnd = SystemColor(COLOR_HIGHLIGHT);
  const auto ops = Show();
  EXPECT_TRUE(StripRows(ops).empty());
  int solid = 0;
  for (const TCanvasOp& op : ops)
    if (op.Kind == TCanvasOp::Fill && op.Rect.Left == 0 && op.Rect.Right == 29) {
      ++solid;
      EXPECT_EQ(op.Color, sys.Menus.SysColor(COLOR_HIGHLIGHT));
    }
  EXPECT_EQ(solid, 5);
}

TEST_F(BannerTest, TheTextStandsInTheBarFromTheBottomUpAndABitmapRaisesIt) {
  const struct {
    int fontHeight;
    bool bitmap;
    int x, y;
  } cases[] = {{23, false, 3, 94}, {25, false, 1, 94}, {19, false, 5, 94}, {19, true, 5, 78}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fontHeight);
    menu.VerticalFont.Height = -c.fontHeight;
    if (c.bitmap) {
      sys.Drawing.BitmapResources["BANNER"] = {16, 16};
      ASSERT_TRUE(menu.Bitmap().LoadResource("BANNER"));
      menu.BitmapHorzAlignment = TBitmapHorzAlignment::bhaCenter;
    }
    const auto ops = Show();
    const auto texts = Texts(ops);
    ASSERT_EQ(texts.size(), 5u) << "each item draws its part";
    for (const TCanvasOp& t : texts) {
      EXPECT_EQ(t.X, c.x);
      EXPECT_EQ(t.Y, c.y);
      EXPECT_EQ(t.Str, "Vantrel");
      EXPECT_EQ(t.Color, 0xFFFFFFu);
      EXPECT_EQ(t.Rect.Bottom - t.Rect.Top, 21) << "clipped to the item's rows and one more";
    }
    int bitmaps = 0;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Bitmap) {
        ++bitmaps;
        EXPECT_EQ(op.Rect, (TRect{6, 84, 22, 100}));
      }
    EXPECT_EQ(bitmaps, c.bitmap ? 1 : 0);
  }
  EXPECT_EQ(sys.Drawing.LiveFonts.size(), 1u) << "only the menu font: the rotated ones are released";
}

TEST_F(BannerTest, AfterTheFirstPassAHighlightRedrawsOnlyItsItemAndSubmenusGetNoBanner) {
  TMenuItem& parent = *menu.Items()[1];
  TMenuItem& sub = parent.Add("Sub");
  sub.Caption = "&Sub";
  sys.Menus.OnTrack = [&](TMenuHandle) {
    EXPECT_TRUE(menu.BannerDone());
    sys.Drawing.CanvasOps.clear();
    sys.Menus.Highlight(2);
    return 0u;
  };
  Show();
  const auto& ops = sys.Drawing.CanvasOps;
  EXPECT_TRUE(StripRows(ops).empty());
  EXPECT_TRUE(Texts(ops).empty());
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(ops[0].Kind, TCanvasOp::Fill);
  EXPECT_EQ(ops[0].Rect.Left, 31) << "the item, right of the bar";
  EXPECT_EQ(ops[0].Color, sys.Menus.SysColor(COLOR_HIGHLIGHT));
  EXPECT_TRUE(parent.OnAdvancedDrawItem);
  EXPECT_FALSE(sub.OnAdvancedDrawItem) << "a submenu keeps the standard look";
  EXPECT_FALSE(sub.OnMeasureItem);
}

TEST(RotatedFont, TheLogicalFontOfTheBannerText) {
  const struct {
    TFont font;
    TFontSpec spec;
  } cases[] = {
      {{"Verdana", -19, clWhite, true, true, false, false, TFontPitch::fpDefault, 0},
       {"Verdana", -19, 1, 900, 700, true, false, false, 0}},
      {{"Courier New", 14, clBlack, false, false, true, true, TFontPitch::fpFixed, 128},
       {"Courier New", 14, 1, 900, 400, false, true, true, 1}},
      {{"Tahoma", -12, clWhite, false, false, false, false, TFontPitch::fpVariable, 0},
       {"Tahoma", -12, 1, 900, 400, false, false, false, 2}},
      {{std::string(40, 'F') + "é", -12, clWhite, false, false, false, false, TFontPitch::fpDefault, 0},
       {std::string(31, 'F'), -12, 1, 900, 400, false, false, false, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(RotatedFontSpec(c.font, 90), c.spec) << c.font.Name;
}

namespace {

struct TrayMenusTest : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  std::unique_ptr<TForm1> form = std::make_unique<TForm1>(app, sys.System);

  // The user presses ch in the open menu; the item it chooses, by the menu's answer.
  void ChooseByLetter(char16_t ch) {
    sys.Menus.OnTrack = [this, ch](TMenuHandle menu) -> std::uint32_t {
      const TLResult answer = sys.Menus.PressChar(ch);
      if (HiWord(static_cast<std::uintmax_t>(answer)) != MNC_EXECUTE) return 0;
      return sys.Menus.Menus.at(menu).Entries.at(LoWord(static_cast<std::uintmax_t>(answer))).Id;
    };
  }
  void TrayCallback(std::uint32_t event) {
    sys.Windows.Send(sys.Windows.FindWindow(TTrayIconUnit::WindowClassName), TrayCallbackMessage,
                     form->TrayIcon->TrayId(), event);
  }
};

}  // namespace

TEST_F(TrayMenusTest, TheRightButtonOpensTheBannerMenuAndEachEntryAnswersToItsLetter) {
  sys.Input.MoveCursor({790, 590});
  const struct {
    char16_t letter;
    std::function<void(TrayMenusTest&)> check;
  } cases[] = {
      {u'o', [](TrayMenusTest& t) { EXPECT_TRUE(t.form->Visible()); }},
      {u'd', [](TrayMenusTest& t) {
         EXPECT_TRUE(t.form->AdvancedForm->Visible());
         EXPECT_FALSE(t.form->Visible());
       }},
      {u'H', [](TrayMenusTest& t) {
         EXPECT_EQ(t.sys.CallLog.back(), "ShellExecute " + std::to_string(t.form->Handle()) +
                                               " OPEN C:\\Games\\Tools\\Vantrel.pdf [] [] 5");
       }},
      {u'w', [](TrayMenusTest& t) {
         EXPECT_EQ(t.sys.CallLog.back(), "ShellExecute " + std::to_string(t.form->Handle()) + " OPEN " +
                                               MakerWebAddress + " [] [] 5");
       }},
      {u'a', [](TrayMenusTest& t) {
         ASSERT_EQ(t.sys.Windows.MessageBoxes.size(), 1u);
         EXPECT_EQ(t.sys.Windows.MessageBoxes[0].Caption, "情報");
         EXPECT_EQ(t.sys.Windows.MessageBoxes[0].Text,
                   std::string(MakerNotice) +
                       "\r\n\r\nFileVersion : 2.7.1.4\r\n\r\n開始キー: Home　停止キー: End\r\n(詳細設定で変更できます)");
         EXPECT_EQ(t.sys.Windows.MessageBoxes[0].Flags, MB_OK | MB_ICONINFORMATION);
       }},
      {u'x', [](TrayMenusTest& t) {
         EXPECT_FALSE(t.form->Visible());
         EXPECT_EQ(t.sys.HotKeys.Registered().size(), 7u) << "not yet: the close is posted";
         EXPECT_TRUE(t.sys.Windows.Pump()) << "then the program ends";
         EXPECT_NE(t.sys.Profile.Text("C:\\Games\\Tools\\Vantrel.ini").find("IntTime=100"), std::string::npos);
         EXPECT_TRUE(t.sys.HotKeys.Registered().empty());
       }},
      {u'q', [](TrayMenusTest& t) { EXPECT_FALSE(t.form->Visible()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<char>(c.letter));
    form.reset();  // the hotkeys are free again
    form = std::make_unique<TForm1>(app, sys.System);
    sys.Environment.VersionInfo["C:\\Games\\Tools\\Vantrel.exe"] = {
        {"\\VarFileInfo\\Translation", std::string("\x11\x04\xA4\x03", 4)},
        {"\\StringFileInfo\\041103A4\\FileVersion", "2.7.1.4"}};
    sys.Menus.Shown.clear();
    ChooseByLetter(c.letter);
    TrayCallback(WM_RBUTTONDOWN);
    ASSERT_EQ(sys.Menus.Shown.size(), 1u);
    std::vector<std::string> captions;
    for (const TMenuEntry& e : sys.Menus.Shown[0].Entries) {
      captions.push_back(e.Caption);
      EXPECT_TRUE(e.OwnerDraw);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"環境オプション(&O)...", "詳細設定(&D)...", "-", "ヘルプ表示(&H)",
                                                  "Brindlework(&W)", "バージョン情報(&A)", "-", "終了(&X)"}));
    EXPECT_EQ(sys.Menus.Shown[0].At, (TPoint{790, 590}));
    c.check(*this);
    sys.Windows.MessageBoxes.clear();
  }
}

TEST_F(TrayMenusTest, TheLeftClickOpensTheLockMenuAtThePressAndItsEntriesFollowTheLocks) {
  sys.Input.MoveCursor({700, 580});
  sys.Menus.OnTrack = [this](TMenuHandle menu) { return sys.Menus.Menus.at(menu).Entries.at(0).Id; };
  TrayCallback(WM_LBUTTONDOWN);
  sys.Input.MoveCursor({705, 585});
  TrayCallback(WM_LBUTTONUP);
  ASSERT_EQ(sys.Menus.Shown.size(), 1u);
  EXPECT_EQ(sys.Menus.Shown[0].At, (TPoint{700, 580})) << "where the button went down";
  EXPECT_EQ(sys.Menus.Shown[0].Owner, form->Handle());
  EXPECT_TRUE(form->CtrlLock->Checked()) << "Ctrl Key Lock chosen";
  EXPECT_EQ(form->acLockCtrl->ImageIndex(), 8);

  sys.Menus.OnTrack = nullptr;
  sys.Drawing.CanvasOps.clear();
  TrayCallback(WM_LBUTTONDOWN);
  TrayCallback(WM_LBUTTONUP);
  ASSERT_EQ(sys.Menus.Shown.size(), 2u);
  EXPECT_TRUE(sys.Menus.Shown[1].Entries[0].Checked);
  EXPECT_FALSE(sys.Menus.Shown[1].Entries[1].Checked);
  // Each entry shows its pressed or released key.
  std::vector<std::uintptr_t> icons;
  for (const TCanvasOp& op : sys.Drawing.CanvasOps)
    if (op.Kind == TCanvasOp::Icon) icons.push_back(op.Handle);
  EXPECT_EQ(icons, (std::vector<std::uintptr_t>{form->MenuImage->IconHandle(8), form->MenuImage->IconHandle(5)}));
}
