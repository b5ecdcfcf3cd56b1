// The settings store on the main form, against the fake system's INI files.
#include <gtest/gtest.h>

#include <regex>

#include "unit/SettingsFixture.h"

using namespace win;

namespace {

struct SettingsTest : SettingsFixture {
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const std::string& c : sys.Profile.Calls)
      if (c.rfind("write ", 0) == 0) writes.push_back(c);
    return writes;
  }
};

}  // namespace

TEST_F(SettingsTest, FirstSaveWritesTheTenKeysInOrderUnderTheUsersName) {
  Start();
  EXPECT_EQ(form->AutoSave->IniPath(), Ini);
  form->AutoSave->SaveIni();
  EXPECT_EQ(sys.Profile.Text(Ini), FirstSave);
  EXPECT_EQ(sys.Profile.Calls.back(), "flush");
}

TEST_F(SettingsTest, LaterSavesKeepTheOrderAndOtherUsersSections) {
  Start(std::string("[hanako]\r\nIntTime=5\r\nSpd=0\r\n") + FirstSave);
  form->IntTime->SetText("250");
  form->ButtonClick->SetItemIndex(1);
  form->SetTop(40);
  form->AutoSave->SaveIni();
  EXPECT_EQ(sys.Profile.Text(Ini),
            "[hanako]\r\nIntTime=5\r\nSpd=0\r\n"
            "[taro]\r\nForm1Top=40\r\nForm1Left=0\r\nButtonClick=1\r\nCtrlLock=0\r\nShiftLock=0\r\n"
            "Spd=3\r\nIntTime=250\r\nAutoStop=0\r\nLockAndClick=0\r\nChkDot=0\r\n");
  for (const std::string& c : sys.Profile.Calls) EXPECT_EQ(c.find("hanako"), std::string::npos) << c;
}

TEST_F(SettingsTest, LoadAppliesEachValueByTheIntegerRuleAndKeepsDesignValuesOtherwise) {
  Start("[taro]\r\nForm1Top=120\r\nForm1Left=-3000\r\nCtrlLock=\r\nShiftLock=yes\r\nSpd=0x5\r\n"
        "IntTime=\r\nAutoStop=-1\r\nLockAndClick=2\r\nChkDot=123\r\nButtonClick=$2\r\n"
        "Form1height=999\r\n");
  EXPECT_EQ(form->Top(), 120);
  EXPECT_EQ(form->Left(), -3000) << "restored off screen without correction";
  EXPECT_FALSE(form->CtrlLock->Checked()) << "an empty value leaves a check box unchanged";
  EXPECT_FALSE(form->ShiftLock->Checked());
  EXPECT_EQ(form->Spd->ItemIndex(), 5);
  EXPECT_EQ(form->IntTime->Text(), "100") << "no number: the last valid value stays";
  EXPECT_TRUE(form->AutoStop->Checked());
  EXPECT_TRUE(form->LockAndClick->Checked());
  EXPECT_EQ(form->ChkDot->Text(), "99") << "beyond the range: its nearest end";
  EXPECT_EQ(form->ButtonClick->ItemIndex(), 2);
  EXPECT_EQ(form->Controller().DownFlag(), MOUSEEVENTF_MIDDLEDOWN) << "button applied after load";

  form->AutoSave->SaveIni();
  EXPECT_NE(sys.Profile.Text(Ini).find("Form1height=999\r\n"), std::string::npos)
      << "keys that name no control stay untouched";
}

// A mistyped interval or tolerance never becomes the fastest rate: OK, the next Home and the
// file take the last valid value, or the range's nearest end.
TEST(SettingsFields, AMistypedNumberIsTakenAsTheLastValidValueOrTheNearestEndOfTheRange) {
  const struct {
    const char* typed;
    std::int32_t interval;  // with 250 saved before
    const char* tolerance;
    std::int32_t dots;  // with 5 saved before
  } cases[] = {{"", 250, "100", 99},      {"abc", 250, "-1", 0},      {"99999999999", 86400000, "x", 5},
               {"86400001", 86400000, "7", 7}, {"0", 1, "0", 0},      {"-5", 1, "99", 99},
               {"１２３", 250, "", 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    TFakeSystem sys;
    TApplication app{sys.System, "Vantrel"};
    TForm1 form(app, sys.System);
    form.IntTime->SetText("250");
    form.ChkDot->SetText("5");
    form.Button1Click();
    form.IntTime->SetText(c.typed);
    form.ChkDot->SetText(c.tolerance);
    form.Button1Click();
    EXPECT_EQ(form.IntTime->Text(), std::to_string(c.interval));
    EXPECT_EQ(form.ChkDot->Text(), std::to_string(c.dots));
    const std::string file = sys.Profile.Text(Ini);
    EXPECT_NE(file.find("IntTime=" + std::to_string(c.interval) + "\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("ChkDot=" + std::to_string(c.dots) + "\r\n"), std::string::npos) << file;
    // Typed again without OK: the next Home takes it by the same rule.
    form.IntTime->SetText(c.typed);
    sys.UserPress(VK_HOME);
    sys.Windows.Pump();
    ASSERT_NE(form.Controller().Clicker(), nullptr);
    const THoldWait split = SplitInterval(c.interval);
    EXPECT_EQ(form.Controller().Clicker()->WaitTime(), split.Wait);
    EXPECT_EQ(form.Controller().Clicker()->HoldTime(), split.Hold);
    form.Controller().StopClick();
    sys.Threads.RunThreads();
  }
}

TEST_F(SettingsTest, RadioGroupIndexIsClampedOnLoad) {
  const struct { const char* value; std::int32_t index; } cases[] = {
      {"$6", 6}, {"9", 6}, {"-7", -1}, {"-1", -1}, {"3 ", 3}, {"x", 3}};
  for (const auto& c : cases) {
    TFakeSystem s;
    TApplication a{s.System, "Vantrel"};
    s.Profile.SetText(Ini, std::string("[taro]\r\nSpd=") + c.value + "\r\n");
    TForm1 f(a, s.System);
    EXPECT_EQ(f.Spd->ItemIndex(), c.index) << c.value;
  }
}

TEST_F(SettingsTest, LoadingAnOnLockRunsItsActionOnceAndLoadingTheSameStateRunsNothing) {
  Start("[taro]\r\nCtrlLock=1\r\nShiftLock=0\r\n");
  EXPECT_TRUE(form->acLockCtrl->Checked());
  EXPECT_TRUE(form->CtrlLock->Checked());
  EXPECT_EQ(form->acLockCtrl->ImageIndex(), 8);
  EXPECT_EQ(form->acLockShift->ImageIndex(), 5);

  form->AutoSave->LoadIni();  // the same states again: no handler runs
  EXPECT_TRUE(form->acLockCtrl->Checked()) << "a second run would have switched it off";
  EXPECT_EQ(form->acLockCtrl->ImageIndex(), 8);

  sys.Profile.SetText(Ini, "[taro]\r\nCtrlLock=0\r\n");
  form->AutoSave->LoadIni();
  EXPECT_FALSE(form->acLockCtrl->Checked());
  EXPECT_EQ(form->acLockCtrl->ImageIndex(), 7);
}

TEST_F(SettingsTest, TheControllerUsesTheLoadedOptionsFromTheNextHome) {
  Start("[taro]\r\nIntTime=50\r\nButtonClick=1\r\nSpd=1\r\n");
  sys.UserPress(VK_HOME);
  sys.Windows.Pump();
  ASSERT_NE(form->Controller().Clicker(), nullptr);
  EXPECT_EQ(form->Controller().Clicker()->WaitTime(), 30);
  EXPECT_EQ(sys.Threads.Thread(0).Priority, THREAD_PRIORITY_HIGHEST);
  sys.Clock.At(60, [&] { form->Controller().StopClick(); });
  sys.Threads.RunThreads();
  EXPECT_EQ(sys.Input.MouseEvents().front().Flags, MOUSEEVENTF_RIGHTDOWN);
}

TEST_F(SettingsTest, OnlyTheUsersOwnSectionIsReadAndANewUserStartsFromTheDesignValues) {
  sys.Environment.UserName = "jiro";
  Start("[taro]\r\nIntTime=50\r\nSpd=0\r\n");
  EXPECT_EQ(form->IntTime->Text(), "100");
  EXPECT_EQ(form->Spd->ItemIndex(), 3);
  for (const std::string& c : sys.Profile.Calls) {
    if (c.rfind("read", 0) == 0) {
      EXPECT_EQ(c.rfind("read jiro ", 0), 0u) << c;
    }
  }
}

TEST_F(SettingsTest, AValueWithALineBreakCannotPlantKeysOrSections) {
  Start(FirstSave);
  form->IntTime->SetText("30\r\n[hanako]\r\nIntTime=1");
  form->AutoSave->SaveIni();
  EXPECT_EQ(sys.Profile.Text(Ini).find("hanako"), std::string::npos);
  EXPECT_NE(sys.Profile.Text(Ini).find("\r\nIntTime=30\r\n"), std::string::npos);
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenIsReportedAndTheErrorPassedOn) {
  Start(FirstSave);
  sys.Profile.ReadOnly.insert(Ini);
  sys.Profile.Calls.clear();
  form->IntTime->SetText("70");
  try {
    form->AutoSave->SaveIni();
    FAIL() << "the failure must reach the caller";
  } catch (const EIniFileError& e) {
    EXPECT_EQ(std::string(e.what()), Ini + " に書き込めません");
  }
  EXPECT_EQ(Writes().size(), 1u) << "the first refused write ends the save";
  EXPECT_EQ(sys.Profile.Calls.back(), "flush") << "released also after the failure";
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 1u);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "Can not save to IniFile");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Caption, "Vantrel");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Flags, MB_OK);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Owner, app.Handle()) << "none of its windows in front";
  EXPECT_EQ(sys.Profile.Text(Ini), FirstSave);
  // With the options window in front, the boxes are its own: modal to it, in front of it.
  form->Show();
  sys.Windows.SetForegroundWindow(form->Handle());
  EXPECT_THROW(form->AutoSave->SaveIni(), EIniFileError);
  app.HandleException(std::make_exception_ptr(std::runtime_error("x")));
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 3u);
  EXPECT_EQ(sys.Windows.MessageBoxes[1].Owner, form->Handle());
  EXPECT_EQ(sys.Windows.MessageBoxes[2].Owner, form->Handle());
}

// Exit: the hidden form's close saves; with a file that cannot be written, the error, then
// the choice to end without saving (No keeps the program running).
TEST(SettingsExit, ExitSavesOrAsksWhetherToEndWithoutSaving) {
  const struct {
    bool writable;
    std::vector<int> answers;
    bool ends;
    std::size_t boxes;
    std::string file;
  } cases[] = {{true, {}, true, 0, std::regex_replace(FirstSave.c_str(), std::regex("CtrlLock=0"), "CtrlLock=1")},
               {false, {IDNO}, false, 3, ""},
               {false, {IDYES}, true, 3, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers.empty() ? "writable" : c.answers[0] == IDYES ? "Yes" : "No");
    TFakeSystem sys;
    TApplication app{sys.System, "Vantrel"};
    TForm1 form(app, sys.System);
    if (!c.writable) sys.Profile.ReadOnly.insert(Ini);
    form.acLockCtrl->Execute();
    sys.UserPress(VK_HOME);
    sys.Windows.Pump();
    ASSERT_TRUE(sys.Input.IsKeyDown(VK_CONTROL)) << "the Ctrl lock holds Ctrl";
    sys.Windows.Answers = c.answers;
    sys.Windows.PostMessageTo(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(sys.Windows.Pump(), c.ends);
    EXPECT_EQ(sys.Profile.Text(Ini), c.file);
    ASSERT_EQ(sys.Windows.MessageBoxes.size(), c.boxes);
    if (c.boxes) {
      EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "Can not save to IniFile");
      EXPECT_EQ(sys.Windows.MessageBoxes[1].Text, Ini + " に書き込めません.");
      EXPECT_EQ(sys.Windows.MessageBoxes[1].Flags, MB_OK | MB_ICONERROR);
      EXPECT_EQ(sys.Windows.MessageBoxes[2].Text, "設定を保存できませんでした。保存せずに終了しますか？");
      EXPECT_EQ(sys.Windows.MessageBoxes[2].Flags, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    }
    EXPECT_EQ(sys.HotKeys.Registered().size(), c.ends ? 0u : 7u);
    EXPECT_EQ(sys.Input.IsKeyDown(VK_CONTROL), !c.ends) << "nothing stays pressed at the end";
  }
}

TEST_F(SettingsTest, TheCloseBoxOnTheShownWindowOnlyHidesIt) {
  Start();
  sys.Windows.ShowWindow(form->Handle(), SW_SHOW);
  form->IntTime->SetText("500");
  sys.Windows.Send(form->Handle(), WM_CLOSE);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(sys.Profile.Text(Ini), "") << "not saved";
  EXPECT_FALSE(sys.Windows.Pump());
  EXPECT_EQ(form->IntTime->Value(), 500) << "the edited value is still used";
}

TEST_F(SettingsTest, EndOfSessionSavesIfItCanAndNeverRefusesOrAsks) {
  Start();
  sys.Windows.ShowWindow(form->Handle(), SW_SHOW);
  EXPECT_EQ(sys.Windows.Send(form->Handle(), WM_QUERYENDSESSION), 1);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(sys.Profile.Text(Ini), FirstSave);

  sys.Profile.ReadOnly.insert(Ini);
  form->IntTime->SetText("70");
  EXPECT_EQ(sys.Windows.Send(form->Handle(), WM_QUERYENDSESSION), 1);
  EXPECT_TRUE(sys.Windows.MessageBoxes.empty()) << "the system does not wait for a box";
  EXPECT_EQ(sys.Profile.Text(Ini), FirstSave);
}

TEST(AutoIni, IniPathAndSectionFollowTheProgramFile) {
  const struct { const char* exe; const char* name; bool winDir; const char* path; const char* section; } cases[] = {
      {"C:\\Games\\Vantrel.exe", "", false, "C:\\Games\\Vantrel.ini", "Vantrel.exe"},
      {"C:\\my.dir\\Vantrel", "", false, "C:\\my.dir\\Vantrel.ini", "Vantrel"},
      {"C:\\Games\\Vantrel.exe", "sub\\set.ini", false, "C:\\Games\\sub\\set.ini", "Vantrel.exe"},
      {"C:\\Games\\Vantrel.exe", "", true, "Vantrel.ini", "Vantrel.exe"},
      {"C:\\Games\\Vantrel.old.exe", "", false, "C:\\Games\\Vantrel.old.ini", "Vantrel.old.exe"},
  };
  for (const auto& c : cases) {
    TFakeSystem sys;
    sys.Process.FileName = c.exe;
    TApplication app{sys.System, "Vantrel"};
    TCustomForm owner(nullptr, "Owner");
    TAutoIni& ini = owner.Create<TAutoIni>(sys.System, app);
    ini.AIniFileName = c.name;
    ini.MakeIniWinDir = c.winDir;
    ini.SaveIni();
    EXPECT_EQ(ini.IniPath(), c.path);
    EXPECT_EQ(ini.Section, c.section);
  }
}

TEST(AutoIni, TheWalkHonoursKindsAndTagsAndReachesInsideContainers) {
  TFakeSystem sys;
  TApplication app{sys.System, "Vantrel"};
  TCustomForm form(nullptr, "Owner");
  TAutoIni& ini = form.Create<TAutoIni>(sys.System, app);
  ini.Section = "s";
  auto& panel = form.Create<TCustomForm>("Panel");  // a windowed container, tag 1
  panel.Tag = 1;
  panel.SetParent(&form);
  auto& inner = form.Create<TEdit>("Inner");
  inner.SetParent(&panel);
  inner.SetText("x");
  auto& group = form.Create<TRadioGroup>("Group");
  group.SetItems({"a", "b"});
  group.SetItemIndex(1);
  group.SetParent(&form);
  auto& shape = form.Create<TShape>("Shape");
  shape.SetParent(&form);
  auto& other = form.Create<TEdit>("Other");
  other.Tag = 2;
  other.SetParent(&form);

  ini.CheckTag = true;
  ini.EnableTag = 0;
  ini.CheckControls.Bits = 0xFF & ~(1u << ccRadioGroup);
  ini.SaveIni();
  // The shape first (windowless), the group's buttons under rule 3, the container's edit;
  // "Other" has the wrong tag.
  EXPECT_EQ(sys.Profile.Text("C:\\Games\\Tools\\Vantrel.ini"),
            "[s]\r\nShape=16777215\r\nInner=x\r\n=1\r\n");
}
