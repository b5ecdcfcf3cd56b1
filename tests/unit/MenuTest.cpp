// The tray's menus on the fake system: the banner menu's drawing, read back from the fake
// canvas, and the entries' letters, actions and handlers.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

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

TEST_F(BannerTest, TheBannerAndTheItemsScaleWithTheScreenDensity) {
  // The system's menu font and small icons come at the screen's density already.
  TMenuItem& first = *menu.Items()[0];
  first.Checked = true;
  first.ImageIndex = 0;
  menu.Items()[1]->Caption = "-";
  const struct {
    int dpi, menuFont, image;
    std::vector<int> itemTops;
    int bar, stripRight, fontHeight, textX, textY, captionLeft;
    TRect icon, frameTop;
  } cases[] = {{96, 14, 16, {0, 22, 31, 53, 75}, 31, 29, -19, 5, 91, 58, {34, 3, 50, 19}, {32, 1, 52, 2}},
               {120, 22, 20, {0, 30, 41, 71, 101}, 39, 36, -24, 6, 123, 73, {43, 5, 63, 25}, {40, 2, 66, 3}},
               {144, 21, 24, {0, 34, 48, 82, 116}, 47, 44, -29, 6, 141, 88, {52, 5, 76, 29}, {49, 2, 79, 4}},
               {192, 36, 32, {0, 48, 66, 114, 162}, 62, 58, -38, 10, 198, 116, {68, 8, 100, 40}, {64, 4, 104, 6}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    sys.Drawing.Dpi = c.dpi;
    sys.Drawing.FontHeights[sys.Menus.MenuFont()] = c.menuFont;
    TImageList& images = owner.Create<TImageList>("Images" + std::to_string(c.dpi), sys.Icons);
    images.Width = images.Height = c.image;
    ASSERT_TRUE(images.AddIconResource("MENUIMAGE0"));
    menu.Images = &images;
    int fontHeight = 0;
    sys.Menus.OnTrack = [&](TMenuHandle) {
      for (const auto& [handle, spec] : sys.Drawing.LiveFonts) fontHeight = spec.Escapement ? spec.Height : fontHeight;
      return 0u;
    };
    std::vector<int> tops;
    std::set<int> stripRights;
    std::map<TCanvasOp::TKind, std::vector<TRect>> first;  // the first item's image, frame and caption
    for (const TCanvasOp& op : Show()) {
      const bool fill = op.Kind == TCanvasOp::Fill;
      if (fill && op.Color == sys.Menus.SysColor(COLOR_MENU) && op.Rect.Left == c.bar) tops.push_back(op.Rect.Top);
      if (fill && op.Rect.Left == 0) stripRights.insert(op.Rect.Right);
      if (!fill || op.Color == sys.Menus.SysColor(COLOR_HIGHLIGHT)) first[op.Kind].push_back(op.Rect);
    }
    EXPECT_EQ(tops, c.itemTops) << "each item right of the bar, one below the other";
    EXPECT_EQ(stripRights, std::set<int>{c.stripRight});
    EXPECT_EQ(fontHeight, c.fontHeight);
    const auto texts = Texts(sys.Drawing.CanvasOps);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ((TPoint{texts[0].X, texts[0].Y}), (TPoint{c.textX, c.textY}));
    ASSERT_TRUE(first[TCanvasOp::Icon].size() == 1 && first[TCanvasOp::Fill].size() == 4);
    EXPECT_EQ(first[TCanvasOp::Icon][0], c.icon);
    EXPECT_EQ(first[TCanvasOp::Fill][0], c.frameTop) << "the checked image's frame";
    EXPECT_EQ(first[TCanvasOp::Caption][0].Left, c.captionLeft);
  }
}

TEST_F(BannerTest, TheBannerStandsWhereTheSystemPutsTheItemsAndIsDrawnOncePerShowing) {
  for (const int inset : {0, 3, 7}) {
    SCOPED_TRACE(inset);
    sys.Menus.Inset = inset;
    std::vector<TCanvasOp> drawn;
    sys.Menus.OnTrack = [&](TMenuHandle) {
      drawn = std::exchange(sys.Drawing.CanvasOps, {});
      sys.Menus.Highlight(4);
      sys.Menus.Highlight(0);
      return 0u;
    };
    const auto redrawn = Show();
    const auto strip = [inset](const TCanvasOp& op) { return op.Rect.Left == inset && op.Rect.Right == inset + 29; };
    std::map<int, std::uint32_t> rows;
    for (const TCanvasOp& op : drawn)
      if (strip(op)) rows[op.Rect.Top] = op.Color;
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(*rows.begin(), (std::pair<const int, std::uint32_t>{inset, 0xFF0000})) << "the top item's top";
    EXPECT_EQ(*rows.rbegin(), (std::pair<const int, std::uint32_t>{inset + 100, 0})) << "the bottom item's bottom";
    const auto texts = Texts(drawn);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ((TPoint{texts[0].X, texts[0].Y}), (TPoint{inset + 5, inset + 94}));
    EXPECT_TRUE(Texts(redrawn).empty() && std::none_of(redrawn.begin(), redrawn.end(), strip)) << "only the items";
  }
}

TEST(BannerGradient, EveryComponentStaysWithinItsRangeOutsideTheGradient) {
  const struct { std::uint32_t from, to; int row, rows; std::uint32_t color; } cases[] = {{0xFF0000, 0x000000, 50, 100, 0x800000}, {0x000000, 0xFFFFFF, 103, 100, 0xFFFFFF},
               {0xFFFFFF, 0x000000, 103, 100, 0x000000}, {0x000000, 0xFFFFFF, -3, 100, 0x000000},
               {0x00FF00, 0xFF00FF, 150, 100, 0xFF00FF}, {0x00FF00, 0xFF00FF, -50, 100, 0x00FF00},
               {0x123456, 0x654321, 7, 0, 0x123456}};
  for (const auto& c : cases)
    EXPECT_EQ(GradientColor(c.from, c.to, c.row, c.rows), c.color) << "row " << c.row << " of " << c.rows;
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

TEST_F(TrayMenusTest, ACaptionTheMenuFontCannotDrawTakesTheFirstInstalledFaceThatCan) {
  const struct {
    std::set<std::string> latinOnly, installed;
    std::string japaneseFace;  // "Menu": the system's menu font
  } cases[] = {{{}, {"ＭＳ Ｐゴシック"}, "Menu"},
               {{"Menu"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, "ＭＳ Ｐゴシック"},
               {{"Menu"}, {"IPAPGothic", "Noto Sans CJK JP"}, "IPAPGothic"},
               {{"Menu", "MS PGothic"}, {"MS PGothic", "VL PGothic"}, "VL PGothic"},
               {{"Menu", "MS Shell Dlg 2"}, {"MS Shell Dlg 2"}, "Menu"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.japaneseFace);
    sys.Drawing.LatinOnlyFaces = c.latinOnly;
    sys.Drawing.InstalledFonts = c.installed;
    std::map<std::string, TFontSpec> drawnIn;
    sys.Menus.OnTrack = [&](TMenuHandle) {
      for (const TCanvasOp& op : sys.Drawing.CanvasOps)
        if (op.Kind == TCanvasOp::Caption) drawnIn[op.Str] = sys.Drawing.LiveFonts.at(op.Font);
      return 0u;
    };
    const std::size_t fonts = sys.Drawing.LiveFonts.size();
    sys.Drawing.CanvasOps.clear();
    TrayCallback(WM_RBUTTONDOWN);
    for (const char* caption : {"環境オプション(&O)...", "終了(&X)"})
      EXPECT_EQ(std::pair(drawnIn[caption].Face, drawnIn[caption].Height), std::pair(c.japaneseFace, -16)) << caption;
    EXPECT_EQ(drawnIn["Brindlework(&W)"].Face, "Menu") << "a caption the menu font can draw keeps it";
    EXPECT_EQ(sys.Drawing.LiveFonts.size(), fonts) << "the fallback fonts go with the menu";
  }
}

TEST_F(TrayMenusTest, TheMenuImagesLoadAtTheNearestSizeAtOrAboveTheSmallIconSize) {
  const std::pair<int, int> cases[] = {{16, 16}, {18, 20}, {20, 20}, {22, 24}, {24, 24}, {28, 32}, {32, 32}, {40, 32}};
  for (const auto& [smallIcon, image] : cases) {
    SCOPED_TRACE(smallIcon);
    sys.Icons.SmallSize = smallIcon;
    form.reset();
    form = std::make_unique<TForm1>(app, sys.System);
    ASSERT_EQ(form->MenuImage->Count(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(sys.Icons.SizeOf(form->MenuImage->IconHandle(i)), image);
  }
}
