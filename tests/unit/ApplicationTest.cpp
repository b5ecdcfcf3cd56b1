#include <gtest/gtest.h>

#include "TrayFixture.h"

#include "app/DblChkNF.h"
#include "framework/WindowParams.h"
#include "app/Vantrel.h"
#include "support/FakeSystem.h"
#include "framework/Application.h"
#include "framework/FilePath.h"

using namespace win;

TEST(ErrorMessageText, AddsAFullStopUnlessTheTextEndsInOneOrInAClosingBracket) {
  const struct { const char* in; const char* out; } cases[] = {
      {"Thread creation error", "Thread creation error."},
      {"Done.", "Done."},
      {"Code (5)", "Code (5)"},
      {"List [a]", "List [a]"},
      {"Set {x}", "Set {x}"},
      {"保存できません。", "保存できません。"},
      {"エラー（5）", "エラー（5）"},
      {"Ends in a colon:", "Ends in a colon:."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorMessageText(c.in), c.out);
}

TEST(Application, ShowsAnErrorFromAHandlerAsAnErrorBoxAndKeepsServingMessages) {
  TFakeSystem sys;
  TApplication app(sys.System, "Vantrel");
  int closes = 0;
  app.OnClose = [&] {
    if (++closes == 1) throw std::runtime_error("Can not close now");
  };
  sys.Windows.PostMessageTo(app.Handle(), WM_CLOSE, 0, 0);
  sys.Windows.PostMessageTo(app.Handle(), WM_CLOSE, 0, 0);
  sys.Windows.Pump();
  EXPECT_EQ(closes, 2) << "the next message is still served";
  ASSERT_EQ(sys.Windows.MessageBoxes.size(), 1u);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Text, "Can not close now.");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Caption, "Vantrel");
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Flags, MB_OK | MB_ICONERROR);
  EXPECT_EQ(sys.Windows.MessageBoxes[0].Owner, app.Handle());
}

TEST(FilePath, OneSetOfRulesForFolderNameAndExtension) {
  const struct { const char* path; const char* folder; const char* name; const char* pdf; } cases[] = {
      {"C:\\Games\\Vantrel.exe", "C:\\Games\\", "Vantrel.exe", "C:\\Games\\Vantrel.pdf"},
      {"C:\\Games\\VANTREL.EXE", "C:\\Games\\", "VANTREL.EXE", "C:\\Games\\VANTREL.pdf"},
      {"Z:/tmp/x/Vantrel2.exe", "Z:/tmp/x/", "Vantrel2.exe", "Z:/tmp/x/Vantrel2.pdf"},
      {"Vantrel.exe", "", "Vantrel.exe", "Vantrel.pdf"},
      {"C:\\v1.2\\Vantrel", "C:\\v1.2\\", "Vantrel", "C:\\v1.2\\Vantrel.pdf"},  // a dot in the folder only
      {"C:Vantrel.exe", "C:", "Vantrel.exe", "C:Vantrel.pdf"},
      {"C:\\x\\a.b.exe", "C:\\x\\", "a.b.exe", "C:\\x\\a.b.pdf"},
      {"C:\\ゲーム\\ヴァン.exe", "C:\\ゲーム\\", "ヴァン.exe", "C:\\ゲーム\\ヴァン.pdf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ChangeFileExt(c.path, ".pdf"), c.pdf) << c.path;
  }
}

TEST(VantrelMain, ASecondCopyOfTheSameFileEndsAtOnceWithCodeZeroAndCreatesNothing) {
  TFakeSystem sys;
  auto first = sys.Process.HoldMutex("Vantrel.exe");
  EXPECT_EQ(VantrelMain(sys.System), 0);
  EXPECT_EQ(sys.Process.Calls, std::vector<std::string>{"CreateMutex Vantrel.exe"});
  EXPECT_TRUE(sys.Process.HasMutex("Vantrel.exe")) << "the first copy's is left alone";
  EXPECT_EQ(sys.Windows.WindowCount(), 0u);
  EXPECT_TRUE(sys.HotKeys.Calls.empty());
}

TEST(VantrelMain, RunsUnderItsFileNameUntilTheApplicationWindowIsClosed) {
  for (bool mutexRefused : {false, true}) {
    TFakeSystem sys;
    sys.Process.RefuseMutex = mutexRefused;
    auto other = sys.Process.HoldMutex("Vantrel2.exe");  // a copy under another name
    // A window of another program that looks at the running copy, then closes it.
    bool sawRunning = false;
    struct TProbe final : IMessageHandler {
      TFakeSystem& Sys;
      bool& Saw;
      TProbe(TFakeSystem& s, bool& saw) : Sys(s), Saw(saw) {}
      TLResult HandleMessage(TWnd w, std::uint32_t m, TWParam wp, TLParam lp) override {
        if (m == WM_USER) {
          Saw = Sys.HotKeys.Registered().size() == 7 &&
                Sys.Process.HasMutex("Vantrel.exe") != Sys.Process.RefuseMutex;
          Sys.Windows.PostMessageTo(Sys.Windows.FindWindow("TApplication"), WM_CLOSE, 0, 0);
        }
        return Sys.Windows.DefaultProc(w, m, wp, lp);
      }
    } probe(sys, sawRunning);
    const TWnd probeWindow = CreateHiddenWindow(sys.Windows, "Probe", "", probe);
    sys.Windows.PostMessageTo(probeWindow, WM_USER, 0, 0);

    EXPECT_EQ(VantrelMain(sys.System), 0);
    EXPECT_TRUE(sawRunning) << "mutex refused: " << mutexRefused;
    EXPECT_TRUE(sys.HotKeys.Registered().empty()) << "hotkeys are given back at close";
    EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey36"), 0);
    EXPECT_FALSE(sys.Process.HasMutex("Vantrel.exe")) << "held only while running";
    EXPECT_FALSE(sys.Windows.IsWindow(sys.Windows.FindWindow("TApplication")));
  }
}

TEST(VantrelMain, StartsInOrderTaskbarMessageInstanceCheckApplicationHiddenFormThenTheLoop) {
  TFakeSystem sys;
  std::vector<std::string> journal;
  // The process port, watched: what already exists when the instance check runs.
  struct TWatchedProcess final : IProcess {
    TFakeSystem& Sys;
    std::vector<std::string>& Journal;
    TWatchedProcess(TFakeSystem& s, std::vector<std::string>& j) : Sys(s), Journal(j) {}
    std::string ModuleFileName() override { return Sys.Process.ModuleFileName(); }
    std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name, bool& existed) override {
      const std::string shell = Sys.CallLog.empty() ? "nothing" : Sys.CallLog.back();
      Journal.push_back("check: " + shell + ", " + std::to_string(Sys.Windows.WindowCount()) +
                        " windows, mutex " + name);
      return Sys.Process.CreateNamedMutex(name, existed);
    }
    std::optional<std::uint32_t> IntegrityLevel(std::uint32_t id) override { return Sys.Process.IntegrityLevel(id); }
    std::optional<std::uint32_t> OwnIntegrityLevel() override { return Sys.Process.OwnIntegrityLevel(); }
  } process(sys, journal);
  TSystem system = sys.System;
  TSystem watched{system.Input, system.Clock, system.Threads, system.Atoms, system.HotKeys, system.Windows,
                  process, system.Profile, system.Environment, system.Shell, system.Icons, system.Drawing,
                  system.Menus};
  // Once the loop runs: what the program made, then the application window is closed.
  struct TProbe final : IMessageHandler {
    TFakeSystem& Sys;
    std::vector<std::string>& Journal;
    TProbe(TFakeSystem& s, std::vector<std::string>& j) : Sys(s), Journal(j) {}
    TLResult HandleMessage(TWnd w, std::uint32_t m, TWParam wp, TLParam lp) override {
      if (m == WM_USER) {
        const TWnd app = Sys.Windows.FindWindow("TApplication"), form = Sys.Windows.FindWindow("TForm1");
        Journal.push_back(std::string("loop: ") + (app && app < form ? "application, then form" : "?") +
                          (Sys.Windows.IsWindowVisible(form) ? ", shown" : ", hidden") + ", " +
                          std::to_string(Sys.HotKeys.Registered().size()) + " hotkeys, " +
                          std::to_string(Sys.Shell.IconCount()) + " icon");
        Sys.Windows.PostMessageTo(app, WM_CLOSE, 0, 0);
      }
      return Sys.Windows.DefaultProc(w, m, wp, lp);
    }
  } probe(sys, journal);
  sys.Windows.PostMessageTo(CreateHiddenWindow(sys.Windows, "Probe", "", probe), WM_USER, 0, 0);
  sys.Environment.VersionInfo["comctl32.dll"]["\\"] = FixedFileInfo({6, 0});

  EXPECT_EQ(VantrelMain(watched), 0);
  EXPECT_EQ(journal, (std::vector<std::string>{"check: RegisterWindowMessage TaskbarCreated, 1 windows, mutex Vantrel.exe",
                                               "loop: application, then form, hidden, 7 hotkeys, 1 icon"}));
}
