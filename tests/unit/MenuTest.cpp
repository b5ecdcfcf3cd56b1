// The tray's menus on the fake system: the banner menu's drawing, read back from the fake
// canvas, and the entries' letters, actions and handlers.
#include <gtest/gtest.h>

#include <map>
#include <set>

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

TEST_F(BannerTest, TheBarItsTextAndItsItemsScaleWithTheScreenDensity) {
  // The system's menu font is at the screen's density already.
  const struct {
    int dpi, menuFont;
    int bar, stripRight, itemHeight, fontHeight, textX, textY;
  } cases[] = {{96, 14, 31, 29, 20, -19, 5, 94},
               {120, 18, 39, 36, 26, -24, 6, 122},
               {144, 21, 47, 44, 30, -29, 6, 141},
               {192, 28, 62, 58, 40, -38, 10, 188}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    sys.Drawing.Dpi = c.dpi;
    sys.Drawing.FontHeights[sys.Menus.MenuFont()] = c.menuFont;
    std::vector<int> fontHeights;
    sys.Menus.OnTrack = [&](TMenuHandle) {
      for (const auto& [handle, spec] : sys.Drawing.LiveFonts)
        if (spec.Escapement == 900) fontHeights.push_back(spec.Height);
      return 0u;
    };
    const auto ops = Show();
    EXPECT_EQ(menu.MenuHeight(), 5 * c.itemHeight);
    std::vector<int> itemLefts;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Fill && op.Color == sys.Menus.SysColor(COLOR_MENU)) itemLefts.push_back(op.Rect.Left);
    EXPECT_EQ(itemLefts, std::vector<int>(5, c.bar)) << "each item right of the bar";
    int rows = 0;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Fill && op.Rect.Left == 0 && op.Rect.Bottom == op.Rect.Top + 1) {
        ++rows;
        EXPECT_EQ(op.Rect.Right, c.stripRight);
      }
    EXPECT_EQ(rows, 5 * c.itemHeight + 5) << "every row of every item, its bottom edge too";
    EXPECT_EQ(fontHeights, std::vector<int>{c.fontHeight}) << "one rotated font for the showing";
    for (const TCanvasOp& t : Texts(ops)) {
      EXPECT_EQ(t.X, c.textX);
      EXPECT_EQ(t.Y, c.textY);
    }
  }
}

TEST_F(BannerTest, TheBannerStandsWhereTheSystemPutsTheItemsAndIsDrawnOncePerShowing) {
  const struct {
    int inset;
    int firstRow, lastRow, textX, textY;
  } cases[] = {{0, 0, 100, 5, 94}, {3, 3, 103, 8, 97}, {7, 7, 107, 12, 101}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inset);
    sys.Menus.Inset = c.inset;
    std::vector<TCanvasOp> redrawn;
    sys.Menus.OnTrack = [&](TMenuHandle) {
      const std::size_t before = sys.Drawing.CanvasOps.size();
      sys.Menus.Highlight(4);
      sys.Menus.Highlight(0);
      redrawn.assign(sys.Drawing.CanvasOps.begin() + static_cast<std::ptrdiff_t>(before), sys.Drawing.CanvasOps.end());
      return 0u;
    };
    const auto ops = Show();
    std::map<int, std::uint32_t> rows;
    for (const TCanvasOp& op : ops)
      if (op.Kind == TCanvasOp::Fill && op.Rect.Left == c.inset && op.Rect.Right == c.inset + 29 &&
          op.Rect.Bottom == op.Rect.Top + 1)
        rows[op.Rect.Top] = op.Color;
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows.begin()->first, c.firstRow);
    EXPECT_EQ(rows.begin()->second, 0xFF0000u) << "the start colour at the top item's top";
    EXPECT_EQ(rows.rbegin()->first, c.lastRow);
    EXPECT_EQ(rows.rbegin()->second, 0u) << "the end colour at the bottom item's bottom";
    const auto texts = Texts(ops);
    ASSERT_EQ(texts.size(), 5u) << "once per item: the highlights drew no text";
    EXPECT_EQ(texts[0].X, c.textX);
    EXPECT_EQ(texts[0].Y, c.textY);
    EXPECT_TRUE(menu.BannerDone());
    EXPECT_TRUE(StripRows(redrawn).empty() && Texts(redrawn).empty()) << "a highlight redraws only its item";
  }
}

TEST(BannerGradient, EveryComponentStaysWithinItsRangeOutsideTheGradient) {
  const struct {
    std::uint32_t from, to;
    int row, rows;
    std::uint32_t color;
  } cases[] = {
      {0xFF0000, 0x000000, 0, 100, 0xFF0000},   {0xFF0000, 0x000000, 100, 100, 0x000000},
      {0xFF0000, 0x000000, 50, 100, 0x800000},  {0x000000, 0xFFFFFF, 103, 100, 0xFFFFFF},
      {0xFFFFFF, 0x000000, 103, 100, 0x000000}, {0x000000, 0xFFFFFF, -3, 100, 0x000000},
      {0x00FF00, 0xFF00FF, 150, 100, 0xFF00FF}, {0x00FF00, 0xFF00FF, -50, 100, 0x00FF00},
      {0x123456, 0x654321, 7, 0, 0x123456},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GradientColor(c.from, c.to, c.row, c.rows), c.color)
        << std::hex << c.from << " to " << c.to << std::dec << ", row " << c.row << " of " << c.rows;
}

namespace {

// A menu with images, as the lock menu: a checked item with its image, a separator, an item.
struct MenuGeometryTest : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  TComponent owner{nullptr, "Owner"};
  TImageList& images = owner.Create<TImageList>("Images", sys.Icons);
  TPopupMenu& menu = owner.Create<TPopupMenu>("Menu", sys.Menus, sys.Windows, sys.Drawing);

  MenuGeometryTest() {
    menu.OwnerWindow = app.Handle();
    menu.Images = &images;
    TMenuItem& checked = menu.Add("Checked");
    checked.Caption = "&Checked";
    checked.Checked = true;
    checked.ImageIndex = 0;
    menu.Add("Line").Caption = "-";
    TMenuItem& plain = menu.Add("Plain");
    plain.Caption = "&Plain";
    plain.ImageIndex = 1;
  }
};

}  // namespace

TEST_F(MenuGeometryTest, GapsSeparatorAndCheckedFrameScaleWithTheScreenDensity) {
  const struct {
    int dpi, menuFont, imageSize;
    int itemHeight, separatorHeight, imageAt, frameOut, frameWidth, captionLeft, width;
  } cases[] = {{96, 14, 16, 22, 9, 3, 2, 1, 27, 92},
               {120, 18, 20, 28, 11, 4, 3, 1, 34, 117},
               {144, 21, 24, 34, 14, 5, 3, 2, 41, 138},
               {192, 28, 32, 44, 18, 6, 4, 2, 54, 184}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    sys.Drawing.Dpi = c.dpi;
    sys.Drawing.FontHeights[sys.Menus.MenuFont()] = c.menuFont;
    TImageList& list = owner.Create<TImageList>("Images" + std::to_string(c.dpi), sys.Icons);
    list.Width = list.Height = c.imageSize;
    ASSERT_TRUE(list.AddIconResource("MENUIMAGE0") && list.AddIconResource("MENUIMAGE1"));
    menu.Images = &list;
    sys.Drawing.CanvasOps.clear();
    menu.PopupAt({10, 10});
    const int h = c.itemHeight, s = c.separatorHeight;
    std::vector<TCanvasOp> icons, captions, separators, frames;
    for (const TCanvasOp& op : sys.Drawing.CanvasOps) {
      if (op.Kind == TCanvasOp::Icon) icons.push_back(op);
      if (op.Kind == TCanvasOp::Caption) captions.push_back(op);
      if (op.Kind == TCanvasOp::Separator) separators.push_back(op);
      if (op.Kind == TCanvasOp::Fill && op.Color == sys.Menus.SysColor(COLOR_HIGHLIGHT)) frames.push_back(op);
    }
    const int top = (h - c.imageSize) / 2;
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].Rect, (TRect{c.imageAt, top, c.imageAt + c.imageSize, top + c.imageSize}));
    EXPECT_EQ(icons[1].Rect.Top, h + s + top);
    ASSERT_EQ(separators.size(), 1u);
    EXPECT_EQ(separators[0].Rect, (TRect{c.imageAt, h, c.width - c.imageAt, h + s}));
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].Rect, (TRect{c.captionLeft, 0, c.width - c.imageAt, h}));
    EXPECT_EQ(captions[1].Rect, (TRect{c.captionLeft, h + s, c.width - c.imageAt, 2 * h + s}));
    // The checked image's frame: its top edge first, then bottom, left and right.
    ASSERT_EQ(frames.size(), 4u);
    const int l = c.imageAt - c.frameOut, t = top - c.frameOut;
    const int r = c.imageAt + c.imageSize + c.frameOut, b = top + c.imageSize + c.frameOut;
    EXPECT_EQ(frames[0].Rect, (TRect{l, t, r, t + c.frameWidth}));
    EXPECT_EQ(frames[1].Rect, (TRect{l, b - c.frameWidth, r, b}));
    EXPECT_EQ(frames[2].Rect, (TRect{l, t, l + c.frameWidth, b}));
    EXPECT_EQ(frames[3].Rect, (TRect{r - c.frameWidth, t, r, b}));
  }
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
         EXPECT_EQ(t.sys.Windows.MessageBoxes[0].Text, std::string(MakerNotice) + "\r\n\r\nFileVersion : 3.0.5.8");
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
        {"\\StringFileInfo\\041103A4\\FileVersion", "3.0.5.8"}};
    sys.Menus.Shown.clear();
    ChooseByLetter(c.letter);
    TrayCallback(WM_RBUTTONDOWN);
    ASSERT_EQ(sys.Menus.Shown.size(), 1u);
    std::vector<std::string> captions;
    for (const TMenuEntry& e : sys.Menus.Shown[0].Entries) {
      captions.push_back(e.Caption);
      EXPECT_TRUE(e.OwnerDraw);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"環境オプション(&O)...", "-", "ヘルプ表示(&H)", "Brindlework(&W)",
                                                  "バージョン情報(&A)", "-", "終了(&X)"}));
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
    const char* name;
    std::set<std::string> latinOnly, installed;
    std::string japaneseFace;  // the face of the Japanese captions; the menu font's "Menu"
  } cases[] = {
      {"a menu font with Japanese glyphs", {}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, "Menu"},
      {"the options window's own face", {"Menu"}, {"ＭＳ Ｐゴシック", "IPAPGothic"}, "ＭＳ Ｐゴシック"},
      {"the first installed one", {"Menu"}, {"IPAPGothic", "Noto Sans CJK JP"}, "IPAPGothic"},
      {"an installed face without the glyphs is passed over", {"Menu", "MS PGothic"},
       {"MS PGothic", "VL PGothic"}, "VL PGothic"},
      {"none can: the menu font", {"Menu", "MS Shell Dlg 2"}, {"MS Shell Dlg 2"}, "Menu"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sys.Drawing.LatinOnlyFaces = c.latinOnly;
    sys.Drawing.InstalledFonts = c.installed;
    std::map<std::string, std::pair<std::string, int>> drawnIn;  // caption: face, height
    sys.Menus.OnTrack = [&](TMenuHandle) {
      for (const TCanvasOp& op : sys.Drawing.CanvasOps)
        if (op.Kind == TCanvasOp::Caption) {
          const TFontSpec& font = sys.Drawing.LiveFonts.at(op.Font);
          drawnIn[op.Str] = {font.Face, font.Height};
        }
      return 0u;
    };
    const std::size_t fonts = sys.Drawing.LiveFonts.size();
    sys.Drawing.CanvasOps.clear();
    TrayCallback(WM_RBUTTONDOWN);
    const std::pair<std::string, int> japanese{c.japaneseFace, -16}, menuFont{"Menu", -16};
    EXPECT_EQ(drawnIn["環境オプション(&O)..."], japanese) << "at the menu font's height";
    EXPECT_EQ(drawnIn["終了(&X)"], japanese);
    EXPECT_EQ(drawnIn["Brindlework(&W)"], menuFont) << "a caption the menu font can draw keeps it";
    EXPECT_EQ(sys.Drawing.LiveFonts.size(), fonts) << "the fallback fonts go with the menu";
  }
}

TEST_F(TrayMenusTest, TheMenuImagesLoadAtTheNearestSizeAtOrAboveTheSmallIconSize) {
  const struct {
    int smallIcon, image;
  } cases[] = {{16, 16}, {18, 20}, {20, 20}, {22, 24}, {24, 24}, {28, 32}, {32, 32}, {40, 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.smallIcon);
    sys.Icons.SmallSize = c.smallIcon;
    form.reset();
    form = std::make_unique<TForm1>(app, sys.System);
    EXPECT_EQ(form->MenuImage->Width, c.image);
    for (int i = 0; i < form->MenuImage->Count(); ++i) EXPECT_EQ(sys.Icons.SizeOf(form->MenuImage->IconHandle(i)), c.image);
    EXPECT_EQ(form->MenuImage->Count(), 9);
  }
}
