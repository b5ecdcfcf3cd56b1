// The advanced settings: the player's own start and stop keys, the hotkeys made of them, the
// click limit, and how the user's section keeps them.
#include <gtest/gtest.h>

#include "unit/SettingsFixture.h"

using namespace win;

namespace {

constexpr TShortCut F6 = 0x75, F7 = 0x76;
const std::string& TodaysKeys = FirstSave;

struct AdvancedTest : SettingsFixture {
  // The window's OK with these choices.
  void Choose(TShortCut start, TShortCut stop, bool limitOn = false, const char* limit = "100") {
    TAdvancedForm& w = *form->AdvancedForm;
    form->acAdvancedView->Execute();
    w.StartKey->SetHotKey(FieldValueOfShortCut(start));
    w.StopKey->SetHotKey(FieldValueOfShortCut(stop));
    w.ClickLimitOn->SetChecked(limitOn);
    w.ClickLimit->SetText(limit);
    w.Button1Click();
  }
  std::vector<std::pair<std::uint32_t, std::uint32_t>> Registered() const {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> keys;
    for (const auto& r : sys.HotKeys.Registered())
      if (r.Window == app.Handle()) keys.emplace_back(r.Modifiers, r.Vk);
    return keys;
  }
};

}  // namespace

TEST(ClickKeys, TheTableIsTodaysSevenRowsWithTheChosenKeysAndNoRowTwice) {
  using A = TClickAction;
  const TShortCut S = scShift, C = scCtrl;
  const struct {
    TClickKeys keys;
    std::vector<TClickHotKey> rows;
  } cases[] = {
      {{}, {{VK_HOME, A::Start}, {S | VK_HOME, A::Pin}, {S | C | VK_HOME, A::PinUnderCtrlLock}, {VK_END, A::Stop},
            {S | VK_END, A::Release}, {C | VK_END, A::StopUnderCtrlLock}, {S | C | VK_END, A::ReleaseUnderCtrlLock}}},
      {{F6, F7}, {{F6, A::Start}, {S | F6, A::Pin}, {S | C | F6, A::PinUnderCtrlLock}, {F7, A::Stop},
                  {S | F7, A::Release}, {C | F7, A::StopUnderCtrlLock}, {S | C | F7, A::ReleaseUnderCtrlLock}}},
      // Ctrl on the stop key: its Ctrl variants are the key itself and its Shift variant.
      {{C | F6, C | F7}, {{C | F6, A::Start}, {S | C | F6, A::Pin}, {C | F7, A::Stop}, {S | C | F7, A::Release}}},
      {{S | F6, F7}, {{S | F6, A::Start}, {S | C | F6, A::PinUnderCtrlLock}, {F7, A::Stop}, {S | F7, A::Release},
                      {C | F7, A::StopUnderCtrlLock}, {S | C | F7, A::ReleaseUnderCtrlLock}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ClickHotKeyTable(c.keys), c.rows) << ShortCutText(c.keys.Start);
}

TEST(ClickKeys, KeysThatCannotDriveClickingAreRefusedWithTheReasonAndTheKey) {
  const struct {
    TClickKeys keys;
    TKeyProblem problem;
    bool stopKey;
    const char* text;
  } cases[] = {
      {{F6, F7}, TKeyProblem::None, false, ""},
      {{scCtrl | F6, scAlt | F6}, TKeyProblem::None, false, ""},
      {{F6, F6}, TKeyProblem::SameKey, true, "開始キーと停止キーが重なります（Shift や Ctrl との組み合わせも含みます）。別のキーを選んでください。"},
      {{F6, scShift | F6}, TKeyProblem::SameKey, true, nullptr},
      {{scCtrl | F7, F7}, TKeyProblem::SameKey, true, nullptr},
      {{VK_SHIFT, F7}, TKeyProblem::ModifierOnly, false, "開始キーに Shift、Ctrl、Alt だけは使えません。ほかのキーと組み合わせてください。"},
      {{F6, scCtrl | VK_CONTROL}, TKeyProblem::ModifierOnly, true, nullptr},
      {{F6, VK_LWIN}, TKeyProblem::ModifierOnly, true, nullptr},
      {{0, F7}, TKeyProblem::NoKey, false, "開始キーを選んでください。"},
      {{F6, VK_F12}, TKeyProblem::Reserved, true, "F12 はシステムが予約しているため使えません。別のキーを選んでください。"},
  };
  for (const auto& c : cases) {
    const TKeyCheck check = CheckClickKeys(c.keys);
    EXPECT_EQ(check.Problem, c.problem) << ShortCutText(c.keys.Start) << " / " << ShortCutText(c.keys.Stop);
    if (c.problem != TKeyProblem::None) {
      EXPECT_EQ(check.StopKey, c.stopKey) << ShortCutText(c.keys.Stop);
    }
    if (c.text) {
      EXPECT_EQ(KeyProblemText(check, c.keys), c.text);
    }
  }
}

TEST(ClickKeys, TheHotKeyFieldsValueAndTheKeysNames) {
  const struct {
    std::uint16_t field;
    TShortCut code;
    const char* name;
  } cases[] = {{36, VK_HOME, "Home"},
               {117, F6, "F6"},
               {0x0275, scCtrl | F6, "Ctrl+F6"},
               {0x0541, scShift | scAlt | 'A', "Shift+Alt+A"},
               {0x0824, VK_HOME, "Home"},  // the field's extended-key flag is not the key's
               {0x0065, 0x65, "Num 5"},
               {0x00E5, 0xE5, "Key E5"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutOfFieldValue(c.field), c.code) << c.field;
    EXPECT_EQ(ShortCutText(c.code), c.name) << c.field;
    EXPECT_EQ(FieldValueOfShortCut(c.code), c.field & 0xF7FF) << c.field;
  }
}

TEST_F(AdvancedTest, OkRegistersTheChosenKeysAtOnceAndSavesThemAfterTodaysKeys) {
  Start(TodaysKeys);
  Choose(F6, F7);
  EXPECT_FALSE(form->AdvancedForm->Visible());
  EXPECT_EQ(Registered(), (std::vector<std::pair<std::uint32_t, std::uint32_t>>{
                              {0, F6}, {MOD_SHIFT, F6}, {MOD_SHIFT | MOD_CONTROL, F6}, {0, F7}, {MOD_SHIFT, F7},
                              {MOD_CONTROL, F7}, {MOD_SHIFT | MOD_CONTROL, F7}}));
  EXPECT_EQ(sys.Profile.Text(Ini), TodaysKeys + "StartKey=117\r\nStopKey=118\r\n");
  // F6 clicks now, Home does nothing, F7 stops.
  EXPECT_FALSE(sys.UserPress(VK_HOME));
  EXPECT_TRUE(sys.UserPress(F6));
  sys.Windows.Pump();
  EXPECT_NE(form->Controller().Clicker(), nullptr);
  EXPECT_TRUE(sys.UserPress(F7));
  sys.Windows.Pump();
  EXPECT_EQ(form->Controller().Clicker(), nullptr);
  sys.Threads.RunThreads();

  // Back to Home and End: the keys leave the file, which is today's again byte for byte.
  Choose(VK_HOME, VK_END);
  EXPECT_EQ(sys.Profile.Text(Ini), TodaysKeys);
  // OK with nothing changed writes nothing.
  sys.Profile.Calls.clear();
  Choose(VK_HOME, VK_END);
  EXPECT_TRUE(sys.Profile.Calls.empty());
}

TEST_F(AdvancedTest, AFreshFileGetsTodaysKeysFirstAndStoredKeysComeBackAtTheNextStart) {
  Start();
  Choose(scCtrl | F6, F7, true, "50");
  EXPECT_EQ(sys.Profile.Text(Ini), TodaysKeys + "StartKey=629\r\nStopKey=118\r\nClickLimitOn=1\r\nClickLimit=50\r\n");
  form.reset();
  Start();
  EXPECT_EQ(form->AdvancedForm->Applied(), (TAdvancedSettings{{scCtrl | F6, F7}, true, 50}));
  EXPECT_TRUE(sys.UserPress(scCtrl | F6));
}

TEST_F(AdvancedTest, WhatTheFileHoldsThatTheProgramWouldRefuseReadsAsTheDefault) {
  const struct {
    const char* keys;
    TAdvancedSettings read;
  } cases[] = {
      {"StartKey=117\r\nClickLimitOn=1\r\nClickLimit=1000000\r\n", {{F6, VK_END}, true, 1000000}},
      {"StartKey=123\r\nStopKey=16\r\n", {}},                // F12, Shift alone
      {"StartKey=35\r\n", {}},                               // End, the stop key too
      {"StartKey=x\r\nClickLimitOn=2\r\nClickLimit=0\r\n", {}},
      {"StopKey=70000\r\nClickLimit=1000001\r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    TFakeSystem s;
    TApplication a{s.System, "Vantrel"};
    s.Profile.SetText(Ini, TodaysKeys + c.keys);
    TForm1 f(a, s.System);
    EXPECT_EQ(f.AdvancedForm->Applied(), c.read);
  }
}

TEST_F(AdvancedTest, ARefusedChoiceIsSaidInTheWindowAndTheOldKeysKeepWorking) {
  Start(TodaysKeys);
  const TWnd other = 0x9990;  // another program holds F7
  ASSERT_TRUE(sys.HotKeys.RegisterHotKey(other, 1, 0, F7));
  const auto before = Registered();
  const struct {
    TShortCut start, stop;
    const char* message;
  } cases[] = {
      {F6, F7, "F7 はほかのプログラムが使っているため登録できません。別のキーを選んでください。"},
      {F6, F6, "開始キーと停止キーが重なります（Shift や Ctrl との組み合わせも含みます）。別のキーを選んでください。"},
      {F6, VK_SHIFT, "停止キーに Shift、Ctrl、Alt だけは使えません。ほかのキーと組み合わせてください。"},
  };
  for (const auto& c : cases) {
    Choose(c.start, c.stop);
    EXPECT_TRUE(form->AdvancedForm->Visible()) << c.message;
    EXPECT_EQ(form->AdvancedForm->Message->Caption, c.message);
    EXPECT_EQ(Registered(), before) << "the old keys, all of them";
    EXPECT_EQ(sys.Profile.Text(Ini), TodaysKeys) << "nothing saved";
  }
  // Cancel shows the settings the program runs with again.
  form->AdvancedForm->Button2Click();
  EXPECT_EQ(ShortCutOfFieldValue(form->AdvancedForm->StartKey->HotKey()), VK_HOME);
  EXPECT_EQ(form->AdvancedForm->Message->Caption, "");
}

TEST_F(AdvancedTest, AKeyHeldAtStartIsToldOfOnceInABalloonAndTheOthersWork) {
  ASSERT_TRUE(sys.HotKeys.RegisterHotKey(0x9990, 1, MOD_SHIFT, F6));
  Start(TodaysKeys + "StartKey=117\r\nStopKey=118\r\n");
  std::vector<std::string> balloons;
  for (const auto& call : sys.Shell.NotifyCalls)
    if (call.Data.uFlags & NIF_INFO) balloons.push_back(call.Data.szInfo);
  EXPECT_EQ(balloons, std::vector<std::string>{
                          "Shift+F6 を登録できませんでした（ほかのプログラムが使っています）。詳細設定で別のキーを選んでください。"});
  EXPECT_EQ(Registered().size(), 6u);
  EXPECT_TRUE(sys.UserPress(F6));
}

// With the limit on, a start of clicking stops by itself after exactly that many clicks, as
// the stop key would: the locks' keys released, the animation at rest; the next start counts
// anew. Off, clicking goes on.
TEST_F(AdvancedTest, TheClickLimitStopsAfterExactlyThatManyClicksAtAnyInterval) {
  const struct {
    const char* interval;
    bool on;
    std::size_t clicks;
  } cases[] = {{"1", true, 50}, {"10", true, 50}, {"100", true, 50}, {"10", false, 300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.interval) + (c.on ? " ms, limit 50" : " ms, no limit"));
    TFakeSystem s;
    TApplication a{s.System, "Vantrel"};
    TForm1 f(a, s.System);
    f.IntTime->SetText(c.interval);
    f.CtrlLock->SetChecked(true);
    f.LockAndClick->SetChecked(true);
    f.AdvancedForm->SetApplied({{}, c.on, 50});
    for (int start = 0; start < 2; ++start) {
      s.Input.ClearEvents();
      s.UserPress(VK_HOME);
      s.Windows.Pump();
      ASSERT_NE(f.Controller().Clicker(), nullptr);
      // Without the limit, End after 300 clicks' time.
      if (!c.on) s.Clock.At(s.Clock.Now() + 300 * std::stoull(c.interval) - 1, [&] { f.Controller().StopClick(); });
      s.Threads.RunThreads();
      s.Windows.Pump();
      const auto mouse = s.Input.MouseEvents();
      const auto downs = std::count_if(mouse.begin(), mouse.end(), [](const TInputEvent& e) { return e.Flags == MOUSEEVENTF_LEFTDOWN; });
      EXPECT_EQ(static_cast<std::size_t>(downs), c.clicks);
      EXPECT_EQ(mouse.size(), 2 * c.clicks) << "as many ups as downs";
      EXPECT_EQ(f.Controller().Clicker(), nullptr);
      EXPECT_FALSE(s.Input.IsKeyDown(VK_CONTROL)) << "the lock's Ctrl released, as End does";
      EXPECT_FALSE(f.TrayIcon->CycleIcons());
      EXPECT_EQ(f.TrayIcon->IconIndex(), 0);
    }
  }
}
