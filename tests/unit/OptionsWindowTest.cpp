// The options window on the fake system: its buttons and keys, the lock boxes and their
// actions, and its layout and font on screens of other densities.
#include <gtest/gtest.h>

#include "support/FakeSystem.h"
#include "ui/Form1.h"

using namespace win;

namespace {

const std::string Ini = "C:\\Games\\Tools\\Vantrel.ini";

struct OptionsWindowTest : ::testing::Test {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  std::unique_ptr<TForm1> form;

  TForm1& Start() {
    form = std::make_unique<TForm1>(app, sys.System);
    return *form;
  }
  // What the dialog manager sends the form: a button's click, or IDOK / IDCANCEL for Enter
  // and Esc.
  void Command(std::uint32_t id, TWnd button) {
    sys.Windows.Send(form->Handle(), WM_COMMAND, (TWParam{BN_CLICKED} << 16) | id, static_cast<TLParam>(button));
  }
  void Press(TButton& b) { Command(b.ControlId(), b.Handle()); }
  // The check mark last put on a button's window.
  int ShownCheck(TWnd button) const {
    int state = -1;
    for (const auto& m : sys.Windows.DefaultHandled)
      if (m.Window == button && m.Msg == BM_SETCHECK) state = static_cast<int>(m.WParam);
    return state;
  }
};

}  // namespace

TEST_F(OptionsWindowTest, OkSavesAndAppliesCancelRestoresAndBothHide) {
  const struct {
    const char* how;
    std::function<void(OptionsWindowTest&)> press;
    bool saved;
  } cases[] = {
      {"OK clicked", [](OptionsWindowTest& t) { t.Press(*t.form->Button1); }, true},
      {"Enter (IDOK)", [](OptionsWindowTest& t) { t.Command(IDOK, t.form->Button1->Handle()); }, true},
      {"Cancel clicked", [](OptionsWindowTest& t) { t.Press(*t.form->Button2); }, false},
      {"Esc (IDCANCEL)", [](OptionsWindowTest& t) { t.Command(IDCANCEL, t.form->Button2->Handle()); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    sys.Profile.SetText(Ini, "[taro]\r\nIntTime=100\r\nButtonClick=0\r\n");
    Start();
    form->Show();
    form->IntTime->SetText("250");
    form->ButtonClick->SetItemIndex(1);  // the right button
    c.press(*this);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(sys.Profile.Text(Ini).find("IntTime=250") != std::string::npos, c.saved);
    EXPECT_EQ(form->Controller().DownFlag(), c.saved ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(form->IntTime->Value(), c.saved ? 250 : 100);
    EXPECT_EQ(form->ButtonClick->ItemIndex(), c.saved ? 1 : 0);
  }
}

TEST_F(OptionsWindowTest, AFailedSaveOnOkIsShownAndLeavesTheButtonChoiceAndTheProgramRunning) {
  Start();
  form->Show();
  sys.Profile.ReadOnly.insert(Ini);
  form->ButtonClick->SetItemIndex(2);
  Press(*form->Button1);
  EXPECT_FALSE(form->Visible()) << "hidden before the save";
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 2u);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "Can not save to IniFile");
  EXPECT_EQ(sys.Windows.MessageBoxes[1].Flags, MB_OK | MB_ICONERROR);
  EXPECT_EQ(form->Controller().DownFlag(), MOUSEEVENTF_LEFTDOWN) << "the choice is not applied";
  EXPECT_EQ(sys.HotKeys.Registered().size(), 7u);
  EXPECT_FALSE(sys.Windows.Pump()) << "no quit";
}

TEST_F(OptionsWindowTest, ALockBoxAndItsActionShowTheSameStateEitherWay) {
  Start();
  const struct {
    TCheckBox* box;
    TAction* action;
    int offImage;
  } locks[] = {{form->CtrlLock, form->acLockCtrl, 7}, {form->ShiftLock, form->acLockShift, 5}};
  for (const auto& l : locks) {
    SCOPED_TRACE(l.action->Name());
    EXPECT_EQ(l.box->Caption, l.action->Caption());
    sys.Windows.Send(form->Handle(), WM_COMMAND, TWParam{BN_CLICKED} << 16, static_cast<TLParam>(l.box->Handle()));
    EXPECT_TRUE(l.action->Checked());
    EXPECT_TRUE(l.box->Checked());
    EXPECT_EQ(ShownCheck(l.box->Handle()), 1);
    EXPECT_EQ(l.action->ImageIndex(), l.offImage + 1);
    l.action->Execute();  // as the menu entry does
    EXPECT_FALSE(l.box->Checked());
    EXPECT_EQ(ShownCheck(l.box->Handle()), 0);
    EXPECT_EQ(l.action->ImageIndex(), l.offImage);
  }
}

TEST_F(OptionsWindowTest, TheMiddleButtonOnTheTrayIconShowsTheWindowInFront) {
  Start();
  form->TrayIconMouseDown(TMouseButton::mbLeft, 0, 5, 5);
  form->TrayIconMouseDown(TMouseButton::mbRight, 0, 5, 5);
  EXPECT_FALSE(form->Visible());
  form->TrayIconMouseDown(TMouseButton::mbMiddle, ssMiddle, 700, 590);
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->TrayPos(), (TPoint{700, 590}));
}

TEST_F(OptionsWindowTest, TheDialogKeysReachTheRightControls) {
  Start();
  form->Show();
  sys.Windows.Send(form->Handle(), WM_ACTIVATE, 1, 0);
  EXPECT_EQ(sys.Windows.GetFocus(), form->ButtonClick->TabStopButton()) << "the first tab stop";
  // Enter presses the default button, or the push button that has the focus.
  EXPECT_EQ(sys.Windows.Send(form->Handle(), DM_GETDEFID), (DC_HASDEFID << 16) | IDOK);
  sys.Windows.SetFocus(form->Button2->Handle());
  EXPECT_EQ(sys.Windows.Send(form->Handle(), DM_GETDEFID), (DC_HASDEFID << 16) | IDCANCEL);
  // A group's mnemonic focuses its frame, then steps on into the group at the checked item.
  sys.Windows.Send(form->Handle(), WM_NEXTDLGCTL, form->Spd->FrameHandle(), 1);
  sys.Windows.Send(form->Handle(), WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(sys.Windows.GetFocus(), form->Spd->TabStopButton());
  // The label's mnemonic steps on to its field, which comes right after it.
  sys.Windows.Send(form->Handle(), WM_NEXTDLGCTL, form->Label1->Handle(), 1);
  sys.Windows.Send(form->Handle(), WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(sys.Windows.GetFocus(), form->IntTime->Handle());
  // Deactivated and activated again, the window gives the focus back to that field.
  sys.Windows.Send(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  sys.Windows.SetFocus(0);
  sys.Windows.Send(form->Handle(), WM_ACTIVATE, 1, 0);
  EXPECT_EQ(sys.Windows.GetFocus(), form->IntTime->Handle());
  // Only the checked item of a group is a tab stop.
  form->Spd->SetItemIndex(5);
  EXPECT_TRUE(sys.Windows.GetStyle(form->Spd->TabStopButton()) & WS_TABSTOP);
  int stops = 0;
  for (TWnd w : sys.Windows.Children(form->Spd->Handle())) stops += (sys.Windows.GetStyle(w) & WS_TABSTOP) ? 1 : 0;
  EXPECT_EQ(stops, 1);
}

TEST_F(OptionsWindowTest, LayoutAndFontFollowTheScreenDensityAndTheInstalledFaces) {
  const struct {
    int dpi;
    std::set<std::string> fonts;
    const char* face;
    int fontHeight;
    TRect spd;
    TRect client;
  } cases[] = {
      {96, {"ＭＳ Ｐゴシック"}, "ＭＳ Ｐゴシック", -12, {160, 8, 321, 153}, {0, 0, 330, 267}},
      {144, {"IPAPGothic", "IPAGothic"}, "IPAPGothic", -18, {240, 12, 482, 230}, {0, 0, 495, 401}},
      {120, {"Arial"}, "MS Shell Dlg 2", -15, {200, 10, 401, 191}, {0, 0, 413, 334}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    sys.Drawing.Dpi = c.dpi;
    sys.Drawing.InstalledFonts = c.fonts;
    const std::size_t fontsBefore = sys.Drawing.LiveFonts.size();
    Start();
    EXPECT_EQ(form->FontFace(), c.face);
    ASSERT_EQ(sys.Drawing.LiveFonts.count(form->Font()), 1u);
    EXPECT_EQ(sys.Drawing.LiveFonts[form->Font()].Height, c.fontHeight);
    EXPECT_EQ(sys.Drawing.LiveFonts[form->Font()].CharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(form->Spd->BoundsRect(), c.spd);
    TRect outer;
    ASSERT_TRUE(sys.Windows.GetWindowRect(form->Handle(), outer));
    EXPECT_EQ(outer.Right - outer.Left, c.client.Right + 6) << "the client area and the frame";
    EXPECT_EQ(outer.Bottom - outer.Top, c.client.Bottom + 26);
    form.reset();
    EXPECT_EQ(sys.Drawing.LiveFonts.size(), fontsBefore) << "the font goes with the window";
  }
}
